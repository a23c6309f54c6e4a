#include "dialogs/LanguageChoice.h"

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
