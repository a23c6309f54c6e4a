#include "dialogs/qt/COrientationPreview.h"

#include "app/Accessors.h"
#include "dialogs/PreviewDrawing.h"

void COrientationPreview::SetAngle(double degrees)
{
    m_angle = degrees;
    update();
}

void COrientationPreview::Draw(gdi::DC& dc)
{
    DrawOrientationPreview(dc, ClientRect(), m_angle, m_north != 0, m_planView != 0, GetDrawingTools());
}
