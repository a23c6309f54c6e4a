#include "platform/ImageDecoder.h"

#include <cstdint>
#include <cstdlib>

namespace picture {

namespace {

constexpr std::uint32_t kEmfHeaderType = 1;
constexpr std::uint32_t kEmfSignature = 0x464D4520;  // " EMF"
constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableHeaderBytes = 22;
constexpr int kHimetricPerInch = 2540;

std::uint32_t U32(std::string_view b, std::size_t at)
{
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i)
        v |= static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + i])) << (8 * i);
    return v;
}

std::uint16_t U16(std::string_view b, std::size_t at)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                      (static_cast<unsigned char>(b[at + 1]) << 8));
}

std::int32_t I32(std::string_view b, std::size_t at) { return static_cast<std::int32_t>(U32(b, at)); }
std::int16_t I16(std::string_view b, std::size_t at) { return static_cast<std::int16_t>(U16(b, at)); }

// The standard header of a classic metafile: type 1 (memory) or 2 (disk), nine words long,
// version 1.0 or 3.0.
bool IsClassicMetafileHeader(std::string_view b, std::size_t at)
{
    if (b.size() < at + 6)
        return false;
    const std::uint16_t type = U16(b, at);
    const std::uint16_t words = U16(b, at + 2);
    const std::uint16_t version = U16(b, at + 4);
    return (type == 1 || type == 2) && words == 9 && (version == 0x0100 || version == 0x0300);
}

}  // namespace

Format DetectFormat(std::string_view b)
{
    if (b.size() >= 2 && b[0] == 'B' && b[1] == 'M')
        return Format::Bmp;
    if (b.size() >= 6 && (b.substr(0, 6) == "GIF87a" || b.substr(0, 6) == "GIF89a"))
        return Format::Gif;
    if (b.size() >= 3 && static_cast<unsigned char>(b[0]) == 0xFF && static_cast<unsigned char>(b[1]) == 0xD8 &&
        static_cast<unsigned char>(b[2]) == 0xFF)
        return Format::Jpeg;
    if (b.size() >= 8 && b.substr(0, 8) == std::string_view("\x89PNG\r\n\x1a\n", 8))
        return Format::Png;
    if (b.size() >= 44 && U32(b, 0) == kEmfHeaderType && U32(b, 40) == kEmfSignature)
        return Format::Emf;
    if (b.size() >= 4 && U32(b, 0) == kPlaceableKey)
        return IsClassicMetafileHeader(b, kPlaceableHeaderBytes) ? Format::Wmf : Format::Unknown;
    if (IsClassicMetafileHeader(b, 0))
        return Format::Wmf;
    return Format::Unknown;
}

bool IsMetafile(Format format) { return format == Format::Emf || format == Format::Wmf; }

std::string_view FormatName(Format format)
{
    switch (format) {
    case Format::Bmp: return "BMP";
    case Format::Gif: return "GIF";
    case Format::Jpeg: return "JPEG";
    case Format::Png: return "PNG";
    case Format::Emf: return "EMF";
    case Format::Wmf: return "WMF";
    case Format::Unknown: break;
    }
    return "";
}

std::optional<gdi::Size> MetafileSizeHimetric(std::string_view b)
{
    const Format format = DetectFormat(b);
    long long width = 0;
    long long height = 0;
    if (format == Format::Emf) {
        // rclFrame: left, top, right, bottom, already in HIMETRIC.
        width = static_cast<long long>(I32(b, 32)) - I32(b, 24);
        height = static_cast<long long>(I32(b, 36)) - I32(b, 28);
    } else if (format == Format::Wmf && U32(b, 0) == kPlaceableKey) {
        const int inch = U16(b, 14);
        if (inch == 0)
            return std::nullopt;
        width = (static_cast<long long>(I16(b, 10)) - I16(b, 6)) * kHimetricPerInch / inch;
        height = (static_cast<long long>(I16(b, 12)) - I16(b, 8)) * kHimetricPerInch / inch;
    } else {
        return std::nullopt;
    }
    // Negative extents come from a frame given bottom-up; the size is its magnitude.
    width = std::llabs(width);
    height = std::llabs(height);
    if (width == 0 || height == 0 || width > INT32_MAX || height > INT32_MAX)
        return std::nullopt;
    return gdi::Size{static_cast<int>(width), static_cast<int>(height)};
}

