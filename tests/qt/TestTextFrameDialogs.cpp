#include "DialogTestSupport.h"

#include "dialogs/qt/CDlgCadreTexte.h"
#include "dialogs/qt/CDlgSelectionDevise.h"
#include "dialogs/qt/CDlgZodiacSigns.h"
#include "dialogs/qt/CZodiacSymbolPreview.h"
#include "docview/CHoravelDoc.h"
#include "docview/CObjetTexte.h"
#include "model/CCadranHorizontal.h"
#include "platform/FakeServices.h"
#include "platform/Profile.h"

#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

class TextFrameDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        paths::SetInstallFolder(context_.Dir().path());
        frame_.text = "Cadran";
        frame_.faceName = "Arial";
        frame_.size = 12;
    }
    void TearDown() override
    {
        GetAppContext().document = nullptr;
        document_.reset();
        paths::SetInstallFolder({});
    }
    // A document with a horizontal dial at a place.
    CHoravelDoc& DocumentWithDial()
    {
        document_ = std::make_unique<CHoravelDoc>();
        document_->SetDial(std::make_unique<CCadranHorizontal>());
        CDataBaseElement place;
        place.name = "BESANÇON";
        place.country = "FRANCE";
        place.latitude = 47.25;
        place.longitude = -6.0333333333;
        place.zone = 1;
        document_->SetLocation(&place);
        GetAppContext().document = document_.get();
        return *document_;
    }
    void Click(CDlgCadreTexte& dialog, int id) { dialog.Control<QPushButton>(id)->click(); }
    void AnswerZodiac(int sign, int result = IDOK)
    {
        fake_->SetDialogScript(CDlgZodiacSigns::kTemplateId, [sign, result](ModalDialog& modal) {
            dynamic_cast<CDlgZodiacSigns&>(modal).m_sign = sign;
            return result;
        });
    }

    ScopedMemoryProfile profile_;
    ScopedFakeServices fake_;
    dialogtest::ScopedDialogContext context_;
    std::unique_ptr<CHoravelDoc> document_;
    CObjetTexte frame_;
};

}  // namespace

TEST_F(TextFrameDialog, OkWritesTheTextAndCancelKeepsTheFramesText)
{
    {
        CDlgCadreTexte dialog(frame_);
        ASSERT_TRUE(dialog.Create());
        EXPECT_EQ(dialog.GetDlgItemText(1115), "Cadran");
        dialog.SetDlgItemText(1115, "Cadran solaire\nde la place");
        dialog.OnCancel();
    }
    EXPECT_EQ(frame_.text, "Cadran");
    CDlgCadreTexte dialog(frame_);
    ASSERT_TRUE(dialog.Create());
    dialog.SetDlgItemText(1115, "Cadran solaire\nde la place");
    dialog.OnOK();
    EXPECT_EQ(dialog.GetDialogResult(), IDOK);
    EXPECT_EQ(frame_.text, "Cadran solaire\nde la place");
}

TEST_F(TextFrameDialog, InsertionsNeedADialAndAPlaceAndAppendAfterABlank)
{
    {
        CDlgCadreTexte dialog(frame_);
        ASSERT_TRUE(dialog.Create());
        for (int id : {1245, 1246, 1247})
            Click(dialog, id);
        EXPECT_EQ(dialog.GetDlgItemText(1115), "Cadran");
    }
    DocumentWithDial();
    CDlgCadreTexte dialog(frame_);
    ASSERT_TRUE(dialog.Create());
    Click(dialog, 1245);
    Click(dialog, 1245);
    EXPECT_EQ(dialog.GetDlgItemText(1115), "Cadran BESANÇON, FRANCE BESANÇON, FRANCE");
    dialog.SetDlgItemText(1115, "Ici");
    Click(dialog, 1246);
    EXPECT_EQ(dialog.GetDlgItemText(1115), "Ici Cadran solaire horizontal");
    dialog.SetDlgItemText(1115, "");
    Click(dialog, 1247);
    EXPECT_EQ(dialog.GetDlgItemText(1115), " 47° 15' Nord 6° 02' Est");
    // Typed, not yet confirmed: the frame still has its text.
    EXPECT_EQ(frame_.text, "Cadran");
}

TEST_F(TextFrameDialog, AZodiacSignBecomesTheFramesTextInTheSymbolFontAndClosesTheDialog)
{
    AnswerZodiac(3);
    CDlgCadreTexte dialog(frame_);
    ASSERT_TRUE(dialog.Create());
    Click(dialog, 1238);
    EXPECT_EQ(frame_.text, "^");
    EXPECT_EQ(frame_.faceName, "wingdings");
    EXPECT_EQ(frame_.size, 18);
    EXPECT_FALSE(dialog.IsOpen());
    EXPECT_EQ(dialog.GetDialogResult(), IDOK);

    frame_.text = "Cadran";
    AnswerZodiac(0, IDCANCEL);
    CDlgCadreTexte cancelled(frame_);
    ASSERT_TRUE(cancelled.Create());
    Click(cancelled, 1238);
    EXPECT_TRUE(cancelled.IsOpen());
    EXPECT_EQ(frame_.text, "Cadran");
}

