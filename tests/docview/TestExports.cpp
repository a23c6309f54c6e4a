// The view's exports end to end without a display: the commands and when they are offered,
// the clipboard copies (the question before a very large picture, no sheet lines, the dial
// at the picture's corner), the metafile and DXF files, and the table files.
#include "DocTestSupport.h"
#include "TableTestSupport.h"
#include "model/DialTestDials.h"

#include "app/Accessors.h"
#include "app/Trace.h"
#include "app/Translation.h"
#include "docview/CHoravelView.h"
#include "docview/ColorTable.h"
#include "docview/EotPages.h"
#include "docview/Exports.h"
#include "model/CCadranAnalemmatique.h"
#include "platform/Encoding.h"
#include "platform/ImageSurface.h"
#include "platform/Paths.h"
#include "platform/RecordingDC.h"
#include "support/EmfTestReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

using gdi::RecordKind;

// Pictures in memory that record what is drawn on them (the pixels stay white).
struct SurfaceLog {
    int made = 0;
    gdi::Size lastSize;
    std::vector<gdi::Record> records;
};

class RecordingSurface : public ImageSurface {
public:
    RecordingSurface(int w, int h, int ppiX, int ppiY, SurfaceLog& log) : size_{w, h}, log_(log)
    {
        gdi::DeviceCaps caps;
        caps.logPixelsX = ppiX;
        caps.logPixelsY = ppiY;
        caps.horzRes = w;
        caps.vertRes = h;
        dc_ = std::make_unique<gdi::RecordingDC>(caps);
    }
    gdi::DC& Context() override { return *dc_; }
    gdi::Image Finish() override
    {
        log_.records = dc_->Records();
        gdi::Image image;
        image.width = size_.cx;
        image.height = size_.cy;
        image.pixels.assign(static_cast<std::size_t>(size_.cx) * size_.cy, 0xFFFFFFFFu);
        return image;
    }

private:
    gdi::Size size_;
    SurfaceLog& log_;
    std::unique_ptr<gdi::RecordingDC> dc_;
};

class ExportTest : public DocumentTest {
protected:
    void SetUp() override
    {
        DocumentTest::SetUp();
        ResetColorTable();
        GetAppContext().document = &Doc();
        Doc().SetPrinterPageSizeMm({200, 287});
        view_ = std::make_unique<CHoravelView>();
        previousFactory_ = SetImageSurfaceFactory([this](int w, int h, int ppiX, int ppiY) {
            ++surfaces_.made;
            surfaces_.lastSize = {w, h};
            return std::make_unique<RecordingSurface>(w, h, ppiX, ppiY, surfaces_);
        });
        WriteTraceHeader(SystemFacts{});
    }
    void TearDown() override
    {
        SetImageSurfaceFactory(std::move(previousFactory_));
        view_.reset();
        GetAppContext().document = nullptr;
        DocumentTest::TearDown();
    }

    CHoravelView& View() { return *view_; }

    CCadran& PutDial(int widthMm, int heightMm)
    {
        auto dial = dialtest::MakeDial<dialtest::HorizontalDial>(47.24, -6.02, 1.0, 2024, 0.0, widthMm, heightMm);
        dial->tablesValid = 1;
        dial->prefs.doubleFrame = 0;
        CCadran& ref = *dial;
        Doc().SetDial(std::move(dial));
        View().RecalcLayout(1);
        return ref;
    }

    CCadran& PutAnalemmaticDial()
    {
        auto dial = std::make_unique<CCadranAnalemmatique>();
        dial->SetTypeAndPlane(20, 0.0, 0.0);
        CCadran& ref = *dial;
        Doc().SetDial(std::move(dial));
        return ref;
    }

    bool Enabled(int command)
    {
        CmdUI ui(command);
        EXPECT_TRUE(View().Commands().Update(ui)) << command;
        return ui.IsEnabled();
    }

    std::string TraceText() { return testsupport::ReadFileBytes(TraceFilePath()); }

    // Where a check reading the files with other programs wants them (tests/py).
    static std::optional<std::filesystem::path> OutsideFolder()
    {
        if (const char* folder = std::getenv("HORAVEL_EXPORT_DIR"))
            return std::filesystem::path(folder);
        return std::nullopt;
    }

    std::unique_ptr<CHoravelView> view_;
    SurfaceLog surfaces_;
    ImageSurfaceFactory previousFactory_;
};

