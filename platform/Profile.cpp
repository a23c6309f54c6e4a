#include "platform/Profile.h"

#include "platform/AsciiText.h"
#include "platform/Encoding.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// ProfileData

std::string ProfileData::NormaliseSection(std::string_view section)
{
    std::string out;
    out.reserve(section.size());
    for (char c : section) {
        if (c == '\\' && (out.empty() || out.back() == '\\'))
            continue;
        out.push_back(c);
    }
    while (!out.empty() && out.back() == '\\')
        out.pop_back();
    return out;
}

ProfileData::Section* ProfileData::FindSection(std::string_view normalised)
{
    for (auto& s : sections_)
        if (ascii::EqualsNoCase(s.name, normalised))
            return &s;
    return nullptr;
}

const ProfileData::Section* ProfileData::FindSection(std::string_view normalised) const
{
    for (const auto& s : sections_)
        if (ascii::EqualsNoCase(s.name, normalised))
            return &s;
    return nullptr;
}

const ProfileData::Value* ProfileData::Find(std::string_view section, std::string_view name) const
{
    const Section* s = FindSection(NormaliseSection(section));
    if (!s)
        return nullptr;
    for (const auto& v : s->values)
        if (ascii::EqualsNoCase(v.name, name))
            return &v;
    return nullptr;
}

bool ProfileData::Set(std::string_view section, std::string_view name, std::string_view text)
{
    const std::string key = NormaliseSection(section);
    if (key.empty() || name.empty())
        return false;
    Section* s = FindSection(key);
    if (!s) {
        sections_.push_back(Section{key, {}});
        s = &sections_.back();
    }
    for (auto& v : s->values) {
        if (ascii::EqualsNoCase(v.name, name)) {
            v.text.assign(text);
            return true;
        }
    }
    s->values.push_back(Value{std::string(name), std::string(text)});
    return true;
}

bool ProfileData::Erase(std::string_view section, std::string_view name)
{
    Section* s = FindSection(NormaliseSection(section));
    if (!s)
        return false;
    const auto it = std::find_if(s->values.begin(), s->values.end(),
                                 [&](const Value& v) { return ascii::EqualsNoCase(v.name, name); });
    if (it == s->values.end())
        return false;
    s->values.erase(it);
    return true;
}

bool ProfileData::EraseSection(std::string_view section)
{
    const std::string key = NormaliseSection(section);
    if (key.empty())
        return false;
    const auto isInside = [&](const Section& s) {
        if (ascii::EqualsNoCase(s.name, key))
            return true;
        return s.name.size() > key.size() && s.name[key.size()] == '\\' &&
               ascii::StartsWithNoCase(s.name, key);
    };
    const auto before = sections_.size();
    std::erase_if(sections_, isInside);
    return sections_.size() != before;
}

bool operator==(const ProfileData& a, const ProfileData& b)
{
    // Same values under the same names; order and empty sections do not matter.
    const auto count = [](const ProfileData& d) {
        size_t n = 0;
        for (const auto& s : d.sections_)
            n += s.values.size();
        return n;
    };
    if (count(a) != count(b))
        return false;
    for (const auto& s : a.sections_) {
        for (const auto& v : s.values) {
            const ProfileData::Value* other = b.Find(s.name, v.name);
            if (!other || other->text != v.text)
                return false;
        }
    }
    return true;
}

namespace {

template <class Int>
bool ParseDecimal(std::string_view text, Int& value)
{
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return false;
    Int parsed = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed, 10);
    if (ec != std::errc() || end != text.data() + text.size())
        return false;
    value = parsed;
    return true;
}

}  // namespace

bool ParseProfileInt(std::string_view text, int& value) { return ParseDecimal(text, value); }
bool ParseProfileInt(std::string_view text, std::int64_t& value) { return ParseDecimal(text, value); }

// ---------------------------------------------------------------------------------------
// ProfileOnData

int ProfileOnData::GetInt(std::string_view section, std::string_view name, int defaultValue) const
{
    const ProfileData::Value* v = data_.Find(section, name);
    int value = 0;
    return (v && ParseProfileInt(v->text, value)) ? value : defaultValue;
}

std::string ProfileOnData::GetString(std::string_view section, std::string_view name,
                                     std::string_view defaultValue) const
{
    const ProfileData::Value* v = data_.Find(section, name);
    return v ? v->text : std::string(defaultValue);
}

bool ProfileOnData::WriteInt(std::string_view section, std::string_view name, int value)
{
    return WriteString(section, name, std::to_string(value));
}

bool ProfileOnData::WriteString(std::string_view section, std::string_view name, std::string_view value)
{
    const ProfileData::Value* old = data_.Find(section, name);
    if (old && old->text == value)
        return true;
    if (!data_.Set(section, name, value))
        return false;
    dirty_ = true;
    return true;
}

bool ProfileOnData::HasValue(std::string_view section, std::string_view name) const
{
    return data_.Find(section, name) != nullptr;
}

bool ProfileOnData::DeleteValue(std::string_view section, std::string_view name)
{
    if (!data_.Erase(section, name))
        return false;
    dirty_ = true;
    return true;
}

bool ProfileOnData::DeleteSection(std::string_view section)
{
    if (!data_.EraseSection(section))
        return false;
    dirty_ = true;
    return true;
}

// ---------------------------------------------------------------------------------------
// Text form

