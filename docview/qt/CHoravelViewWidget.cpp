#include "docview/qt/CHoravelViewWidget.h"

#include "app/Accessors.h"
#include "app/ToolBarLayout.h"
#include "app/Translation.h"
#include "app/qt/CMainFrame.h"
#include "docview/CHoravelDoc.h"
#include "docview/CObjetCadre.h"
#include "docview/FrameMenus.h"
#include "dialogs/qt/CDlgAncrageCadre.h"
#include "dialogs/qt/CDlgAncrageStyle.h"
#include "dialogs/qt/CDlgAnneeReference.h"
#include "dialogs/qt/CDlgArcsDates.h"
#include "dialogs/qt/CDlgArcsDiurnes.h"
#include "dialogs/qt/CDlgCourbeEquation.h"
#include "dialogs/qt/CDlgDimensions.h"
#include "dialogs/qt/CDlgIndications.h"
#include "dialogs/qt/CDlgStyleTraces.h"
#include "dialogs/qt/CDlgBaseLieux.h"
#include "dialogs/qt/CDlgAnimationOmbre.h"
#include "dialogs/qt/CDlgConversionDecimale.h"
#include "dialogs/qt/CDlgDateEphemerides.h"
#include "dialogs/qt/CDlgHorloge.h"
#include "dialogs/qt/CDlgMasqueHorizon.h"
#include "dialogs/qt/CVue3DDlg.h"
#include "platform/qt/QtMenus.h"
#include "model/Rounding.h"
#include "platform/Services.h"
#include "platform/qt/QtDC.h"
#include "platform/qt/QtServices.h"

#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPageRanges>
#include <QPaintEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace {

// "Failed to start printing."
constexpr int kPrintFailedString = 61728;

int ScreenPixelsPerInch(bool horizontal)
{
    const CHoravelDoc* doc = GetDocument();
    const int dpi = doc ? (horizontal ? doc->GetScreenPixelsPerInchX() : doc->GetScreenPixelsPerInchY())
                        : (horizontal ? GetAppContext().screenPixelsPerInchX : GetAppContext().screenPixelsPerInchY);
    return dpi > 0 ? dpi : 96;
}

std::optional<ViewKey> ViewKeyOf(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Backspace: return ViewKey::Back;
    case Qt::Key_Delete: return ViewKey::Delete;
    case Qt::Key_PageUp: return ViewKey::PageUp;
    case Qt::Key_PageDown: return ViewKey::PageDown;
    case Qt::Key_End: return ViewKey::End;
    case Qt::Key_Home: return ViewKey::Home;
    case Qt::Key_Plus: return ViewKey::Add;
    case Qt::Key_Minus: return ViewKey::Subtract;
    case Qt::Key_Left: return ViewKey::Left;
    case Qt::Key_Right: return ViewKey::Right;
    case Qt::Key_Up: return ViewKey::Up;
    case Qt::Key_Down: return ViewKey::Down;
    default: return std::nullopt;
    }
}

gdi::Point PointOf(const QPointF& p)
{
    return {static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))};
}

// Device pixels per pixel of what the painter paints: the screen's ratio, or that of a
// rendering into a picture.
double DevicePixelRatioOf(const QPainter& painter)
{
    const QTransform toDevice = painter.deviceTransform();
    const bool scale = toDevice.type() <= QTransform::TxScale && toDevice.m11() > 0 && toDevice.m11() == toDevice.m22();
    return scale ? toDevice.m11() : 1.0;
}

}  // namespace

CHoravelViewWidget::CHoravelViewWidget(QWidget* parent)
    : QAbstractScrollArea(parent), view_(std::make_unique<CHoravelView>(this))
{
    setFrameShape(QFrame::NoFrame);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    view_->SetDialogs(MakeDialogs());
    if (CMainFrame* frame = GetMainFrame())
        frame->AddCommandTarget(&view_->Commands());
    // Hovering shows the frames' handles before any button is pressed.
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // A frame's context menu runs its commands through the same targets as the menus.
    CObjetCadre::SetContextMenuHook([](int menuId, int x, int y) {
        CMainFrame* frame = GetMainFrame();
        const MenuModel menu = LoadFrameContextMenu(menuId);
        if (!frame || menu.items.empty())
            return;
        std::unique_ptr<QMenu> popup = frame->MenuBinder().BuildPopupMenu(menu.items);
        popup->exec(QPoint(x, y));
    });
}

CHoravelViewWidget::~CHoravelViewWidget()
{
    CObjetCadre::SetContextMenuHook({});
    if (CMainFrame* frame = GetMainFrame())
        frame->RemoveCommandTarget(&view_->Commands());
    view_->SetWindow(nullptr);
}

