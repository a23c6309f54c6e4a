#pragma once
// The base of the small preview windows that dialogs place over a placeholder: a child
// window that paints itself through Draw and takes no mouse input (clicks reach the dialog
// below). The owning dialog keeps it, sets its values and repaints it.
#include "platform/Gdi.h"

#include <QRect>
#include <QWidget>

class ControlHost;

class CPreviewWnd : public QWidget {
    Q_OBJECT

public:
    CPreviewWnd();
    ~CPreviewWnd() override;

    // Makes the window a visible child of parent over rect (parent's client coordinates)
    // with control id id. False without a parent.
    virtual bool Create(const QRect& rect, QWidget* parent, int id);
    // The same over the placeholder control of a dialog or page, in its place in the layout.
    // False, and nothing done, when the host has no such placeholder.
    bool CreateOverPlaceholder(ControlHost& host, int placeholderId, int id);

    // The drawing of the window in its client rectangle. The base draws a white rectangle
    // with a black frame.
    virtual void Draw(gdi::DC& dc);
    gdi::Rect ClientRect() const { return {0, 0, width(), height()}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void MakeInert(int id);
};
