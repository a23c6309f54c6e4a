#pragma once
// Turns the program's logical fonts into Qt fonts on the faces installed with it: the
// classic Windows faces are drawn with metric-compatible Liberation faces, and the symbol
// face of the zodiac signs with the astrological signs of DejaVu Sans.
#include "platform/Gdi.h"

#include <QFont>
#include <QString>
#include <string_view>

class QPaintDevice;

namespace gdi {

struct FontFace {
    QString family;
    // The face is the symbol face: its letters ^ _ ` a b c d e f g h i are the twelve
    // zodiac signs from Aries to Pisces.
    bool zodiacSymbols = false;
};

// The installed family that draws a requested face (names compared without regard to case);
// an empty face takes the family's default.
FontFace ResolveFontFace(std::string_view faceName, int pitchAndFamily);

// Replaces the zodiac letters of the symbol face by the signs U+2648..U+2653.
QString MapZodiacLetters(const QString& text);

// The Qt font for a logical font on a device. A negative height is the character height
// (the em) in device pixels, a positive one the cell height (ascent + descent), 0 a 12-point
// font; a nonzero width sets the average character width.
QFont MakeQFont(const LogFont& font, const QPaintDevice* device);

}  // namespace gdi