// Vertical or horizontal lines across the whole drawing: what the screen's sheet lines are.
int FullSpanLines(const std::vector<gdi::Segment>& segments, gdi::Size drawing)
{
    int n = 0;
    for (const gdi::Segment& s : segments) {
        const bool vertical = s.from.x == s.to.x && s.from.y == 0 && s.to.y == drawing.cy;
        const bool horizontal = s.from.y == s.to.y && s.from.x == 0 && s.to.x == drawing.cx;
        n += vertical || horizontal ? 1 : 0;
    }
    return n;
}

std::vector<gdi::Segment> SegmentsOf(const std::vector<gdi::Record>& records)
{
    std::vector<gdi::Segment> out;
    for (const gdi::Record& r : records)
        if (r.kind == RecordKind::LineTo || r.kind == RecordKind::Polyline)
            for (std::size_t i = 0; i + 1 < r.points.size(); ++i)
                out.push_back({r.points[i], r.points[i + 1], r.pen});
    return out;
}

}  // namespace

TEST_F(ExportTest, CommandsAreOfferedWhenTheyApply)
{
    using namespace exports;
    // Without a dial only the clipboard copies apply, in any mode.
    for (int mode : {1, 5, 8, 14}) {
        View().SetDisplayMode(mode);
        EXPECT_TRUE(Enabled(kCopyBitmapCommand));
        EXPECT_TRUE(Enabled(kCopyMetafileCommand));
        EXPECT_FALSE(Enabled(kEmfFileCommand)) << mode;
        EXPECT_FALSE(Enabled(kDxfFileCommand)) << mode;
        EXPECT_FALSE(Enabled(kTableTextCommand)) << mode;
    }
    PutDial(150, 150);
    for (int mode = 1; mode <= CHoravelView::kModeCount; ++mode) {
        View().SetDisplayMode(mode);
        const bool table = mode == 5 || mode == 6 || mode == 8 || mode == 9 || mode == 18;
        EXPECT_EQ(Enabled(kTableTextCommand), table) << mode;
        EXPECT_EQ(Enabled(kEmfFileCommand), mode == 1) << mode;
        EXPECT_EQ(Enabled(kDxfFileCommand), mode == 1) << mode;
        EXPECT_TRUE(Enabled(kCopyBitmapCommand));
    }
}

TEST_F(ExportTest, AVeryLargePictureIsCopiedOnlyWhenTheUserSaysSo)
{
    // No dial: the copy has the drawing's size.
    Doc().SetDrawingSizePx({3001, 100});
    services_->QueueMessageBoxAnswer(IDNO);
    EXPECT_TRUE(View().Commands().Execute(exports::kCopyBitmapCommand));
    ASSERT_EQ(services_->messageBoxes.size(), 1u);
    const auto& box = services_->messageBoxes[0];
    EXPECT_NE(box.text.find("(taille : 3001 x 100)"), std::string::npos) << box.text;
    EXPECT_NE(box.text.find("\nSouhaitez-vous continuer"), std::string::npos);
    EXPECT_EQ(box.type, MB_YESNO | MB_ICONEXCLAMATION);
    EXPECT_EQ(surfaces_.made, 0);
    EXPECT_EQ(services_->clipboardWrites, 0);

    services_->QueueMessageBoxAnswer(IDYES);
    View().Commands().Execute(exports::kCopyBitmapCommand);
    ASSERT_TRUE(services_->clipboard.image);
    EXPECT_EQ(services_->clipboard.image->width, 3001);
    EXPECT_EQ(services_->clipboard.image->height, 100);
    EXPECT_GE(services_->waitCursorBegins, 2);
    EXPECT_EQ(services_->waitCursorDepth, 0);

    Doc().SetDrawingSizePx({3000, 3000});
    View().Commands().Execute(exports::kCopyBitmapCommand);
    EXPECT_EQ(services_->messageBoxes.size(), 2u) << "3000 x 3000 is copied without a question";
    EXPECT_EQ(services_->clipboard.image->width, 3000);

    // With a dial in the scale drawing the copy has the dial's size: 794 mm at 96 dpi.
    PutDial(794, 100);
    EXPECT_EQ(exports::ClipboardDrawingSize(View()).cx, 3001);
    services_->QueueMessageBoxAnswer(IDNO);
    View().Commands().Execute(exports::kCopyBitmapCommand);
    EXPECT_EQ(services_->messageBoxes.size(), 3u);
}

