#include "app/SoftwareUpdate.h"

#include "app/Formatting.h"
#include "app/Trace.h"
#include "app/Translation.h"
#include "platform/AsciiText.h"
#include "platform/Profile.h"
#include "platform/Services.h"

#include <cstdio>
#include <vector>

namespace {

std::string_view Trim(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// The blank-separated words after the keyword.
std::vector<std::string_view> ValuesAfter(std::string_view line, size_t keywordEnd)
{
    std::vector<std::string_view> words;
    std::string_view rest = line.substr(keywordEnd);
    while (!rest.empty()) {
        const auto start = rest.find_first_not_of(" \t");
        if (start == std::string_view::npos)
            break;
        rest.remove_prefix(start);
        const auto end = rest.find_first_of(" \t");
        words.push_back(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
    }
    return words;
}

// The n-th value as a decimal number; text that is no number, or no value at all, reads 0.
int IntValue(const std::vector<std::string_view>& values, size_t n)
{
    return n < values.size() ? StringToInt(values[n]) : 0;
}

// "2.0.1" as 20001; missing parts read 0.
long long VersionNumber(std::string_view text)
{
    long long parts[3] = {0, 0, 0};
    for (long long& part : parts) {
        const auto dot = text.find('.');
        part = StringToInt(text.substr(0, dot));
        if (dot == std::string_view::npos)
            break;
        text.remove_prefix(dot + 1);
    }
    return (parts[0] * 100 + parts[1]) * 100 + parts[2];
}

std::string FileDateText(std::int64_t unixSeconds)
{
    const DateTimeFields t = GetServices().ToLocal(unixSeconds);
    char text[80];
    std::snprintf(text, sizeof text, "%d/%d/%d @ %d h %d min %d s", t.day, t.month, t.year, t.hour, t.minute,
                  t.second);
    return text;
}

void Report(int interactive, int stringId, unsigned icon)
{
    if (interactive)
        TranslatedMessageBox(stringId, MB_OK | icon);
}

}  // namespace

void ParseUpdateInfo(UpdateInfo& info, std::string_view rawLine)
{
    const std::string_view line = Trim(rawLine);
    auto keyword = [&](std::string_view word, size_t& end) {
        const auto at = line.find(word);
        if (at == std::string_view::npos)
            return false;
        end = at + word.size();
        return true;
    };
    size_t end = 0;
    if (keyword("SOFTWARE_UPDATE_INFORMATION", end)) {
        info.signatureSeen = 1;
        info.formatNumber = IntValue(ValuesAfter(line, end), 0);
    } else if (keyword("VERSION", end)) {
        const auto values = ValuesAfter(line, end);
        info.major = IntValue(values, 0);
        info.minor = IntValue(values, 1);
        info.revision = IntValue(values, 2);
        info.build = IntValue(values, 3);
        Trace("Version: %d.%d.%d build %d", info.major, info.minor, info.revision, info.build);
    } else if (keyword("DATE", end)) {
        const auto values = ValuesAfter(line, end);
        DateTimeFields local;
        local.year = IntValue(values, 0);
        local.month = IntValue(values, 1);
        local.day = IntValue(values, 2);
        local.hour = IntValue(values, 3);
        local.minute = IntValue(values, 4);
        local.second = IntValue(values, 5);
        info.releaseDate = GetServices().FromLocal(local);
        Trace("Released on: %d/%d/%d at %d:%d:%d.", local.year, local.month, local.day, local.hour, local.minute,
              local.second);
    } else if (keyword("PHASE", end)) {
        const auto values = ValuesAfter(line, end);
        const std::string_view word = values.empty() ? std::string_view{} : values[0];
        info.phase = word == "A" ? 2 : word == "B" ? 1 : 0;
    } else if (keyword("URL", end)) {
        const auto open = line.find('"');
        const auto close = open == std::string_view::npos ? open : line.find('"', open + 1);
        info.link = close == std::string_view::npos ? std::string() : std::string(Trim(line.substr(open + 1, close - open - 1)));
        Trace("Link: %s", info.link.c_str());
    } else if (keyword("ERROR", end)) {
        if (line.find("404") != std::string_view::npos)
            info.errorSeen = 1;
    }
}

std::string UpdateVersionText(const UpdateInfo& info)
{
    char text[96];
    if (info.phase == 1 || info.phase == 2) {
        std::snprintf(text, sizeof text, "%d.%d %s %d", info.major, info.minor, info.phase == 1 ? "beta" : "alpha",
                      info.revision);
        return text;
    }
    std::snprintf(text, sizeof text, "%d.%d.%d", info.major, info.minor, info.revision);
    std::string result = text;
    if (info.build > 0) {
        std::snprintf(text, sizeof text, "%s build %d", result.c_str(), info.build);
        result = text;
    }
    return result;
}

bool IsNewerVersion(const UpdateInfo& info, std::string_view runningVersion, int runningBuild)
{
    if (info.phase != 0)
        return true;
    const long long offered = (static_cast<long long>(info.major) * 100 + info.minor) * 100 + info.revision;
    const long long running = VersionNumber(runningVersion);
    return offered > running || (offered == running && info.build > runningBuild);
}

std::string CompleteUpdateUrl(std::string url)
{
    // An https address stays as it is: "http://" in front of it would make it unusable.
    if (!ascii::StartsWithNoCase(url, "http://") && !ascii::StartsWithNoCase(url, "https://"))
        url.insert(0, "http://");
    return url;
}

int FetchUpdateInfo(const std::string& url, UpdateInfo& info, int timeoutMs)
{
    WaitCursor wait;
    info = UpdateInfo{};
    const HttpResponse response = GetServices().HttpGet(CompleteUpdateUrl(url), timeoutMs);
    switch (response.failure) {
    case HttpFailure::None: break;
    case HttpFailure::InvalidUrl: return kUpdatePageNotFound;
    case HttpFailure::TooLarge: return kUpdateNoInformation;
    default: return kUpdateNoConnection;
    }
    if (response.status >= 300)
        return response.status;
    std::string_view body = response.body;
    while (!body.empty()) {
        const auto end = body.find('\n');
        std::string_view line = body.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        ParseUpdateInfo(info, line);
        body.remove_prefix(end == std::string_view::npos ? body.size() : end + 1);
    }
    if (info.errorSeen)
        return kUpdatePageNotFound;
    return info.signatureSeen ? kUpdateInfoFound : kUpdateNoInformation;
}

std::string FormatUpdateDate(std::int64_t unixSeconds)
{
    const DateTimeFields t = GetServices().ToLocal(unixSeconds);
    char text[80];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d @ %02d h %02d min %02d sec", t.day, t.month, t.year, t.hour,
                  t.minute, t.second);
    return text;
}

int CheckForSoftwareUpdate(int interactive, const SoftwareUpdateHooks& hooks)
{
    const std::string url = GetProfile().GetString(kSoftwareUpdateSection, "UpdateInfoUrl", kDefaultUpdateInfoUrl);
    if (url.empty()) {
        Trace("Unable to check for software update: no URL to look at.");
        Report(interactive, 1301, MB_ICONERROR);
        return -1;
    }
    Trace("Checking for software update at URL : %s", url.c_str());
    UpdateInfo info;
    const int result = FetchUpdateInfo(url, info, hooks.timeoutMs);
    switch (result) {
    case kUpdateInfoFound:
        if (IsNewerVersion(info, hooks.runningVersion, hooks.runningBuild)) {
            NewVersionNotice notice;
            notice.currentVersion = hooks.runningVersion + " build " + std::to_string(hooks.runningBuild);
            if (hooks.programFileTime)
                notice.currentDate = FileDateText(*hooks.programFileTime);
            notice.availableVersion = UpdateVersionText(info);
            notice.availableDate = FormatUpdateDate(info.releaseDate);
            notice.link = info.link;
            Trace("New Software Update available. Version: %s. Date: %s.", notice.availableVersion.c_str(),
                  notice.availableDate.c_str());
            if (hooks.announce)
                hooks.announce(notice);
        } else {
            Trace("Current Software is up to date. No need to upgrade.");
            Report(interactive, 1302, MB_ICONINFORMATION);
        }
        break;
    case kUpdateNoConnection:
        Trace("Unable to check for software update: no Internet connexion.");
        Report(interactive, 1303, MB_ICONWARNING);
        break;
    case kUpdatePageNotFound:
        Trace("Unable to check for software update: Bad URL (error 404).");
        Report(interactive, 1304, MB_ICONWARNING);
        break;
    case kUpdateNoInformation:
        Trace("Unable to check for software update: No update info in file.");
        Report(interactive, 1305, MB_ICONWARNING);
        break;
    default:
        Trace("QueryInfoStatusCode returned error code %d", result);
        Report(interactive, 1306, MB_ICONWARNING);
        break;
    }
    return result;
}
