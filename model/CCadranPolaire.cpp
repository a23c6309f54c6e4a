#include "model/CCadranPolaire.h"

#include "app/Translation.h"
#include "model/PlaneDialGeometry.h"
#include "model/PlaneDialMarks.h"
#include "model/PlaneDialNames.h"
#include "model/Rounding.h"

using namespace planedial;

HV_IMPLEMENT_SERIAL(CCadranPolaire, CCadranPlanQuelconque, 1)

// The plane is set afterwards by whoever creates the dial (SetTypeAndPlane).
CCadranPolaire::CCadranPolaire()
{
    typeCode = 11;
    anchorPercentX = 50;
    anchorPercentY = 50;
    styleTruncation = 1;
}

void CCadranPolaire::Serialize(Archive& ar)
{
    SerializeWithParent<CCadranPlanQuelconque>(*this, ar);
}

void CCadranPolaire::GetTypeName(std::string& text, bool longName, bool upperCase) const
{
    text = UpperCasedIf(longName ? GetTranslatedString(419) : GetTranslatedString(420), upperCase);
}

bool CCadranPolaire::GetFaceMap(FaceMap& map) const
{
    return IsExactly<CCadranPolaire>(*this) && PlaneMap(map);
}

void CCadranPolaire::GetCentreOffset(int& dx, int& dy) const
{
    dx = 0;
    dy = -RoundToInt(10.0 * styleLimit);
}

double CCadranPolaire::GetStyleLength(bool& truncate, double& endHeight) const
{
    truncate = true;
    endHeight = styleHeight;
    return styleLimit;
}

void CCadranPolaire::DrawSpecific(gdi::DC& dc, int ax, int ay)
{
    DrawPolarStyle(*this, dc, ax, ay);
}
