// The view's commands run through a router as the menus run them: drawing options on the
// dial or on the defaults of new dials, steps and style shapes, page frames, the dialogs
// they open, the help items, and the live shadow with its clock and timers, checked against
// python3-ephem at instants on the clocks of Paris and New York.
#include "DocTestSupport.h"
#include "ViewTestSupport.h"
#include "model/DialTestDials.h"

#include "app/Accessors.h"
#include "app/CHoravelApp.h"
#include "app/Trace.h"
#include "docview/CHoravelView.h"
#include "docview/CObjetBitmap.h"
#include "docview/CObjetTexte.h"
#include "docview/ColorTable.h"
#include "docview/ViewWindow.h"
#include "model/Astronomy.h"
#include "platform/FakeServices.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

class RecordingClock : public ClockWindow {
public:
    explicit RecordingClock(int* alive) : alive_(alive) { ++*alive_; }
    ~RecordingClock() override { --*alive_; }
    void Show() override { ++shows; }
    void SetTimes(const std::string& legal, const std::string& solar) override
    {
        legalTime = legal;
        solarTime = solar;
        ++updates;
    }
    int shows = 0;
    int updates = 0;
    std::string legalTime;
    std::string solarTime;

private:
    int* alive_;
};

class ViewCommands : public ViewFixture<> {
protected:
    CommandRouter Router() { return CommandRouter::Fixed({&View().Commands()}); }

    CCadran& PutDial(double latitude = 47.24, double longitudeWest = -6.02, double zone = 1.0)
    {
        auto dial = dialtest::MakeDial<dialtest::HorizontalDial>(latitude, longitudeWest, zone, 2024, 0.0, 200, 200);
        CCadran& ref = *dial;
        Doc().SetDial(std::move(dial));
        Doc().SetModifiedFlag(false);
        window_.invalidations = window_.erasingInvalidations = 0;
        return ref;
    }

    // A frame of the dial, active when asked.
    template <class Frame>
    Frame& AddFrame(CCadran& dial, bool active)
    {
        auto frame = std::make_unique<Frame>();
        frame->SetPosition(40, 30, 140, 80);
        frame->active = active ? 1 : 0;
        Frame& ref = *frame;
        dial.frames.push_back(std::move(frame));
        return ref;
    }

    ScopedFakeTimers timers_;
};

// ---------------------------------------------------------------- drawing options

TEST_F(ViewCommands, SwitchesWithoutADialChangeTheDefaultsOfNewDialsOnly)
{
    const CommandRouter router = Router();
    View().GetDefaultPrefs().halfHourLines = 0;
    View().GetDefaultPrefs().quarterHourLines = 0;
    ASSERT_TRUE(router.Execute(32789));
    EXPECT_EQ(View().GetDefaultPrefs().quarterHourLines, 1);
    EXPECT_EQ(View().GetDefaultPrefs().halfHourLines, 1);
    EXPECT_EQ(window_.invalidations, 0);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_TRUE(router.Update(32789).IsChecked());
}

TEST_F(ViewCommands, SwitchesWithADialChangeItsPreferencesMarkTheDocumentAndRepaint)
{
    CCadran& dial = PutDial();
    dial.prefs.hourNumbers = 1;
    const CPrefs defaults = View().GetDefaultPrefs();
    const CommandRouter router = Router();

    ASSERT_TRUE(router.Update(32805).IsChecked());
    ASSERT_TRUE(router.Execute(32805));
    EXPECT_EQ(dial.prefs.hourNumbers, 0);
    EXPECT_FALSE(router.Update(32805).IsChecked());
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(window_.invalidations, 1);
    EXPECT_EQ(window_.erasingInvalidations, 0);
    // The defaults are not touched by a change made to the dial.
    EXPECT_EQ(View().GetDefaultPrefs().hourNumbers, defaults.hourNumbers);

    dial.prefs.halfHourLines = dial.prefs.quarterHourLines = dial.prefs.fiveMinuteLines = 1;
    ASSERT_TRUE(router.Execute(32790));
    EXPECT_EQ(dial.prefs.quarterHourLines + dial.prefs.fiveMinuteLines, 0);
}