bool IsWellFormedMetafile(std::string_view b)
{
    const Format format = DetectFormat(b);
    if (format == Format::Emf) {
        // The header record holds its description (UTF-16 characters at an offset) and may
        // hold a pixel format: a reader takes them where the header says, so they must lie
        // inside it. A description is given by both its count and its offset, or by neither.
        constexpr std::uint64_t kHeaderBytes = 88;
        constexpr std::uint64_t kHeaderWithPixelFormatBytes = 100;
        const std::uint64_t headerSize = U32(b, 4);
        if (headerSize < kHeaderBytes || headerSize > b.size())
            return false;
        const std::uint64_t descriptionChars = U32(b, 60);
        const std::uint64_t descriptionAt = U32(b, 64);
        if ((descriptionChars == 0) != (descriptionAt == 0))
            return false;
        if (descriptionChars != 0 &&
            (descriptionAt < kHeaderBytes || descriptionAt + 2 * descriptionChars > headerSize))
            return false;
        if (headerSize >= kHeaderWithPixelFormatBytes) {
            const std::uint64_t formatBytes = U32(b, 88);
            const std::uint64_t formatAt = U32(b, 92);
            if (formatBytes != 0 && (formatAt < kHeaderBytes || formatAt + formatBytes > headerSize))
                return false;
        }
        // Records: type and size (a multiple of 4, at least 8), the last one EMR_EOF.
        constexpr std::uint32_t kEndRecord = 14;
        std::size_t at = 0;
        std::uint32_t type = 0;
        while (at + 8 <= b.size()) {
            type = U32(b, at);
            const std::uint32_t size = U32(b, at + 4);
            if (size < 8 || size % 4 != 0 || size > b.size() - at)
                return false;
            at += size;
            if (type == kEndRecord)
                return true;
        }
        return false;
    }
    if (format == Format::Wmf) {
        // Header in words, then records of (size in words, function), the last one 0. The
        // header's largest record sizes a reader's buffer: it is held to the file's own size,
        // and every record to it.
        std::size_t at = U32(b, 0) == kPlaceableKey ? kPlaceableHeaderBytes : 0;
        constexpr std::size_t kStandardHeaderBytes = 18;
        if (b.size() < at + kStandardHeaderBytes)
            return false;
        const std::uint64_t largestWords = U32(b, at + 12);
        if (largestWords * 2 > b.size() - at)
            return false;
        const std::size_t headerWords = U16(b, at + 2);
        at += headerWords * 2;
        while (at + 6 <= b.size()) {
            const std::uint64_t words = U32(b, at);
            const std::uint16_t function = U16(b, at + 4);
            if (words < 3 || words * 2 > b.size() - at || words > largestWords)
                return false;
            at += static_cast<std::size_t>(words * 2);
            if (function == 0)
                return true;
        }
        return false;
    }
    return false;
}

}  // namespace picture

namespace {

std::unique_ptr<ImageDecoder>& DecoderSlot()
{
    static std::unique_ptr<ImageDecoder> decoder;
    return decoder;
}

}  // namespace

ImageDecoder& GetImageDecoder()
{
    auto& slot = DecoderSlot();
    if (!slot)
        slot = std::make_unique<NullImageDecoder>();
    return *slot;
}

std::unique_ptr<ImageDecoder> SetImageDecoder(std::unique_ptr<ImageDecoder> decoder)
{
    auto& slot = DecoderSlot();
    std::unique_ptr<ImageDecoder> previous = std::move(slot);
    slot = std::move(decoder);
    return previous;
}
