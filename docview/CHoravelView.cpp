#include "docview/CHoravelView.h"

#include "app/Accessors.h"
#include "app/Translation.h"
#include "docview/CDrawingTools.h"
#include "docview/CHoravelDoc.h"
#include "docview/ColorTable.h"
#include "docview/Exports.h"
#include "docview/PageRenderers.h"
#include "docview/ViewWindow.h"
#include "model/Astronomy.h"
#include "model/CCadran.h"
#include "model/Rounding.h"
#include "platform/Profile.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <tuple>

namespace {

// The command of each display mode, mode 1 first; mode 2 has none.
constexpr std::array<int, CHoravelView::kModeCount> kModeCommands = {
    32813, 0,     32815, 32816, 32846, 32849, 32817, 32850, 32851, 32863,
    32867, 32874, 32879, 32898, 32939, 32942, 32954, 32981, 32987, 32992,
};

constexpr const char* kGeneralSection = "Options\\General";

// The table modes show what the dial has: hour lines or hour points, date arcs or the
// positions of a movable style. Bifilar dials (40 and above) keep the menu's own texts.
std::optional<std::string> TableCommandText(int mode, const CCadran* dial)
{
    if (!dial || dial->typeCode >= 40 || (mode != 8 && mode != 9))
        return std::nullopt;
    const bool points = dial->HasHourPoints();
    if (mode == 8)
        return GetTranslatedString(points ? 214 : 213);
    return GetTranslatedString(points ? 215 : 216);
}

// A length in screen pixels of the document's reference resolution, on the device.
int ScaleToDevice(int v, int devicePixelsPerInch, int screenPixelsPerInch)
{
    if (screenPixelsPerInch <= 0 || devicePixelsPerInch <= 0)
        return v;
    return gdi::MulDiv(v, devicePixelsPerInch, screenPixelsPerInch);
}

}  // namespace

CHoravelView::CHoravelView(ViewWindow* window) : window_(window)
{
    LoadPaletteColours();
    palette_ = BuildPalette();
    LoadViewSettings(GetProfile());
    InstallCommands();
    AppContext& context = GetAppContext();
    context.view = this;
    context.defaultSymmetricMargins = defaultSymmetricMargins_;
}

CHoravelView::~CHoravelView()
{
    SaveViewSettings(GetProfile());
    AppContext& context = GetAppContext();
    if (context.view == this)
        context.view = nullptr;
    if (tools_ && context.drawingTools == tools_.get())
        context.drawingTools = nullptr;
}

int CHoravelView::ModeCommand(int mode)
{
    if (mode < 1 || mode > kModeCount)
        return 0;
    return kModeCommands[static_cast<size_t>(mode - 1)];
}

int CHoravelView::CommandMode(int command)
{
    if (command == 0)
        return 0;
    for (size_t i = 0; i < kModeCommands.size(); ++i)
        if (kModeCommands[i] == command)
            return static_cast<int>(i) + 1;
    return 0;
}

void CHoravelView::InstallCommands()
{
    for (int mode = 1; mode <= kModeCount; ++mode) {
        const int id = ModeCommand(mode);
        if (id == 0)
            continue;
        commands_.OnCommand(id, [this, mode] {
            SetDisplayMode(mode);
            RecalcLayout(1);
            Invalidate(true);
        });
        // A mode whose page is not drawn by anything yet is not offered.
        commands_.OnUpdate(id, [this, mode](CmdUI& ui) {
            ui.Enable(HasPageRenderer(mode));
            if (std::optional<std::string> text = TableCommandText(mode, Dial()))
                ui.SetText(*text);
        });
    }

    using viewlayout::kFirstZoomCommand;
    using viewlayout::kZoomFactors;
    const int lastZoom = kFirstZoomCommand + static_cast<int>(kZoomFactors.size()) - 1;
    commands_.OnCommandRange(kFirstZoomCommand, lastZoom, [this](int id) {
        SetZoom(kZoomFactors[static_cast<size_t>(id - kFirstZoomCommand)]);
        Invalidate(true);
    });
    commands_.OnUpdateRange(kFirstZoomCommand, lastZoom, [this](CmdUI& ui) {
        ui.Enable();
        ui.SetCheck(NearlyEqual(zoom_, kZoomFactors[static_cast<size_t>(ui.Id() - kFirstZoomCommand)]) ? 1 : 0);
    });
    commands_.OnCommand(viewlayout::kFullFrameCommand, [this] {
        const CHoravelDoc* doc = GetDocument();
        if (!doc)
            return;
        SetZoom(viewlayout::FullFrameZoom(doc->GetSheetSizePx(), ClientSize()));
        Invalidate(true);
    });

    commands_.OnCommand(kPrintCommand, [this] {
        if (window_)
            window_->Print();
    });
    commands_.OnCommand(kPrintPreviewCommand, [this] {
        if (window_)
            window_->PrintPreview();
    });

    InstallDrawingCommands();
    InstallFrameCommands();
    InstallDialogCommands();
    InstallHelpCommands();
    InstallUpdateHandlers();
    exports::InstallExportCommands(*this, commands_);
}