TEST_F(ViewCommands, MenusFollowTheDialTheModeAndTheLines)
{
    CCadran& dial = PutDial();
    const CommandRouter router = Router();
    EXPECT_TRUE(router.Update(32790).IsEnabled());
    dial.prefs.horizontalLines = 1;
    EXPECT_FALSE(router.Update(32790).IsEnabled());
    EXPECT_TRUE(router.Update(32946).IsEnabled());
    View().SetDisplayMode(13);
    EXPECT_FALSE(router.Update(32946).IsEnabled());
    EXPECT_FALSE(router.Update(32805).IsEnabled());
}

TEST_F(ViewCommands, StepsAndStyleShapesAreCheckedOnTheirValue)
{
    CCadran& dial = PutDial();
    dial.prefs.horizontalLines = 1;
    const CommandRouter router = Router();
    ASSERT_TRUE(router.Execute(32947));
    EXPECT_EQ(dial.prefs.azimuthStep, 30);
    EXPECT_TRUE(router.Update(32947).IsChecked());
    EXPECT_FALSE(router.Update(32946).IsChecked());
    ASSERT_TRUE(router.Execute(32949));
    EXPECT_EQ(dial.prefs.altitudeStep, 1);
    EXPECT_EQ(dial.prefs.azimuthStep, 30);

    ASSERT_TRUE(router.Execute(32959));
    EXPECT_EQ(dial.styleShape, 1);
    EXPECT_TRUE(router.Update(32959).IsChecked());
    EXPECT_FALSE(router.Update(32961).IsChecked());
    EXPECT_TRUE(Doc().IsModified());
}

TEST_F(ViewCommands, StyleShapeWithoutADialChangesNothing)
{
    const CommandRouter router = Router();
    EXPECT_FALSE(router.Update(32958).IsEnabled());
    router.Execute(32958);
    EXPECT_EQ(window_.invalidations, 0);
}

// ---------------------------------------------------------------------------- frames

TEST_F(ViewCommands, InsertedTextFrameIsAppendedAtTheAnchorWithRoomAroundItsText)
{
    CCadran& dial = PutDial();
    const CommandRouter router = Router();
    ASSERT_TRUE(router.Update(32900).IsEnabled());
    ASSERT_TRUE(router.Execute(32900));
    ASSERT_EQ(dial.frames.size(), 1u);
    const CObjetCadre& frame = *dial.frames[0];
    ASSERT_NE(dynamic_cast<const CObjetTexte*>(&frame), nullptr);
    const gdi::Size size = frame.GetDefaultSize();
    EXPECT_EQ(frame.x, 0);
    EXPECT_EQ(frame.y, 0);
    EXPECT_EQ(frame.width, size.cx + 20);
    EXPECT_EQ(frame.height, size.cy + 2);
    EXPECT_EQ(window_.erasingInvalidations, 1);
    EXPECT_TRUE(Doc().IsModified());
}

TEST_F(ViewCommands, FrameCommandsActOnTheActiveFrameOnly)
{
    CCadran& dial = PutDial();
    CObjetTexte& idle = AddFrame<CObjetTexte>(dial, false);
    const CommandRouter router = Router();
    EXPECT_FALSE(router.Update(32905).IsEnabled());
    router.Execute(32905);
    EXPECT_EQ(dial.frames.size(), 1u);

    CObjetTexte& active = AddFrame<CObjetTexte>(dial, true);
    active.text = "Carpe diem";
    // Duplicate: moved by (10, 10), the copy inactive, the original still the one acted on.
    ASSERT_TRUE(router.Execute(32957));
    ASSERT_EQ(dial.frames.size(), 3u);
    const auto* copy = dynamic_cast<const CObjetTexte*>(dial.frames[2].get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->text, "Carpe diem");
    EXPECT_EQ(copy->x, active.x + 10);
    EXPECT_EQ(copy->y, active.y + 10);
    EXPECT_EQ(copy->active, 0);

    // Layer: checked while below the lines.
    EXPECT_FALSE(router.Update(32911).IsChecked());
    ASSERT_TRUE(router.Execute(32911));
    EXPECT_EQ(active.layer, 0);
    EXPECT_TRUE(router.Update(32911).IsChecked());

    // A frame that may not be deleted stays.
    active.deletable = 0;
    EXPECT_FALSE(router.Update(32905).IsEnabled());
    active.deletable = 1;
    ASSERT_TRUE(router.Execute(32905));
    ASSERT_EQ(dial.frames.size(), 2u);
    EXPECT_EQ(dial.frames[0].get(), &idle);
}

