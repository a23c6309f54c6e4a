#include "docview/CObjetBitmap.h"

#include "app/Accessors.h"
#include "docview/DocviewClasses.h"
#include "platform/Services.h"

HV_IMPLEMENT_SERIAL(CObjetBitmap, CObjetCadre, kPictureFrameSchema)

namespace {

constexpr int kHimetricPerInch = 2540;
constexpr gdi::Size kFallbackSize{100, 50};

}  // namespace

CObjetBitmap::CObjetBitmap()
{
    contextMenu = kContextMenu;
}

std::unique_ptr<CObjetCadre> CObjetBitmap::Clone() const
{
    return std::make_unique<CObjetBitmap>(*this);
}

void CObjetBitmap::DrawContents(gdi::DC& dc, int left, int top, int right, int bottom)
{
    picture_.Render(dc, {left, top, right, bottom});
}

int CObjetBitmap::EditProperties()
{
    FileDialogRequest request;
    request.filter = kFileFilter;
    request.overwritePrompt = false;
    if (const auto file = GetServices().GetOpenFileName(request))
        picture_.Load(*file);
    return 1;
}

gdi::Size CObjetBitmap::GetDefaultSize() const
{
    if (picture_.IsEmpty())
        return kFallbackSize;
    const AppContext& context = GetAppContext();
    const auto himetric = picture_.GetSizeHimetric(context.screenPixelsPerInchX, context.screenPixelsPerInchY);
    if (!himetric)
        return kFallbackSize;
    auto toPixels = [](int himetricLength, int ppi, int fallback) {
        const long long pixels = static_cast<long long>(himetricLength) * ppi / kHimetricPerInch;
        return (pixels > 0 && pixels <= INT32_MAX) ? static_cast<int>(pixels) : fallback;
    };
    return {toPixels(himetric->cx, context.screenPixelsPerInchX, kFallbackSize.cx),
            toPixels(himetric->cy, context.screenPixelsPerInchY, kFallbackSize.cy)};
}

void CObjetBitmap::Serialize(Archive& ar)
{
    if (ar.IsLoading())
        ar.GetObjectSchema();
    ar.SerializeClass(CObjetCadre::ClassInfoOf());
    CObjetCadre::Serialize(ar);
    picture_.Serialize(ar);
}
