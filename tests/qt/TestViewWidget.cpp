// The view's window: the paint at a zoom (what is drawn and what can be scrolled agree),
// a two-sheet dial printed to PDF (page count read back by pdfinfo, each sheet's half of
// the dial rendered back by pdftoppm), a four-sheet dial whose tiles abut on paper larger
// than its sheets, and the print preview with its two pages.
#include "model/DialTestDials.h"

#include "app/Accessors.h"
#include "docview/CHoravelDoc.h"
#include "docview/ColorTable.h"
#include "docview/qt/CHoravelViewWidget.h"
#include "model/Astronomy.h"
#include "platform/FakeServices.h"
#include "platform/Profile.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QPageRanges>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace {

QString Q(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

class ViewWidgetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetProfile(std::make_unique<MemoryProfile>());
        GetProfile().WriteString("Options\\General", "NomFichierLieux", (dir_ / "none.dbl").string());
        GetAppContext() = AppContext{};
        ResetAstroState();
        ResetColorTable();
        doc_ = std::make_unique<CHoravelDoc>();  // no printer: 200 x 280 mm sheets
        GetAppContext().document = doc_.get();
        widget_ = std::make_unique<CHoravelViewWidget>();
        widget_->resize(800, 600);
        widget_->show();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        widget_.reset();
        doc_.reset();
        GetAppContext() = AppContext{};
        SetProfile(nullptr);
        ResetAstroState();
    }

    // A horizontal dial one millimetre wider than a sheet: two sheets side by side.
    void PutTwoSheetDial()
    {
        auto dial = dialtest::MakeDial<dialtest::HorizontalDial>(47.24, -6.02, 1.0, 2024, 0.0, 201, 240);
        dial->tablesValid = 1;
        doc_->SetDial(std::move(dial));
        widget_->View().RecalcLayout(1);
    }

    // Bordeaux, 400 x 300 mm: two columns and two rows of the document's 200 x 280 mm sheets.
    void PutFourSheetDial()
    {
        auto dial = dialtest::MakeDial<dialtest::HorizontalDial>(44.84, 0.58, 1.0, 2024, 0.0, 400, 300);
        dial->tablesValid = 1;
        doc_->SetDial(std::move(dial));
        widget_->View().RecalcLayout(1);
        ASSERT_EQ(doc_->GetPageCount(), 4);
    }

    // A PDF printer whose printable area is the document's 200 x 280 mm sheet.
    std::unique_ptr<QPrinter> PdfPrinter(const std::filesystem::path& file)
    {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(Q(file));
        printer->setPageSize(QPageSize(QPageSize::A4));
        printer->setPageMargins(QMarginsF(5, 8.5, 5, 8.5), QPageLayout::Millimeter);
        printer->setResolution(300);
        return printer;
    }

    testsupport::TempDir dir_;
    ScopedFakeServices services_;
    std::unique_ptr<CHoravelDoc> doc_;
    std::unique_ptr<CHoravelViewWidget> widget_;
};

// The page count that pdfinfo reads in the file; -1 when it cannot tell.
int PdfPages(const std::filesystem::path& pdf)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {Q(pdf)});
    if (!info.waitForFinished(30000) || info.exitCode() != 0)
        return -1;
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)$"), QRegularExpression::MultilineOption)
            .match(QString::fromUtf8(info.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Renders the pages of a PDF to PNG files prefix-1.png, prefix-2.png... at the given resolution.
bool RenderPdf(const std::filesystem::path& pdf, const std::filesystem::path& prefix, int dpi)
{
    QProcess render;
    render.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), Q(pdf),
                                              Q(prefix)});
    return render.waitForFinished(60000) && render.exitCode() == 0;
}

bool Ink(const QImage& image, int x, int y) { return QColor(image.pixel(x, y)).lightness() < 200; }

// The runs of ink along a row (horizontal) or a column, as [first, last] pixel pairs.
std::vector<std::pair<int, int>> InkRuns(const QImage& image, int at, bool alongRow)
{
    std::vector<std::pair<int, int>> runs;
    const int length = alongRow ? image.width() : image.height();
    for (int i = 0; i < length; ++i) {
        if (!(alongRow ? Ink(image, i, at) : Ink(image, at, i)))
            continue;
        if (!runs.empty() && runs.back().second == i - 1)
            runs.back().second = i;
        else
            runs.emplace_back(i, i);
    }
    return runs;
}

