#include "dialogs/StyleAnchorFields.h"

#include "app/Formatting.h"
#include "app/Translation.h"
#include "model/CCadran.h"
#include "model/Rounding.h"

void StyleAnchorFields::PlacePointB()
{
    if (!HasPointB())
        return;
    bx = ax + offsetX / 10.0;
    by = ay - offsetY / 10.0;
}

void StyleAnchorFields::FromPointA()
{
    // A dial of no size keeps its percentages rather than dividing by zero.
    if (width != 0.0)
        percentX = ax * 100.0 / width;
    if (height != 0.0)
        percentY = ay * 100.0 / height;
    PlacePointB();
}

void StyleAnchorFields::FromPercent()
{
    ax = width * percentX / 100.0;
    ay = height * percentY / 100.0;
    PlacePointB();
}

void StyleAnchorFields::FromPointB(double oldBx, double oldBy)
{
    if (!HasPointB())
        return;
    ax += bx - oldBx;
    ay += by - oldBy;
    FromPointA();
}

StyleAnchorFields StyleAnchorFromDial(const CCadran& dial)
{
    StyleAnchorFields f;
    f.width = dial.width;
    f.height = dial.height;
    dial.GetCentreOffset(f.offsetX, f.offsetY);
    f.mode = dial.anchoringMode >= 1 && dial.anchoringMode <= 3 ? dial.anchoringMode - 1 : 0;
    if (dial.anchoringMode == 1) {
        f.percentX = dial.anchorPercentX;
        f.percentY = dial.anchorPercentY;
        f.FromPercent();
    } else {
        f.ax = dial.anchorX;
        f.ay = dial.anchorY;
        f.FromPointA();
    }
    return f;
}

void ApplyStyleAnchorToDial(const StyleAnchorFields& fields, CCadran& dial)
{
    if (fields.mode == 0)
        dial.SetStyleAnchorPercent(RoundToInt(fields.percentX), RoundToInt(fields.percentY));
    else
        dial.SetStyleAnchorPosition(RoundToInt(fields.ax), RoundToInt(fields.ay));
    dial.anchoringMode = fields.mode + 1;
}

std::string DialSizeText(const CCadran& dial)
{
    std::string text = GetTranslatedString(221);
    for (const int value : {dial.width, dial.height}) {
        const auto at = text.find("%s");
        if (at != std::string::npos)
            text.replace(at, 2, FormatNumber(value, -1));
    }
    return text;
}
