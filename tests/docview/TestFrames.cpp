// Page frames: hit zones, placement at the dial scale shared by drawing and hit tests, the
// text frame's font, drawing, size and editing, the frames' menus and stored form.
#include "app/Accessors.h"
#include "docview/CObjetBitmap.h"
#include "docview/CObjetTexte.h"
#include "docview/FrameMenus.h"
#include "docview/FramePlacement.h"
#include "model/CCadran.h"
#include "platform/FakeServices.h"
#include "platform/RecordingDC.h"
#include "support/PictureBytes.h"
#include "support/ShippedLanguage.h"
#include "support/TestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

using gdi::RecordKind;

class Frames : public ::testing::Test {
protected:
    void SetUp() override { GetAppContext() = AppContext{}; }
    void TearDown() override
    {
        GetAppContext() = AppContext{};
        CObjetTexte::SetEditHooks({});
        CObjetCadre::SetContextMenuHook(nullptr);
    }
    ScopedFakeServices services_;
};

std::vector<const gdi::Record*> RecordsOf(const gdi::RecordingDC& dc, RecordKind kind)
{
    std::vector<const gdi::Record*> out;
    for (const gdi::Record& r : dc.Records())
        if (r.kind == kind)
            out.push_back(&r);
    return out;
}

TEST_F(Frames, HitZonesOfA100By50Frame)
{
    CObjetCadre frame;
    frame.SetPosition(0, 0, 100, 50);
    // Outer rectangle (-2, -2)..(102, 52); inner (5, 5)..(95, 45); centre handles around
    // x = 50 (47 < x <= 53) and y = 25 (22 < y <= 28).
    const struct {
        int x, y, zone;
    } cases[] = {
        {-3, 10, 0}, {103, 10, 0}, {10, -3, 0}, {10, 53, 0},
        {-2, -2, 1}, {0, 0, 1}, {4, 4, 1}, {102, -2, 3}, {96, 0, 3},
        {48, 0, 2}, {53, -2, 2}, {47, 0, 9}, {54, 0, 9}, {20, 0, 9},
        {0, 25, 8}, {0, 23, 8}, {0, 28, 8}, {0, 22, 9}, {0, 29, 9}, {101, 25, 4}, {96, 28, 4},
        {0, 50, 7}, {-2, 52, 7}, {100, 50, 5}, {102, 52, 5}, {50, 50, 6}, {48, 52, 6}, {40, 50, 9},
        {6, 6, 9}, {5, 5, 9}, {95, 45, 9}, {50, 25, 9},
    };
    for (const auto& c : cases)
        EXPECT_EQ(frame.HitTest({c.x, c.y}), c.zone) << "point (" << c.x << ", " << c.y << ")";

    // Moved, the zones move with it.
    frame.SetPosition(-200, 300, -100, 350);
    EXPECT_EQ(frame.HitTest({-200, 300}), 1);
    EXPECT_EQ(frame.HitTest({-150, 325}), 9);
    EXPECT_EQ(frame.HitTest({0, 0}), 0);
}

