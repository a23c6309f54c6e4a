// The locations dialogs driven through their widgets: the new-location entry, the locations
// database (browse, add, modify, delete, load another base, choose) with the user file on
// disk, and the map.
#include "DialogTestSupport.h"

#include "app/Accessors.h"
#include "app/qt/CBitmapCtrl.h"
#include "app/qt/DialogControls.h"
#include "dialogs/LocationBrowsing.h"
#include "dialogs/qt/CDlgBaseLieux.h"
#include "dialogs/qt/CDlgCarte.h"
#include "dialogs/qt/CDlgNouveauLieu.h"
#include "dialogs/qt/LocationListWidgets.h"
#include "docview/CHoravelDoc.h"
#include "model/Astronomy.h"
#include "platform/FakeServices.h"
#include "platform/Paths.h"
#include "platform/Profile.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr int kNewTemplate = CDlgNouveauLieu::kTemplateId;

// What a user types into the new-location dialog; a field left empty keeps what the dialog
// shows.
struct Typing {
    std::string name{}, region{}, country{};
    std::string latDegrees{}, latMinutes{}, lonDegrees{}, lonMinutes{};
    int hemisphere = -1;  // radio index to click; -1: leave
    int side = -1;
    int zoneIndex = -1;   // combo entry to choose; -1: leave
};

void TypeInto(CDlgNouveauLieu& dialog, int id, const std::string& text)
{
    if (text.empty())
        return;
    auto* edit = dialog.Control<QLineEdit>(id);
    edit->clear();
    // Key by key with the typed text, so that letters outside ASCII are typed too.
    for (const QChar c : QString::fromStdString(text))
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

class LocationDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetProfile(std::make_unique<MemoryProfile>());
        std::filesystem::create_directories(dir_ / "data");
        paths::SetDataFolder(dir_ / "data");
        GetAppContext() = AppContext{};
        testsupport::WriteFileBytes(StandardFile(), "$VERSION 6\n$NBRECORDS 5\n"
                                                    "BESANÇON DOUBS FRANCE 47 15 N 6 2 E 1 1\n"
                                                    "PARIS ? FRANCE 48 52 N 2 20 E 1 1\n"
                                                    "NIAMEY ? NIGER 13 31 N 2 7 E 1 1\n"
                                                    "LAGOS ? NIGERIA 6 27 N 3 24 E 1 1\n"
                                                    "QUITO ? ECUADOR 0 13 S 78 31 W -5 1\n"
                                                    "$END\n");
        GetProfile().WriteString("Options\\General", "NomFichierLieux", StandardFile().string());
        ResetAstroState();
        doc_ = std::make_unique<CHoravelDoc>();
        GetAppContext().document = doc_.get();
    }
    void TearDown() override
    {
        doc_.reset();
        GetAppContext() = AppContext{};
        paths::SetDataFolder({});
        SetProfile(nullptr);
        ResetAstroState();
    }

    // Named as the shipped file is.
    std::filesystem::path StandardFile() const { return dir_ / "LIEUX.DBL"; }
    std::filesystem::path UserFile() const { return UserLocationsFile(); }
    std::string UserFileText() const
    {
        return std::filesystem::exists(UserFile()) ? testsupport::ReadFileBytes(UserFile()) : std::string();
    }
    CLocationList& List() { return doc_->GetLocationList(); }
    CDataBaseElement* Record(const std::string& name) { return FindLocationByName(List(), name); }

    // Answers the next new-location dialogs by typing into their widgets and pressing OK;
    // a dialog that stays open after OK is cancelled, and counted.
    void AnswerNewLocation(Typing typing)
    {
        services_->SetDialogScript(kNewTemplate, [this, typing](ModalDialog& d) {
            auto& dialog = dynamic_cast<CDlgNouveauLieu&>(d);
            EXPECT_TRUE(dialog.Create());
            shownFields_ = dialog.m_fields;
            TypeInto(dialog, 1009, typing.name);
            TypeInto(dialog, 1015, typing.region);
            TypeInto(dialog, 1010, typing.country);
            TypeInto(dialog, 1011, typing.latDegrees);
            TypeInto(dialog, 1012, typing.latMinutes);
            TypeInto(dialog, 1013, typing.lonDegrees);
            TypeInto(dialog, 1014, typing.lonMinutes);
            if (typing.hemisphere >= 0)
                dialog.RadioGroupOf(1052).at(static_cast<std::size_t>(typing.hemisphere))->click();
            if (typing.side >= 0)
                dialog.RadioGroupOf(1050).at(static_cast<std::size_t>(typing.side))->click();
            if (typing.zoneIndex >= 0)
                dialog.Control<QComboBox>(1018)->setCurrentIndex(typing.zoneIndex);
            dialog.OnOK();
            if (dialog.IsOpen()) {
                ++stayedOpen_;
                dialog.OnCancel();
            }
            return dialog.GetDialogResult();
        });
    }

    std::vector<std::string> ListedNames(const CDlgBaseLieux& dialog) const
    {
        std::vector<std::string> names;
        const auto* list = dialog.Control<QTreeWidget>(1054);
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            names.push_back(list->topLevelItem(i)->text(0).toStdString());
        return names;
    }
    static std::string ComboText(const CDlgBaseLieux& dialog) { return dialog.GetDlgItemText(1045); }
    static void Select(CDlgBaseLieux& dialog, const CDataBaseElement* record)
    {
        auto* list = dialog.Control<QTreeWidget>(1054);
        SelectLocationItem(*list, FindItemOfRecord(*list, record));
    }
    static void ChooseCountry(CDlgBaseLieux& dialog, const std::string& country)
    {
        auto* combo = dialog.Control<QComboBox>(1045);
        const int index = FindComboText(*combo, country);
        ASSERT_GE(index, 0) << country;
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    testsupport::TempDir dir_;
    ScopedFakeServices services_;
    std::unique_ptr<CHoravelDoc> doc_;
    LocationFields shownFields_;
    int stayedOpen_ = 0;
};

