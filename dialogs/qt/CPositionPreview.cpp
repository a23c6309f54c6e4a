#include "dialogs/qt/CPositionPreview.h"

#include "dialogs/PreviewDrawing.h"

void CPositionPreview::Draw(gdi::DC& dc) { DrawPositionPreview(dc, ClientRect(), m_x, m_y); }
