// The dial line option dialogs and the line style dialog, driven through their entry
// functions with the real widgets.
#include "DialogTestSupport.h"

#include "dialogs/qt/CColorSwatch.h"
#include "dialogs/qt/CDlgAnneeReference.h"
#include "dialogs/qt/CDlgArcsDates.h"
#include "dialogs/qt/CDlgArcsDiurnes.h"
#include "dialogs/qt/CDlgCourbeEquation.h"
#include "dialogs/qt/CDlgIndications.h"
#include "dialogs/qt/CDlgStyleTraces.h"
#include "docview/CHoravelDoc.h"
#include "docview/ColorTable.h"
#include "model/Astronomy.h"
#include "model/CCadranAnalemmatique.h"
#include "model/CCadranCylindriqueDeBerger.h"
#include "model/CCadranHorizontal.h"
#include "platform/FakeServices.h"
#include "platform/Profile.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace {

class LineOptionDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        paths::SetInstallFolder(context_.Dir().path());
        dial_.SetSite(45.0, 0.0, 0.0);
        ResetColorTable();
    }
    void TearDown() override
    {
        ResetColorTable();
        paths::SetInstallFolder({});
    }

    // Opens the dialog of that template for real, runs act in it, then leaves with OK, or
    // with Cancel when cancel is set.
    template <class Dialog>
    void Answer(std::function<void(Dialog&)> act, bool cancel = false)
    {
        fake_->SetDialogScript(Dialog::kTemplateId, [act, cancel](ModalDialog& modal) {
            auto& dialog = dynamic_cast<Dialog&>(modal);
            if (!dialog.Create())
                return dialog.GetDialogResult();
            act(dialog);
            if (cancel)
                dialog.OnCancel();
            else
                dialog.OnOK();
            if (dialog.IsOpen())
                dialog.OnCancel();
            return dialog.GetDialogResult();
        });
    }
    static void Click(CDialogBase& dialog, int id) { dialog.Control<QAbstractButton>(id)->click(); }
    static std::vector<std::string> Items(const CDialogBase& dialog)
    {
        std::vector<std::string> items;
        const auto* list = dialog.Control<QListWidget>(1225);
        for (int i = 0; i < list->count(); ++i)
            items.push_back(list->item(i)->text().toStdString());
        return items;
    }
    static void ChooseDate(CDialogBase& dialog, int day, int month)
    {
        dialog.Control<QComboBox>(1074)->setCurrentIndex(day - 1);
        dialog.Control<QComboBox>(1075)->setCurrentIndex(month - 1);
    }

    ScopedMemoryProfile profile_;
    ScopedFakeServices fake_;
    dialogtest::ScopedDialogContext context_;
    CCadranHorizontal dial_;
};

}  // namespace

TEST_F(LineOptionDialogs, ParticularDatesAreEditedInPlaceAndCancelKeepsTheEdits)
{
    dial_.particularDates = {1507};
    Answer<CDlgArcsDates>(
        [this](CDlgArcsDates& d) {
            EXPECT_EQ(Items(d), (std::vector<std::string>{"15 Juillet"}));
            ChooseDate(d, 29, 2);
            Click(d, 1226);
            ChooseDate(d, 30, 2);
            Click(d, 1226);
            ChooseDate(d, 31, 4);
            Click(d, 1226);
            ChooseDate(d, 15, 7);
            Click(d, 1226);
            EXPECT_EQ(dial_.particularDates, (std::vector<std::uint32_t>{1507, 2902}));
            d.Control<QListWidget>(1225)->setCurrentRow(0);
            Click(d, 1022);
        },
        true);
    EXPECT_EQ(EditParticularDates(dial_), IDCANCEL);
    EXPECT_EQ(dial_.particularDates, (std::vector<std::uint32_t>{2902}));
    ASSERT_EQ(fake_->messageBoxes.size(), 2u);
    EXPECT_EQ(fake_->messageBoxes[0].text, "La date choisie n'existe pas !");
    EXPECT_EQ(fake_->messageBoxes[1].text, "La date choisie n'existe pas !");
    EXPECT_EQ(fake_->beeps, 1);

    fake_->QueueMessageBoxAnswer(IDNO);
    fake_->QueueMessageBoxAnswer(IDYES);
    Answer<CDlgArcsDates>([this](CDlgArcsDates& d) {
        Click(d, 1228);
        EXPECT_EQ(Items(d).size(), 1u);
        EXPECT_EQ(dial_.particularDates.size(), 1u);
        Click(d, 1228);
        EXPECT_TRUE(Items(d).empty());
    });
    EXPECT_EQ(EditParticularDates(dial_), IDOK);
    EXPECT_TRUE(dial_.particularDates.empty());
    EXPECT_EQ(fake_->messageBoxes.back().text, "Supprimer toutes les entrées de la liste ?");
}

