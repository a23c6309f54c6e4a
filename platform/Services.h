#pragma once
// The desktop services the program asks for, behind one injectable interface: message
// boxes, nested modal dialogs, the beep, opening links and help pages, file, font and colour
// choosers, the clipboard, the clock and time zone, HTTP, the wait cursor, the screen and
// the application printer.
//
// GetServices() is what the program calls. The application installs the Qt implementation;
// tests install FakeServices (platform/FakeServices.h); until then SystemServices answers:
// the real clock, and "nothing shown, nothing done" for everything that needs a display.
#include "platform/Gdi.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Message box types: buttons, icon and default button, or-ed together.
enum : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_ABORTRETRYIGNORE = 0x2,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_RETRYCANCEL = 0x5,
    MB_ICONERROR = 0x10,
    MB_ICONHAND = 0x10,
    MB_ICONSTOP = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONWARNING = 0x30,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40,
    MB_ICONASTERISK = 0x40,
    MB_DEFBUTTON1 = 0x000,
    MB_DEFBUTTON2 = 0x100,
    MB_DEFBUTTON3 = 0x200,
    MB_TYPEMASK = 0x00F,
    MB_ICONMASK = 0x0F0,
    MB_DEFMASK = 0xF00,
};
// Answers of message boxes and results of modal dialogs.
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };

// The answers a box of this type offers, in button order (MB_OK for an unknown type).
std::vector<int> MessageBoxButtons(unsigned type);
// The answer of the default button (MB_DEFBUTTONn; the first when n is past the last).
int MessageBoxDefaultAnswer(unsigned type);
// The answer that leaves things as they were: Cancel when offered, else No, Abort or OK.
int MessageBoxCancelAnswer(unsigned type);

// A dialog that a command runs modally. Dialog classes implement it so that tests can answer
// them through FakeServices without showing anything.
class ModalDialog {
public:
    virtual ~ModalDialog() = default;
    virtual int TemplateId() const = 0;
    // Shows the dialog and returns its result (IDOK, IDCANCEL, ...).
    virtual int RunModalLoop() = 0;
};

// File chooser request. The filter has the desktop form "Cadrans (*.cds)|*.cds||".
struct FileDialogRequest {
    std::string title;                   // empty: the chooser's own
    std::string filter;
    std::filesystem::path initialFolder;
    std::string initialName;
    std::string defaultExtension;        // "cds", ".cds" or "*.cds"; added to a name without one
    bool overwritePrompt = true;         // save: ask before replacing a file
};

struct FileFilter {
    std::string label;                   // "Cadrans (*.cds)"
    std::vector<std::string> patterns;   // {"*.cds"}
    friend bool operator==(const FileFilter&, const FileFilter&) = default;
};
// "A|*.a;*.b|B|*.c||" -> {A: *.a *.b}, {B: *.c}. A label without patterns gets "*".
std::vector<FileFilter> ParseFileFilter(std::string_view filter);
// "*.emf", ".emf" and "emf" all give "emf"; "*.*" and "*" give "".
std::string NormaliseExtension(std::string_view extension);
// The path with ".ext" added when its file name has no extension (and ext is not empty).
std::filesystem::path WithDefaultExtension(const std::filesystem::path& file, std::string_view extension);

// Font chooser: in and out. The height is in screen pixels (negative: character height).
struct FontChoice {
    gdi::LogFont font;
    gdi::COLORREF color = gdi::RGB(0, 0, 0);
    int pointSizeTenths = 0;             // out: the chosen size in tenths of a point
};

// Clock. Instants are seconds (or milliseconds) since 1970-01-01 00:00 UTC.
struct DateTimeFields {
    int year = 1970;
    int month = 1;                       // 1..12
    int day = 1;                         // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int milliseconds = 0;
    int dayOfWeek = 4;                   // 0 Sunday .. 6 Saturday
    friend bool operator==(const DateTimeFields&, const DateTimeFields&) = default;
};

struct ZoneState {
    int utcOffsetSeconds = 0;            // local time - UTC, daylight saving included
    int standardOffsetSeconds = 0;       // the zone's offset without daylight saving
    bool daylight = false;               // daylight saving in force
    int daylightOffsetSeconds = 0;       // what daylight saving adds (0 when not in force)
};

// Calendar arithmetic (proleptic Gregorian, UTC). Fields out of range carry over, so
// month 13 is January of the next year and hour -1 the last hour of the previous day.
DateTimeFields BreakDownUtc(std::int64_t unixSeconds);
std::int64_t FieldsToUnix(const DateTimeFields& fields);

// HTTP.
enum class HttpFailure { None, InvalidUrl, HostNotFound, ConnectionFailed, Timeout, TooLarge, Other };
struct HttpResponse {
    int status = 0;                      // HTTP status when the server answered, else 0
    std::string body;
    HttpFailure failure = HttpFailure::None;
    std::string error;                   // readable cause of a failure
    bool Ok() const { return failure == HttpFailure::None; }
};
// Only absolute http:// and https:// addresses with a host are fetched.
bool IsFetchableUrl(std::string_view url);

// What ShellOpen may open: an http or https address, a mailto address with at most a subject
// and a body, or an existing page (.html, .htm) or text file (.txt) inside one of the allowed
// folders (after resolving "..", symbolic links included).
struct ShellTarget {
    bool isFile = false;
    std::string url;                     // when !isFile
    std::filesystem::path file;          // canonical path when isFile
};
std::optional<ShellTarget> ResolveShellTarget(std::string_view target,
                                              const std::vector<std::filesystem::path>& allowedFolders);

struct ScreenInfo {
    bool present = false;
    int widthPx = 0;
    int heightPx = 0;
    int widthMm = 0;
    int heightMm = 0;
    int bitsPerPixel = 0;
    int dpiX = 96;
    int dpiY = 96;
};

