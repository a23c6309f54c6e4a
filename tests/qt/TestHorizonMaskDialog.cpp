#include "DialogTestSupport.h"

#include "app/Accessors.h"
#include "dialogs/qt/CDlgMasqueHorizon.h"
#include "dialogs/qt/CDlgPointMasque.h"
#include "dialogs/qt/CHorizonMaskPreview.h"
#include "docview/CHoravelDoc.h"
#include "platform/FakeServices.h"
#include "platform/Paths.h"
#include "platform/Profile.h"
#include "platform/RecordingDC.h"

#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using Points = std::vector<CHorizonPoint>;

class HorizonMaskDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        paths::SetInstallFolder(context_.Dir().path());
        testsupport::WriteFileBytes(context_.Dir() / "HoravelTraces.txt", "");
        document_ = std::make_unique<CHoravelDoc>();
    }
    void TearDown() override
    {
        document_.reset();
        paths::SetInstallFolder({});
    }
    void WriteMask(const std::string& text) { testsupport::WriteFileBytes(context_.Dir() / "HorizonMask.txt", text); }
    std::string Traces() const { return testsupport::ReadFileBytes(context_.Dir() / "HoravelTraces.txt"); }

    static std::vector<std::string> Items(const CDlgMasqueHorizon& dialog)
    {
        std::vector<std::string> items;
        const auto* list = dialog.Control<QListWidget>(1324);
        for (int i = 0; i < list->count(); ++i)
            items.push_back(list->item(i)->text().toStdString());
        return items;
    }
    static QListWidget& List(const CDlgMasqueHorizon& dialog) { return *dialog.Control<QListWidget>(1324); }
    static void Click(const CDlgMasqueHorizon& dialog, int id) { dialog.Control<QPushButton>(id)->click(); }
    // The point entry answers with this point (or is cancelled).
    void AnswerPoint(int azimuth, int height, int result = IDOK)
    {
        fake_->SetDialogScript(CDlgPointMasque::kTemplateId, [this, azimuth, height, result](ModalDialog& modal) {
            auto& entry = dynamic_cast<CDlgPointMasque&>(modal);
            seenInEntry_.push_back({entry.m_azimuth, entry.m_height});
            entry.m_azimuth = azimuth;
            entry.m_height = height;
            return result;
        });
    }

    ScopedMemoryProfile profile_;
    ScopedFakeServices fake_;
    dialogtest::ScopedDialogContext context_;
    std::unique_ptr<CHoravelDoc> document_;
    Points seenInEntry_;
};

}  // namespace

TEST_F(HorizonMaskDialog, OpensOnTheFilePointsOnceAndOnTheDocumentsPointsAfterwards)
{
    WriteMask("horavel_horizon_mask\n  ;-30;\t15;\n-90 ; 12\n45\n\n-45\t8\n");
    {
        CDlgMasqueHorizon dialog(*document_);
        ASSERT_TRUE(dialog.Create());
        EXPECT_EQ(Items(dialog), (std::vector<std::string>{"( -30° ; 15° )", "( -90° ; 12° )", "( -45° ; 8° )"}));
        EXPECT_EQ(document_->GetHorizonMask(), (Points{{-30, 15}, {-90, 12}, {-45, 8}}));
        EXPECT_EQ(List(dialog).currentRow(), 0);
        ASSERT_NE(dialog.Preview(), nullptr);
        EXPECT_EQ(dialog.Preview()->m_points, &document_->GetHorizonMask());
        EXPECT_EQ(dialog.Preview()->size(), QSize(361, 121));
        // The user's change stays in the document when the dialog is cancelled...
        fake_->QueueMessageBoxAnswer(IDYES);
        Click(dialog, 1327);
        dialog.OnCancel();
    }
    EXPECT_EQ(document_->GetHorizonMask(), (Points{{-90, 12}, {-45, 8}}));
    // ...and the next opening shows the document's points, not the file's again.
    CDlgMasqueHorizon again(*document_);
    ASSERT_TRUE(again.Create());
    EXPECT_EQ(Items(again), (std::vector<std::string>{"( -90° ; 12° )", "( -45° ; 8° )"}));
}

