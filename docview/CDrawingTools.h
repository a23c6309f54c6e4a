#pragma once
// The pens and fonts of one device context, scaled to its resolution: the view keeps one
// for the context it paints into and the drawing code reaches it through GetDrawingTools().
//
// Pen widths grow with s = the context's LOGPIXELSX over the screen's, so a line keeps its
// thickness on paper; font heights are character heights in screen pixels, scaled by the
// ratio of the vertical resolutions.
#include "platform/Gdi.h"

#include <array>

class CDrawingTools {
public:
    static constexpr int kFirstEntryPen = 5;
    static constexpr int kLastEntryPen = 34;

    // Built from the colour table as it is now; the screen resolution comes from the
    // application context.
    explicit CDrawingTools(const gdi::DC& dc);
    // The same with the screen resolution given.
    CDrawingTools(const gdi::DC& dc, int screenPixelsPerInchX, int screenPixelsPerInchY);
    virtual ~CDrawingTools() = default;

    // The pen of colour entry n (5..34); entry 5's pen for any other n.
    const gdi::Pen& EntryPen(int n) const;
    // s: the context's horizontal resolution over the screen's (1 when either is unknown).
    double Scale() const { return scale_; }
    bool BuiltForPrinting() const { return printing_; }

    gdi::Pen thickBlackPen;     // solid black, max(2, 2 s)
    gdi::Pen blackPen;          // solid black, max(1, s)
    gdi::Pen dashedBlackPen;    // dashed black, max(1, s)
    gdi::Pen midGreyPen;        // solid RGB(128, 128, 128), max(1, s / 2)
    gdi::Pen thinLightGreyPen;  // solid RGB(192, 192, 192), max(1, s / 4)
    gdi::Pen gridPen;           // dotted RGB(192, 192, 192), max(1, s / 4)

    gdi::LogFont arial9;
    gdi::LogFont arial10Bold;
    gdi::LogFont times10;
    gdi::LogFont times12Bold;
    gdi::LogFont courier9;
    gdi::LogFont wingdings12;  // the zodiac signs

private:
    double scale_ = 1.0;
    bool printing_ = false;
    std::array<gdi::Pen, kLastEntryPen - kFirstEntryPen + 1> entryPens_{};
};
