#include "platform/FakeServices.h"

#include <algorithm>
#include <stdexcept>

namespace fs = std::filesystem;

// ---------------------------------------------------------------------------------------
// FakeZone

FakeZone FakeZone::European(std::string id, int standardOffsetSeconds, int firstYear, int lastYear)
{
    FakeZone zone;
    zone.id = std::move(id);
    zone.standardOffsetSeconds = standardOffsetSeconds;
    const auto lastSundayOneAm = [](int year, int month) {
        DateTimeFields last{year, month, 31, 1, 0, 0, 0, 0};
        const std::int64_t t = FieldsToUnix(last);
        return t - static_cast<std::int64_t>(BreakDownUtc(t).dayOfWeek) * 86400;
    };
    for (int year = firstYear; year <= lastYear; ++year)
        zone.daylightPeriods.emplace_back(lastSundayOneAm(year, 3), lastSundayOneAm(year, 10));
    return zone;
}

// ---------------------------------------------------------------------------------------
// FakeServices

int FakeServices::MessageBox(const std::string& text, const std::string& caption, unsigned type, unsigned helpId)
{
    int answer = MessageBoxDefaultAnswer(type);
    if (!messageBoxAnswers_.empty()) {
        answer = messageBoxAnswers_.front();
        messageBoxAnswers_.pop_front();
    }
    messageBoxes.push_back(MessageBoxCall{text, caption, type, helpId, answer});
    return answer;
}

void FakeServices::SetDialogScript(int templateId, std::function<int(ModalDialog&)> script)
{
    dialogScripts_[templateId] = std::move(script);
}

int FakeServices::DoModal(ModalDialog& dialog)
{
    dialogsRun.push_back(dialog.TemplateId());
    const auto it = dialogScripts_.find(dialog.TemplateId());
    if (it == dialogScripts_.end())
        return defaultDialogResult_;
    // A copy, so that a script may replace scripts while it runs.
    const std::function<int(ModalDialog&)> script = it->second;
    return script(dialog);
}

bool FakeServices::ShellOpen(const std::string& target)
{
    const std::optional<ShellTarget> resolved = ResolveShellTarget(target, ShellOpenFolders());
    const bool opened = resolved && (resolved->isFile ? desktopOpensFiles_ : desktopOpensAddresses_);
    shellOpens.push_back(ShellOpenCall{target, opened});
    return opened;
}

bool FakeServices::ShowHelpPage(const fs::path& page)
{
    const std::optional<ShellTarget> resolved = ResolveShellTarget(page.string(), ShellOpenFolders());
    if (!resolved || !resolved->isFile)
        return false;
    helpPagesShown.push_back(page);
    return true;
}

std::optional<fs::path> FakeServices::FileDialog(bool save, const FileDialogRequest& request)
{
    auto& answers = save ? saveAnswers_ : openAnswers_;
    std::optional<fs::path> answer;
    if (!answers.empty()) {
        answer = answers.front();
        answers.pop_front();
    }
    if (answer)
        answer = WithDefaultExtension(*answer, request.defaultExtension);
    fileDialogs.push_back(FileDialogCall{save, request, answer});
    return answer;
}

bool FakeServices::ChooseFont(FontChoice& choice)
{
    fontRequests.push_back(choice);
    if (fontAnswers_.empty())
        return false;
    const std::optional<FontChoice> answer = fontAnswers_.front();
    fontAnswers_.pop_front();
    if (!answer)
        return false;
    choice = *answer;
    return true;
}

bool FakeServices::ChooseColor(gdi::COLORREF& color, std::array<gdi::COLORREF, 16>&)
{
    colorRequests.push_back(color);
    if (colorAnswers_.empty())
        return false;
    const std::optional<gdi::COLORREF> answer = colorAnswers_.front();
    colorAnswers_.pop_front();
    if (!answer)
        return false;
    color = *answer;
    return true;
}

bool FakeServices::SetClipboardImage(const gdi::Image& image)
{
    if (image.IsNull())
        return false;
    clipboard = Clipboard{image, {}, {}};
    ++clipboardWrites;
    return true;
}

bool FakeServices::SetClipboardMetafile(std::string bytes, const std::string& mimeType)
{
    if (bytes.empty() || mimeType.empty())
        return false;
    clipboard = Clipboard{std::nullopt, mimeType, std::move(bytes)};
    ++clipboardWrites;
    return true;
}

ZoneState FakeServices::ZoneAt(std::int64_t unixSeconds) const
{
    ZoneState z;
    z.standardOffsetSeconds = zone_.standardOffsetSeconds;
    z.daylight = std::any_of(zone_.daylightPeriods.begin(), zone_.daylightPeriods.end(), [&](const auto& p) {
        return unixSeconds >= p.first && unixSeconds < p.second;
    });
    z.daylightOffsetSeconds = z.daylight ? zone_.daylightOffsetSeconds : 0;
    z.utcOffsetSeconds = z.standardOffsetSeconds + z.daylightOffsetSeconds;
    return z;
}