TEST_F(LineOptionDialogs, IndicationsChangeTheDialAtEachClickAndOkRecomputesItsTables)
{
    dial_.prefs.italicHours = 1;
    dial_.tablesValid = 0;
    Answer<CDlgIndications>([this](CDlgIndications& d) {
        EXPECT_EQ(d.GetDlgItem(IDCANCEL), nullptr);
        EXPECT_EQ(d.GetRadioIndex(1190), 0);
        EXPECT_EQ(d.IsDlgButtonChecked(1242), 1);
        EXPECT_TRUE(d.GetDlgItem(1242)->isEnabled());
        Click(d, 1192);
        EXPECT_EQ(dial_.prefs.noonMark, 1);
        EXPECT_EQ(dial_.prefs.noonMarkType, 1);
        EXPECT_EQ(d.IsDlgButtonChecked(1242), 0);
        EXPECT_FALSE(d.GetDlgItem(1242)->isEnabled());
        Click(d, 1197);
        EXPECT_EQ(dial_.prefs.horizontalLines, 1);
    });
    EXPECT_EQ(EditIndications(dial_), IDOK);
    EXPECT_EQ(dial_.tablesValid, 1);
    EXPECT_EQ(dial_.prefs.sunAboveHorizon, 1);
    EXPECT_EQ(dial_.prefs.italicHours, 0);
    EXPECT_NE(dial_.altitudeByDate[CCadran::DateRow(6, 21)][144], 0.0);
    EXPECT_GE(fake_->waitCursorBegins, 1);

    CDlgIndications none;
    EXPECT_FALSE(none.Create());
    EXPECT_EQ(none.GetDialogResult(), 0);
}

TEST_F(LineOptionDialogs, EscapeAndTheCloseBoxLeaveTheIndicationsAsTheyWere)
{
    // Opening alone changes a half meridian into a complete one: that is undone too.
    dial_.prefs.noonMark = 1;
    dial_.prefs.noonMarkShape = 1;
    dial_.prefs.italicHours = 1;
    const CPrefs before = dial_.prefs;
    const auto unchanged = [&] {
        const CPrefs& p = dial_.prefs;
        EXPECT_EQ(dial_.localSolarTime, 1);
        EXPECT_EQ(std::make_tuple(p.hourLines, p.horizontalLines, p.italicHours, p.noonMark, p.noonMarkType,
                                  p.noonMarkShape, p.noonMarkWithHourLine, p.sunAboveHorizon),
                  std::make_tuple(before.hourLines, before.horizontalLines, before.italicHours, before.noonMark,
                                  before.noonMarkType, before.noonMarkShape, before.noonMarkWithHourLine,
                                  before.sunAboveHorizon));
    };
    const std::function<void(CDlgIndications&)> leaveBy[] = {
        [](CDlgIndications& d) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(&d, &escape);
        },
        [](CDlgIndications& d) { d.close(); },
    };
    for (const auto& leave : leaveBy) {
        fake_->SetDialogScript(CDlgIndications::kTemplateId, [this, leave](ModalDialog& modal) {
            auto& d = dynamic_cast<CDlgIndications&>(modal);
            if (!d.Create())
                return d.GetDialogResult();
            Click(d, 1193);
            EXPECT_EQ(dial_.localSolarTime, 0);
            leave(d);
            EXPECT_FALSE(d.IsOpen());
            return d.GetDialogResult();
        });
        EXPECT_EQ(EditIndications(dial_), IDCANCEL);
        unchanged();
    }
}

