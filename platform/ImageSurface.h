#pragma once
// A picture in memory that a device context draws into: what the clipboard's bitmap copy of
// the view is drawn on.
//
// The application installs a factory on the desktop toolkit, which draws real pixels;
// without one no surface can be made, and the callers go without the picture.
#include "platform/Gdi.h"

#include <functional>
#include <memory>

class ImageSurface {
public:
    virtual ~ImageSurface() = default;
    // The context drawing on the picture, valid until Finish().
    virtual gdi::DC& Context() = 0;
    // Ends the drawing and gives the picture.
    virtual gdi::Image Finish() = 0;
};

// A black picture of width x height pixels whose context has the given resolution; null when
// the size is empty, too large to allocate, or no factory is installed.
std::unique_ptr<ImageSurface> CreateImageSurface(int width, int height, int pixelsPerInchX, int pixelsPerInchY);

using ImageSurfaceFactory =
    std::function<std::unique_ptr<ImageSurface>(int width, int height, int pixelsPerInchX, int pixelsPerInchY)>;
// Returns the factory in place before; an empty one removes it.
ImageSurfaceFactory SetImageSurfaceFactory(ImageSurfaceFactory factory);