TEST_F(TextFrameDialog, AChosenMottoReplacesTheTextAndNoChoiceKeepsIt)
{
    fake_->SetDialogScript(CDlgSelectionDevise::kTemplateId, [](ModalDialog& modal) {
        dynamic_cast<CDlgSelectionDevise&>(modal).m_text = "Carpe diem";
        return IDOK;
    });
    CDlgCadreTexte dialog(frame_);
    ASSERT_TRUE(dialog.Create());
    Click(dialog, 1150);
    EXPECT_EQ(dialog.GetDlgItemText(1115), "Carpe diem");
    // OK in a selection without any motto (the file was missing) leaves the text alone.
    fake_->SetDialogScript(CDlgSelectionDevise::kTemplateId, [](ModalDialog&) { return IDOK; });
    Click(dialog, 1150);
    EXPECT_EQ(dialog.GetDlgItemText(1115), "Carpe diem");
    fake_->SetDialogScript(CDlgSelectionDevise::kTemplateId, [](ModalDialog& modal) {
        dynamic_cast<CDlgSelectionDevise&>(modal).m_text = "Ignored";
        return IDCANCEL;
    });
    Click(dialog, 1150);
    EXPECT_EQ(dialog.GetDlgItemText(1115), "Carpe diem");
}

TEST_F(TextFrameDialog, TheStyleChosenStaysOnTheFrameWhenTheDialogIsCancelled)
{
    GetAppContext().screenPixelsPerInchY = 96;
    frame_.bold = 1;
    frame_.color = gdi::RGB(1, 2, 3);
    FontChoice chosen;
    chosen.font.faceName = "Times New Roman";
    chosen.font.weight = gdi::FW_NORMAL;
    chosen.font.italic = true;
    chosen.font.underline = true;
    chosen.pointSizeTenths = 240;
    chosen.color = gdi::RGB(200, 0, 0);
    fake_->QueueFont(chosen);
    CDlgCadreTexte dialog(frame_);
    ASSERT_TRUE(dialog.Create());
    Click(dialog, 1116);
    ASSERT_EQ(fake_->fontRequests.size(), 1u);
    const FontChoice& asked = fake_->fontRequests[0];
    EXPECT_EQ(asked.font.height, -16);  // 12 points at 96 pixels per inch
    EXPECT_EQ(asked.font.faceName, "Arial");
    EXPECT_EQ(asked.font.weight, gdi::FW_BOLD);
    EXPECT_EQ(asked.color, gdi::RGB(1, 2, 3));
    dialog.OnCancel();
    EXPECT_EQ(frame_.faceName, "Times New Roman");
    EXPECT_EQ(frame_.size, 24);
    EXPECT_EQ(frame_.bold, 0);
    EXPECT_EQ(frame_.italic, 1);
    EXPECT_EQ(frame_.underline, 1);
    EXPECT_EQ(frame_.strikeOut, 0);
    EXPECT_EQ(frame_.color, gdi::RGB(200, 0, 0));
    EXPECT_EQ(frame_.text, "Cadran");
}

TEST_F(TextFrameDialog, EditingAFrameRunsTheDialogOnceInstalled)
{
    InstallTextFrameEditor();
    fake_->SetDialogScript(CDlgCadreTexte::kTemplateId, [](ModalDialog& modal) {
        auto& dialog = dynamic_cast<CDlgCadreTexte&>(modal);
        dialog.m_text = "unused";
        return IDOK;
    });
    EXPECT_EQ(frame_.EditProperties(), 1);
    fake_->SetDialogScript(CDlgCadreTexte::kTemplateId, [](ModalDialog&) { return IDCANCEL; });
    EXPECT_EQ(frame_.EditProperties(), 0);
    EXPECT_EQ(fake_->dialogsRun, (std::vector<int>{187, 187}));
    CObjetTexte::SetEditHooks({});
}

TEST_F(TextFrameDialog, ZodiacButtonsMoveThePreviewAndOkGivesTheSign)
{
    CDlgZodiacSigns dialog;
    ASSERT_TRUE(dialog.Create());
    ASSERT_NE(dialog.Preview(), nullptr);
    EXPECT_EQ(dialog.Preview()->m_sign, 0);
    EXPECT_EQ(dialog.GetRadioIndex(1239), 0);
    dialog.Control<QRadioButton>(1180)->click();
    EXPECT_EQ(dialog.Preview()->m_sign, 3);
    dialog.Control<QRadioButton>(1188)->click();
    EXPECT_EQ(dialog.Preview()->m_sign, 11);
    dialog.OnOK();
    EXPECT_EQ(dialog.m_sign, 11);

    AnswerZodiac(7);
    EXPECT_EQ(ChooseZodiacSign(), 7);
    AnswerZodiac(7, IDCANCEL);
    EXPECT_EQ(ChooseZodiacSign(), std::nullopt);
}
