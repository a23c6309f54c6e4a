#include "app/Accessors.h"

#include <ctime>

namespace {

std::optional<LocalTime> SystemLocalTime()
{
    const std::time_t now = std::time(nullptr);
    if (now == static_cast<std::time_t>(-1))
        return std::nullopt;
    std::tm tm{};
    if (!localtime_r(&now, &tm))
        return std::nullopt;
    return LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

}  // namespace

AppContext& GetAppContext()
{
    static AppContext context;
    return context;
}

std::optional<LocalTime> GetLocalTime()
{
    const auto& clock = GetAppContext().localClock;
    return clock ? clock() : SystemLocalTime();
}

CHoravelApp* GetApp() { return GetAppContext().app; }
CMainFrame* GetMainFrame() { return GetAppContext().mainFrame; }
CHoravelDoc* GetDocument() { return GetAppContext().document; }
CHoravelView* GetView() { return GetAppContext().view; }
CDrawingTools* GetDrawingTools() { return GetAppContext().drawingTools; }
CLanguageFile* GetLanguageFile() { return GetAppContext().languageFile; }

int GetLanguageIndex() { return GetAppContext().programLanguage; }

int GetCurrentYear()
{
    const auto now = GetLocalTime();
    return now ? now->year : 0;
}
