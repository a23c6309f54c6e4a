#pragma once
// A scriptable image decoder for tests: each format it is told about decodes to a plain
// image (bitmaps at a fixed size, metafiles at the size asked for); every call is recorded.
//
//   ScopedFakeImageDecoder fake;
//   fake->SetBitmapSize(picture::Format::Jpeg, {40, 30});
#include "platform/ImageDecoder.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class FakeImageDecoder : public ImageDecoder {
public:
    struct Call {
        picture::Format format = picture::Format::Unknown;
        gdi::Size size;
        std::size_t byteCount = 0;
    };

    // Bitmaps of that format are that size, and decode to an opaque image of it (of the size
    // asked, when one is).
    void SetBitmapSize(picture::Format format, gdi::Size size) { bitmapSizes_[format] = size; }
    // Metafiles of that format decode at the size asked (their own size at 96 pixels per
    // inch when none is asked).
    void SupportMetafile(picture::Format format) { metafiles_[format] = true; }
    // The colour of every decoded pixel (0xAARRGGBB).
    void SetPixel(std::uint32_t argb) { pixel_ = argb; }

    gdi::Image Decode(std::string_view bytes, gdi::Size size) override;
    std::optional<gdi::Size> BitmapSize(std::string_view bytes) override;
    bool Supports(picture::Format format) const override;

    std::vector<Call> calls;

private:
    std::map<picture::Format, gdi::Size> bitmapSizes_;
    std::map<picture::Format, bool> metafiles_;
    std::uint32_t pixel_ = 0xFF336699u;
};

// Installs a FakeImageDecoder for the life of the object and puts the previous decoder back.
class ScopedFakeImageDecoder {
public:
    ScopedFakeImageDecoder();
    ~ScopedFakeImageDecoder();
    ScopedFakeImageDecoder(const ScopedFakeImageDecoder&) = delete;
    ScopedFakeImageDecoder& operator=(const ScopedFakeImageDecoder&) = delete;
    FakeImageDecoder* operator->() { return fake_; }
    FakeImageDecoder& operator*() { return *fake_; }

private:
    FakeImageDecoder* fake_;
    std::unique_ptr<ImageDecoder> previous_;
};