bool CHoravelView::SetDisplayMode(int mode)
{
    if (mode < 1 || mode > kModeCount)
        return false;
    // A page opens at its top, not where the previous one was left.
    if (mode != mode_)
        ScrollToTopLeft();
    mode_ = mode;
    return true;
}

void CHoravelView::SetZoom(double zoom)
{
    zoom_ = viewlayout::ClampZoom(zoom);
    RecalcLayout(1);
}

void CHoravelView::SetDefaultSymmetricMargins(int on)
{
    defaultSymmetricMargins_ = on ? 1 : 0;
    GetAppContext().defaultSymmetricMargins = defaultSymmetricMargins_;
}

void CHoravelView::Invalidate(bool erase)
{
    if (window_)
        window_->Invalidate(erase);
}

gdi::Size CHoravelView::ClientSize() const
{
    return window_ ? window_->ClientSize() : gdi::Size{};
}

void CHoravelView::ScrollToTopLeft()
{
    if (window_)
        window_->Scroll(ScrollStep::Start, ScrollStep::Start);
}

// ------------------------------------------------------------------------------- layout

void CHoravelView::RecalcLayout(int pages)
{
    if (painting_ > 0) {
        // Scroll sizes must not change under the paint that is using them.
        pendingLayout_ = pages;
        if (window_ && !deferredScheduled_) {
            deferredScheduled_ = true;
            window_->ScheduleDeferred();
        }
        return;
    }
    CHoravelDoc* doc = GetDocument();
    if (!doc)
        return;

    viewlayout::LayoutRequest request;
    request.mode = mode_;
    request.pages = pages;
    request.sheetMm = doc->GetPrinterPageSizeMm();
    request.pixelsPerInchX = doc->GetScreenPixelsPerInchX();
    request.pixelsPerInchY = doc->GetScreenPixelsPerInchY();
    CCadran* dial = doc->GetDial();
    if (dial) {
        bool truncate = dial->styleTruncation != 0;
        double endHeight = 0.0;
        request.dial = viewlayout::DialExtent{dial->width,         dial->height,
                                              dial->scale,         dial->symmetricMargins != 0,
                                              dial->GetStyleLength(truncate, endHeight), dial->styleHeight};
    }
    const std::optional<viewlayout::Layout> layout = viewlayout::ComputeLayout(request);
    if (!layout)
        return;

    doc->SetDrawingSizeMm(layout->drawingMm);
    doc->SetDrawingSizePx(layout->drawingPx);
    doc->SetSheetSizePx(layout->sheetPx);
    doc->SetPageCount(layout->pageCount);
    dialRect_ = layout->dialRect;
    if (dial) {
        dial->pixelsPerMmX = layout->pixelsPerMmX;
        dial->pixelsPerMmY = layout->pixelsPerMmY;
        if (mode_ == kScaleDrawing)
            dial->SetDialRect(dialRect_.left, dialRect_.top, dialRect_.right, dialRect_.bottom);
    }

    if (window_) {
        const gdi::Size client = ClientSize();
        window_->SetScrollSizes(viewlayout::Zoomed(layout->drawingPx, zoom_), {client.cx / 2, client.cy / 2},
                                {client.cx / 50, client.cy / 50});
    }
}

void CHoravelView::OnInitialUpdate()
{
    if (palette_.empty())
        palette_ = BuildPalette();
    RecalcLayout(1);
    // A new document opens at its top left; the same one saved stays where it is.
    if (const CHoravelDoc* doc = GetDocument(); doc && doc->GetGeneration() != shownGeneration_) {
        shownGeneration_ = doc->GetGeneration();
        ScrollToTopLeft();
    }
    Invalidate(false);
}

void CHoravelView::OnUpdate() { Invalidate(false); }