TEST_F(Frames, ClicksLandOnTheFrameWhereItIsDrawnAtAnyScale)
{
    CCadran dial;
    dial.scale = 2.0;
    auto owned = std::make_unique<CObjetCadre>();
    owned->SetPosition(10, 20, 110, 70);
    owned->active = 1;
    CObjetCadre* frame = owned.get();
    dial.frames.push_back(std::move(owned));
    const gdi::Point anchor{300, 200};
    const gdi::Rect page{0, 0, 1000, 800};

    gdi::RecordingDC dc;
    dial.DrawFrameObjects(dc, anchor, page, 1);
    const auto rects = RecordsOf(dc, RecordKind::Rectangle);
    ASSERT_FALSE(rects.empty());
    const gdi::Rect drawn{rects[0]->args[0], rects[0]->args[1], rects[0]->args[2], rects[0]->args[3]};
    EXPECT_EQ(drawn, (gdi::Rect{320, 240, 520, 340}));
    EXPECT_EQ(FrameDrawRect(dial, *frame, dc, anchor, page), drawn);

    // The corner handle drawn at the bottom right is the bottom-right zone; the middle moves.
    FrameHit hit = HitTestFramesOnPage(dial, dc, anchor, page, {519, 339});
    EXPECT_EQ(hit.frame, frame);
    EXPECT_EQ(hit.zone, 5);
    EXPECT_EQ(hit.drawRect, drawn);
    EXPECT_EQ(HitTestFramesOnPage(dial, dc, anchor, page, {420, 290}).zone, 9);
    // Where the frame would lie at scale 1 but is not drawn, nothing is hit.
    EXPECT_EQ(HitTestFramesOnPage(dial, dc, anchor, page, {400, 230}).frame, nullptr);

    // A frame fixed to the page is hit where the dial placed it.
    frame->anchoring = CObjetCadre::kAnchorScreen;
    gdi::RecordingDC fixed;
    dial.DrawFrameObjects(fixed, anchor, page, 1);
    const auto* placed = RecordsOf(fixed, RecordKind::Rectangle).at(0);
    const gdi::Rect fixedRect{placed->args[0], placed->args[1], placed->args[2], placed->args[3]};
    EXPECT_EQ(FrameDrawRect(dial, *frame, fixed, anchor, page), fixedRect);
    EXPECT_EQ(HitTestFramesOnPage(dial, fixed, anchor, page, {fixedRect.left, fixedRect.top}).zone, 1);

    // Repaint covers the drawn frame with its handle margins.
    gdi::Rect repaint = FrameRepaintRect(dial, *frame, fixed, anchor, page);
    EXPECT_LE(repaint.left, fixedRect.left - 2);
    EXPECT_GE(repaint.bottom, fixedRect.bottom + 2);

    // Mouse moves convert back through the same scale (and resolution on a printer).
    EXPECT_EQ(CObjetCadre::DeviceToFrameLength(dc, 40, 2.0), 20);
    EXPECT_EQ(CObjetCadre::DeviceToFrameLength(dc, -15, 0.5), -30);
    gdi::RecordingDC printer(gdi::DeviceCaps::Page(600, 210, 297), true);
    EXPECT_EQ(CObjetCadre::DeviceToFrameLength(printer, 1250, 2.0), 100);
}

TEST_F(Frames, NewTextFrameIsArialTwelveBlackPlain)
{
    const CObjetTexte frame;
    EXPECT_EQ(frame.faceName, "Arial");
    EXPECT_EQ(frame.size, 12);
    EXPECT_EQ(frame.color, gdi::RGB(0, 0, 0));
    EXPECT_EQ(frame.bold + frame.italic + frame.strikeOut + frame.underline, 0);
    EXPECT_EQ(frame.contextMenu, 190);
    EXPECT_EQ(CObjetBitmap().contextMenu, 191);
    EXPECT_EQ(CObjetCadre().GetDefaultSize(), (gdi::Size{100, 50}));
}

TEST_F(Frames, TextIsDrawnInItsFontAtTheDialScaleAndResolution)
{
    CObjetTexte frame;
    frame.text = "Carpe diem";
    frame.faceName = "Times New Roman";
    frame.size = 12;
    frame.bold = 1;
    frame.underline = 1;
    frame.color = gdi::RGB(10, 20, 30);
    frame.SetPosition(10, 20, 110, 70);

    // 12 points at 96 pixels per inch: 16 pixels; at 600 and scale 1.5: 150.
    EXPECT_EQ(frame.MakeTextFont(96, 1.0).height, -16);
    EXPECT_EQ(frame.MakeTextFont(600, 1.5).height, -150);
    const gdi::LogFont font = frame.MakeTextFont(96, 1.0);
    EXPECT_EQ(font.weight, gdi::FW_BOLD);
    EXPECT_TRUE(font.underline);
    EXPECT_FALSE(font.italic);
    EXPECT_EQ(font.faceName, "Times New Roman");
    EXPECT_EQ(font.outPrecision, gdi::OUT_TT_ONLY_PRECIS);
    EXPECT_EQ(font.quality, gdi::PROOF_QUALITY);

    gdi::RecordingDC dc;
    const gdi::COLORREF oldColor = dc.GetTextColor();
    frame.Draw(dc, {300, 200}, {0, 0, 800, 600}, {}, 2.0);
    const auto texts = RecordsOf(dc, RecordKind::DrawText);
    ASSERT_EQ(texts.size(), 1u);
    const gdi::Record& text = *texts[0];
    EXPECT_EQ(text.text, "Carpe diem");
    EXPECT_EQ(text.args, (std::vector<int>{320, 240, 520, 340, static_cast<int>(gdi::DT_CENTER | gdi::DT_WORDBREAK)}));
    EXPECT_EQ(text.font.height, -32);
    EXPECT_EQ(text.font.faceName, "Times New Roman");
    EXPECT_EQ(text.textColor, gdi::RGB(10, 20, 30));
    // The context gets its font and colour back.
    EXPECT_EQ(dc.GetTextColor(), oldColor);
    EXPECT_EQ(dc.GetCurrentFont(), gdi::LogFont{});
}

