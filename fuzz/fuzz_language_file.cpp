// Reads arbitrary bytes as a language file, then runs every kind of lookup on what loaded.
#include "FuzzFile.h"
#include "app/Accessors.h"
#include "app/CLanguageFile.h"
#include "platform/Encoding.h"
#include "platform/MenuModel.h"
#include "platform/TextFile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzfile::SendTracesNowhere();

    const std::string text = enc::DecodeFileText(std::string_view(reinterpret_cast<const char*>(data), size));
    CLanguageFile file("fuzz.lang");
    if (!file.LoadLines(textfile::SplitLines(text)))
        return 0;
    const int n = file.GetLanguageCount();
    GetAppContext().fallbackLanguage = n + 1;
    for (int language = -1; language <= n; ++language) {
        for (const auto& e : file.Entries()) {
            (void)file.GetString(language, e.GetStringOrControlId());
            (void)file.GetDialogText(language, e.GetDialogOrCommandId(), e.GetStringOrControlId());
            (void)file.GetMenuText(language, e.GetDialogOrCommandId(), e.GetKey());
            (void)file.TranslateText(language, e.GetText(0), false, language % 2 == 0);
            if (language > 3)
                break;
        }
    }
    MenuModel menu;
    menu.items = {MenuItem::Popup("&Fichier", {MenuItem::Command(57600, "&Nouveau"), MenuItem::Separator(),
                                               MenuItem::Popup("Sous-menu", {MenuItem::Command(1, "x")})}),
                  MenuItem::Popup("&Aide", {})};
    GetAppContext().programLanguage = n > 1 ? 1 : 0;
    file.TranslateMenu(&menu);
    (void)file.SetThreadLanguage(n - 1);
    GetAppContext() = AppContext{};
    return 0;
}
