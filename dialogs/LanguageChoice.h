#pragma once
// The rules of the language preferences: the help pages exist in three languages only, and
// a program language without its own help pages needs a fallback language.
#include "app/Languages.h"

struct LanguageChoice {
    int program = 0;          // language index
    int fallback = 0;         // 0 French, 1 English
    int helpPlace = -1;       // place in kHelpLanguages, -1 for none
    bool fallbackEnabled = false;
    bool helpEnabled = true;
};

// What choosing a program language does to the other choices: a language with help pages
// takes its own pages (and French or English as fallback, English for Italian) and locks
// the help choice; the fallback choice is open to languages other than French and English.
LanguageChoice ChooseProgramLanguage(LanguageChoice choice, int program);
