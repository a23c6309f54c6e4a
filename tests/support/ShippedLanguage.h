#pragma once
// The shipped language file, loaded and made the program's, in one language, with a data
// folder of its own for the loader's traces; the application context and the data folder
// are put back when the object dies.
#include "app/Accessors.h"
#include "app/CLanguageFile.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace testsupport {

class ScopedShippedLanguage {
public:
    explicit ScopedShippedLanguage(int language) : file_(SourceDir() / "resources" / "data" / "horavel.lang")
    {
        paths::SetDataFolder(dir_.path());
        loaded_ = file_.Load();
        EXPECT_TRUE(loaded_);
        GetAppContext().languageFile = &file_;
        GetAppContext().programLanguage = language;
    }
    ~ScopedShippedLanguage()
    {
        GetAppContext() = AppContext{};
        paths::SetDataFolder({});
    }
    ScopedShippedLanguage(const ScopedShippedLanguage&) = delete;
    ScopedShippedLanguage& operator=(const ScopedShippedLanguage&) = delete;

    bool Loaded() const { return loaded_; }

private:
    TempDir dir_;
    CLanguageFile file_;
    bool loaded_ = false;
};

}  // namespace testsupport