// ------------------------------------------------------------------ new-location dialog

TEST_F(LocationDialogs, NewLocationListsTheZonesAndFollowsTheOffsetAsTheLongitudeChanges)
{
    CDlgNouveauLieu dialog;
    dialog.m_fields.lonDegrees = 6;
    dialog.m_fields.lonMinutes = 2;
    dialog.m_fields.side = kEast;
    dialog.m_fields.hemisphere = kNorth;
    dialog.m_fields.zoneIndex = 14;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.GetTitle(), "Saisie d'un nouveau lieu");
    auto* zones = dialog.Control<QComboBox>(1018);
    ASSERT_EQ(zones->count(), 35);
    EXPECT_EQ(zones->currentIndex(), 14);
    EXPECT_EQ(zones->itemText(22).toStdString(), "UT + 5 h 45 m");
    EXPECT_EQ(zones->itemText(9).toStdString(), "UT - 3 h 30 m");
    EXPECT_EQ(zones->itemText(13).toStdString(), "UT (Heure de Greenwich)");
    EXPECT_EQ(dialog.GetDlgItemText(1129), "Écart de longitude : 35 m 52 s");
    EXPECT_EQ(dialog.IsDlgButtonChecked(1050), 1);

    // Typing, a click on the other side and a zone chosen all rebuild the text.
    TypeInto(dialog, 1013, "30");
    TypeInto(dialog, 1014, "0");
    dialog.RadioGroupOf(1050).at(1)->click();
    zones->setCurrentIndex(13);
    emit zones->activated(13);
    EXPECT_EQ(dialog.GetDlgItemText(1129), "Écart de longitude : 2 h 0 m 0 s");
    TypeInto(dialog, 1013, "0");
    EXPECT_EQ(dialog.GetDlgItemText(1129), "?");

    // Names are capitals as they are typed.
    TypeInto(dialog, 1009, "saint-étienne");
    EXPECT_EQ(dialog.GetDlgItemText(1009), "SAINT-ÉTIENNE");
    if (const char* out = std::getenv("HORAVEL_SCREENSHOTS"))
        dialog.grab().save(QString::fromUtf8(out) + "/new-location.png");
    dialog.OnCancel();
}

