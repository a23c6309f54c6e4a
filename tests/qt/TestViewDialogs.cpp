// The two small windows of the view's commands driven through their widgets: the frame
// anchoring dialog on every anchoring kind, and the live shadow's clock. With
// HORAVEL_SCREENSHOTS set to a folder, pictures of both are saved there.
#include "DialogTestSupport.h"

#include "dialogs/FrameAnchoringChoice.h"
#include "dialogs/qt/CDlgAncrageCadre.h"
#include "dialogs/qt/CDlgHorloge.h"
#include "docview/CObjetCadre.h"
#include "platform/FakeServices.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr int kModeRadios[] = {1236, 1241, 1242};
constexpr int kEdgeRadios[] = {1237, 1238, 1239, 1240};

void Shot(QWidget& widget, const char* name)
{
    const QImage image = widget.grab().toImage();
    EXPECT_FALSE(image.isNull()) << name;
    if (const char* folder = std::getenv("HORAVEL_SCREENSHOTS"))
        image.save(QString::fromUtf8(folder) + "/" + name);
}

class ViewDialogs : public ::testing::Test {
protected:
    ScopedFakeServices fake_;
    dialogtest::ScopedDialogContext context_;
};

// Which radio of each group the dialog shows checked: {mode, edge}, -1 for none.
std::pair<int, int> Shown(CDlgAncrageCadre& dialog)
{
    std::pair<int, int> shown{-1, -1};
    for (int i = 0; i < 3; ++i)
        if (dialog.Control<QRadioButton>(kModeRadios[i])->isChecked())
            shown.first = i;
    for (int i = 0; i < 4; ++i)
        if (dialog.Control<QRadioButton>(kEdgeRadios[i])->isChecked())
            shown.second = i;
    return shown;
}

TEST_F(ViewDialogs, AnchoringDialogOpensOnTheFramesKindAndGivesBackTheOneClicked)
{
    struct Case {
        int kind;
        std::pair<int, int> shown;
    };
    const Case cases[] = {
        {CObjetCadre::kAnchorFollowDial, {0, -1}}, {CObjetCadre::kAnchorTop, {1, 0}},
        {CObjetCadre::kAnchorBottom, {1, 1}},      {CObjetCadre::kAnchorLeft, {1, 2}},
        {CObjetCadre::kAnchorRight, {1, 3}},       {CObjetCadre::kAnchorScreen, {2, -1}},
    };
    for (const Case& c : cases) {
        CDlgAncrageCadre dialog;
        const FrameAnchoringChoice choice = AnchoringToChoice(c.kind);
        dialog.m_mode = choice.mode;
        dialog.m_edge = choice.edge;
        ASSERT_TRUE(dialog.Create());
        EXPECT_EQ(Shown(dialog), c.shown) << c.kind;
        if (c.kind == CObjetCadre::kAnchorScreen)
            Shot(dialog, "frame-anchoring.png");
        // OK without a change keeps the kind.
        dialog.OnOK();
        EXPECT_EQ(ChoiceToAnchoring({dialog.m_mode, dialog.m_edge}), c.kind);
    }

    // Every kind the user can click comes back as itself.
    for (int kind = 1; kind <= 6; ++kind) {
        CDlgAncrageCadre dialog;
        ASSERT_TRUE(dialog.Create());
        const FrameAnchoringChoice wanted = AnchoringToChoice(kind);
        dialog.Control<QRadioButton>(kModeRadios[wanted.mode])->click();
        if (wanted.mode == 1)
            dialog.Control<QRadioButton>(kEdgeRadios[wanted.edge])->click();
        dialog.OnOK();
        EXPECT_EQ(ChoiceToAnchoring({dialog.m_mode, dialog.m_edge}), kind);
    }
}

TEST_F(ViewDialogs, AnchoringEntryKeepsTheKindOnCancelAndEdgeModeWithoutEdgeIsTheTop)
{
    fake_->SetDialogScript(CDlgAncrageCadre::kTemplateId, [](ModalDialog& modal) {
        auto& dialog = dynamic_cast<CDlgAncrageCadre&>(modal);
        EXPECT_EQ(dialog.m_mode, 2);
        dialog.m_mode = 0;
        return IDCANCEL;
    });
    int anchoring = CObjetCadre::kAnchorScreen;
    EXPECT_FALSE(EditFrameAnchoring(anchoring));
    EXPECT_EQ(anchoring, CObjetCadre::kAnchorScreen);

    fake_->SetDialogScript(CDlgAncrageCadre::kTemplateId, [](ModalDialog& modal) {
        auto& dialog = dynamic_cast<CDlgAncrageCadre&>(modal);
        dialog.m_mode = 1;
        dialog.m_edge = -1;
        return IDOK;
    });
    EXPECT_TRUE(EditFrameAnchoring(anchoring));
    EXPECT_EQ(anchoring, CObjetCadre::kAnchorTop);
    // A kind no file should hold opens on the first choices.
    EXPECT_EQ(AnchoringToChoice(9), (FrameAnchoringChoice{0, 0}));
}

TEST_F(ViewDialogs, ClockShowsTheTimesItIsGivenAndTellsTheViewWhenClosed)
{
    int closed = 0;
    CDlgHorloge clock([&] { ++closed; });
    clock.Show();
    ASSERT_TRUE(clock.IsOpen());
    clock.SetTimes("10 h 01 min 00 s", "8 h 58 min 42 s");
    EXPECT_EQ(clock.GetDlgItemText(1320), "10 h 01 min 00 s");
    EXPECT_EQ(clock.GetDlgItemText(1321), "8 h 58 min 42 s");
    // Shown again, the same window comes forward and keeps its times.
    clock.Show();
    EXPECT_EQ(clock.GetDlgItemText(1321), "8 h 58 min 42 s");
    Shot(clock, "clock.png");
    EXPECT_EQ(closed, 0);
    clock.Control<QPushButton>(IDCANCEL)->click();
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(clock.IsOpen());
}

}  // namespace
