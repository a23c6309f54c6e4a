// Shapes recorded for the DXF export and the DXF files written from them: golden files,
// extents that cover the drawing, dropped one-point runs, locale independence and failures.
#include "DialTestSupport.h"
#include "model/CDxfWriter.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <filesystem>
#include <string>

namespace {

std::string Golden(const char* name)
{
    return testsupport::ReadFileBytes(testsupport::DataDir() / "dxf" / name);
}

std::string Export(CCadran& dial)
{
    testsupport::TempDir dir;
    const auto path = dir / "dial.dxf";
    std::string error;
    EXPECT_TRUE(dial.ExportDxf(path, &error)) << error;
    return testsupport::ReadFileBytes(path);
}

void RecordPolylines(CCadran& dial)
{
    dial.BeginShape(10, 20);
    dial.AddShapePoint(30, 40);
    dial.AddShapePoint(-50, 60);
    dial.BeginShape(999, 999);
    dial.AddRectangleShape(0, 0, 1600, 1800);
}

class FrenchLocale {
public:
    FrenchLocale() : old_(std::setlocale(LC_ALL, nullptr)) { ok_ = std::setlocale(LC_ALL, "fr_FR.UTF-8") != nullptr; }
    ~FrenchLocale() { std::setlocale(LC_ALL, old_.c_str()); }
    bool ok() const { return ok_; }

private:
    std::string old_;
    bool ok_ = false;
};

TEST(DialShapes, ExportsMatchTheGoldenFiles)
{
    CTestDial empty;
    EXPECT_EQ(Export(empty), Golden("empty.dxf"));

    CTestDial circle;
    circle.AddPointShape(125, -30, 15);
    EXPECT_EQ(Export(circle), Golden("circle.dxf"));

    CTestDial lines;
    lines.AddSegmentShape(0, 0, 1000, -255);
    lines.AddSegmentShape(-12, 7, 33, 1601);
    EXPECT_EQ(Export(lines), Golden("line.dxf"));

    CTestDial polylines;
    RecordPolylines(polylines);
    EXPECT_EQ(Export(polylines), Golden("polyline.dxf"));
}

TEST(DialShapes, NumbersKeepTheirDecimalPointInAFrenchLocale)
{
    FrenchLocale french;
    ASSERT_TRUE(french.ok()) << "the fr_FR.UTF-8 locale is missing (test.sh generates it)";
    CTestDial dial;
    RecordPolylines(dial);
    dial.AddSegmentShape(0, 0, 1000, -255);
    const std::string text = Export(dial);
    EXPECT_NE(text.find("  -25.5000\r\n"), std::string::npos);
    EXPECT_EQ(text.find(','), std::string::npos);
    EXPECT_EQ(CDxfWriter::FormatValue(-0.00004), "  -0.0000");
    EXPECT_EQ(CDxfWriter::FormatValue(1234567.89125), "  1234567.8913");
}

// Values are printed from their ten-thousandths when that is safe: the exact halves of the
// binary value go to the even digit, and the products that round to a half follow the value.
TEST(DialShapes, ValuesHaveTheFourDecimalsOfPrintf)
{
    EXPECT_EQ(CDxfWriter::FormatValue(0.03125), "  0.0312");
    EXPECT_EQ(CDxfWriter::FormatValue(0.09375), "  0.0938");
    EXPECT_EQ(CDxfWriter::FormatValue(-0.03125), "  -0.0312");
    EXPECT_EQ(CDxfWriter::FormatValue(2.00025), "  2.0002");  // 10000 v rounds to 20002.5
    EXPECT_EQ(CDxfWriter::FormatValue(0.00015), "  0.0001");
    EXPECT_EQ(CDxfWriter::FormatValue(-0.0), "  -0.0000");
    EXPECT_EQ(CDxfWriter::FormatValue(1e12 + 0.5), "  1000000000000.5000");
    for (int k = -3000000; k <= 3000000; k += 997) {
        const double v = k * 0.1;  // tenths of a millimetre, as the shapes hold them
        char expected[64];
        const auto end = std::to_chars(expected, expected + sizeof expected, v, std::chars_format::fixed, 4).ptr;
        EXPECT_EQ(CDxfWriter::FormatValue(v), "  " + std::string(expected, end)) << k;
    }
}

TEST(DialShapes, ShapesHoldMillimetresAndExtentsCoverEveryPoint)
{
    CTestDial dial;
    dial.BeginShape(-400, 100);
    EXPECT_EQ(dial.boundsMin.x, 1e-15);  // a run of one point is not exported yet
    dial.AddShapePoint(-300, 2500);
    EXPECT_DOUBLE_EQ(dial.boundsMin.x, -40.0);
    EXPECT_DOUBLE_EQ(dial.boundsMax.y, 250.0);
    dial.AddPointShape(5000, -100, 40);  // radius 4 mm
    EXPECT_DOUBLE_EQ(dial.boundsMax.x, 504.0);
    EXPECT_DOUBLE_EQ(dial.boundsMin.y, -14.0);
    dial.AddRectangleShape(-900, 0, 0, 3000);
    EXPECT_DOUBLE_EQ(dial.boundsMin.x, -90.0);
    EXPECT_DOUBLE_EQ(dial.boundsMax.y, 300.0);
    ASSERT_EQ(dial.exportShapes.size(), 3u);
    EXPECT_DOUBLE_EQ(dial.exportShapes[0]->points[1].y, 250.0);
    EXPECT_EQ(dial.exportShapes[1]->width, 40);
    EXPECT_EQ(dial.exportShapes[2]->GetCount(), 5);

    // Clearing empties the list, resets the extents and forgets the current shape.
    dial.ClearExportShapes();
    EXPECT_TRUE(dial.exportShapes.empty());
    EXPECT_EQ(dial.currentShape, nullptr);
    EXPECT_EQ(dial.boundsMin.x, 1e-15);
    EXPECT_EQ(dial.boundsMax.y, 1e-15);
    dial.AddShapePoint(10, 10);
    EXPECT_TRUE(dial.exportShapes.empty());
}

TEST(DialShapes, EmptyPolylineAndOneStartedPoint)
{
    CTestDial dial;
    dial.exportShapes.push_back(std::make_unique<CPolyline>());
    dial.BeginShape(50, 50);  // never continued: dropped
    const std::string text = Export(dial);
    EXPECT_NE(text.find("ENTITIES\r\n  0\r\nPOLYLINE\r\n  0\r\nSEQEND\r\n  0\r\nENDSEC\r\n"), std::string::npos);
    EXPECT_EQ(text.find("CIRCLE"), std::string::npos);
    EXPECT_EQ(text.find("VERTEX"), std::string::npos);
}

TEST(DialShapes, ExportReportsAFileItCannotWrite)
{
    testsupport::TempDir dir;
    CTestDial dial;
    dial.AddSegmentShape(0, 0, 10, 10);
    std::string error;
    EXPECT_FALSE(dial.ExportDxf(dir / "missing" / "dial.dxf", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));

    // A folder in the way of the file: the writer opens, the commit fails.
    std::filesystem::create_directory(dir / "taken.dxf");
    error.clear();
    EXPECT_FALSE(dial.ExportDxf(dir / "taken.dxf", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(std::filesystem::is_directory(dir / "taken.dxf"));
}

TEST(DxfWriter, RectangleAndTheStatesOfTheWriter)
{
    testsupport::TempDir dir;
    CDxfWriter writer;
    EXPECT_FALSE(writer.Close());
    ASSERT_TRUE(writer.Open(dir / "r.dxf"));
    EXPECT_FALSE(writer.Open(dir / "other.dxf"));
    writer.WriteRectangle(1.0, 2.0, 3.5, -4.0);
    ASSERT_TRUE(writer.Close());
    EXPECT_FALSE(writer.IsOpen());
    const std::string expected =
        "  0\r\nPOLYLINE\r\n 40\r\n  0.000000\r\n 41\r\n  0.000000\r\n"
        "  0\r\nVERTEX\r\n 10\r\n  1.0000\r\n 20\r\n  2.0000\r\n"
        "  0\r\nVERTEX\r\n 10\r\n  3.5000\r\n 20\r\n  2.0000\r\n"
        "  0\r\nVERTEX\r\n 10\r\n  3.5000\r\n 20\r\n  -4.0000\r\n"
        "  0\r\nVERTEX\r\n 10\r\n  1.0000\r\n 20\r\n  -4.0000\r\n"
        "  0\r\nVERTEX\r\n 10\r\n  1.0000\r\n 20\r\n  2.0000\r\n"
        "  0\r\nSEQEND\r\n  0\r\nEOF\r\n";
    EXPECT_EQ(testsupport::ReadFileBytes(dir / "r.dxf"), expected);

    EXPECT_FALSE(writer.Open(dir / "no" / "such" / "folder.dxf"));
    EXPECT_EQ(writer.GetState(), CDxfWriter::kCannotCreate);
}

}  // namespace
