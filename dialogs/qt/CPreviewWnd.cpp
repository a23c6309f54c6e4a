#include "dialogs/qt/CPreviewWnd.h"

#include "app/qt/ControlHost.h"
#include "app/qt/DialogControls.h"
#include "dialogs/PreviewDrawing.h"
#include "platform/qt/QtDC.h"

CPreviewWnd::CPreviewWnd() = default;
CPreviewWnd::~CPreviewWnd() = default;

void CPreviewWnd::MakeInert(int id)
{
    SetControlId(*this, id);
    setEnabled(false);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

bool CPreviewWnd::Create(const QRect& rect, QWidget* parent, int id)
{
    if (!parent)
        return false;
    setParent(parent);
    setGeometry(rect);
    MakeInert(id);
    show();
    return true;
}

bool CPreviewWnd::CreateOverPlaceholder(ControlHost& host, int placeholderId, int id)
{
    if (!host.ReplacePlaceholder(placeholderId, *this, id))
        return false;
    MakeInert(id);
    return true;
}

void CPreviewWnd::Draw(gdi::DC& dc) { DrawPreviewFrame(dc, ClientRect()); }

void CPreviewWnd::paintEvent(QPaintEvent*)
{
    gdi::QtDC dc(*this);
    Draw(dc);
}
