#include "dialogs/LocationBrowsing.h"

#include "app/Formatting.h"
#include "app/TextHelpers.h"
#include "app/Translation.h"

#include <algorithm>
#include <cmath>

namespace {

// The sort key: upper case first, so that FoldAccents (which folds capitals) sees every
// accented letter.
std::string SortKey(std::string_view text)
{
    std::string s = UpperAccents(text);
    FoldAccents(s);
    return s;
}

}  // namespace

std::vector<CDataBaseElement*> LocationsOfCountry(const CLocationList& list, std::string_view country)
{
    std::vector<CDataBaseElement*> records;
    for (const auto& record : list)
        if (country.empty() || SameTextNoCase(record->country, country))
            records.push_back(record.get());
    return records;
}

const std::string& ColumnText(const CDataBaseElement& record, int column)
{
    switch (column) {
    case kColumnRegion:
        return record.region;
    case kColumnCountry:
        return record.country;
    default:
        return record.name;
    }
}

bool LocationBefore(const CDataBaseElement& a, const CDataBaseElement& b, int column)
{
    return SortKey(ColumnText(a, column)) < SortKey(ColumnText(b, column));
}

void SortLocations(std::vector<CDataBaseElement*>& records, int column)
{
    std::vector<std::pair<std::string, CDataBaseElement*>> keyed;
    keyed.reserve(records.size());
    for (CDataBaseElement* record : records)
        keyed.emplace_back(SortKey(ColumnText(*record, column)), record);
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < keyed.size(); ++i)
        records[i] = keyed[i].second;
}

std::vector<std::string> CountriesOf(const CLocationList& list)
{
    std::vector<std::string> countries;
    std::vector<std::string> seen;  // upper-cased, for the comparison
    for (const auto& record : list) {
        std::string key = UpperAccents(record->country);
        if (std::find(seen.begin(), seen.end(), key) != seen.end())
            continue;
        seen.push_back(std::move(key));
        countries.push_back(record->country);
    }
    return countries;
}

bool IsOnMap(double latitude, double longitude)
{
    return latitude >= kMapSouth && latitude <= kMapNorth && longitude >= kMapEast && longitude <= kMapWest;
}

LocationDetails DescribeLocation(const CDataBaseElement& record)
{
    LocationDetails d;
    d.latitude = GetTranslatedString(306) + " " + FormatLatitude(&record);
    d.longitude = GetTranslatedString(307) + " " + FormatLongitude(&record);
    // A place without a region shows its country alone.
    d.place = GetTranslatedString(308) + " " + record.name + " (" +
              (record.region.empty() ? record.country : record.region + ", " + record.country) + ")";
    d.zone = GetTranslatedString(502) + "Greenwich";
    if (record.zone > 0.0)
        d.zone += " + " + FormatHours(record.zone, false, false);
    else if (record.zone < 0.0)
        d.zone += " - " + FormatHours(-record.zone, false, false);
    d.onMap = IsOnMap(record.latitude, record.longitude);
    return d;
}

gdi::Point MapPixel(double latitude, double longitude, int pictureWidth, int pictureHeight)
{
    const double w = pictureWidth - 2;
    const double h = pictureHeight - 2;
    const double spanLongitude = kMapWest - kMapEast;
    const double spanLatitude = kMapNorth - kMapSouth;
    return {1 + static_cast<int>(std::trunc((kMapWest - longitude) * w / spanLongitude)),
            1 + static_cast<int>(std::trunc((kMapNorth - latitude) * h / spanLatitude))};
}

std::string DrawMapMarks(gdi::DC& dc, const CLocationList& list, const CDataBaseElement* chosen,
                         int pictureWidth, int pictureHeight)
{
    std::string caption;
    const int saved = dc.SaveDC();
    const gdi::Pen cross{gdi::PS_SOLID, 1, gdi::RGB(0, 0, 255)};
    const gdi::Pen outline{gdi::PS_SOLID, 1, gdi::RGB(0, 0, 0)};
    const gdi::Brush disc{gdi::BS_SOLID, gdi::RGB(255, 255, 0)};
    for (const auto& record : list) {
        if (!IsOnMap(record->latitude, record->longitude))
            continue;
        const gdi::Point p = MapPixel(record->latitude, record->longitude, pictureWidth, pictureHeight);
        if (chosen && SameTextNoCase(record->name, chosen->name)) {
            dc.SelectPen(outline);
            dc.SelectBrush(disc);
            dc.Ellipse(p.x - 4, p.y - 4, p.x + 5, p.y + 5);
            caption = chosen->name + " (" + FormatLatitude(chosen) + ", " + FormatLongitude(chosen) + ")";
        }
        dc.SelectPen(cross);
        dc.MoveTo(p.x - 2, p.y);
        dc.LineTo(p.x + 3, p.y);
        dc.MoveTo(p.x, p.y - 2);
        dc.LineTo(p.x, p.y + 3);
    }
    dc.RestoreDC(saved);
    return caption;
}

std::unique_ptr<CDataBaseElement> TakeLocation(CLocationList& list, const CDataBaseElement* record)
{
    const auto it = std::find_if(list.begin(), list.end(), [&](const auto& r) { return r.get() == record; });
    if (!record || it == list.end())
        return nullptr;
    std::unique_ptr<CDataBaseElement> taken = std::move(*it);
    list.erase(it);
    return taken;
}

bool ListHolds(const CLocationList& list, const CDataBaseElement* record)
{
    return record && std::any_of(list.begin(), list.end(), [&](const auto& r) { return r.get() == record; });
}
