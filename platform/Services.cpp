#include "platform/Services.h"

#include "platform/AsciiText.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>

namespace fs = std::filesystem;

namespace {

bool HasControlOrBlank(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b <= 0x20 || b == 0x7F;
    });
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

// The longest address opened or fetched.
constexpr size_t kMaxUrl = 4096;

// http(s)://host... with a host and nothing that a shell or a URL parser could split on.
bool IsWebUrl(std::string_view url)
{
    if (url.size() > kMaxUrl || HasControlOrBlank(url))
        return false;
    size_t start = 0;
    if (ascii::StartsWithNoCase(url, "http://"))
        start = 7;
    else if (ascii::StartsWithNoCase(url, "https://"))
        start = 8;
    else
        return false;
    return start < url.size() && url[start] != '/' && url[start] != '?' && url[start] != '#' &&
           url[start] != ':' && url[start] != '@';
}

// mailto: with one address and, as its only headers, a subject and a body: other headers
// ("attach", "cc", "to"...) would let a link add files or recipients to the message.
bool IsMailToUrl(std::string_view url)
{
    if (url.size() > kMaxUrl || HasControlOrBlank(url) || !ascii::StartsWithNoCase(url, "mailto:"))
        return false;
    url.remove_prefix(7);
    const size_t query = url.find('?');
    const std::string_view address = url.substr(0, query);
    const size_t at = address.find('@');
    if (at == 0 || at == std::string_view::npos || at + 1 == address.size() ||
        address.find('@', at + 1) != std::string_view::npos ||
        address.find_first_of(",;%&=<>\"\\") != std::string_view::npos)
        return false;
    if (query == std::string_view::npos)
        return true;
    std::string_view headers = url.substr(query + 1);
    while (true) {
        const size_t end = headers.find('&');
        const std::string_view header = headers.substr(0, end);
        if (!ascii::StartsWithNoCase(header, "subject=") && !ascii::StartsWithNoCase(header, "body="))
            return false;
        if (end == std::string_view::npos)
            return true;
        headers.remove_prefix(end + 1);
    }
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Message boxes

std::vector<int> MessageBoxButtons(unsigned type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    default: return {IDOK};
    }
}

int MessageBoxDefaultAnswer(unsigned type)
{
    const std::vector<int> buttons = MessageBoxButtons(type);
    const size_t index = (type & MB_DEFMASK) >> 8;
    return index < buttons.size() ? buttons[index] : buttons.front();
}

int MessageBoxCancelAnswer(unsigned type)
{
    const std::vector<int> buttons = MessageBoxButtons(type);
    for (int preferred : {IDCANCEL, IDNO, IDABORT})
        if (std::find(buttons.begin(), buttons.end(), preferred) != buttons.end())
            return preferred;
    return buttons.front();
}

// ---------------------------------------------------------------------------------------
// File choosers

std::vector<FileFilter> ParseFileFilter(std::string_view filter)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (start <= filter.size()) {
        const size_t bar = filter.find('|', start);
        const size_t end = bar == std::string_view::npos ? filter.size() : bar;
        parts.push_back(filter.substr(start, end - start));
        if (bar == std::string_view::npos)
            break;
        start = bar + 1;
    }
    std::vector<FileFilter> filters;
    for (size_t i = 0; i < parts.size(); i += 2) {
        const std::string_view label = Trim(parts[i]);
        if (label.empty())
            break;  // "||" ends the list
        FileFilter f;
        f.label = std::string(parts[i]);
        if (i + 1 < parts.size()) {
            std::string_view patterns = parts[i + 1];
            size_t p = 0;
            while (p <= patterns.size()) {
                const size_t semi = patterns.find(';', p);
                const size_t e = semi == std::string_view::npos ? patterns.size() : semi;
                const std::string_view one = Trim(patterns.substr(p, e - p));
                if (!one.empty())
                    f.patterns.emplace_back(one);
                if (semi == std::string_view::npos)
                    break;
                p = semi + 1;
            }
        }
        if (f.patterns.empty())
            f.patterns.emplace_back("*");
        filters.push_back(std::move(f));
    }
    return filters;
}

std::string NormaliseExtension(std::string_view extension)
{
    extension = Trim(extension);
    if (!extension.empty() && extension.front() == '*')
        extension.remove_prefix(1);
    if (!extension.empty() && extension.front() == '.')
        extension.remove_prefix(1);
    if (extension.find_first_of("*?/\\") != std::string_view::npos)
        return {};
    return std::string(extension);
}

fs::path WithDefaultExtension(const fs::path& file, std::string_view extension)
{
    const std::string ext = NormaliseExtension(extension);
    if (ext.empty() || !file.has_filename() || !file.extension().empty())
        return file;
    fs::path out = file;
    out += "." + ext;
    return out;
}

