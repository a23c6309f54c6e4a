// Pictures of picture frames from arbitrary bytes, through the real decoders: the toolkit's
// readers for BMP, GIF, JPEG and PNG, libemf2svg for enhanced metafiles, libwmf for classic
// ones. The first byte gives the size a metafile is drawn at, as a frame would ask it; the
// rest is the picture. Nothing may crash, overflow or leak, and no picture may cost more than
// the bounds the decoder sets.
#include "docview/CImagePicture.h"
#include "platform/ImageDecoder.h"
#include "platform/RecordingDC.h"
#include "platform/qt/QtImageDecoder.h"

#include <QGuiApplication>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Never destroyed, as the fonts it caches are not released at process exit.
    static QGuiApplication* app = new QGuiApplication(*argc, *argv);
    (void)app;
    SetImageDecoder(std::make_unique<QtImageDecoder>());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const int side = 8 + data[0] * 2;
    std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

    // The header helpers agree with what the decoders are given.
    const picture::Format format = picture::DetectFormat(bytes);
    if (const auto himetric = picture::MetafileSizeHimetric(bytes))
        if (!picture::IsMetafile(format) || himetric->cx <= 0 || himetric->cy <= 0)
            std::abort();

    CImagePicture holder;
    if (!holder.LoadFromBytes(std::move(bytes)))
        return 0;
    holder.GetSizeHimetric(96, 96);
    gdi::RecordingDC dc;
    holder.Render(dc, {0, 0, side, side * 3 / 4});
    return 0;
}
