// What the plane dials draw of their own: the foot of the style, the centre and the style,
// the points they give the DXF export, the noon line of inclined faces, and the two daily
// runs of the date arcs on a wall that looks towards the pole.
#include "DialRecording.h"
#include "model/CCadranHorizontal.h"
#include "model/CCadranMeridional.h"
#include "model/CCadranOccidental.h"
#include "model/CCadranOriental.h"
#include "model/CCadranPlanQuelconque.h"
#include "model/CCadranPolaire.h"
#include "model/CCadranVerticalQcq.h"
#include "model/CCadranVerticalQcqSept.h"
#include "model/Rounding.h"
#include "platform/RecordingDC.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace {

using gdi::Point;
using gdi::RecordingDC;
using gdi::Segment;

constexpr double kDeg = std::numbers::pi / 180.0;
constexpr double kPxPerMm = 4.0;
const gdi::Pen kGridPen{gdi::PS_DOT, 1, gdi::RGB(192, 192, 192)};
const gdi::Pen kBlackPen{gdi::PS_SOLID, 1, gdi::RGB(0, 0, 0)};

template <class T, class... Args>
std::unique_ptr<T> Dial(double latitude, Args... args)
{
    auto dial = std::make_unique<T>(args...);
    dial->SetSite(latitude, 0.0, 0.0);
    dial->styleHeight = 40;
    dial->styleLimit = 25;
    dial->pixelsPerMmX = dial->pixelsPerMmY = kPxPerMm;
    dial->width = 200;
    dial->height = 150;
    return dial;
}

std::vector<Segment> SegmentsWith(const RecordingDC& dc, const gdi::Pen& pen)
{
    std::vector<Segment> out;
    for (const Segment& s : dc.Segments())
        if (s.pen == pen)
            out.push_back(s);
    return out;
}

// A cross of half-size m at p: a horizontal and a vertical stroke through it.
bool HasCrossAt(const RecordingDC& dc, Point p, int m)
{
    const std::vector<Segment> strokes = SegmentsWith(dc, kBlackPen);
    const auto has = [&](Point a, Point b) {
        return std::any_of(strokes.begin(), strokes.end(), [&](const Segment& s) { return s.from == a && s.to == b; });
    };
    return has({p.x - m, p.y}, {p.x + m + 1, p.y}) && has({p.x, p.y - m}, {p.x, p.y + m + 1});
}

// The state of the context survives the marks.
void ExpectStateRestored(RecordingDC& dc, const std::function<void()>& draw)
{
    const gdi::LogFont font{.height = -17, .faceName = "Test"};
    dc.SelectFont(font);
    dc.SelectPen(gdi::Pen{gdi::PS_DASH, 2, gdi::RGB(1, 2, 3)});
    dc.SetTextAlign(gdi::TA_RIGHT | gdi::TA_BASELINE);
    draw();
    EXPECT_EQ(dc.GetCurrentFont(), font);
    EXPECT_EQ(dc.GetCurrentPen(), (gdi::Pen{gdi::PS_DASH, 2, gdi::RGB(1, 2, 3)}));
    EXPECT_EQ(dc.GetTextAlign(), gdi::TA_RIGHT | gdi::TA_BASELINE);
}

