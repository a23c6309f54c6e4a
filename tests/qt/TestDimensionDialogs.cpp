// The dimension and style-anchor dialogs driven through their entry functions: the real
// widgets are filled, typed into and confirmed inside the fake modal run.
#include "DialogTestSupport.h"

#include "app/qt/CBitmapCtrl.h"
#include "dialogs/qt/CDlgAncrageStyle.h"
#include "dialogs/qt/CDlgDimensions.h"
#include "dialogs/qt/CDlgDimensionsAnalemmatique.h"
#include "dialogs/qt/CDlgDimensionsCylindre.h"
#include "dialogs/qt/CPositionPreview.h"
#include "dialogs/qt/CSpinButton.h"
#include "docview/CHoravelView.h"
#include "model/CCadranAnalemmatique.h"
#include "model/CCadranCylindrique.h"
#include "model/CCadranCylindriqueDeBerger.h"
#include "model/CCadranHorizontal.h"
#include "model/CCadranOriental.h"
#include "model/CCadranPolaire.h"
#include "platform/FakeServices.h"
#include "platform/Profile.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

class DimensionDialogs : public ::testing::Test {
protected:
    void SetUp() override { paths::SetInstallFolder(context_.Dir().path()); }
    void TearDown() override { paths::SetInstallFolder({}); }

    // The dialog of that template is opened for real; act types and clicks in it; then it
    // is confirmed with OK (a refused OK cancels it, after recording the refusal).
    template <class Dialog>
    void Answer(std::function<void(Dialog&)> act, bool cancel = false)
    {
        fake_->SetDialogScript(Dialog::kTemplateId, [this, act, cancel](ModalDialog& modal) {
            auto& dialog = dynamic_cast<Dialog&>(modal);
            EXPECT_TRUE(dialog.Create());
            act(dialog);
            if (cancel) {
                dialog.OnCancel();
            } else {
                dialog.OnOK();
                if (dialog.IsOpen()) {
                    ++refusals_;
                    dialog.OnCancel();
                }
            }
            return dialog.GetDialogResult();
        });
    }
    static void Type(CDialogBase& dialog, int id, const char* text) { dialog.Control<QLineEdit>(id)->setText(text); }
    static std::string Text(const CDialogBase& dialog, int id) { return dialog.GetDlgItemText(id); }
    static void ChooseScale(CDialogBase& dialog, const char* text)
    {
        QComboBox* combo = dialog.Control<QComboBox>(1200);
        combo->setCurrentIndex(combo->findText(text));
        emit combo->activated(combo->currentIndex());
    }

    static std::unique_ptr<CCadranHorizontal> Horizontal()
    {
        auto dial = std::make_unique<CCadranHorizontal>();
        dial->SetSite(45.0, 0.0, 0.0);
        dial->styleHeight = 20;
        dial->styleLimit = 30;
        dial->width = 160;
        dial->height = 180;
        dial->anchoringMode = 1;
        dial->SetStyleAnchorPercent(50, 30);
        return dial;
    }

    ScopedMemoryProfile profile_;
    ScopedFakeServices fake_;
    dialogtest::ScopedDialogContext context_;
    int refusals_ = 0;
};

}  // namespace

TEST_F(DimensionDialogs, OkWritesTheTypedSizesBackToTheDial)
{
    CHoravelView view;
    auto dial = Horizontal();
    Answer<CDlgDimensions>([](CDlgDimensions& d) {
        EXPECT_EQ(Text(d, 1031), "160");
        EXPECT_EQ(Text(d, 1032), "180");
        EXPECT_EQ(Text(d, 1030), "20");
        EXPECT_EQ(d.GetRadioIndex(1005), 1);
        EXPECT_TRUE(d.GetDlgItem(1053)->isEnabled());
        EXPECT_EQ(Text(d, 1146), "La base complète du style mesure 20 mm.");
        // The style box shows the anchor picture (152 is the map of the locations).
        const auto* anchorPicture = dynamic_cast<const CBitmapCtrl*>(d.GetDlgItem(2004));
        ASSERT_NE(anchorPicture, nullptr);
        EXPECT_EQ(anchorPicture->GetResourceId(), 153);
        EXPECT_EQ(d.Control<QComboBox>(1200)->count(), 13);
        EXPECT_EQ(d.Control<QComboBox>(1200)->currentText(), "100%");
        EXPECT_EQ(Text(d, 1201), "Le cadran sera imprimé à l'échelle 1.");
        Type(d, 1031, "200.4");
        Type(d, 1032, "150");
        Type(d, 1030, "24.5");
        Type(d, 1033, "18");
        d.SetRadioIndex(1005, 0);
        ChooseScale(d, "50%");
        EXPECT_EQ(Text(d, 1201), "Le cadran sera imprimé en réduction à l'échelle 50/100.");
        EXPECT_EQ(Text(d, 1202), "Dimension du cadran imprimé : 100.2 mm x 75 mm.");
        d.CheckDlgButton(1040, 0);
    });
    EXPECT_EQ(EditDimensions(view, dial.get()), IDOK);
    EXPECT_EQ(dial->width, 200);
    EXPECT_EQ(dial->height, 150);
    EXPECT_EQ(dial->styleHeight, 25);
    EXPECT_EQ(dial->styleLimit, 18);
    EXPECT_EQ(dial->styleTruncation, 1);
    EXPECT_EQ(dial->scale, 0.5);
    EXPECT_EQ(dial->symmetricMargins, 0);
    EXPECT_EQ(dial->anchorX, 100);  // the anchor followed the new size
    EXPECT_EQ(dial->anchorY, 45);
}

