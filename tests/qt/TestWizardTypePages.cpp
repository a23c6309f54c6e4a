// The wizard's family page and the four family pages, driven through their widgets: the
// family pages come and go with the choice, and Finish builds, for every type offered, the
// right dial class with its type code, plane angles in radians, hours, site and tables.
#include "WizardTestSupport.h"

#include "app/CLanguageFile.h"
#include "app/HelpPages.h"
#include "app/ProfileValues.h"
#include "app/Translation.h"
#include "app/qt/DialogControls.h"
#include "dialogs/qt/COrientationPreview.h"
#include "dialogs/qt/CWizardCreationCadran.h"
#include "dialogs/qt/CWizardLieu.h"
#include "dialogs/qt/CWizardTypeBifilaire.h"
#include "dialogs/qt/CWizardTypeCadran.h"
#include "dialogs/qt/CWizardTypeCadranAnalemmatique.h"
#include "dialogs/qt/CWizardTypeCadranCylindrique.h"
#include "dialogs/qt/CWizardTypeCadranPlanAStylePolaire.h"
#include "model/CCadran.h"
#include "model/CCadranAnalemmatique.h"
#include "model/CCadranBifilaire.h"
#include "model/CCadranCylindrique.h"
#include "model/CCadranCylindriqueDeBerger.h"
#include "model/CCadranEquatorial.h"
#include "model/CCadranHorizontal.h"
#include "model/CCadranMeridional.h"
#include "model/CCadranOccidental.h"
#include "model/CCadranOriental.h"
#include "model/CCadranPlanQuelconque.h"
#include "model/CCadranPolaire.h"
#include "model/CCadranVerticalQcq.h"
#include "model/CCadranVerticalQcqSept.h"

#include <QImage>
#include <QLabel>
#include <QRadioButton>

#include <functional>
#include <numbers>
#include <typeindex>

using namespace wizardtest;

namespace {

constexpr double kRad = std::numbers::pi / 180.0;
constexpr double kBesancon = 47.25;

constexpr int kCylinderVerticalDecliningChoice = 2;

enum Family { kPlane = 0, kAnalemmatic = 1, kCylinder = 2, kBifilar = 3, kConical = 4 };
constexpr int kFamilyRadios[] = {1178, 1207, 1179, 1177, 1180};

class TypePagesTest : public WizardTest {
protected:
    void TearDown() override
    {
        wizard_.reset();
        WizardTest::TearDown();
    }
    // A new wizard on the location the registry names (BESANÇON by default), then the
    // family page, then Next to the family's page.
    CPropertyPageBase* OpenFamily(int family)
    {
        wizard_ = std::make_unique<CWizardCreationCadran>(*doc_);
        EXPECT_TRUE(wizard_->SetActivePage(0));
        wizard_->PressButton(PSBTN_NEXT);
        EXPECT_EQ(wizard_->GetActivePage(), &wizard_->TypePage());
        Click(wizard_->TypePage(), kFamilyRadios[family]);
        wizard_->PressButton(PSBTN_NEXT);
        return wizard_->GetActivePage();
    }

    std::unique_ptr<CWizardCreationCadran> wizard_;
};

struct DialCase {
    const char* name;
    int family;
    std::function<void(ControlHost&)> choose;
    std::type_index dialClass;
    int typeCode;
    double angle1Deg;
    double angle2Deg;
    int firstHour = 0;
    int lastHour = 24;
};

void Choose(ControlHost& page, std::initializer_list<int> clicks,
            std::initializer_list<std::pair<int, const char*>> typed = {})
{
    for (int id : clicks)
        Click(page, id);
    for (auto [id, text] : typed)
        Type(page, id, text);
}

}  // namespace