TEST_F(LocationDialogs, NewLocationRefusesAnglesBeyondTheLimitsWithTheirMinutes)
{
    CDlgNouveauLieu dialog;
    dialog.m_fields.name = "POLE";
    dialog.m_fields.country = "ARCTIQUE";
    dialog.m_fields.latDegrees = 90;
    dialog.m_fields.latMinutes = 59;
    ASSERT_TRUE(dialog.Create());
    dialog.OnOK();
    EXPECT_TRUE(dialog.IsOpen());
    ASSERT_EQ(services_->messageBoxes.size(), 1u);
    EXPECT_EQ(dialog.focusWidget(), dialog.GetDlgItem(1012));

    TypeInto(dialog, 1012, "0");
    TypeInto(dialog, 1013, "180");
    TypeInto(dialog, 1014, "30");
    dialog.OnOK();
    EXPECT_TRUE(dialog.IsOpen());
    EXPECT_EQ(services_->messageBoxes.size(), 2u);

    TypeInto(dialog, 1014, "0");
    dialog.OnOK();
    EXPECT_FALSE(dialog.IsOpen());
    EXPECT_EQ(dialog.GetDialogResult(), IDOK);
    EXPECT_EQ(dialog.m_fields.latDegrees, 90);
    EXPECT_EQ(dialog.m_fields.latMinutes, 0);
    EXPECT_EQ(dialog.m_fields.lonDegrees, 180);
    // No zone was chosen: the dialog says so rather than inventing one.
    EXPECT_EQ(dialog.m_fields.zoneIndex, -1);
}

// ------------------------------------------------------------------ locations database

TEST_F(LocationDialogs, OpensOnTheGivenRecordsCountryWithItsDetailsAndCounts)
{
    CDlgBaseLieux dialog(*doc_);
    dialog.m_chosen = Record("PARIS");
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(ComboText(dialog), "FRANCE");
    EXPECT_EQ(ListedNames(dialog), (std::vector<std::string>{"BESANÇON", "PARIS"}));
    EXPECT_EQ(SelectedRecord(*dialog.Control<QTreeWidget>(1054)), Record("PARIS"));
    EXPECT_EQ(dialog.GetDlgItemText(1021), "Lieu :  PARIS (FRANCE)");
    EXPECT_EQ(dialog.GetDlgItemText(1002), "Latitude :  48° 52' Nord");
    EXPECT_EQ(dialog.GetDlgItemText(1004), "Fuseau horaire : Greenwich + 1 h ");
    EXPECT_TRUE(dialog.GetDlgItem(1056)->isEnabled());
    EXPECT_EQ(dialog.GetDlgItemText(1025), "2 entrée(s) listée(s).");
    EXPECT_EQ(dialog.GetDlgItemText(1024), "5 entrées dans la base.");
    EXPECT_EQ(dialog.GetDlgItemText(1136), "Fichier chargé : " + StandardFile().string());
    auto* combo = dialog.Control<QComboBox>(1045);
    EXPECT_EQ(combo->itemText(0).toStdString(), "TOUS LES PAYS");
    EXPECT_EQ(combo->count(), 5);

    // A click on another place shows its details.
    auto* list = dialog.Control<QTreeWidget>(1054);
    dialogtest::ClickItem(*list, FindItemOfRecord(*list, Record("BESANÇON")));
    EXPECT_EQ(dialog.GetDlgItemText(1021), "Lieu :  BESANÇON (DOUBS, FRANCE)");
    EXPECT_EQ(dialog.GetDlgItemText(1002), "Latitude :  47° 15' Nord");

    // Another country lists its places with the first selected; a place off the map
    // disables "Voir...".
    ChooseCountry(dialog, "ecuador");
    EXPECT_EQ(ListedNames(dialog), (std::vector<std::string>{"QUITO"}));
    EXPECT_EQ(dialog.GetDlgItemText(1025), "1 entrée(s) listée(s).");
    EXPECT_FALSE(dialog.GetDlgItem(1056)->isEnabled());
    EXPECT_EQ(dialog.GetDlgItemText(1021), "Lieu :  QUITO (ECUADOR)");
    if (const char* out = std::getenv("HORAVEL_SCREENSHOTS"))
        dialog.grab().save(QString::fromUtf8(out) + "/locations-database.png");
}

