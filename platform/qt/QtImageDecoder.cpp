#include "platform/qt/QtImageDecoder.h"

#include "platform/qt/QtDC.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

#include <emf2svg.h>
#include <libwmf/api.h>
#include <libwmf/gd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unordered_map>
#include <vector>

namespace {

constexpr int kHimetricPerInch = 2540;
constexpr int kScreenPpi = 96;
// Pictures larger than this (pixels a side) are not decoded: a damaged header must not
// make the program allocate gigabytes.
constexpr int kMaxSide = 16384;

const char* ReaderFormat(picture::Format format)
{
    switch (format) {
    case picture::Format::Bmp: return "bmp";
    case picture::Format::Gif: return "gif";
    case picture::Format::Jpeg: return "jpeg";
    case picture::Format::Png: return "png";
    default: return nullptr;
    }
}

// The toolkit's reader on a picture's bytes, read where they are: a size asked of a large
// picture costs its header, not a copy of the whole file.
class BitmapReader {
public:
    BitmapReader(std::string_view bytes, picture::Format format)
        : data_(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()))), buffer_(&data_)
    {
        buffer_.open(QIODevice::ReadOnly);
        reader_.setDevice(&buffer_);
        reader_.setFormat(ReaderFormat(format));
    }
    QImageReader& operator*() { return reader_; }
    QImageReader* operator->() { return &reader_; }

private:
    QByteArray data_;
    QBuffer buffer_;
    QImageReader reader_;
};

gdi::Image DecodeBitmap(std::string_view bytes, picture::Format format, gdi::Size wanted)
{
    BitmapReader reader(bytes, format);
    const QSize size = reader->size();
    if (size.isValid() && (size.width() > kMaxSide || size.height() > kMaxSide))
        return {};
    // Smaller than the picture: the reader decodes at that size where its format allows
    // (JPEG), and scales down after decoding otherwise.
    if (size.isValid() && wanted.cx > 0 && wanted.cy > 0 && wanted.cx <= size.width() && wanted.cy <= size.height())
        reader->setScaledSize(QSize(wanted.cx, wanted.cy));
    QImage image;
    if (!reader->read(&image))
        return {};
    return gdi::FromQImage(image);
}

gdi::Image RenderSvg(const std::string& svg, gdi::Size size)
{
    if (svg.empty() || size.cx <= 0 || size.cy <= 0 || size.cx > kMaxSide || size.cy > kMaxSide)
        return {};
    QSvgRenderer renderer(QByteArray(svg.data(), static_cast<qsizetype>(svg.size())));
    if (!renderer.isValid())
        return {};
    QImage image(size.cx, size.cy, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
    }
    return gdi::FromQImage(image);
}

// The size a metafile is drawn at when no size is asked: its own at the screen resolution.
gdi::Size OwnSize(std::string_view bytes)
{
    const auto himetric = picture::MetafileSizeHimetric(bytes);
    if (!himetric)
        return {};
    return {std::max(1, gdi::MulDiv(himetric->cx, kScreenPpi, kHimetricPerInch)),
            std::max(1, gdi::MulDiv(himetric->cy, kScreenPpi, kHimetricPerInch))};
}

// What libwmf may allocate for one picture, all its buffers together: a drawing of
// 4096 pixels a side (the most a frame asks) with room to spare. A damaged header can make it ask
// for gigabytes (its record buffer is sized from the header's largest record).
constexpr std::size_t kWmfMemoryLimit = 256u << 20;
// The finest resolution a classic metafile is drawn at, in pixels per inch of its own size.
constexpr int kMaxWmfPpi = 600;