TEST_F(LineOptionDialogs, TheReferenceYearOutOfRangeSaysTheAcceptedYears)
{
    CHoravelDoc document;
    SetAstroYear(2001);
    document.SetReferenceYearMode(0);
    Answer<CDlgAnneeReference>([](CDlgAnneeReference& d) {
        EXPECT_EQ(d.GetDlgItemText(1048), "Moyenne des années 2000 à 2003.");
        d.Control<QLineEdit>(1031)->setText("2100");
        EXPECT_EQ(d.GetDlgItemText(1048), "Moyenne des années 2096 à 2099.");
        d.Control<QLineEdit>(1031)->setText("2101");
        d.OnOK();
        EXPECT_TRUE(d.IsOpen());
        d.Control<QLineEdit>(1031)->setText("1950");
        d.SetRadioIndex(1047, 1);
    });
    EXPECT_EQ(EditReferenceYear(document), IDOK);
    ASSERT_EQ(fake_->messageBoxes.size(), 1u);
    EXPECT_EQ(fake_->messageBoxes[0].text, "Veuillez entrer un nombre entier compris entre 1950 et 2100.");
    EXPECT_EQ(GetAstroYear(), 1950);
    EXPECT_EQ(document.GetReferenceYearMode(), 1);

    Answer<CDlgAnneeReference>([](CDlgAnneeReference& d) { d.Control<QLineEdit>(1031)->setText("1900"); });
    EXPECT_EQ(EditReferenceYear(document), IDCANCEL);
    EXPECT_EQ(GetAstroYear(), 1950);
    EXPECT_EQ(fake_->messageBoxes.size(), 2u);
}

TEST_F(LineOptionDialogs, ANewReferenceYearGoesToTheDialItsTablesAndTheSavedDocument)
{
    CHoravelDoc document;
    auto owned = std::make_unique<CCadranHorizontal>();
    CCadranHorizontal& dial = *owned;
    dial.width = dial.height = 200;
    dial.SetSite(45.0, 0.0, 0.0);
    dial.SetYear(2024);
    dial.ComputeAllTables();
    document.SetDial(std::move(owned));
    document.SetModifiedFlag(false);
    const CCadran::SunTable before = dial.altitudeByDate;

    Answer<CDlgAnneeReference>([](CDlgAnneeReference& d) { d.Control<QLineEdit>(1031)->setText("1990"); });
    ASSERT_EQ(EditReferenceYear(document), IDOK);
    EXPECT_EQ(dial.referenceYear, 1990);
    EXPECT_TRUE(document.IsModified());
    EXPECT_NE(dial.altitudeByDate, before);

    const auto file = context_.Dir().path() / "year.cds";
    std::string error;
    ASSERT_TRUE(document.OnSaveDocument(file, &error)) << error;
    SetAstroYear(2024);
    CHoravelDoc reread;
    ASSERT_TRUE(reread.OnOpenDocument(file, &error)) << error;
    ASSERT_NE(reread.GetDial(), nullptr);
    EXPECT_EQ(reread.GetDial()->referenceYear, 1990);
    EXPECT_EQ(reread.GetDial()->altitudeByDate, dial.altitudeByDate);
    EXPECT_EQ(reread.GetDial()->azimuthByDate, dial.azimuthByDate);

    // The same year again changes nothing.
    document.SetModifiedFlag(false);
    Answer<CDlgAnneeReference>([](CDlgAnneeReference&) {});
    ASSERT_EQ(EditReferenceYear(document), IDOK);
    EXPECT_FALSE(document.IsModified());
}

TEST_F(LineOptionDialogs, EveryDiurnalArcModeSurvivesTheDialog)
{
    dial_.prefs.diurnalArcs = 1;
    for (int mode = 0; mode <= 14; ++mode) {
        dial_.prefs.diurnalArcMode = mode;
        Answer<CDlgArcsDiurnes>([](CDlgArcsDiurnes&) {});
        EXPECT_EQ(EditDiurnalArcs(&dial_, dial_.prefs), IDOK);
        EXPECT_EQ(dial_.prefs.diurnalArcMode, mode);
    }
    EXPECT_TRUE(fake_->messageBoxes.empty());
}