TEST_F(TypePagesTest, TheFamilyPageAddsTheChosenFamilysPageAndTakesItAwayAgain)
{
    CPropertyPageBase* page = OpenFamily(kAnalemmatic);
    EXPECT_EQ(page, &wizard_->AnalemmaticPage());
    EXPECT_EQ(wizard_->GetPageCount(), 3);
    EXPECT_EQ(wizard_->GetWizardButtons(), unsigned{PSWIZB_BACK | PSWIZB_FINISH});
    EXPECT_EQ(profile_->GetInt("Dialogues\\TypeCadran", "Type", -1), kAnalemmatic);
    EXPECT_NE(Traces(context_).find("Selected Type: 1"), std::string::npos);

    // Back and another family: only that family's page follows.
    wizard_->PressButton(PSBTN_BACK);
    EXPECT_EQ(wizard_->GetActivePage(), &wizard_->TypePage());
    EXPECT_EQ(wizard_->GetPageCount(), 2);
    EXPECT_TRUE(wizard_->TypePage().Control<QRadioButton>(1207)->isChecked());
    Click(wizard_->TypePage(), 1177);
    wizard_->PressButton(PSBTN_NEXT);
    EXPECT_EQ(wizard_->GetActivePage(), &wizard_->BifilarPage());
    EXPECT_EQ(wizard_->GetPageIndex(wizard_->AnalemmaticPage()), -1);

    // The conical family has no page: the wizard says so, stays where it is and builds
    // nothing.
    wizard_->PressButton(PSBTN_BACK);
    Click(wizard_->TypePage(), 1180);
    wizard_->PressButton(PSBTN_NEXT);
    ASSERT_EQ(fake_->messageBoxes.size(), 1u);
    EXPECT_EQ(fake_->messageBoxes[0].text, GetTranslatedString(61932));
    EXPECT_EQ(wizard_->GetActivePage(), &wizard_->TypePage());
    EXPECT_EQ(wizard_->GetPageCount(), 2);
    EXPECT_EQ(doc_->GetDial(), nullptr);
}

