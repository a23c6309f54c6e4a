#pragma once
// A text frame: a text drawn centred and word-wrapped in the frame, in its own font and
// colour. The font size is in points at dial scale 1 and follows the dial scale.
#include "docview/CObjetCadre.h"

#include <functional>
#include <string>

class CObjetTexte : public CObjetCadre {
    HV_DECLARE_SERIAL(CObjetTexte)
public:
    static constexpr int kContextMenu = 190;

    // How the windowing layer answers EditProperties: whether Shift is held (the font
    // chooser then edits the frame), and the text-frame dialog, which edits the frame and
    // returns IDOK or IDCANCEL. Without them the dialog path does nothing.
    struct EditHooks {
        std::function<bool()> isShiftDown;
        std::function<int(CObjetTexte&)> runTextDialog;
    };
    static void SetEditHooks(EditHooks hooks);

    CObjetTexte();
    CObjetTexte(const CObjetTexte&) = default;
    CObjetTexte& operator=(const CObjetTexte&) = default;

    // The class record and fields of the base frame, then text, face, size, bold, italic,
    // colour, strike-out and underline.
    void Serialize(Archive& ar) override;
    std::unique_ptr<CObjetCadre> Clone() const override;
    // Remembers the dial scale for the font, then draws as every frame does.
    void Draw(gdi::DC& dc, gdi::Point anchor, const gdi::Rect& pageRect, gdi::Point resolved,
              double dialScale) override;
    void DrawContents(gdi::DC& dc, int left, int top, int right, int bottom) override;
    // Nonzero when the frame was changed.
    int EditProperties() override;
    // The font chooser on the frame's face, size, styles and colour; on OK the frame takes
    // what was chosen. False when cancelled.
    bool ChooseFontStyle();
    // The extent of the text in its font on a context compatible with the screen.
    gdi::Size GetDefaultSize() const override;

    // The frame's font for that context at the dial scale last drawn, selected into it;
    // returns the font selected before.
    gdi::LogFont CreateTextFont(gdi::DC& dc) const;
    // The font alone: height -MulDiv(size, round(LOGPIXELSY x 100 x scale), 7200).
    gdi::LogFont MakeTextFont(int logPixelsY, double dialScale) const;

    std::string text;
    std::string faceName = "Arial";
    int size = 12;  // points
    int bold = 0;
    int italic = 0;
    int strikeOut = 0;
    int underline = 0;
    gdi::COLORREF color = gdi::RGB(0, 0, 0);

private:
    double drawScale_ = 1.0;
};
