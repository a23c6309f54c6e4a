#pragma once
// Window timers: a window or dialog sets numbered timers on itself and is called back with
// the timer's number at every period until it kills the timer or dies.
//
//   class CMainFrame : public QMainWindow, public TimerHost {
//       void OnTimer(int id) override;   // 1001, 1002...
//   };
//   SetTimer(1001, 3000);
//
// Setting a number that runs already restarts it with the new period; killing a number that
// does not run is harmless; a host's timers are killed when the host is destroyed.
#include <memory>
#include <set>

class TimerService;

class TimerHost {
public:
    virtual ~TimerHost();
    virtual void OnTimer(int id) = 0;

    // Through the process-wide timer service.
    void SetTimer(int id, int periodMs);
    // True when the timer was running.
    bool KillTimer(int id);

protected:
    TimerHost() = default;
    TimerHost(const TimerHost&) = delete;
    TimerHost& operator=(const TimerHost&) = delete;

private:
    friend class TimerService;
    TimerService* service_ = nullptr;  // the service holding this host's timers
};

// Keeps track of the hosts it serves, so that neither a host nor the service can outlive the
// other with a dangling timer. A host moves to another service when it sets a timer there
// (its timers in the first service are killed).
class TimerService {
public:
    // Periods below this are raised to it (a zero period would never let the program rest).
    static constexpr int kMinimumPeriodMs = 10;
    static int ClampPeriod(int periodMs) { return periodMs < kMinimumPeriodMs ? kMinimumPeriodMs : periodMs; }

    virtual ~TimerService();
    void SetTimer(TimerHost& host, int id, int periodMs);
    bool KillTimer(TimerHost& host, int id);
    void KillTimers(TimerHost& host);
    virtual bool IsRunning(const TimerHost& host, int id) const = 0;

protected:
    TimerService() = default;
    TimerService(const TimerService&) = delete;
    TimerService& operator=(const TimerService&) = delete;

    virtual void Start(TimerHost& host, int id, int periodMs) = 0;  // period already clamped
    virtual bool Stop(TimerHost& host, int id) = 0;
    virtual void StopAll(TimerHost& host) = 0;

private:
    std::set<TimerHost*> hosts_;
};

// The process-wide timer service. Until one is set, a FakeTimerService that fires only when
// advanced by hand (the application installs the Qt one). Setting null goes back to such a
// service. Returns the service in place before (null when none had been made yet). A Qt
// service must be replaced before the QApplication is destroyed.
TimerService& GetTimerService();
std::unique_ptr<TimerService> SetTimerService(std::unique_ptr<TimerService> service);
