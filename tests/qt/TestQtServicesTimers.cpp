#include "platform/qt/QtTimers.h"

#include <QTest>

#include <functional>
#include <map>
#include <gtest/gtest.h>
#include <memory>

namespace {

// No test here asserts on durations: only on what fires and what stops.
class Counter : public TimerHost {
public:
    void OnTimer(int id) override
    {
        ++ticks[id];
        if (onTimer)
            onTimer(id);
    }
    std::map<int, int> ticks;
    std::function<void(int)> onTimer;
};

class QtTimers : public ::testing::Test {
protected:
    void SetUp() override { previous_ = SetTimerService(std::make_unique<QtTimerService>()); }
    void TearDown() override { SetTimerService(std::move(previous_)); }
    std::unique_ptr<TimerService> previous_;
};

TEST_F(QtTimers, TicksRepeatUntilKilled)
{
    Counter w;
    w.SetTimer(1003, 10);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.ticks[1003] >= 3; }, 5000));
    EXPECT_TRUE(w.KillTimer(1003));
    EXPECT_FALSE(w.KillTimer(1003));
    EXPECT_FALSE(w.KillTimer(4242));
    const int seen = w.ticks[1003];
    QTest::qWait(60);
    EXPECT_EQ(w.ticks[1003], seen);
    EXPECT_FALSE(GetTimerService().IsRunning(w, 1003));
}

TEST_F(QtTimers, SettingTheSameIdRestartsWithTheNewPeriod)
{
    Counter w;
    w.SetTimer(1004, 3'600'000);
    w.SetTimer(1004, 10);  // the hour-long period is replaced, not added
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.ticks[1004] >= 2; }, 5000));
    w.KillTimer(1004);
    EXPECT_FALSE(GetTimerService().IsRunning(w, 1004));
}

TEST_F(QtTimers, AHostMayDieInItsOwnTickAndTakesItsTimersAlong)
{
    auto dialog = std::make_unique<Counter>();
    Counter* raw = dialog.get();
    int survivorTicks = 0;
    Counter survivor;
    survivor.onTimer = [&](int) { ++survivorTicks; };
    survivor.SetTimer(1, 10);
    raw->SetTimer(8787, 10);
    raw->SetTimer(2, 10);
    raw->onTimer = [&](int id) {
        if (id == 8787)
            dialog.reset();  // the uninstall dialog closes on its first tick
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog; }, 5000));
    const int before = survivorTicks;
    ASSERT_TRUE(QTest::qWaitFor([&] { return survivorTicks >= before + 3; }, 5000));
}

TEST_F(QtTimers, ReplacingTheServiceStopsItsTimers)
{
    Counter w;
    w.SetTimer(1, 10);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.ticks[1] >= 1; }, 5000));
    SetTimerService(std::make_unique<QtTimerService>());  // the old service and its timers go
    const int seen = w.ticks[1];
    QTest::qWait(60);
    EXPECT_EQ(w.ticks[1], seen);
    EXPECT_FALSE(w.KillTimer(1));
    w.SetTimer(2, 10);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.ticks[2] >= 1; }, 5000));
}

}  // namespace