namespace inifile {
namespace {

enum class Field { Section, Name, Value };

// Length of the valid UTF-8 sequence starting at pos, 0 when the bytes there are not one.
size_t Utf8SequenceLength(std::string_view s, size_t pos)
{
    const auto lead = static_cast<unsigned char>(s[pos]);
    const size_t len = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
    if (len == 0 || pos + len > s.size())
        return 0;
    return enc::IsValidUtf8(s.substr(pos, len)) ? len : 0;
}

std::string Escape(std::string_view text, Field field)
{
    // Blanks at the ends would be trimmed on reading.
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;

    std::string out;
    out.reserve(text.size() + 8);
    for (size_t i = 0; i < text.size();) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        bool escape = byte < 0x20 || byte == 0x7F || c == '%' || i < first || i >= last;
        if (field == Field::Name)
            escape = escape || c == '=' || (i == 0 && (c == ';' || c == '#' || c == '['));
        if (field == Field::Section)
            escape = escape || c == '[' || c == ']';
        if (escape) {
            enc::AppendPercentEscaped(out, byte);
            ++i;
            continue;
        }
        const size_t len = Utf8SequenceLength(text, i);
        if (len == 0) {
            enc::AppendPercentEscaped(out, byte);
            ++i;
            continue;
        }
        out.append(text.substr(i, len));
        i += len;
    }
    return out;
}

// "%" not followed by two hex digits is kept as typed (hand-edited files).
std::string Unescape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int hi = ascii::HexDigit(text[i + 1]);
            const int lo = ascii::HexDigit(text[i + 2]);
            if (hi >= 0 && lo >= 0) {
                out.push_back(static_cast<char>(hi * 16 + lo));
                i += 2;
                continue;
            }
        }
        out.push_back(text[i]);
    }
    return out;
}

}  // namespace

ProfileData Parse(std::string_view text, std::size_t* skippedLines)
{
    ProfileData data;
    size_t skipped = 0;
    std::string section;  // empty: no usable section yet
    for (const std::string& raw : textfile::SplitLines(text)) {
        const std::string_view line = TrimBlanks(raw);
        if (line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        if (line.front() == '[') {
            const size_t close = line.find(']');
            std::string_view inside = line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1);
            section = ProfileData::NormaliseSection(Unescape(TrimBlanks(inside)));
            const bool clean = close != std::string_view::npos && close == line.size() - 1;
            if (section.empty() || !clean)
                ++skipped;  // a damaged header still names its section when it can
            continue;
        }
        const size_t eq = line.find('=');
        if (section.empty() || eq == std::string_view::npos) {
            ++skipped;
            continue;
        }
        const std::string name = Unescape(TrimBlanks(line.substr(0, eq)));
        if (name.empty()) {
            ++skipped;
            continue;
        }
        data.Set(section, name, Unescape(TrimBlanks(line.substr(eq + 1))));
    }
    if (skippedLines)
        *skippedLines = skipped;
    return data;
}

std::string Serialise(const ProfileData& data)
{
    std::string out;
    for (const auto& s : data.Sections()) {
        if (s.values.empty())
            continue;
        if (!out.empty())
            out += '\n';
        out += '[';
        out += Escape(s.name, Field::Section);
        out += "]\n";
        for (const auto& v : s.values) {
            out += Escape(v.name, Field::Name);
            out += '=';
            out += Escape(v.text, Field::Value);
            out += '\n';
        }
    }
    return out;
}

}  // namespace inifile

// ---------------------------------------------------------------------------------------
// IniFileProfile

IniFileProfile::IniFileProfile(fs::path file) : file_(std::move(file)) { Reload(); }

IniFileProfile::~IniFileProfile()
{
    if (!Flush())
        std::fprintf(stderr, "horavel: settings not saved to %s: %s\n", file_.c_str(), error_.c_str());
}

bool IniFileProfile::Flush()
{
    if (!dirty_)
        return true;
    std::error_code ec;
    if (const fs::path folder = file_.parent_path(); !folder.empty()) {
        fs::create_directories(folder, ec);
        if (ec) {
            error_ = "cannot create " + folder.string() + ": " + ec.message();
            return false;
        }
    }
    if (!textfile::WriteAtomic(file_, inifile::Serialise(data_), &error_))
        return false;
    error_.clear();
    dirty_ = false;
    return true;
}

bool IniFileProfile::Reload()
{
    std::error_code ec;
    if (!fs::exists(file_, ec) && !ec) {
        data_.Clear();
        dirty_ = false;
        skipped_ = 0;
        error_.clear();
        return true;
    }
    std::string bytes;
    if (!textfile::ReadBytes(file_, bytes, &error_))
        return false;
    data_ = inifile::Parse(enc::DecodeFileText(bytes), &skipped_);
    dirty_ = false;
    error_.clear();
    return true;
}

// ---------------------------------------------------------------------------------------

fs::path DefaultProfilePath()
{
    fs::path base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg && fs::path(xdg).is_absolute()) {
        base = xdg;
    } else {
        fs::path home;
        if (const char* h = std::getenv("HOME"); h && *h)
            home = h;
        else if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir)
            home = pw->pw_dir;
        base = home / ".config";
    }
    return base / "Orlune Software" / "Horavel 2.0.ini";
}

namespace {
std::unique_ptr<Profile> g_profile;
}

Profile& GetProfile()
{
    if (!g_profile)
        g_profile = std::make_unique<MemoryProfile>();
    return *g_profile;
}

std::unique_ptr<Profile> SetProfile(std::unique_ptr<Profile> profile)
{
    std::unique_ptr<Profile> previous = std::move(g_profile);
    g_profile = std::move(profile);
    return previous;
}