TEST_F(LineOptionDialogs, DiurnalArcStepsRuleTheSolsticeCheckAndOkMayTurnTheArcsOn)
{
    dial_.prefs.diurnalArcs = 0;
    dial_.prefs.diurnalArcMode = 1;
    fake_->QueueMessageBoxAnswer(IDYES);
    Answer<CDlgArcsDiurnes>([](CDlgArcsDiurnes& d) {
        EXPECT_FALSE(d.GetDlgItem(1136)->isVisibleTo(&d));
        EXPECT_EQ(d.IsDlgButtonChecked(1292), 0);
        Click(d, 1288);  // every 30 degrees: the solstices come with it
        EXPECT_EQ(d.IsDlgButtonChecked(1292), 1);
        EXPECT_EQ(d.IsDlgButtonChecked(1290), 1);
        EXPECT_FALSE(d.GetDlgItem(1290)->isEnabled());
        Click(d, 1284);
        EXPECT_EQ(d.IsDlgButtonChecked(1290), 0);
        EXPECT_TRUE(d.GetDlgItem(1290)->isEnabled());
        Click(d, 1290);
    });
    EXPECT_EQ(EditDiurnalArcs(&dial_, dial_.prefs), IDOK);
    EXPECT_EQ(dial_.prefs.diurnalArcMode, 12);
    EXPECT_EQ(dial_.prefs.diurnalArcs, 1);
    ASSERT_EQ(fake_->messageBoxes.size(), 1u);
    EXPECT_EQ(fake_->messageBoxes[0].text, "Voulez-vous activer le tracé des lignes de déclinaison ?");
    EXPECT_EQ(fake_->messageBoxes[0].caption, "Question :");

    // Without a dial the defaults take the mode and nothing is asked.
    CPrefs defaults;
    defaults.diurnalArcs = 0;
    Answer<CDlgArcsDiurnes>([](CDlgArcsDiurnes& d) {
        EXPECT_TRUE(d.GetDlgItem(1136)->isVisibleTo(&d));
        Click(d, 1283);
    });
    EXPECT_EQ(EditDiurnalArcs(nullptr, defaults), IDOK);
    EXPECT_EQ(defaults.diurnalArcMode, 8);  // the default's solstice arcs are kept
    EXPECT_EQ(defaults.diurnalArcs, 0);
    EXPECT_EQ(fake_->messageBoxes.size(), 1u);

    // Cancel changes nothing; a shepherd's dial offers no declination steps.
    CCadranCylindriqueDeBerger shepherd;
    shepherd.prefs.diurnalArcMode = 9;
    Answer<CDlgArcsDiurnes>(
        [](CDlgArcsDiurnes& d) {
            EXPECT_FALSE(d.GetDlgItem(1282)->isEnabled());
            EXPECT_FALSE(d.GetDlgItem(1283)->isEnabled());
            Click(d, 1286);
        },
        true);
    EXPECT_EQ(EditDiurnalArcs(&shepherd, defaults), IDCANCEL);
    EXPECT_EQ(shepherd.prefs.diurnalArcMode, 9);

    CCadranAnalemmatique analemmatic;
    Answer<CDlgArcsDiurnes>([](CDlgArcsDiurnes& d) { EXPECT_TRUE(d.GetDlgItem(1136)->isVisibleTo(&d)); });
    EditDiurnalArcs(&analemmatic, defaults);
}