TEST_F(DimensionDialogs, CancelAndRefusedValuesChangeNothing)
{
    CHoravelView view;
    auto dial = Horizontal();
    Answer<CDlgDimensions>([](CDlgDimensions& d) { Type(d, 1031, "300"); }, true);
    EXPECT_EQ(EditDimensions(view, dial.get()), IDCANCEL);
    EXPECT_EQ(dial->width, 160);

    for (const char* bad : {"0", "-20", "10001", "abc"}) {
        SCOPED_TRACE(bad);
        Answer<CDlgDimensions>([bad](CDlgDimensions& d) {
            Type(d, 1032, "99");
            Type(d, 1031, bad);
        });
        EXPECT_EQ(EditDimensions(view, dial.get()), IDCANCEL);
    }
    EXPECT_EQ(refusals_, 4);
    EXPECT_EQ(fake_->messageBoxes.size(), 4u);
    EXPECT_EQ(dial->width, 160);
    EXPECT_EQ(dial->height, 180);
}

TEST_F(DimensionDialogs, ABaseWithoutEndCannotBeLeftUncut)
{
    CHoravelView view;
    CCadranPolaire dial;
    dial.SetSite(45.0, 0.0, 0.0);
    dial.width = 160;
    dial.height = 180;
    dial.styleTruncation = 0;
    Answer<CDlgDimensions>([](CDlgDimensions& d) {
        EXPECT_FALSE(d.GetDlgItem(1053)->isEnabled());
        EXPECT_EQ(d.GetRadioIndex(1005), 0);
        EXPECT_EQ(Text(d, 1146), "Le point B est rejeté à l'infini. La base du style est forcément tronquée.");
    });
    EXPECT_EQ(EditDimensions(view, &dial), IDOK);
    EXPECT_EQ(dial.styleTruncation, 1);
}

TEST_F(DimensionDialogs, WithoutADialTheViewDefaultsAreEdited)
{
    CHoravelView view;
    view.GetDefaultDimensions() = {25, 0, 40, 160, 180};
    view.SetDefaultSymmetricMargins(1);
    Answer<CDlgDimensions>([](CDlgDimensions& d) {
        EXPECT_EQ(Text(d, 1146), "La base complète du style mesure **** mm (aucun cadran n'est chargé).");
        EXPECT_EQ(d.Control<QComboBox>(1200)->currentText(), "100%");
        Type(d, 1031, "210");
        Type(d, 1032, "297");
        d.CheckDlgButton(1040, 0);
    });
    EXPECT_EQ(EditDimensions(view, nullptr), IDOK);
    EXPECT_EQ(view.GetDefaultDimensions().width, 210);
    EXPECT_EQ(view.GetDefaultDimensions().height, 297);
    EXPECT_EQ(view.GetDefaultSymmetricMargins(), 0);
}

TEST_F(DimensionDialogs, AnAnalemmaticDialEditsItsEllipseAndAScaleOffTheListSelectsNothing)
{
    CHoravelView view;
    CCadranAnalemmatique dial;
    dial.width = 300;
    dial.height = 200;
    dial.ellipseSize = 80.0;
    dial.scale = 0.75;
    Answer<CDlgDimensionsAnalemmatique>([](CDlgDimensionsAnalemmatique& d) {
        EXPECT_EQ(d.GetDlgItem(1030), nullptr);
        EXPECT_EQ(Text(d, 1198), "80");
        EXPECT_EQ(d.Control<QComboBox>(1200)->currentIndex(), -1);
        EXPECT_EQ(Text(d, 1201), "");
        Type(d, 1198, "95.5");
    });
    EXPECT_EQ(EditDimensions(view, &dial), IDOK);
    EXPECT_EQ(dial.ellipseSize, 96.0);
    EXPECT_EQ(dial.scale, 0.75);  // no choice made: the scale stays
}

