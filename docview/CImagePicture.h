#pragma once
// The picture of a picture frame, kept as the bytes of its own file (BMP, GIF, JPEG, PNG,
// enhanced or classic metafile) and written back unchanged. Copies, and holders of the same
// bytes, share the bytes and the decoded pixels; loading another picture into one holder
// leaves the others as they were.
//
// Pixels come from the process-wide ImageDecoder (platform/ImageDecoder.h), at the size the
// picture is drawn. A picture that it cannot decode is still kept, stored and drawn, as a
// framed placeholder; so is one whose pixels would take the decoded pictures past their
// memory budget, and the user is told once (the pictures of one document share the budget).
#include "platform/Archive.h"
#include "platform/Gdi.h"
#include "platform/ImageDecoder.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

class CImagePicture {
public:
    // The extensions Load recognises, in the order it tries them on a path without one.
    static constexpr const char* kExtensions[] = {".BMP", ".RLE", ".DIB", ".GIF", ".JPG", ".WMF", ".EMF"};

    bool IsEmpty() const { return !data_; }
    picture::Format GetFormat() const;
    // The picture's file bytes; empty when there is no picture.
    const std::string& GetBytes() const;

    // A path ending in one of kExtensions (in any case) loads that file; any other path
    // loads, in the order of kExtensions, each existing file made of the path and the
    // extension, so that the last one found stays. File names are matched without regard to
    // case. True when the last file tried was loaded.
    bool Load(const std::filesystem::path& path);
    // The whole file; false, and the holder unchanged, when it cannot be read or is not a
    // picture of a known format.
    bool LoadFromFile(const std::filesystem::path& file);
    bool LoadFromBytes(std::string bytes);
    // An enhanced metafile made by the program (a clipboard copy, an export).
    bool CreateFromEnhMetafile(std::string emfBytes);
    void Clear() { data_.reset(); }

    // The picture's own size in HIMETRIC (0.01 mm): from the header of a metafile, from the
    // decoded pixels at the given screen resolution for a bitmap. Nothing when it cannot be
    // read.
    std::optional<gdi::Size> GetSizeHimetric(int pixelsPerInchX, int pixelsPerInchY) const;

    // Draws the picture stretched over rect, or a framed placeholder when it cannot be
    // decoded; nothing when there is no picture.
    void Render(gdi::DC& dc, const gdi::Rect& rect) const;
    // True when the picture can be turned into pixels.
    bool CanDecode() const;

    // The most the decoded pictures may hold together, and the most one decoding may take.
    static constexpr std::size_t kDefaultMemoryBudgetBytes = std::size_t{512} << 20;
    static void SetMemoryBudget(std::size_t bytes);

    // The bytes and pixels that holders of the same picture share (CImagePicture.cpp).
    struct Data;

    // Int32 1, then int32 1 and the byte count and bytes of the picture, or int32 0 when
    // there is none. Reading keeps whatever bytes are stored, known format or not.
    void Serialize(Archive& ar);

private:
    // The shared data of these bytes: an existing holder's, or new.
    static std::shared_ptr<Data> Share(std::string bytes);

    std::shared_ptr<Data> data_;
};
