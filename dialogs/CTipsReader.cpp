#include "dialogs/CTipsReader.h"

#include "app/Languages.h"
#include "app/Translation.h"
#include "platform/Encoding.h"
#include "platform/Paths.h"
#include "platform/Profile.h"
#include "platform/Services.h"
#include "platform/TextFile.h"

#include <cstdio>
#include <sys/stat.h>

namespace {

constexpr const char* kSection = "Tips";

std::optional<std::int64_t> ModificationTime(const std::filesystem::path& file)
{
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0)
        return std::nullopt;
    return static_cast<std::int64_t>(info.st_mtime);
}

bool IsTipStart(char c) { return c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != ';'; }

// The longest prefix of at most `limit` bytes that does not split a UTF-8 character.
std::size_t Utf8Cut(std::string_view text, std::size_t limit)
{
    if (text.size() <= limit)
        return text.size();
    std::size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return cut;
}

}  // namespace

std::string CTipsReader::FileName(int language) { return "tips_" + GetLanguageCode(language) + ".txt"; }

std::string CTipsReader::CTimeText(std::int64_t unixSeconds)
{
    static const char* const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const DateTimeFields t = GetServices().ToLocal(unixSeconds);
    char text[64];
    std::snprintf(text, sizeof text, "%.3s %.3s%3d %.2d:%.2d:%.2d %d", days[(t.dayOfWeek % 7 + 7) % 7],
                  months[(t.month - 1 + 12) % 12], t.day, t.hour, t.minute, t.second, t.year);
    return text;
}

CTipsReader::CTipsReader(int language) : key_("tips_" + GetLanguageCode(language))
{
    Open(paths::FindShipped(FileName(language)));
}

CTipsReader::CTipsReader(int language, const std::filesystem::path& file) : key_("tips_" + GetLanguageCode(language))
{
    Open(file);
}

CTipsReader::~CTipsReader()
{
    if (open_)
        GetProfile().WriteInt(kSection, key_, static_cast<int>(position_));
}

void CTipsReader::Open(const std::optional<std::filesystem::path>& file)
{
    Profile& profile = GetProfile();
    int offset = profile.GetInt(kSection, key_, 0);
    if (!file || !textfile::ReadBytes(*file, bytes_)) {
        tip_ = GetTranslatedString(112);
        return;
    }
    open_ = true;
    utf8_ = enc::IsValidUtf8(bytes_);
    if (const auto modified = ModificationTime(*file)) {
        const std::string stamp = CTimeText(*modified);
        if (stamp != profile.GetString(kSection, "TimeStamp", "")) {
            profile.WriteString(kSection, "TimeStamp", stamp);
            offset = 0;
        }
    }
    if (offset < 0) {
        TranslatedMessageBox(113, MB_OK | MB_ICONEXCLAMATION);
        offset = 0;
    }
    // A position past the end wraps to the first tip; one inside a line (a file rewritten
    // within the same second) moves on to the next line, where tips begin.
    position_ = static_cast<std::size_t>(offset);
    if (position_ > 0 && position_ < bytes_.size() && bytes_[position_ - 1] != '\n') {
        const std::size_t lineEnd = bytes_.find('\n', position_);
        position_ = lineEnd == std::string::npos ? bytes_.size() : lineEnd + 1;
    }
    NextTip();
}

void CTipsReader::NextTip()
{
    if (!open_)
        return;
    if (position_ > bytes_.size())
        position_ = bytes_.size();
    // One full turn at most: a file without a tip must not keep us reading.
    std::size_t pos = position_;
    for (std::size_t scanned = 0; scanned <= bytes_.size();) {
        if (pos >= bytes_.size()) {
            pos = 0;
            if (bytes_.empty())
                break;
        }
        const std::size_t lineEnd = std::min(bytes_.find('\n', pos), bytes_.size());
        const std::size_t next = lineEnd < bytes_.size() ? lineEnd + 1 : lineEnd;
        scanned += next - pos;
        if (lineEnd > pos && IsTipStart(bytes_[pos])) {
            std::string_view line(bytes_.data() + pos, lineEnd - pos);
            if (line.ends_with('\r'))
                line.remove_suffix(1);
            if (utf8_) {
                tip_ = std::string(line.substr(0, Utf8Cut(line, kMaxTipBytes)));
                if (tip_.starts_with("\xEF\xBB\xBF"))
                    tip_.erase(0, 3);
            } else {
                tip_ = enc::Cp1252ToUtf8(line.substr(0, std::min(line.size(), kMaxTipBytes)));
            }
            position_ = next;
            return;
        }
        pos = next;
    }
    tip_ = GetTranslatedString(114);
}
