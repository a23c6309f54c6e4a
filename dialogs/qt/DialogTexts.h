#pragma once
// Texts of dialog controls from the language file, in the program language.
#include <QString>

// The text of the control (the dialog's title when controlId is the template id); the
// built-in French text when the language file has none.
QString DialogText(int templateId, int controlId, const char* french);