TEST_F(Frames, TextFrameDefaultSizeIsItsTextExtentOnTheScreen)
{
    CObjetTexte frame;
    frame.text = "Horavel";
    // Recording metrics: a 16-pixel font has 10-pixel characters.
    EXPECT_EQ(frame.GetDefaultSize(), (gdi::Size{70, 16}));
    GetAppContext().screenPixelsPerInchY = 120;  // 20-pixel font, 12-pixel characters
    EXPECT_EQ(frame.GetDefaultSize(), (gdi::Size{84, 20}));
}

TEST_F(Frames, TextFrameEditsWithTheFontChooserUnderShiftElseItsDialog)
{
    CObjetTexte frame;
    frame.size = 14;
    frame.color = gdi::RGB(1, 2, 3);
    bool shift = true;
    int dialogResult = IDOK;
    int dialogRuns = 0;
    CObjetTexte::SetEditHooks({[&] { return shift; }, [&](CObjetTexte& f) {
                                   ++dialogRuns;
                                   f.text = "edited";
                                   return dialogResult;
                               }});

    FontChoice chosen;
    chosen.font.faceName = "Courier New";
    chosen.font.weight = gdi::FW_BOLD;
    chosen.font.italic = true;
    chosen.font.strikeOut = true;
    chosen.color = gdi::RGB(200, 0, 0);
    chosen.pointSizeTenths = 185;
    services_->QueueFont(chosen);
    EXPECT_EQ(frame.EditProperties(), 1);
    ASSERT_EQ(services_->fontRequests.size(), 1u);
    EXPECT_EQ(services_->fontRequests[0].font.faceName, "Arial");
    EXPECT_EQ(services_->fontRequests[0].font.height, -19);  // 14 points at 96 pixels per inch
    EXPECT_EQ(services_->fontRequests[0].color, gdi::RGB(1, 2, 3));
    EXPECT_EQ(frame.faceName, "Courier New");
    EXPECT_EQ(frame.size, 18);
    EXPECT_EQ(frame.bold, 1);
    EXPECT_EQ(frame.italic, 1);
    EXPECT_EQ(frame.strikeOut, 1);
    EXPECT_EQ(frame.underline, 0);
    EXPECT_EQ(frame.color, gdi::RGB(200, 0, 0));
    EXPECT_EQ(dialogRuns, 0);

    services_->QueueFont(std::nullopt);  // cancelled: nothing changes
    EXPECT_EQ(frame.EditProperties(), 0);
    EXPECT_EQ(frame.faceName, "Courier New");

    shift = false;
    EXPECT_EQ(frame.EditProperties(), 1);
    EXPECT_EQ(frame.text, "edited");
    dialogResult = IDCANCEL;
    EXPECT_EQ(frame.EditProperties(), 0);
    EXPECT_EQ(dialogRuns, 2);

    CObjetTexte::SetEditHooks({});
    EXPECT_EQ(frame.EditProperties(), 0);
}

