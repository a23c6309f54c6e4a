// The wizard's location page on a small locations file: the country filter and its exact
// matching, the sort, the details and the map button, Next, and the locations added and
// changed from the page (kept in the user file on disk).
#include "WizardTestSupport.h"

#include "app/Formatting.h"
#include "app/Translation.h"
#include "dialogs/LocationEntry.h"
#include "dialogs/qt/CDlgCarte.h"
#include "dialogs/qt/CDlgNouveauLieu.h"
#include "dialogs/qt/CWizardCreationCadran.h"
#include "dialogs/qt/CWizardLieu.h"
#include "dialogs/qt/CWizardTypeCadran.h"
#include "model/LocationDatabase.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>

using namespace wizardtest;

namespace {

class LocationPageTest : public WizardTest {
protected:
    void SetUp() override
    {
        WizardTest::SetUp();
        wizard_ = std::make_unique<CWizardCreationCadran>(*doc_);
    }
    void TearDown() override
    {
        wizard_.reset();
        WizardTest::TearDown();
    }
    // Shows the first page as the wizard does when it starts.
    CWizardLieu& Start()
    {
        EXPECT_TRUE(wizard_->SetActivePage(0));
        return wizard_->LocationPage();
    }
    CWizardLieu& Page() { return wizard_->LocationPage(); }
    std::vector<std::string> Names()
    {
        std::vector<std::string> names;
        QTreeWidget& list = Page().List();
        for (int i = 0; i < list.topLevelItemCount(); ++i)
            names.push_back(list.topLevelItem(i)->text(0).toStdString());
        return names;
    }
    std::string Selected()
    {
        const CDataBaseElement* r = Page().GetSelectedLocation();
        return r ? r->name : std::string();
    }
    void ChooseCountry(const std::string& text)
    {
        QComboBox& combo = Page().CountryCombo();
        const int index = combo.findText(QString::fromStdString(text), Qt::MatchExactly);
        ASSERT_GE(index, 0) << text;
        combo.setCurrentIndex(index);
        emit combo.activated(index);
    }
    // Clicks the place in the list.
    void SelectName(const std::string& name)
    {
        QTreeWidget& list = Page().List();
        const auto found = list.findItems(QString::fromStdString(name), Qt::MatchExactly, 0);
        ASSERT_EQ(found.size(), 1) << name;
        dialogtest::ClickItem(list, found[0]);
    }
    bool MapEnabled() { return Page().Control<QPushButton>(1023)->isEnabled(); }

    std::unique_ptr<CWizardCreationCadran> wizard_;
};

}  // namespace

TEST_F(LocationPageTest, TheRememberedCountryAndPlaceAreShownSortedWithTheirDetails)
{
    // Defaults: FRANCE and BESANÇON. The accented É sorts with the E names.
    Start();
    EXPECT_EQ(Page().CountryCombo().currentText().toStdString(), "FRANCE");
    EXPECT_EQ(Page().CountryCombo().itemText(0).toStdString(), GetTranslatedString(303));
    EXPECT_EQ(Names(), (std::vector<std::string>{"ARRAS", "BESANÇON", "ÉPINAL", "ZONZA"}));
    EXPECT_EQ(Selected(), "BESANÇON");
    EXPECT_EQ(Page().GetDlgItemText(1021), GetTranslatedString(308) + " BESANÇON (DOUBS, FRANCE)");
    EXPECT_EQ(Page().GetDlgItemText(1022), GetTranslatedString(502) + "Greenwich + " + FormatHours(1.0, false, false));
    EXPECT_EQ(Page().List().headerItem()->text(1).toStdString(), GetTranslatedString(331));
    EXPECT_TRUE(MapEnabled());
    EXPECT_EQ(wizard_->GetWizardButtons(), unsigned{PSWIZB_NEXT});
}

TEST_F(LocationPageTest, CountriesAndPlacesMatchWholeTextsWithoutRegardToCase)
{
    // "niger" must not find NIGERIA, which comes before it in the combo.
    profile_->WriteString("Dialogues\\Lieu", "Pays", "niger");
    profile_->WriteString("Dialogues\\Lieu", "Ville", "niamey");
    Start();
    EXPECT_EQ(Page().CountryCombo().currentText().toStdString(), "NIGER");
    EXPECT_EQ(Names(), std::vector<std::string>{"NIAMEY"});
    EXPECT_EQ(Selected(), "NIAMEY");

    // A country that no record has lists every record; a place that the list lacks leaves
    // the first one after sorting selected.
    profile_->WriteString("Dialogues\\Lieu", "Pays", "NIGE");
    profile_->WriteString("Dialogues\\Lieu", "Ville", "BESANC");
    wizard_->SetActivePage(0);
    EXPECT_EQ(Page().CountryCombo().currentIndex(), 0);
    EXPECT_EQ(Names().size(), 9u);
    EXPECT_EQ(Selected(), "ARRAS");

    // Each country appears once, in the order of the list.
    QComboBox& combo = Page().CountryCombo();
    std::vector<std::string> countries;
    for (int i = 1; i < combo.count(); ++i)
        countries.push_back(combo.itemText(i).toStdString());
    EXPECT_EQ(countries, (std::vector<std::string>{"FRANCE", "NIGERIA", "NIGER", "CANADA", "PORTUGAL"}));
}

