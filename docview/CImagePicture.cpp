#include "docview/CImagePicture.h"

#include "platform/Paths.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <utility>

namespace {

constexpr int kHimetricPerInch = 2540;
// Metafiles are rendered to pixels at the size they are drawn, up to this many pixels a side
// (the context stretches the rest): enough for a printed page, bounded in memory.
constexpr int kMaxRenderSide = 4096;
// Version of the stored picture record.
constexpr std::int32_t kPictureRecordVersion = 1;

std::string UpperAscii(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::optional<std::filesystem::path> FindFile(const std::filesystem::path& path)
{
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec))
        return path;
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    auto found = paths::FindCaseInsensitive(folder, path.filename().string());
    if (found && std::filesystem::is_regular_file(*found, ec))
        return found;
    return std::nullopt;
}

// Scales a size down to fit kMaxRenderSide, keeping its proportions.
gdi::Size RenderSize(int width, int height)
{
    const int longest = std::max(width, height);
    if (longest <= kMaxRenderSide)
        return {width, height};
    return {std::max(1, gdi::MulDiv(width, kMaxRenderSide, longest)),
            std::max(1, gdi::MulDiv(height, kMaxRenderSide, longest))};
}

}  // namespace

struct CImagePicture::Data {
    explicit Data(std::string b) : bytes(std::move(b)), format(picture::DetectFormat(bytes)) {}

    // Bitmaps decode once; metafiles at the size last drawn.
    const gdi::Image& Pixels(gdi::Size size)
    {
        const bool metafile = picture::IsMetafile(format);
        if (!tried || (metafile && size != decodedSize)) {
            tried = true;
            decodedSize = size;
            decoded = GetImageDecoder().Decode(bytes, metafile ? size : gdi::Size{});
        }
        return decoded;
    }

    const std::string bytes;
    const picture::Format format;
    bool tried = false;
    gdi::Size decodedSize;
    gdi::Image decoded;
};

picture::Format CImagePicture::GetFormat() const
{
    return data_ ? data_->format : picture::Format::Unknown;
}

const std::string& CImagePicture::GetBytes() const
{
    static const std::string none;
    return data_ ? data_->bytes : none;
}

bool CImagePicture::Load(const std::filesystem::path& path)
{
    const std::string text = path.string();
    const std::string tail = text.size() >= 4 ? UpperAscii(text.substr(text.size() - 4)) : std::string();
    const bool known = tail.starts_with('.') &&
                       std::find(std::begin(kExtensions), std::end(kExtensions), tail) != std::end(kExtensions);
    if (known) {
        const auto file = FindFile(path);
        return file ? LoadFromFile(*file) : false;
    }
    bool result = false;
    for (const char* extension : kExtensions) {
        if (const auto file = FindFile(std::filesystem::path(text + extension)))
            result = LoadFromFile(*file);
    }
    return result;
}

bool CImagePicture::LoadFromFile(const std::filesystem::path& file)
{
    std::string bytes;
    if (!textfile::ReadBytes(file, bytes))
        return false;
    return LoadFromBytes(std::move(bytes));
}

bool CImagePicture::LoadFromBytes(std::string bytes)
{
    if (picture::DetectFormat(bytes) == picture::Format::Unknown)
        return false;
    data_ = std::make_shared<Data>(std::move(bytes));
    return true;
}

bool CImagePicture::CreateFromEnhMetafile(std::string emfBytes)
{
    if (picture::DetectFormat(emfBytes) != picture::Format::Emf)
        return false;
    return LoadFromBytes(std::move(emfBytes));
}

std::optional<gdi::Size> CImagePicture::GetSizeHimetric(int pixelsPerInchX, int pixelsPerInchY) const
{
    if (!data_)
        return std::nullopt;
    if (picture::IsMetafile(data_->format))
        return picture::MetafileSizeHimetric(data_->bytes);
    if (pixelsPerInchX <= 0 || pixelsPerInchY <= 0)
        return std::nullopt;
    const gdi::Image& image = data_->Pixels({});
    if (image.IsNull())
        return std::nullopt;
    // Rounded up, so that converting back to pixels at the same resolution, truncating,
    // gives the pixel size again.
    auto toHimetric = [](int pixels, int ppi) {
        return static_cast<int>((static_cast<long long>(pixels) * kHimetricPerInch + ppi - 1) / ppi);
    };
    return gdi::Size{toHimetric(image.width, pixelsPerInchX), toHimetric(image.height, pixelsPerInchY)};
}

bool CImagePicture::CanDecode() const
{
    if (!data_)
        return false;
    if (picture::IsMetafile(data_->format)) {
        if (!GetImageDecoder().Supports(data_->format))
            return false;
        const auto himetric = picture::MetafileSizeHimetric(data_->bytes);
        const gdi::Size size = himetric ? RenderSize(std::max(1, gdi::MulDiv(himetric->cx, 96, kHimetricPerInch)),
                                                     std::max(1, gdi::MulDiv(himetric->cy, 96, kHimetricPerInch)))
                                        : gdi::Size{};
        return !data_->Pixels(size).IsNull();
    }
    return !data_->Pixels({}).IsNull();
}

void CImagePicture::Render(gdi::DC& dc, const gdi::Rect& rect) const
{
    if (!data_)
        return;
    const gdi::Rect r = rect.Normalized();
    const int width = r.Width();
    const int height = r.Height();
    if (width <= 0 || height <= 0)
        return;
    const gdi::Image& image = data_->Pixels(RenderSize(width, height));
    if (!image.IsNull()) {
        dc.DrawImage(rect, image);
        return;
    }
    // A picture this program cannot show stays in the document: a grey crossed frame marks
    // where it is.
    const int saved = dc.SaveDC();
    dc.SelectPen(gdi::Pen{gdi::PS_SOLID, 1, gdi::RGB(128, 128, 128)});
    dc.SelectStockBrush(gdi::NULL_BRUSH);
    dc.Rectangle(r.left, r.top, r.right, r.bottom);
    dc.MoveTo(r.left, r.top);
    dc.LineTo(r.right - 1, r.bottom - 1);
    dc.MoveTo(r.right - 1, r.top);
    dc.LineTo(r.left, r.bottom - 1);
    dc.RestoreDC(saved);
}

void CImagePicture::Serialize(Archive& ar)
{
    if (ar.IsStoring()) {
        ar << kPictureRecordVersion;
        if (!data_) {
            ar << std::int32_t{0};
            return;
        }
        ar << std::int32_t{1};
        if (data_->bytes.size() > static_cast<std::size_t>(INT32_MAX))
            throw ArchiveException(ArchiveException::Cause::Generic, "picture: too large to be stored");
        ar << static_cast<std::int32_t>(data_->bytes.size());
        ar.Write(data_->bytes);
        return;
    }
    std::int32_t version = 0;
    std::int32_t present = 0;
    ar >> version >> present;
    if (present != 1) {
        data_.reset();
        return;
    }
    std::int32_t count = 0;
    ar >> count;
    if (count < 0)
        throw ArchiveException(ArchiveException::Cause::Generic, "picture: negative byte count");
    std::string bytes = ar.ReadBytes(static_cast<std::size_t>(count));
    if (bytes.empty())
        data_.reset();
    else
        data_ = std::make_shared<Data>(std::move(bytes));
}