TEST_F(DimensionDialogs, ACylinderEditsItsRadiusUnderARadiusLabel)
{
    CHoravelView view;
    CCadranCylindrique cylinder;
    cylinder.radius = 120.0;
    cylinder.styleHeight = 25;
    Answer<CDlgDimensionsCylindre>([](CDlgDimensionsCylindre& d) {
        EXPECT_EQ(Text(d, 1278), "&Rayon :");
        EXPECT_EQ(Text(d, 1277), "120");
        EXPECT_FALSE(d.GetDlgItem(1030)->isEnabled());
        Type(d, 1277, "90");
    });
    EXPECT_EQ(EditDimensions(view, &cylinder), IDOK);
    EXPECT_EQ(cylinder.radius, 90.0);
    EXPECT_EQ(cylinder.width, 323);  // round(pi x 90) + 40

    CCadranCylindriqueDeBerger shepherd;
    shepherd.styleHeight = 25;
    Answer<CDlgDimensionsCylindre>([](CDlgDimensionsCylindre& d) {
        EXPECT_TRUE(d.GetDlgItem(1030)->isEnabled());
        Type(d, 1030, "0");
    });
    EXPECT_EQ(EditDimensions(view, &shepherd), IDCANCEL);
    EXPECT_EQ(refusals_, 1);
    EXPECT_EQ(shepherd.styleHeight, 25);
}

TEST_F(DimensionDialogs, TheStyleAnchorFollowsEachEditAndOkStoresIt)
{
    auto dial = Horizontal();
    Answer<CDlgAncrageStyle>([](CDlgAncrageStyle& d) {
        EXPECT_EQ(Text(d, 1300), "Taille du cadran :\n160 mm x 180 mm");
        EXPECT_EQ(d.GetRadioIndex(1296), 0);
        EXPECT_TRUE(d.GetDlgItem(1042)->isEnabled());
        EXPECT_FALSE(d.GetDlgItem(1047)->isEnabled());
        EXPECT_FALSE(d.GetDlgItem(1052)->isEnabled());
        EXPECT_EQ(Text(d, 1047), "80");
        EXPECT_EQ(Text(d, 1049), "54");
        // B is 20 mm below A (style height 20 at 45 degrees).
        EXPECT_EQ(Text(d, 1053), "74");
        ASSERT_NE(d.Preview(), nullptr);
        EXPECT_EQ(d.Preview()->m_x, 50);
        Type(d, 1042, "25");
        EXPECT_EQ(Text(d, 1047), "40");
        EXPECT_EQ(Text(d, 1051), "40");
        EXPECT_EQ(d.Preview()->m_x, 25);
        d.findChildren<CSpinButton*>().at(1)->Step(1);  // y percent 30 -> 31
        EXPECT_EQ(Text(d, 1043), "31");
        EXPECT_EQ(Text(d, 1049), "55.8");
    });
    EXPECT_EQ(EditStyleAnchor(*dial), IDOK);
    EXPECT_EQ(dial->anchorPercentX, 25);
    EXPECT_EQ(dial->anchorPercentY, 31);
    EXPECT_EQ(dial->anchorX, 40);
    EXPECT_EQ(dial->anchoringMode, 1);

    Answer<CDlgAncrageStyle>([](CDlgAncrageStyle& d) {
        d.Control<QRadioButton>(1298)->click();
        EXPECT_TRUE(d.GetDlgItem(1051)->isEnabled());
        EXPECT_FALSE(d.GetDlgItem(1042)->isEnabled());
        // Reopened from the percentages: A at 55.8 mm, B 20 mm lower.
        EXPECT_EQ(Text(d, 1053), "75.8");
        Type(d, 1053, "80");  // B 4.2 mm lower moves A as much
        EXPECT_EQ(Text(d, 1049), "60");
    });
    EXPECT_EQ(EditStyleAnchor(*dial), IDOK);
    EXPECT_EQ(dial->anchoringMode, 3);
    EXPECT_EQ(dial->anchorX, 40);
    EXPECT_EQ(dial->anchorY, 60);
}

TEST_F(DimensionDialogs, TheStyleAnchorRefusesOutOfRangeValuesAndCancelKeepsTheDial)
{
    auto dial = Horizontal();
    Answer<CDlgAncrageStyle>([](CDlgAncrageStyle& d) { Type(d, 1042, "101"); });
    EXPECT_EQ(EditStyleAnchor(*dial), IDCANCEL);
    EXPECT_EQ(refusals_, 1);
    Answer<CDlgAncrageStyle>([](CDlgAncrageStyle& d) { Type(d, 1042, "10"); }, true);
    EXPECT_EQ(EditStyleAnchor(*dial), IDCANCEL);
    EXPECT_EQ(dial->anchorPercentX, 50);
    EXPECT_EQ(dial->anchorX, 80);

    // An east-facing dial has no point B.
    CCadranOriental east;
    east.SetSite(45.0, 0.0, 0.0);
    east.width = 100;
    east.height = 100;
    CDlgAncrageStyle dialog;
    dialog.m_dial = &east;
    dialog.m_fields = StyleAnchorFromDial(east);
    ASSERT_TRUE(dialog.Create());
    EXPECT_FALSE(dialog.GetDlgItem(1298)->isEnabled());
    EXPECT_EQ(Text(dialog, 1299), "Le point B n'est pas accessible sur ce cadran.");
    // Without a dial the dialog ends before it shows.
    CDlgAncrageStyle none;
    EXPECT_FALSE(none.Create());
}
