#include "dialogs/FrameAnchoringChoice.h"

#include "docview/CObjetCadre.h"

#include <array>

namespace {

constexpr int kFollowsDrawing = 0;
constexpr int kFixedToEdge = 1;
constexpr int kFixedToScreen = 2;

// The anchoring kinds of the edges, in the dialog's edge order.
constexpr std::array<int, 4> kEdgeKinds = {CObjetCadre::kAnchorTop, CObjetCadre::kAnchorBottom,
                                           CObjetCadre::kAnchorLeft, CObjetCadre::kAnchorRight};

}  // namespace

FrameAnchoringChoice AnchoringToChoice(int anchoring)
{
    if (anchoring == CObjetCadre::kAnchorFollowDial)
        return {kFollowsDrawing, -1};
    if (anchoring == CObjetCadre::kAnchorScreen)
        return {kFixedToScreen, -1};
    for (size_t edge = 0; edge < kEdgeKinds.size(); ++edge)
        if (kEdgeKinds[edge] == anchoring)
            return {kFixedToEdge, static_cast<int>(edge)};
    return {0, 0};
}

int ChoiceToAnchoring(const FrameAnchoringChoice& choice)
{
    switch (choice.mode) {
    case kFixedToEdge:
        if (choice.edge >= 0 && choice.edge < static_cast<int>(kEdgeKinds.size()))
            return kEdgeKinds[static_cast<size_t>(choice.edge)];
        return CObjetCadre::kAnchorTop;
    case kFixedToScreen: return CObjetCadre::kAnchorScreen;
    default: return CObjetCadre::kAnchorFollowDial;
    }
}
