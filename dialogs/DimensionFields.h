#pragma once
// The fields of the dimension dialogs, filled from a dial (or from the view's defaults when
// no dial is loaded) and written back after OK, and the texts the dialogs show from them.
// Lengths are millimetres; the print scale is a factor (1.0 = full size).
#include "docview/CHoravelView.h"

#include <string>
#include <vector>

class CCadran;
class CCadranAnalemmatique;
class CCadranCylindrique;

struct DimensionFields {
    double height = 0.0;
    double width = 0.0;
    double styleHeight = 0.0;
    double baseLimit = 0.0;
    int baseMode = -1;  // 0: the base is cut at baseLimit; 1: the style is not cut
    int symmetricMargins = 1;
    double scale = 1.0;
    // Length of the whole style base, -1 without a dial or when the base has no end.
    double fullBaseLength = -1.0;
    double halfMajorAxis = 0.0;  // analemmatic dials only
};

// Values of the dimension edits outside these bounds are refused (a sheet of no size, or
// one larger than any print, would break the layout).
constexpr double kMinDimensionMm = 1.0;
constexpr double kMaxDimensionMm = 10000.0;

// The whole base of the dial's style (not cut), -1.0 when the style never meets the face.
double FullBaseLength(const CCadran& dial);

DimensionFields DimensionsFromDial(const CCadran& dial);
void ApplyDimensionsToDial(const DimensionFields& fields, CCadran& dial);
DimensionFields DimensionsFromDefaults(const CHoravelView::DefaultDimensions& defaults, int symmetricMargins);
void ApplyDimensionsToDefaults(const DimensionFields& fields, CHoravelView::DefaultDimensions& defaults,
                               int& symmetricMargins);

DimensionFields DimensionsFromAnalemmatic(const CCadranAnalemmatique& dial);
void ApplyDimensionsToAnalemmatic(const DimensionFields& fields, CCadranAnalemmatique& dial);

// Opening rule: a base without end, or longer than five style heights, cannot be left
// uncut; the base mode is then forced to 0.
bool MustTruncateBase(const DimensionFields& fields);

// The scale choices in list order: percentages 5 to 50 by 5, then 100, 200 and 500.
const std::vector<int>& ScalePercentChoices();
// The text of a choice ("25%").
std::string ScaleChoiceText(int percent);
// The first choice whose text begins with round(scale x 100) followed by "%"; -1 for none.
int ScaleChoiceIndex(double scale);

// "Le cadran sera imprimé ..." for a scale in percent.
std::string ScaleText(int percent);
// "Dimension du cadran imprimé : w mm x h mm." at that scale.
std::string PrintedSizeText(int percent, double width, double height);
// What the dialog says about the style's base.
std::string BaseText(bool hasDial, double fullBaseLength);

// The cylinder dialog: the radius d and the style length, whole millimetres.
struct CylinderFields {
    int radius = 200;
    int styleLength = 25;
    int typeCode = 0;
};
CylinderFields DimensionsFromCylinder(const CCadranCylindrique& dial);
// The radius and the style length, the sheet size that follows from them, and the anchor.
void ApplyDimensionsToCylinder(const CylinderFields& fields, CCadranCylindrique& dial);
// Only the cylinders with a style of their own (codes 32 and 33) take a style length.
bool CylinderHasStyleLength(int typeCode);