// How many runs of one side meet no run of the other within `slack` pixels.
int UnmatchedRuns(const std::vector<std::pair<int, int>>& side, const std::vector<std::pair<int, int>>& other,
                  int slack)
{
    int unmatched = 0;
    for (const auto& [first, last] : side)
        if (std::none_of(other.begin(), other.end(),
                         [&](const auto& o) { return o.first <= last + slack && o.second >= first - slack; }))
            ++unmatched;
    return unmatched;
}

// Share of the pixels of a column band (x0 .. x1 as fractions of the width) that are not white.
double InkIn(const QImage& image, double x0, double x1)
{
    int ink = 0;
    int all = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = static_cast<int>(x0 * image.width()); x < static_cast<int>(x1 * image.width()); ++x, ++all)
            if (QColor(image.pixel(x, y)).lightness() < 200)
                ++ink;
    return all ? static_cast<double>(ink) / all : 0.0;
}

TEST_F(ViewWidgetTest, ZoomShrinksTheDrawingWithWhatCanBeScrolled)
{
    PutTwoSheetDial();  // drawing 1512 x 1058 px, dial from x = 376 to 1136
    const QColor pageColour(gdi::GetRValue(GetColor(0)), gdi::GetGValue(GetColor(0)), gdi::GetBValue(GetColor(0)));

    QImage full = widget_->grab().toImage();
    EXPECT_NE(QColor(full.pixel(600, 300)), pageColour);  // inside the dial
    EXPECT_EQ(widget_->horizontalScrollBar()->maximum(), 1512 - widget_->viewport()->width());

    widget_->View().SetZoom(0.5);
    EXPECT_EQ(widget_->horizontalScrollBar()->maximum(), 0);  // 756 px fit in the client
    EXPECT_EQ(widget_->verticalScrollBar()->maximum(), std::max(529 - widget_->viewport()->height(), 0));
    QImage half = widget_->grab().toImage();
    EXPECT_NE(QColor(half.pixel(300, 200)), pageColour);  // the dial, now from 188 to 568
    EXPECT_EQ(QColor(half.pixel(600, 200)), pageColour);
    EXPECT_EQ(QColor(half.pixel(100, 200)), pageColour);
}

TEST_F(ViewWidgetTest, OnAHighDensityScreenThinLinesAreOneDevicePixelWide)
{
    PutTwoSheetDial();  // sheets 756 px wide: the black boundary at x = 755, the white at 756
    QWidget& viewport = *widget_->viewport();
    // Painted for a screen of two device pixels per pixel.
    QImage screen(viewport.size() * 2, QImage::Format_RGB32);
    screen.setDevicePixelRatio(2);
    viewport.render(&screen);
    screen.setDevicePixelRatio(1);

    // The black boundary above the dial (x = 755), and the noon line lower down (x = 756):
    // one run of ink each, one device pixel wide, under the centre of the pixel.
    const std::pair<int, int> lines[] = {{20, 755}, {400, 756}, {500, 756}};
    for (const auto& [y, x] : lines) {
        SCOPED_TRACE(testing::Message() << "y " << y);
        const std::vector<std::pair<int, int>> runs = InkRuns(screen.copy(1480, 2 * y + 1, 60, 1), 0, true);
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0].first, runs[0].second);
        EXPECT_EQ(runs[0].first + 1480, 2 * x + 1);
    }
}