ViewDialogs CHoravelViewWidget::MakeDialogs()
{
    ViewDialogs dialogs;
    dialogs.chooseLocation = [](const CDataBaseElement* current) { return ChooseLocationFromBase(current); };
    dialogs.horizonMask = [this](CHoravelDoc& document) { return EditHorizonMask(document, window()) == IDOK; };
    dialogs.frameAnchoring = [this](int& anchoring) { return EditFrameAnchoring(anchoring, window()); };
    dialogs.makeClock = [this](std::function<void()> onClose) -> std::unique_ptr<ClockWindow> {
        return std::make_unique<CDlgHorloge>(std::move(onClose), window());
    };
    dialogs.dimensions = [this](CHoravelView& view, CCadran* dial) { return EditDimensions(view, dial, window()) == IDOK; };
    dialogs.styleAnchor = [this](CCadran& dial) { return EditStyleAnchor(dial, window()) == IDOK; };
    dialogs.particularDates = [this](CCadran& dial) { return EditParticularDates(dial, window()) == IDOK; };
    dialogs.indications = [this](CCadran& dial) { return EditIndications(dial, window()) == IDOK; };
    dialogs.referenceYear = [this](CHoravelDoc& document) { return EditReferenceYear(document, window()) == IDOK; };
    dialogs.diurnalArcs = [this](CCadran* dial, CPrefs& defaults) {
        return EditDiurnalArcs(dial, defaults, window()) == IDOK;
    };
    dialogs.noonMark = [this](CPrefs& prefs) { return EditNoonMark(prefs, window()) == IDOK; };
    dialogs.lineStyles = [this] { EditLineStyles(window()); };
    dialogs.makeShadowAnimation = [this]() -> std::unique_ptr<ModelessWindow> {
        auto animation = std::make_unique<CDlgAnimationOmbre>(window());
        animation->SetRepaint([this] { viewport()->update(); });
        return animation;
    };
    dialogs.ephemerisDate = [this](CHoravelDoc::Ephemeris& ephemeris) {
        return ChooseEphemerisDate(ephemeris.time, ephemeris.fixedDate, ephemeris.summerTime, ephemeris.universalTime,
                                   window());
    };
    dialogs.decimalConversion = [this] {
        CDlgConversionDecimale dialog(window());
        dialog.DoModal();
    };
    dialogs.view3D = [this] {
        CVue3DDlg dialog(window());
        dialog.DoModal();
    };
    return dialogs;
}

// ---------------------------------------------------------------------------- window

gdi::Size CHoravelViewWidget::ClientSize() const
{
    const QSize size = viewport()->size();
    return {size.width(), size.height()};
}

void CHoravelViewWidget::SetScrollSizes(gdi::Size total, gdi::Size page, gdi::Size line)
{
    total_ = total;
    horizontalScrollBar()->setPageStep(std::max(page.cx, 1));
    verticalScrollBar()->setPageStep(std::max(page.cy, 1));
    horizontalScrollBar()->setSingleStep(std::max(line.cx, 1));
    verticalScrollBar()->setSingleStep(std::max(line.cy, 1));
    UpdateScrollBars();
}

void CHoravelViewWidget::UpdateScrollBars()
{
    const QSize client = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(total_.cx - client.width(), 0));
    verticalScrollBar()->setRange(0, std::max(total_.cy - client.height(), 0));
}

void CHoravelViewWidget::Invalidate(bool /*erase*/)
{
    // The paint fills every pixel it covers, so there is nothing to erase first.
    viewport()->update();
}

void CHoravelViewWidget::ScheduleDeferred()
{
    QTimer::singleShot(0, this, [this] { view_->RunDeferred(); });
}

bool CHoravelViewWidget::IsEphemerisToolBarShown() const
{
    const CMainFrame* frame = GetMainFrame();
    return frame && frame->IsToolBarWanted(kEphemeridesBar);
}

void CHoravelViewWidget::ToggleEphemerisToolBar()
{
    if (CMainFrame* frame = GetMainFrame())
        frame->ToggleEphemerisToolBar();
}

void CHoravelViewWidget::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    const QSize client = viewport()->size();
    horizontalScrollBar()->setPageStep(std::max(client.width() / 2, 1));
    verticalScrollBar()->setPageStep(std::max(client.height() / 2, 1));
    horizontalScrollBar()->setSingleStep(std::max(client.width() / 50, 1));
    verticalScrollBar()->setSingleStep(std::max(client.height() / 50, 1));
    UpdateScrollBars();
}

void CHoravelViewWidget::scrollContentsBy(int, int) { viewport()->update(); }

bool CHoravelViewWidget::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::Resize)
        UpdateScrollBars();
    return QAbstractScrollArea::viewportEvent(event);
}