TEST_F(TypePagesTest, FinishBuildsEveryTypeOffered)
{
    const std::vector<DialCase> cases = {
        {"horizontal", kPlane, [](ControlHost& p) { Choose(p, {1178}); }, typeid(CCadranHorizontal), 1, 0, 0},
        {"facing the equator", kPlane, [](ControlHost& p) { Choose(p, {1049}); }, typeid(CCadranMeridional), 2, 0, 90},
        {"facing west", kPlane, [](ControlHost& p) { Choose(p, {1051}); }, typeid(CCadranOccidental), 4, 90, 90},
        {"facing east", kPlane, [](ControlHost& p) { Choose(p, {1052}); }, typeid(CCadranOriental), 3, -90, 90},
        {"declining preset", kPlane, [](ControlHost& p) { Choose(p, {1054, 1050}); }, typeid(CCadranVerticalQcq), 5,
         -45, 90},
        {"declining 89 59 west", kPlane,
         [](ControlHost& p) { Choose(p, {1054, 1072}, {{1031, "89"}, {1033, "59"}}); }, typeid(CCadranVerticalQcq), 5,
         89.0 + 59.0 / 60.0, 90},
        {"declining 90 0 west", kPlane, [](ControlHost& p) { Choose(p, {1054, 1072}, {{1031, "90"}}); },
         typeid(CCadranOccidental), 4, 90, 90},
        {"declining beyond 90", kPlane, [](ControlHost& p) { Choose(p, {1054, 1050}, {{1031, "95"}}); },
         typeid(CCadranVerticalQcqSept), 7, -95, 90},
        {"polar", kPlane, [](ControlHost& p) { Choose(p, {1053}); }, typeid(CCadranPolaire), 11, 0, kBesancon},
        {"equatorial upper", kPlane, [](ControlHost& p) { Choose(p, {1163}); }, typeid(CCadranEquatorial), 8, 0,
         kBesancon - 90},
        {"equatorial lower", kPlane, [](ControlHost& p) { Choose(p, {1028}); }, typeid(CCadranEquatorial), 9, 0,
         kBesancon + 90},
        {"inclined declining", kPlane,
         [](ControlHost& p) {
             Choose(p, {1212, 1072}, {{1031, "20"}, {1033, "30"}, {1032, "-20"}, {1034, "30"}});
         },
         typeid(CCadranPlanQuelconque), 6, 20.5, -20.5},
        {"noon mark", kPlane, [](ControlHost& p) { Choose(p, {1178, 1206}); }, typeid(CCadranHorizontal), 1, 0, 0, 11,
         13},
        {"analemmatic horizontal", kAnalemmatic, [](ControlHost& p) { Choose(p, {1178}); },
         typeid(CCadranAnalemmatique), 20, 0, 0},
        {"analemmatic vertical", kAnalemmatic, [](ControlHost& p) { Choose(p, {1179}); },
         typeid(CCadranAnalemmatique), 22, 0, 90},
        {"analemmatic inclined style", kAnalemmatic,
         [](ControlHost& p) { Choose(p, {1216, 1073}, {{1197, "10"}, {1198, "30"}}); },
         typeid(CCadranAnalemmatique), 21, 0, 0},
        {"analemmatic vertical declining", kAnalemmatic,
         [](ControlHost& p) { Choose(p, {1217, 1050}, {{1031, "20"}, {1033, "30"}}); },
         typeid(CCadranAnalemmatique), 22, -20.5, 90},
        {"armillary ring", kCylinder, [](ControlHost& p) { Choose(p, {1178}); }, typeid(CCadranCylindrique), 30, 0,
         kBesancon},
        {"polar half-cylinder", kCylinder, [](ControlHost& p) { Choose(p, {1179}); }, typeid(CCadranCylindrique), 31,
         0, kBesancon},
        {"shepherd's dial", kCylinder, [](ControlHost& p) { Choose(p, {1222}); }, typeid(CCadranCylindriqueDeBerger),
         33, 0, 90},
        {"bifilar horizontal", kBifilar, [](ControlHost& p) { Choose(p, {1178}, {{1354, "15"}, {1355, "30"}}); },
         typeid(CCadranBifilaire), 40, 0, 0},
    };
    for (const DialCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedMemoryProfile fresh;  // each case starts from the pages' defaults
        doc_->SetDial(nullptr);
        CPropertyPageBase* page = OpenFamily(c.family);
        ASSERT_NE(page, nullptr);
        c.choose(*page);
        wizard_->PressButton(PSBTN_FINISH);

        const CCadran* dial = doc_->GetDial();
        ASSERT_NE(dial, nullptr);
        EXPECT_EQ(std::type_index(typeid(*dial)), c.dialClass);
        EXPECT_EQ(dial->typeCode, c.typeCode);
        if (c.typeCode == 33) {
            // The shepherd's dial keeps the second angle as the number 90.
            EXPECT_EQ(dial->planeAngle2, 90.0);
        } else {
            EXPECT_NEAR(dial->planeAngle1, c.angle1Deg * kRad, 1e-12);
            EXPECT_NEAR(dial->planeAngle2, c.angle2Deg * kRad, 1e-12);
        }
        EXPECT_EQ(dial->firstHour, c.firstHour);
        EXPECT_EQ(dial->lastHour, c.lastHour);
        EXPECT_DOUBLE_EQ(dial->latitude, kBesancon);
        EXPECT_DOUBLE_EQ(dial->longitude, Record("BESANÇON")->longitude);
        EXPECT_EQ(dial->referenceYear, GetAstroYear());
        EXPECT_EQ(dial->tablesValid, 1);
        EXPECT_EQ(dial->longitudeTableValid, 1);
        EXPECT_NE(dial->altitudeByDate[34][144], 0.0);
    }
}