TEST_F(LocationDialogs, TheRememberedCountryMatchesWholeNamesOnly)
{
    GetProfile().WriteString("Dialogues\\Base", "Pays", "niger");
    CDlgBaseLieux dialog(*doc_);
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(ComboText(dialog), "NIGER");
    EXPECT_EQ(ListedNames(dialog), (std::vector<std::string>{"NIAMEY"}));

    GetProfile().WriteString("Dialogues\\Base", "Pays", "ATLANT");
    CDlgBaseLieux unknown(*doc_);
    ASSERT_TRUE(unknown.Create());
    EXPECT_EQ(ComboText(unknown), "TOUS LES PAYS");
    EXPECT_EQ(ListedNames(unknown).size(), 5u);
    // Sorted by name, then by the clicked column.
    EXPECT_EQ(ListedNames(unknown).front(), "BESANÇON");
    unknown.Control<QTreeWidget>(1054)->header()->sectionClicked(2);
    EXPECT_EQ(unknown.m_sortColumn, 2);
    EXPECT_EQ(ListedNames(unknown).front(), "QUITO");
}

TEST_F(LocationDialogs, ANewLocationIsListedCountedAndSavedToTheUserFile)
{
    CDlgBaseLieux dialog(*doc_);
    GetProfile().WriteString("Dialogues\\Base", "Pays", "NIGER");
    ASSERT_TRUE(dialog.Create());
    AnswerNewLocation({.name = "zinder", .latDegrees = "13", .latMinutes = "48", .lonDegrees = "8",
                       .lonMinutes = "59", .zoneIndex = 14});
    dialog.OnNew();
    // The dialog opened with the remembered sides and zone and the combo's country.
    EXPECT_EQ(shownFields_.country, "NIGER");
    EXPECT_EQ(shownFields_.hemisphere, kNorth);
    EXPECT_EQ(shownFields_.side, kEast);
    EXPECT_EQ(shownFields_.zoneIndex, kDefaultZoneIndex);

    const CDataBaseElement* zinder = Record("ZINDER");
    ASSERT_NE(zinder, nullptr);
    EXPECT_EQ(zinder->standard, 0);
    EXPECT_DOUBLE_EQ(zinder->latitude, 13.8);
    EXPECT_NEAR(zinder->longitude, -(8 + 59 / 60.0), 1e-12);
    EXPECT_EQ(zinder->zone, 1.0);
    EXPECT_EQ(ListedNames(dialog), (std::vector<std::string>{"NIAMEY", "ZINDER"}));
    EXPECT_EQ(SelectedRecord(*dialog.Control<QTreeWidget>(1054)), zinder);
    EXPECT_EQ(dialog.m_baseCount, 6);
    EXPECT_EQ(dialog.GetDlgItemText(1024), "6 entrées dans la base.");
    EXPECT_EQ(GetProfile().GetInt("Dialogues\\Nouveau", "Fuseau", -1), 14);
    EXPECT_NE(UserFileText().find("ZINDER ? NIGER 13 48 N 8 59 E 1 0\n"), std::string::npos) << UserFileText();

    // A new country joins the combo and is shown.
    AnswerNewLocation({.name = "GENEVE", .region = "GE", .country = "SUISSE", .latDegrees = "46", .latMinutes = "12",
                       .lonDegrees = "6", .lonMinutes = "9"});
    dialog.OnNew();
    EXPECT_EQ(ComboText(dialog), "SUISSE");
    EXPECT_EQ(ListedNames(dialog), (std::vector<std::string>{"GENEVE"}));
    EXPECT_NE(UserFileText().find("GENEVE GE SUISSE"), std::string::npos);
}