TEST_F(HorizonMaskDialog, AMissingFileOrAWrongSignatureIsOnlyTraced)
{
    document_->GetHorizonMask() = {{10, 20}};
    {
        CDlgMasqueHorizon dialog(*document_);
        ASSERT_TRUE(dialog.Create());
        EXPECT_EQ(Items(dialog), (std::vector<std::string>{"( 10° ; 20° )"}));
    }
    document_->GetHorizonMask().clear();
    {
        CDlgMasqueHorizon dialog(*document_);
        ASSERT_TRUE(dialog.Create());
        EXPECT_TRUE(Items(dialog).empty());
        EXPECT_NE(Traces().find("Horizon Mask file not found."), std::string::npos);
    }
    WriteMask("HORAVEL_HORIZON_MASK;\n10 10\n");
    CDlgMasqueHorizon dialog(*document_);
    ASSERT_TRUE(dialog.Create());
    EXPECT_TRUE(Items(dialog).empty());
    EXPECT_NE(Traces().find("ERROR: Invalid signature in Horizon Mask file."), std::string::npos);
    EXPECT_TRUE(fake_->messageBoxes.empty());
}

TEST_F(HorizonMaskDialog, AddInsertsAfterTheSelectionAndEditChangesTheSelectedPoint)
{
    CDlgMasqueHorizon dialog(*document_);
    ASSERT_TRUE(dialog.Create());
    // An empty list takes the new point first.
    AnswerPoint(-90, 10);
    Click(dialog, 1325);
    EXPECT_EQ(document_->GetHorizonMask(), (Points{{-90, 10}}));
    AnswerPoint(90, 30);
    Click(dialog, 1325);  // nothing selected: second place
    EXPECT_EQ(document_->GetHorizonMask(), (Points{{-90, 10}, {90, 30}}));
    List(dialog).setCurrentRow(0);
    AnswerPoint(0, 20);
    Click(dialog, 1325);
    EXPECT_EQ(document_->GetHorizonMask(), (Points{{-90, 10}, {0, 20}, {90, 30}}));
    EXPECT_EQ(Items(dialog)[1], "( 0° ; 20° )");
    // A cancelled entry adds nothing.
    AnswerPoint(5, 5, IDCANCEL);
    Click(dialog, 1325);
    EXPECT_EQ(document_->GetHorizonMask().size(), 3u);

    // Edit starts from the selected point and writes the answer back in place.
    seenInEntry_.clear();
    List(dialog).setCurrentRow(2);
    AnswerPoint(120, 45);
    Click(dialog, 1326);
    EXPECT_EQ(seenInEntry_, (Points{{90, 30}}));
    EXPECT_EQ(document_->GetHorizonMask(), (Points{{-90, 10}, {0, 20}, {120, 45}}));
    EXPECT_EQ(Items(dialog)[2], "( 120° ; 45° )");
    AnswerPoint(1, 1, IDCANCEL);
    Click(dialog, 1326);
    EXPECT_EQ(document_->GetHorizonMask()[2], (CHorizonPoint{120, 45}));
}

TEST_F(HorizonMaskDialog, DeletionsAskFirstAndMovesStopAtTheEnds)
{
    document_->GetHorizonMask() = {{-60, 5}, {0, 10}, {60, 15}};
    CDlgMasqueHorizon dialog(*document_);
    ASSERT_TRUE(dialog.Create());

    List(dialog).setCurrentRow(0);
    Click(dialog, 1338);  // already first
    EXPECT_EQ(document_->GetHorizonMask(), (Points{{-60, 5}, {0, 10}, {60, 15}}));
    Click(dialog, 1339);
    EXPECT_EQ(document_->GetHorizonMask(), (Points{{0, 10}, {-60, 5}, {60, 15}}));
    EXPECT_EQ(List(dialog).currentRow(), 1);
    Click(dialog, 1339);
    Click(dialog, 1339);  // already last
    EXPECT_EQ(document_->GetHorizonMask(), (Points{{0, 10}, {60, 15}, {-60, 5}}));
    EXPECT_EQ(List(dialog).currentRow(), 2);
    Click(dialog, 1338);
    EXPECT_EQ(document_->GetHorizonMask(), (Points{{0, 10}, {-60, 5}, {60, 15}}));
    EXPECT_EQ(Items(dialog), (std::vector<std::string>{"( 0° ; 10° )", "( -60° ; 5° )", "( 60° ; 15° )"}));

    fake_->QueueMessageBoxAnswer(IDNO);
    Click(dialog, 1327);
    ASSERT_EQ(fake_->messageBoxes.size(), 1u);
    EXPECT_EQ(fake_->messageBoxes[0].text, "Supprimer ce point ?");
    EXPECT_EQ(fake_->messageBoxes[0].type, unsigned{MB_YESNO | MB_ICONQUESTION});
    EXPECT_EQ(document_->GetHorizonMask().size(), 3u);
    fake_->QueueMessageBoxAnswer(IDYES);
    Click(dialog, 1327);
    EXPECT_EQ(document_->GetHorizonMask(), (Points{{0, 10}, {60, 15}}));

    fake_->QueueMessageBoxAnswer(IDNO);
    Click(dialog, 1328);
    EXPECT_EQ(fake_->messageBoxes.back().text, "Supprimer toute la liste ?");
    EXPECT_EQ(document_->GetHorizonMask().size(), 2u);
    fake_->QueueMessageBoxAnswer(IDYES);
    Click(dialog, 1328);
    EXPECT_TRUE(document_->GetHorizonMask().empty());
    EXPECT_TRUE(Items(dialog).empty());
    // Nothing selected: no question, nothing deleted.
    const std::size_t asked = fake_->messageBoxes.size();
    Click(dialog, 1327);
    EXPECT_EQ(fake_->messageBoxes.size(), asked);
}

