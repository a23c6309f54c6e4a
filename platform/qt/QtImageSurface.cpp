#include "platform/qt/QtImageSurface.h"

#include "platform/qt/QtDC.h"

#include <QImage>

#include <cmath>
#include <optional>

namespace {

constexpr double kInchesPerMetre = 1000.0 / 25.4;

class QtImageSurface final : public ImageSurface {
public:
    explicit QtImageSurface(QImage image) : image_(std::move(image)) { dc_.emplace(image_); }

    gdi::DC& Context() override { return *dc_; }

    gdi::Image Finish() override
    {
        dc_.reset();  // the painter ends before the pixels are read
        return gdi::FromQImage(image_);
    }

private:
    QImage image_;
    std::optional<gdi::QtDC> dc_;
};

}  // namespace

std::unique_ptr<ImageSurface> CreateQtImageSurface(int width, int height, int pixelsPerInchX, int pixelsPerInchY)
{
    if (width <= 0 || height <= 0 || pixelsPerInchX <= 0 || pixelsPerInchY <= 0
        || static_cast<long long>(width) * height > kMaxImageSurfacePixels)
        return nullptr;
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return nullptr;
    image.fill(Qt::black);
    image.setDotsPerMeterX(static_cast<int>(std::lround(pixelsPerInchX * kInchesPerMetre)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(pixelsPerInchY * kInchesPerMetre)));
    return std::make_unique<QtImageSurface>(std::move(image));
}

void InstallQtImageSurface()
{
    SetImageSurfaceFactory(&CreateQtImageSurface);
}