TEST_F(Frames, FramesStoreTheirFieldsAndCloneAsTheirOwnKind)
{
    CObjetTexte text;
    text.SetPosition(-5, 7, 95, 57);
    text.anchoring = 5;
    text.active = 1;
    text.selected = 1;  // not stored
    text.text = "Sonnenuhr \u2600 Zeit";  // not all Windows-1252: stored as UTF-16
    text.faceName = "Courier New";
    text.size = 9;
    text.italic = 1;
    text.strikeOut = 1;
    text.color = gdi::RGB(0, 128, 255);

    ClassRegistry registry;
    registry.Register<CObjetTexte>();
    Archive out = Archive::ForStoring();
    out.WriteObject(&text);
    Archive in = Archive::ForLoading(out.Bytes(), registry);
    const auto read = in.ReadObjectAs<CObjetTexte>();
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_EQ(read->GetRect(), text.GetRect());
    EXPECT_EQ(read->anchoring, 5);
    EXPECT_EQ(read->active, 1);
    EXPECT_EQ(read->selected, 0);
    EXPECT_EQ(read->text, text.text);
    EXPECT_EQ(read->faceName, "Courier New");
    EXPECT_EQ(read->size, 9);
    EXPECT_EQ(read->italic, 1);
    EXPECT_EQ(read->strikeOut, 1);
    EXPECT_EQ(read->bold + read->underline, 0);
    EXPECT_EQ(read->color, gdi::RGB(0, 128, 255));

    const auto copy = text.Clone();
    const auto* textCopy = dynamic_cast<const CObjetTexte*>(copy.get());
    ASSERT_NE(textCopy, nullptr);
    EXPECT_EQ(textCopy->text, text.text);
    EXPECT_EQ(textCopy->GetRect(), text.GetRect());

    CObjetBitmap picture;
    ASSERT_TRUE(picture.GetPicture().LoadFromBytes(testpictures::Bmp24(3, 2, 0x102030)));
    const auto pictureCopy = picture.Clone();
    const auto* bitmapCopy = dynamic_cast<const CObjetBitmap*>(pictureCopy.get());
    ASSERT_NE(bitmapCopy, nullptr) << "a picture frame must not clone into a bare frame";
    EXPECT_EQ(bitmapCopy->GetPicture().GetBytes(), picture.GetPicture().GetBytes());
}

TEST_F(Frames, ContextMenusHoldTheirCommandsInOrderAndTranslateByMenu)
{
    auto ids = [](const MenuModel& m) {
        std::vector<int> out;
        for (const MenuItem& item : m.items)
            out.push_back(item.id);
        return out;
    };
    EXPECT_EQ(ids(BuildFrameContextMenu(190)),
              (std::vector<int>{32905, 32957, 0, 32906, 0, 32907, 32908, 0, 32911}));
    EXPECT_EQ(ids(BuildFrameContextMenu(191)),
              (std::vector<int>{32905, 0, 32906, 0, 32907, 32908, 0, 32910, 32909, 32912, 0, 32911}));
    EXPECT_TRUE(BuildFrameContextMenu(192).items.empty());
    EXPECT_EQ(LoadFrameContextMenu(191).items[2].text, "Charger un fichier image...");

    // In English, the shared command 32906 keeps each menu's own text.
    {
        const testsupport::ScopedShippedLanguage english(1);
        EXPECT_EQ(LoadFrameContextMenu(190).items[3].text, "Edit the text and its style...");
        EXPECT_EQ(LoadFrameContextMenu(191).items[2].text, "Load a picture file...");
        EXPECT_EQ(LoadFrameContextMenu(191).items[7].text, "Show the picture at its original size");
    }

    // A frame asks the windowing layer to show its own menu.
    std::vector<int> shown;
    CObjetCadre::SetContextMenuHook([&](int menu, int x, int y) { shown = {menu, x, y}; });
    CObjetTexte().ShowContextMenu(40, 50);
    EXPECT_EQ(shown, (std::vector<int>{190, 40, 50}));
    CObjetBitmap().ShowContextMenu(1, 2);
    EXPECT_EQ(shown, (std::vector<int>{191, 1, 2}));
}

}  // namespace
