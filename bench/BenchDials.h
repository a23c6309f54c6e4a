#pragma once
// The dial the drawing benchmarks draw: a horizontal dial of 240 x 180 mm at Besançon with
// every line family on and two particular dates.
#include "tests/model/DialTestDials.h"

#include <memory>

namespace benchdial {

inline std::unique_ptr<dialtest::HorizontalDial> EveryFamilyDial(int diurnalArcMode = 4)
{
    auto dial = dialtest::MakeDial<dialtest::HorizontalDial>(47.24, -6.02, 1.0, 2024, 0.0, 240, 180, 50, 70);
    CPrefs& p = dial->prefs;
    p.quarterHourLines = 1;
    p.noonMark = 1;
    p.noonMarkPointer = 1;
    p.italicHours = 1;
    p.babylonianHours = 1;
    p.diurnalArcMode = diurnalArcMode;
    p.horizontalLines = 1;
    p.indications = 1;
    p.axesXY = 1;
    p.substyleLine = 1;
    p.steepestSlopeLine = 1;
    dial->particularDates = {1905, 1508};
    return dial;
}

}  // namespace benchdial