// The foot A and the centre B, joined by the style; "B" while the centre is where the polar
// style meets the face, "B*" once the truncation has moved it.
TEST(PlaneDialMarks, FootCentreAndStyleLine)
{
    std::vector<std::unique_ptr<CCadran>> dials;
    dials.push_back(Dial<CCadranHorizontal>(47.25));
    dials.push_back(Dial<CCadranMeridional>(-38.0));
    dials.push_back(Dial<CCadranVerticalQcq>(52.0, 0.5));
    dials.push_back(Dial<CCadranPlanQuelconque>(41.0, -0.4, 0.9));
    const Point a{400, 300};
    const int m = 4;
    for (auto& dial : dials) {
        SCOPED_TRACE(dial->GetClassInfo().name);
        for (int truncation : {0, 1}) {
            dial->styleTruncation = truncation;
            int bx = 0, by = 0;
            ASSERT_TRUE(dial->GetCentre(bx, by, true, false));
            const Point b{a.x + bx, a.y + by};
            // The full centre is farther than the limit on every dial here.
            ASSERT_GT(std::hypot(bx, by), 25.0 * kPxPerMm - 1.0);

            RecordingDC dc;
            ExpectStateRestored(dc, [&] { dial->DrawSpecific(dc, a.x, a.y); });
            const std::vector<std::string> expectedTexts{"A", truncation ? "B*" : "B"};
            EXPECT_EQ(dc.Texts(), expectedTexts);
            for (const gdi::Record* text : dc.RecordsOf(gdi::RecordKind::TextOut))
                EXPECT_EQ(text->font.faceName, "Courier New");
            EXPECT_TRUE(HasCrossAt(dc, a, m));
            EXPECT_TRUE(HasCrossAt(dc, b, m));
            const std::vector<Segment> style = SegmentsWith(dc, kGridPen);
            ASSERT_EQ(style.size(), 1u);
            EXPECT_EQ(style[0].from, a);
            EXPECT_EQ(style[0].to, b);
            if (truncation) {
                EXPECT_NEAR(std::hypot(bx, by), 25.0 * kPxPerMm, 1.0);
            }
        }
    }
}

// Exported points, in tenths of a millimetre with y up from the bottom of the dial: the
// foot (4 wide) and the cut centre (3 wide); the dial on any plane exports none.
TEST(PlaneDialMarks, FootAndCentreGoToTheExport)
{
    std::vector<std::unique_ptr<CCadran>> dials;
    dials.push_back(Dial<CCadranHorizontal>(47.25));
    dials.push_back(Dial<CCadranVerticalQcq>(-30.0, -0.7));
    for (auto& dial : dials) {
        SCOPED_TRACE(dial->GetClassInfo().name);
        dial->styleTruncation = 1;
        dial->SetStyleAnchorPercent(40, 30);
        dial->collectShapes = 1;
        RecordingDC dc;
        dial->DrawSpecific(dc, 400, 300);
        ASSERT_EQ(dial->exportShapes.size(), 2u);
        const CPolyline& foot = *dial->exportShapes[0];
        const CPolyline& centre = *dial->exportShapes[1];
        ASSERT_EQ(foot.GetCount(), 1);
        ASSERT_EQ(centre.GetCount(), 1);
        EXPECT_EQ(foot.width, 4);
        EXPECT_EQ(centre.width, 3);
        EXPECT_NEAR(foot.points[0].x, 80.0, 1e-9);
        EXPECT_NEAR(foot.points[0].y, 105.0, 1e-9);
        int tx = 0, ty = 0;
        ASSERT_TRUE(dial->GetCentre(tx, ty, true, true));
        EXPECT_NEAR(centre.points[0].x, 80.0 + tx / 10.0, 1e-9);
        EXPECT_NEAR(centre.points[0].y, 105.0 + ty / 10.0, 1e-9);
        EXPECT_NEAR(std::hypot(tx, ty), 250.0, 1.0);
    }
    auto plane = Dial<CCadranPlanQuelconque>(47.25, 0.3, 1.0);
    plane->collectShapes = 1;
    RecordingDC dc;
    plane->DrawSpecific(dc, 400, 300);
    EXPECT_TRUE(plane->exportShapes.empty());
    EXPECT_EQ(dc.Texts().size(), 2u);
}

