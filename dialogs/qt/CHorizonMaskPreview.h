#pragma once
// The horizon mask polygon over a grid of azimuth and altitude, for the horizon mask dialog.
#include "dialogs/qt/CPreviewWnd.h"

#include <vector>

struct CHorizonPoint;

class CHorizonMaskPreview : public CPreviewWnd {
    Q_OBJECT

public:
    void Draw(gdi::DC& dc) override;

    // The document's points, observed (null: only the grid).
    const std::vector<CHorizonPoint>* m_points = nullptr;
};