TEST_F(LocationPageTest, CountryChoiceColumnSortAndTheMapRule)
{
    Start();
    ChooseCountry("PORTUGAL");
    EXPECT_EQ(Names(), (std::vector<std::string>{"BRAGANCA", "CORNER"}));

    // Latitude 40.9 lies off the map; 41 north at 10 east is its corner.
    SelectName("BRAGANCA");
    EXPECT_FALSE(MapEnabled());
    SelectName("CORNER");
    EXPECT_TRUE(MapEnabled());
    EXPECT_EQ(Page().GetDlgItemText(1002), GetTranslatedString(306) + " " + FormatLatitude(Record("CORNER")));

    ChooseCountry("CANADA");
    EXPECT_EQ(Page().GetDlgItemText(1022), GetTranslatedString(502) + "Greenwich - " + FormatHours(3.5, false, false));
    EXPECT_FALSE(MapEnabled());

    // All countries, sorted by region then by country.
    ChooseCountry(GetTranslatedString(303));
    emit Page().List().header()->sectionClicked(1);
    EXPECT_EQ(Page().m_sortColumn, 1);
    EXPECT_EQ(Page().List().topLevelItem(8)->text(1).toStdString(), "VOSGES");
    emit Page().List().header()->sectionClicked(2);
    EXPECT_EQ(Page().List().topLevelItem(0)->text(2).toStdString(), "CANADA");
    EXPECT_EQ(Page().List().topLevelItem(8)->text(2).toStdString(), "PORTUGAL");
}

TEST_F(LocationPageTest, NextNeedsASelectionAndMakesItTheDocumentsLocation)
{
    Start();
    Page().List().clearSelection();
    Page().List().setCurrentItem(nullptr);
    wizard_->PressButton(PSBTN_NEXT);
    EXPECT_EQ(wizard_->GetActivePage(), &Page());

    SelectName("ÉPINAL");
    wizard_->PressButton(PSBTN_NEXT);
    EXPECT_EQ(wizard_->GetActivePage(), &wizard_->TypePage());
    ASSERT_NE(doc_->GetLocation(), nullptr);
    EXPECT_EQ(doc_->GetLocation()->name, "ÉPINAL");
    EXPECT_NE(doc_->GetLocation(), Record("ÉPINAL"));  // the document keeps its own copy
    EXPECT_EQ(profile_->GetString("Dialogues\\Lieu", "Ville", ""), "ÉPINAL");
    EXPECT_EQ(profile_->GetString("Dialogues\\Lieu", "Pays", ""), "FRANCE");
    EXPECT_NE(testsupport::ReadFileBytes(context_.Dir() / "HoravelTraces.txt")
                  .find("Selected Location: ÉPINAL (FRANCE), latitude : "),
              std::string::npos);

    // Back shows the choice again.
    wizard_->PressButton(PSBTN_BACK);
    EXPECT_EQ(Selected(), "ÉPINAL");
}

TEST_F(LocationPageTest, AnEmptyListLeavesThePageEmptyAndNextRefused)
{
    DeleteAllLocations(doc_->GetLocationList());
    Start();
    EXPECT_EQ(Page().List().topLevelItemCount(), 0);
    wizard_->PressButton(PSBTN_NEXT);
    EXPECT_EQ(wizard_->GetActivePage(), &Page());
}

