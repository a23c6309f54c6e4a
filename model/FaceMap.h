#pragma once
// A plane dial with a polar style as three linear forms of the sun's horizontal vector
// p = (cos(alt) sin(Az), cos(alt) cos(Az), sin(alt)): the nodus' shadow is a central
// projection, so a sun lights the face and casts its shadow with a few products instead of
// the trigonometry of IsLit and Project. The dial types fill it (CCadran::GetFaceMap); the
// drawing uses it for the families that trace suns by the thousand.
#include "model/Astronomy.h"

#include <array>
#include <cmath>

struct FaceMap {
    using Row = std::array<double, 3>;

    // Shadow of the nodus in millimetres from the foot of the style, u right and v up:
    // u = (right . p) / (facing . p), v = (up . p) / (facing . p).
    Row right{};
    Row up{};
    Row facing{};
    // The sun lights the face while facing . p exceeds minFacing + minFacingPerCosAltitude
    // cos(alt) (the dial's own margins), and, when only suns above the horizon count and
    // horizonApplies, while z > 0.
    double minFacing = 0.0;
    double minFacingPerCosAltitude = 0.0;
    bool horizonApplies = true;

    // Unsure: the sun is too close to an edge of the lit part (within 1e-12 of the unit
    // vector) for the products to tell what IsLit says of its azimuth and altitude.
    enum class Light { Lit, Unlit, Unsure };
    // Far above the rounding of the products (a few 1e-16) and of IsLit's azimuth and altitude.
    static constexpr double kEdge = 1e-12;
    static double Dot(const Row& row, const HorizontalVector& p) { return row[0] * p.x + row[1] * p.y + row[2] * p.z; }
    // Inline, with Shadow: the drawing calls both for every traced sun.
    Light LightOf(const HorizontalVector& p, bool aboveHorizonOnly) const
    {
        double margin = Dot(facing, p) - minFacing;
        if (minFacingPerCosAltitude != 0.0)
            margin -= minFacingPerCosAltitude * std::sqrt(p.x * p.x + p.y * p.y);
        if (!(margin >= -kEdge))
            return Light::Unlit;
        bool sure = margin > kEdge;
        if (aboveHorizonOnly && horizonApplies) {
            if (p.z < -kEdge)
                return Light::Unlit;
            sure = sure && p.z > kEdge;
        }
        return sure ? Light::Lit : Light::Unsure;
    }
    // The shadow of a sun in front of the face; facingDot receives facing . p.
    void Shadow(const HorizontalVector& p, double& u, double& v, double& facingDot) const
    {
        facingDot = Dot(facing, p);
        // One division for both: the product rounds within an ulp of the quotient.
        const double perFacing = 1.0 / facingDot;
        u = Dot(right, p) * perFacing;
        v = Dot(up, p) * perFacing;
    }

    // The map of a face looking towards the azimuth declination (from the equator side,
    // positive west) inclined by inclination from the horizontal (radians), given by their
    // sines and cosines, with the nodus styleHeightMm above the foot; hemisphereSign -1
    // mirrors u in the southern hemisphere. The margins are left at zero.
    static FaceMap OfPlane(double sinDeclination, double cosDeclination, double sinInclination,
                           double cosInclination, double styleHeightMm, double hemisphereSign);
};
