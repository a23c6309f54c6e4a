#pragma once
// Text helpers for UTF-8 strings.
#include <string>

// Replaces the accented capitals Á À Â Ä, É È Ë Ê, Í Ì Î Ï, Ó Ò Ô Ö, Ú Ù Û Ü, Ç and Ñ by
// their plain letters (used to sort names). Other characters are left as they are.
void FoldAccents(std::string& text);

// Upper-cases the text: ASCII, Latin-1, Latin Extended-A, the Latin Extended-B letters of
// European languages, Greek and Cyrillic. Letters whose capital is more than one character
// (ß, ŉ) and the micro sign stay as they are. Invalid UTF-8 bytes are kept unchanged.
void MakeUpperAccents(std::string& text);
