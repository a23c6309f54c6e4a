#include "dialogs/LanguageChoice.h"

#include <cstddef>

int HelpLanguagePlace(int language)
{
    for (std::size_t i = 0; i < kHelpLanguages.size(); ++i)
        if (kHelpLanguages[i] == language)
            return static_cast<int>(i);
    return -1;
}

LanguageChoice ChooseProgramLanguage(LanguageChoice choice, int program)
{
    choice.program = program;
    choice.fallbackEnabled = program >= 2;
    const int place = HelpLanguagePlace(program);
    if (place >= 0) {
        choice.helpPlace = place;
        choice.fallback = program == 0 ? 0 : 1;
    }
    choice.helpEnabled = place < 0;
    return choice;
}