TEST_F(LocationDialogs, ANewLocationWithoutNameOrWithSeparatorsIsRefused)
{
    CDlgBaseLieux dialog(*doc_);
    ASSERT_TRUE(dialog.Create());
    for (const Typing& typing : {Typing{.country = "FRANCE", .latDegrees = "45"},
                                 Typing{.name = "LYON", .latDegrees = "45"},
                                 Typing{.name = "LYON", .country = "FRANCE"},
                                 Typing{.name = "LYON;2", .country = "FRANCE", .latDegrees = "45"},
                                 Typing{.name = "LYON", .region = "RHONE$ALPES", .country = "FRANCE", .latDegrees = "45"}}) {
        services_->messageBoxes.clear();
        AnswerNewLocation(typing);
        dialog.OnNew();
        ASSERT_EQ(services_->messageBoxes.size(), 1u) << typing.name;
        EXPECT_EQ(services_->messageBoxes[0].text,
                  "Un champ n'a pas été correctement rempli ! La saisie n'est pas valide.");
        EXPECT_EQ(services_->messageBoxes[0].caption, "Erreur de saisie");
        EXPECT_EQ(services_->messageBoxes[0].type, MB_OK | MB_ICONEXCLAMATION);
    }
    EXPECT_EQ(List().size(), 5u);
    EXPECT_EQ(dialog.m_baseCount, 5);
    EXPECT_EQ(UserFileText(), "");

    // Cancel changes nothing either.
    services_->SetDialogScript(kNewTemplate, [](ModalDialog&) { return IDCANCEL; });
    dialog.OnNew();
    EXPECT_EQ(List().size(), 5u);
}

TEST_F(LocationDialogs, ModifyingKeepsEveryColumnAndMakesAChangedRecordTheUsers)
{
    CDlgBaseLieux dialog(*doc_);
    dialog.m_chosen = Record("PARIS");
    ASSERT_TRUE(dialog.Create());

    // OK without a change: still a standard record, not saved as the user's.
    AnswerNewLocation({});
    dialog.OnModify();
    EXPECT_EQ(shownFields_.latDegrees, 48);
    EXPECT_EQ(shownFields_.latMinutes, 52);
    EXPECT_EQ(shownFields_.side, kEast);
    EXPECT_EQ(shownFields_.zoneIndex, 14);
    EXPECT_EQ(Record("PARIS")->standard, 1);
    EXPECT_EQ(UserFileText().find("PARIS"), std::string::npos);

    AnswerNewLocation({.region = "ile de france"});
    dialog.OnModify();
    CDataBaseElement* paris = Record("PARIS");
    EXPECT_EQ(paris->region, "ILE DE FRANCE");
    EXPECT_EQ(paris->standard, 0);
    const QTreeWidgetItem* item = FindItemOfRecord(*dialog.Control<QTreeWidget>(1054), paris);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(0).toStdString(), "PARIS");
    EXPECT_EQ(item->text(1).toStdString(), "ILE DE FRANCE");
    EXPECT_EQ(item->text(2).toStdString(), "FRANCE");
    EXPECT_NE(UserFileText().find("PARIS ILE$DE$FRANCE FRANCE 48 52 N 2 20 E 1 0"), std::string::npos);

    // Moved to another country: the combo follows it.
    AnswerNewLocation({.country = "belgique"});
    dialog.OnModify();
    EXPECT_EQ(ComboText(dialog), "BELGIQUE");
    EXPECT_EQ(ListedNames(dialog), (std::vector<std::string>{"PARIS"}));

    // A refused change leaves the record as it was.
    const CDataBaseElement before = *paris;
    AnswerNewLocation({.latDegrees = "0", .latMinutes = "0", .lonDegrees = "0", .lonMinutes = "0"});
    dialog.OnModify();
    EXPECT_EQ(*paris, before);
    EXPECT_EQ(services_->messageBoxes.back().caption, "Erreur de saisie");
}

