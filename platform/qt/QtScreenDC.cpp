#include "platform/qt/QtScreenDC.h"

#include "platform/ScreenDC.h"
#include "platform/qt/QtDC.h"

#include <QImage>

#include <cmath>

namespace {

constexpr double kInchesPerMetre = 1000.0 / 25.4;

// The image must exist before the context painting on it, and outlive it.
struct ImageHolder {
    QImage image;
};

class QtScreenDC final : private ImageHolder, public gdi::QtDC {
public:
    QtScreenDC(int ppiX, int ppiY) : ImageHolder{MakeImage(ppiX, ppiY)}, gdi::QtDC(image) {}

private:
    static QImage MakeImage(int ppiX, int ppiY)
    {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        image.setDotsPerMeterX(static_cast<int>(std::lround(ppiX * kInchesPerMetre)));
        image.setDotsPerMeterY(static_cast<int>(std::lround(ppiY * kInchesPerMetre)));
        return image;
    }
};

}  // namespace

std::unique_ptr<gdi::DC> CreateQtScreenDC(int pixelsPerInchX, int pixelsPerInchY)
{
    if (pixelsPerInchX <= 0 || pixelsPerInchY <= 0)
        return nullptr;
    return std::make_unique<QtScreenDC>(pixelsPerInchX, pixelsPerInchY);
}

void InstallQtScreenDC()
{
    SetScreenDCFactory(&CreateQtScreenDC);
}