TEST_F(ViewCommands, PictureSizeCommandsKeepTheProportionsOfItsDefaultSize)
{
    CCadran& dial = PutDial();
    CObjetCadre& frame = AddFrame<CObjetCadre>(dial, true);  // default size 100 x 50
    const CommandRouter router = Router();
    frame.width = 333;
    frame.height = 77;
    ASSERT_TRUE(router.Execute(32909));  // width from the height
    EXPECT_EQ(frame.width, 154);
    frame.width = 101;
    ASSERT_TRUE(router.Execute(32912));  // height from the width, truncated
    EXPECT_EQ(frame.height, 50);
    frame.width = 7;
    ASSERT_TRUE(router.Execute(32910));
    EXPECT_EQ(frame.width, 100);
    EXPECT_EQ(frame.height, 50);
    EXPECT_EQ(frame.x, 40);
}

TEST_F(ViewCommands, AnchoringGoesThroughItsDialogAndIsOfferedOnlyWithIt)
{
    CCadran& dial = PutDial();
    CObjetCadre& frame = AddFrame<CObjetCadre>(dial, true);
    EXPECT_FALSE(Router().HasHandler(32908));

    std::vector<int> opened;
    ViewDialogs dialogs;
    dialogs.frameAnchoring = [&](int& anchoring) {
        opened.push_back(anchoring);
        anchoring = CObjetCadre::kAnchorScreen;
        return true;
    };
    View().SetDialogs(std::move(dialogs));
    const CommandRouter router = Router();
    ASSERT_TRUE(router.Update(32908).IsEnabled());
    ASSERT_TRUE(router.Execute(32908));
    EXPECT_EQ(opened, std::vector<int>{CObjetCadre::kAnchorFollowDial});
    EXPECT_EQ(frame.anchoring, CObjetCadre::kAnchorScreen);
    EXPECT_TRUE(Doc().IsModified());
}

// ------------------------------------------------------------------------- dialogs

TEST_F(ViewCommands, ChosenLocationIsTheDocumentsOwnCopyAndCancelKeepsTheOldOne)
{
    PutDial();
    auto record = std::make_unique<CDataBaseElement>();
    record->name = "Quimper";
    record->latitude = 47.99;
    record->longitude = 4.1;
    record->zone = 1.0;
    std::unique_ptr<CDataBaseElement> answer = std::move(record);
    const CDataBaseElement* offered = nullptr;
    bool cancel = false;
    ViewDialogs dialogs;
    dialogs.chooseLocation = [&](const CDataBaseElement* current) -> const CDataBaseElement* {
        offered = current;
        return cancel ? nullptr : answer.get();
    };
    View().SetDialogs(std::move(dialogs));
    const CommandRouter router = Router();

    const CDataBaseElement* before = Doc().GetLocation();
    ASSERT_TRUE(router.Execute(32938));
    EXPECT_EQ(offered, before);
    ASSERT_NE(Doc().GetLocation(), nullptr);
    EXPECT_EQ(Doc().GetLocation()->name, "Quimper");
    EXPECT_NE(Doc().GetLocation(), answer.get());
    // The dialog's record may go away; the document's location does not.
    answer.reset();
    EXPECT_EQ(Doc().GetLocation()->name, "Quimper");

    cancel = true;
    ASSERT_TRUE(router.Execute(32772));
    EXPECT_EQ(Doc().GetLocation()->name, "Quimper");
}

