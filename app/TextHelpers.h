#pragma once
// Text helpers for UTF-8 strings.
#include <initializer_list>
#include <string>
#include <string_view>

// Replaces the accented capitals Á À Â Ä, É È Ë Ê, Í Ì Î Ï, Ó Ò Ô Ö, Ú Ù Û Ü, Ç and Ñ by
// their plain letters (used to sort names). Other characters are left as they are.
void FoldAccents(std::string& text);

// Upper-cases the text: ASCII, Latin-1, Latin Extended-A, the Latin Extended-B letters of
// European languages, Greek and Cyrillic. Letters whose capital is more than one character
// (ß, ŉ) and the micro sign stay as they are. Invalid UTF-8 bytes are kept unchanged.
void MakeUpperAccents(std::string& text);
// The same, as a copy.
std::string UpperAccents(std::string_view text);
// Whole texts equal without regard to case, accented capitals included: "NIGER" does not
// match "NIGERIA".
bool SameTextNoCase(std::string_view a, std::string_view b);

// Replaces the conversions %d, %i and %s of a translated format, in order, by the texts
// given ("%%" gives "%"); conversions past the last text become empty. Translated texts are
// never given to printf, so a translation cannot make it read arguments that are not there.
std::string FillFormat(std::string_view format, std::initializer_list<std::string_view> args);