// ---------------------------------------------------------------------------------------
// Calendar

DateTimeFields BreakDownUtc(std::int64_t unixSeconds)
{
    using namespace std::chrono;
    const std::int64_t dayNumber = FloorDiv(unixSeconds, 86400);
    const std::int64_t secondOfDay = unixSeconds - dayNumber * 86400;
    const sys_days day{days{dayNumber}};
    const year_month_day ymd{day};
    DateTimeFields f;
    f.year = static_cast<int>(ymd.year());
    f.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    f.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
    f.hour = static_cast<int>(secondOfDay / 3600);
    f.minute = static_cast<int>(secondOfDay / 60 % 60);
    f.second = static_cast<int>(secondOfDay % 60);
    f.milliseconds = 0;
    f.dayOfWeek = static_cast<int>(weekday{day}.c_encoding());
    return f;
}

std::int64_t FieldsToUnix(const DateTimeFields& fields)
{
    using namespace std::chrono;
    const std::int64_t monthIndex = static_cast<std::int64_t>(fields.month) - 1;
    std::int64_t y = fields.year + FloorDiv(monthIndex, 12);
    const auto m = static_cast<unsigned>(monthIndex - FloorDiv(monthIndex, 12) * 12 + 1);
    y = std::clamp<std::int64_t>(y, -32767, 32767);
    const sys_days first{year{static_cast<int>(y)} / month{m} / 1};
    const std::int64_t dayNumber = first.time_since_epoch().count() + (static_cast<std::int64_t>(fields.day) - 1);
    return dayNumber * 86400 + static_cast<std::int64_t>(fields.hour) * 3600 +
           static_cast<std::int64_t>(fields.minute) * 60 + fields.second;
}

// ---------------------------------------------------------------------------------------
// Addresses

bool IsFetchableUrl(std::string_view url) { return IsWebUrl(url); }

std::optional<ShellTarget> ResolveShellTarget(std::string_view target, const std::vector<fs::path>& allowedFolders)
{
    if (target.empty())
        return std::nullopt;
    if (IsWebUrl(target))
        return ShellTarget{false, std::string(target), {}};
    if (ascii::StartsWithNoCase(target, "mailto:")) {
        if (IsMailToUrl(target))
            return ShellTarget{false, std::string(target), {}};
        return std::nullopt;
    }
    // Anything else must be a local file given by its absolute path.
    if (target.front() != '/' || target.find('\0') != std::string_view::npos)
        return std::nullopt;
    std::error_code ec;
    const fs::path file = fs::canonical(fs::path(target), ec);
    if (ec || !fs::is_regular_file(file, ec) || ec)
        return std::nullopt;
    // Pages and text files only: any other file there (the programs, a desktop entry) could
    // start something.
    const std::string extension = ascii::Lower(file.extension().string());
    if (extension != ".html" && extension != ".htm" && extension != ".txt")
        return std::nullopt;
    for (const fs::path& folder : allowedFolders) {
        const fs::path root = fs::canonical(folder, ec);
        if (ec || root.empty())
            continue;
        const fs::path rel = file.lexically_relative(root);
        if (!rel.empty() && *rel.begin() != ".." && *rel.begin() != ".")
            return ShellTarget{true, {}, file};
    }
    return std::nullopt;
}

// ---------------------------------------------------------------------------------------
// Clock helpers

std::int64_t Services::Now() const { return FloorDiv(NowMs(), 1000); }

DateTimeFields Services::ToLocal(std::int64_t unixSeconds) const
{
    return BreakDownUtc(unixSeconds + ZoneAt(unixSeconds).utcOffsetSeconds);
}

DateTimeFields Services::LocalNow() const
{
    const std::int64_t ms = NowMs();
    const std::int64_t s = FloorDiv(ms, 1000);
    DateTimeFields f = ToLocal(s);
    f.milliseconds = static_cast<int>(ms - s * 1000);
    return f;
}

DateTimeFields Services::UtcNow() const
{
    const std::int64_t ms = NowMs();
    const std::int64_t s = FloorDiv(ms, 1000);
    DateTimeFields f = BreakDownUtc(s);
    f.milliseconds = static_cast<int>(ms - s * 1000);
    return f;
}

