#pragma once
// Where the frames of a dial lie on the page, in the device coordinates they are drawn in.
// The view's mouse editing goes through these, so that a click lands on the frame drawn
// under it at every dial scale and anchoring.
#include "platform/Gdi.h"

class CCadran;
class CObjetCadre;

struct FrameHit {
    CObjetCadre* frame = nullptr;  // null: no frame under the point
    int zone = 0;                  // CObjetCadre::HitTest zones, 0 when none
    gdi::Rect drawRect;            // where that frame is drawn
};

// The rectangle the frame is drawn in when the dial draws its frames with that anchor point
// and page rectangle.
gdi::Rect FrameDrawRect(const CCadran& dial, const CObjetCadre& frame, const gdi::DC& dc, gdi::Point anchor,
                        const gdi::Rect& pageRect);
// The first frame whose drawn rectangle (with its handle margins) holds the device point.
FrameHit HitTestFramesOnPage(CCadran& dial, const gdi::DC& dc, gdi::Point anchor, const gdi::Rect& pageRect,
                             gdi::Point point);
// What to repaint when the frame changes: its drawn rectangle with the handle margins.
gdi::Rect FrameRepaintRect(const CCadran& dial, const CObjetCadre& frame, const gdi::DC& dc, gdi::Point anchor,
                           const gdi::Rect& pageRect);