TEST_F(TypePagesTest, AnalemmaticAndBifilarFinishCarryTheirOwnAngles)
{
    OpenFamily(kAnalemmatic);
    Choose(wizard_->AnalemmaticPage(), {1216, 1073}, {{1197, "10"}, {1198, "30"}});
    wizard_->PressButton(PSBTN_FINISH);
    const auto* analemmatic = dynamic_cast<const CCadranAnalemmatique*>(doc_->GetDial());
    ASSERT_NE(analemmatic, nullptr);
    EXPECT_NEAR(analemmatic->styleAngle1, 30.0 * kRad, 1e-12);
    EXPECT_NEAR(analemmatic->styleAngle2, -10.0 * kRad, 1e-12);  // west is negative here
    EXPECT_NE(Traces(context_).find("Selected Analemmatic Sundial: 2"), std::string::npos);

    OpenFamily(kBifilar);
    Choose(wizard_->BifilarPage(), {1178}, {{1354, "15"}, {1355, "30"}});
    wizard_->PressButton(PSBTN_FINISH);
    const auto* bifilar = dynamic_cast<const CCadranBifilaire*>(doc_->GetDial());
    ASSERT_NE(bifilar, nullptr);
    EXPECT_EQ(bifilar->firstWireDistance, 15);
    EXPECT_EQ(bifilar->secondWireDistance, 30);
}

TEST_F(TypePagesTest, PlanePageCorrectsTypedAnglesAndShowsThemOnItsPreviews)
{
    auto& page = dynamic_cast<CWizardTypeCadranPlanAStylePolaire&>(*OpenFamily(kPlane));
    COrientationPreview* declination = page.DeclinationPreview();
    COrientationPreview* inclination = page.InclinationPreview();
    ASSERT_NE(declination, nullptr);
    ASSERT_NE(inclination, nullptr);
    EXPECT_EQ(declination->m_planView, 1);
    EXPECT_EQ(inclination->m_planView, 0);
    EXPECT_EQ(declination->m_north, 1);

    // Only the fields of the choice can be typed into.
    Click(page, 1178);
    EXPECT_FALSE(page.Control<QLineEdit>(1031)->isEnabled());
    EXPECT_FALSE(page.Control<QLineEdit>(1032)->isEnabled());
    Click(page, 1054);
    EXPECT_TRUE(page.Control<QRadioButton>(1176)->isChecked());
    EXPECT_TRUE(page.Control<QLineEdit>(1031)->isEnabled());
    EXPECT_FALSE(page.Control<QLineEdit>(1032)->isEnabled());
    EXPECT_EQ(page.GetDlgItemText(1031), "45");

    // A negative declination turns round to the other side; minutes stay below 60.
    Click(page, 1050);
    Type(page, 1031, "-");
    EXPECT_EQ(page.GetDlgItemText(1031), "-");  // not a number yet: left as typed
    Type(page, 1031, "-30");
    EXPECT_EQ(page.GetDlgItemText(1031), "30");
    EXPECT_TRUE(page.Control<QRadioButton>(1072)->isChecked());
    Type(page, 1033, "75");
    EXPECT_EQ(page.GetDlgItemText(1033), "59");
    EXPECT_NEAR(declination->m_angle, 30.0 + 59.0 / 60.0, 1e-12);
    Type(page, 1031, "200");
    EXPECT_EQ(page.GetDlgItemText(1031), "180");
    EXPECT_EQ(page.GetDlgItemText(1033), "0");

    // A negative inclination keeps its minutes on the same side.
    Click(page, 1212);
    EXPECT_TRUE(page.Control<QLineEdit>(1032)->isEnabled());
    Type(page, 1032, "-20");
    Type(page, 1034, "30");
    EXPECT_NEAR(inclination->m_angle, -20.5, 1e-12);

    // The previews are made once, however often the page is shown.
    wizard_->PressButton(PSBTN_BACK);
    wizard_->PressButton(PSBTN_NEXT);
    EXPECT_EQ(wizard_->GetActivePage(), &page);
    EXPECT_EQ(page.DeclinationPreview(), declination);
    EXPECT_EQ(page.InclinationPreview(), inclination);
    EXPECT_EQ(page.findChildren<COrientationPreview*>().size(), 2);
}

