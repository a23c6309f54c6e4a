#include "app/UpdateSchedule.h"
#include "platform/FakeServices.h"
#include "platform/Timers.h"

#include <gtest/gtest.h>

namespace {

struct Frame : TimerHost {
    std::vector<int> fired;
    void OnTimer(int id) override { fired.push_back(id); }
};

}  // namespace

TEST(UpdateSchedule, ChecksAtMostOncePerPeriod)
{
    ScopedMemoryProfile profile;
    ScopedFakeServices fake;
    ScopedFakeTimers timers;
    Frame frame;
    const std::int64_t now = fake->Now();

    // Never checked: scheduled 90 s later, and the date recorded.
    EXPECT_EQ(ScheduleUpdateCheck(frame), 1);
    EXPECT_EQ(timers->PeriodOf(frame, kUpdateCheckTimer), 90000);
    EXPECT_EQ(profile->GetInt("Options\\SoftwareUpdate", "LastCheckDate", 0), now);
    frame.KillTimer(kUpdateCheckTimer);

    // 30 whole days later the period has not expired yet; 31 it has.
    fake->AdvanceClockMs(30LL * 86400 * 1000 + 86399 * 1000LL);
    EXPECT_EQ(ScheduleUpdateCheck(frame), 0);
    EXPECT_FALSE(timers->IsRunning(frame, kUpdateCheckTimer));
    fake->AdvanceClockMs(1000);
    EXPECT_EQ(ScheduleUpdateCheck(frame), 1);
    EXPECT_TRUE(timers->IsRunning(frame, kUpdateCheckTimer));
    EXPECT_EQ(profile->GetInt("Options\\SoftwareUpdate", "LastCheckDate", 0), fake->Now());

    // A shorter period from the settings.
    frame.KillTimer(kUpdateCheckTimer);
    profile->WriteInt("Options\\SoftwareUpdate", "bCheckPeriod", 0);
    fake->AdvanceClockMs(86400 * 1000LL);
    EXPECT_EQ(ScheduleUpdateCheck(frame), 1);

    // Past 2038 the date still counts: 64 bits, written and read back.
    frame.KillTimer(kUpdateCheckTimer);
    profile->WriteInt("Options\\SoftwareUpdate", "bCheckPeriod", 30);
    fake->SetNowMs(4'102'444'800'000LL);  // 2100-01-01
    EXPECT_EQ(ScheduleUpdateCheck(frame), 1);
    EXPECT_EQ(profile->GetString("Options\\SoftwareUpdate", "LastCheckDate", ""), "4102444800");
    frame.KillTimer(kUpdateCheckTimer);
    fake->AdvanceClockMs(86400 * 1000LL);
    EXPECT_EQ(ScheduleUpdateCheck(frame), 0);
    EXPECT_FALSE(timers->IsRunning(frame, kUpdateCheckTimer));
}