void CHoravelView::RunDeferred()
{
    deferredScheduled_ = false;
    if (painting_ > 0)
        return;
    if (pendingLayout_) {
        const int pages = *pendingLayout_;
        pendingLayout_.reset();
        const CHoravelDoc* doc = GetDocument();
        const auto before = doc ? std::make_optional(std::make_tuple(doc->GetDrawingSizePx(), doc->GetPageCount()))
                                : std::nullopt;
        const gdi::Rect dialBefore = dialRect_;
        RecalcLayout(pages);
        // Repaint only what changed, or a renderer asking for its layout at every paint
        // would repaint forever.
        if (doc && (before != std::make_tuple(doc->GetDrawingSizePx(), doc->GetPageCount()) || dialBefore != dialRect_))
            Invalidate(false);
    }
    if (pendingToolBar_) {
        pendingToolBar_ = false;
        ShowEphemerisToolBarForMode();
    }
}

void CHoravelView::ShowEphemerisToolBarForMode()
{
    if (!window_ || (mode_ == kEphemerides) == window_->IsEphemerisToolBarShown())
        return;
    if (painting_ > 0) {
        // Showing a toolbar changes the client area under the paint.
        pendingToolBar_ = true;
        if (!deferredScheduled_) {
            deferredScheduled_ = true;
            window_->ScheduleDeferred();
        }
        return;
    }
    window_->ToggleEphemerisToolBar();
}

// ------------------------------------------------------------------------------ drawing

void CHoravelView::ResetDrawingTools()
{
    if (tools_ && GetAppContext().drawingTools == tools_.get())
        GetAppContext().drawingTools = nullptr;
    tools_.reset();
}

void CHoravelView::OnDraw(gdi::DC& dc, const gdi::Rect& clipBox)
{
    // Pens and fonts depend on the resolution as well as on printing; a preview and a print
    // on printers of different resolutions must not share them.
    const bool printing = dc.IsPrinting();
    const int dpiX = dc.GetDeviceCaps(gdi::LOGPIXELSX);
    const int dpiY = dc.GetDeviceCaps(gdi::LOGPIXELSY);
    if (!tools_ || toolsPrinting_ != printing || toolsPixelsPerInchX != dpiX || toolsPixelsPerInchY != dpiY) {
        ResetDrawingTools();
        const CHoravelDoc* doc = GetDocument();
        tools_ = doc ? std::make_unique<CDrawingTools>(dc, doc->GetScreenPixelsPerInchX(), doc->GetScreenPixelsPerInchY())
                     : std::make_unique<CDrawingTools>(dc);
        toolsPrinting_ = printing;
        toolsPixelsPerInchX = dpiX;
        toolsPixelsPerInchY = dpiY;
    }

    AppContext& context = GetAppContext();
    CDrawingTools* const previousTools = context.drawingTools;
    context.drawingTools = tools_.get();
    ++painting_;
    DrawPage(dc, clipBox, false);
    --painting_;
    context.drawingTools = previousTools;
}

void CHoravelView::DrawPage(gdi::DC& dc, const gdi::Rect& rect, bool noBackground)
{
    ++painting_;
    const int oldMode = dc.SetBkMode(gdi::TRANSPARENT);
    palette_ = BuildPalette();
    dc.SetPalette(palette_);

    const bool printing = dc.IsPrinting();
    const gdi::COLORREF background = printing ? gdi::RGB(255, 255, 255) : gdi::PALETTEINDEX(0);
    const gdi::COLORREF oldBackground = dc.SetBkColor(background);
    if (!noBackground)
        dc.FillRect(rect, gdi::Brush{gdi::BS_SOLID, background});
    if (!printing && !noBackground && !metafile_)
        DrawSheetBoundaries(dc);

    const CHoravelDoc* doc = GetDocument();
    gdi::Rect target = rect;
    if (!noBackground && doc && doc->GetDial())
        target = dialRect_;

    const gdi::Size sheetPx = doc ? doc->GetSheetSizePx() : gdi::Size{};
    const std::optional<viewlayout::PageRects> pageRects = viewlayout::PageRectsForMode(mode_, sheetPx);
    if (mode_ == 6) {
        if (PageRenderer graph = GetPageRenderer(4))
            graph(dc, pageRects->first);
        if (PageRenderer table = GetPageRenderer(5))
            table(dc, *pageRects->second);
    } else if (PageRenderer renderer = GetPageRenderer(mode_)) {
        renderer(dc, pageRects ? pageRects->first : target);
    }

    if (printing && !noBackground && !metafile_)
        DrawPageMarks(dc);
    ShowEphemerisToolBarForMode();

    dc.SetBkColor(oldBackground);
    dc.SetBkMode(oldMode);
    --painting_;
    // A layout asked for by a renderer of a drawing that is not a paint (an export) is done
    // at once.
    if (painting_ == 0 && pendingLayout_ && !window_)
        RunDeferred();
}

