#include "docview/CImagePicture.h"

#include "app/Trace.h"
#include "app/Translation.h"
#include "platform/AsciiText.h"
#include "platform/Paths.h"
#include "platform/Services.h"
#include "platform/TextFile.h"
#include "platform/Timers.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <new>
#include <unordered_map>
#include <utility>

namespace {

constexpr int kHimetricPerInch = 2540;
// Metafiles are rendered to pixels at the size they are drawn, up to this many pixels a side
// (the context stretches the rest): enough for a printed page, bounded in memory.
constexpr int kMaxRenderSide = 4096;
// Version of the stored picture record.
constexpr std::int32_t kPictureRecordVersion = 1;

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

// What the decoded pictures of the document hold together, and whether the user was told
// that one could not be decoded within it. Pictures die with their document: when none is left
// the next document starts afresh.
struct PictureMemory {
    std::size_t budgetBytes = CImagePicture::kDefaultMemoryBudgetBytes;
    std::size_t heldBytes = 0;
    int livePictures = 0;
    bool told = false;
};

PictureMemory& Memory()
{
    static PictureMemory memory;
    return memory;
}

std::size_t ImageBytes(gdi::Size size)
{
    return size.cx > 0 && size.cy > 0 ? static_cast<std::size_t>(size.cx) * static_cast<std::size_t>(size.cy) * 4 : 0;
}

// The user is told once, out of the painting that found it, that some pictures are drawn as
// placeholders.
class OverBudgetNotice final : public TimerHost {
public:
    static constexpr int kTimer = 1;
    void OnTimer(int id) override
    {
        KillTimer(id);
        GetServices().MessageBox(GetTranslatedString(227), "", MB_OK | MB_ICONEXCLAMATION);
    }
};

void TellOverBudget()
{
    PictureMemory& memory = Memory();
    if (memory.told)
        return;
    memory.told = true;
    Trace("[ERROR] Pictures beyond their memory budget (%zu bytes) drawn as placeholders", memory.budgetBytes);
    // Lives as long as the program: it must outlast every picture.
    static OverBudgetNotice* notice = new OverBudgetNotice;
    notice->SetTimer(OverBudgetNotice::kTimer, 0);
}

}  // namespace

// One picture's bytes and pixels, shared by every holder of the same bytes.
struct CImagePicture::Data {
    explicit Data(std::string b) : bytes(std::move(b)), format(picture::DetectFormat(bytes)) { ++Memory().livePictures; }
    ~Data()
    {
        PictureMemory& memory = Memory();
        memory.heldBytes -= ImageBytes({decoded.width, decoded.height});
        if (--memory.livePictures == 0)
            memory.told = false;
    }
    Data(const Data&) = delete;
    Data& operator=(const Data&) = delete;

    // The pixels to draw over size pixels: metafiles rendered at that size, bitmaps decoded at
    // it (no larger than their own) and kept while no larger size is asked. A picture that
    // would take the memory budget past its limit keeps what it had (stretched), or nothing.
    const gdi::Image& Pixels(gdi::Size size)
    {
        const bool metafile = picture::IsMetafile(format);
        gdi::Size target = size;
        std::size_t decodingBytes = ImageBytes(size);
        if (!metafile) {
            if (failed)
                return decoded;
            if (!ownSize) {
                ownSize = GetImageDecoder().BitmapSize(bytes);
                if (!ownSize) {
                    failed = true;
                    return decoded;
                }
            }
            target = size.cx > 0 && size.cy > 0 ? gdi::Size{std::min(size.cx, ownSize->cx), std::min(size.cy, ownSize->cy)}
                                                 : *ownSize;
            if (!decoded.IsNull() && decoded.width >= target.cx && decoded.height >= target.cy)
                return decoded;
            target = {std::max(target.cx, decoded.width), std::max(target.cy, decoded.height)};
            // A reader that cannot decode at a smaller size decodes the whole picture first.
            decodingBytes = ImageBytes(*ownSize);
        } else if (tried && size == decodedSize) {
            return decoded;
        }
        PictureMemory& memory = Memory();
        const std::size_t held = ImageBytes({decoded.width, decoded.height});
        if (decodingBytes > memory.budgetBytes || memory.heldBytes - held + ImageBytes(target) > memory.budgetBytes) {
            TellOverBudget();
            return decoded;
        }
        gdi::Image image;
        try {
            image = GetImageDecoder().Decode(bytes, target);
        } catch (const std::bad_alloc&) {
            TellOverBudget();
            return decoded;
        }
        tried = true;
        decodedSize = size;
        if (image.IsNull() && !metafile) {
            failed = true;
            return decoded;
        }
        memory.heldBytes = memory.heldBytes - held + ImageBytes({image.width, image.height});
        decoded = std::move(image);
        // New pixels, a new number: a printer is handed each number's pixels once.
        static std::uint64_t lastId = 0;
        decoded.id = ++lastId;
        return decoded;
    }

    const std::string bytes;
    const picture::Format format;
    bool tried = false;
    bool failed = false;  // a bitmap that cannot be decoded is not tried again
    std::optional<gdi::Size> ownSize;
    gdi::Size decodedSize;
    gdi::Image decoded;
};

namespace {

// Pictures by their bytes: a document that holds the same picture many times decodes it once.
std::unordered_multimap<std::size_t, std::weak_ptr<CImagePicture::Data>>& SharedPictures()
{
    static std::unordered_multimap<std::size_t, std::weak_ptr<CImagePicture::Data>> pictures;
    return pictures;
}

}  // namespace

std::shared_ptr<CImagePicture::Data> CImagePicture::Share(std::string bytes)
{
    auto& pictures = SharedPictures();
    const std::size_t key = std::hash<std::string>{}(bytes);
    const auto [first, last] = pictures.equal_range(key);
    for (auto it = first; it != last;) {
        if (auto data = it->second.lock()) {
            if (data->bytes == bytes)
                return data;
            ++it;
        } else {
            it = pictures.erase(it);
        }
    }
    auto data = std::make_shared<Data>(std::move(bytes));
    pictures.emplace(key, data);
    return data;
}

void CImagePicture::SetMemoryBudget(std::size_t bytes) { Memory().budgetBytes = bytes; }

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
    const std::string_view tail = text.size() >= 4 ? std::string_view(text).substr(text.size() - 4) : std::string_view();
    const bool known = std::any_of(std::begin(kExtensions), std::end(kExtensions),
                                   [&](const char* extension) { return ascii::EqualsNoCase(tail, extension); });
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
    data_ = Share(std::move(bytes));
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
    const auto pixels = GetImageDecoder().BitmapSize(data_->bytes);
    if (!pixels)
        return std::nullopt;
    // Rounded up, so that converting back to pixels at the same resolution, truncating,
    // gives the pixel size again.
    auto toHimetric = [](int length, int ppi) {
        return static_cast<int>((static_cast<long long>(length) * kHimetricPerInch + ppi - 1) / ppi);
    };
    return gdi::Size{toHimetric(pixels->cx, pixelsPerInchX), toHimetric(pixels->cy, pixelsPerInchY)};
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
    // The smallest picture tells as well as the whole one.
    return !data_->Pixels({1, 1}).IsNull();
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
        data_ = Share(std::move(bytes));
}
