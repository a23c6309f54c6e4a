#include "app/UpdateSchedule.h"

#include "app/Trace.h"
#include "platform/Profile.h"
#include "platform/Services.h"
#include "platform/Timers.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

constexpr const char* kSection = "Options\\SoftwareUpdate";

std::string CheckDateText(std::int64_t unixSeconds)
{
    const DateTimeFields t = GetServices().ToLocal(unixSeconds);
    char text[64];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d @ %02d h %02d min %02d sec", t.day, t.month, t.year, t.hour,
                  t.minute, t.second);
    return text;
}

}  // namespace

int ScheduleUpdateCheck(TimerHost& frame)
{
    Profile& profile = GetProfile();
    const int period = profile.GetInt(kSection, "bCheckPeriod", 30);
    // Seconds in 64 bits, written as decimal text: an int would wrap in 2038. Values an
    // int once stored read the same.
    std::int64_t last = 0;
    if (!ParseProfileInt(profile.GetString(kSection, "LastCheckDate", "0"), last))
        last = 0;
    const std::int64_t now = GetServices().Now();
    if (last != 0) {
        Trace("Last Software Update was checked on %s.", CheckDateText(last).c_str());
        const std::int64_t elapsed = (now - last) / 86400;
        if (elapsed <= period) {
            Trace("Delay has not expired. Will recheck in %d days.", static_cast<int>(period - elapsed));
            return 0;
        }
        Trace("Delay has expired (%d days), rechecking.", period);
    }
    frame.SetTimer(kUpdateCheckTimer, kUpdateCheckDelayMs);
    profile.WriteString(kSection, "LastCheckDate", std::to_string(now));
    return 1;
}