void CHoravelView::DrawDialAtScale(gdi::DC& dc, const gdi::Rect& rect)
{
    const CHoravelDoc* doc = GetDocument();
    CCadran* dial = doc ? doc->GetDial() : nullptr;
    if (!dial || !dial->tablesValid)
        return;

    const int saved = dc.SaveDC();
    const int dpiX = dc.GetDeviceCaps(gdi::LOGPIXELSX);
    const int dpiY = dc.GetDeviceCaps(gdi::LOGPIXELSY);
    dial->pixelsPerMmX = dpiX / 25.4;
    dial->pixelsPerMmY = dpiY / 25.4;

    int marginX = 0;
    int marginY = 0;
    if (dial->prefs.doubleFrame) {
        marginX = std::max(gdi::MulDiv(dial->prefs.frameThickness, RoundToInt(dpiX * 10 * dial->scale), 254), 0);
        marginY = std::max(gdi::MulDiv(dial->prefs.frameThickness, RoundToInt(dpiY * 10 * dial->scale), 254), 0);
    }
    dial->marginX = marginX;
    dial->marginY = marginY;

    gdi::Rect outer = rect;
    if (dc.IsPrinting()) {
        const int screenX = doc->GetScreenPixelsPerInchX();
        const int screenY = doc->GetScreenPixelsPerInchY();
        outer = {ScaleToDevice(rect.left, dpiX, screenX), ScaleToDevice(rect.top, dpiY, screenY),
                 ScaleToDevice(rect.right, dpiX, screenX), ScaleToDevice(rect.bottom, dpiY, screenY)};
    }
    dc.IntersectClipRect(outer);
    if (!metafile_)
        dial->DrawBorder(dc, outer);

    gdi::Rect inner = outer;
    inner.Deflate(marginX, marginY);
    gdi::Point anchor;
    dial->GetStyleAnchorPoint(inner.left, inner.top, inner.right, inner.bottom, anchor.x, anchor.y);
    dial->DrawFrameObjects(dc, anchor, outer, 0);

    const int lines = dc.SaveDC();
    dc.IntersectClipRect(inner);
    dial->Draw(dc, inner);
    dc.RestoreDC(lines);

    dial->DrawFrameObjects(dc, anchor, outer, 1);
    dc.RestoreDC(saved);
}

void CHoravelView::DrawSheetBoundaries(gdi::DC& dc)
{
    const CHoravelDoc* doc = GetDocument();
    if (!doc)
        return;
    const gdi::Size drawing = doc->GetDrawingSizePx();
    const gdi::Size sheet = doc->GetSheetSizePx();
    if (sheet.cx <= 0 || sheet.cy <= 0)
        return;

    const gdi::Pen oldPen = dc.GetCurrentPen();
    // A boundary at the drawing's right or bottom edge is drawn too.
    for (std::int64_t x = sheet.cx; x <= drawing.cx; x += sheet.cx) {
        const int xi = static_cast<int>(x);
        dc.SelectStockPen(gdi::BLACK_PEN);
        dc.MoveTo(xi - 1, 0);
        dc.LineTo(xi - 1, drawing.cy);
        dc.SelectStockPen(gdi::WHITE_PEN);
        dc.MoveTo(xi, 0);
        dc.LineTo(xi, drawing.cy);
    }
    for (std::int64_t y = sheet.cy; y <= drawing.cy; y += sheet.cy) {
        const int yi = static_cast<int>(y);
        dc.SelectStockPen(gdi::BLACK_PEN);
        dc.MoveTo(0, yi - 1);
        dc.LineTo(drawing.cx, yi - 1);
        dc.SelectStockPen(gdi::WHITE_PEN);
        dc.MoveTo(0, yi);
        dc.LineTo(drawing.cx, yi);
    }
    dc.SelectPen(oldPen);
}

