#pragma once
// Pictures decoded on the desktop toolkit: bitmaps (BMP with or without run-length
// encoding, GIF, JPEG, PNG) through its image readers; enhanced metafiles converted to SVG
// by libemf2svg and classic metafiles by libwmf, then rendered by the toolkit's SVG renderer.
#include "platform/ImageDecoder.h"

class QtImageDecoder final : public ImageDecoder {
public:
    QtImageDecoder();
    gdi::Image Decode(std::string_view bytes, gdi::Size size) override;
    bool Supports(picture::Format format) const override;

    // The SVG text of a metafile; empty when the library cannot convert it. Width and
    // height are the pixels the drawing is laid out on.
    static std::string EmfToSvg(std::string_view bytes, int width, int height);
    static std::string WmfToSvg(std::string_view bytes);

private:
    bool wmfAvailable_ = false;
};
