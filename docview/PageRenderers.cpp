#include "docview/PageRenderers.h"

#include "app/Accessors.h"
#include "docview/CHoravelView.h"
#include "docview/CoordinateTables.h"
#include "docview/EotPages.h"
#include "docview/EphemeridesPage.h"
#include "docview/StyleDrawings.h"
#include "docview/SunPathPages.h"
#include "docview/TechnicalSheet.h"
#include "docview/TracingTools.h"

#include <array>

namespace {

// Mode 1: the dial at scale, placed by the view.
void DrawDialAtScalePage(gdi::DC& dc, const gdi::Rect& rect)
{
    if (CHoravelView* view = GetView())
        view->DrawDialAtScale(dc, rect);
}

struct Registration {
    int mode;
    PageRenderer renderer;
};

// One line per renderer that exists.
constexpr std::array kRenderers = {
    Registration{1, DrawDialAtScalePage},
    Registration{3, DrawStylePlan},
    Registration{4, DrawEotAnnualGraph},
    Registration{5, DrawEotTable},
    Registration{7, DrawTechnicalSheet},
    Registration{8, DrawHourCoordinatePage},
    Registration{9, DrawDateCoordinatePage},
    Registration{10, DrawProtractor},
    Registration{11, DrawEotDeclinationCurve},
    Registration{12, DrawStyleAtScale},
    Registration{13, DrawEphemeridesPage},
    Registration{14, DrawEquinoctialTable},
    Registration{15, DrawAzimuthAltitudeGraph},
    Registration{16, DrawAzimuthCircle},
    Registration{17, DrawEquinoctialRule},
    Registration{18, DrawNoonMarkTable},
    Registration{19, DrawEotMonthlyGraph},
    Registration{20, DrawStereographicDiagram},
};

}  // namespace

PageRenderer GetPageRenderer(int mode)
{
    for (const Registration& r : kRenderers)
        if (r.mode == mode)
            return r.renderer;
    return nullptr;
}

bool HasPageRenderer(int mode)
{
    if (mode == 6)
        return GetPageRenderer(4) && GetPageRenderer(5);
    return GetPageRenderer(mode) != nullptr;
}
