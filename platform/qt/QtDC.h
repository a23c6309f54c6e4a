#pragma once
// The device context over a QPainter: screen widgets, images, printers, PDF and SVG.
// Pixels land where the classic desktop graphics interface puts them: a one-pixel line
// covers its start pixel and not its end pixel, a rectangle or ellipse covers left..right-1
// and top..bottom-1, text sits on its reference point by the alignment flags, arcs run
// counter-clockwise. Cosmetic pens (width 0 or 1) stay one device pixel wide, on a
// high-density screen too, where their dashes keep their length; wider pens have round ends
// and joins, and are always solid.
#include "platform/DCBase.h"
#include "platform/qt/FontResolver.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPixmap>
#include <QRegion>
#include <QTransform>
#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

class QPaintDevice;

namespace gdi {

QImage ToQImage(const Image& image);
Image FromQImage(const QImage& image);
QColor ToQColor(COLORREF color);  // the colour must not be a palette index

class QtDC : public DCBase {
public:
    // Opens a painter of its own on the device (closed when the context dies).
    explicit QtDC(QPaintDevice& device);
    // Draws through an active painter that the caller owns; its transform and clip stay
    // under this context's, and its state is restored when the context dies.
    explicit QtDC(QPainter& painter);
    ~QtDC() override;
    QtDC(const QtDC&) = delete;
    QtDC& operator=(const QtDC&) = delete;

    bool IsActive() const { return painter_->isActive(); }
    QPainter& Painter() { return *painter_; }
    // Printers and PDF writers print unless told otherwise.
    void SetPrinting(bool printing) { printing_ = printing; }
    void SetPreview(bool preview) { preview_ = preview; }
    // The pixmaps handed to a printer, one per picture; the sheets of one print job share
    // theirs, so that a preview, which keeps every sheet, holds each picture once.
    using PrintedImages = std::unordered_map<std::uint64_t, QPixmap>;
    void SharePrintedImages(PrintedImages& images) { printedImages_ = &images; }

    bool LineTo(int x, int y) override;
    bool Polyline(const Point* points, int count) override;
    bool Polygon(const Point* points, int count) override;
    bool Rectangle(int left, int top, int right, int bottom) override;
    bool Ellipse(int left, int top, int right, int bottom) override;
    bool Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) override;
    bool Chord(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) override;
    bool Pie(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) override;
    COLORREF SetPixel(int x, int y, COLORREF color) override;
    void FillRect(const Rect& rect, const Brush& brush) override;
    bool TextOut(int x, int y, std::string_view text) override;
    int DrawText(std::string_view text, Rect& rect, unsigned format) override;
    Size GetTextExtent(std::string_view text) const override;
    TextMetrics GetTextMetrics() const override;
    bool DrawImage(const Rect& dest, const Image& image) override;

    int GetDeviceCaps(int index) const override;
    bool IsPrinting() const override { return printing_; }
    bool IsPreview() const override { return preview_; }

protected:
    Rect DeviceBounds() const override;

private:
    enum class ArcKind { Open, Chord, Pie };

    struct FontCache {
        LogFont logFont;
        QFont font;
        FontFace face;
        std::unique_ptr<QFontMetrics> metrics;
    };

    void Init();
    bool Ready();
    void ApplyClip();
    const FontCache& Font() const;
    QString TextToDraw(std::string_view text) const;
    QColor Color(COLORREF color) const { return ToQColor(ResolveColor(color)); }
    bool PenVisible() const;
    bool BrushVisible() const;
    bool Cosmetic() const;
    QPen WidePen() const;
    QPen CosmeticPen() const;
    // The painter set to fill with the brush and no outline, or to outline with the pen and
    // no fill.
    void UseFillOnly();
    void UseOutlineOnly();
    // A figure given by its box: false when nothing can be drawn, nothing drawn for an empty
    // box; draw gets the box in device coordinates.
    template <typename Draw>
    bool DrawInBox(int left, int top, int right, int bottom, Draw draw);
    // Strokes the device-coordinate polyline with the current pen; with closed, back to the
    // first point. Each segment covers its start pixel and not its end pixel.
    void StrokePolyline(const std::vector<Point>& devicePoints, bool closed);
    // The same for a cosmetic pen on a pixel device: the pixels are chosen here, so that
    // the end pixel rule and the style run exactly as on the classic interface.
    void PlotCosmetic(const std::vector<Point>& devicePoints, bool closed);
    // Sets the device pixels (within bounds) straight into an image device when that gives
    // what the painter would; false when the painter must draw them.
    bool PlotIntoImage(const std::vector<QPoint>& pixels, QRect bounds);
    // The device pixel under the centre of the context's pixel.
    QPoint DevicePixelOf(Point p) const;
    // The device pixels whose centres lie in the rectangle of the context's pixels.
    QRect DevicePixelsOf(const Rect& r) const;
    // The device's size in the context's pixels (an image counts device pixels).
    QSize LogicalSize() const;
    bool DrawArcFigure(ArcKind kind, int left, int top, int right, int bottom, int xStart, int yStart,
                       int xEnd, int yEnd);
    void DrawTextRun(Point reference, const QString& text, unsigned align);

    std::unique_ptr<QPainter> ownPainter_;
    QPainter* painter_ = nullptr;
    QPaintDevice* device_ = nullptr;
    // Each pixel of the context covers whole device pixels (raster engine, a whole shift and
    // the screen's ratio at most): thin lines are then plotted device pixel by device pixel.
    bool pixelExact_ = false;
    // Device pixels per pixel of the context beyond the caller's scale (2 on a high-density
    // screen), and where the context's point (0, 0) falls on the device when pixelExact_.
    double deviceRatio_ = 1.0;
    QPointF deviceOrigin_;
    // Where each device pixel is the context's pixel moved by a whole shift (ratio 1): that
    // shift, so that the per-vertex conversion is an addition.
    std::optional<QPoint> wholeShift_;
    bool printing_ = false;
    bool preview_ = false;
    QTransform baseTransform_;
    bool baseClipped_ = false;
    QRegion baseClip_;
    std::optional<std::optional<Rect>> appliedClip_;
    mutable std::unique_ptr<FontCache> font_;
    // The images handed to a printer, by their number (see DrawImage).
    PrintedImages ownPrintedImages_;
    PrintedImages* printedImages_ = &ownPrintedImages_;
};

}  // namespace gdi
