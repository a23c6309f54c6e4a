#include "docview/CDrawingTools.h"

#include "app/Accessors.h"
#include "app/GraphicsHelpers.h"
#include "docview/ColorTable.h"

#include <algorithm>

namespace {

gdi::Pen MakePen(int style, double width, gdi::COLORREF color)
{
    return gdi::Pen{style, static_cast<int>(width), color};
}

}  // namespace

CDrawingTools::CDrawingTools(const gdi::DC& dc)
    : CDrawingTools(dc, GetAppContext().screenPixelsPerInchX, GetAppContext().screenPixelsPerInchY)
{
}

CDrawingTools::CDrawingTools(const gdi::DC& dc, int screenPixelsPerInchX, int screenPixelsPerInchY)
{
    printing_ = dc.IsPrinting();
    const int dpiX = dc.GetDeviceCaps(gdi::LOGPIXELSX);
    const int dpiY = dc.GetDeviceCaps(gdi::LOGPIXELSY);
    scale_ = dpiX > 0 && screenPixelsPerInchX > 0 ? static_cast<double>(dpiX) / screenPixelsPerInchX : 1.0;
    const double s = scale_;

    const gdi::COLORREF black = gdi::RGB(0, 0, 0);
    const gdi::COLORREF lightGrey = gdi::RGB(192, 192, 192);
    thickBlackPen = MakePen(gdi::PS_SOLID, std::max(2.0, 2.0 * s), black);
    blackPen = MakePen(gdi::PS_SOLID, std::max(1.0, s), black);
    dashedBlackPen = MakePen(gdi::PS_DASH, std::max(1.0, s), black);
    midGreyPen = MakePen(gdi::PS_SOLID, std::max(1.0, s / 2.0), gdi::RGB(128, 128, 128));
    thinLightGreyPen = MakePen(gdi::PS_SOLID, std::max(1.0, s / 4.0), lightGrey);
    gridPen = MakePen(gdi::PS_DOT, std::max(1.0, s / 4.0), lightGrey);

    for (int n = kFirstEntryPen; n <= kLastEntryPen; ++n) {
        const ColorTableEntry& entry = *GetColorTableEntry(n);
        entryPens_[n - kFirstEntryPen] =
            MakePen(gdi::PS_SOLID, std::max(1.0, GetThicknessFactor(entry.thickness) * s), entry.color);
    }

    // Heights are screen pixels: the same size relative to the page on any device.
    const auto height = [&](int pixels) {
        return dpiY > 0 && screenPixelsPerInchY > 0 ? gdi::MulDiv(pixels, dpiY, screenPixelsPerInchY) : pixels;
    };
    FillLogFont(height(10), arial10Bold, kFontArial, true, 0.0);
    FillLogFont(height(9), arial9, kFontArial, false, 0.0);
    FillLogFont(height(12), times12Bold, kFontTimes, true, 0.0);
    FillLogFont(height(10), times10, kFontTimes, false, 0.0);
    FillLogFont(height(9), courier9, kFontCourier, false, 0.0);
    FillLogFont(height(12), wingdings12, kFontWingdings, false, 0.0);
}

const gdi::Pen& CDrawingTools::EntryPen(int n) const
{
    if (n < kFirstEntryPen || n > kLastEntryPen)
        n = kFirstEntryPen;
    return entryPens_[n - kFirstEntryPen];
}
