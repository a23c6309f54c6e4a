// The dial's sheet, drawn before the dial: background, frame, the cutting and margin lines
// on paper and the credit line.
#include "model/CCadran.h"

#include "docview/CDrawingTools.h"
#include "model/DialDrawing.h"
#include "platform/Profile.h"

#include <algorithm>

using namespace dialdraw;

namespace {

constexpr const char* kCreditLine = "Horavel (www.orlune-software.example)";

}  // namespace

void CCadran::DrawBorder(gdi::DC& dc)
{
    DrawBorder(dc, GetDeviceDialRect(dc));
}

void CCadran::DrawBorder(gdi::DC& dc, const gdi::Rect& rect)
{
    ToolsScope tools(dc);
    const CDrawingTools& t = tools.Tools();
    const bool printing = dc.IsPrinting();
    // The dial's colour is a screen aid; paper stays white.
    const bool coloured = !printing && GetProfile().GetInt("Options\\General", "bCouleurCadran", 1) != 0;
    const gdi::Brush dialBrush{gdi::BS_SOLID, coloured ? gdi::PALETTEINDEX(1) : gdi::RGB(255, 255, 255)};

    gdi::Rect inner = rect;
    inner.Deflate(marginX, marginY);
    const gdi::Brush oldBrush = dc.SelectBrush(dialBrush);
    const gdi::Pen oldPen = dc.GetCurrentPen();
    if (marginX < 1 || marginY < 1) {
        dc.SelectPen(t.blackPen);
        dc.Rectangle(rect.left, rect.top, rect.right, rect.bottom);
    } else {
        // A bevelled frame: the band between the two rectangles in entry 2, its edges and
        // the corner mitres in entry 3.
        dc.FillRect(rect, gdi::Brush{gdi::BS_SOLID, gdi::PALETTEINDEX(2)});
        dc.SelectPen(gdi::Pen{gdi::PS_SOLID, t.blackPen.width, gdi::PALETTEINDEX(3)});
        const gdi::Point outer[5] = {{rect.left, rect.top},
                                     {rect.right - 1, rect.top},
                                     {rect.right - 1, rect.bottom - 1},
                                     {rect.left, rect.bottom - 1},
                                     {rect.left, rect.top}};
        dc.Polyline(outer, 5);
        const gdi::Point in[4] = {{inner.left, inner.top},
                                  {inner.right - 1, inner.top},
                                  {inner.right - 1, inner.bottom - 1},
                                  {inner.left, inner.bottom - 1}};
        for (int i = 0; i < 4; ++i) {
            dc.MoveTo(outer[i].x, outer[i].y);
            dc.LineTo(in[i].x, in[i].y);
        }
        dc.Rectangle(inner.left, inner.top, inner.right, inner.bottom);
    }

    if (printing) {
        // Where to cut, and where the frame meets the dial.
        dc.SelectPen(t.blackPen);
        const gdi::Point cut[5] = {{rect.left, rect.top},
                                   {rect.right - 1, rect.top},
                                   {rect.right - 1, rect.bottom - 1},
                                   {rect.left, rect.bottom - 1},
                                   {rect.left, rect.top}};
        dc.Polyline(cut, 5);
        if (marginX >= 1 && marginY >= 1) {
            dc.SelectPen(t.gridPen);
            const gdi::Point margin[5] = {{inner.left, inner.top},
                                          {inner.right - 1, inner.top},
                                          {inner.right - 1, inner.bottom - 1},
                                          {inner.left, inner.bottom - 1},
                                          {inner.left, inner.top}};
            dc.Polyline(margin, 5);
        }
    }
    dc.SelectPen(oldPen);
    dc.SelectBrush(oldBrush);

    {
        FontScope font(dc, t.arial9);
        AlignScope align(dc, gdi::TA_RIGHT | gdi::TA_BOTTOM);
        const int oldMode = dc.SetBkMode(gdi::TRANSPARENT);
        const gdi::COLORREF oldColor = dc.SetTextColor(gdi::RGB(96, 96, 96));
        const int textHeight = dc.GetTextExtent(kCreditLine).cy;
        const int x = rect.right - std::max(marginX, 2);
        const int y = rect.bottom - std::max((marginY - textHeight) / 2, 1);
        dc.TextOut(x, y, kCreditLine);
        dc.SetTextColor(oldColor);
        dc.SetBkMode(oldMode);
    }

    if (collectShapes)
        AddRectangleShape(0, 0, width * 10, height * 10);
}