TEST_F(HorizonMaskDialog, ThePreviewDrawsTheDocumentsPolygon)
{
    document_->GetHorizonMask() = {{-180, 0}, {0, 90}, {180, 0}};
    CDlgMasqueHorizon dialog(*document_);
    ASSERT_TRUE(dialog.Create());
    gdi::RecordingDC dc;
    dialog.Preview()->Draw(dc);
    const auto polygons = dc.RecordsOf(gdi::RecordKind::Polygon);
    ASSERT_EQ(polygons.size(), 1u);
    // x = (azimuth + 180) x 361 / 360, y = 121 - height x 121 / 90; closed on the first point.
    EXPECT_EQ(polygons[0]->points, (std::vector<gdi::Point>{{0, 121}, {180, 0}, {361, 121}, {0, 121}}));
}

TEST_F(HorizonMaskDialog, TheFlagGoesToTheDocumentOnOkOnly)
{
    document_->SetHorizonMaskFlag(true);
    fake_->SetDialogScript(CDlgMasqueHorizon::kTemplateId, [](ModalDialog& modal) {
        auto& dialog = dynamic_cast<CDlgMasqueHorizon&>(modal);
        EXPECT_EQ(dialog.m_showMask, 1);
        dialog.m_showMask = 0;
        return IDCANCEL;
    });
    EXPECT_EQ(EditHorizonMask(*document_), IDCANCEL);
    EXPECT_TRUE(document_->GetHorizonMaskFlag());
    fake_->SetDialogScript(CDlgMasqueHorizon::kTemplateId, [](ModalDialog& modal) {
        dynamic_cast<CDlgMasqueHorizon&>(modal).m_showMask = 0;
        return IDOK;
    });
    EXPECT_EQ(EditHorizonMask(*document_), IDOK);
    EXPECT_FALSE(document_->GetHorizonMaskFlag());

    // The real dialog: the check box is read on OK.
    CDlgMasqueHorizon dialog(*document_);
    dialog.m_showMask = 0;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.IsDlgButtonChecked(1333), 0);
    dialog.CheckDlgButton(1333, 1);
    dialog.OnOK();
    EXPECT_EQ(dialog.GetDialogResult(), IDOK);
    EXPECT_EQ(dialog.m_showMask, 1);
}

TEST_F(HorizonMaskDialog, ThePointEntryKeepsValuesOutOfRangeOut)
{
    CDlgPointMasque entry;
    ASSERT_TRUE(entry.Create());
    EXPECT_EQ(entry.GetDlgItemText(1334), "0");
    EXPECT_EQ(entry.GetDlgItemText(1032), "0");
    for (const auto& [azimuth, height] : {std::pair{"181", "10"}, std::pair{"-181", "10"}, std::pair{"10", "91"},
                                          std::pair{"10", "-1"}}) {
        entry.SetDlgItemText(1334, azimuth);
        entry.SetDlgItemText(1032, height);
        entry.OnOK();
        EXPECT_TRUE(entry.IsOpen()) << azimuth << " " << height;
    }
    EXPECT_EQ(fake_->messageBoxes.size(), 4u);
    entry.SetDlgItemText(1334, "-180");
    entry.SetDlgItemText(1032, "90");
    entry.OnOK();
    EXPECT_FALSE(entry.IsOpen());
    EXPECT_EQ(entry.m_azimuth, -180);
    EXPECT_EQ(entry.m_height, 90);
}
