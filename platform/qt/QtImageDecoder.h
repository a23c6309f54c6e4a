#pragma once
// Pictures decoded on the desktop toolkit: bitmaps (BMP with or without run-length
// encoding, GIF, JPEG, PNG) through its image readers; enhanced metafiles converted to SVG
// by libemf2svg and rendered by the toolkit's SVG renderer; classic metafiles drawn by libwmf
// on its bitmap device.
#include "platform/ImageDecoder.h"

class QtImageDecoder final : public ImageDecoder {
public:
    QtImageDecoder();
    gdi::Image Decode(std::string_view bytes, gdi::Size size) override;
    std::optional<gdi::Size> BitmapSize(std::string_view bytes) override;
    bool Supports(picture::Format format) const override;

    // The SVG text of an enhanced metafile laid out on width x height pixels; empty when the
    // library cannot convert it.
    static std::string EmfToSvg(std::string_view bytes, int width, int height);
    // A classic metafile drawn on size pixels (its own size when size is empty); a null
    // image when it cannot be drawn.
    static gdi::Image RenderWmf(std::string_view bytes, gdi::Size size);

private:
    bool wmfAvailable_ = false;
};
