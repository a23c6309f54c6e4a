// File > New around the creation wizard: the old dial set aside and given back on Cancel,
// the new dial placed at the current location with its tables, the view's defaults (not for
// cylinders), and the document's title.
#include "app/Accessors.h"
#include "dialogs/DialTypeChoices.h"
#include "dialogs/NewDialCommand.h"
#include "docview/CHoravelDoc.h"
#include "model/Astronomy.h"
#include "model/CCadran.h"
#include "model/CCadranHorizontal.h"
#include "platform/FakeServices.h"
#include "platform/Paths.h"
#include "platform/Profile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

namespace {

constexpr double kRad = std::numbers::pi / 180.0;

class NewDialTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetProfile(std::make_unique<MemoryProfile>());
        std::filesystem::create_directories(dir_ / "data");
        paths::SetDataFolder(dir_ / "data");
        GetAppContext() = AppContext{};
        testsupport::WriteFileBytes(dir_ / "lieux.dbl", "$VERSION 6\n$NBRECORDS 2\n"
                                                        "BESANÇON DOUBS FRANCE 47 15 N 6 2 E 1 1\n"
                                                        "LE$CAP ? AFRIQUE$DU$SUD 33 55 S 18 25 E 2 1\n"
                                                        "$END\n");
        GetProfile().WriteString("Options\\General", "NomFichierLieux", (dir_ / "lieux.dbl").string());
        ResetAstroState();
        doc_ = std::make_unique<CHoravelDoc>();
        ASSERT_EQ(doc_->GetLocationList().size(), 2u);
        doc_->SetLocation(doc_->GetLocationList()[0].get());
    }
    void TearDown() override
    {
        doc_.reset();
        GetAppContext() = AppContext{};
        paths::SetDataFolder({});
        SetProfile(nullptr);
        ResetAstroState();
    }

    // Steps whose wizard stores dial (or nothing) and answers result; the view's defaults
    // are those given.
    FileNewSteps Steps(std::function<std::unique_ptr<CCadran>()> make, int result,
                       std::optional<NewDialDefaults> defaults = std::nullopt)
    {
        FileNewSteps steps;
        steps.runWizard = [this, make, result] {
            ++wizardRuns_;
            EXPECT_EQ(doc_->GetDial(), nullptr) << "the old dial is set aside while the wizard runs";
            if (make)
                InstallNewDial(*doc_, make());
            return result;
        };
        if (defaults)
            steps.viewDefaults = [defaults] { return defaults; };
        steps.showScaleDrawing = [this] { ++scaleDrawings_; };
        steps.relayout = [this] { ++relayouts_; };
        return steps;
    }

    testsupport::TempDir dir_;
    ScopedFakeServices services_;
    std::unique_ptr<CHoravelDoc> doc_;
    int wizardRuns_ = 0;
    int scaleDrawings_ = 0;
    int relayouts_ = 0;
};

}  // namespace

TEST_F(NewDialTest, FinishKeepsTheNewDialWithTheViewDefaultsAndTitlesTheDocument)
{
    doc_->SetDial(std::make_unique<CCadranHorizontal>());
    NewDialDefaults defaults;
    defaults.prefs.hourNumbers = 0;
    defaults.prefs.halfHourLines = 0;
    defaults.styleHeight = 33;
    defaults.width = 210;
    defaults.height = 150;

    PlaneDialChoice choice;
    choice.plane = kPlaneVertical;
    choice.declinationDegrees = 30;
    choice.side = kSideWest;
    const auto make = [&] { return BuildPlaneDial(choice, 47.25); };
    ASSERT_TRUE(RunFileNewWizard(*doc_, Steps(make, kWizardFinished, defaults)));

    const CCadran* dial = doc_->GetDial();
    ASSERT_NE(dial, nullptr);
    EXPECT_EQ(dial->typeCode, 5);
    EXPECT_EQ(dial->prefs.hourNumbers, 0);
    EXPECT_EQ(dial->prefs.halfHourLines, 0);
    EXPECT_EQ(dial->styleHeight, 33);
    EXPECT_EQ(dial->width, 210);
    EXPECT_EQ(dial->height, 150);
    // The anchor follows the new size: 58 % across (a wall declining 30 degrees west), 25 %
    // down.
    EXPECT_EQ(dial->anchorX, 121);
    EXPECT_EQ(dial->anchorY, 37);
    EXPECT_EQ(doc_->GetTitle(), "BESANÇON-Cadran solaire déclinant (alpha = 30° Ouest)");
    EXPECT_TRUE(doc_->IsModified());
    EXPECT_EQ(scaleDrawings_, 1);
    EXPECT_EQ(relayouts_, 1);
}

