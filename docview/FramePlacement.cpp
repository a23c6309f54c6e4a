#include "docview/FramePlacement.h"

#include "docview/CObjetCadre.h"
#include "model/CCadran.h"

namespace {

// The hit test reaches 2 pixels outside the frame; one more covers the dotted outline.
constexpr int kRepaintMargin = 3;

}  // namespace

gdi::Rect FrameDrawRect(const CCadran& dial, const CObjetCadre& frame, const gdi::DC& dc, gdi::Point anchor,
                        const gdi::Rect& pageRect)
{
    const gdi::Point resolved = dial.ResolveFramePosition(frame, anchor, pageRect, dc);
    return frame.GetDrawRect(dc, anchor, resolved, dial.scale);
}

FrameHit HitTestFramesOnPage(CCadran& dial, const gdi::DC& dc, gdi::Point anchor, const gdi::Rect& pageRect,
                             gdi::Point point)
{
    for (const auto& frame : dial.frames) {
        const gdi::Rect drawn = FrameDrawRect(dial, *frame, dc, anchor, pageRect);
        if (const int zone = CObjetCadre::HitTestRect(drawn, point); zone != 0)
            return {frame.get(), zone, drawn};
    }
    return {};
}

gdi::Rect FrameRepaintRect(const CCadran& dial, const CObjetCadre& frame, const gdi::DC& dc, gdi::Point anchor,
                           const gdi::Rect& pageRect)
{
    gdi::Rect r = FrameDrawRect(dial, frame, dc, anchor, pageRect).Normalized();
    r.Inflate(kRepaintMargin, kRepaintMargin);
    return r;
}