TEST_F(ViewWidgetTest, AnotherPageOrANewDocumentOpensAtItsTopLeft)
{
    PutTwoSheetDial();  // 1512 x 1058 pixels in a client of 800 x 600
    widget_->View().OnInitialUpdate();  // as when the document was first shown
    QScrollBar* across = widget_->horizontalScrollBar();
    QScrollBar* down = widget_->verticalScrollBar();
    const auto scrollTo = [&](int x, int y) {
        across->setValue(x);
        down->setValue(y);
        ASSERT_EQ(across->value(), x);
        ASSERT_EQ(down->value(), y);
    };
    const auto showMode = [&](int mode) {
        widget_->View().SetDisplayMode(mode);
        widget_->View().RecalcLayout(1);
    };

    // The same page again, or the same document saved, stays where it was.
    scrollTo(300, 200);
    showMode(CHoravelView::kScaleDrawing);
    ASSERT_TRUE(doc_->OnSaveDocument(dir_ / "kept.cds"));
    widget_->View().OnInitialUpdate();
    EXPECT_EQ(across->value(), 300);
    EXPECT_EQ(down->value(), 200);

    // The technical sheet: one sheet high, still taller than the client.
    showMode(7);
    EXPECT_EQ(across->value(), 0);
    EXPECT_EQ(down->value(), 0);

    showMode(CHoravelView::kScaleDrawing);
    scrollTo(300, 200);
    ASSERT_TRUE(doc_->OnOpenDocument(dir_ / "kept.cds"));
    widget_->View().OnInitialUpdate();
    EXPECT_EQ(across->value(), 0);
    EXPECT_EQ(down->value(), 0);
}

TEST_F(ViewWidgetTest, SavedTwoSheetDialOpensAndPrintsToPdfOneSheetPerPage)
{
    GetProfile().WriteInt("Options\\General", "bTraceReperesCoupe", 1);
    PutTwoSheetDial();
    // Kept beside the tests: a saved horizontal dial to open in the program.
    const std::filesystem::path saved = testsupport::BinDir() / "horizontal-two-sheets.cds";
    ASSERT_TRUE(doc_->OnSaveDocument(saved));
    doc_->SetDial(nullptr);
    ASSERT_TRUE(doc_->OnOpenDocument(saved));
    ASSERT_NE(doc_->GetDial(), nullptr);
    widget_->View().RecalcLayout(1);
    ASSERT_EQ(doc_->GetPageCount(), 2);

    const std::filesystem::path pdf = dir_ / "dial.pdf";
    auto printer = PdfPrinter(pdf);
    ASSERT_TRUE(widget_->PrintSheets(*printer));

    EXPECT_EQ(PdfPages(pdf), 2);

    ASSERT_TRUE(RenderPdf(pdf, dir_ / "sheet", 30));
    const QImage first(Q(dir_ / "sheet-1.png"));
    const QImage second(Q(dir_ / "sheet-2.png"));
    ASSERT_FALSE(first.isNull());
    ASSERT_FALSE(second.isNull());
    // The dial spans the middle of the two-sheet drawing: the right half of the first sheet
    // and the left half of the second carry it, the outer quarters stay blank paper.
    EXPECT_GT(InkIn(first, 0.6, 0.95), 0.02);
    EXPECT_LT(InkIn(first, 0.1, 0.4), 0.002);
    EXPECT_GT(InkIn(second, 0.05, 0.4), 0.02);
    EXPECT_LT(InkIn(second, 0.6, 0.9), 0.002);
}

