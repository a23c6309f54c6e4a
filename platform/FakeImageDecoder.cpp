#include "platform/FakeImageDecoder.h"

namespace {

gdi::Image Solid(gdi::Size size, std::uint32_t argb)
{
    gdi::Image image;
    if (size.cx <= 0 || size.cy <= 0)
        return image;
    image.width = size.cx;
    image.height = size.cy;
    image.pixels.assign(static_cast<std::size_t>(size.cx) * static_cast<std::size_t>(size.cy), argb);
    return image;
}

}  // namespace

gdi::Image FakeImageDecoder::Decode(std::string_view bytes, gdi::Size size)
{
    const picture::Format format = picture::DetectFormat(bytes);
    calls.push_back({format, size, bytes.size()});
    if (const auto it = bitmapSizes_.find(format); it != bitmapSizes_.end())
        return Solid(size.cx > 0 && size.cy > 0 ? size : it->second, pixel_);
    if (!metafiles_.count(format))
        return {};
    if (size.cx > 0 && size.cy > 0)
        return Solid(size, pixel_);
    const auto himetric = picture::MetafileSizeHimetric(bytes);
    if (!himetric)
        return {};
    return Solid({gdi::MulDiv(himetric->cx, 96, 2540), gdi::MulDiv(himetric->cy, 96, 2540)}, pixel_);
}

std::optional<gdi::Size> FakeImageDecoder::BitmapSize(std::string_view bytes)
{
    if (const auto it = bitmapSizes_.find(picture::DetectFormat(bytes)); it != bitmapSizes_.end())
        return it->second;
    return std::nullopt;
}

bool FakeImageDecoder::Supports(picture::Format format) const
{
    return bitmapSizes_.count(format) != 0 || metafiles_.count(format) != 0;
}

ScopedFakeImageDecoder::ScopedFakeImageDecoder()
{
    auto fake = std::make_unique<FakeImageDecoder>();
    fake_ = fake.get();
    previous_ = SetImageDecoder(std::move(fake));
}

ScopedFakeImageDecoder::~ScopedFakeImageDecoder()
{
    SetImageDecoder(std::move(previous_));
}