TEST_F(ViewCommands, HorizonMaskSwitchesToTheSunPathGraphFirst)
{
    PutDial();
    int runs = 0;
    int modeSeen = 0;
    ViewDialogs dialogs;
    dialogs.horizonMask = [&](CHoravelDoc&) {
        ++runs;
        modeSeen = View().GetDisplayMode();
        return true;
    };
    View().SetDialogs(std::move(dialogs));
    ASSERT_TRUE(Router().Execute(32982));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(modeSeen, 15);
}

TEST_F(ViewCommands, HelpItemsOpenTheTraceFileTheSiteAndAMailWithTheVersion)
{
    const CommandRouter router = Router();
    ASSERT_TRUE(router.Execute(32885));
    ASSERT_TRUE(router.Execute(32886));
    ASSERT_TRUE(router.Execute(32985));
    ASSERT_EQ(services_->shellOpens.size(), 3u);
    EXPECT_EQ(services_->shellOpens[0].target, CHoravelApp::kMakerWebSite);
    const std::string& mail = services_->shellOpens[1].target;
    EXPECT_EQ(mail.rfind(std::string("mailto:") + CHoravelApp::kMakerSupportAddress + "?subject=[Horavel%20", 0), 0u) << mail;
    EXPECT_EQ(mail.back(), ']');
    EXPECT_EQ(mail.find(' '), std::string::npos) << mail;
    EXPECT_NE(services_->shellOpens[2].target.find("HoravelTraces.txt"), std::string::npos);
    EXPECT_FALSE(router.Update(32922).IsEnabled());
}

TEST_F(ViewCommands, WithoutAnOpenerTheTraceFileShowsInTheProgramAndTheAddressesCanBeCopied)
{
    testsupport::WriteFileBytes(TraceFilePath(), "12:00:00  Initialisation Phase Complete.\n");
    services_->SetShellOpenFolders({dir_ / "data"});
    services_->SetDesktopOpensFiles(false);
    services_->SetDesktopOpensAddresses(false);
    const CommandRouter router = Router();
    ASSERT_TRUE(router.Execute(32985));
    EXPECT_EQ(services_->helpPagesShown, std::vector<std::filesystem::path>{TraceFilePath()});
    EXPECT_TRUE(services_->messageBoxes.empty());

    ASSERT_TRUE(router.Execute(32885));
    ASSERT_TRUE(router.Execute(32886));
    ASSERT_EQ(services_->messageBoxes.size(), 2u);
    EXPECT_NE(services_->messageBoxes[0].text.find(CHoravelApp::kMakerWebSite), std::string::npos);
    // The address to write to, not the link that no program took.
    EXPECT_NE(services_->messageBoxes[1].text.find(CHoravelApp::kMakerSupportAddress), std::string::npos);
    EXPECT_EQ(services_->messageBoxes[1].text.find("mailto:"), std::string::npos);
}

// ---------------------------------------------------------------------- live shadow

struct ShadowCase {
    std::string name;
    std::int64_t unixSeconds = 0;
    double latitude = 0, longitudeWest = 0, zone = 0;
    std::string local;  // "2024-07-04 10:00:00"
    double azimuthDeg = 0, altitudeDeg = 0;
};

double ToDouble(const std::string& text)
{
    double v = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

std::vector<ShadowCase> ReadShadowCases()
{
    std::ifstream in(testsupport::DataDir() / "astro" / "live_shadow.csv");
    std::vector<ShadowCase> cases;
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        std::stringstream fields(line);
        for (std::string cell; std::getline(fields, cell, ',');)
            f.push_back(cell);
        if (f.size() != 8)
            continue;
        ShadowCase c;
        c.name = f[0];
        std::from_chars(f[1].data(), f[1].data() + f[1].size(), c.unixSeconds);
        c.latitude = ToDouble(f[2]);
        c.longitudeWest = ToDouble(f[3]);
        c.zone = ToDouble(f[4]);
        c.local = f[5];
        c.azimuthDeg = ToDouble(f[6]);
        c.altitudeDeg = ToDouble(f[7]);
        cases.push_back(c);
    }
    return cases;
}

