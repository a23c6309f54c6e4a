#pragma once
// A colour shown in a dialog, over a placeholder of the dialog: a rectangle of the colour
// outlined in black. The owner changes m_color and repaints it (update()).
#include "platform/Gdi.h"

#include <QWidget>

class ControlHost;

class CColorSwatch : public QWidget {
    Q_OBJECT

public:
    CColorSwatch();
    ~CColorSwatch() override;

    // Takes the place of the placeholder control of parent, as a visible child that takes
    // no mouse input, with id id and that colour. False when parent has no such placeholder.
    bool Create(ControlHost& parent, int id, int placeholderId, gdi::COLORREF color);

    int m_placeholderId = 0;
    gdi::COLORREF m_color = gdi::RGB(192, 192, 192);

protected:
    void paintEvent(QPaintEvent* event) override;
};
