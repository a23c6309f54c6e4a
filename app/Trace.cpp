#include "app/Trace.h"

#include "app/Formatting.h"
#include "platform/Paths.h"
#include "platform/Services.h"
#include "platform/TextFile.h"

#include <cstdarg>
#include <cstdio>
#include <fcntl.h>
#include <locale.h>
#include <unistd.h>
#include <vector>

namespace {

const char* const kRuleEquals = "================================================================\n";
const char* const kRuleDashes = "----------------------------------------------------------------\n";

std::string TwoDigits(int v)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", v);
    return buf;
}

std::string DateTimeText(const DateTimeFields& t)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d/%02d/%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
    return buf;
}

DateTimeFields Now() { return GetServices().LocalNow(); }

// A label padded to 25 characters and ": ".
std::string Label(const std::string& label) { return label + std::string(25 - label.size(), ' ') + ": "; }

std::string VersionText(const LibraryVersion& v)
{
    return FormatNumber(v.major, -1) + "." + FormatNumber(v.minor, -1);
}

const char* OsKindText(int kind)
{
    switch (kind) {
    case 1: return "Windows 95.";
    case 2: return "Windows 98.";
    case 3: return "Windows NT 4.";
    case 4: return "Windows 2000.";
    case 5: return "Windows Millenium Edition.";
    case 6: return "Windows XP.";
    default: return "unknown!";
    }
}

}  // namespace

std::filesystem::path TraceFilePath() { return paths::DataFolder() / paths::kTraceFile; }

std::string FormatTraceHeader(const SystemFacts& facts)
{
    std::string h;
    h += kRuleEquals;
    h += " Horavel Trace File for Technical Support.\n";
    h += kRuleEquals;
    h += "\n";
    h += DateTimeText(Now()) + "  Application Start-up.\n";
    h += "\n";
    h += kRuleDashes;
    h += "          System Configuration:\n";
    h += kRuleDashes;
    h += Label("OS Version") + OsKindText(facts.osKind) + "\n";
    h += Label("OS String") + facts.osVersionText + "\n";
    h += Label("OS Service") + facts.osServiceText + "\n";
    h += Label("Shell32.dll version") + VersionText(facts.shell32) + "\n";
    h += Label("Shlwapi.dll version") + VersionText(facts.shlwapi) + "\n";
    h += Label("Comctrl32.dll version") + VersionText(facts.comctl32) + "\n";
    if (!facts.computerName.empty())
        h += Label("Computer Name") + facts.computerName + "\n";
    if (!facts.userName.empty())
        h += Label("User Name") + facts.userName + "\n";
    if (facts.defaultPrinter) {
        h += Label("Default Printer Name") + facts.defaultPrinter->deviceName + "\n";
        h += Label("Printer Driver Name") + facts.defaultPrinter->driverName + "\n";
        h += Label("Printer Port Name") + facts.defaultPrinter->portName + "\n";
    } else {
        h += Label("Default Printer Name") + "None!\n";
    }
    h += Label("System default Language") + facts.systemLanguage + "\n";
    h += Label("Installed physical RAM") + FormatNumber(static_cast<double>(facts.totalRamMB), -1) + " MBytes\n";
    h += Label("Available physical RAM") + FormatNumber(static_cast<double>(facts.availableRamMB), -1) +
         " MBytes\n";
    h += Label("Screen resolution") + FormatNumber(facts.screenWidth, -1) + " x " +
         FormatNumber(facts.screenHeight, -1) + "\n";
    if (facts.colorBits)
        h += Label("Color resolution") + FormatNumber(*facts.colorBits, -1) + " bits/pixel\n";
    else
        h += Label("Color resolution") + "unable to gather informations\n";
    h += kRuleDashes;
    h += DateTimeText(Now()) + " : Application Started.\n";
    h += kRuleDashes;
    h += "\n";
    return h;
}

void WriteTraceHeader() { WriteTraceHeader(GatherSystemFacts()); }

void WriteTraceHeader(const SystemFacts& facts)
{
    textfile::WriteAtomic(TraceFilePath(), FormatTraceHeader(facts));
}

void WriteTraceLine(std::string_view text)
{
    try {
        const DateTimeFields now = Now();
        std::string line = TwoDigits(now.hour) + ":" + TwoDigits(now.minute) + ":" + TwoDigits(now.second) + "  ";
        line.append(text);
        if (line.back() != '\n')
            line += '\n';
        const int fd = ::open(TraceFilePath().c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
        if (fd < 0)
            return;
        textfile::WriteAll(fd, line);
        ::close(fd);
    } catch (...) {
        // Tracing must never stop the program.
    }
}

void Trace(const char* format, ...)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    try {
        std::vector<char> buffer(512);
        for (;;) {
            va_list args;
            va_start(args, format);
            const locale_t previous = uselocale(cLocale);
            const int needed = std::vsnprintf(buffer.data(), buffer.size(), format, args);
            uselocale(previous);
            va_end(args);
            if (needed < 0)
                return;
            if (static_cast<size_t>(needed) < buffer.size())
                break;
            buffer.resize(buffer.size() * 2);
        }
        WriteTraceLine(buffer.data());
    } catch (...) {
        // Tracing must never stop the program.
    }
}
