#pragma once
// The glyph of a zodiac sign, for the zodiac symbol dialog.
#include "dialogs/qt/CPreviewWnd.h"

class CZodiacSymbolPreview : public CPreviewWnd {
    Q_OBJECT

public:
    void Draw(gdi::DC& dc) override;

    int m_sign = 0;  // 0 Capricorn .. 11 Sagittarius
};
