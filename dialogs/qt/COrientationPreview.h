#pragma once
// The orientation of a wall or plane, seen from above or from the side, for the plane page
// of the creation wizard.
#include "dialogs/qt/CPreviewWnd.h"

class COrientationPreview : public CPreviewWnd {
    Q_OBJECT

public:
    // Stores the angle (degrees) and repaints the whole window.
    void SetAngle(double degrees);
    void Draw(gdi::DC& dc) override;

    double m_angle = 0.0;  // degrees
    int m_north = 1;       // 1: northern hemisphere
    int m_planView = 1;    // 1: seen from above, 0: seen from the side
};
