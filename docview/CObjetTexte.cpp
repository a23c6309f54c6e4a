#include "docview/CObjetTexte.h"

#include "app/Accessors.h"
#include "docview/DocviewClasses.h"
#include "model/Rounding.h"
#include "platform/ScreenDC.h"
#include "platform/Services.h"

#include <cmath>
#include <cstdint>

HV_IMPLEMENT_SERIAL(CObjetTexte, CObjetCadre, kTextFrameSchema)

namespace {

CObjetTexte::EditHooks& Hooks()
{
    static CObjetTexte::EditHooks hooks;
    return hooks;
}

}  // namespace

void CObjetTexte::SetEditHooks(EditHooks hooks)
{
    Hooks() = std::move(hooks);
}

CObjetTexte::CObjetTexte()
{
    contextMenu = kContextMenu;
}

std::unique_ptr<CObjetCadre> CObjetTexte::Clone() const
{
    return std::make_unique<CObjetTexte>(*this);
}

gdi::LogFont CObjetTexte::MakeTextFont(int logPixelsY, double dialScale) const
{
    gdi::LogFont font;
    font.height = -gdi::MulDiv(size, RoundToInt(logPixelsY * 100.0 * dialScale), 7200);
    font.weight = bold ? gdi::FW_BOLD : gdi::FW_NORMAL;
    font.italic = italic != 0;
    font.underline = underline != 0;
    font.strikeOut = strikeOut != 0;
    font.charSet = gdi::DEFAULT_CHARSET;
    font.outPrecision = gdi::OUT_TT_ONLY_PRECIS;
    font.quality = gdi::PROOF_QUALITY;
    font.faceName = faceName;
    return font;
}

gdi::LogFont CObjetTexte::CreateTextFont(gdi::DC& dc) const
{
    return dc.SelectFont(MakeTextFont(dc.GetDeviceCaps(gdi::LOGPIXELSY), drawScale_));
}

void CObjetTexte::Draw(gdi::DC& dc, gdi::Point anchor, const gdi::Rect& pageRect, gdi::Point resolved,
                       double dialScale)
{
    drawScale_ = (std::isfinite(dialScale) && dialScale > 0.0) ? dialScale : 1.0;
    CObjetCadre::Draw(dc, anchor, pageRect, resolved, dialScale);
}

void CObjetTexte::DrawContents(gdi::DC& dc, int left, int top, int right, int bottom)
{
    const gdi::LogFont oldFont = CreateTextFont(dc);
    const gdi::COLORREF oldColor = dc.SetTextColor(color);
    gdi::Rect rect{left, top, right, bottom};
    dc.DrawText(text, rect, gdi::DT_CENTER | gdi::DT_WORDBREAK);
    dc.SetTextColor(oldColor);
    dc.SelectFont(oldFont);
}

gdi::Size CObjetTexte::GetDefaultSize() const
{
    const AppContext& context = GetAppContext();
    auto dc = CreateScreenCompatibleDC(context.screenPixelsPerInchX, context.screenPixelsPerInchY);
    dc->SelectFont(MakeTextFont(dc->GetDeviceCaps(gdi::LOGPIXELSY), 1.0));
    return dc->GetTextExtent(text);
}

bool CObjetTexte::ChooseFontStyle()
{
    const int screenPpiY = GetAppContext().screenPixelsPerInchY;
    FontChoice choice;
    choice.font = MakeTextFont(screenPpiY, 1.0);
    choice.font.height = -gdi::MulDiv(size, screenPpiY, 72);
    choice.color = color;
    choice.pointSizeTenths = size * 10;
    if (!GetServices().ChooseFont(choice))
        return false;
    faceName = choice.font.faceName;
    if (choice.pointSizeTenths > 0)
        size = choice.pointSizeTenths / 10;
    else if (screenPpiY > 0)
        size = gdi::MulDiv(std::abs(choice.font.height), 72, screenPpiY);
    bold = choice.font.weight == gdi::FW_BOLD ? 1 : 0;
    italic = choice.font.italic ? 1 : 0;
    strikeOut = choice.font.strikeOut ? 1 : 0;
    underline = choice.font.underline ? 1 : 0;
    color = choice.color;
    return true;
}

int CObjetTexte::EditProperties()
{
    const EditHooks& hooks = Hooks();
    if (hooks.isShiftDown && hooks.isShiftDown())
        return ChooseFontStyle() ? 1 : 0;
    if (!hooks.runTextDialog)
        return 0;
    return hooks.runTextDialog(*this) == IDOK ? 1 : 0;
}

void CObjetTexte::Serialize(Archive& ar)
{
    if (ar.IsLoading())
        ar.GetObjectSchema();
    ar.SerializeClass(CObjetCadre::ClassInfoOf());
    CObjetCadre::Serialize(ar);
    if (ar.IsStoring()) {
        ar << text << faceName << static_cast<std::int32_t>(size) << static_cast<std::int32_t>(bold)
           << static_cast<std::int32_t>(italic) << static_cast<std::uint32_t>(color)
           << static_cast<std::int32_t>(strikeOut) << static_cast<std::int32_t>(underline);
        return;
    }
    std::uint32_t storedColor = 0;
    ar >> text >> faceName >> size >> bold >> italic >> storedColor >> strikeOut >> underline;
    color = storedColor;
}
