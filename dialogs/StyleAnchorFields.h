#pragma once
// The fields of the style-anchor dialog: where point A (the foot of the style) and point B
// (its second attachment) stand on the dial, in millimetres from the dial's top left corner
// and A also in percent of the dial's size, and how the anchor follows a change of size.
// Each rule keeps the other fields consistent with the one the user changed.
#include <string>

class CCadran;

struct StyleAnchorFields {
    double ax = 0.0;        // A from the left edge, mm
    double ay = 0.0;        // A from the top edge, mm
    double percentX = 0.0;  // A in percent of the width
    double percentY = 0.0;  // A in percent of the height
    int mode = 0;           // 0 percent, 1 point A, 2 point B (the dial's anchoringMode - 1)
    double bx = 0.0;        // B from the left edge, mm
    double by = 0.0;        // B from the top edge, mm

    // Set from the dial, not edited.
    double width = 0.0;     // mm
    double height = 0.0;    // mm
    int offsetX = 0;        // B - A, tenths of a mm, x to the right
    int offsetY = 0;        // B - A, tenths of a mm, y upwards

    bool HasPointB() const { return offsetX != 0 || offsetY != 0; }
    // A's millimetres changed: the percentages and B follow.
    void FromPointA();
    // A percentage changed: A's millimetres and B follow.
    void FromPercent();
    // B changed from oldB: A moves as B moved, the percentages follow.
    void FromPointB(double oldBx, double oldBy);
    // Where B stands for the current A.
    void PlacePointB();
};

// Spin ranges of the edits.
constexpr int kAnchorPercentMin = 0;
constexpr int kAnchorPercentMax = 100;
constexpr int kAnchorMmMin = -2000;
constexpr int kAnchorMmMax = 2000;

// The fields as the dial's anchor gives them: from its percentages in mode 1, else from
// its absolute position.
StyleAnchorFields StyleAnchorFromDial(const CCadran& dial);
// The new anchor after OK. The page frames are kept relative to the anchor, so they move
// with it by the change of the percentages without being offset a second time.
void ApplyStyleAnchorToDial(const StyleAnchorFields& fields, CCadran& dial);

// "Taille du cadran :\n w mm x h mm".
std::string DialSizeText(const CCadran& dial);
