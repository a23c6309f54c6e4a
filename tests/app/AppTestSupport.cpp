#include "AppTestSupport.h"

#include "platform/Archive.h"

namespace apptest {

bool NumberDocument::OnNewDocument()
{
    ++newCalls;
    if (refuseNew)
        return false;
    return DocumentBase::OnNewDocument();
}

void NumberDocument::Serialize(Archive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<std::int32_t>(value);
    } else {
        std::int32_t v = 0;
        ar >> v;
        value = v;
    }
}

void WriteNumberFile(const std::filesystem::path& file, int value)
{
    NumberDocument doc;
    doc.value = value;
    doc.OnSaveDocument(file);
}

bool RecordingWindows::CreateMainFrame()
{
    calls.push_back("CreateMainFrame");
    hasMainWindow = createSucceeds;
    return createSucceeds;
}

void RecordingWindows::ShowMainWindow(bool maximised)
{
    calls.push_back(maximised ? "ShowMainWindow maximised" : "ShowMainWindow normal");
}

void RecordingWindows::SetLanguage(int program, int fallback, int help)
{
    calls.push_back("SetLanguage " + std::to_string(program) + " " + std::to_string(fallback) + " " +
                    std::to_string(help));
}

StartupScreenResult RecordingWindows::RunStartupScreen()
{
    calls.push_back("RunStartupScreen");
    if (onStartupScreen)
        onStartupScreen();
    return startupAnswer;
}

}  // namespace apptest