TEST_F(TypePagesTest, PlanePageRemembersItsChoicesAndPresetsTheAnglesOfTheLatitude)
{
    auto* page = OpenFamily(kPlane);
    Choose(*page, {1212, 1072}, {{1031, "20"}, {1033, "30"}, {1032, "-20"}, {1034, "30"}});
    wizard_->PressButton(PSBTN_FINISH);
    const char* section = "Dialogues\\TypePlanAStylePolaire";
    EXPECT_EQ(profile_->GetInt(section, "Type", -1), 5);
    EXPECT_EQ(profile_->GetInt(section, "Azimut", -1), 20);
    EXPECT_EQ(profile_->GetInt(section, "MnAzimut", -1), 30);
    EXPECT_EQ(profile_->GetInt(section, "Est", -1), 1);
    EXPECT_EQ(profile_->GetInt(section, "Inclinaison", -1), -20);
    EXPECT_EQ(profile_->GetInt(section, "MnInclinaison", -1), 30);
    EXPECT_NE(Traces(context_).find("Selected Plane Sundial: 5, (alpha = 20° 30', beta = -20° 30')"),
              std::string::npos);

    // A new wizard shows them again.
    auto& again = dynamic_cast<CWizardTypeCadranPlanAStylePolaire&>(*OpenFamily(kPlane));
    EXPECT_TRUE(again.Control<QRadioButton>(1212)->isChecked());
    EXPECT_EQ(again.GetDlgItemText(1032), "-20");
    EXPECT_EQ(again.GetDlgItemText(1034), "30");
    EXPECT_TRUE(again.Control<QRadioButton>(1072)->isChecked());

    // In the southern hemisphere the previews turn round and the polar plane takes the
    // latitude's size.
    profile_->WriteString("Dialogues\\Lieu", "Pays", "");
    profile_->WriteString("Dialogues\\Lieu", "Ville", "");
    auto created = std::make_unique<CDataBaseElement>();
    created->name = "AAA SUD";
    created->country = "CHILI";
    created->latitude = -33.5;
    created->longitude = 70.6;
    doc_->GetLocationList().push_back(std::move(created));
    auto& south = dynamic_cast<CWizardTypeCadranPlanAStylePolaire&>(*OpenFamily(kPlane));
    EXPECT_EQ(doc_->GetLocation()->name, "AAA SUD");
    EXPECT_EQ(south.DeclinationPreview()->m_north, 0);
    Click(south, 1053);
    EXPECT_EQ(south.GetDlgItemText(1032), "33");
    EXPECT_EQ(south.GetDlgItemText(1034), "30");
    Click(south, 1163);
    EXPECT_EQ(south.GetDlgItemText(1032), "-56");
    EXPECT_EQ(south.GetDlgItemText(1034), "30");
}

TEST_F(TypePagesTest, AnalemmaticStyleMayNotLieOnTheDial)
{
    auto* page = OpenFamily(kAnalemmatic);
    EXPECT_FALSE(page->Control<QLineEdit>(1198)->isEnabled());
    EXPECT_FALSE(page->Control<QLineEdit>(1031)->isEnabled());
    Choose(*page, {1216}, {{1198, "90"}});
    EXPECT_FALSE(page->Control<QLineEdit>(1031)->isEnabled());
    wizard_->PressButton(PSBTN_FINISH);
    EXPECT_EQ(doc_->GetDial(), nullptr);
    ASSERT_EQ(fake_->messageBoxes.size(), 1u);
    EXPECT_EQ(fake_->messageBoxes[0].text, "Veuillez entrer un nombre compris entre -89 et 89.");

    Type(*page, 1198, "-89");
    wizard_->PressButton(PSBTN_FINISH);
    ASSERT_NE(doc_->GetDial(), nullptr);
    EXPECT_NEAR(dynamic_cast<const CCadranAnalemmatique&>(*doc_->GetDial()).styleAngle1, -89.0 * kRad, 1e-12);

    // Clicking the vertical choice takes the style fields away again.
    Click(*page, 1179);
    EXPECT_FALSE(page->Control<QLineEdit>(1198)->isEnabled());
}

