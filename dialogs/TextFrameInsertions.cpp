#include "dialogs/TextFrameInsertions.h"

#include "docview/CHoravelDoc.h"
#include "model/CCadran.h"
#include "model/LocationDatabase.h"

std::optional<std::string> InsertionText(const CHoravelDoc* document, TextInsertion what)
{
    if (!document || !document->GetDial() || !document->GetLocation())
        return std::nullopt;
    const CDataBaseElement& place = *document->GetLocation();
    switch (what) {
    case TextInsertion::PlaceName:
        return place.name + ", " + place.country;
    case TextInsertion::DialType: {
        std::string name;
        document->GetDial()->GetTypeName(name, true, false);
        return name;
    }
    case TextInsertion::Position:
        return FormatLatitude(&place) + " " + FormatLongitude(&place);
    }
    return std::nullopt;
}
