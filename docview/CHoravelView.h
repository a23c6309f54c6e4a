#pragma once
// The view of the document: which of the twenty display modes is shown, the drawing of the
// current mode (the page dispatcher, the dial at scale, the sheet lines and the marks of a
// printed drawing), the layout of the drawing over printer sheets, the per-sheet placement
// when printing, the zoom, and the default drawing options of new dials.
//
// It draws through any gdi::DC and reaches its window through ViewWindow, so everything
// here runs without a display; the Qt widget (docview/qt/CHoravelViewWidget) paints it,
// scrolls it, prints and previews it. The renderers of the other modes are found in the
// page-renderer table (docview/PageRenderers.h) and reach the view through GetView().
#include "docview/ViewEditing.h"
#include "docview/ViewCommandRules.h"
#include "docview/ViewDialogs.h"
#include "docview/ViewLayout.h"
#include "model/CPrefs.h"
#include "platform/Commands.h"
#include "platform/Gdi.h"
#include "platform/Timers.h"

#include <memory>
#include <optional>
#include <vector>

class CCadran;
class CDrawingTools;
class CHoravelDoc;
class CObjetCadre;
class Profile;
class ViewWindow;

class CHoravelView : public TimerHost {
public:
    static constexpr int kModeCount = 20;
    static constexpr int kScaleDrawing = 1;
    static constexpr int kEphemerides = 13;
    static constexpr int kPrintCommand = 57607;
    static constexpr int kPrintPreviewCommand = 57609;
    // The live shadow's step, and the refresh of ephemerides that follow the clock.
    static constexpr int kLiveShadowTimer = 1003;
    static constexpr int kEphemerisTimer = 1005;
    static constexpr int kTimerPeriodMs = 1000;

    // The dimensions new dials take (millimetres).
    struct DefaultDimensions {
        int styleHeight = 25;
        int truncation = 0;
        int baseLimit = 40;
        int width = 160;
        int height = 180;
        friend bool operator==(const DefaultDimensions&, const DefaultDimensions&) = default;
    };

    // Brings the saved line colours back, builds the palette and reads the view's settings;
    // the view becomes the application's (GetView()).
    explicit CHoravelView(ViewWindow* window = nullptr);
    // Writes the view's settings.
    ~CHoravelView() override;
    CHoravelView(const CHoravelView&) = delete;
    CHoravelView& operator=(const CHoravelView&) = delete;

    void SetWindow(ViewWindow* window) { window_ = window; }
    const CommandTable& Commands() const { return commands_; }
    // The windows the commands open; commands whose window is missing are not offered.
    void SetDialogs(ViewDialogs dialogs);
    // What the enable rules of the commands look at now.
    viewcmd::CommandState GetCommandState() const;
    // The preferences the drawing options act on: the dial's, else the defaults.
    CPrefs& CurrentPrefs();
    const CPrefs& CurrentPrefs() const;

    // --- the style's shadow and the timers ----------------------------------------------
    // One step of the live shadow at the clock's time: the clock window's texts, and the
    // sun's direction on the dial while it lights the face (else the shadow is turned off).
    void UpdateLiveShadow();
    // 1003: the live shadow's step and a repaint; 1005: the ephemerides follow the clock.
    void OnTimer(int id) override;
    ClockWindow* GetClockWindow() const { return clock_.get(); }

    // The command of a display mode (0 for mode 2 and outside 1..20), and the mode of a
    // command (0 when it selects none).
    static int ModeCommand(int mode);
    static int CommandMode(int command);

    // --- display mode and zoom --------------------------------------------------------
    int GetDisplayMode() const { return mode_; }
    // Modes outside 1..20 are refused. Another mode is shown from its top left.
    bool SetDisplayMode(int mode);
    double GetZoom() const { return zoom_; }
    // Kept within the zoom range; recomputes the layout with one page.
    void SetZoom(double zoom);
    // Set while the view renders into an exported metafile: no sheet lines, page marks or
    // dial border.
    void SetMetafileMode(bool on) { metafile_ = on; }
    bool IsMetafileMode() const { return metafile_; }

    // --- layout -------------------------------------------------------------------------
    // Lays the drawing out over printer sheets (`pages` sheets stacked downwards in the
    // modes other than 1 and 12) and sets the scroll sizes. Asked for while a paint is under
    // way, it is done once that paint is over.
    void RecalcLayout(int pages);
    // The rectangle the dial is drawn in (screen pixels), from the last layout.
    const gdi::Rect& GetDialRect() const { return dialRect_; }
    // The framework's steps: a new or opened document (shown from its top left), a change
    // to show.
    void OnInitialUpdate();
    void OnUpdate();
    // What was put off during a paint: the layout, the ephemeris toolbar.
    void RunDeferred();

