#include "app/TextHelpers.h"

#include "platform/Encoding.h"

#include <string_view>

namespace {

bool In(char32_t c, char32_t first, char32_t last) { return c >= first && c <= last; }
bool Odd(char32_t c) { return (c & 1u) != 0; }

char32_t FoldedLetter(char32_t c)
{
    switch (c) {
    case U'Á': case U'À': case U'Â': case U'Ä': return U'A';
    case U'É': case U'È': case U'Ë': case U'Ê': return U'E';
    case U'Í': case U'Ì': case U'Î': case U'Ï': return U'I';
    case U'Ó': case U'Ò': case U'Ô': case U'Ö': return U'O';
    case U'Ú': case U'Ù': case U'Û': case U'Ü': return U'U';
    case U'Ç': return U'C';
    case U'Ñ': return U'N';
    default: return c;
    }
}

char32_t UpperLatin(char32_t c)
{
    if (In(c, U'a', U'z'))
        return c - 32;
    if (In(c, 0xE0, 0xFE) && c != 0xF7)
        return c - 32;
    if (c == 0xFF)
        return 0x178;
    if (c == 0x131)
        return U'I';
    if (c == 0x17F)
        return U'S';
    // Latin Extended-A: capital and small letters alternate, with two changes of parity.
    if ((In(c, 0x100, 0x12F) || In(c, 0x132, 0x137) || In(c, 0x14A, 0x177)) && Odd(c))
        return c - 1;
    if ((In(c, 0x139, 0x148) || In(c, 0x179, 0x17E)) && !Odd(c))
        return c - 1;
    // Latin Extended-B: the pairs used by European languages (Romanian ș ț among them).
    if (In(c, 0x1CD, 0x1DC) && !Odd(c))
        return c - 1;
    if ((In(c, 0x1DE, 0x1EF) || In(c, 0x1F4, 0x1F5) || In(c, 0x1F8, 0x21F) || In(c, 0x222, 0x233)) &&
        Odd(c))
        return c - 1;
    return c;
}

char32_t UpperGreek(char32_t c)
{
    if (In(c, 0x3B1, 0x3C1) || In(c, 0x3C3, 0x3CB))
        return c - 32;
    if (In(c, 0x3AD, 0x3AF))
        return c - 37;
    if (In(c, 0x3CD, 0x3CE))
        return c - 63;
    if (c == 0x371 || c == 0x373 || c == 0x377 || (In(c, 0x3D9, 0x3EF) && Odd(c)))
        return c - 1;
    if (In(c, 0x37B, 0x37D))
        return c + 130;
    switch (c) {
    case 0x3AC: return 0x386;
    case 0x3C2: return 0x3A3;
    case 0x3CC: return 0x38C;
    case 0x3D0: return 0x392;
    case 0x3D1: return 0x398;
    case 0x3D5: return 0x3A6;
    case 0x3D6: return 0x3A0;
    case 0x3D7: return 0x3CF;
    case 0x3F0: return 0x39A;
    case 0x3F1: return 0x3A1;
    case 0x3F2: return 0x3F9;
    case 0x3F3: return 0x37F;
    case 0x3F5: return 0x395;
    case 0x3F8: return 0x3F7;
    case 0x3FB: return 0x3FA;
    default: return c;
    }
}

char32_t UpperCyrillic(char32_t c)
{
    if (In(c, 0x430, 0x44F))
        return c - 32;
    if (In(c, 0x450, 0x45F))
        return c - 80;
    if ((In(c, 0x460, 0x481) || In(c, 0x48A, 0x4BF) || In(c, 0x4D0, 0x52F)) && Odd(c))
        return c - 1;
    if (In(c, 0x4C1, 0x4CE) && !Odd(c))
        return c - 1;
    if (c == 0x4CF)
        return 0x4C0;
    return c;
}

char32_t UpperCodePoint(char32_t c)
{
    if (c < 0x250)
        return UpperLatin(c);
    if (In(c, 0x370, 0x3FF))
        return UpperGreek(c);
    if (In(c, 0x400, 0x52F))
        return UpperCyrillic(c);
    return c;
}

// Applies a code-point mapping to UTF-8 text, copying bytes that are not valid UTF-8.
template <typename Map>
std::string MapCodePoints(std::string_view text, Map map)
{
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t start = pos;
        const char32_t c = enc::NextCodePoint(text, pos);
        if (c == 0xFFFD && pos - start != 3)
            out.append(text.substr(start, pos - start));
        else
            enc::AppendUtf8(out, map(c));
    }
    return out;
}

}  // namespace

void FoldAccents(std::string& text) { text = MapCodePoints(text, FoldedLetter); }

void MakeUpperAccents(std::string& text) { text = UpperAccents(text); }

std::string UpperAccents(std::string_view text) { return MapCodePoints(text, UpperCodePoint); }

bool SameTextNoCase(std::string_view a, std::string_view b) { return UpperAccents(a) == UpperAccents(b); }

std::string FillFormat(std::string_view format, std::initializer_list<std::string_view> args)
{
    std::string out;
    auto next = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c != '%' || i + 1 >= format.size()) {
            out += c;
            continue;
        }
        const char conversion = format[i + 1];
        if (conversion == '%') {
            out += '%';
            ++i;
        } else if (conversion == 'd' || conversion == 'i' || conversion == 's') {
            if (next != args.end())
                out += *next++;
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}