// --------------------------------------------------------------------------- editing

gdi::Point CHoravelViewWidget::ScrollPosition() const
{
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void CHoravelViewWidget::InvalidateRect(const gdi::Rect& r, bool /*erase*/)
{
    viewport()->update(QRect(r.left, r.top, r.Width(), r.Height()));
}

void CHoravelViewWidget::SetCursor(ViewCursor cursor)
{
    Qt::CursorShape shape = Qt::ArrowCursor;
    switch (cursor) {
    case ViewCursor::SizeNWSE: shape = Qt::SizeFDiagCursor; break;
    case ViewCursor::SizeNS: shape = Qt::SizeVerCursor; break;
    case ViewCursor::SizeNESW: shape = Qt::SizeBDiagCursor; break;
    case ViewCursor::SizeWE: shape = Qt::SizeHorCursor; break;
    case ViewCursor::SizeAll: shape = Qt::SizeAllCursor; break;
    case ViewCursor::Arrow: break;
    }
    if (viewport()->cursor().shape() != shape)
        viewport()->setCursor(shape);
}

void CHoravelViewWidget::Scroll(ScrollStep horizontal, ScrollStep vertical)
{
    const auto step = [](QScrollBar* bar, ScrollStep s) {
        switch (s) {
        case ScrollStep::LineBack: bar->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
        case ScrollStep::LineForward: bar->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
        case ScrollStep::PageBack: bar->triggerAction(QAbstractSlider::SliderPageStepSub); break;
        case ScrollStep::PageForward: bar->triggerAction(QAbstractSlider::SliderPageStepAdd); break;
        case ScrollStep::Start: bar->triggerAction(QAbstractSlider::SliderToMinimum); break;
        case ScrollStep::End: bar->triggerAction(QAbstractSlider::SliderToMaximum); break;
        case ScrollStep::None: break;
        }
    };
    step(horizontalScrollBar(), horizontal);
    step(verticalScrollBar(), vertical);
}

void CHoravelViewWidget::mouseMoveEvent(QMouseEvent* event)
{
    view_->Editing().OnMouseMove(PointOf(event->position()));
    QAbstractScrollArea::mouseMoveEvent(event);
}

void CHoravelViewWidget::mousePressEvent(QMouseEvent* event)
{
    const gdi::Point point = PointOf(event->position());
    if (event->button() == Qt::LeftButton) {
        view_->Editing().OnLButtonDown(point);
    } else if (event->button() == Qt::RightButton) {
        const QPoint global = event->globalPosition().toPoint();
        view_->Editing().OnRButtonDown(point, {global.x(), global.y()});
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void CHoravelViewWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        view_->Editing().OnLButtonUp(PointOf(event->position()));
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void CHoravelViewWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        view_->Editing().OnLButtonDblClk(PointOf(event->position()));
    QAbstractScrollArea::mouseDoubleClickEvent(event);
}

void CHoravelViewWidget::keyPressEvent(QKeyEvent* event)
{
    const std::optional<ViewKey> key = ViewKeyOf(*event);
    if (key) {
        const Qt::KeyboardModifiers mods = event->modifiers();
        if (view_->Editing().OnKeyDown(*key, mods & Qt::ControlModifier, mods & Qt::ShiftModifier)) {
            event->accept();
            return;
        }
        // These act when the key is released; the scroll area must not scroll on the press too.
        const bool onRelease = *key != ViewKey::Left && *key != ViewKey::Right && *key != ViewKey::Up &&
                               *key != ViewKey::Down;
        if (onRelease) {
            event->accept();
            return;
        }
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void CHoravelViewWidget::keyReleaseEvent(QKeyEvent* event)
{
    const std::optional<ViewKey> key = ViewKeyOf(*event);
    if (key && !event->isAutoRepeat()) {
        const Qt::KeyboardModifiers mods = event->modifiers();
        if (view_->Editing().OnKeyUp(*key, mods & Qt::ControlModifier, mods & Qt::ShiftModifier)) {
            event->accept();
            return;
        }
    }
    QAbstractScrollArea::keyReleaseEvent(event);
}

// ----------------------------------------------------------------------------- paint

void CHoravelViewWidget::paintEvent(QPaintEvent* event)
{
    const QRect area = event->rect();
    if (area.isEmpty())
        return;
    QPainter target(viewport());
    const QImage image = RenderArea(area, DevicePixelRatioOf(target));
    if (!image.isNull())
        target.drawImage(area.topLeft(), image);
}

QImage CHoravelViewWidget::RenderArea(const QRect& area, double devicePixelRatio)
{
    // The memory picture of the part to paint, at the document's screen resolution, so
    // that the drawing's pixels are the layout's whatever the monitor. On a high-density
    // screen it holds the screen's device pixels: thin lines stay one device pixel wide and
    // text is drawn at the screen's own resolution.
    QImage image(QSize(static_cast<int>(std::ceil(area.width() * devicePixelRatio)),
                       static_cast<int>(std::ceil(area.height() * devicePixelRatio))),
                 QImage::Format_RGB32);
    if (image.isNull())
        return {};
    image.setDevicePixelRatio(devicePixelRatio);
    image.setDotsPerMeterX(RoundToInt(ScreenPixelsPerInch(true) / 0.0254));
    image.setDotsPerMeterY(RoundToInt(ScreenPixelsPerInch(false) / 0.0254));

    const double zoom = view_->GetZoom();
    const int left = area.left() + horizontalScrollBar()->value();
    const int top = area.top() + verticalScrollBar()->value();
    // The logical pixels under the area, whole pixels around its edges.
    const gdi::Rect clip{static_cast<int>(std::floor(left / zoom)), static_cast<int>(std::floor(top / zoom)),
                         static_cast<int>(std::ceil((left + area.width()) / zoom)),
                         static_cast<int>(std::ceil((top + area.height()) / zoom))};
    {
        QPainter painter(&image);
        painter.translate(-left, -top);
        painter.scale(zoom, zoom);
        gdi::QtDC dc(painter);
        dc.SetPrinting(false);
        dc.IntersectClipRect(clip);
        view_->OnDraw(dc, clip);
    }
    return image;
}

// -------------------------------------------------------------------------- printing

QPrinter& CHoravelViewWidget::ApplicationPrinter()
{
    if (auto* services = dynamic_cast<QtServices*>(&GetServices()))
        return services->Printer();
    if (!ownPrinter_)
        ownPrinter_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *ownPrinter_;
}

bool CHoravelViewWidget::PrintSheets(QPrinter& printer, bool preview)
{
    const int count = view_->GetPrintPageCount();
    // The sheets of the range chosen, which may skip some ("1, 3"); every sheet otherwise.
    const QPageRanges ranges = printer.pageRanges();
    const bool chosen = !preview && printer.printRange() == QPrinter::PageRange && !ranges.isEmpty();
    std::vector<int> sheets;
    for (int page = 1; page <= count; ++page)
        if (!chosen || ranges.contains(page))
            sheets.push_back(page);
    if (sheets.empty())
        return false;

    QPainter painter;
    if (!painter.begin(&printer)) {
        if (!preview)
            TranslatedMessageBox(kPrintFailedString, MB_ICONEXCLAMATION);
        return false;
    }
    gdi::QtDC::PrintedImages pictures;
    for (const int page : sheets) {
        if (page != sheets.front() && !printer.newPage()) {
            painter.end();
            TranslatedMessageBox(kPrintFailedString, MB_ICONEXCLAMATION);
            return false;
        }
        gdi::QtDC dc(painter);
        dc.SetPrinting(true);
        dc.SetPreview(preview);
        dc.SharePrintedImages(pictures);
        view_->PrintPage(dc, page);
    }
    return painter.end();
}

void CHoravelViewWidget::Print()
{
    QPrinter& printer = ApplicationPrinter();
    QPrintDialog dialog(&printer, this);
    const int count = view_->GetPrintPageCount();
    dialog.setMinMax(1, count);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    // The range offered is every sheet, unless a range chosen before still fits the drawing.
    if (printer.printRange() != QPrinter::PageRange || printer.fromPage() < 1 || printer.toPage() > count)
        dialog.setFromTo(1, count);
    if (dialog.exec() != QDialog::Accepted)
        return;
    PrintSheets(printer);
}

void CHoravelViewWidget::PrintPreview() { PrintPreview(ApplicationPrinter()); }

void CHoravelViewWidget::PrintPreview(QPrinter& printer)
{
    QPrintPreviewDialog dialog(&printer, this);
    // The dialog's own Print button paints through the same signal, onto the printer.
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) {
        // The preview records its pages as pictures; its Print button paints the printer's own way.
        const QPaintEngine* engine = target->paintEngine();
        PrintSheets(*target, engine && engine->type() == QPaintEngine::Picture);
    });
    // Set once the dialog has made its pages: before that there is nothing to lay out.
    if (view_->PreviewTwoPages())
        if (auto* preview = dialog.findChild<QPrintPreviewWidget*>())
            QTimer::singleShot(0, preview, [preview] { preview->setViewMode(QPrintPreviewWidget::AllPagesView); });
    CMainFrame* frame = GetMainFrame();
    if (frame)
        frame->OnSetPreviewMode(true);
    dialog.resize(std::max(width(), 640), std::max(height(), 480));
    dialog.exec();
    if (frame)
        frame->OnSetPreviewMode(false);
}