    // --- drawing ------------------------------------------------------------------------
    // The paint entry: the tool set for the context, then the page within the clip box
    // (logical pixels).
    void OnDraw(gdi::DC& dc, const gdi::Rect& clipBox);
    // The current mode into dc within rect. With noBackground (the exports) there is no
    // background, no sheet line and no page mark, and the dial is drawn in rect itself.
    void DrawPage(gdi::DC& dc, const gdi::Rect& rect, bool noBackground);
    // The dial at scale in rect (screen pixels; scaled to the printer when printing):
    // border, frames below the lines, the dial, frames above.
    void DrawDialAtScale(gdi::DC& dc, const gdi::Rect& rect);
    // Where the printer sheets meet, on screen.
    void DrawSheetBoundaries(gdi::DC& dc);
    // On paper, as the settings ask: the sheet limits and the cutting marks.
    void DrawPageMarks(gdi::DC& dc);
    // The tool set of the last paint (null before the first).
    CDrawingTools* GetDrawingTools() const { return tools_.get(); }
    // Drops the tool set; the next paint builds a new one (after the colours changed).
    void ResetDrawingTools();
    const std::vector<gdi::COLORREF>& GetPalette() const { return palette_; }

    // --- printing -----------------------------------------------------------------------
    // The number of sheets to print (at least 1).
    int GetPrintPageCount() const;
    // Print preview shows two sheets side by side.
    bool PreviewTwoPages() const;
    // When dc prints: its viewport origin brings sheet `page` (1-based) to the paper.
    void OnPrepareDC(gdi::DC& dc, int page) const;
    // One printed sheet: OnPrepareDC, then the paint entry over the sheet.
    void PrintPage(gdi::DC& dc, int page);

    // --- default drawing options of new dials -----------------------------------------
    CPrefs& GetDefaultPrefs() { return defaultPrefs_; }
    const CPrefs& GetDefaultPrefs() const { return defaultPrefs_; }
    DefaultDimensions& GetDefaultDimensions() { return defaultDims_; }
    const DefaultDimensions& GetDefaultDimensions() const { return defaultDims_; }
    int GetDefaultSymmetricMargins() const { return defaultSymmetricMargins_; }
    void SetDefaultSymmetricMargins(int on);
    // "Options\Dimensions", "Options\Trace" and "Options\Marquage" of the profile.
    void LoadViewSettings(const Profile& profile);
    void SaveViewSettings(Profile& profile) const;

    // --- coordinates and editing (docview/ViewEditing.cpp) -----------------------------
    // Device pixels of the client area to logical pixels of the drawing (scroll and zoom),
    // and back; rectangles come back covering every pixel they touch.
    gdi::Point DeviceToLogical(gdi::Point device) const;
    gdi::Rect DeviceToLogical(const gdi::Rect& device) const;
    gdi::Point LogicalToDevice(gdi::Point logical) const;
    gdi::Rect LogicalToDevice(const gdi::Rect& logical) const;
    // Mouse and keyboard editing; the window forwards its events there.
    ViewEditing& Editing() { return *editing_; }
    ViewWindow* GetWindow() const { return window_; }

private:
    void InstallCommands();
    void InstallDrawingCommands();
    void InstallFrameCommands();
    void InstallDialogCommands();
    void InstallOptionDialogCommands();
    void InstallHelpCommands();
    void InstallUpdateHandlers();
    void UpdateRuledCommand(CmdUI& ui) const;
    std::optional<bool> CommandCheck(int id) const;
    // A change of the dial: the document is modified and the view repainted.
    void DialChanged(bool erase);
    CCadran* Dial() const;
    CObjetCadre* ActiveFrame() const;
    void InsertFrame(std::unique_ptr<CObjetCadre> frame);
    void ToggleLiveShadow();
    void OpenShadowAnimation();
    void ChooseLocation();
    void ChooseEphemerisDate();
    void OnClockClosed();
    void Invalidate(bool erase);
    void ShowEphemerisToolBarForMode();
    gdi::Size ClientSize() const;
    void ScrollToTopLeft();

    ViewWindow* window_ = nullptr;
    CommandTable commands_;
    ViewDialogs dialogs_;
    std::unique_ptr<ModelessWindow> animation_;
    std::unique_ptr<ClockWindow> clock_;
    std::vector<gdi::COLORREF> palette_;
    std::unique_ptr<CDrawingTools> tools_;
    // What the tool set was built for.
    bool toolsPrinting_ = false;
    int toolsPixelsPerInchX = 0;
    int toolsPixelsPerInchY = 0;

    CPrefs defaultPrefs_;
    DefaultDimensions defaultDims_;
    int defaultSymmetricMargins_ = 1;
    int mode_ = kScaleDrawing;
    double zoom_ = 1.0;
    bool metafile_ = false;
    gdi::Rect dialRect_;
    int shownGeneration_ = -1;  // of the document last shown

    int painting_ = 0;
    std::optional<int> pendingLayout_;
    bool pendingToolBar_ = false;
    bool deferredScheduled_ = false;

    std::unique_ptr<ViewEditing> editing_ = std::make_unique<ViewEditing>(*this);
};
