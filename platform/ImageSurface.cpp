#include "platform/ImageSurface.h"

#include <utility>

namespace {

ImageSurfaceFactory& Factory()
{
    static ImageSurfaceFactory factory;
    return factory;
}

}  // namespace

std::unique_ptr<ImageSurface> CreateImageSurface(int width, int height, int pixelsPerInchX, int pixelsPerInchY)
{
    if (width <= 0 || height <= 0 || !Factory())
        return nullptr;
    return Factory()(width, height, pixelsPerInchX, pixelsPerInchY);
}

ImageSurfaceFactory SetImageSurfaceFactory(ImageSurfaceFactory factory)
{
    return std::exchange(Factory(), std::move(factory));
}
