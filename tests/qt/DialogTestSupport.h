#pragma once
// Helpers of the dialog tests: small language files and a clean application context.
#include "app/Accessors.h"
#include "app/CLanguageFile.h"
#include "app/HelpEntry.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace dialogtest {

// One row of a language file: "DLG" (id1 template, id2 control) or "STR" (id1 string id).
struct LangRow {
    std::string type;
    int id1 = 0;
    int id2 = 0;
    std::vector<std::string> texts;  // from column 0; missing columns are empty
};

inline std::unique_ptr<CLanguageFile> MakeLanguageFile(const std::vector<LangRow>& rows, int columns = 10)
{
    static const char* const names[] = {"French", "English", "German", "Spanish", "Italian",
                                        "Portuguese", "Dutch", "Russian", "Hungarian", "Japanese"};
    std::string head = "HEAD\tColumns\t0\t\t0", english = "HEAD\tResNamesEng\t0\t\t0", local = "HEAD\tResNamesLocal\t0\t\t0";
    for (int i = 0; i < columns; ++i) {
        head += "\t" + std::to_string(i);
        english += std::string("\t") + names[i];
        local += std::string("\t<") + names[i] + ">";
    }
    std::vector<std::string> lines{"HORAVEL_RC_FILE\t1", head, english, local};
    for (const LangRow& row : rows) {
        std::string line = row.type + "\tKEY\t" + std::to_string(row.id1) + "\tcomment\t" + std::to_string(row.id2);
        for (int i = 0; i < columns; ++i)
            line += "\t" + (i < static_cast<int>(row.texts.size()) ? row.texts[i] : std::string());
        lines.push_back(line);
    }
    auto file = std::make_unique<CLanguageFile>("test.lang");
    if (!file->LoadLines(lines))
        return nullptr;
    return file;
}

// A clean application context, traces in a folder of the test's own, no help entry; all
// put back when the object dies.
class ScopedDialogContext {
public:
    ScopedDialogContext()
    {
        paths::SetDataFolder(dir_.path());
        GetAppContext() = AppContext{};
        previousHelp_ = SetHelpEntry({});
        SetHelpFolder({});
    }
    ~ScopedDialogContext()
    {
        GetAppContext() = AppContext{};
        SetHelpEntry(previousHelp_);
        SetHelpFolder({});
        paths::SetDataFolder({});
    }
    ScopedDialogContext(const ScopedDialogContext&) = delete;
    ScopedDialogContext& operator=(const ScopedDialogContext&) = delete;

    // Installs a language file and the program and fallback languages.
    void UseLanguage(CLanguageFile* file, int program, int fallback = 0)
    {
        GetAppContext().languageFile = file;
        GetAppContext().programLanguage = program;
        GetAppContext().fallbackLanguage = fallback;
    }
    const testsupport::TempDir& Dir() const { return dir_; }

private:
    testsupport::TempDir dir_;
    HelpEntry previousHelp_;
};

// Runs act as soon as the event loop of a modal run starts (a modal run must follow).
inline void WhenRunning(std::function<void()> act)
{
    QTimer::singleShot(0, qApp, std::move(act));
}

// Clicks the item with the mouse, as a user does, after scrolling the list to it.
inline void ClickItem(QTreeWidget& list, const QTreeWidgetItem* item)
{
    list.scrollToItem(item);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(item).center());
}

}  // namespace dialogtest
