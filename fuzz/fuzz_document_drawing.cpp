// Opens dial documents from arbitrary bytes and draws what opens, as the program shows an
// opened document: the dial at scale with its frames, pictures decoded by the real decoders,
// painted by the desktop toolkit. Nothing may crash, overflow or leak, and no picture may
// cost more than its bounds.
#include "app/Accessors.h"
#include "docview/CHoravelDoc.h"
#include "docview/CHoravelView.h"
#include "platform/ImageDecoder.h"
#include "platform/Paths.h"
#include "platform/Profile.h"
#include "platform/qt/QtDC.h"
#include "platform/qt/QtImageDecoder.h"

#include <QGuiApplication>
#include <QImage>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Traces go nowhere: the trace file does not exist in this folder.
    paths::SetDataFolder("/nonexistent/horavel-fuzz");
    // Never destroyed, as the fonts it caches are not released at process exit.
    static QGuiApplication* app = new QGuiApplication(*argc, *argv);
    (void)app;
    SetImageDecoder(std::make_unique<QtImageDecoder>());
    SetProfile(std::make_unique<MemoryProfile>());
    GetProfile().WriteString("Options\\General", "NomFichierLieux", "/nonexistent/LIEUX.DBL");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Made once and never destroyed: no locations file is read, and nothing written at exit.
    static CHoravelDoc* doc = [] {
        auto* d = new CHoravelDoc;
        GetAppContext().document = d;
        return d;
    }();
    static CHoravelView* view = new CHoravelView;
    static QImage image(320, 400, QImage::Format_ARGB32_Premultiplied);

    Archive ar = Archive::ForLoading(std::string(reinterpret_cast<const char*>(data), size), doc->GetClassRegistry());
    try {
        doc->Serialize(ar);
    } catch (const ArchiveException&) {
        return 0;
    }
    view->SetDisplayMode(CHoravelView::kScaleDrawing);
    view->RecalcLayout(1);
    // The whole drawing, as a paint of the window would ask; the image keeps its top left.
    const gdi::Size drawing = doc->GetDrawingSizePx();
    image.fill(0);
    {
        gdi::QtDC dc(image);
        view->OnDraw(dc, {0, 0, drawing.cx, drawing.cy});
    }
    return 0;
}