TEST_F(ExportTest, TheBitmapCopyHoldsTheWholeDialWithoutSheetLines)
{
    // Wider than a sheet, centred on two: the screen shows a sheet line across the dial.
    CCadran& dial = PutDial(250, 150);
    ASSERT_EQ(dial.symmetricMargins, 1);
    const gdi::Rect centred = View().GetDialRect();
    ASSERT_GT(centred.left, 0);
    gdi::RecordingDC screen;
    View().OnDraw(screen, {0, 0, Doc().GetDrawingSizePx().cx, Doc().GetDrawingSizePx().cy});
    ASSERT_GT(FullSpanLines(screen.Segments(), Doc().GetDrawingSizePx()), 0);

    View().Commands().Execute(exports::kCopyBitmapCommand);
    ASSERT_EQ(surfaces_.made, 1);
    EXPECT_EQ(surfaces_.lastSize, (gdi::Size{centred.Width(), centred.Height()}));
    ASSERT_TRUE(services_->clipboard.image);
    EXPECT_EQ(services_->clipboard.image->width, centred.Width());

    const std::vector<gdi::Record>& drawn = surfaces_.records;
    ASSERT_FALSE(drawn.empty());
    // The view's background first, over the whole picture.
    ASSERT_EQ(drawn[0].kind, RecordKind::FillRect);
    EXPECT_EQ(drawn[0].points[1], (gdi::Point{centred.Width(), centred.Height()}));
    EXPECT_EQ(drawn[0].args[5], BuildPalette()[0]);
    // The dial's sheet at the corner of the picture.
    const auto boxes = std::find_if(drawn.begin(), drawn.end(), [](const gdi::Record& r) { return r.kind == RecordKind::Rectangle; });
    ASSERT_NE(boxes, drawn.end());
    EXPECT_EQ(boxes->points[0], (gdi::Point{0, 0}));
    EXPECT_EQ(FullSpanLines(SegmentsOf(drawn), Doc().GetDrawingSizePx()), 0);
    const gdi::Pen white = gdi::StockPen(gdi::WHITE_PEN);
    for (const gdi::Segment& s : SegmentsOf(drawn))
        EXPECT_NE(s.pen, white);

    // The layout is back as it was.
    EXPECT_EQ(dial.symmetricMargins, 1);
    EXPECT_EQ(View().GetDialRect(), centred);
    EXPECT_FALSE(View().IsMetafileMode());
}

TEST_F(ExportTest, TheMetafileCopyIsAWellFormedPictureOfTheView)
{
    CCadran& dial = PutDial(250, 150);
    const gdi::Rect centred = View().GetDialRect();
    View().Commands().Execute(exports::kCopyMetafileCommand);
    EXPECT_EQ(services_->clipboard.mimeType, "image/x-emf");
    const emftest::File f = emftest::Read(services_->clipboard.bytes);
    for (const std::string& e : f.errors)
        ADD_FAILURE() << e;
    EXPECT_EQ(f.description, std::u16string(u"Horavel\0\0", 9));
    // No screen in the fake services: 1280 x 1024 pixels at 96 dpi, 339 x 271 mm.
    EXPECT_EQ(f.devicePx[0], 1280);
    EXPECT_EQ(f.deviceMm[0], 339);
    EXPECT_EQ(f.deviceMm[1], 271);
    EXPECT_EQ(f.frame, (emftest::Rect{0, 0, (centred.Width() - 1) * 339 * 100 / 1280,
                                      (centred.Height() - 1) * 271 * 100 / 1024}));
    EXPECT_EQ(f.bounds.left, 0);
    EXPECT_EQ(f.bounds.top, 0);
    EXPECT_EQ(f.bounds.right, centred.Width() - 1);
    EXPECT_GT(f.Of(87).size() + f.Of(4).size() + f.Of(54).size(), 20u) << "the dial's lines";
    // No sheet line: nothing starts at the top of the sheets' meeting line.
    const int sheet = Doc().GetSheetSizePx().cx;
    for (const emftest::Record* move : f.Of(27))
        EXPECT_FALSE(move->I32(0) == sheet - 1 && move->I32(4) == 0);
    EXPECT_FALSE(View().IsMetafileMode());
    EXPECT_EQ(dial.symmetricMargins, 1);
    EXPECT_EQ(View().GetDialRect(), centred);
}