// East and west: the style lies parallel to the face, centred on the foot, along the
// sub-style; its two ends and the foot are marked and exported.
TEST(PlaneDialMarks, ParallelStyleOfEastAndWestFaces)
{
    for (double latitude : {47.25, -33.9}) {
        std::vector<std::unique_ptr<CCadran>> dials;
        dials.push_back(Dial<CCadranOriental>(latitude));
        dials.push_back(Dial<CCadranOccidental>(latitude));
        for (auto& dial : dials) {
            SCOPED_TRACE(std::string(dial->GetClassInfo().name) + " " + std::to_string(latitude));
            dial->collectShapes = 1;
            const Point a{300, 200};
            RecordingDC dc;
            ExpectStateRestored(dc, [&] { dial->DrawSpecific(dc, a.x, a.y); });
            EXPECT_EQ(dc.Texts(), (std::vector<std::string>{"C*", "A", "B*"}));
            const std::vector<Segment> style = SegmentsWith(dc, kGridPen);
            ASSERT_EQ(style.size(), 1u);
            // Symmetric about the foot, L long each side, along the sub-style (y up).
            EXPECT_EQ(style[0].from.x + style[0].to.x, 2 * a.x);
            EXPECT_EQ(style[0].from.y + style[0].to.y, 2 * a.y);
            const double dx = style[0].to.x - a.x, dy = -(style[0].to.y - a.y);
            EXPECT_NEAR(std::hypot(dx, dy), 25.0 * kPxPerMm, 1.0);
            const double angle = dial->GetCentreAngle();
            EXPECT_NEAR(dx * std::sin(angle) - dy * std::cos(angle), 0.0, 1.0);
            // The style rises towards the pole: left on a west face and right on an east face
            // in the north, the other way round in the south.
            const bool west = dial->typeCode == 4;
            const double poleSide = (latitude > 0) == west ? -1.0 : 1.0;
            const Point upper = style[0].to.y < style[0].from.y ? style[0].to : style[0].from;
            EXPECT_LT(upper.y, a.y);
            EXPECT_GT((upper.x - a.x) * poleSide, 0);
            EXPECT_TRUE(HasCrossAt(dc, a, 4));
            EXPECT_TRUE(HasCrossAt(dc, style[0].from, 4));
            EXPECT_TRUE(HasCrossAt(dc, style[0].to, 4));

            ASSERT_EQ(dial->exportShapes.size(), 3u);
            const CDoublePoint foot = dial->exportShapes[0]->points[0];
            const CDoublePoint end1 = dial->exportShapes[1]->points[0];
            const CDoublePoint end2 = dial->exportShapes[2]->points[0];
            EXPECT_NEAR(end1.x + end2.x, 2 * foot.x, 0.11);
            EXPECT_NEAR(end1.y + end2.y, 2 * foot.y, 0.11);
            EXPECT_NEAR(std::hypot(end1.x - foot.x, end1.y - foot.y), 25.0, 0.1);
            // The same line in the export (mm, y up) as on the drawing.
            const CDoublePoint high = end1.y > end2.y ? end1 : end2;
            EXPECT_GT((high.x - foot.x) * poleSide, 0);
            EXPECT_NEAR((high.x - foot.x) * kPxPerMm, upper.x - a.x, 1.5);
        }
    }
}

// The polar dial: a vertical style of twice the limit centred on the foot, its cut end B*
// below it.
TEST(PlaneDialMarks, PolarStyle)
{
    auto dial = Dial<CCadranPolaire>(47.25);
    dial->planeAngle2 = 47.25 * kDeg;
    dial->collectShapes = 1;
    RecordingDC dc;
    ExpectStateRestored(dc, [&] { dial->DrawSpecific(dc, 300, 200); });
    const std::vector<Segment> style = SegmentsWith(dc, kGridPen);
    ASSERT_EQ(style.size(), 1u);
    EXPECT_EQ(style[0].from, (Point{300, 100}));
    EXPECT_EQ(style[0].to, (Point{300, 300}));
    for (Point p : {Point{300, 100}, Point{300, 200}, Point{300, 300}})
        EXPECT_TRUE(HasCrossAt(dc, p, 4));
    const std::vector<std::string> texts = dc.Texts();
    EXPECT_EQ(texts, (std::vector<std::string>{"A", "B*", "C*"}));
    const auto records = dc.RecordsOf(gdi::RecordKind::TextOut);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_GT(records[1]->points[0].y, 300);  // B* below the lower end
    EXPECT_LT(records[2]->points[0].y, 100);  // C* above the upper end
    EXPECT_TRUE(dial->exportShapes.empty());
}

