#include "dialogs/qt/CHorizonMaskPreview.h"

#include "docview/CHorizonPoint.h"
#include "dialogs/PreviewDrawing.h"

void CHorizonMaskPreview::Draw(gdi::DC& dc) { DrawHorizonMaskPreview(dc, ClientRect(), m_points); }
