// The view's commands beyond the display modes, zoom and printing: the drawing options of
// the dial (or of new dials), the style's shape, the page frames, the dialogs that edit the
// document, the live shadow and its clock, the ephemerides that follow the clock, and the
// help items. Their enable rules and the switches' couplings are the tables of
// ViewCommandRules.
#include "docview/CHoravelView.h"

#include "app/Accessors.h"
#include "app/CHoravelApp.h"
#include "app/HelpEntry.h"
#include "app/HelpPages.h"
#include "app/Trace.h"
#include "docview/CHoravelDoc.h"
#include "docview/CObjetBitmap.h"
#include "docview/CObjetTexte.h"
#include "docview/FrameMenus.h"
#include "docview/LiveShadow.h"
#include "model/Astronomy.h"
#include "model/CCadran.h"
#include "model/Rounding.h"
#include "platform/Services.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

namespace {

constexpr int kFirstStyleShape = 32958;
constexpr int kLastStyleShape = 32961;
constexpr int kInsertTextFrame = 32900;
constexpr int kInsertPictureFrame = 32902;
constexpr int kReferenceLocation = 32938;
constexpr int kLocationsBase = 32772;
constexpr int kHorizonMask = 32982;
constexpr int kEphemerisDate = 32883;
constexpr int kDecimalConversion = 32977;
constexpr int kView3D = 32990;
constexpr int kShowTraceFile = 32985;
constexpr int kFaq = 32983;
constexpr int kFaqHelpId = 32975;
constexpr int kWebSite = 32885;
constexpr int kMailAuthor = 32886;
constexpr int kAzimuthAltitudeGraph = 15;

// A new frame is this much wider and taller than its contents.
constexpr int kFrameExtraWidth = 20;
constexpr int kFrameExtraHeight = 2;
// How far a duplicate lands from its original.
constexpr int kDuplicateOffset = 10;

// Frame arithmetic stays inside int whatever sizes a file brought.
int ClampToInt(std::int64_t v)
{
    return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

int ScaledLength(int length, int numerator, int denominator)
{
    if (denominator == 0)
        return length;
    return ClampToInt(std::int64_t{length} * numerator / denominator);
}

std::string MailToAuthor()
{
    std::string version = CHoravelApp::GetVersionString();
    std::string escaped;
    for (char c : version)
        escaped += c == ' ' ? std::string("%20") : std::string(1, c);
    return std::string("mailto:") + CHoravelApp::kMakerSupportAddress + "?subject=[Horavel%20" + escaped + "]";
}

}  // namespace

// --------------------------------------------------------------------------- state

CCadran* CHoravelView::Dial() const
{
    const CHoravelDoc* doc = GetDocument();
    return doc ? doc->GetDial() : nullptr;
}

CPrefs& CHoravelView::CurrentPrefs()
{
    CCadran* dial = Dial();
    return dial ? dial->prefs : defaultPrefs_;
}

const CPrefs& CHoravelView::CurrentPrefs() const
{
    const CCadran* dial = Dial();
    return dial ? dial->prefs : defaultPrefs_;
}

CObjetCadre* CHoravelView::ActiveFrame() const
{
    CCadran* dial = Dial();
    return dial ? dial->FindMarkedFrame(true) : nullptr;
}

viewcmd::CommandState CHoravelView::GetCommandState() const
{
    viewcmd::CommandState state;
    state.mode = mode_;
    state.noonMarkType = CurrentPrefs().noonMarkType;
    const CCadran* dial = Dial();
    if (!dial)
        return state;
    state.hasDial = true;
    state.typeCode = dial->typeCode;
    state.azAlt = dial->prefs.horizontalLines != 0;
    state.styleMarkingAllowed = dial->styleMarkingAllowed != 0;
    state.animation = dial->shadowAnimation != 0;
    state.liveShadow = dial->castShadow != 0 && !state.animation;
    if (const CObjetCadre* frame = ActiveFrame()) {
        state.activeFrame = true;
        state.frameDeletable = frame->deletable != 0;
        state.framePicture = dynamic_cast<const CObjetBitmap*>(frame) != nullptr;
    }
    return state;
}

void CHoravelView::DialChanged(bool erase)
{
    if (CHoravelDoc* doc = GetDocument())
        doc->SetModifiedFlag(true);
    Invalidate(erase);
}

// ------------------------------------------------------------------ update handlers

std::optional<bool> CHoravelView::CommandCheck(int id) const
{
    const CPrefs& prefs = CurrentPrefs();
    if (std::optional<bool> check = viewcmd::ToggleCheck(prefs, id))
        return check;
    if (const viewcmd::StepCommand* step = viewcmd::FindStepCommand(id))
        return prefs.*step->field == step->degrees;
    const CCadran* dial = Dial();
    if (std::optional<int> shape = viewcmd::StyleShapeOf(id))
        return dial && dial->styleShape == *shape;
    switch (id) {
    case viewcmd::kAnimationCommand: return dial && dial->castShadow && dial->shadowAnimation;
    case viewcmd::kLiveShadowCommand: return dial && dial->castShadow && !dial->shadowAnimation;
    case viewcmd::kParticularDatesCommand: return dial && dial->prefs.anniversaryDate != 0;
    case framecmd::kDrawBelow: {
        const CObjetCadre* frame = ActiveFrame();
        return frame && frame->layer == 0;
    }
    default: return std::nullopt;
    }
}

void CHoravelView::UpdateRuledCommand(CmdUI& ui) const
{
    // A rule that holds leaves the item to the router: enabled when a target can run it.
    if (!viewcmd::IsEnabled(ui.Id(), GetCommandState()))
        ui.Enable(false);
    if (std::optional<bool> check = CommandCheck(ui.Id()))
        ui.SetCheck(*check ? 1 : 0);
}

void CHoravelView::InstallUpdateHandlers()
{
    for (const viewcmd::EnableRule& rule : viewcmd::EnableRules())
        commands_.OnUpdate(rule.id, [this](CmdUI& ui) { UpdateRuledCommand(ui); });
}

// --------------------------------------------------------------------- drawing options

void CHoravelView::InstallDrawingCommands()
{
    for (const viewcmd::PrefToggle& toggle : viewcmd::PrefToggles()) {
        commands_.OnCommand(toggle.id, [this, id = toggle.id] {
            viewcmd::ApplyToggle(CurrentPrefs(), id);
            // Without a dial only the defaults of new dials change: nothing to repaint.
            if (Dial())
                DialChanged(false);
        });
    }
    for (const viewcmd::StepCommand& step : viewcmd::StepCommands()) {
        commands_.OnCommand(step.id, [this, &step] {
            CurrentPrefs().*step.field = step.degrees;
            if (Dial())
                DialChanged(false);
        });
    }
    commands_.OnCommandRange(kFirstStyleShape, kLastStyleShape, [this](int id) {
        CCadran* dial = Dial();
        if (!dial)
            return;
        dial->styleShape = *viewcmd::StyleShapeOf(id);
        // The shape is stored with the dial: a change must not be lost on closing.
        DialChanged(false);
    });
}

// --------------------------------------------------------------------------- frames

void CHoravelView::InsertFrame(std::unique_ptr<CObjetCadre> frame)
{
    CCadran* dial = Dial();
    if (!dial)
        return;
    // The frame is added whatever its editor answered, as an empty frame is still one the
    // user can edit later.
    frame->EditProperties();
    const gdi::Size size = frame->GetDefaultSize();
    frame->SetPosition(0, 0, ClampToInt(std::int64_t{size.cx} + kFrameExtraWidth),
                       ClampToInt(std::int64_t{size.cy} + kFrameExtraHeight));
    dial->frames.push_back(std::move(frame));
    DialChanged(true);
}

void CHoravelView::InstallFrameCommands()
{
    commands_.OnCommand(kInsertTextFrame, [this] { InsertFrame(std::make_unique<CObjetTexte>()); });
    commands_.OnCommand(kInsertPictureFrame, [this] { InsertFrame(std::make_unique<CObjetBitmap>()); });
    commands_.OnCommand(framecmd::kEditContents, [this] {
        if (CObjetCadre* frame = ActiveFrame(); frame && frame->EditProperties() != 0)
            DialChanged(false);
    });
    commands_.OnCommand(framecmd::kDelete, [this] {
        CCadran* dial = Dial();
        if (dial && dial->DeleteMarkedFrame(true))
            DialChanged(true);
    });
    commands_.OnCommand(framecmd::kDuplicate, [this] {
        CCadran* dial = Dial();
        CObjetCadre* frame = ActiveFrame();
        if (!frame || dynamic_cast<CObjetBitmap*>(frame))
            return;
        std::unique_ptr<CObjetCadre> copy = frame->Clone();
        copy->x = ClampToInt(std::int64_t{copy->x} + kDuplicateOffset);
        copy->y = ClampToInt(std::int64_t{copy->y} + kDuplicateOffset);
        // The original stays the one the commands act on.
        copy->active = 0;
        copy->selected = 0;
        dial->frames.push_back(std::move(copy));
        DialChanged(true);
    });
    commands_.OnCommand(framecmd::kOriginalSize, [this] {
        if (CObjetCadre* frame = ActiveFrame()) {
            const gdi::Size size = frame->GetDefaultSize();
            frame->width = size.cx;
            frame->height = size.cy;
            DialChanged(true);
        }
    });
    commands_.OnCommand(framecmd::kFitWidth, [this] {
        if (CObjetCadre* frame = ActiveFrame()) {
            const gdi::Size size = frame->GetDefaultSize();
            frame->width = ScaledLength(frame->height, size.cx, size.cy);
            DialChanged(true);
        }
    });
    commands_.OnCommand(framecmd::kFitHeight, [this] {
        if (CObjetCadre* frame = ActiveFrame()) {
            const gdi::Size size = frame->GetDefaultSize();
            frame->height = ScaledLength(frame->width, size.cy, size.cx);
            DialChanged(true);
        }
    });
    commands_.OnCommand(framecmd::kDrawBelow, [this] {
        if (CObjetCadre* frame = ActiveFrame()) {
            frame->layer = frame->layer != 0 ? 0 : 1;
            DialChanged(true);
        }
    });
}

// -------------------------------------------------------------------------- dialogs

void CHoravelView::SetDialogs(ViewDialogs dialogs)
{
    dialogs_ = std::move(dialogs);
    InstallDialogCommands();
}

void CHoravelView::ChooseLocation()
{
    CHoravelDoc* doc = GetDocument();
    if (!doc || !dialogs_.chooseLocation)
        return;
    // The document keeps its own copy, so a record deleted in the dialog is never left
    // behind as the current location, and Cancel keeps the location in use.
    if (const CDataBaseElement* chosen = dialogs_.chooseLocation(doc->GetLocation())) {
        doc->SetLocation(chosen);
        Invalidate(false);
    }
}

void CHoravelView::ChooseEphemerisDate()
{
    CHoravelDoc* doc = GetDocument();
    if (!doc || !dialogs_.ephemerisDate)
        return;
    if (mode_ != kEphemerides) {
        SetDisplayMode(kEphemerides);
        RecalcLayout(1);
    }
    CHoravelDoc::Ephemeris& ephemeris = doc->GetEphemeris();
    const int wasFixed = ephemeris.fixedDate;
    dialogs_.ephemerisDate(ephemeris);
    if (ephemeris.fixedDate == 0)
        SetTimer(kEphemerisTimer, kTimerPeriodMs);
    else if (wasFixed == 0)
        KillTimer(kEphemerisTimer);
    Invalidate(false);
}

void CHoravelView::InstallDialogCommands()
{
    // Dialogs may come after the first installation: a missing one leaves no handler.
    const auto install = [this](int id, bool available, CommandTable::Handler handler) {
        if (available)
            commands_.OnCommand(id, std::move(handler));
    };
    install(kReferenceLocation, bool(dialogs_.chooseLocation), [this] { ChooseLocation(); });
    install(kLocationsBase, bool(dialogs_.chooseLocation), [this] { ChooseLocation(); });
    install(kHorizonMask, bool(dialogs_.horizonMask), [this] {
        CHoravelDoc* doc = GetDocument();
        if (!doc)
            return;
        if (mode_ != kAzimuthAltitudeGraph) {
            SetDisplayMode(kAzimuthAltitudeGraph);
            RecalcLayout(1);
        }
        if (dialogs_.horizonMask && dialogs_.horizonMask(*doc))
            Invalidate(false);
    });
    install(kEphemerisDate, bool(dialogs_.ephemerisDate), [this] { ChooseEphemerisDate(); });
    install(framecmd::kEditAnchoring, bool(dialogs_.frameAnchoring), [this] {
        CObjetCadre* frame = ActiveFrame();
        if (!frame)
            return;
        int anchoring = frame->anchoring;
        if (dialogs_.frameAnchoring && dialogs_.frameAnchoring(anchoring) && anchoring != frame->anchoring) {
            frame->anchoring = anchoring;
            DialChanged(true);
        }
    });
    install(viewcmd::kAnimationCommand, bool(dialogs_.makeShadowAnimation), [this] { OpenShadowAnimation(); });
    install(kDecimalConversion, bool(dialogs_.decimalConversion), [this] {
        if (dialogs_.decimalConversion)
            dialogs_.decimalConversion();
    });
    install(kView3D, bool(dialogs_.view3D), [this] {
        if (dialogs_.view3D)
            dialogs_.view3D();
    });
    InstallOptionDialogCommands();
    // The live shadow works without its clock window; the window only shows the times.
    commands_.OnCommand(viewcmd::kLiveShadowCommand, [this] { ToggleLiveShadow(); });
}

// ---------------------------------------------------------------- the style's shadow

void CHoravelView::OpenShadowAnimation()
{
    animation_.reset();
    KillTimer(kLiveShadowTimer);
    // The clock belongs to the live shadow, which the animation replaces.
    clock_.reset();
    if (dialogs_.makeShadowAnimation)
        animation_ = dialogs_.makeShadowAnimation();
    CCadran* dial = Dial();
    if (!dial || !animation_)
        return;
    dial->castShadow = 1;
    dial->shadowAnimation = 1;
    animation_->Show();
}

void CHoravelView::ToggleLiveShadow()
{
    CCadran* dial = Dial();
    if (!dial)
        return;
    dial->castShadow = dial->castShadow != 0 ? 0 : 1;
    if (!dial->castShadow) {
        KillTimer(kLiveShadowTimer);
        clock_.reset();
        Invalidate(true);
        return;
    }
    clock_.reset();
    if (dialogs_.makeClock)
        clock_ = dialogs_.makeClock([this] { OnClockClosed(); });
    UpdateLiveShadow();
    if (clock_)
        clock_->Show();
    SetTimer(kLiveShadowTimer, kTimerPeriodMs);
    Invalidate(false);
}

void CHoravelView::OnClockClosed()
{
    if (CCadran* dial = Dial())
        dial->castShadow = 0;
    // Nothing is left to show the time in.
    KillTimer(kLiveShadowTimer);
    Invalidate(false);
}

void CHoravelView::UpdateLiveShadow()
{
    CCadran* dial = Dial();
    if (!dial)
        return;
    // Another place may have been computed since (a preview, a table): the dial's own.
    SetAstroSite(dial->latitude, dial->longitude, GetTimeZone());
    const Services& services = GetServices();
    const std::int64_t now = services.Now();
    const LiveShadowStep step = ComputeLiveShadow(now, services.ToLocal(now));
    if (clock_)
        clock_->SetTimes(step.legalTime, step.solarTime);
    if (dial->IsLit(step.azimuthRad, step.altitudeRad, true)) {
        dial->shadowAzimuth = step.azimuthRad;
        dial->shadowAltitude = step.altitudeRad;
    } else {
        dial->castShadow = 0;
    }
}

void CHoravelView::OnTimer(int id)
{
    if (id == kLiveShadowTimer) {
        UpdateLiveShadow();
        Invalidate(false);
    } else if (id == kEphemerisTimer) {
        if (mode_ != kEphemerides)
            KillTimer(kEphemerisTimer);
        Invalidate(false);
    }
}

// ----------------------------------------------------------------------------- help

void CHoravelView::InstallHelpCommands()
{
    // Without a program for them, the trace file is shown in the program's own window, and
    // the addresses are given to the user to copy.
    commands_.OnCommand(kShowTraceFile, [] {
        const std::filesystem::path file = TraceFilePath();
        if (!ShowLocalPage(file))
            ReportNoProgramFor(file.string(), file.string());
    });
    commands_.OnCommand(kFaq, [] { CallHelpEntry(kDialogHelpBase + kFaqHelpId, HELP_CONTEXT); });
    commands_.OnCommand(kWebSite, [] { OpenAddress(CHoravelApp::kMakerWebSite, CHoravelApp::kMakerWebSite); });
    commands_.OnCommand(kMailAuthor, [] { OpenAddress(MailToAuthor(), CHoravelApp::kMakerSupportAddress); });
}