TEST_F(TypePagesTest, CylindricalChoicesWithoutADrawingCannotBeTaken)
{
    profile_->WriteInt("Dialogues\\TypeCylindrique", "Type", 2);
    WriteProfileDouble("Dialogues\\TypeCylindrique", "DeclinaisonStyle", 12.5);
    auto* page = OpenFamily(kCylinder);
    // Disabled on purpose, and they say why.
    for (int id : {1223, 1221}) {
        EXPECT_FALSE(page->Control<QRadioButton>(id)->isEnabled()) << id;
        EXPECT_EQ(page->Control<QRadioButton>(id)->toolTip().toStdString(), GetTranslatedString(61931)) << id;
    }
    EXPECT_TRUE(page->Control<QRadioButton>(1178)->toolTip().isEmpty());
    EXPECT_TRUE(page->Control<QRadioButton>(1178)->isChecked());
    EXPECT_FALSE(page->Control<QLineEdit>(1197)->isEnabled());
    EXPECT_EQ(page->GetDlgItemText(1197), "12.5");

    // Its settings come back in the next wizard.
    Choose(*page, {1222});
    wizard_->PressButton(PSBTN_FINISH);
    EXPECT_EQ(doc_->GetDial()->typeCode, 33);
    EXPECT_EQ(profile_->GetInt("Dialogues\\TypeCylindrique", "Type", -1), 3);
    EXPECT_EQ(GetProfileDouble("Dialogues\\TypeCylindrique", "DeclinaisonStyle", 0.0), 12.5);
    EXPECT_NE(Traces(context_).find("Selected Cylindric Sundial: 3"), std::string::npos);
    auto* again = OpenFamily(kCylinder);
    EXPECT_TRUE(again->Control<QRadioButton>(1222)->isChecked());

    // A choice forced past the disabled buttons still builds nothing.
    wizard_->CylindricalPage().m_choice = kCylinderVerticalDecliningChoice;
    wizard_->CylindricalPage().UpdateData(false);
    doc_->SetDial(nullptr);
    wizard_->PressButton(PSBTN_FINISH);
    EXPECT_EQ(doc_->GetDial(), nullptr);
}