// New York: standard offset -5 h, summer time from 10 March to 3 November 2024.
FakeZone NewYork2024()
{
    FakeZone zone;
    zone.id = "America/New_York";
    zone.standardOffsetSeconds = -5 * 3600;
    zone.daylightOffsetSeconds = 3600;
    zone.daylightPeriods = {{1710054000, 1730613600}};  // 2024-03-10 07:00 UTC .. 2024-11-03 06:00 UTC
    return zone;
}

std::string LegalText(const std::string& local)
{
    // "YYYY-MM-DD hh:mm:ss" -> "hh h mm min ss s"
    return local.substr(11, 2) + " h " + local.substr(14, 2) + " min " + local.substr(17, 2) + " s";
}

TEST_F(ViewCommands, LiveShadowFollowsTheSunOnTheLocalClocksOfParisAndNewYork)
{
    const std::vector<ShadowCase> cases = ReadShadowCases();
    ASSERT_EQ(cases.size(), 7u);
    constexpr double kDeg = 180.0 / 3.14159265358979323846;
    double worstAz = 0.0, worstAlt = 0.0;
    for (const ShadowCase& c : cases) {
        SCOPED_TRACE(c.name);
        services_->SetZone(c.zone < 0 ? NewYork2024() : FakeZone::European("Europe/Paris", 3600, 2024, 2024));
        services_->SetNowMs(c.unixSeconds * 1000);
        CCadran& dial = PutDial(c.latitude, c.longitudeWest, c.zone);
        // Something else computed elsewhere since: the step works on the dial's place.
        SetAstroSite(-33.9, -151.2, 10.0);
        dial.castShadow = 1;
        View().UpdateLiveShadow();
        ASSERT_EQ(dial.castShadow, 1);
        const double az = dial.shadowAzimuth * kDeg;
        const double alt = dial.shadowAltitude * kDeg;
        EXPECT_NEAR(az, c.azimuthDeg, 0.05);
        EXPECT_NEAR(alt, c.altitudeDeg, 0.05);
        worstAz = std::max(worstAz, std::fabs(az - c.azimuthDeg));
        worstAlt = std::max(worstAlt, std::fabs(alt - c.altitudeDeg));
    }
    RecordProperty("worst_azimuth_error_deg", std::to_string(worstAz));
    RecordProperty("worst_altitude_error_deg", std::to_string(worstAlt));
    std::cout << "live shadow: worst azimuth error " << worstAz << " deg, altitude " << worstAlt << " deg\n";
}

