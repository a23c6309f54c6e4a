#pragma once
// A white image to draw on and the box of what was drawn on it.
#include <QImage>
#include <QRect>

namespace qtdctest {

inline QImage Canvas(int width, int height, int dpi = 96)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::white);
    const int dotsPerMeter = static_cast<int>(dpi / 0.0254 + 0.5);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}

inline bool Inked(const QImage& image, int x, int y)
{
    return image.pixel(x, y) != 0xFFFFFFFFu;
}

// Bounding box of every non-white pixel inside area (the whole image by default); null when
// nothing was drawn there.
inline QRect InkBox(const QImage& image, QRect area = {})
{
    if (area.isNull())
        area = image.rect();
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (Inked(image, x, y))
                box = box.united(QRect(x, y, 1, 1));
        }
    }
    return box;
}

inline int InkCount(const QImage& image, QRect area = {})
{
    if (area.isNull())
        area = image.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            n += Inked(image, x, y) ? 1 : 0;
    }
    return n;
}

}  // namespace qtdctest
