#pragma once
// Window timers on Qt: one QTimer per (window, number).
#include "platform/Timers.h"

#include <QObject>

#include <map>
#include <memory>
#include <utility>

class QTimer;

class QtTimerService : public TimerService {
public:
    QtTimerService();
    ~QtTimerService() override;

    bool IsRunning(const TimerHost& host, int id) const override;

protected:
    void Start(TimerHost& host, int id, int periodMs) override;
    bool Stop(TimerHost& host, int id) override;
    void StopAll(TimerHost& host) override;

private:
    void Discard(QTimer* timer);

    std::unique_ptr<QObject> owner_;  // parent of every timer
    std::map<std::pair<const TimerHost*, int>, QTimer*> timers_;
};