std::int64_t Services::FromLocal(const DateTimeFields& local, LocalRule rule) const
{
    const std::int64_t asUtc = FieldsToUnix(local);
    if (rule == LocalRule::StandardTime) {
        const int guess = ZoneAt(asUtc).standardOffsetSeconds;
        return asUtc - ZoneAt(asUtc - guess).standardOffsetSeconds;
    }
    // Offsets a day either side: zones change offset far less often than that.
    const int before = ZoneAt(asUtc - 86400).utcOffsetSeconds;
    const int after = ZoneAt(asUtc + 86400).utcOffsetSeconds;
    std::optional<std::int64_t> best;
    for (int offset : {before, after}) {
        const std::int64_t t = asUtc - offset;
        if (ZoneAt(t).utcOffsetSeconds == offset && (!best || t < *best))
            best = t;
    }
    return best ? *best : asUtc - before;
}

// ---------------------------------------------------------------------------------------
// SystemServices

int SystemServices::MessageBox(const std::string& text, const std::string& caption, unsigned type, unsigned)
{
    std::fprintf(stderr, "%s: %s\n", caption.empty() ? "Horavel" : caption.c_str(), text.c_str());
    return MessageBoxCancelAnswer(type);
}

int SystemServices::DoModal(ModalDialog&) { return IDCANCEL; }

bool SystemServices::ShellOpen(const std::string&) { return false; }

bool SystemServices::ShowHelpPage(const fs::path&) { return false; }

std::optional<fs::path> SystemServices::FileDialog(bool, const FileDialogRequest&) { return std::nullopt; }

bool SystemServices::ChooseFont(FontChoice&) { return false; }

bool SystemServices::ChooseColor(gdi::COLORREF&, std::array<gdi::COLORREF, 16>&) { return false; }

bool SystemServices::SetClipboardImage(const gdi::Image&) { return false; }

bool SystemServices::SetClipboardMetafile(std::string, const std::string&) { return false; }

std::int64_t SystemServices::NowMs() const
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

ZoneState SystemServices::ZoneAt(std::int64_t unixSeconds) const
{
    static const bool initialised = (::tzset(), true);
    (void)initialised;
    const auto local = [](std::int64_t t, std::tm& out) {
        const std::time_t tt = static_cast<std::time_t>(t);
        return ::localtime_r(&tt, &out) != nullptr;
    };
    std::tm tm{};
    if (!local(unixSeconds, tm))
        return {};
    ZoneState z;
    z.utcOffsetSeconds = static_cast<int>(tm.tm_gmtoff);
    z.daylight = tm.tm_isdst > 0;
    z.standardOffsetSeconds = z.utcOffsetSeconds;
    if (z.daylight) {
        // The standard offset is the one in force at a nearby time without daylight saving.
        z.standardOffsetSeconds = static_cast<int>(-timezone);
        for (std::int64_t delta : {182, -182, 91, -91}) {
            std::tm other{};
            if (local(unixSeconds + delta * 86400, other) && other.tm_isdst == 0) {
                z.standardOffsetSeconds = static_cast<int>(other.tm_gmtoff);
                break;
            }
        }
        z.daylightOffsetSeconds = z.utcOffsetSeconds - z.standardOffsetSeconds;
    }
    return z;
}

std::string SystemServices::ZoneId() const
{
    const auto afterZoneinfo = [](const std::string& path) -> std::string {
        const size_t at = path.find("zoneinfo/");
        return at == std::string::npos ? std::string() : path.substr(at + 9);
    };
    if (const char* tz = std::getenv("TZ"); tz && *tz) {
        std::string id = tz[0] == ':' ? tz + 1 : tz;
        const std::string inside = afterZoneinfo(id);
        return inside.empty() ? id : inside;
    }
    if (std::ifstream in("/etc/timezone"); in) {
        std::string line;
        if (std::getline(in, line) && !Trim(line).empty())
            return std::string(Trim(line));
    }
    std::error_code ec;
    const fs::path link = fs::read_symlink("/etc/localtime", ec);
    if (!ec) {
        const std::string inside = afterZoneinfo(link.string());
        if (!inside.empty())
            return inside;
    }
    return "UTC";
}

HttpResponse SystemServices::HttpGet(const std::string& url, int)
{
    HttpResponse r;
    if (!IsFetchableUrl(url)) {
        r.failure = HttpFailure::InvalidUrl;
        r.error = "not an http or https address: " + url;
        return r;
    }
    r.failure = HttpFailure::Other;
    r.error = "no network access without the desktop services";
    return r;
}

// ---------------------------------------------------------------------------------------

namespace {
std::unique_ptr<Services> g_services;
}

Services& GetServices()
{
    if (!g_services)
        g_services = std::make_unique<SystemServices>();
    return *g_services;
}

std::unique_ptr<Services> SetServices(std::unique_ptr<Services> services)
{
    std::unique_ptr<Services> previous = std::move(g_services);
    g_services = std::move(services);
    return previous;
}
