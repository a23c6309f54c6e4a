#pragma once
// Pictures kept in their own file format (BMP, GIF, JPEG, PNG, enhanced and classic
// metafiles) and the service that turns their bytes into pixels.
//
// Recognising a format and reading a metafile's size are plain byte work done here. Decoding
// goes through the process-wide ImageDecoder: the application installs one on the desktop
// toolkit; until then NullImageDecoder decodes nothing, so pictures are kept and drawn as
// placeholders. Tests install FakeImageDecoder (platform/FakeImageDecoder.h).
#include "platform/Gdi.h"

#include <memory>
#include <optional>
#include <string_view>

namespace picture {

enum class Format { Unknown, Bmp, Gif, Jpeg, Png, Emf, Wmf };

// The format told by the first bytes (not by a file name). A device-independent bitmap file
// and a run-length-encoded bitmap are bitmaps ("BM"); a classic metafile is recognised with
// or without its placeable header.
Format DetectFormat(std::string_view bytes);
bool IsMetafile(Format format);
// "BMP", "GIF", "JPEG", "PNG", "EMF", "WMF"; "" for Unknown.
std::string_view FormatName(Format format);

// A metafile's own size in HIMETRIC units (0.01 mm): the frame of an enhanced metafile's
// header, or the bounding box of a placeable classic metafile over its units per inch.
// Nothing for other formats, for a classic metafile without a placeable header, and for a
// header that is cut short or gives an empty or negative size.
std::optional<gdi::Size> MetafileSizeHimetric(std::string_view bytes);

// Whether the records of a metafile lie within its bytes and it ends with its end record:
// what a metafile must be before it is handed to a decoding library.
bool IsWellFormedMetafile(std::string_view bytes);

}  // namespace picture

class ImageDecoder {
public:
    virtual ~ImageDecoder() = default;
    // The picture at size pixels, or when size is empty at its own size (a metafile's at 96
    // pixels per inch). A bitmap is decoded at the smaller size where the decoder can, and
    // scaled down after decoding where it cannot. A null image when the bytes cannot be
    // decoded.
    virtual gdi::Image Decode(std::string_view bytes, gdi::Size size) = 0;
    // The size in pixels of a bitmap picture, read from its header without decoding it;
    // nothing for a metafile or when it cannot be read.
    virtual std::optional<gdi::Size> BitmapSize(std::string_view bytes) = 0;
    // Whether the decoder can decode pictures of that format at all.
    virtual bool Supports(picture::Format format) const = 0;
};

// Decodes nothing.
class NullImageDecoder final : public ImageDecoder {
public:
    gdi::Image Decode(std::string_view, gdi::Size) override { return {}; }
    std::optional<gdi::Size> BitmapSize(std::string_view) override { return std::nullopt; }
    bool Supports(picture::Format) const override { return false; }
};

// The process-wide decoder. Setting null goes back to NullImageDecoder. Returns the decoder
// in place before (null when none had been made yet). A decoder holding toolkit objects
// must be replaced before the toolkit's application object is destroyed.
ImageDecoder& GetImageDecoder();
std::unique_ptr<ImageDecoder> SetImageDecoder(std::unique_ptr<ImageDecoder> decoder);