TEST_F(ViewCommands, LiveShadowRunsItsClockAndTimerUntilTurnedOff)
{
    const std::vector<ShadowCase> cases = ReadShadowCases();
    const ShadowCase& nySummer = cases.at(5);
    ASSERT_EQ(nySummer.name, "New York summer");
    services_->SetZone(NewYork2024());
    services_->SetNowMs(nySummer.unixSeconds * 1000);
    CCadran& dial = PutDial(nySummer.latitude, nySummer.longitudeWest, nySummer.zone);

    int clocksAlive = 0;
    RecordingClock* clock = nullptr;
    bool animationOpened = false;
    std::function<void()> closeClock;
    ViewDialogs dialogs;
    dialogs.makeClock = [&](std::function<void()> onClose) -> std::unique_ptr<ClockWindow> {
        auto made = std::make_unique<RecordingClock>(&clocksAlive);
        clock = made.get();
        closeClock = std::move(onClose);
        return made;
    };
    struct Animation : ModelessWindow {
        void Show() override {}
    };
    dialogs.makeShadowAnimation = [&]() -> std::unique_ptr<ModelessWindow> {
        animationOpened = true;
        return std::make_unique<Animation>();
    };
    View().SetDialogs(std::move(dialogs));
    const CommandRouter router = Router();

    ASSERT_TRUE(router.Update(32978).IsEnabled());
    ASSERT_TRUE(router.Execute(32978));
    EXPECT_EQ(dial.castShadow, 1);
    EXPECT_TRUE(router.Update(32978).IsChecked());
    ASSERT_NE(clock, nullptr);
    EXPECT_EQ(clock->shows, 1);
    // The legal time is New York's summer time, not its standard time.
    EXPECT_EQ(clock->legalTime, LegalText(nySummer.local));
    EXPECT_FALSE(clock->solarTime.empty());
    EXPECT_TRUE(timers_->IsRunning(View(), CHoravelView::kLiveShadowTimer));
    EXPECT_EQ(timers_->PeriodOf(View(), CHoravelView::kLiveShadowTimer), 1000);
    // The animation is not offered while the live shadow runs.
    EXPECT_FALSE(router.Update(32936).IsEnabled());

    // A minute later, the sun has moved west.
    const double azimuthBefore = dial.shadowAzimuth;
    services_->AdvanceClockMs(60'000);
    timers_->Advance(1000);
    EXPECT_GT(dial.shadowAzimuth, azimuthBefore);
    EXPECT_EQ(clock->legalTime, "10 h 01 min 00 s");
    EXPECT_GE(clock->updates, 2);

    // At night the shadow goes, but the clock keeps ticking.
    services_->AdvanceClockMs(14 * 3600 * 1000);
    timers_->Advance(1000);
    EXPECT_EQ(dial.castShadow, 0);
    EXPECT_TRUE(timers_->IsRunning(View(), CHoravelView::kLiveShadowTimer));
    const int updates = clock->updates;
    timers_->Advance(1000);
    EXPECT_GT(clock->updates, updates);

    // Closing the clock turns the shadow off and stops the timer.
    services_->SetNowMs(nySummer.unixSeconds * 1000);
    dial.castShadow = 1;
    closeClock();
    EXPECT_EQ(dial.castShadow, 0);
    EXPECT_FALSE(timers_->IsRunning(View(), CHoravelView::kLiveShadowTimer));

    // On again, then off from the menu: the clock goes with it.
    ASSERT_TRUE(router.Execute(32978));
    EXPECT_EQ(clocksAlive, 1);
    ASSERT_TRUE(router.Execute(32978));
    EXPECT_EQ(dial.castShadow, 0);
    EXPECT_EQ(clocksAlive, 0);
    EXPECT_FALSE(timers_->IsRunning(View(), CHoravelView::kLiveShadowTimer));

    // The animation replaces a running live shadow.
    ASSERT_TRUE(router.Execute(32978));
    ASSERT_TRUE(router.Execute(32936));
    EXPECT_TRUE(animationOpened);
    EXPECT_EQ(clocksAlive, 0);
    EXPECT_FALSE(timers_->IsRunning(View(), CHoravelView::kLiveShadowTimer));
    EXPECT_TRUE(router.Update(32936).IsChecked());
    EXPECT_FALSE(router.Update(32978).IsChecked());
    EXPECT_FALSE(router.Update(32978).IsEnabled());
}

TEST_F(ViewCommands, EphemerisTimerStopsWhenAnotherPageIsShown)
{
    View().SetDisplayMode(CHoravelView::kEphemerides);
    View().SetTimer(CHoravelView::kEphemerisTimer, CHoravelView::kTimerPeriodMs);
    timers_->Advance(1000);
    EXPECT_TRUE(timers_->IsRunning(View(), CHoravelView::kEphemerisTimer));
    const int repaints = window_.invalidations;
    EXPECT_GT(repaints, 0);
    View().SetDisplayMode(1);
    timers_->Advance(1000);
    EXPECT_FALSE(timers_->IsRunning(View(), CHoravelView::kEphemerisTimer));
}

}  // namespace
