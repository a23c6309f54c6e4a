#pragma once
// Dial on any plane: a face looking towards the azimuth planeAngle1 (from the equator side,
// positive west) and inclined by planeAngle2 from the horizontal (0: looking up, pi/2: a
// wall). The drawing has the steepest ascent of the face at the top.
#include "model/CCadranPlanAStylePolaire.h"

class CCadranPlanQuelconque : public CCadranPlanAStylePolaire {
    HV_DECLARE_SERIAL(CCadranPlanQuelconque)
public:
    CCadranPlanQuelconque();
    // declination and inclination of the face in radians.
    CCadranPlanQuelconque(double declination, double inclination);

    // "Cadran plan quelconque (alpha = 30° 0' Ouest / beta = 60° 0')" or the short name.
    void GetTypeName(std::string& text, bool longName, bool upperCase) const override;
    // The noon line: from the centre through the shadow of a noon sun.
    void DrawCentreLine(gdi::DC& dc, int left, int top, int right, int bottom, int ax, int ay) override;
    // Lit when the sun is in front of the face.
    bool IsLit(double azimuth, double altitude, bool aboveHorizonOnly) const override;
    bool GetFaceMap(FaceMap& map) const override;
    void GetCentreOffset(int& dx, int& dy) const override;
    double GetStyleLength(bool& truncate, double& endHeight) const override;
    void DrawSpecific(gdi::DC& dc, int ax, int ay) override;
    // False when the style is parallel to the face or, untruncated, meets it farther than
    // 1000 mm (at the drawing scale) from the foot.
    bool GetCentre(int& x, int& y, bool truncate, bool inTenths) const override;
    // From the exact centre, or the direction of the cut style when it is parallel.
    double GetCentreAngle() const override;

    // The numbers stand at the inner end, as on a horizontal dial, while the face lies on
    // the horizontal's side of the faces parallel to the style (c > 0 in GetCentreTerms),
    // and at the outer end, as on a wall facing the equator, beyond them. The two ends
    // swap only where the centre passes through infinity, so the numbers keep their end of
    // the lines as the face turns.
    bool LabelsAtInnerEnd() const override;
    // Either way the numbers of the hour lines stand at their summer end; they keep it when
    // the centre lies beyond the drawing's reach and the lines run from June to December.
    bool HourLabelsAtInnerEnd() const override;
    void ProjectMm(double azimuth, double altitude, double& u, double& v) const override;
    // True when the polar style is parallel to the face (the polar dial's plane), so that it
    // never meets the face.
    bool StyleParallelToFace() const;

protected:
    // The face map of this plane, for the subclasses that project and light it as it does.
    bool PlaneMap(FaceMap& map) const;
    // The centre relative to the foot, in units of the style height, before the southern
    // mirror: (sinD, -(cosD cos i + sin i tan|lat|)) / c. c is the cosine of the angle
    // between the style and the face's normal over cos(lat); |c| < 1e-9 means parallel.
    struct CentreTerms {
        double numU = 0.0;
        double numV = 0.0;
        double c = 0.0;
    };
    CentreTerms GetCentreTerms() const;
    // The end of the sub-style cut at length (mm at scale 1) towards the centre, before the
    // southern mirror.
    void CutCentre(const CentreTerms& terms, double length, double& cx, double& cy) const;
};