TEST_F(LocationDialogs, DeletingTheLastOfACountryListsEveryCountryAndSavesTheUserFile)
{
    CDataBaseElement* niamey = Record("NIAMEY");
    niamey->standard = 0;
    ASSERT_TRUE(SaveUserLocations(List()));
    ASSERT_NE(UserFileText().find("NIAMEY"), std::string::npos);

    CDlgBaseLieux dialog(*doc_);
    dialog.m_chosen = niamey;
    ASSERT_TRUE(dialog.Create());
    ASSERT_EQ(ListedNames(dialog), (std::vector<std::string>{"NIAMEY"}));

    services_->QueueMessageBoxAnswer(IDNO);
    dialog.OnDelete();
    EXPECT_EQ(List().size(), 5u);
    ASSERT_EQ(services_->messageBoxes.size(), 1u);
    EXPECT_EQ(services_->messageBoxes[0].text, "Supprimer de la base de données la référence NIAMEY ?");
    EXPECT_EQ(services_->messageBoxes[0].caption, "Supprimer");
    EXPECT_EQ(services_->messageBoxes[0].type, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);

    services_->QueueMessageBoxAnswer(IDYES);
    dialog.OnDelete();
    EXPECT_EQ(Record("NIAMEY"), nullptr);
    EXPECT_EQ(dialog.m_chosen, nullptr);
    EXPECT_EQ(List().size(), 4u);
    EXPECT_EQ(dialog.m_baseCount, 4);
    EXPECT_EQ(ComboText(dialog), "TOUS LES PAYS");
    EXPECT_EQ(FindComboText(*dialog.Control<QComboBox>(1045), "NIGER"), -1);
    EXPECT_EQ(FindComboText(*dialog.Control<QComboBox>(1045), "NIGERIA"), 2);
    EXPECT_EQ(ListedNames(dialog), (std::vector<std::string>{"BESANÇON", "LAGOS", "PARIS", "QUITO"}));
    EXPECT_EQ(dialog.GetDlgItemText(1025), "4 entrée(s) listée(s).");
    EXPECT_EQ(UserFileText().find("NIAMEY"), std::string::npos);
}

TEST_F(LocationDialogs, DeletingRemovesTheSelectedRecordItselfAndNeverTheLastOne)
{
    // Two equal records: the one selected goes, the other stays.
    List().push_back(std::make_unique<CDataBaseElement>(*Record("PARIS")));
    CDataBaseElement* first = Record("PARIS");
    CDataBaseElement* second = List().back().get();
    {
        CDlgBaseLieux dialog(*doc_);
        ASSERT_TRUE(dialog.Create());
        Select(dialog, second);
        services_->QueueMessageBoxAnswer(IDYES);
        dialog.OnDelete();
        EXPECT_FALSE(ListHolds(List(), second));
        EXPECT_TRUE(ListHolds(List(), first));
        EXPECT_EQ(FindItemOfRecord(*dialog.Control<QTreeWidget>(1054), first)->text(0).toStdString(), "PARIS");
    }

    // The whole base's last record stays, also when the combo shows its country (a base of
    // one country opens on that country).
    while (List().size() > 1)
        List().pop_back();
    CDlgBaseLieux last(*doc_);
    ASSERT_TRUE(last.Create());
    EXPECT_EQ(ComboText(last), "FRANCE");
    services_->messageBoxes.clear();
    last.OnDelete();
    ASSERT_EQ(services_->messageBoxes.size(), 1u);
    EXPECT_EQ(services_->messageBoxes[0].text, "Il n'est pas permis de supprimer le dernier élément !");
    EXPECT_EQ(services_->messageBoxes[0].caption, "Erreur");
    EXPECT_EQ(List().size(), 1u);
}

