#pragma once
// A plane dial with a polar style: the face is a plane and the nodus is the tip of a rod
// parallel to the Earth's axis. Each type gives the nodus' shadow on its face in millimetres
// (ProjectMm); the units of Project and the stored record are the family's. Not a stored
// class of its own: each type is stored under its own name, directly below CCadran.
#include "model/CCadran.h"

class CCadranPlanAStylePolaire : public CCadran {
public:
    // The record of the parent CCadran below the type's own (see SerializeWithParent).
    void Serialize(Archive& ar) override;
    // ProjectMm in the units of CCadran::Project.
    void Project(double azimuth, double altitude, int& x, int& y, bool toDevice = true,
                 bool inTenths = true) const override;
    // Shadow of the nodus in millimetres from the foot of the style (u right, v up),
    // unrounded; the sun must light the face.
    virtual void ProjectMm(double azimuth, double altitude, double& u, double& v) const = 0;

protected:
    CCadranPlanAStylePolaire() = default;
};