TEST_F(LineOptionDialogs, TheNoonMarkDialogOffersHalvesOnlyAtEachHourLine)
{
    CPrefs prefs;
    prefs.noonMark = 0;
    prefs.noonMarkShape = 1;
    Answer<CDlgCourbeEquation>([](CDlgCourbeEquation& d) {
        EXPECT_EQ(d.GetRadioIndex(1026), 2);
        EXPECT_EQ(d.GetRadioIndex(1027), 0);
        EXPECT_FALSE(d.GetDlgItem(1049)->isEnabled());
        EXPECT_FALSE(d.GetDlgItem(1028)->isEnabled());
        EXPECT_FALSE(d.GetDlgItem(1029)->isEnabled());
        EXPECT_EQ(d.IsDlgButtonChecked(1029), 1);
        d.SetRadioIndex(1026, 0);
        d.CheckDlgButton(1059, 1);
    });
    EXPECT_EQ(EditNoonMark(prefs), IDOK);
    EXPECT_EQ(prefs.noonMark, 1);
    EXPECT_EQ(prefs.noonMarkType, 0);
    EXPECT_EQ(prefs.noonMarkShape, 0);
    EXPECT_EQ(prefs.noonMarkPointer, 1);
    EXPECT_EQ(prefs.noonMarkWithHourLine, 1);

    prefs.noonMarkType = 1;
    Answer<CDlgCourbeEquation>(
        [](CDlgCourbeEquation& d) {
            EXPECT_EQ(d.GetRadioIndex(1026), 1);
            EXPECT_FALSE(d.GetDlgItem(1026)->isEnabled());
            EXPECT_FALSE(d.GetDlgItem(1030)->isEnabled());
            EXPECT_TRUE(d.GetDlgItem(1050)->isEnabled());
            d.SetRadioIndex(1027, 2);
        },
        true);
    EXPECT_EQ(EditNoonMark(prefs), IDCANCEL);
    EXPECT_EQ(prefs.noonMarkShape, 0);
}

TEST_F(LineOptionDialogs, TheLineStyleTreeEditsTheColourTableInPlace)
{
    const ColorTableEntry altitudeTen = *GetColorTableEntry(22);
    const ColorTableEntry declinationTen = *GetColorTableEntry(17);
    fake_->QueueColor(gdi::RGB(10, 20, 30));
    Answer<CDlgStyleTraces>([](CDlgStyleTraces& d) {
        EXPECT_EQ(d.GetDlgItem(IDCANCEL), nullptr);
        QTreeWidget* tree = d.Control<QTreeWidget>(1100);
        ASSERT_EQ(tree->topLevelItemCount(), 6);
        EXPECT_EQ(tree->currentItem(), tree->topLevelItem(0));
        ASSERT_NE(d.Swatch(), nullptr);
        EXPECT_EQ(d.Swatch()->m_color, gdi::RGB(192, 192, 192));
        EXPECT_EQ(d.Control<QComboBox>(1107)->currentIndex(), -1);
        // A thickness or a colour chosen on a group changes nothing.
        QComboBox* thickness = d.Control<QComboBox>(1107);
        thickness->setCurrentIndex(5);
        emit thickness->activated(5);
        Click(d, 1099);

        QTreeWidgetItem* altitude = tree->topLevelItem(3)->child(2);
        QTreeWidgetItem* declination = tree->topLevelItem(5)->child(0);
        EXPECT_EQ(altitude->text(0), declination->text(0));  // both "Lignes des 10°"
        tree->setCurrentItem(altitude);
        EXPECT_EQ(d.Swatch()->m_color, GetColorTableEntry(22)->color);
        EXPECT_EQ(thickness->currentIndex(), GetColorTableEntry(22)->thickness);
        thickness->setCurrentIndex(4);
        emit thickness->activated(4);
        Click(d, 1099);
        EXPECT_EQ(d.Swatch()->m_color, gdi::RGB(10, 20, 30));
    });
    EXPECT_EQ(EditLineStyles(), IDOK);
    EXPECT_EQ(fake_->colorRequests.size(), 1u);
    EXPECT_EQ(GetColorTableEntry(22)->thickness, 4);
    EXPECT_EQ(GetColorTableEntry(22)->color, gdi::RGB(10, 20, 30));
    EXPECT_EQ(*GetColorTableEntry(17), declinationTen);
    EXPECT_NE(*GetColorTableEntry(22), altitudeTen);
    for (int i = 0; i < kColorTableSize; ++i) {
        if (i != 22) {
            EXPECT_EQ(*GetColorTableEntry(i), DefaultColorTableEntry(i)) << i;
        }
    }

    // Closing saves the table, whatever the way out.
    ResetColorTable();
    fake_->SetDialogScript(CDlgStyleTraces::kTemplateId, [](ModalDialog&) { return IDCANCEL; });
    EditLineStyles();
    EXPECT_EQ(GetProfile().GetInt(std::string(kPaletteSection), PaletteEntryName(22), -1),
              DefaultColorTableEntry(22).thickness);
}
