#pragma once
// Scriptable stand-ins for the desktop services, for tests: answers are queued in advance,
// and every call is recorded for assertions. Plain C++: usable by any test program.
//
//   ScopedFakeServices fake;
//   fake->QueueMessageBoxAnswer(IDNO);
//   RunTheCommand();
//   EXPECT_EQ(fake->messageBoxes.at(0).text, "...");
#include "platform/Profile.h"
#include "platform/Services.h"
#include "platform/Timers.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <utility>

// Time zone rules of the fake clock: a standard offset and the UTC intervals during which
// daylight saving adds its offset.
struct FakeZone {
    std::string id = "UTC";
    int standardOffsetSeconds = 0;
    int daylightOffsetSeconds = 3600;
    std::vector<std::pair<std::int64_t, std::int64_t>> daylightPeriods;  // [start, end) in UTC

    // The European rule: daylight saving from the last Sunday of March to the last Sunday of
    // October, changing at 01:00 UTC, for the years given.
    static FakeZone European(std::string id, int standardOffsetSeconds, int firstYear, int lastYear);
};

class FakeServices : public Services {
public:
    struct MessageBoxCall {
        std::string text;
        std::string caption;
        unsigned type = 0;
        unsigned helpId = 0;
        int answer = 0;
    };
    struct FileDialogCall {
        bool save = false;
        FileDialogRequest request;
        std::optional<std::filesystem::path> answer;
    };
    struct ShellOpenCall {
        std::string target;
        bool opened = false;
    };
    struct HttpCall {
        std::string url;
        int timeoutMs = 0;
    };
    // What was last put on the clipboard: an image, or bytes of a MIME type.
    struct Clipboard {
        std::optional<gdi::Image> image;
        std::string mimeType;
        std::string bytes;
    };

    // Answers. A box without a queued answer takes its default button; a file, font or
    // colour chooser or a print setup without one is cancelled; a dialog without a script
    // returns the default dialog result (IDCANCEL); an address without a response fails
    // with ConnectionFailed.
    void QueueMessageBoxAnswer(int answer) { messageBoxAnswers_.push_back(answer); }
    void QueueOpenFile(std::optional<std::filesystem::path> file) { openAnswers_.push_back(std::move(file)); }
    void QueueSaveFile(std::optional<std::filesystem::path> file) { saveAnswers_.push_back(std::move(file)); }
    void QueueFont(std::optional<FontChoice> choice) { fontAnswers_.push_back(std::move(choice)); }
    void QueueColor(std::optional<gdi::COLORREF> color) { colorAnswers_.push_back(color); }
    void QueuePrintSetup(std::optional<PrinterInfo> chosen) { printSetupAnswers_.push_back(std::move(chosen)); }
    // The script is called instead of showing the dialog; it may change the dialog's fields
    // and returns the dialog's result.
    void SetDialogScript(int templateId, std::function<int(ModalDialog&)> script);
    void SetDefaultDialogResult(int result) { defaultDialogResult_ = result; }
    void SetHttpResponse(const std::string& url, HttpResponse response) { httpResponses_[url] = std::move(response); }
    void SetScreen(const ScreenInfo& screen) { screen_ = screen; }
    void SetPrinter(const PrinterInfo& printer) { printer_ = printer; }
    // The clock stands still unless moved.
    void SetNowMs(std::int64_t ms) { nowMs_ = ms; }
    void AdvanceClockMs(std::int64_t ms) { nowMs_ += ms; }
    void SetZone(FakeZone zone) { zone_ = std::move(zone); }
    // A desktop that opens no file (no HTML viewer): ShellOpen fails for every file.
    void SetDesktopOpensFiles(bool opens) { desktopOpensFiles_ = opens; }
    // A desktop with no browser and no mail program: ShellOpen fails for web and mail addresses.
    void SetDesktopOpensAddresses(bool opens) { desktopOpensAddresses_ = opens; }

    // Records.
    std::vector<MessageBoxCall> messageBoxes;
    std::vector<int> dialogsRun;  // template ids
    int beeps = 0;
    std::vector<ShellOpenCall> shellOpens;
    std::vector<std::filesystem::path> helpPagesShown;  // by the program's own help window
    std::vector<FileDialogCall> fileDialogs;
    std::vector<FontChoice> fontRequests;
    std::vector<gdi::COLORREF> colorRequests;
    Clipboard clipboard;
    int clipboardWrites = 0;
    std::vector<HttpCall> httpRequests;
    int waitCursorDepth = 0;
    int waitCursorMaxDepth = 0;
    int waitCursorBegins = 0;
    int printSetups = 0;