// The noon line runs from the centre through the shadow of a noon sun, to the edge of the
// rectangle; the part of it off the rectangle is not drawn; a face without a centre has none.
TEST(PlaneDialMarks, NoonLineOfAnInclinedFace)
{
    auto dial = Dial<CCadranPlanQuelconque>(45.0, 0.3, 0.2);
    dial->styleTruncation = 0;
    const Point a{1000, 600};
    int cx = 0, cy = 0;
    ASSERT_TRUE(dial->GetCentre(cx, cy, false, false));
    const Point centre{a.x + cx, a.y + cy};
    int nx = 0, ny = 0;
    dial->Project(0.0, std::numbers::pi / 4, nx, ny, true, true);
    const Point noon{a.x + nx, a.y + ny};

    for (const gdi::Rect rect : {gdi::Rect{0, 0, 2000, 1400}, gdi::Rect{0, 0, 2000, centre.y - 100}}) {
        RecordingDC dc;
        dial->DrawCentreLine(dc, rect.left, rect.top, rect.right, rect.bottom, a.x, a.y);
        const std::vector<Segment> lines = dc.Segments();
        ASSERT_EQ(lines.size(), 1u);
        const Segment& line = lines[0];
        EXPECT_EQ(line.pen.color, gdi::RGB(128, 128, 128));
        // From the centre, or from where the line enters the rectangle, through the noon
        // shadow (on the line within a pixel), to the rectangle's edge.
        const double ux = noon.x - centre.x, uy = noon.y - centre.y;
        const double len = std::hypot(ux, uy);
        for (Point p : {line.from, line.to})
            EXPECT_LE(std::fabs((p.x - centre.x) * uy - (p.y - centre.y) * ux) / len, 1.0);
        EXPECT_GT((line.to.x - line.from.x) * ux + (line.to.y - line.from.y) * uy, 0.0);
        if (rect.Contains(centre))
            EXPECT_EQ(line.from, centre);
        else
            EXPECT_NEAR(line.from.y, rect.bottom, 1);
        const bool onEdge = line.to.x <= rect.left + 1 || line.to.x >= rect.right - 1 || line.to.y <= rect.top + 1 ||
                            line.to.y >= rect.bottom - 1;
        EXPECT_TRUE(onEdge);
    }

    auto polar = Dial<CCadranPolaire>(45.0);
    polar->planeAngle2 = 45.0 * kDeg;
    RecordingDC dc;
    polar->DrawCentreLine(dc, 0, 0, 2000, 1400, a.x, a.y);
    EXPECT_TRUE(dc.Records().empty());
}

// A wall looking nearly north is lit in the morning and again in the evening: each date arc
// is drawn (and exported) as two curves, never joined across the day.
TEST(PlaneDialMarks, WallBeyondNinetyDegreesDrawsTwoRunsPerArc)
{
    dialtest::GiveEntriesOwnColours();
    auto dial = std::make_unique<CCadranVerticalQcqSept>(172.0 * kDeg);
    dial->SetYear(2024);
    dial->SetSite(47.25, -6.0, 1.0);
    dial->width = 300;
    dial->height = 200;
    dial->styleHeight = 30;
    dial->pixelsPerMmX = dial->pixelsPerMmY = kPxPerMm;
    dial->SetStyleAnchorPercent(50, 25);
    dial->SetDialRect(0, 0, 1200, 800);
    dial->ComputeAllTables();
    dial->prefs = CPrefs();
    dial->prefs.diurnalArcMode = 1;  // the two solstices
    dial->prefs.sunAboveHorizon = 1;
    dial->prefs.hourNumbers = 0;
    dial->prefs.styleMarking = 0;
    dial->collectShapes = 1;
    RecordingDC dc;
    dial->Draw(dc, gdi::Rect{0, 0, 1200, 800});
    // The June solstice (entry 15): the December sun never reaches this wall.
    const auto june = dialtest::PolylinesOf(dc, 15);
    ASSERT_EQ(june.size(), 2u);
    EXPECT_TRUE(dialtest::PolylinesOf(dc, 9).empty());
    // Morning on the east (left, facing north) side, evening on the west: never joined.
    const auto xs = [](const gdi::Record* r) {
        int lo = r->points.front().x, hi = lo;
        for (Point p : r->points) {
            lo = std::min(lo, p.x);
            hi = std::max(hi, p.x);
        }
        return std::pair{lo, hi};
    };
    const auto [lo0, hi0] = xs(june[0]);
    const auto [lo1, hi1] = xs(june[1]);
    EXPECT_TRUE(hi0 < lo1 || hi1 < lo0);
    // Each run is a curve of several points.
    EXPECT_GT(june[0]->points.size(), 3u);
    EXPECT_GT(june[1]->points.size(), 3u);
    int exportedCurves = 0;
    for (const auto& shape : dial->exportShapes)
        exportedCurves += shape->GetCount() > 2 ? 1 : 0;
    EXPECT_GE(exportedCurves, 2);
}

}  // namespace