void CHoravelView::DrawPageMarks(gdi::DC& dc)
{
    const CHoravelDoc* doc = GetDocument();
    if (!doc)
        return;
    const viewlayout::SheetGrid grid = viewlayout::GridOf(doc->GetDrawingSizePx(), doc->GetSheetSizePx());
    if (grid.columns <= 0 || grid.rows <= 0 || (grid.columns == 1 && grid.rows == 1))
        return;

    const int dpiX = dc.GetDeviceCaps(gdi::LOGPIXELSX);
    const int dpiY = dc.GetDeviceCaps(gdi::LOGPIXELSY);
    const int mark = ScaleToDevice(10, dpiY, doc->GetScreenPixelsPerInchY());
    // On the edges of the printed sheets, where their tiles meet (kept clear of overflow
    // when the marks' size is added).
    const gdi::Size sheetMm = doc->GetPrinterPageSizeMm();
    const auto x = [&](int j) { return std::min(viewlayout::SheetEdge(j, sheetMm.cx, dpiX), 1 << 30); };
    const auto y = [&](int i) { return std::min(viewlayout::SheetEdge(i, sheetMm.cy, dpiY), 1 << 30); };
    const int right = x(grid.columns);
    const int bottom = y(grid.rows);

    const gdi::Pen oldPen = dc.GetCurrentPen();
    const Profile& profile = GetProfile();
    if (profile.GetInt(kGeneralSection, "bTraceLimitesPages", 0) != 0) {
        // A sheet keeps the pixels from its own left and top edges up to its neighbours': a
        // limit is drawn on the first pixel after an edge and on the last before it, so that
        // every sheet shows its four.
        dc.SelectPen(gdi::Pen{gdi::PS_DASH, 1, gdi::RGB(255, 0, 0)});
        const auto vertical = [&](int at) {
            dc.MoveTo(at, 0);
            dc.LineTo(at, bottom);
        };
        const auto horizontal = [&](int at) {
            dc.MoveTo(0, at);
            dc.LineTo(right, at);
        };
        for (int j = 0; j <= grid.columns; ++j) {
            if (j > 0)
                vertical(x(j) - 1);
            if (j < grid.columns)
                vertical(x(j));
        }
        for (int i = 0; i <= grid.rows; ++i) {
            if (i > 0)
                horizontal(y(i) - 1);
            if (i < grid.rows)
                horizontal(y(i));
        }
    }
    if (profile.GetInt(kGeneralSection, "bTraceReperesCoupe", 0) != 0) {
        dc.SelectPen(gdi::Pen{gdi::PS_SOLID, 1, gdi::RGB(255, 0, 0)});
        for (int i = 0; i <= grid.rows; ++i) {
            for (int j = 0; j <= grid.columns; ++j) {
                const int cx = x(j);
                const int cy = y(i);
                const gdi::Point square[5] = {{cx - mark, cy - mark}, {cx + mark, cy - mark}, {cx + mark, cy + mark},
                                              {cx - mark, cy + mark}, {cx - mark, cy - mark}};
                dc.Polyline(square, 5);
                dc.MoveTo(cx - mark, cy - mark);
                dc.LineTo(cx + mark, cy + mark);
                dc.MoveTo(cx + mark, cy - mark);
                dc.LineTo(cx - mark, cy + mark);
            }
        }
    }
    dc.SelectPen(oldPen);
}

// ----------------------------------------------------------------------------- printing

int CHoravelView::GetPrintPageCount() const
{
    const CHoravelDoc* doc = GetDocument();
    return doc ? std::max(doc->GetPageCount(), 1) : 1;
}

bool CHoravelView::PreviewTwoPages() const
{
    const CHoravelDoc* doc = GetDocument();
    return doc && viewlayout::PreviewTwoPages(doc->GetDrawingSizeMm(), doc->GetPrinterPageSizeMm());
}

void CHoravelView::OnPrepareDC(gdi::DC& dc, int page) const
{
    const CHoravelDoc* doc = GetDocument();
    if (!dc.IsPrinting() || !doc)
        return;
    const gdi::Rect sheet = viewlayout::SheetRect(page, doc->GetDrawingSizeMm(), doc->GetPrinterPageSizeMm(),
                                                  dc.GetDeviceCaps(gdi::LOGPIXELSX), dc.GetDeviceCaps(gdi::LOGPIXELSY));
    dc.SetViewportOrg(-sheet.left, -sheet.top);
    // The paper may hold more than the sheet the layout divides by, and a preview page does
    // not clip at all: each page carries its own tile only, so that the tiles abut.
    dc.IntersectClipRect(sheet);
}

void CHoravelView::PrintPage(gdi::DC& dc, int page)
{
    OnPrepareDC(dc, page);
    OnDraw(dc, dc.GetClipBox());
}
