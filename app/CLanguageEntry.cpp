#include "app/CLanguageEntry.h"

#include "app/Accessors.h"

namespace {
const std::string kEmpty;
}

CLanguageEntry::CLanguageEntry(int kind, int stringOrControlId, int dialogOrCommandId, std::string key,
                               std::vector<std::string> texts, int languageCount)
    : kind_(kind),
      stringOrControlId_(stringOrControlId),
      dialogOrCommandId_(dialogOrCommandId),
      key_(std::move(key)),
      texts_(std::move(texts)),
      languageCount_(languageCount)
{
}

const std::string& CLanguageEntry::GetColumnText(int language) const
{
    if (language < 0 || static_cast<size_t>(language) >= texts_.size())
        return kEmpty;
    return texts_[static_cast<size_t>(language)];
}

std::string CLanguageEntry::GetText(int language) const
{
    if (language < 0 || language >= languageCount_)
        return "?";
    if (const std::string& own = GetColumnText(language); !own.empty())
        return own;
    // A fallback beyond the file's columns (a setting written by something else) goes
    // straight to column 0.
    const int fallback = GetAppContext().fallbackLanguage;
    if (fallback > 0 && fallback < languageCount_)
        if (const std::string& text = GetColumnText(fallback); !text.empty())
            return text;
    if (const std::string& first = GetColumnText(0); !first.empty())
        return first;
    return "?";
}