// The allocation functions libwmf is given: the system's, within kWmfMemoryLimit; a request
// beyond it fails, which ends the picture's decoding.
class WmfMemory {
public:
    static void* Malloc(void* context, std::size_t size)
    {
        return static_cast<WmfMemory*>(context)->Resize(nullptr, size);
    }
    static void* Realloc(void* context, void* block, std::size_t size)
    {
        return static_cast<WmfMemory*>(context)->Resize(block, size);
    }
    static void Free(void* context, void* block)
    {
        auto* self = static_cast<WmfMemory*>(context);
        if (const auto it = self->sizes_.find(block); it != self->sizes_.end()) {
            self->used_ -= it->second;
            self->sizes_.erase(it);
        }
        std::free(block);
    }

private:
    void* Resize(void* block, std::size_t size)
    {
        std::size_t old = 0;
        if (const auto it = sizes_.find(block); block && it != sizes_.end())
            old = it->second;
        if (size > kWmfMemoryLimit || used_ - old > kWmfMemoryLimit - size)
            return nullptr;
        void* moved = block ? std::realloc(block, size ? size : 1) : std::malloc(size ? size : 1);
        if (!moved)
            return nullptr;
        sizes_.erase(block);
        sizes_[moved] = size;
        used_ = used_ - old + size;
        return moved;
    }

    std::size_t used_ = 0;
    std::unordered_map<void*, std::size_t> sizes_;
};

// One rendering session of libwmf on its bitmap device, released on every path (the pixels
// belong to the session).
class WmfSession {
public:
    WmfSession()
    {
        wmfAPI_Options options;
        std::memset(&options, 0, sizeof options);
        options.function = wmf_gd_function;
        options.context = &memory_;
        options.malloc = WmfMemory::Malloc;
        options.realloc = WmfMemory::Realloc;
        options.free = WmfMemory::Free;
        const unsigned long flags =
            WMF_OPT_FUNCTION | WMF_OPT_ALLOC | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
        if (wmf_api_create(&api_, flags, &options) != wmf_E_None) {
            if (api_)
                wmf_api_destroy(api_);
            api_ = nullptr;
        }
    }
    ~WmfSession()
    {
        if (!api_)
            return;
        if (open_)
            wmf_mem_close(api_);
        wmf_api_destroy(api_);
    }
    WmfSession(const WmfSession&) = delete;
    WmfSession& operator=(const WmfSession&) = delete;

    bool Ready() const { return api_ != nullptr; }

    // The metafile drawn over size pixels (its own size at the screen resolution when size
    // is empty).
    gdi::Image Render(std::string_view bytes, gdi::Size size)
    {
        if (!api_)
            return {};
        input_.assign(bytes.begin(), bytes.end());
        if (wmf_mem_open(api_, input_.data(), static_cast<long>(input_.size())) != wmf_E_None)
            return {};
        open_ = true;
        wmfD_Rect bbox;
        if (wmf_scan(api_, 0, &bbox) != wmf_E_None)
            return {};
        if (size.cx <= 0 || size.cy <= 0) {
            unsigned int width = 0;
            unsigned int height = 0;
            if (wmf_display_size(api_, &width, &height, kScreenPpi, kScreenPpi) != wmf_E_None)
                return {};
            size = {static_cast<int>(width), static_cast<int>(height)};
        }
        if (size.cx <= 0 || size.cy <= 0 || size.cx > kMaxSide || size.cy > kMaxSide)
            return {};
        size = WithinOwnResolution(size);
        // The device writes a PNG file; a memory stream catches it. (Its in-memory image mode
        // leaves the image to the caller with no way to free it.)
        char* png = nullptr;
        std::size_t pngLength = 0;
        FILE* out = open_memstream(&png, &pngLength);
        if (!out)
            return {};
        wmf_gd_t* device = WMF_GD_GetData(api_);
        device->type = wmf_gd_png;
        device->file = out;
        device->flags |= WMF_GD_OUTPUT_FILE;
        device->bbox = bbox;
        device->width = static_cast<unsigned int>(size.cx);
        device->height = static_cast<unsigned int>(size.cy);
        const bool played = wmf_play(api_, 0, &bbox) == wmf_E_None;
        std::fclose(out);
        QImage image;
        if (played && png)
            image.loadFromData(reinterpret_cast<const uchar*>(png), static_cast<int>(pngLength), "png");
        std::free(png);
        return gdi::FromQImage(image);
    }

private:
    // The device's cost grows with the scale it draws at (its pens are at least a point
    // wide): a picture is drawn at most at kMaxWmfPpi of its own size, and the context
    // stretches it further. A damaged header that makes a picture a few points wide would
    // otherwise take minutes to draw over a frame.
    gdi::Size WithinOwnResolution(gdi::Size size) const
    {
        unsigned int most[2] = {0, 0};
        if (wmf_display_size(api_, &most[0], &most[1], kMaxWmfPpi, kMaxWmfPpi) != wmf_E_None)
            return size;
        const double fx = static_cast<double>(std::max(1u, most[0])) / size.cx;
        const double fy = static_cast<double>(std::max(1u, most[1])) / size.cy;
        const double f = std::min(fx, fy);
        if (f >= 1.0)
            return size;
        return {std::max(1, static_cast<int>(size.cx * f)), std::max(1, static_cast<int>(size.cy * f))};
    }

