#pragma once
// A point placed in percent of a sheet, for the style-anchor dialog.
#include "dialogs/qt/CPreviewWnd.h"

class CPositionPreview : public CPreviewWnd {
    Q_OBJECT

public:
    void Draw(gdi::DC& dc) override;

    int m_x = 50;  // percent of the width, from the left
    int m_y = 50;  // percent of the height, from the top
};