TEST_F(LocationDialogs, LoadingAnotherBaseReplacesTheListAndKeepsTheUsersAndTheCurrentLocation)
{
    CDataBaseElement mine;
    mine.name = "MOULIN";
    mine.country = "FRANCE";
    mine.latitude = 46.5;
    mine.longitude = -3.3;
    mine.standard = 0;
    List().push_back(std::make_unique<CDataBaseElement>(mine));
    doc_->SetLocation(Record("PARIS"));
    const std::filesystem::path other = dir_ / "Autre Base.DBL";
    testsupport::WriteFileBytes(other, "$VERSION 6\n$NBRECORDS 2\nROMA LAZIO ITALIA 41 54 N 12 30 E 1 1\n"
                                       "MILANO ? ITALIA 45 28 N 9 11 E 1 1\n$END\n");
    const std::filesystem::path broken = dir_ / "broken.dbl";
    testsupport::WriteFileBytes(broken, "$VERSION 9\n");

    CDlgBaseLieux dialog(*doc_);
    dialog.m_chosen = Record("PARIS");
    ASSERT_TRUE(dialog.Create());

    // Cancelled, then a file that is no base: nothing changes.
    services_->QueueOpenFile(std::nullopt);
    dialog.OnLoadBase();
    services_->QueueOpenFile(broken);
    dialog.OnLoadBase();
    EXPECT_EQ(List().size(), 6u);
    EXPECT_EQ(doc_->GetLocationsFilePath(), StandardFile());
    ASSERT_EQ(services_->messageBoxes.size(), 1u);
    EXPECT_NE(services_->messageBoxes[0].text.find("broken.dbl"), std::string::npos);
    ASSERT_EQ(services_->fileDialogs.size(), 2u);
    EXPECT_EQ(services_->fileDialogs[0].request.filter, "Fichier des lieux Horavel (*.dbl)|*.dbl||");
    EXPECT_EQ(services_->fileDialogs[0].request.initialName, "LIEUX.DBL");

    services_->QueueOpenFile(other);
    dialog.OnLoadBase();
    EXPECT_EQ(doc_->GetLocationsFilePath(), other);
    EXPECT_EQ(GetProfile().GetString("Options\\General", "NomFichierLieux", ""), other.string());
    EXPECT_EQ(List().size(), 3u);
    EXPECT_NE(Record("MOULIN"), nullptr);
    EXPECT_EQ(Record("PARIS"), nullptr);
    EXPECT_EQ(dialog.m_baseCount, 3);
    // France still has a record (the user's), so it stays the listed country.
    EXPECT_EQ(ComboText(dialog), "FRANCE");
    EXPECT_EQ(ListedNames(dialog), (std::vector<std::string>{"MOULIN"}));
    EXPECT_EQ(dialog.m_chosen, Record("MOULIN"));
    EXPECT_NE(dialog.GetDlgItemText(1136).find("Autre Base.DBL"), std::string::npos);
    // The document's current location is its own copy.
    ASSERT_NE(doc_->GetLocation(), nullptr);
    EXPECT_EQ(doc_->GetLocation()->name, "PARIS");
}

