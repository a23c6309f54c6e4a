#pragma once
// A plain dial type for tests of the dial base, and archive helpers around it.
#include "model/CCadran.h"
#include "platform/Archive.h"

#include <memory>
#include <string>

// Stores itself as a dial type does: its own class record (written by WriteObject), the
// class record of CCadran, then the base fields; in an old-format document only the base.
// Its centre offset is settable, for the anchoring modes that use it.
class CTestDial : public CCadran {
    HV_DECLARE_SERIAL(CTestDial)
public:
    void Serialize(Archive& ar) override;
    void GetCentreOffset(int& dx, int& dy) const override
    {
        dx = centreDx;
        dy = centreDy;
    }
    int centreDx = 0;
    int centreDy = 0;
};

// The model's classes and CTestDial.
const ClassRegistry& TestRegistry();

// The bytes of an archive holding the dial as one object.
std::string StoreDial(const CCadran& dial);
// Reads one dial object from bytes.
std::unique_ptr<CCadran> LoadDial(const std::string& bytes, bool oldFormat = false);