TEST_F(TypePagesTest, BifilarPageRemembersItsValuesAndRefusesAWireOnTheTable)
{
    const char* section = "Dialogues\\TypeBifilaire";
    profile_->WriteInt(section, "Type", 1);
    profile_->WriteInt(section, "Azimut", 12);
    profile_->WriteInt(section, "MnAzimut", 5);
    profile_->WriteInt(section, "Est", 1);
    auto* page = OpenFamily(kBifilar);
    EXPECT_EQ(page->GetDlgItemText(1354), "10");
    EXPECT_EQ(page->GetDlgItemText(1355), "20");
    // The variants without a drawing are greyed out and say why, with the wall that only
    // they would use; the choice stored for one of them falls back to the one drawn.
    for (int id : {1179, 1356}) {
        EXPECT_FALSE(page->Control<QRadioButton>(id)->isEnabled()) << id;
        EXPECT_EQ(page->Control<QRadioButton>(id)->toolTip().toStdString(), GetTranslatedString(61931)) << id;
    }
    EXPECT_TRUE(page->Control<QRadioButton>(1178)->isChecked());
    EXPECT_FALSE(page->Control<QLineEdit>(1031)->isEnabled());
    EXPECT_FALSE(page->Control<QRadioButton>(1072)->isEnabled());

    Type(*page, 1354, "0");
    wizard_->PressButton(PSBTN_FINISH);
    EXPECT_EQ(doc_->GetDial(), nullptr);
    EXPECT_EQ(fake_->messageBoxes.size(), 1u);

    Type(*page, 1354, "25");
    wizard_->PressButton(PSBTN_FINISH);
    ASSERT_NE(doc_->GetDial(), nullptr);
    EXPECT_EQ(doc_->GetDial()->typeCode, 40);
    EXPECT_EQ(profile_->GetInt(section, "Type", -1), 0);
    EXPECT_EQ(profile_->GetInt(section, "HauteurFil1", -1), 25);
    EXPECT_EQ(profile_->GetInt(section, "HauteurFil2", -1), 20);
    EXPECT_EQ(profile_->GetInt(section, "Azimut", -1), 12);
    EXPECT_EQ(profile_->GetInt(section, "MnAzimut", -1), 5);
    EXPECT_EQ(profile_->GetInt(section, "Est", -1), 1);
    EXPECT_NE(Traces(context_).find("Selected Bifilar Sundial: 0"), std::string::npos);

    auto* again = OpenFamily(kBifilar);
    EXPECT_EQ(again->GetDlgItemText(1354), "25");
    EXPECT_TRUE(again->Control<QRadioButton>(1178)->isChecked());

    // A choice forced past the disabled buttons still builds nothing.
    wizard_->BifilarPage().m_choice = 2;
    wizard_->BifilarPage().UpdateData(false);
    doc_->SetDial(nullptr);
    wizard_->PressButton(PSBTN_FINISH);
    EXPECT_EQ(doc_->GetDial(), nullptr);
}

TEST_F(TypePagesTest, EveryPageShowsTheProgramLanguage)
{
    CLanguageFile file(testsupport::SourceDir() / "resources" / "data" / "horavel.lang");
    ASSERT_TRUE(file.Load());
    context_.UseLanguage(&file, 1);
    for (int family : {kPlane, kAnalemmatic, kCylinder, kBifilar}) {
        CPropertyPageBase* familyPage = OpenFamily(family);
        for (CPropertyPageBase* page : {static_cast<CPropertyPageBase*>(&wizard_->TypePage()), familyPage}) {
            const int id = page->GetTemplateId();
            SCOPED_TRACE(id);
            EXPECT_EQ(page->GetTitle(), file.GetDialogText(1, id, id));
            for (QWidget* control : ControlsOf(*page)) {
                const std::string english = file.GetDialogText(1, id, GetControlId(*control));
                if (!english.empty()) {
                    EXPECT_EQ(GetControlText(*control), english) << GetControlId(*control);
                }
            }
        }
    }
}

TEST_F(TypePagesTest, EveryPageHasAHelpPageAndAPictureOfItsOwn)
{
    std::vector<std::string> pages;
    SetHelpEntry([&](unsigned long data, unsigned) {
        pages.push_back(HelpPageOfKey(static_cast<int>(data - kDialogHelpBase)));
    });
    std::vector<QImage> pictures;
    for (int family : {kPlane, kAnalemmatic, kCylinder, kBifilar}) {
        CPropertyPageBase* page = OpenFamily(family);
        wizard_->HelpButton()->click();
        const QImage picture = page->Control<QLabel>(1131)->pixmap().toImage();
        EXPECT_FALSE(picture.isNull()) << family;
        for (const QImage& other : pictures)
            EXPECT_NE(picture, other) << family;
        pictures.push_back(picture);
    }
    wizard_->PressButton(PSBTN_BACK);
    wizard_->HelpButton()->click();
    wizard_->PressButton(PSBTN_BACK);
    wizard_->HelpButton()->click();
    EXPECT_EQ(pages, (std::vector<std::string>{"dlgWizType2.html", "dlgWizType3.html", "dlgWizType4.html",
                                               "dlgWizBifilar.html", "dlgWizType.html", "dlgWizLocation.html"}));
}
