#pragma once
// How the frame anchoring dialog shows a frame's anchoring kind (1 to 6): a mode (0 follows
// the drawing, 1 fixed to an edge of the dial, 2 fixed to the screen) and, for the edges, an
// edge (0 top, 1 bottom, 2 left, 3 right; -1 none).
struct FrameAnchoringChoice {
    int mode = 0;
    int edge = 0;
    friend bool operator==(const FrameAnchoringChoice&, const FrameAnchoringChoice&) = default;
};

// An unknown kind opens on both first choices; only edge anchoring shows an edge.
FrameAnchoringChoice AnchoringToChoice(int anchoring);
// The kind the choice stands for. "Fixed to an edge" without an edge is the top edge.
int ChoiceToAnchoring(const FrameAnchoringChoice& choice);
