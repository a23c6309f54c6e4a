#include "platform/FakeServices.h"
#include "platform/Timers.h"

#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

namespace {

// Every tick lands in one shared log as "name:id@ms", so ordering across hosts shows.
struct Log {
    std::vector<std::string> ticks;
};

class Window : public TimerHost {
public:
    Window(std::string name, Log& log, const FakeTimerService& clock) : name_(std::move(name)), log_(log), clock_(clock) {}
    void OnTimer(int id) override
    {
        log_.ticks.push_back(name_ + ":" + std::to_string(id) + "@" + std::to_string(clock_.NowMs()));
        if (onTimer)
            onTimer(id);
    }
    std::function<void(int)> onTimer;

private:
    std::string name_;
    Log& log_;
    const FakeTimerService& clock_;
};

using Ticks = std::vector<std::string>;

TEST(Timers, FireInTimeOrderAcrossWindowsOncePerPeriod)
{
    ScopedFakeTimers timers;
    Log log;
    Window frame("frame", log, *timers);
    Window view("view", log, *timers);
    frame.SetTimer(1001, 300);
    view.SetTimer(1003, 100);
    view.SetTimer(1005, 150);
    frame.SetTimer(1002, 100);  // same period as view's 1003, set later: fires after it

    timers->Advance(299);
    EXPECT_EQ(log.ticks, (Ticks{"view:1003@100", "frame:1002@100", "view:1005@150", "view:1003@200",
                                "frame:1002@200"}));
    log.ticks.clear();
    timers->Advance(1);
    EXPECT_EQ(log.ticks, (Ticks{"frame:1001@300", "view:1003@300", "view:1005@300", "frame:1002@300"}));
    EXPECT_EQ(timers->NowMs(), 300);
}

TEST(Timers, SettingARunningIdRestartsItWithTheNewPeriod)
{
    ScopedFakeTimers timers;
    Log log;
    Window dlg("anim", log, *timers);
    dlg.SetTimer(1003, 500);
    timers->Advance(400);
    dlg.SetTimer(1003, 100);  // "Rapide" checked mid-way
    EXPECT_EQ(timers->PeriodOf(dlg, 1003), 100);
    EXPECT_EQ(timers->RunningCount(), 1u);
    timers->Advance(250);
    EXPECT_EQ(log.ticks, (Ticks{"anim:1003@500", "anim:1003@600"}));
}

TEST(Timers, KillingIsHarmlessForUnknownIdsAndStopsKnownOnes)
{
    ScopedFakeTimers timers;
    Log log;
    Window a("a", log, *timers);
    EXPECT_FALSE(a.KillTimer(42));  // never set, no service yet
    a.SetTimer(1, 100);
    a.SetTimer(2, 100);
    EXPECT_FALSE(a.KillTimer(42));
    EXPECT_TRUE(a.KillTimer(1));
    EXPECT_FALSE(a.KillTimer(1));
    EXPECT_FALSE(timers->IsRunning(a, 1));
    EXPECT_TRUE(timers->IsRunning(a, 2));
    timers->Advance(100);
    EXPECT_EQ(log.ticks, (Ticks{"a:2@100"}));
}

TEST(Timers, CallbacksMayKillSetAndDestroy)
{
    ScopedFakeTimers timers;
    Log log;
    auto splash = std::make_unique<Window>("splash", log, *timers);
    Window frame("frame", log, *timers);
    // The start-up pattern: the first tick kills its timer and schedules another one.
    frame.onTimer = [&](int id) {
        if (id == 1001) {
            frame.KillTimer(1001);
            frame.SetTimer(1002, 90000);
            splash.reset();  // a window dying while ticks are being delivered
        }
        if (id == 1002)
            frame.KillTimer(1002);
    };
    splash->SetTimer(7, 3000);
    frame.SetTimer(1001, 3000);  // due with splash's 7, set later
    splash->onTimer = [&](int) { splash->SetTimer(8, 1); };  // clamped to the minimum period
    timers->Advance(3000 + 90000 + 1000);
    EXPECT_EQ(log.ticks, (Ticks{"splash:7@3000", "frame:1001@3000", "frame:1002@93000"}));
    EXPECT_EQ(timers->RunningCount(), 0u);
}

TEST(Timers, PeriodsAreClampedAndAdvanceIsNotReentrant)
{
    ScopedFakeTimers timers;
    Log log;
    Window w("w", log, *timers);
    w.SetTimer(1, 0);
    w.SetTimer(2, -5);
    EXPECT_EQ(timers->PeriodOf(w, 1), TimerService::kMinimumPeriodMs);
    EXPECT_EQ(timers->PeriodOf(w, 2), TimerService::kMinimumPeriodMs);
    timers->Advance(30);
    EXPECT_EQ(log.ticks.size(), 6u);

    w.onTimer = [&](int) { timers->Advance(10); };
    EXPECT_THROW(timers->Advance(10), std::logic_error);
    w.onTimer = nullptr;
    timers->Advance(10);  // usable again after the error
}

TEST(Timers, HostsAndServicesMayDieInAnyOrder)
{
    Log log;
    auto first = std::make_unique<FakeTimerService>();
    FakeTimerService& firstRef = *first;
    auto previous = SetTimerService(std::move(first));
    {
        auto host = std::make_unique<Window>("h", log, firstRef);
        host->SetTimer(1, 100);
        EXPECT_EQ(firstRef.RunningCount(), 1u);
        host.reset();  // a host's timers die with it
        EXPECT_EQ(firstRef.RunningCount(), 0u);
    }
    Window survivor("s", log, firstRef);
    survivor.SetTimer(1, 100);
    {
        // A new service: the host moves there when it sets a timer; its old timers stop.
        ScopedFakeTimers second;
        survivor.SetTimer(2, 50);
        EXPECT_FALSE(firstRef.IsRunning(survivor, 1));
        EXPECT_TRUE(second->IsRunning(survivor, 2));
    }
    // The second service is gone: the host neither crashes nor finds its timer.
    EXPECT_FALSE(survivor.KillTimer(2));
    SetTimerService(std::move(previous));  // destroys the first service before the host
    survivor.SetTimer(3, 10);
    EXPECT_TRUE(GetTimerService().IsRunning(survivor, 3));
}

}  // namespace
