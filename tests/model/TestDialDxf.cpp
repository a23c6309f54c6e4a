// A whole dial written as a DXF drawing, once for each diurnal-arc mode (0 to 14).
// tests/py/test_dial_dxf.py runs this test with HORAVEL_DIAL_DXF_DIR set to a folder and
// reads the drawings back with an independent DXF reader: "dial-<mode>.dxf", with the count
// of lines drawn beside it in "dial-<mode>.dxf.count".
#include "DialRecording.h"
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
    testsupport::TempDir temp;
    const char* wanted = std::getenv("HORAVEL_DIAL_DXF_DIR");
    const std::filesystem::path folder = wanted && *wanted ? std::filesystem::path(wanted) : temp.path();
    for (int mode = 0; mode <= 14; ++mode) {
        SCOPED_TRACE("diurnal-arc mode " + std::to_string(mode));
        ResetAstroState();
        auto dial = MakeDial<HorizontalDial>(47.25, -6.03, 1.0);
        CPrefs& p = dial->prefs;
        p.quarterHourLines = 1;
        p.noonMark = 1;
        p.noonMarkPointer = 1;
        p.italicHours = 1;
        p.babylonianHours = 1;
        p.horizontalLines = 1;
        p.diurnalArcMode = mode;
        dial->particularDates = {1905};
        dial->collectShapes = 1;
        WholeLinesRecording dc;
        dial->DrawBorder(dc);
        dial->Draw(dc);
        const int drawn = dc.Count(gdi::RecordKind::Polyline);
        // Every line, the sheet outline, and the style's foot and centre as points.
        ASSERT_EQ(static_cast<int>(dial->exportShapes.size()), drawn + 1 + 2);

        const std::filesystem::path file = folder / ("dial-" + std::to_string(mode) + ".dxf");
        std::string error;
        ASSERT_TRUE(dial->ExportDxf(file, &error)) << error;
        testsupport::WriteFileBytes(file.string() + ".count", std::to_string(drawn) + "\n");
        const std::string text = testsupport::ReadFileBytes(file);
        EXPECT_NE(text.find("ENTITIES"), std::string::npos);
        EXPECT_EQ(text.substr(text.size() - 5), "EOF\r\n");
    }
}
