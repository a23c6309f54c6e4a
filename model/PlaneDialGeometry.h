#pragma once
// Geometry shared by the plane dials with a polar style: the hemisphere sign and the
// placing of the centre; and, for every dial type, the unit conversion of face points and
// the parent-class chain of the stored records.
//
// Southern hemisphere: azimuths and plane declinations are counted from the equator side
// (north there), positive west, exactly as in the north. Seen that way the southern sky is
// the mirror image of the northern one, so every formula is written once with |latitude|
// and the horizontal face coordinate u is mirrored (hemisphere sign -1) at the end.
#include "model/CCadran.h"
#include "model/FaceMap.h"

#include <numbers>
#include <typeinfo>

namespace planedial {

constexpr double kPi = std::numbers::pi;
constexpr double kHalfPi = std::numbers::pi / 2.0;
constexpr double kDegToRad = std::numbers::pi / 180.0;
constexpr double kRadToDeg = 180.0 / std::numbers::pi;

// -1 in the southern hemisphere (latitude < 0), else +1.
inline double HemisphereSign(const CCadran& dial) { return dial.latitude < 0.0 ? -1.0 : 1.0; }
// |latitude| in radians.
double AbsLatitudeRad(const CCadran& dial);

// Converts a face point given in millimetres (u to the right, v up, relative to the foot of
// the style or point A) into the units of CCadran::Project: device pixels at the drawing scale (y
// down), else tenths of a millimetre, else hundredths (y up), each rounded half away from
// zero.
void FacePointToDial(const CCadran& dial, double u, double v, int& x, int& y, bool toDevice, bool inTenths);
// The same before the rounding, for a caller that must know how near a half it falls.
// Inline: the fast drawing route calls it for every point.
inline void FacePointToDialUnrounded(const CCadran& dial, double u, double v, double& x, double& y, bool toDevice,
                                     bool inTenths)
{
    if (toDevice) {
        x = u * dial.scale * dial.pixelsPerMmX;
        y = -v * dial.scale * dial.pixelsPerMmY;
    } else if (inTenths) {
        x = 10.0 * u;
        y = 10.0 * v;
    } else {
        x = 100.0 * u;
        y = 100.0 * v;
    }
}

// Converts a point given in millimetres at the drawing scale (x right, y up, relative to the
// foot of the style), such as the centre, into the units of CCadran::GetCentre: device
// pixels (y down), else tenths of a millimetre (y up), each rounded half away from zero.
void CentreToDial(const CCadran& dial, double cx, double cy, int& x, int& y, bool inTenths);

// True when the dial is of class Own itself, not of a class derived from it. A face map
// gives what Project and IsLit of the class that builds it give; a subclass, which may
// project or light its own way, has none until it says it shares them (its own GetFaceMap).
template <class Own>
bool IsExactly(const CCadran& dial)
{
    return typeid(dial) == typeid(Own);
}

// Direction (radians, y up) of the sub-style towards a centre at (cx, cy) from the foot, in
// the range CCadran::GetCentreAngle gives. Taken from the unrounded centre: rounded to the
// tenth of a millimetre, the centre of a 10 mm style turns it by up to half a degree.
double SubstyleDirection(double cx, double cy);

// The walls' lit test keeps this margin (radians) from the plane of the face.
constexpr double kWallEdge = 0.001;
// The face map of a wall looking towards the azimuth whose sine and cosine are given, lit
// while the sun's azimuth is within 90 degrees less kWallEdge of it.
FaceMap WallFaceMap(const CCadran& dial, double sinDeclination, double cosDeclination);

// Where the sub-style is cut when truncation is asked: the shared rule of GetStyleLength.
// length is the full sub-style length; returns the length used and sets truncate and
// endHeight (height of the cut end above the face).
double CutStyleLength(const CCadran& dial, double length, double endHeightWhenCut, bool& truncate,
                      double& endHeight);

// The defaults shared by the dials read in local solar time on marks laid out round the
// middle of the drawing (analemmatic, bifilar, cylindrical): a level face, no date arcs,
// the foot of the style at the middle.
void SetMarkDialDefaults(CCadran& dial, int typeCode);

// The stored record of a dial type down to Parent's data (every dial type stores itself
// so; a type with data of its own writes them after): in an old-format document only
// Parent's data; otherwise the type's own schema is dropped (it has one layout), then the
// class record of Parent precedes Parent's data.
template <class Parent>
void SerializeWithParent(Parent& self, Archive& ar)
{
    if (!ar.Context().oldFormat) {
        if (ar.IsLoading())
            (void)ar.GetObjectSchema();
        ar.SerializeClass(Parent::ClassInfoOf());
    }
    self.Parent::Serialize(ar);
}

}  // namespace planedial
