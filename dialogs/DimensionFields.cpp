#include "dialogs/DimensionFields.h"

#include "app/TextHelpers.h"
#include "app/Formatting.h"
#include "app/Translation.h"
#include "model/CCadran.h"
#include "model/CCadranAnalemmatique.h"
#include "model/CCadranCylindrique.h"
#include "model/Rounding.h"

#include <string_view>

namespace {

}  // namespace

double FullBaseLength(const CCadran& dial)
{
    bool cut = false;  // the whole base is asked for; a cut on return means it has no end
    double endHeight = 0.0;
    const double length = dial.GetStyleLength(cut, endHeight);
    return cut ? -1.0 : length;
}

DimensionFields DimensionsFromDial(const CCadran& dial)
{
    DimensionFields f;
    f.width = dial.width;
    f.height = dial.height;
    f.styleHeight = dial.styleHeight;
    f.baseLimit = dial.styleLimit;
    f.baseMode = dial.styleTruncation != 0 ? 0 : 1;
    f.symmetricMargins = dial.symmetricMargins;
    f.scale = dial.scale;
    f.fullBaseLength = FullBaseLength(dial);
    return f;
}

void ApplyDimensionsToDial(const DimensionFields& fields, CCadran& dial)
{
    dial.width = RoundToInt(fields.width);
    dial.height = RoundToInt(fields.height);
    dial.SetStyleHeight(RoundToInt(fields.styleHeight));
    dial.symmetricMargins = fields.symmetricMargins;
    dial.scale = fields.scale;
    dial.styleTruncation = fields.baseMode == 0 ? 1 : 0;
    dial.styleLimit = RoundToInt(fields.baseLimit);
    dial.UpdateStyleAnchor(-1);
}

DimensionFields DimensionsFromDefaults(const CHoravelView::DefaultDimensions& defaults, int symmetricMargins)
{
    DimensionFields f;
    f.width = defaults.width;
    f.height = defaults.height;
    f.styleHeight = defaults.styleHeight;
    f.baseLimit = defaults.baseLimit;
    f.baseMode = defaults.truncation != 0 ? 0 : 1;
    f.symmetricMargins = symmetricMargins;
    return f;
}

void ApplyDimensionsToDefaults(const DimensionFields& fields, CHoravelView::DefaultDimensions& defaults,
                               int& symmetricMargins)
{
    defaults.width = RoundToInt(fields.width);
    defaults.height = RoundToInt(fields.height);
    defaults.styleHeight = RoundToInt(fields.styleHeight);
    defaults.truncation = fields.baseMode == 0 ? 1 : 0;
    defaults.baseLimit = RoundToInt(fields.baseLimit);
    symmetricMargins = fields.symmetricMargins;
}

DimensionFields DimensionsFromAnalemmatic(const CCadranAnalemmatique& dial)
{
    DimensionFields f;
    f.width = dial.width;
    f.height = dial.height;
    f.halfMajorAxis = dial.ellipseSize;
    f.symmetricMargins = dial.symmetricMargins;
    f.scale = dial.scale;
    return f;
}

void ApplyDimensionsToAnalemmatic(const DimensionFields& fields, CCadranAnalemmatique& dial)
{
    dial.width = RoundToInt(fields.width);
    dial.height = RoundToInt(fields.height);
    dial.ellipseSize = RoundToInt(fields.halfMajorAxis);
    dial.symmetricMargins = fields.symmetricMargins;
    dial.scale = fields.scale;
    dial.UpdateStyleAnchor(dial.anchoringMode);
}

bool MustTruncateBase(const DimensionFields& fields)
{
    return fields.fullBaseLength < 0.0 || fields.fullBaseLength > 5.0 * fields.styleHeight;
}

const std::vector<int>& ScalePercentChoices()
{
    static const std::vector<int> choices = [] {
        std::vector<int> c;
        for (int p = 5; p <= 50; p += 5)
            c.push_back(p);
        c.insert(c.end(), {100, 200, 500});
        return c;
    }();
    return choices;
}

std::string ScaleChoiceText(int percent) { return std::to_string(percent) + "%"; }

int ScaleChoiceIndex(double scale)
{
    const std::string prefix = std::to_string(RoundToInt(scale * 100.0)) + "%";
    const auto& choices = ScalePercentChoices();
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (ScaleChoiceText(choices[i]).starts_with(prefix))
            return static_cast<int>(i);
    return -1;
}

std::string ScaleText(int percent)
{
    if (percent == 100)
        return GetTranslatedString(901);
    const std::string s = std::to_string(percent);
    return percent < 100 ? FillFormat(GetTranslatedString(902), {s}) : FillFormat(GetTranslatedString(903), {s});
}

std::string PrintedSizeText(int percent, double width, double height)
{
    return FillFormat(GetTranslatedString(904),
                      {FormatNumber(percent * width / 100.0, -1), FormatNumber(percent * height / 100.0, -1)});
}

std::string BaseText(bool hasDial, double fullBaseLength)
{
    if (!hasDial)
        return GetTranslatedString(223);
    if (fullBaseLength > 0.0)
        return FillFormat(GetTranslatedString(224), {FormatNumber(fullBaseLength, -1)});
    return GetTranslatedString(225);
}

CylinderFields DimensionsFromCylinder(const CCadranCylindrique& dial)
{
    return {RoundToInt(dial.radius), dial.styleHeight, dial.typeCode};
}

void ApplyDimensionsToCylinder(const CylinderFields& fields, CCadranCylindrique& dial)
{
    dial.radius = fields.radius;
    dial.SetStyleHeight(fields.styleLength);
    dial.ComputeSheetSize();
    dial.UpdateStyleAnchor(-1);
}

bool CylinderHasStyleLength(int typeCode) { return typeCode == 32 || typeCode == 33; }
