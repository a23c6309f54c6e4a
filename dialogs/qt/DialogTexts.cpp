#include "dialogs/qt/DialogTexts.h"

#include "app/Accessors.h"
#include "app/CLanguageFile.h"

#include <algorithm>

QString DialogText(int templateId, int controlId, const char* french)
{
    if (const CLanguageFile* file = GetLanguageFile()) {
        const std::string text = file->GetDialogText(std::max(GetLanguageIndex(), 0), templateId, controlId);
        if (!text.empty())
            return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }
    return QString::fromUtf8(french);
}
