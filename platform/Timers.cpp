#include "platform/Timers.h"

#include "platform/FakeServices.h"

TimerHost::~TimerHost()
{
    if (service_)
        service_->KillTimers(*this);
}

void TimerHost::SetTimer(int id, int periodMs) { GetTimerService().SetTimer(*this, id, periodMs); }

bool TimerHost::KillTimer(int id) { return service_ ? service_->KillTimer(*this, id) : false; }

TimerService::~TimerService()
{
    for (TimerHost* host : hosts_)
        host->service_ = nullptr;
}

void TimerService::SetTimer(TimerHost& host, int id, int periodMs)
{
    if (host.service_ && host.service_ != this)
        host.service_->KillTimers(host);
    host.service_ = this;
    hosts_.insert(&host);
    Start(host, id, ClampPeriod(periodMs));
}

bool TimerService::KillTimer(TimerHost& host, int id)
{
    if (host.service_ != this)
        return false;
    return Stop(host, id);
}

void TimerService::KillTimers(TimerHost& host)
{
    if (host.service_ != this)
        return;
    StopAll(host);
    hosts_.erase(&host);
    host.service_ = nullptr;
}

namespace {
std::unique_ptr<TimerService> g_timers;
}

TimerService& GetTimerService()
{
    if (!g_timers)
        g_timers = std::make_unique<FakeTimerService>();
    return *g_timers;
}

std::unique_ptr<TimerService> SetTimerService(std::unique_ptr<TimerService> service)
{
    std::unique_ptr<TimerService> previous = std::move(g_timers);
    g_timers = std::move(service);
    return previous;
}
