#include "dialogs/qt/CZodiacSymbolPreview.h"

#include "dialogs/PreviewDrawing.h"

void CZodiacSymbolPreview::Draw(gdi::DC& dc) { DrawZodiacSymbolPreview(dc, ClientRect(), m_sign); }