HttpResponse FakeServices::HttpGet(const std::string& url, int timeoutMs)
{
    httpRequests.push_back(HttpCall{url, timeoutMs});
    HttpResponse r;
    if (!IsFetchableUrl(url)) {
        r.failure = HttpFailure::InvalidUrl;
        r.error = "not an http or https address: " + url;
        return r;
    }
    const auto it = httpResponses_.find(url);
    if (it != httpResponses_.end())
        return it->second;
    r.failure = HttpFailure::ConnectionFailed;
    r.error = "no response scripted for " + url;
    return r;
}

void FakeServices::BeginWaitCursor()
{
    ++waitCursorBegins;
    ++waitCursorDepth;
    waitCursorMaxDepth = std::max(waitCursorMaxDepth, waitCursorDepth);
}

void FakeServices::EndWaitCursor()
{
    if (waitCursorDepth > 0)
        --waitCursorDepth;
}

bool FakeServices::PrintSetup()
{
    ++printSetups;
    if (printSetupAnswers_.empty())
        return false;
    const std::optional<PrinterInfo> chosen = printSetupAnswers_.front();
    printSetupAnswers_.pop_front();
    if (!chosen)
        return false;
    printer_ = *chosen;
    printer_.paperChosen = true;
    return true;
}

// ---------------------------------------------------------------------------------------
// FakeTimerService

void FakeTimerService::Advance(std::int64_t ms)
{
    if (advancing_)
        throw std::logic_error("FakeTimerService::Advance called from a timer callback");
    advancing_ = true;
    const std::int64_t target = nowMs_ + std::max<std::int64_t>(ms, 0);
    for (;;) {
        auto next = timers_.end();
        for (auto it = timers_.begin(); it != timers_.end(); ++it) {
            if (it->dueMs > target)
                continue;
            if (next == timers_.end() || it->dueMs < next->dueMs ||
                (it->dueMs == next->dueMs && it->order < next->order))
                next = it;
        }
        if (next == timers_.end())
            break;
        nowMs_ = next->dueMs;
        next->dueMs += next->periodMs;
        TimerHost* host = next->host;
        const int id = next->id;
        try {
            host->OnTimer(id);  // may change timers_
        } catch (...) {
            advancing_ = false;
            throw;
        }
    }
    nowMs_ = target;
    advancing_ = false;
}

bool FakeTimerService::IsRunning(const TimerHost& host, int id) const { return PeriodOf(host, id) >= 0; }

int FakeTimerService::PeriodOf(const TimerHost& host, int id) const
{
    for (const Entry& e : timers_)
        if (e.host == &host && e.id == id)
            return e.periodMs;
    return -1;
}

void FakeTimerService::Start(TimerHost& host, int id, int periodMs)
{
    for (Entry& e : timers_) {
        if (e.host == &host && e.id == id) {
            e.periodMs = periodMs;
            e.dueMs = nowMs_ + periodMs;
            e.order = nextOrder_++;
            return;
        }
    }
    timers_.push_back(Entry{&host, id, periodMs, nowMs_ + periodMs, nextOrder_++});
}

bool FakeTimerService::Stop(TimerHost& host, int id)
{
    const auto before = timers_.size();
    std::erase_if(timers_, [&](const Entry& e) { return e.host == &host && e.id == id; });
    return timers_.size() != before;
}

void FakeTimerService::StopAll(TimerHost& host)
{
    std::erase_if(timers_, [&](const Entry& e) { return e.host == &host; });
}

// ---------------------------------------------------------------------------------------
// Scoped installers

ScopedFakeServices::ScopedFakeServices()
{
    auto fake = std::make_unique<FakeServices>();
    fake_ = fake.get();
    previous_ = SetServices(std::move(fake));
}

ScopedFakeServices::~ScopedFakeServices() { SetServices(std::move(previous_)); }

ScopedFakeTimers::ScopedFakeTimers()
{
    auto fake = std::make_unique<FakeTimerService>();
    fake_ = fake.get();
    previous_ = SetTimerService(std::move(fake));
}

ScopedFakeTimers::~ScopedFakeTimers() { SetTimerService(std::move(previous_)); }

ScopedMemoryProfile::ScopedMemoryProfile()
{
    auto profile = std::make_unique<MemoryProfile>();
    profile_ = profile.get();
    previous_ = SetProfile(std::move(profile));
}

ScopedMemoryProfile::~ScopedMemoryProfile() { SetProfile(std::move(previous_)); }
