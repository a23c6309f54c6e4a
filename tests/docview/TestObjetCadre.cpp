// The base page frame: hit-test zones, stored schemas, drawing on screen and on a printer,
// copies and the context menu.
#include "docview/CObjetCadre.h"
#include "platform/Archive.h"
#include "platform/RecordingDC.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>

namespace {

using gdi::RecordKind;

ClassRegistry& Registry()
{
    static ClassRegistry registry = [] {
        ClassRegistry r;
        r.Register<CObjetCadre>();
        return r;
    }();
    return registry;
}

std::string FrameBytes(int schema, std::initializer_list<std::int32_t> values)
{
    Archive ar = Archive::ForStoring();
    ar << std::uint16_t{0xFFFF} << static_cast<std::uint16_t>(schema) << std::uint16_t{11};
    ar.Write("CObjetCadre");
    for (std::int32_t v : values)
        ar << v;
    return ar.Bytes();
}

std::unique_ptr<CObjetCadre> Load(const std::string& bytes)
{
    Archive ar = Archive::ForLoading(bytes, Registry());
    auto frame = ar.ReadObjectAs<CObjetCadre>();
    EXPECT_EQ(ar.Remaining(), 0u);
    return frame;
}

TEST(ObjetCadre, HitTestZonesAroundTheFrame)
{
    CObjetCadre f;
    f.SetPosition(0, 0, 100, 50);  // outer (-2, -2, 102, 52), inner (5, 5, 95, 45)
    struct Case {
        int x, y, zone;
    };
    const Case cases[] = {
        {0, 0, 1},    {-2, -2, 1},  {-3, 0, 0},   {0, -3, 0},  {102, 52, 5}, {103, 52, 0},
        {100, 0, 3},  {96, 3, 3},   {95, 3, 9},   {47, -2, 9}, {48, -2, 2},  {53, 0, 2},
        {54, 0, 9},   {0, 50, 7},   {50, 50, 6},  {50, 52, 6}, {0, 22, 9},   {0, 23, 8},
        {-2, 28, 8},  {0, 29, 9},   {101, 25, 4}, {6, 25, 9},  {50, 25, 9},  {94, 44, 9},
    };
    for (const Case& c : cases)
        EXPECT_EQ(f.HitTest({c.x, c.y}), c.zone) << c.x << ", " << c.y;

    // Away from the origin the same zones follow the frame.
    f.SetPosition(-300, 40, -200, 90);
    EXPECT_EQ(f.HitTest({-300, 40}), 1);
    EXPECT_EQ(f.HitTest({-250, 65}), 9);
    EXPECT_EQ(f.HitTest({-200, 90}), 5);
}

TEST(ObjetCadre, StoredSchemas)
{
    CObjetCadre f;
    f.SetPosition(-5, 7, 95, 57);
    f.active = 1;
    f.anchoring = CObjetCadre::kAnchorRight;
    f.layer = 0;
    f.selected = 1;
    Archive out = Archive::ForStoring();
    out.WriteObject(&f);
    EXPECT_EQ(out.Bytes(), FrameBytes(3, {-5, 7, 100, 50, 1, 5}));
    auto back = Load(out.Bytes());
    EXPECT_EQ(back->GetRect(), f.GetRect());
    EXPECT_EQ(back->active, 1);
    EXPECT_EQ(back->anchoring, 5);
    // Layer, selection and deletability are not stored.
    EXPECT_EQ(back->layer, 1);
    EXPECT_EQ(back->selected, 0);

    // Schema 2: a rectangle, active, anchoring.
    back = Load(FrameBytes(2, {10, 20, 110, 70, 1, 3}));
    EXPECT_EQ(back->GetRect(), (gdi::Rect{10, 20, 110, 70}));
    EXPECT_EQ(back->active, 1);
    EXPECT_EQ(back->anchoring, 3);
    // Schema 1: a rectangle and active; anchoring keeps its default.
    back = Load(FrameBytes(1, {10, 20, 110, 70, 0}));
    EXPECT_EQ(back->GetRect(), (gdi::Rect{10, 20, 110, 70}));
    EXPECT_EQ(back->anchoring, CObjetCadre::kAnchorFollowDial);

    EXPECT_THROW(Load(FrameBytes(4, {1, 2, 3, 4, 5, 6})), ArchiveException);
    EXPECT_THROW(Load(FrameBytes(3, {1, 2, 3, 4, 5})), ArchiveException);
}

TEST(ObjetCadre, DamagedCoordinatesAreClampedNotOverflowed)
{
    const std::int32_t big = std::numeric_limits<std::int32_t>::max();
    const std::int32_t small = std::numeric_limits<std::int32_t>::min();
    auto f = Load(FrameBytes(2, {small, small, big, big, 0, 2}));
    EXPECT_EQ(f->x, -(1 << 24));
    EXPECT_EQ(f->width, 1 << 24);
    // Hit tests and rectangles stay within the int range.
    EXPECT_EQ(f->HitTest({-100, -100}), 9);
    EXPECT_EQ(f->HitTest({0, 0}), 5);
    f = Load(FrameBytes(3, {big, small, big, big, 0, 2}));
    EXPECT_EQ(f->GetRect(), (gdi::Rect{1 << 24, -(1 << 24), 1 << 25, 0}));
}

TEST(ObjetCadre, DrawOnScreenShowsOutlineAndHandlesOfTheActiveFrame)
{
    CObjetCadre f;
    f.SetPosition(10, -20, 50, 10);
    gdi::RecordingDC dc;
    f.Draw(dc, {100, 200}, {0, 0, 400, 400}, {0, 0}, 1.5);
    // Inactive: one grey dotted outline at anchor + 1.5 x offset.
    auto rects = dc.RecordsOf(RecordKind::Rectangle);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0]->args, (std::vector<int>{115, 170, 175, 215}));
    EXPECT_EQ(rects[0]->pen, (gdi::Pen{gdi::PS_DOT, 1, gdi::RGB(192, 192, 192)}));
    EXPECT_EQ(rects[0]->brush.style, gdi::BS_NULL);

    dc.Clear();
    f.active = 1;
    f.selected = 1;
    f.Draw(dc, {100, 200}, {0, 0, 400, 400}, {0, 0}, 1.0);
    rects = dc.RecordsOf(RecordKind::Rectangle);
    ASSERT_EQ(rects.size(), 10u);
    EXPECT_EQ(rects[0]->args, (std::vector<int>{110, 180, 150, 210}));
    EXPECT_EQ(rects[0]->pen.color, gdi::RGB(0, 0, 0));
    EXPECT_EQ(rects[1]->args, (std::vector<int>{111, 181, 149, 209}));
    const std::vector<std::vector<int>> handles = {
        {110, 180, 115, 185}, {146, 180, 151, 185}, {146, 206, 151, 211}, {110, 206, 115, 211},
        {128, 180, 133, 185}, {146, 193, 151, 198}, {128, 206, 133, 211}, {110, 193, 115, 198},
    };
    for (std::size_t i = 0; i < handles.size(); ++i) {
        EXPECT_EQ(rects[2 + i]->args, handles[i]) << i;
        EXPECT_EQ(rects[2 + i]->brush, (gdi::Brush{gdi::BS_SOLID, gdi::RGB(0, 0, 0)}));
    }
    // The context's pen and brush are given back.
    EXPECT_EQ(dc.GetCurrentPen(), gdi::Pen{});
    EXPECT_EQ(dc.GetCurrentBrush(), gdi::Brush{});
}