    int MessageBox(const std::string& text, const std::string& caption, unsigned type,
                   unsigned helpId = 0) override;
    int DoModal(ModalDialog& dialog) override;
    void Beep() override { ++beeps; }
    bool ShellOpen(const std::string& target) override;
    bool ShowHelpPage(const std::filesystem::path& page) override;
    bool ChooseFont(FontChoice& choice) override;
    bool ChooseColor(gdi::COLORREF& color, std::array<gdi::COLORREF, 16>& customColors) override;
    bool SetClipboardImage(const gdi::Image& image) override;
    bool SetClipboardMetafile(std::string bytes, const std::string& mimeType = "image/x-emf") override;
    std::int64_t NowMs() const override { return nowMs_; }
    ZoneState ZoneAt(std::int64_t unixSeconds) const override;
    std::string ZoneId() const override { return zone_.id; }
    HttpResponse HttpGet(const std::string& url, int timeoutMs) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    ScreenInfo GetScreen() const override { return screen_; }
    PrinterInfo GetPrinter() override { return printer_; }
    bool PrintSetup() override;

private:
    std::optional<std::filesystem::path> FileDialog(bool save, const FileDialogRequest& request) override;

    std::deque<int> messageBoxAnswers_;
    std::deque<std::optional<std::filesystem::path>> openAnswers_;
    std::deque<std::optional<std::filesystem::path>> saveAnswers_;
    std::deque<std::optional<FontChoice>> fontAnswers_;
    std::deque<std::optional<gdi::COLORREF>> colorAnswers_;
    std::deque<std::optional<PrinterInfo>> printSetupAnswers_;
    std::map<int, std::function<int(ModalDialog&)>> dialogScripts_;
    int defaultDialogResult_ = IDCANCEL;
    bool desktopOpensFiles_ = true;
    bool desktopOpensAddresses_ = true;
    std::map<std::string, HttpResponse> httpResponses_;
    ScreenInfo screen_;
    PrinterInfo printer_;
    std::int64_t nowMs_ = 1577836800000;  // 2020-01-01 00:00:00 UTC
    FakeZone zone_;
};

// Timers driven by hand: nothing fires until Advance.
class FakeTimerService : public TimerService {
public:
    ~FakeTimerService() override = default;

    // Moves the fake time forward by ms, firing every timer that falls due on the way, in
    // time order; timers due at the same instant fire in the order they were set. A timer
    // fires once per elapsed period. Callbacks may set, kill or destroy anything.
    void Advance(std::int64_t ms);
    std::int64_t NowMs() const { return nowMs_; }

    bool IsRunning(const TimerHost& host, int id) const override;
    // The period of a running timer, -1 when it does not run.
    int PeriodOf(const TimerHost& host, int id) const;
    std::size_t RunningCount() const { return timers_.size(); }

protected:
    void Start(TimerHost& host, int id, int periodMs) override;
    bool Stop(TimerHost& host, int id) override;
    void StopAll(TimerHost& host) override;

private:
    struct Entry {
        TimerHost* host = nullptr;
        int id = 0;
        int periodMs = 0;
        std::int64_t dueMs = 0;
        std::uint64_t order = 0;
    };
    std::vector<Entry> timers_;
    std::int64_t nowMs_ = 0;
    std::uint64_t nextOrder_ = 0;
    bool advancing_ = false;
};

// Install a fake (or a memory profile) for the life of the object, then put back what was
// in place before.
class ScopedFakeServices {
public:
    ScopedFakeServices();
    ~ScopedFakeServices();
    ScopedFakeServices(const ScopedFakeServices&) = delete;
    ScopedFakeServices& operator=(const ScopedFakeServices&) = delete;
    FakeServices& operator*() const { return *fake_; }
    FakeServices* operator->() const { return fake_; }

private:
    FakeServices* fake_;
    std::unique_ptr<Services> previous_;
};

class ScopedFakeTimers {
public:
    ScopedFakeTimers();
    ~ScopedFakeTimers();
    ScopedFakeTimers(const ScopedFakeTimers&) = delete;
    ScopedFakeTimers& operator=(const ScopedFakeTimers&) = delete;
    FakeTimerService& operator*() const { return *fake_; }
    FakeTimerService* operator->() const { return fake_; }

private:
    FakeTimerService* fake_;
    std::unique_ptr<TimerService> previous_;
};

class ScopedMemoryProfile {
public:
    ScopedMemoryProfile();
    ~ScopedMemoryProfile();
    ScopedMemoryProfile(const ScopedMemoryProfile&) = delete;
    ScopedMemoryProfile& operator=(const ScopedMemoryProfile&) = delete;
    MemoryProfile& operator*() const { return *profile_; }
    MemoryProfile* operator->() const { return profile_; }

private:
    MemoryProfile* profile_;
    std::unique_ptr<Profile> previous_;
};
