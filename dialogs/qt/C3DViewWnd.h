#pragma once
// The area of the 3D view dialog: an empty framed window for now; its viewing angles are
// kept for the drawing to come.
#include "dialogs/qt/CPreviewWnd.h"

class C3DViewWnd : public CPreviewWnd {
public:
    struct ViewAngles {
        double declination = 0.0;
        double inclination = 0.0;
        double distance = 0.0;
    };
    ViewAngles m_view;
};