TEST_F(ExportTest, TheMetafileFileStartsAtTheDialsCorner)
{
    CCadran& dial = PutDial(250, 150);
    const gdi::Rect r = View().GetDialRect();
    ASSERT_GT(r.left, 0) << "centred on its sheets";
    const std::filesystem::path file = OutsideFolder().value_or(dir_.path()) / "dial.emf";
    services_->QueueSaveFile(file);
    EXPECT_TRUE(exports::ExportEmfFile(View()));

    ASSERT_EQ(services_->fileDialogs.size(), 1u);
    const FileDialogRequest& request = services_->fileDialogs[0].request;
    EXPECT_TRUE(services_->fileDialogs[0].save);
    EXPECT_EQ(request.filter, "EMF Enhanced Windows Metafile |*.emf||");
    EXPECT_EQ(request.defaultExtension, "*.emf");
    EXPECT_TRUE(request.overwritePrompt);

    const emftest::File f = emftest::Read(testsupport::ReadFileBytes(file));
    for (const std::string& e : f.errors)
        ADD_FAILURE() << e;
    std::string typeName;
    dial.GetTypeName(typeName, true, false);
    ASSERT_FALSE(typeName.empty());
    std::u16string expected = u"Horavel";
    expected += u'\0';
    expected += enc::Utf8ToUtf16(typeName);
    expected += std::u16string(2, u'\0');
    EXPECT_EQ(f.description, expected);
    EXPECT_EQ(f.frame, (emftest::Rect{0, 0, r.Width() * 339 * 100 / 1280, r.Height() * 271 * 100 / 1024}));
    // White under the dial, from the picture's corner: the dial is not pushed off its frame.
    EXPECT_EQ(f.bounds.left, 0);
    EXPECT_EQ(f.bounds.top, 0);
    EXPECT_EQ(f.bounds.right, r.Width());
    ASSERT_EQ(f.Of(10).size(), 1u);
    EXPECT_EQ(f.Of(10)[0]->I32(0), r.left);
    EXPECT_EQ(f.Of(39).at(0)->U32(8), gdi::RGB(255, 255, 255));
    EXPECT_TRUE(services_->messageBoxes.empty());
    EXPECT_FALSE(View().IsMetafileMode());

    // Cancelled: nothing written.
    services_->QueueSaveFile(std::nullopt);
    EXPECT_FALSE(exports::ExportEmfFile(View()));
    // A folder that does not exist: said and traced, not passed off as done.
    const std::filesystem::path nowhere = dir_.path() / "missing" / "dial.emf";
    services_->QueueSaveFile(nowhere);
    EXPECT_FALSE(exports::ExportEmfFile(View()));
    EXPECT_FALSE(std::filesystem::exists(nowhere));
    ASSERT_EQ(services_->messageBoxes.size(), 1u);
    EXPECT_NE(services_->messageBoxes[0].text.find(nowhere.string()), std::string::npos);
    EXPECT_NE(TraceText().find("[ERROR] EMF export"), std::string::npos);

    // Not in the scale drawing: the command does not apply.
    View().SetDisplayMode(8);
    EXPECT_FALSE(exports::ExportEmfFile(View()));
    EXPECT_EQ(services_->fileDialogs.size(), 3u);
}

TEST_F(ExportTest, TheDxfFileHoldsTheDialsLinesAndSheet)
{
    CCadran& dial = PutDial(160, 180);
    const std::filesystem::path file = OutsideFolder().value_or(dir_.path()) / "dial.dxf";
    services_->QueueSaveFile(file);
    EXPECT_TRUE(exports::ExportDxfFile(View()));
    EXPECT_EQ(dial.collectShapes, 0);
    const FileDialogRequest& request = services_->fileDialogs.at(0).request;
    EXPECT_EQ(request.filter, "DXF Autocad Drawing Interchange File Format |*.dxf||");
    EXPECT_EQ(request.defaultExtension, "*.dxf");

    const std::string text = testsupport::ReadFileBytes(file);
    EXPECT_EQ(text.rfind("  0\r\nSECTION\r\n  2\r\nHEADER", 0), 0u) << text.substr(0, 40);
    EXPECT_NE(text.find("ENTITIES"), std::string::npos);
    EXPECT_NE(text.find("\r\nLINE\r\n"), std::string::npos) << "hour lines";
    EXPECT_NE(text.find("\r\n  160.0000\r\n"), std::string::npos) << "the sheet's outline";
    EXPECT_NE(text.find("\r\n  180.0000\r\n"), std::string::npos);
    // A second export starts from an empty list: the same file again.
    const std::filesystem::path again = dir_.path() / "again.dxf";
    services_->QueueSaveFile(again);
    EXPECT_TRUE(exports::ExportDxfFile(View()));
    EXPECT_EQ(testsupport::ReadFileBytes(again), text);

    const std::filesystem::path nowhere = dir_.path() / "missing" / "dial.dxf";
    services_->QueueSaveFile(nowhere);
    EXPECT_FALSE(exports::ExportDxfFile(View()));
    ASSERT_EQ(services_->messageBoxes.size(), 1u);
    EXPECT_NE(TraceText().find("[ERROR] DXF export"), std::string::npos);
}

