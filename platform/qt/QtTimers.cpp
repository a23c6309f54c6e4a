#include "platform/qt/QtTimers.h"

#include <QTimer>

QtTimerService::QtTimerService() : owner_(std::make_unique<QObject>()) {}

QtTimerService::~QtTimerService() = default;

bool QtTimerService::IsRunning(const TimerHost& host, int id) const { return timers_.count({&host, id}) != 0; }

void QtTimerService::Start(TimerHost& host, int id, int periodMs)
{
    QTimer*& timer = timers_[{&host, id}];
    if (!timer) {
        timer = new QTimer(owner_.get());
        TimerHost* target = &host;
        // The host is alive while its timer runs: hosts kill their timers when they die.
        QObject::connect(timer, &QTimer::timeout, timer, [target, id] { target->OnTimer(id); });
    }
    timer->start(periodMs);  // a running timer restarts with the new period
}

bool QtTimerService::Stop(TimerHost& host, int id)
{
    const auto it = timers_.find({&host, id});
    if (it == timers_.end())
        return false;
    Discard(it->second);
    timers_.erase(it);
    return true;
}

void QtTimerService::StopAll(TimerHost& host)
{
    for (auto it = timers_.begin(); it != timers_.end();) {
        if (it->first.first == &host) {
            Discard(it->second);
            it = timers_.erase(it);
        } else {
            ++it;
        }
    }
}

void QtTimerService::Discard(QTimer* timer)
{
    // The timer may be the one whose tick is running now: delete it once that is over.
    timer->stop();
    timer->disconnect();
    timer->deleteLater();
}
