#pragma once
// The facts about the machine that the trace file reports at start-up, gathered in one
// place so tests can hand in their own.
#include <optional>
#include <string>

struct LibraryVersion {
    int major = 0;
    int minor = 0;
};

struct PrinterFacts {
    std::string deviceName;
    std::string driverName;
    std::string portName;  // empty where printers have no port
};

struct SystemFacts {
    int osKind = 0;              // 0: none of the systems the report names
    std::string osVersionText;   // kernel release
    std::string osServiceText;   // distribution name
    LibraryVersion shell32, shlwapi, comctl32;
    std::string computerName;    // empty when unknown (the line is left out)
    std::string userName;        // likewise
    std::optional<PrinterFacts> defaultPrinter;
    std::string systemLanguage;  // language code of the user's locale ("fr")
    long long totalRamMB = 0;
    long long availableRamMB = 0;
    int screenWidth = 0;         // 0 x 0 without a screen
    int screenHeight = 0;
    std::optional<int> colorBits;  // nothing without a screen
};

// The facts of this machine: kernel, distribution, host, user, locale and memory read by
// the process, the screen and the application printer from the desktop services.
SystemFacts GatherSystemFacts();

// (major, minor) of a shared library that exports the DllGetVersion entry; (0, 0) when the
// library cannot be loaded, lacks the entry or the entry fails.
LibraryVersion GetDllVersion(const std::string& name);

// The language part of a locale name: "fr_FR.UTF-8" gives "fr", "C" gives "C".
std::string LocaleLanguageCode(const std::string& localeName);
// The locale name the user chose for messages (LC_ALL, LC_MESSAGES, then LANG); "C" when
// none is set.
std::string UserLocaleName();