TEST_F(ExportTest, TheTableExportCopiesTheFileOfTheTableShown)
{
    const std::filesystem::path data = paths::DataFolder();
    struct Case {
        int mode;
        bool hourPoints;
        const char* source;
        const char* proposed;
    };
    const Case cases[] = {
        {5, false, "teot.tmp", "Table Equation du Temps.txt"},
        {6, false, "teot.tmp", "Table Equation du Temps.txt"},
        {8, false, "thl.tmp", "Table Lignes Horaires.txt"},
        {8, true, "thp.tmp", "Table Lignes Horaires.txt"},
        {9, false, "tdl.tmp", "Table Lignes D\xC3\xA9" "clinaison.txt"},
        {9, true, "tdp.tmp", "Table Points D\xC3\xA9" "clinaison.txt"},
        {18, false, "tdm.tmp", "Table m\xC3\xA9ridiennes.txt"},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        if (c.hourPoints)
            PutAnalemmaticDial();
        else
            PutDial(150, 150);
        View().SetDisplayMode(c.mode);
        EXPECT_EQ(exports::TableFileName(View()), c.source);
        const std::string content = std::string("Heure\tx (mm)\n7 h 0 m\t12,5\n") + c.source + "\n";
        testsupport::WriteFileBytes(data / c.source, content);
        const std::filesystem::path target = dir_.path() / ("out" + std::to_string(++n) + ".txt");
        services_->QueueSaveFile(target);
        EXPECT_TRUE(View().Commands().Execute(exports::kTableTextCommand));
        const FileDialogRequest& request = services_->fileDialogs.back().request;
        EXPECT_EQ(request.initialName, c.proposed);
        EXPECT_EQ(request.filter, "TXT - Fichier Texte|*.txt||");
        EXPECT_EQ(request.defaultExtension, "");
        EXPECT_EQ(testsupport::ReadFileBytes(target), content);
        std::filesystem::remove(data / c.source);
    }
    EXPECT_TRUE(services_->messageBoxes.empty());

    // No table file: no target is made, and the user is told why.
    PutAnalemmaticDial();
    View().SetDisplayMode(9);
    const std::filesystem::path target = dir_.path() / "none.txt";
    services_->QueueSaveFile(target);
    EXPECT_FALSE(exports::ExportTableText(View()));
    EXPECT_FALSE(std::filesystem::exists(target));
    ASSERT_EQ(services_->messageBoxes.size(), 1u);
    EXPECT_NE(services_->messageBoxes[0].text.find("Affichez la table"), std::string::npos);
    EXPECT_NE(TraceText().find("[ERROR] Table export"), std::string::npos);

    // Outside the table modes, or without a dial, nothing is asked.
    const std::size_t asked = services_->fileDialogs.size();
    View().SetDisplayMode(14);
    EXPECT_FALSE(exports::ExportTableText(View()));
    Doc().SetDial(nullptr);
    View().SetDisplayMode(8);
    EXPECT_FALSE(exports::ExportTableText(View()));
    EXPECT_EQ(services_->fileDialogs.size(), asked);
}

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        out.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return out;
}

std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        out.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos)
            return out;
        start = tab + 1;
    }
}

// A number of a row as the page shows it: the system's decimal separator back to ".".
std::string AsShown(std::string field)
{
    std::replace(field.begin(), field.end(), ',', '.');
    return field;
}

}  // namespace