TEST_F(LocationDialogs, OkRemembersTheCountryAndChoosesTheSelection)
{
    services_->SetDialogScript(CDlgBaseLieux::kTemplateId, [](ModalDialog& d) {
        auto& dialog = dynamic_cast<CDlgBaseLieux&>(d);
        EXPECT_TRUE(dialog.Create());
        ChooseCountry(dialog, "NIGERIA");
        dialog.OnOK();
        return dialog.GetDialogResult();
    });
    const CDataBaseElement* chosen = ChooseLocationFromBase(doc_->GetLocation());
    EXPECT_EQ(chosen, Record("LAGOS"));
    EXPECT_EQ(GetProfile().GetString("Dialogues\\Base", "Pays", "?"), "NIGERIA");

    services_->SetDialogScript(CDlgBaseLieux::kTemplateId, [](ModalDialog& d) {
        auto& dialog = dynamic_cast<CDlgBaseLieux&>(d);
        EXPECT_TRUE(dialog.Create());
        ChooseCountry(dialog, "TOUS LES PAYS");
        dialog.OnOK();
        return dialog.GetDialogResult();
    });
    EXPECT_EQ(ChooseLocationFromBase(nullptr), Record("BESANÇON"));
    EXPECT_EQ(GetProfile().GetString("Dialogues\\Base", "Pays", "?"), "");

    services_->SetDialogScript(CDlgBaseLieux::kTemplateId, [](ModalDialog&) { return IDCANCEL; });
    EXPECT_EQ(ChooseLocationFromBase(Record("PARIS")), nullptr);
}

// ------------------------------------------------------------------ map

TEST_F(LocationDialogs, TheMapMarksTheChosenPlaceAndNamesIt)
{
    CDlgCarte map(nullptr, &List());
    map.m_location = Record("PARIS");
    ASSERT_TRUE(map.Create());
    EXPECT_EQ(map.GetTitle(), "Carte");
    EXPECT_EQ(map.GetDlgItemText(IDOK), "Fermer");
    EXPECT_EQ(map.GetDlgItemText(1051), "PARIS (48° 52' Nord, 2° 20' Est)");
    ASSERT_NE(map.GetMap(), nullptr);
    int width = 0, height = 0;
    ASSERT_TRUE(map.GetMap()->GetBitmapSize(width, height));
    EXPECT_EQ(width, 557);
    EXPECT_EQ(height, 596);
    EXPECT_EQ(GetControlId(*map.GetMap()), CDlgCarte::kMapControlId);

    const QImage picture = map.GetMap()->Bitmap().toImage();
    const gdi::Point paris = MapPixel(Record("PARIS")->latitude, Record("PARIS")->longitude, width, height);
    const gdi::Point besancon = MapPixel(Record("BESANÇON")->latitude, Record("BESANÇON")->longitude, width, height);
    EXPECT_EQ(picture.pixelColor(paris.x, paris.y), QColor(0, 0, 255));
    EXPECT_EQ(picture.pixelColor(paris.x + 2, paris.y + 2), QColor(255, 255, 0));
    EXPECT_EQ(picture.pixelColor(besancon.x + 2, besancon.y), QColor(0, 0, 255));
    EXPECT_NE(picture.pixelColor(besancon.x + 2, besancon.y + 2), QColor(255, 255, 0));
    if (const char* out = std::getenv("HORAVEL_SCREENSHOTS"))
        map.grab().save(QString::fromUtf8(out) + "/map.png");

    // "Voir..." of the database opens the map on the selection.
    std::string caption;
    services_->SetDialogScript(CDlgCarte::kTemplateId, [&caption](ModalDialog& d) {
        auto& shown = dynamic_cast<CDlgCarte&>(d);
        EXPECT_TRUE(shown.Create());
        caption = shown.m_caption;
        return IDOK;
    });
    CDlgBaseLieux dialog(*doc_);
    dialog.m_chosen = Record("BESANÇON");
    ASSERT_TRUE(dialog.Create());
    dialog.Control<QPushButton>(1056)->click();
    EXPECT_EQ(caption, "BESANÇON (47° 15' Nord, 6° 02' Est)");
}

}  // namespace