// The one application printer (shared by print setup, the document and the report).
struct PrinterInfo {
    std::string name;                    // empty: no printer
    std::string driverName;              // make and model when known
    int paperWidthMm = 0;
    int paperHeightMm = 0;
    int printableWidthMm = 0;            // the printable area: what the page can hold
    int printableHeightMm = 0;
    int dpiX = 0;
    int dpiY = 0;
    bool paperChosen = false;            // set up by the user: holds for printing to a file too
    bool IsPresent() const { return !name.empty(); }
};

class Services {
public:
    virtual ~Services() = default;

    // Returns the answer (IDOK, IDYES...). An empty caption gives the program's name.
    // helpId: the help context offered from the box (0: none).
    virtual int MessageBox(const std::string& text, const std::string& caption, unsigned type,
                           unsigned helpId = 0) = 0;
    virtual int DoModal(ModalDialog& dialog) = 0;
    virtual void Beep() = 0;
    // False, and nothing opened, for a target ResolveShellTarget refuses or when the desktop
    // cannot open it.
    virtual bool ShellOpen(const std::string& target) = 0;
    // Shows a local HTML page or text file, of the folders ShellOpen may open, in the
    // program's own help window (for a desktop that opens neither); false when it cannot.
    virtual bool ShowHelpPage(const std::filesystem::path& page) = 0;

    std::optional<std::filesystem::path> GetOpenFileName(const FileDialogRequest& request)
    {
        return FileDialog(false, request);
    }
    std::optional<std::filesystem::path> GetSaveFileName(const FileDialogRequest& request)
    {
        return FileDialog(true, request);
    }
    virtual bool ChooseFont(FontChoice& choice) = 0;
    virtual bool ChooseColor(gdi::COLORREF& color, std::array<gdi::COLORREF, 16>& customColors) = 0;

    virtual bool SetClipboardImage(const gdi::Image& image) = 0;
    virtual bool SetClipboardMetafile(std::string bytes, const std::string& mimeType = "image/x-emf") = 0;

    virtual std::int64_t NowMs() const = 0;
    virtual ZoneState ZoneAt(std::int64_t unixSeconds) const = 0;
    virtual std::string ZoneId() const = 0;

    virtual HttpResponse HttpGet(const std::string& url, int timeoutMs) = 0;

    // Nested: the cursor comes back when every Begin has its End. Use WaitCursor.
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;

    virtual ScreenInfo GetScreen() const = 0;
    virtual PrinterInfo GetPrinter() = 0;
    // The print setup dialog on the application printer; true on OK.
    virtual bool PrintSetup() = 0;

    // Clock helpers built on the three clock operations above.
    std::int64_t Now() const;                                  // whole seconds
    DateTimeFields LocalNow() const;
    DateTimeFields UtcNow() const;
    DateTimeFields ToLocal(std::int64_t unixSeconds) const;
    // Local fields back to an instant (fields out of range carry over). With daylight
    // saving decided by the zone, an hour skipped in spring is read with the offset in
    // force before the change and a repeated hour in autumn as its first occurrence.
    enum class LocalRule { Zone, StandardTime };
    std::int64_t FromLocal(const DateTimeFields& local, LocalRule rule = LocalRule::Zone) const;

    // Folders whose files ShellOpen may open (the help folder, the data folder).
    void SetShellOpenFolders(std::vector<std::filesystem::path> folders) { shellFolders_ = std::move(folders); }
    const std::vector<std::filesystem::path>& ShellOpenFolders() const { return shellFolders_; }

protected:
    // The file dialog that opens (save false) or saves; the chosen file, none when cancelled.
    virtual std::optional<std::filesystem::path> FileDialog(bool save, const FileDialogRequest& request) = 0;

private:
    std::vector<std::filesystem::path> shellFolders_;
};

// The services without a display: the system clock and time zone; message boxes print to
// standard error and take the cancel answer; choosers cancel; nothing is opened, copied or
// fetched; no screen and no printer.
class SystemServices : public Services {
public:
    int MessageBox(const std::string& text, const std::string& caption, unsigned type,
                   unsigned helpId = 0) override;
    int DoModal(ModalDialog& dialog) override;
    void Beep() override {}
    bool ShellOpen(const std::string& target) override;
    bool ShowHelpPage(const std::filesystem::path& page) override;
    bool ChooseFont(FontChoice& choice) override;
    bool ChooseColor(gdi::COLORREF& color, std::array<gdi::COLORREF, 16>& customColors) override;
    bool SetClipboardImage(const gdi::Image& image) override;
    bool SetClipboardMetafile(std::string bytes, const std::string& mimeType = "image/x-emf") override;
    std::int64_t NowMs() const override;
    ZoneState ZoneAt(std::int64_t unixSeconds) const override;
    std::string ZoneId() const override;
    HttpResponse HttpGet(const std::string& url, int timeoutMs) override;
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    ScreenInfo GetScreen() const override { return {}; }
    PrinterInfo GetPrinter() override { return {}; }
    bool PrintSetup() override { return false; }

protected:
    std::optional<std::filesystem::path> FileDialog(bool save, const FileDialogRequest& request) override;
};

// The process-wide services. Setting null goes back to SystemServices. Returns the services
// in place before (null when none had been made yet). Services holding Qt objects must be
// replaced (SetServices(nullptr)) before the QApplication is destroyed.
Services& GetServices();
std::unique_ptr<Services> SetServices(std::unique_ptr<Services> services);

// Shows the wait cursor for the life of the object.
class WaitCursor {
public:
    WaitCursor() { GetServices().BeginWaitCursor(); }
    ~WaitCursor() { GetServices().EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};