TEST_F(NewDialTest, CylindersKeepTheirOwnOptionsAndSheet)
{
    NewDialDefaults defaults;
    defaults.prefs.diurnalArcs = 1;
    defaults.width = 210;
    const auto make = [] { return BuildCylindricalDial(kCylinderArmillary, 47.25); };
    ASSERT_TRUE(RunFileNewWizard(*doc_, Steps(make, kWizardFinished, defaults)));
    const CCadran* dial = doc_->GetDial();
    EXPECT_EQ(dial->prefs.diurnalArcs, 0);
    EXPECT_EQ(dial->width, 354);
    EXPECT_EQ(doc_->GetTitle(), "BESANÇON-Couronne armillaire");
}

TEST_F(NewDialTest, CancelPutsTheOldDialBackAndDropsWhatThePagesStored)
{
    doc_->SetDial(std::make_unique<CCadranHorizontal>());
    CCadran* old = doc_->GetDial();
    doc_->SetTitle("ancien");
    const auto make = [] { return BuildCylindricalDial(kCylinderShepherd, 47.25); };
    EXPECT_FALSE(RunFileNewWizard(*doc_, Steps(make, IDCANCEL)));
    EXPECT_EQ(wizardRuns_, 1);
    EXPECT_EQ(doc_->GetDial(), old);
    EXPECT_EQ(doc_->GetTitle(), "ancien");
    EXPECT_FALSE(doc_->IsModified());
    EXPECT_EQ(scaleDrawings_, 0);
    EXPECT_EQ(relayouts_, 1);

    // After File > New the document was emptied first: Cancel leaves it empty.
    doc_->SetDial(nullptr);
    EXPECT_FALSE(RunFileNewWizard(*doc_, Steps(nullptr, IDCANCEL)));
    EXPECT_EQ(doc_->GetDial(), nullptr);
}

TEST_F(NewDialTest, FinishWithoutADialLeavesTheDocumentWithout)
{
    doc_->SetDial(std::make_unique<CCadranHorizontal>());
    EXPECT_FALSE(RunFileNewWizard(*doc_, Steps(nullptr, kWizardFinished)));
    EXPECT_EQ(doc_->GetDial(), nullptr);
    EXPECT_FALSE(doc_->IsModified());
}

TEST_F(NewDialTest, ANewDialStandsAtTheCurrentLocationWithFilledTables)
{
    // Cape Town: the southern hemisphere, east of Greenwich.
    doc_->SetLocation(doc_->GetLocationList()[1].get());
    SetAstroYear(2024);
    InstallNewDial(*doc_, BuildPlaneDial(PlaneDialChoice{}, -33.9167));
    const CCadran* dial = doc_->GetDial();
    ASSERT_NE(dial, nullptr);
    EXPECT_NEAR(dial->latitude, -(33.0 + 55.0 / 60.0), 1e-12);
    EXPECT_NEAR(dial->longitude, -(18.0 + 25.0 / 60.0), 1e-12);
    EXPECT_EQ(dial->referenceYear, 2024);
    EXPECT_EQ(dial->tablesValid, 1);
    EXPECT_EQ(dial->eqTableValid, 1);
    EXPECT_EQ(dial->dateTableValid, 1);
    EXPECT_EQ(dial->longitudeTableValid, 1);

    // Local solar noon of 21 June (row 34) and 21 December (row 70): the sun culminates in
    // the north at 90 - 33.92 - 23.44 and 90 - 33.92 + 23.44 degrees.
    const int noon = 12 * 12;
    EXPECT_NEAR(dial->altitudeByDate[CCadran::DateRow(6, 21)][noon] / kRad, 32.64, 0.3);
    EXPECT_NEAR(dial->altitudeByDate[CCadran::DateRow(12, 21)][noon] / kRad, 79.52, 0.3);
    // Ecliptic longitude 90 degrees (row 9): the June solstice again.
    EXPECT_NEAR(dial->altitudeByLongitude[9][noon] / kRad, 32.64, 0.3);
    // Every entry of the tables was computed (none left at zero across a whole row).
    for (int row = 0; row < CCadran::kDateRows; ++row)
        EXPECT_NE(dial->altitudeByDate[row][0], 0.0) << row;

    // A second dial replaces the first.
    InstallNewDial(*doc_, BuildCylindricalDial(kCylinderShepherd, -33.9167));
    EXPECT_EQ(doc_->GetDial()->typeCode, 33);
    EXPECT_EQ(ComputeDialTables(*doc_), 1);
    doc_->SetDial(nullptr);
    EXPECT_EQ(ComputeDialTables(*doc_), 0);
}