TEST(ObjetCadre, PrintingScalesToThePrinterAndDrawsNoOutline)
{
    CObjetCadre f;
    f.SetPosition(10, -20, 50, 10);
    f.active = 1;
    gdi::RecordingDC printer(gdi::DeviceCaps::Page(300, 210, 297), true);
    f.Draw(printer, {1000, 2000}, {0, 0, 2480, 3508}, {0, 0}, 1.0);
    EXPECT_EQ(printer.Count(RecordKind::Rectangle), 0);

    // A frame fixed elsewhere goes where the caller resolved it.
    struct Probe : CObjetCadre {
        gdi::Rect drawn;
        void DrawContents(gdi::DC&, int l, int t, int r, int b) override { drawn = {l, t, r, b}; }
    } probe;
    probe.SetPosition(10, -20, 50, 10);
    probe.Draw(printer, {1000, 2000}, {0, 0, 2480, 3508}, {0, 0}, 1.0);
    EXPECT_EQ(probe.drawn, (gdi::Rect{1031, 1937, 1156, 2031}));
    probe.anchoring = CObjetCadre::kAnchorScreen;
    probe.Draw(printer, {1000, 2000}, {0, 0, 2480, 3508}, {7, 9}, 1.0);
    EXPECT_EQ(probe.drawn, (gdi::Rect{7, 9, 132, 103}));
}

TEST(ObjetCadre, CloneIsAnIndependentCopy)
{
    CObjetCadre f;
    f.SetPosition(1, 2, 4, 8);
    f.anchoring = 4;
    f.active = 1;
    f.selected = 1;
    f.deletable = 0;
    f.layer = 0;
    f.contextMenu = 190;
    auto copy = f.Clone();
    f.x = 99;
    EXPECT_EQ(copy->GetRect(), (gdi::Rect{1, 2, 4, 8}));
    EXPECT_EQ(copy->anchoring, 4);
    EXPECT_EQ(copy->active + copy->selected, 2);
    EXPECT_EQ(copy->deletable, 0);
    EXPECT_EQ(copy->layer, 0);
    EXPECT_EQ(copy->contextMenu, 190);
}

TEST(ObjetCadre, ContextMenuGoesThroughTheHookWithTheFrameMenu)
{
    int shown = 0;
    int menu = 0;
    gdi::Point at;
    CObjetCadre::SetContextMenuHook([&](int id, int x, int y) {
        ++shown;
        menu = id;
        at = {x, y};
    });
    CObjetCadre f;
    f.ShowContextMenu(5, 6);  // the base frame has no menu
    EXPECT_EQ(shown, 0);
    f.contextMenu = 191;
    f.ShowContextMenu(300, 400);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(menu, 191);
    EXPECT_EQ(at, (gdi::Point{300, 400}));
    CObjetCadre::SetContextMenuHook(nullptr);
    f.ShowContextMenu(1, 1);
    EXPECT_EQ(shown, 1);
}

}  // namespace
