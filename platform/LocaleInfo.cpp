#include "platform/LocaleInfo.h"

#include <clocale>
#include <langinfo.h>
#include <locale.h>

namespace localeinfo {

namespace {

std::string& Override()
{
    static std::string separator;
    return separator;
}

}  // namespace

std::optional<std::string> DecimalSeparatorOf(const std::string& localeName)
{
    // A locale object of its own: the process locale (set to "C" for numbers) is not touched.
    locale_t locale = newlocale(LC_NUMERIC_MASK, localeName.c_str(), static_cast<locale_t>(nullptr));
    if (locale == static_cast<locale_t>(nullptr))
        return std::nullopt;
    const char* text = nl_langinfo_l(RADIXCHAR, locale);
    std::optional<std::string> result;
    if (text != nullptr && *text != '\0')
        result = std::string(text);
    freelocale(locale);
    return result;
}

std::string SystemDecimalSeparator()
{
    if (!Override().empty())
        return Override();
    return DecimalSeparatorOf("").value_or(".");
}

void SetSystemDecimalSeparator(std::string separator)
{
    Override() = std::move(separator);
}

}  // namespace localeinfo