TEST_F(LocationPageTest, AddedLocationsAreCheckedSelectedAndSavedToTheUserFile)
{
    Start();
    LocationFields offered;
    fake_->SetDialogScript(CDlgNouveauLieu::kTemplateId, [&](ModalDialog& d) {
        auto& dialog = dynamic_cast<CDlgNouveauLieu&>(d);
        offered = dialog.m_fields;
        dialog.m_fields.name = "";
        dialog.m_fields.country = "AFRIQUE DU SUD";
        dialog.m_fields.latDegrees = 33;
        return IDOK;
    });
    // Without a name nothing is added.
    Click(Page(), 1048);
    EXPECT_EQ(offered.hemisphere, kNorth);
    EXPECT_EQ(offered.side, kEast);
    EXPECT_EQ(offered.zoneIndex, 12);
    ASSERT_EQ(fake_->messageBoxes.size(), 1u);
    EXPECT_EQ(fake_->messageBoxes[0].text, GetTranslatedString(304));
    EXPECT_EQ(fake_->messageBoxes[0].caption, GetTranslatedString(305));
    EXPECT_EQ(doc_->GetLocationList().size(), 9u);

    fake_->SetDialogScript(CDlgNouveauLieu::kTemplateId, [](ModalDialog& d) {
        auto& f = dynamic_cast<CDlgNouveauLieu&>(d).m_fields;
        f.name = "LE CAP";
        f.region = "CAP OCCIDENTAL";
        f.country = "AFRIQUE DU SUD";
        f.latDegrees = 33;
        f.latMinutes = 55;
        f.hemisphere = kSouth;
        f.lonDegrees = 18;
        f.lonMinutes = 25;
        f.side = kEast;
        f.zoneIndex = 15;  // UT + 2 h
        return IDOK;
    });
    Click(Page(), 1048);
    ASSERT_EQ(doc_->GetLocationList().size(), 10u);
    const CDataBaseElement& added = *doc_->GetLocationList().back();
    EXPECT_NEAR(added.latitude, -33.9166666, 1e-6);
    EXPECT_NEAR(added.longitude, -18.4166666, 1e-6);
    EXPECT_EQ(added.zone, 2.0);
    EXPECT_EQ(added.standard, 0);
    EXPECT_EQ(Selected(), "LE CAP");
    EXPECT_EQ(Page().CountryCombo().currentText().toStdString(), "AFRIQUE DU SUD");
    EXPECT_EQ(Names(), std::vector<std::string>{"LE CAP"});
    EXPECT_EQ(Page().GetDlgItemText(1021), GetTranslatedString(308) + " LE CAP (CAP OCCIDENTAL, AFRIQUE DU SUD)");

    // The user file holds the new place and only it; a fresh list reads it back.
    CLocationList reread;
    ASSERT_TRUE(LoadDatabaseFile(reread, UserFile()));
    ASSERT_EQ(reread.size(), 1u);
    EXPECT_EQ(reread[0]->name, "LE CAP");
    EXPECT_EQ(reread[0]->country, "AFRIQUE DU SUD");
}

TEST_F(LocationPageTest, ModifiedLocationsKeepTheirColumnsAndBecomeUserDefinedWhenChanged)
{
    Start();
    SelectName("ZONZA");
    // Unchanged: still a standard record, and the user file gets nothing of it.
    fake_->SetDialogScript(CDlgNouveauLieu::kTemplateId, [](ModalDialog&) { return IDOK; });
    Click(Page(), 1123);
    EXPECT_EQ(Record("ZONZA")->standard, 1);

    // The zone alone changes: user-defined, saved, and its row keeps region and country.
    fake_->SetDialogScript(CDlgNouveauLieu::kTemplateId, [](ModalDialog& d) {
        auto& f = dynamic_cast<CDlgNouveauLieu&>(d).m_fields;
        EXPECT_EQ(f.name, "ZONZA");
        EXPECT_EQ(f.latDegrees, 41);
        EXPECT_EQ(f.latMinutes, 45);
        EXPECT_EQ(f.side, kEast);
        f.zoneIndex = 15;
        return IDOK;
    });
    Click(Page(), 1123);
    const CDataBaseElement* zonza = Record("ZONZA");
    EXPECT_EQ(zonza->zone, 2.0);
    EXPECT_EQ(zonza->standard, 0);
    EXPECT_EQ(Selected(), "ZONZA");
    QTreeWidgetItem* row = Page().List().currentItem();
    EXPECT_EQ(row->text(1).toStdString(), "CORSE DU SUD");
    EXPECT_EQ(row->text(2).toStdString(), "FRANCE");
    CLocationList reread;
    ASSERT_TRUE(LoadDatabaseFile(reread, UserFile()));
    ASSERT_EQ(reread.size(), 1u);
    EXPECT_EQ(reread[0]->zone, 2.0);

    // Moved to another country: the combo and the list follow it.
    fake_->SetDialogScript(CDlgNouveauLieu::kTemplateId, [](ModalDialog& d) {
        dynamic_cast<CDlgNouveauLieu&>(d).m_fields.country = "ITALIE";
        return IDOK;
    });
    Click(Page(), 1123);
    EXPECT_EQ(Page().CountryCombo().currentText().toStdString(), "ITALIE");
    EXPECT_EQ(Names(), std::vector<std::string>{"ZONZA"});

    // An entry emptied of its country is refused and changes nothing.
    fake_->SetDialogScript(CDlgNouveauLieu::kTemplateId, [](ModalDialog& d) {
        dynamic_cast<CDlgNouveauLieu&>(d).m_fields.country.clear();
        return IDOK;
    });
    const std::size_t boxes = fake_->messageBoxes.size();
    Click(Page(), 1123);
    EXPECT_EQ(fake_->messageBoxes.size(), boxes + 1);
    EXPECT_EQ(Record("ZONZA")->country, "ITALIE");
}

TEST_F(LocationPageTest, TheMapShowsTheSelectedLocation)
{
    Start();
    const CDataBaseElement* shown = nullptr;
    fake_->SetDialogScript(CDlgCarte::kTemplateId, [&](ModalDialog& d) {
        shown = dynamic_cast<CDlgCarte&>(d).m_location;
        return IDOK;
    });
    Click(Page(), 1023);
    EXPECT_EQ(shown, Record("BESANÇON"));
}
