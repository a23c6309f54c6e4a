#include "platform/qt/QtDC.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygon>
#include <algorithm>
#include <array>
#include <initializer_list>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <numbers>

namespace gdi {

QImage ToQImage(const Image& image)
{
    if (image.IsNull() || image.pixels.size() < static_cast<std::size_t>(image.width) * image.height)
        return {};
    QImage out(image.width, image.height, QImage::Format_ARGB32);
    if (out.isNull())
        return {};
    for (int y = 0; y < image.height; ++y)
        std::memcpy(out.scanLine(y), image.pixels.data() + static_cast<std::size_t>(y) * image.width,
                    static_cast<std::size_t>(image.width) * sizeof(std::uint32_t));
    return out;
}

Image FromQImage(const QImage& image)
{
    Image out;
    if (image.isNull())
        return out;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    out.width = argb.width();
    out.height = argb.height();
    out.pixels.resize(static_cast<std::size_t>(out.width) * out.height);
    for (int y = 0; y < out.height; ++y)
        std::memcpy(out.pixels.data() + static_cast<std::size_t>(y) * out.width, argb.constScanLine(y),
                    static_cast<std::size_t>(out.width) * sizeof(std::uint32_t));
    return out;
}

QColor ToQColor(COLORREF color)
{
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

QtDC::QtDC(QPaintDevice& device)
    : ownPainter_(std::make_unique<QPainter>(&device)), painter_(ownPainter_.get())
{
    Init();
}

QtDC::QtDC(QPainter& painter) : painter_(&painter)
{
    if (painter_->isActive())
        painter_->save();
    Init();
}

QtDC::~QtDC()
{
    if (!painter_->isActive())
        return;
    if (ownPainter_)
        painter_->end();
    else
        painter_->restore();
}

void QtDC::Init()
{
    device_ = painter_->device();
    printing_ = dynamic_cast<QPagedPaintDevice*>(device_) != nullptr;
    if (!painter_->isActive())
        return;
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
    baseTransform_ = painter_->worldTransform();
    const bool raster = painter_->paintEngine() && painter_->paintEngine()->type() == QPaintEngine::Raster;
    const bool integerShift = baseTransform_.type() <= QTransform::TxTranslate
                              && baseTransform_.dx() == std::floor(baseTransform_.dx())
                              && baseTransform_.dy() == std::floor(baseTransform_.dy());
    // What the painter adds to the caller's transform: the screen's ratio on a high-density
    // screen or image, nothing elsewhere.
    const QTransform toDevice = painter_->deviceTransform();
    const bool scaled = toDevice.type() <= QTransform::TxScale && baseTransform_.type() <= QTransform::TxScale &&
                        toDevice.m11() == toDevice.m22() && baseTransform_.m11() == baseTransform_.m22() &&
                        baseTransform_.m11() > 0 && toDevice.m11() > 0;
    deviceRatio_ = scaled ? toDevice.m11() / baseTransform_.m11() : 1.0;
    deviceOrigin_ = QPointF(toDevice.dx(), toDevice.dy());
    wholeShift_.reset();
    if (deviceRatio_ == 1.0 && deviceOrigin_ == deviceOrigin_.toPoint())
        wholeShift_ = deviceOrigin_.toPoint();
    pixelExact_ = raster && integerShift && scaled && device_;
    baseClipped_ = painter_->hasClipping();
    if (baseClipped_)
        baseClip_ = painter_->clipRegion();
}

bool QtDC::Ready()
{
    if (!painter_->isActive())
        return false;
    ApplyClip();
    return true;
}

void QtDC::ApplyClip()
{
    const std::optional<Rect>& clip = State().clip;
    if (appliedClip_ && *appliedClip_ == clip)
        return;
    painter_->setWorldTransform(baseTransform_);
    if (baseClipped_)
        painter_->setClipRegion(baseClip_);
    if (clip) {
        const QRect r(clip->left, clip->top, clip->Width(), clip->Height());
        painter_->setClipRect(r, baseClipped_ ? Qt::IntersectClip : Qt::ReplaceClip);
    } else if (!baseClipped_) {
        painter_->setClipping(false);
    }
    appliedClip_ = clip;
}

const QtDC::FontCache& QtDC::Font() const
{
    const LogFont& wanted = State().font;
    if (!font_ || font_->logFont != wanted) {
        auto cache = std::make_unique<FontCache>();
        cache->logFont = wanted;
        cache->font = MakeQFont(wanted, device_);
        cache->face = ResolveFontFace(wanted.faceName, wanted.pitchAndFamily);
        cache->metrics = device_ ? std::make_unique<QFontMetrics>(cache->font, device_)
                                 : std::make_unique<QFontMetrics>(cache->font);
        font_ = std::move(cache);
    }
    return *font_;
}

QString QtDC::TextToDraw(std::string_view text) const
{
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return Font().face.zodiacSymbols ? MapZodiacLetters(s) : s;
}

bool QtDC::PenVisible() const
{
    return State().pen.style != PS_NULL;
}

bool QtDC::BrushVisible() const
{
    return State().brush.style == BS_SOLID;
}

bool QtDC::Cosmetic() const
{
    return State().pen.width <= 1;
}

QPen QtDC::WidePen() const
{
    // Wide pens are geometric: round ends and joins, and no dashes.
    return QPen(Color(State().pen.color), State().pen.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

namespace {

// Cosmetic pen styles, in pixels on and off.
struct StyleRuns {
    std::array<int, 6> runs{};
    int count = 0;
    int length = 0;
};

StyleRuns StyleOf(int penStyle)
{
    const auto make = [](std::initializer_list<int> runs) {
        StyleRuns s;
        for (int r : runs) {
            s.runs[static_cast<std::size_t>(s.count++)] = r;
            s.length += r;
        }
        return s;
    };
    switch (penStyle) {
    case PS_DASH: return make({18, 6});
    case PS_DOT: return make({3, 3});
    case PS_DASHDOT: return make({9, 6, 3, 6});
    case PS_DASHDOTDOT: return make({9, 3, 3, 3, 3, 3});
    default: return {};
    }
}

// Whether the pixel step device pixels along a line is drawn; the style counts the context's
// pixels, ratio device pixels each. A solid line is drawn throughout, and costs no division.
bool StyleOn(const StyleRuns& style, long long step, double ratio)
{
    if (style.count == 0)
        return true;
    long long pos = static_cast<long long>(std::floor(step / ratio)) % style.length;
    for (int k = 0; k < style.count; ++k) {
        if (pos < style.runs[static_cast<std::size_t>(k)])
            return k % 2 == 0;
        pos -= style.runs[static_cast<std::size_t>(k)];
    }
    return true;
}

}  // namespace

QPen QtDC::CosmeticPen() const
{
    QPen pen(Color(State().pen.color));
    pen.setWidth(1);
    pen.setCosmetic(true);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    // Style lengths in device pixels, as long on a high-density screen as on another.
    const StyleRuns style = StyleOf(State().pen.style);
    if (style.count > 0) {
        QList<qreal> pattern;
        for (int k = 0; k < style.count; ++k)
            pattern.push_back(style.runs[static_cast<std::size_t>(k)] * deviceRatio_);
        pen.setDashPattern(pattern);
    }
    return pen;
}

namespace {

// i * slope / den to the nearest integer, halves upward, for i = first, first + 1, ...: the
// quotient and the remainder of (2 i slope + den) / (2 den) are carried from one i to the
// next, so that a step costs an addition and no division. den > 0 and |slope| <= den.
class RoundedRatio {
public:
    RoundedRatio(long long first, long long slope, long long den) : step_(2 * slope), period_(2 * den)
    {
        // The start may be far along a long line: its product needs more than 64 bits.
        const __int128 twice = 2 * static_cast<__int128>(first) * slope + den;
        __int128 quotient = twice / period_;
        __int128 remainder = twice % period_;
        if (remainder < 0) {
            --quotient;
            remainder += period_;
        }
        value_ = static_cast<long long>(quotient);
        remainder_ = static_cast<long long>(remainder);
    }
    long long Value() const { return value_; }
    void Next()
    {
        remainder_ += step_;
        if (remainder_ >= period_) {
            remainder_ -= period_;
            ++value_;
        } else if (remainder_ < 0) {
            remainder_ += period_;
            --value_;
        }
    }

private:
    long long step_;
    long long period_;
    long long value_ = 0;
    long long remainder_ = 0;  // in [0, period_)
};

}  // namespace

bool QtDC::PlotIntoImage(const std::vector<QPoint>& pixels, QRect bounds)
{
    // The painter would blend each pixel through a span of its own: an opaque pen on a plain
    // 32-bit image, with no opacity, no composition and at most one clip rectangle, only
    // replaces the pixels, which is much faster done here.
    auto* image = dynamic_cast<QImage*>(device_);
    if (!image || (image->format() != QImage::Format_RGB32 && image->format() != QImage::Format_ARGB32 &&
                   image->format() != QImage::Format_ARGB32_Premultiplied))
        return false;
    if (painter_->compositionMode() != QPainter::CompositionMode_SourceOver || painter_->opacity() != 1.0 ||
        painter_->viewTransformEnabled() || painter_->worldTransform() != baseTransform_)
        return false;
    if (painter_->hasClipping()) {
        const QRegion clip = painter_->clipRegion();
        if (clip.rectCount() != 1)
            return false;
        const QRect box = clip.boundingRect();
        bounds &= DevicePixelsOf(Rect{box.left(), box.top(), box.right() + 1, box.bottom() + 1});
    }
    bounds &= image->rect();
    const QRgb rgb = Color(State().pen.color).rgba();
    // The image is the painter's alone while it paints (a copy made meanwhile is a deep one),
    // so these are the very pixels the painter writes.
    uchar* const bits = image->bits();
    const qsizetype stride = image->bytesPerLine();
    for (const QPoint& p : pixels) {
        if (bounds.contains(p))
            reinterpret_cast<QRgb*>(bits + p.y() * stride)[p.x()] = rgb;
    }
    return true;
}

QPoint QtDC::DevicePixelOf(Point p) const
{
    if (wholeShift_)
        return QPoint(p.x, p.y) + *wholeShift_;
    return {static_cast<int>(std::floor((p.x + 0.5) * deviceRatio_ + deviceOrigin_.x())),
            static_cast<int>(std::floor((p.y + 0.5) * deviceRatio_ + deviceOrigin_.y()))};
}

QRect QtDC::DevicePixelsOf(const Rect& r) const
{
    const auto first = [this](int v, double origin) {
        return static_cast<int>(std::ceil(v * deviceRatio_ + origin - 0.5));
    };
    const QPoint topLeft(first(r.left, deviceOrigin_.x()), first(r.top, deviceOrigin_.y()));
    const QPoint pastBottomRight(first(r.right, deviceOrigin_.x()), first(r.bottom, deviceOrigin_.y()));
    return QRect(topLeft, pastBottomRight - QPoint(1, 1));
}

void QtDC::PlotCosmetic(const std::vector<Point>& pts, bool closed)
{
    // Everything here is in device pixels: a line is one of them wide whatever the ratio.
    QRect bounds = DevicePixelsOf(DeviceBounds());
    if (const std::optional<Rect>& clip = State().clip)
        bounds &= DevicePixelsOf(*clip);
    if (bounds.isEmpty())
        return;

    const StyleRuns style = StyleOf(State().pen.style);
    std::vector<QPoint> pixels;
    long long step = 0;  // the style runs on from one segment to the next
    const std::size_t count = closed ? pts.size() : pts.size() - 1;
    // Each vertex ends one segment and starts the next: converted once.
    QPoint db = DevicePixelOf(pts[0]);
    for (std::size_t s = 0; s < count; ++s) {
        const QPoint da = db;
        db = DevicePixelOf(pts[(s + 1) % pts.size()]);
        const Point a{da.x(), da.y()};
        const Point b{db.x(), db.y()};
        const long long dx = static_cast<long long>(b.x) - a.x;
        const long long dy = static_cast<long long>(b.y) - a.y;
        const long long n = std::max(std::llabs(dx), std::llabs(dy));
        if (n == 0)
            continue;
        const bool xMajor = std::llabs(dx) >= std::llabs(dy);
        const long long major0 = xMajor ? a.x : a.y;
        const long long minor0 = xMajor ? a.y : a.x;
        const long long dMajor = xMajor ? dx : dy;
        const long long dMinor = xMajor ? dy : dx;
        const long long lo = xMajor ? bounds.left() : bounds.top();
        const long long hi = xMajor ? bounds.right() : bounds.bottom();
        const long long mlo = xMajor ? bounds.top() : bounds.left();
        const long long mhi = xMajor ? bounds.bottom() : bounds.right();

        // Steps i in [first, last) whose pixel can be inside the bounds; the end pixel
        // (i = n) is never drawn.
        long long first = 0;
        long long last = n;
        if (dMajor > 0) {
            first = std::max(first, lo - major0);
            last = std::min(last, hi - major0 + 1);
        } else {
            first = std::max(first, major0 - hi);
            last = std::min(last, major0 - lo + 1);
        }
        if (dMinor != 0) {
            const double i1 = static_cast<double>(mlo - 1 - minor0) * n / dMinor;
            const double i2 = static_cast<double>(mhi + 1 - minor0) * n / dMinor;
            first = std::max(first, static_cast<long long>(std::floor(std::min(i1, i2))) - 1);
            last = std::min(last, static_cast<long long>(std::ceil(std::max(i1, i2))) + 2);
        } else if (minor0 < mlo || minor0 > mhi) {
            first = last;
        }
        const long long dir = dMajor > 0 ? 1 : -1;
        const long long start = std::max(first, 0LL);
        RoundedRatio offset(start, dMinor, n);  // minor - minor0 at step i
        for (long long i = start; i < last; ++i, offset.Next()) {
            if (!StyleOn(style, step + i, deviceRatio_))
                continue;
            const long long major = major0 + dir * i;
            const long long minor = minor0 + offset.Value();
            if (minor < mlo || minor > mhi)
                continue;
            pixels.emplace_back(static_cast<int>(xMajor ? major : minor), static_cast<int>(xMajor ? minor : major));
        }
        step += n;
    }
    if (pixels.empty())
        return;
    if (PlotIntoImage(pixels, bounds))
        return;
    QPen pen(Color(State().pen.color));
    pen.setWidth(1);
    pen.setCosmetic(true);
    pen.setCapStyle(Qt::SquareCap);
    painter_->setPen(pen);
    // Back to the context's coordinates: a point on a device pixel's corner paints that pixel.
    if (wholeShift_) {
        for (QPoint& p : pixels)
            p -= *wholeShift_;
        painter_->drawPoints(pixels.data(), static_cast<int>(pixels.size()));
        return;
    }
    std::vector<QPointF> points;
    points.reserve(pixels.size());
    for (const QPoint& p : pixels)
        points.emplace_back((p.x() - deviceOrigin_.x()) / deviceRatio_, (p.y() - deviceOrigin_.y()) / deviceRatio_);
    painter_->drawPoints(points.data(), static_cast<int>(points.size()));
}

void QtDC::UseFillOnly()
{
    painter_->setPen(Qt::NoPen);
    painter_->setBrush(Color(State().brush.color));
}

void QtDC::UseOutlineOnly()
{
    painter_->setBrush(Qt::NoBrush);
    painter_->setPen(Cosmetic() ? CosmeticPen() : WidePen());
}

void QtDC::StrokePolyline(const std::vector<Point>& pts, bool closed)
{
    if (!PenVisible() || pts.size() < 2)
        return;
    if (Cosmetic() && pixelExact_) {
        PlotCosmetic(pts, closed);
        return;
    }
    // Pixel centres are at +0.5 in the painter's continuous coordinates.
    QPainterPath path(QPointF(pts[0].x + 0.5, pts[0].y + 0.5));
    for (std::size_t i = 1; i < pts.size(); ++i)
        path.lineTo(pts[i].x + 0.5, pts[i].y + 0.5);
    if (closed)
        path.closeSubpath();
    UseOutlineOnly();
    painter_->drawPath(path);
}

bool QtDC::LineTo(int x, int y)
{
    const Point from = ToDevice(GetCurrentPosition());
    SetCurrentPosition({x, y});
    if (!Ready())
        return false;
    StrokePolyline({from, ToDevice(x, y)}, false);
    return true;
}

bool QtDC::Polyline(const Point* points, int count)
{
    if (!points || count < 2 || !Ready())
        return false;
    std::vector<Point> device(points, points + count);
    for (Point& p : device)
        p = ToDevice(p);
    StrokePolyline(device, false);
    return true;
}

bool QtDC::Polygon(const Point* points, int count)
{
    if (!points || count < 2 || !Ready())
        return false;
    std::vector<Point> device(points, points + count);
    QPolygon polygon;
    polygon.reserve(count);
    for (Point& p : device) {
        p = ToDevice(p);
        polygon << QPoint(p.x, p.y);
    }
    if (BrushVisible()) {
        // Vertices on pixel corners: a pixel is filled when its centre is inside, so the
        // right and bottom edges stay out as they do for rectangles.
        UseFillOnly();
        painter_->drawPolygon(polygon, Qt::OddEvenFill);
    }
    StrokePolyline(device, true);
    return true;
}

template <typename Draw>
bool QtDC::DrawInBox(int left, int top, int right, int bottom, Draw draw)
{
    if (!Ready())
        return false;
    const Rect d = ToDevice(Rect{left, top, right, bottom}.Normalized());
    if (!d.IsEmpty())
        draw(d);
    return true;
}

bool QtDC::Rectangle(int left, int top, int right, int bottom)
{
    return DrawInBox(left, top, right, bottom, [this](const Rect& d) {
        if (!PenVisible()) {
            // Without a pen the figure is one pixel narrower and shorter.
            if (BrushVisible() && d.Width() > 1 && d.Height() > 1)
                painter_->fillRect(QRect(d.left, d.top, d.Width() - 1, d.Height() - 1), Color(State().brush.color));
            return;
        }
        if (BrushVisible())
            painter_->fillRect(QRect(d.left, d.top, d.Width(), d.Height()), Color(State().brush.color));
        StrokePolyline({{d.left, d.top}, {d.right - 1, d.top}, {d.right - 1, d.bottom - 1}, {d.left, d.bottom - 1}},
                       true);
    });
}

bool QtDC::Ellipse(int left, int top, int right, int bottom)
{
    return DrawInBox(left, top, right, bottom, [this](const Rect& d) {
        // Through the centres of the outermost pixels: the figure covers left..right-1.
        const QRectF e(d.left + 0.5, d.top + 0.5, d.Width() - 1, d.Height() - 1);
        if (BrushVisible()) {
            UseFillOnly();
            painter_->drawEllipse(PenVisible() ? e : QRectF(d.left, d.top, d.Width() - 1, d.Height() - 1));
        }
        if (PenVisible()) {
            UseOutlineOnly();
            painter_->drawEllipse(e);
        }
    });
}

bool QtDC::DrawArcFigure(ArcKind kind, int left, int top, int right, int bottom, int xStart, int yStart,
                         int xEnd, int yEnd)
{
    return DrawInBox(left, top, right, bottom, [&](const Rect& d) {
        const QRectF e(d.left + 0.5, d.top + 0.5, d.Width() - 1, d.Height() - 1);
        const QPointF c = e.center();
        const double rx = e.width() / 2;
        const double ry = e.height() / 2;
        // Qt's arc angles are those of the ellipse's parameter; the start and end points give
        // radial directions, so convert: (cos t, sin t) is along (dx / rx, dy / ry).
        const auto angleOf = [&](int x, int y) {
            const Point p = ToDevice(x, y);
            const double dx = p.x + 0.5 - c.x();
            const double dyUp = c.y() - (p.y + 0.5);
            return std::atan2(dyUp * rx, dx * ry) * 180.0 / std::numbers::pi;
        };
        const double start = angleOf(xStart, yStart);
        double sweep = angleOf(xEnd, yEnd) - start;
        while (sweep <= 0)
            sweep += 360.0;  // the same radial twice is the whole ellipse

        QPainterPath path;
        if (kind == ArcKind::Pie) {
            path.moveTo(c);
            path.arcTo(e, start, sweep);
            path.closeSubpath();
        } else {
            path.arcMoveTo(e, start);
            path.arcTo(e, start, sweep);
            if (kind == ArcKind::Chord)
                path.closeSubpath();
        }
        if (kind != ArcKind::Open && BrushVisible()) {
            UseFillOnly();
            painter_->drawPath(path);
        }
        if (PenVisible()) {
            UseOutlineOnly();
            painter_->drawPath(path);
        }
    });
}

bool QtDC::Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd)
{
    return DrawArcFigure(ArcKind::Open, left, top, right, bottom, xStart, yStart, xEnd, yEnd);
}

bool QtDC::Chord(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd)
{
    return DrawArcFigure(ArcKind::Chord, left, top, right, bottom, xStart, yStart, xEnd, yEnd);
}

bool QtDC::Pie(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd)
{
    return DrawArcFigure(ArcKind::Pie, left, top, right, bottom, xStart, yStart, xEnd, yEnd);
}

COLORREF QtDC::SetPixel(int x, int y, COLORREF color)
{
    const COLORREF resolved = ResolveColor(color);
    if (!Ready())
        return static_cast<COLORREF>(-1);
    const Point p = ToDevice(x, y);
    painter_->fillRect(QRect(p.x, p.y, 1, 1), ToQColor(resolved));
    return resolved;
}

void QtDC::FillRect(const Rect& rect, const Brush& brush)
{
    if (brush.style != BS_SOLID || !Ready())
        return;
    const Rect d = ToDevice(rect.Normalized());
    if (!d.IsEmpty())
        painter_->fillRect(QRect(d.left, d.top, d.Width(), d.Height()), Color(brush.color));
}

void QtDC::DrawTextRun(Point reference, const QString& text, unsigned align)
{
    const FontCache& f = Font();
    const int width = f.metrics->horizontalAdvance(text);
    const int ascent = f.metrics->ascent();
    const int descent = f.metrics->descent();
    int x0 = 0;
    switch (align & TA_CENTER) {
    case TA_CENTER: x0 = -width / 2; break;
    case TA_RIGHT: x0 = -width; break;
    default: break;
    }
    int baseline = 0;
    switch (align & TA_BASELINE) {
    case TA_BASELINE: baseline = 0; break;
    case TA_BOTTOM: baseline = -descent; break;
    default: baseline = ascent; break;
    }
    painter_->setWorldTransform(baseTransform_);
    painter_->translate(reference.x, reference.y);
    if (f.logFont.escapement != 0)
        painter_->rotate(-f.logFont.escapement / 10.0);  // Qt turns clockwise on screen
    if (State().bkMode == OPAQUE)
        painter_->fillRect(QRect(x0, baseline - ascent, width, ascent + descent), Color(State().bkColor));
    painter_->setFont(f.font);
    painter_->setPen(QPen(Color(State().textColor)));
    painter_->drawText(QPoint(x0, baseline), text);
    painter_->setWorldTransform(baseTransform_);
}

bool QtDC::TextOut(int x, int y, std::string_view text)
{
    const Point reference = TextReference(x, y);
    if (!Ready())
        return false;
    const QString s = TextToDraw(text);
    DrawTextRun(ToDevice(reference), s, State().textAlign);
    AdvanceAfterText(Font().metrics->horizontalAdvance(s));
    return true;
}

int QtDC::DrawText(std::string_view text, Rect& rect, unsigned format)
{
    const TextLayout layout = LayoutDrawText(text, rect, format);
    if (format & DT_CALCRECT) {
        rect = layout.bounds;
        return layout.height;
    }
    if (!Ready())
        return 0;
    if (!(format & DT_NOCLIP)) {
        const Rect d = ToDevice(rect.Normalized());
        painter_->setClipRect(QRect(d.left, d.top, d.Width(), d.Height()),
                              painter_->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
        appliedClip_.reset();  // the next drawing puts the context's own clip back
    }
    // Lines are placed from their top-left corners whatever the text alignment.
    for (const TextLine& line : layout.lines) {
        if (!line.text.empty())
            DrawTextRun(ToDevice(line.x, line.y), TextToDraw(line.text), TA_LEFT | TA_TOP);
    }
    return layout.height;
}

Size QtDC::GetTextExtent(std::string_view text) const
{
    const FontCache& f = Font();
    return {f.metrics->horizontalAdvance(TextToDraw(text)), f.metrics->ascent() + f.metrics->descent()};
}

TextMetrics QtDC::GetTextMetrics() const
{
    const FontCache& f = Font();
    TextMetrics tm;
    tm.ascent = f.metrics->ascent();
    tm.descent = f.metrics->descent();
    tm.height = tm.ascent + tm.descent;
    tm.internalLeading = std::max(0, tm.height - f.font.pixelSize());
    tm.externalLeading = std::max(0, f.metrics->leading());
    tm.aveCharWidth = f.metrics->averageCharWidth();
    tm.maxCharWidth = f.metrics->maxWidth();
    return tm;
}

bool QtDC::DrawImage(const Rect& dest, const Image& image)
{
    if (image.IsNull() || !Ready())
        return false;
    const Rect d = ToDevice(dest.Normalized());
    if (d.IsEmpty())
        return false;
    const QRect target(d.left, d.top, d.Width(), d.Height());
    // A printer, and a print preview above all, keeps every picture drawn on its page: one drawn
    // in many frames is handed to it once, as one pixmap (an image would be copied into a new
    // pixmap at every frame).
    if (printing_ && image.id != 0) {
        const auto [kept, added] = printedImages_->try_emplace(image.id);
        if (added)
            kept->second = QPixmap::fromImage(ToQImage(image));
        if (kept->second.isNull())
            return false;
        painter_->drawPixmap(target, kept->second);
        return true;
    }
    const QImage picture = ToQImage(image);
    if (picture.isNull())
        return false;
    painter_->drawImage(target, picture);
    return true;
}

QSize QtDC::LogicalSize() const
{
    if (const auto* image = dynamic_cast<const QImage*>(device_))
        return image->deviceIndependentSize().toSize();
    if (const auto* pixmap = dynamic_cast<const QPixmap*>(device_))
        return pixmap->deviceIndependentSize().toSize();
    return {device_->width(), device_->height()};
}

Rect QtDC::DeviceBounds() const
{
    if (!device_)
        return {};
    // The device's surface seen through the caller's transform.
    const QRect r = baseTransform_.inverted().mapRect(QRect(QPoint(0, 0), LogicalSize()));
    return {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
}

int QtDC::GetDeviceCaps(int index) const
{
    if (!device_)
        return 0;
    switch (index) {
    case LOGPIXELSX: return device_->logicalDpiX();
    case LOGPIXELSY: return device_->logicalDpiY();
    case HORZRES: return LogicalSize().width();
    case VERTRES: return LogicalSize().height();
    // Millimetres of the logical surface too, though an image reckons them from its own pixels.
    case HORZSIZE: return device_->width() > 0 ? MulDiv(device_->widthMM(), LogicalSize().width(), device_->width()) : 0;
    case VERTSIZE: return device_->height() > 0 ? MulDiv(device_->heightMM(), LogicalSize().height(), device_->height()) : 0;
    case BITSPIXEL: return device_->depth();
    default: break;
    }
    const auto* paged = dynamic_cast<const QPagedPaintDevice*>(device_);
    if (!paged)
        return 0;
    const QPageLayout layout = paged->pageLayout();
    const QRect full = layout.fullRectPixels(device_->logicalDpiX());
    const QRect paint = layout.paintRectPixels(device_->logicalDpiX());
    switch (index) {
    case PHYSICALWIDTH: return full.width();
    case PHYSICALHEIGHT: return full.height();
    case PHYSICALOFFSETX: return paint.left() - full.left();
    case PHYSICALOFFSETY: return paint.top() - full.top();
    default: return 0;
    }
}

}  // namespace gdi
