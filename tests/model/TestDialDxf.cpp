// A whole dial written as a DXF drawing. tests/py/test_dial_dxf.py runs this test with
// HORAVEL_DIAL_DXF set to a file name and reads the drawing back with an independent DXF
// reader; the count of lines drawn goes beside it, in the same name + ".count".
#include "DialTestDials.h"

#include "model/Astronomy.h"
#include "platform/RecordingDC.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using namespace dialtest;

TEST(DialDxfExport, WholeDialHoldsEveryDrawnLine)
{
    ResetAstroState();
    auto dial = MakeDial<HorizontalDial>(47.25, -6.03, 1.0);
    CPrefs& p = dial->prefs;
    p.quarterHourLines = 1;
    p.noonMark = 1;
    p.noonMarkPointer = 1;
    p.italicHours = 1;
    p.babylonianHours = 1;
    p.horizontalLines = 1;
    p.diurnalArcMode = 4;
    dial->particularDates = {1905};
    dial->collectShapes = 1;
    gdi::RecordingDC dc;
    dial->DrawBorder(dc);
    dial->Draw(dc);
    const int drawn = dc.Count(gdi::RecordKind::Polyline);
    // Every line, the sheet outline, and the style's foot and centre as points.
    ASSERT_EQ(static_cast<int>(dial->exportShapes.size()), drawn + 1 + 2);

    testsupport::TempDir temp;
    const char* wanted = std::getenv("HORAVEL_DIAL_DXF");
    const std::filesystem::path file = wanted && *wanted ? std::filesystem::path(wanted) : temp / "dial.dxf";
    std::string error;
    ASSERT_TRUE(dial->ExportDxf(file, &error)) << error;
    testsupport::WriteFileBytes(file.string() + ".count", std::to_string(drawn) + "\n");
    const std::string text = testsupport::ReadFileBytes(file);
    EXPECT_NE(text.find("ENTITIES"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 5), "EOF\r\n");
}
