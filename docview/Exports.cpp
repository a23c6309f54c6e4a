#include "docview/Exports.h"

#include "app/Accessors.h"
#include "app/Trace.h"
#include "app/TextHelpers.h"
#include "app/Translation.h"
#include "docview/CDrawingTools.h"
#include "docview/CHoravelDoc.h"
#include "docview/CHoravelView.h"
#include "docview/ColorTable.h"
#include "model/CCadran.h"
#include "model/Rounding.h"
#include "platform/Commands.h"
#include "platform/ImageSurface.h"
#include "platform/Paths.h"
#include "platform/ScreenDC.h"
#include "platform/Services.h"
#include "platform/TextFile.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <vector>

namespace exports {

namespace {

constexpr const char* kEmfFilter = "EMF Enhanced Windows Metafile |*.emf||";
constexpr const char* kDxfFilter = "DXF Autocad Drawing Interchange File Format |*.dxf||";

// The screen a metafile is measured against when the desktop reports none.
constexpr gdi::Size kDefaultScreen{1280, 1024};

// A file that could not be written: said to the user and traced.
void ReportFileNotWritten(const std::filesystem::path& file, const std::string& what, const std::string& error)
{
    Trace("[ERROR] %s to %s: %s", what.c_str(), file.string().c_str(), error.c_str());
    GetServices().MessageBox(WithReason(FillFormat(GetTranslatedString(1460), {file.string()}), error), "",
                             MB_OK | MB_ICONEXCLAMATION);
}

CCadran* CurrentDial()
{
    const CHoravelDoc* doc = GetDocument();
    return doc ? doc->GetDial() : nullptr;
}

gdi::Size ScreenResolution()
{
    const CHoravelDoc* doc = GetDocument();
    if (doc)
        return {doc->GetScreenPixelsPerInchX(), doc->GetScreenPixelsPerInchY()};
    const AppContext& context = GetAppContext();
    return {context.screenPixelsPerInchX, context.screenPixelsPerInchY};
}

// The pens and fonts of the export's own context, current while it is drawn.
class ExportTools {
public:
    explicit ExportTools(const gdi::DC& dc)
    {
        const gdi::Size ppi = ScreenResolution();
        tools_ = std::make_unique<CDrawingTools>(dc, ppi.cx, ppi.cy);
        previous_ = GetAppContext().drawingTools;
        GetAppContext().drawingTools = tools_.get();
    }
    ~ExportTools() { GetAppContext().drawingTools = previous_; }
    ExportTools(const ExportTools&) = delete;
    ExportTools& operator=(const ExportTools&) = delete;

private:
    std::unique_ptr<CDrawingTools> tools_;
    CDrawingTools* previous_ = nullptr;
};

// The dial laid out at the top left of the drawing for the life of the object, so that a
// copy of the view's size holds all of it.
class DialAtOrigin {
public:
    explicit DialAtOrigin(CHoravelView& view) : view_(view), dial_(CurrentDial())
    {
        if (!dial_)
            return;
        saved_ = dial_->symmetricMargins;
        dial_->symmetricMargins = 0;
        view_.RecalcLayout(1);
    }
    ~DialAtOrigin()
    {
        if (!dial_)
            return;
        dial_->symmetricMargins = saved_;
        view_.RecalcLayout(1);
    }
    DialAtOrigin(const DialAtOrigin&) = delete;
    DialAtOrigin& operator=(const DialAtOrigin&) = delete;

private:
    CHoravelView& view_;
    CCadran* dial_;
    int saved_ = 0;
};

class MetafileMode {
public:
    explicit MetafileMode(CHoravelView& view) : view_(view) { view_.SetMetafileMode(true); }
    ~MetafileMode() { view_.SetMetafileMode(false); }
    MetafileMode(const MetafileMode&) = delete;
    MetafileMode& operator=(const MetafileMode&) = delete;

private:
    CHoravelView& view_;
};

class CollectShapes {
public:
    explicit CollectShapes(CCadran& dial) : dial_(dial) { dial_.collectShapes = 1; }
    ~CollectShapes() { dial_.collectShapes = 0; }
    CollectShapes(const CollectShapes&) = delete;
    CollectShapes& operator=(const CollectShapes&) = delete;

private:
    CCadran& dial_;
};

// The frame of a picture of width x height pixels on the device, in 0.01 mm (the edges
// inclusive, so a picture of n pixels spans n - 1 of them).
gdi::Rect FrameOf(int widthPx, int heightPx, const gdi::EmfDevice& device)
{
    const auto scale = [](int px, int mm, int res) {
        return res > 0 ? static_cast<int>(std::int64_t{px} * mm * 100 / res) : 0;
    };
    return {0, 0, scale(widthPx - 1, device.millimetres.cx, device.pixels.cx),
            scale(heightPx - 1, device.millimetres.cy, device.pixels.cy)};
}

bool HasDialInScaleDrawing(const CHoravelView& view)
{
    return CurrentDial() && view.GetDisplayMode() == CHoravelView::kScaleDrawing;
}

bool IsTableMode(int mode)
{
    return mode == 5 || mode == 6 || mode == 8 || mode == 9 || mode == 18;
}

std::optional<std::filesystem::path> AskSaveFile(std::string filter, const char* defaultExtension,
                                                 std::string initialName = {})
{
    FileDialogRequest request;
    request.filter = std::move(filter);
    request.defaultExtension = defaultExtension;
    request.initialName = std::move(initialName);
    request.overwritePrompt = true;
    return GetServices().GetSaveFileName(request);
}

}  // namespace

gdi::Size ClipboardDrawingSize(const CHoravelView& view)
{
    if (HasDialInScaleDrawing(view)) {
        const gdi::Rect& r = view.GetDialRect();
        return {r.Width(), r.Height()};
    }
    const CHoravelDoc* doc = GetDocument();
    return doc ? doc->GetDrawingSizePx() : gdi::Size{};
}

gdi::EmfDevice ReferenceDevice(int pixelsPerInchX, int pixelsPerInchY)
{
    const ScreenInfo screen = GetServices().GetScreen();
    const gdi::Size pixels =
        screen.present && screen.widthPx > 0 && screen.heightPx > 0 ? gdi::Size{screen.widthPx, screen.heightPx} : kDefaultScreen;
    const auto mm = [](int px, int ppi) { return ppi > 0 ? RoundToInt(px * 25.4 / ppi) : 0; };
    return {pixels, {mm(pixels.cx, pixelsPerInchX), mm(pixels.cy, pixelsPerInchY)}};
}

std::optional<gdi::Image> BuildClipboardBitmap(CHoravelView& view)
{
    const WaitCursor wait;
    const gdi::Size size = ClipboardDrawingSize(view);
    if (size.cx <= 0 || size.cy <= 0)
        return std::nullopt;
    if (size.cx > kLargeBitmapSide || size.cy > kLargeBitmapSide) {
        const std::string question = FillFormat(GetTranslatedString(471),
                                                {std::to_string(size.cx), std::to_string(size.cy)});
        if (GetServices().MessageBox(question, "", MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
            return std::nullopt;
    }
    const gdi::Size ppi = ScreenResolution();
    std::unique_ptr<ImageSurface> surface = CreateImageSurface(size.cx, size.cy, ppi.cx, ppi.cy);
    if (!surface) {
        Trace("[ERROR] The %d x %d picture of the view could not be made.", size.cx, size.cy);
        return std::nullopt;
    }
    {
        const DialAtOrigin origin(view);
        gdi::DC& dc = surface->Context();
        const ExportTools tools(dc);
        // The page's background is laid here and the page drawn without its own, which also
        // leaves out the lines where printer sheets meet: a copy has no sheets.
        const std::vector<gdi::COLORREF> palette = BuildPalette();
        const gdi::Rect rect{0, 0, size.cx, size.cy};
        dc.FillSolidRect(rect, palette.empty() ? gdi::RGB(255, 255, 255) : palette.front());
        view.DrawPage(dc, rect, true);
    }
    return surface->Finish();
}

std::string BuildEnhMetafile(CHoravelView& view)
{
    const WaitCursor wait;
    const DialAtOrigin origin(view);
    const gdi::Size size = ClipboardDrawingSize(view);
    if (size.cx <= 0 || size.cy <= 0)
        return {};
    const gdi::Size ppi = ScreenResolution();
    const std::unique_ptr<gdi::DC> reference = CreateScreenCompatibleDC(ppi.cx, ppi.cy);
    const gdi::EmfDevice device = ReferenceDevice(ppi.cx, ppi.cy);
    gdi::EmfDC emf(*reference, device, std::string_view("Horavel\0\0", 9), FrameOf(size.cx, size.cy, device));
    {
        const ExportTools tools(emf);
        const MetafileMode metafile(view);
        view.DrawPage(emf, {0, 0, size.cx, size.cy}, false);
    }
    std::string bytes = emf.Close();
    if (bytes.empty())
        Trace("[ERROR] The metafile of the view could not be made.");
    return bytes;
}

bool ExportEmfFile(CHoravelView& view)
{
    CCadran* dial = CurrentDial();
    if (!HasDialInScaleDrawing(view))
        return false;
    const std::optional<std::filesystem::path> file = AskSaveFile(kEmfFilter, "*.emf");
    if (!file)
        return false;

    const WaitCursor wait;
    const gdi::Size ppi = ScreenResolution();
    const std::unique_ptr<gdi::DC> reference = CreateScreenCompatibleDC(ppi.cx, ppi.cy);
    const gdi::EmfDevice device = ReferenceDevice(ppi.cx, ppi.cy);
    const gdi::Rect r = view.GetDialRect();
    const int width = r.right - r.left + 1;
    const int height = r.bottom - r.top + 1;
    std::string typeName;
    dial->GetTypeName(typeName, true, false);
    std::string description = "Horavel";
    description += '\0';
    description += typeName;
    description += '\0';
    description += '\0';

    gdi::EmfDC emf(*reference, device, description, FrameOf(width, height, device));
    {
        // The dial's rectangle may lie away from the drawing's corner (centred margins):
        // the picture starts at its corner, where its frame starts.
        emf.SetWindowOrg(r.left, r.top);
        emf.FillSolidRect({r.left, r.top, r.left + width, r.top + height}, gdi::RGB(255, 255, 255));
        const ExportTools tools(emf);
        const MetafileMode metafile(view);
        view.DrawDialAtScale(emf, r);
    }
    const std::string bytes = emf.Close();
    std::string error;
    if (bytes.empty())
        error = "the metafile grew too large";
    else if (textfile::WriteAtomic(*file, bytes, &error))
        return true;
    ReportFileNotWritten(*file, "EMF export", error);
    return false;
}

bool ExportDxfFile(CHoravelView& view)
{
    CCadran* dial = CurrentDial();
    if (!HasDialInScaleDrawing(view))
        return false;
    const std::optional<std::filesystem::path> file = AskSaveFile(kDxfFilter, "*.dxf");
    if (!file)
        return false;

    const WaitCursor wait;
    const gdi::Size ppi = ScreenResolution();
    const std::unique_ptr<gdi::DC> dc = CreateScreenCompatibleDC(ppi.cx, ppi.cy);
    const gdi::Rect r = view.GetDialRect();
    dial->ClearExportShapes();
    dc->FillSolidRect({0, 0, r.right - r.left + 1, r.bottom - r.top + 1}, gdi::RGB(255, 255, 255));
    {
        const ExportTools tools(*dc);
        const CollectShapes collect(*dial);
        view.DrawDialAtScale(*dc, r);
    }
    std::string error;
    if (dial->ExportDxf(*file, &error))
        return true;
    ReportFileNotWritten(*file, "DXF export", error);
    return false;
}

std::string TableFileName(const CHoravelView& view)
{
    const CCadran* dial = CurrentDial();
    const bool points = dial && dial->HasHourPoints();
    switch (view.GetDisplayMode()) {
    case 5:
    case 6: return paths::kEotTableFile;
    case 8: return points ? paths::kHourPointTableFile : paths::kHourLineTableFile;
    case 9: return points ? paths::kMobileStyleTableFile : paths::kDateArcTableFile;
    case 18: return paths::kNoonMarkTableFile;
    default: return {};
    }
}

std::string DefaultTableExportName(const CHoravelView& view)
{
    const CCadran* dial = CurrentDial();
    switch (view.GetDisplayMode()) {
    case 5:
    case 6: return GetTranslatedString(164);
    case 8: return GetTranslatedString(162);
    case 9: return dial && dial->HasHourPoints() ? GetTranslatedString(165) : GetTranslatedString(163);
    case 18: return GetTranslatedString(167);
    default: return {};
    }
}

bool ExportTableText(CHoravelView& view)
{
    if (!CurrentDial() || !IsTableMode(view.GetDisplayMode()))
        return false;
    const std::optional<std::filesystem::path> file = AskSaveFile(GetTranslatedString(61936), "", DefaultTableExportName(view));
    if (!file)
        return false;

    const std::filesystem::path source = paths::join(paths::DataFolder(), TableFileName(view));
    std::string bytes;
    std::string error;
    if (!textfile::ReadBytes(source, bytes, &error)) {
        // Nothing is created: a missing table file must not pass for an empty table.
        Trace("[ERROR] Table export: %s cannot be read: %s", source.string().c_str(), error.c_str());
        GetServices().MessageBox(GetTranslatedString(1461), "", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (textfile::WriteAtomic(*file, bytes, &error))
        return true;
    ReportFileNotWritten(*file, "Table export", error);
    return false;
}

void InstallExportCommands(CHoravelView& view, CommandTable& table)
{
    struct ExportCommand {
        int id;
        bool (*enabled)(const CHoravelView&);
        void (*run)(CHoravelView&);
    };
    static constexpr std::array kCommands = {
        ExportCommand{kCopyBitmapCommand, [](const CHoravelView&) { return true; },
                      [](CHoravelView& v) {
                          if (const std::optional<gdi::Image> image = BuildClipboardBitmap(v))
                              if (!GetServices().SetClipboardImage(*image))
                                  Trace("[ERROR] The picture of the view could not be put on the clipboard.");
                      }},
        ExportCommand{kCopyMetafileCommand, [](const CHoravelView&) { return true; },
                      [](CHoravelView& v) {
                          std::string bytes = BuildEnhMetafile(v);
                          if (!bytes.empty() && !GetServices().SetClipboardMetafile(std::move(bytes)))
                              Trace("[ERROR] The metafile of the view could not be put on the clipboard.");
                      }},
        ExportCommand{kEmfFileCommand, HasDialInScaleDrawing, [](CHoravelView& v) { ExportEmfFile(v); }},
        ExportCommand{kDxfFileCommand, HasDialInScaleDrawing, [](CHoravelView& v) { ExportDxfFile(v); }},
        ExportCommand{kTableTextCommand,
                      [](const CHoravelView& v) { return CurrentDial() && IsTableMode(v.GetDisplayMode()); },
                      [](CHoravelView& v) { ExportTableText(v); }},
    };
    for (const ExportCommand& c : kCommands) {
        table.OnCommand(c.id, [&view, run = c.run] { run(view); });
        table.OnUpdate(c.id, [&view, enabled = c.enabled](CmdUI& ui) { ui.Enable(enabled(view)); });
    }
}

}  // namespace exports