TEST_F(ViewWidgetTest, SheetsOfALargeDialAbutWithoutOverlapOnLargerPaper)
{
    GetProfile().WriteInt("Options\\General", "bTraceReperesCoupe", 1);
    GetProfile().WriteInt("Options\\General", "bTraceLimitesPages", 1);
    PutFourSheetDial();

    // A4 with 2 mm margins holds 206 x 293 mm: more than a sheet.
    const std::filesystem::path pdf = dir_ / "large.pdf";
    auto printer = PdfPrinter(pdf);
    printer->setPageMargins(QMarginsF(2, 2, 2, 2), QPageLayout::Millimeter);
    ASSERT_TRUE(widget_->PrintSheets(*printer));
    ASSERT_EQ(PdfPages(pdf), 4);
    // 254 dpi: ten pixels a millimetre; each sheet is 2000 x 2800 pixels from the corner of
    // the printable area on its page.
    ASSERT_TRUE(RenderPdf(pdf, dir_ / "tile", 254));
    std::vector<QImage> pages;
    for (int page = 1; page <= 4; ++page) {
        pages.emplace_back(Q(dir_ / ("tile-" + std::to_string(page) + ".png")));
        ASSERT_GE(pages.back().width(), 2100);
        ASSERT_GE(pages.back().height(), 2970);
    }
    // The PDF places the printable area at whole points.
    const QRect printable = printer->pageLayout().paintRectPoints();
    const int left = static_cast<int>(std::lround(printable.left() * 254.0 / 72.0));
    const int top = static_cast<int>(std::lround(printable.top() * 254.0 / 72.0));
    const int right = left + 2000;
    const int bottom = top + 2800;

    // Nothing beyond a sheet's rectangle (a pixel of rounding around its edges).
    for (size_t i = 0; i < pages.size(); ++i) {
        int outside = 0;
        for (int y = 0; y < pages[i].height(); ++y)
            for (int x = 0; x < pages[i].width(); ++x)
                if ((x < left - 1 || x > right || y < top - 1 || y > bottom) && Ink(pages[i], x, y))
                    ++outside;
        EXPECT_EQ(outside, 0) << "page " << i + 1;
    }

    // Drawn once, it goes on from the same place on the neighbouring sheet: along each seam,
    // every run of ink just inside one sheet meets one just inside the other within 0.5 mm.
    const auto seam = [](const QImage& before, int lastInside, const QImage& after, int firstInside, bool alongRow) {
        const auto a = InkRuns(before, lastInside, alongRow);
        const auto b = InkRuns(after, firstInside, alongRow);
        EXPECT_GE(a.size(), 3u);
        EXPECT_EQ(UnmatchedRuns(a, b, 5), 0);
        EXPECT_EQ(UnmatchedRuns(b, a, 5), 0);
    };
    // Two pixels in from the edges, clear of the sheet limits drawn along them.
    seam(pages[0], right - 3, pages[1], left + 2, false);
    seam(pages[0], bottom - 3, pages[2], top + 2, true);
    seam(pages[1], bottom - 3, pages[3], top + 2, true);
    seam(pages[2], right - 3, pages[3], left + 2, false);
}

TEST_F(ViewWidgetTest, PrintRangeLimitsTheSheets)
{
    PutTwoSheetDial();
    const std::filesystem::path pdf = dir_ / "second.pdf";
    auto printer = PdfPrinter(pdf);
    printer->setPrintRange(QPrinter::PageRange);
    printer->setFromTo(2, 5);
    ASSERT_TRUE(widget_->PrintSheets(*printer));
    EXPECT_EQ(PdfPages(pdf), 1);

    // Four sheets: a range that skips one prints only those it names.
    PutFourSheetDial();
    const std::filesystem::path skipping = dir_ / "first-and-third.pdf";
    printer = PdfPrinter(skipping);
    printer->setPrintRange(QPrinter::PageRange);
    printer->setPageRanges(QPageRanges::fromString(QStringLiteral("1,3")));
    ASSERT_TRUE(widget_->PrintSheets(*printer));
    EXPECT_EQ(PdfPages(skipping), 2);
}

// The print dialog's range runs over every sheet of the drawing, not one.
TEST_F(ViewWidgetTest, PrintDialogOffersEverySheet)
{
    PutFourSheetDial();
    int from = -1, to = -1, most = -1;
    QTimer::singleShot(300, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        from = dialog->fromPage();
        to = dialog->toPage();
        most = dialog->maxPage();
        dialog->reject();
    });
    widget_->Print();
    EXPECT_EQ(from, 1);
    EXPECT_EQ(to, 4);
    EXPECT_EQ(most, 4);
}

TEST_F(ViewWidgetTest, PreviewShowsBothSheetsSideBySide)
{
    PutTwoSheetDial();
    auto printer = PdfPrinter(dir_ / "unused.pdf");
    int pages = 0;
    QPrintPreviewWidget::ViewMode mode = QPrintPreviewWidget::SinglePageView;
    // Once the dialog has laid its pages out.
    QTimer::singleShot(300, [&] {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (auto* preview = dialog->findChild<QPrintPreviewWidget*>()) {
            pages = preview->pageCount();
            mode = preview->viewMode();
        }
        dialog->grab().save(Q(testsupport::BinDir() / "print-preview.png"));
        dialog->reject();
    });
    widget_->PrintPreview(*printer);
    EXPECT_EQ(pages, 2);
    EXPECT_EQ(mode, QPrintPreviewWidget::AllPagesView);
}

}  // namespace
