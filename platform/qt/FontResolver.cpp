#include "platform/qt/FontResolver.h"

#include "platform/AsciiText.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace gdi {

namespace {

constexpr char16_t kFirstZodiacLetter = u'^';
constexpr char16_t kLastZodiacLetter = u'i';
constexpr char16_t kAries = 0x2648;

}  // namespace

FontFace ResolveFontFace(std::string_view faceName, int pitchAndFamily)
{
    if (ascii::EqualsNoCase(faceName, "Arial"))
        return {QStringLiteral("Liberation Sans"), false};
    if (ascii::EqualsNoCase(faceName, "Times New Roman"))
        return {QStringLiteral("Liberation Serif"), false};
    if (ascii::EqualsNoCase(faceName, "Courier New"))
        return {QStringLiteral("Liberation Mono"), false};
    if (ascii::EqualsNoCase(faceName, "Wingdings"))
        return {QStringLiteral("DejaVu Sans"), true};
    if (!faceName.empty())
        return {QString::fromUtf8(faceName.data(), static_cast<qsizetype>(faceName.size())), false};
    switch (pitchAndFamily & 0xF0) {
    case FF_ROMAN: return {QStringLiteral("Liberation Serif"), false};
    case FF_MODERN: return {QStringLiteral("Liberation Mono"), false};
    default: return {QStringLiteral("Liberation Sans"), false};
    }
}

QString MapZodiacLetters(const QString& text)
{
    QString out = text;
    for (QChar& c : out) {
        const char16_t u = c.unicode();
        if (u >= kFirstZodiacLetter && u <= kLastZodiacLetter)
            c = QChar(static_cast<char16_t>(kAries + (u - kFirstZodiacLetter)));
    }
    return out;
}

QFont MakeQFont(const LogFont& font, const QPaintDevice* device)
{
    const FontFace face = ResolveFontFace(font.faceName, font.pitchAndFamily);
    QFont f(face.family);
    f.setStyleStrategy(face.zodiacSymbols ? QFont::NoFontMerging : QFont::PreferDefault);
    // Advances are summed glyph by glyph, without pair kerning.
    f.setKerning(false);
    const int weight = font.weight <= 0 ? FW_NORMAL : std::clamp(font.weight, 1, 1000);
    f.setWeight(static_cast<QFont::Weight>(weight));
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setStrikeOut(font.strikeOut);

    // Far beyond any drawing; keeps absurd heights from reaching the rasterizer.
    constexpr int kMaxEm = 16384;
    int em = 0;
    if (font.height < 0) {
        em = font.height < -kMaxEm ? kMaxEm : -font.height;
    } else if (font.height > 0) {
        // The cell height is ascent + descent: find the em that gives it.
        constexpr int probe = 1000;
        QFont big(f);
        big.setPixelSize(probe);
        const double cellPerEm = QFontMetricsF(big, device).height() / probe;
        const double wanted = std::min(font.height, kMaxEm * 2) / (cellPerEm > 0 ? cellPerEm : 1.0);
        em = static_cast<int>(std::lround(wanted));
    } else {
        const int dpi = device ? device->logicalDpiY() : 96;
        em = MulDiv(12, dpi, 72);
    }
    f.setPixelSize(std::clamp(em, 1, kMaxEm));

    if (font.width > 0) {
        const double natural = QFontMetricsF(f, device).averageCharWidth();
        if (natural > 0)
            f.setStretch(std::clamp(static_cast<int>(std::lround(100.0 * font.width / natural)), 1, 4000));
    }
    return f;
}

}  // namespace gdi
