#pragma once
// The text colour a dialog gives one of its static controls.
#include "platform/Gdi.h"

struct CControlColor {
    int controlId = 0;
    gdi::COLORREF color = gdi::RGB(0, 0, 0);
};

// The colour of the explanatory statics of the dialogs.
inline constexpr gdi::COLORREF kExplanationColor = gdi::RGB(100, 100, 180);