    // Declared first: it outlives the session, whose end frees through it.
    WmfMemory memory_;
    wmfAPI* api_ = nullptr;
    bool open_ = false;
    std::vector<unsigned char> input_;
};

}  // namespace

QtImageDecoder::QtImageDecoder()
{
    // libwmf cannot start without the fonts it maps metafile fonts to.
    wmfAvailable_ = WmfSession().Ready();
}

bool QtImageDecoder::Supports(picture::Format format) const
{
    switch (format) {
    case picture::Format::Bmp:
    case picture::Format::Gif:
    case picture::Format::Jpeg:
    case picture::Format::Png:
    case picture::Format::Emf:
        return true;
    case picture::Format::Wmf:
        return wmfAvailable_;
    case picture::Format::Unknown:
        break;
    }
    return false;
}

std::string QtImageDecoder::EmfToSvg(std::string_view bytes, int width, int height)
{
    if (!picture::IsWellFormedMetafile(bytes) || picture::DetectFormat(bytes) != picture::Format::Emf)
        return {};
    std::vector<char> input(bytes.begin(), bytes.end());
    generatorOptions options;
    std::memset(&options, 0, sizeof options);
    char nameSpace[] = "";
    options.nameSpace = nameSpace;
    options.verbose = false;
    options.emfplus = true;
    options.svgDelimiter = true;
    options.imgWidth = width;
    options.imgHeight = height;
    char* out = nullptr;
    size_t length = 0;
    const int ok = emf2svg(input.data(), input.size(), &out, &length, &options);
    std::string svg = (ok && out) ? std::string(out, length) : std::string();
    std::free(out);
    return svg;
}

gdi::Image QtImageDecoder::RenderWmf(std::string_view bytes, gdi::Size size)
{
    if (!picture::IsWellFormedMetafile(bytes) || picture::DetectFormat(bytes) != picture::Format::Wmf)
        return {};
    WmfSession session;
    return session.Render(bytes, size);
}

std::optional<gdi::Size> QtImageDecoder::BitmapSize(std::string_view bytes)
{
    const picture::Format format = picture::DetectFormat(bytes);
    if (!ReaderFormat(format))
        return std::nullopt;
    BitmapReader reader(bytes, format);
    const QSize size = reader->size();
    if (!size.isValid() || size.isEmpty())
        return std::nullopt;
    return gdi::Size{size.width(), size.height()};
}

gdi::Image QtImageDecoder::Decode(std::string_view bytes, gdi::Size size)
{
    const picture::Format format = picture::DetectFormat(bytes);
    if (ReaderFormat(format))
        return DecodeBitmap(bytes, format, size);
    if (!picture::IsMetafile(format) || !Supports(format))
        return {};
    if (size.cx <= 0 || size.cy <= 0)
        size = OwnSize(bytes);
    if (format == picture::Format::Wmf)
        return RenderWmf(bytes, size);
    if (size.cx <= 0 || size.cy <= 0)
        size = {100, 50};
    return RenderSvg(EmfToSvg(bytes, size.cx, size.cy), size);
}