TEST_F(ExportTest, TheEquationOfTimeTableLeavesTheValuesItShows)
{
    PutDial(150, 150);
    View().SetDisplayMode(5);
    View().RecalcLayout(1);
    gdi::RecordingDC page;
    const gdi::Size drawing = Doc().GetDrawingSizePx();
    View().OnDraw(page, {0, 0, drawing.cx, drawing.cy});
    std::vector<std::string> cells;
    for (const std::string& t : page.Texts())
        if (t.find(" mn ") != std::string::npos)
            cells.push_back(t);
    ASSERT_EQ(cells.size(), 72u);

    const std::filesystem::path target = dir_.path() / "eot.txt";
    services_->QueueSaveFile(target);
    ASSERT_TRUE(exports::ExportTableText(View()));
    const std::vector<std::string> lines = Lines(testsupport::ReadFileBytes(target));
    ASSERT_EQ(lines.size(), 3u + 12u);
    EXPECT_EQ(Fields(lines[2]), (std::vector<std::string>{"(s)", "1", "6", "11", "16", "21", "26"}));
    for (int month = 1; month <= 12; ++month) {
        const std::vector<std::string> row = Fields(lines[static_cast<std::size_t>(2 + month)]);
        ASSERT_EQ(row.size(), 7u);
        EXPECT_EQ(row[0], GetMonthName(month));
        // Whole seconds that read as the cell of the page.
        for (int j = 0; j < 6; ++j)
            EXPECT_EQ(FormatEotMinutesSeconds(std::stoi(row[static_cast<std::size_t>(1 + j)])),
                      cells[static_cast<std::size_t>((month - 1) * 6 + j)])
                << month << " " << j;
    }
}

TEST_F(ExportTest, TheMovableStyleTableLeavesTheValuesItShows)
{
    auto dial = std::make_unique<CCadranAnalemmatique>();
    PlaceDial(*dial, 47.25, -6.03, 1.0, 1);
    dial->SetTypeAndPlane(20, 0.0, 0.0);
    dial->tablesValid = 1;
    Doc().SetDial(std::move(dial));
    View().SetDisplayMode(9);
    View().RecalcLayout(1);
    gdi::RecordingDC page;
    const gdi::Size drawing = Doc().GetDrawingSizePx();
    View().OnDraw(page, {0, 0, drawing.cx, drawing.cy});
    const std::vector<std::string> shown = page.Texts();

    const std::filesystem::path target = dir_.path() / "style.txt";
    services_->QueueSaveFile(target);
    ASSERT_TRUE(exports::ExportTableText(View()));
    EXPECT_EQ(services_->fileDialogs.back().request.initialName, "Table Points D\xC3\xA9" "clinaison.txt");
    const std::vector<std::string> lines = Lines(testsupport::ReadFileBytes(target));
    ASSERT_EQ(lines.size(), 2u + 19u + 1u + 36u);
    EXPECT_EQ(lines[0], "TABLE DES POSITIONS DU STYLE MOBILE");
    EXPECT_EQ(Fields(lines[1]).size(), 3u);
    EXPECT_EQ(Fields(lines[21]).size(), 4u);
    const auto drawn = [&](const std::string& text) { return std::find(shown.begin(), shown.end(), text) != shown.end(); };
    for (std::size_t i = 2; i < 21; ++i) {
        const std::vector<std::string> row = Fields(lines[i]);
        ASSERT_EQ(row.size(), 3u) << lines[i];
        EXPECT_TRUE(drawn(AsShown(row[0]) + " \xC2\xB0")) << lines[i];
        EXPECT_TRUE(drawn(AsShown(row[1]) + " mm")) << lines[i];
        EXPECT_TRUE(drawn(AsShown(row[2]) + " mm")) << lines[i];
    }
    // The equinox row: the style on the centre line.
    EXPECT_EQ(Fields(lines[11]), (std::vector<std::string>{"0", "0", "0"}));
    for (std::size_t i = 22; i < lines.size(); ++i) {
        const std::vector<std::string> row = Fields(lines[i]);
        ASSERT_EQ(row.size(), 4u) << lines[i];
        EXPECT_TRUE(drawn(row[0])) << lines[i];
        EXPECT_TRUE(drawn(AsShown(row[1]) + "\xC2\xB0")) << lines[i];
        EXPECT_TRUE(drawn(AsShown(row[3]) + " mm")) << lines[i];
    }
    EXPECT_EQ(Fields(lines[22])[0], "1-Janvier");
}
