#include "dialogs/qt/CColorSwatch.h"

#include "app/qt/ControlHost.h"
#include "dialogs/PreviewDrawing.h"
#include "platform/qt/QtDC.h"

CColorSwatch::CColorSwatch() = default;
CColorSwatch::~CColorSwatch() = default;

bool CColorSwatch::Create(ControlHost& parent, int id, int placeholderId, gdi::COLORREF color)
{
    if (!parent.ReplacePlaceholder(placeholderId, *this, id))
        return false;
    setEnabled(false);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    m_placeholderId = placeholderId;
    m_color = color;
    return true;
}

void CColorSwatch::paintEvent(QPaintEvent*)
{
    // The swatch has the placeholder's size, so its own client rectangle is the
    // placeholder's.
    gdi::QtDC dc(*this);
    DrawColorSwatch(dc, {0, 0, width(), height()}, m_color);
}
