#include "TableTestSupport.h"

#include "app/Accessors.h"
#include "model/Astronomy.h"
#include "model/Rounding.h"
#include "platform/LocaleInfo.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

#include <cmath>
#include <filesystem>

CSyntheticDial::CSyntheticDial()
{
    for (int k = 0; k < kLongitudeRows; ++k) {
        for (int j = 0; j < kSteps; ++j) {
            azimuthByLongitude[k][j] = (j - 144) * 0.0123;
            altitudeByLongitude[k][j] = (0.3 + 0.01 * k) - std::abs(j - 144) * 0.004;
        }
    }
    azimuthByLongitude[9][60] = 150.0;
    azimuthByDate = azimuthByLongitude;
    altitudeByDate = altitudeByLongitude;
}

void CSyntheticDial::Project(double azimuth, double altitude, int& x, int& y, bool, bool) const
{
    x = RoundToInt(1000.0 * azimuth);
    y = RoundToInt(1000.0 * altitude);
}

bool CSyntheticDial::IsLit(double, double altitude, bool aboveHorizonOnly) const
{
    return aboveHorizonOnly ? altitude > 0.0 : altitude > -0.05;
}

void CSyntheticDial::GetCentreOffset(int& dx, int& dy) const
{
    dx = centreX;
    dy = centreY;
}

void PlaceDial(CCadran& dial, double latitudeDeg, double longitudeDeg, double zoneHours, int localSolarTime)
{
    dial.SetYear(2024);
    dial.SetSite(latitudeDeg, longitudeDeg, zoneHours);
    dial.localSolarTime = localSolarTime;
    dial.styleHeight = 40;
    dial.width = 200;
    dial.height = 200;
    dial.pixelsPerMmX = dial.pixelsPerMmY = 96.0 / 25.4;
    dial.ComputeAllTables();
}

void TablePages::SetUp()
{
    DocumentTest::SetUp();
    GetAppContext().document = &Doc();
    // An A4-like sheet at 96 pixels per inch.
    Doc().SetPrinterPageSizeMm({200, 280});
    Doc().SetSheetSizePx({756, 1058});
    localeinfo::SetSystemDecimalSeparator(".");
    // The document computed its sun grid: back to the start state (the J2000 obliquity).
    ResetAstroState();
}

void TablePages::TearDown()
{
    localeinfo::SetSystemDecimalSeparator("");
    GetAppContext().document = nullptr;
    DocumentTest::TearDown();
}

std::string TablePages::TableBytes(const std::string& name) const
{
    const std::filesystem::path file = paths::DataFolder() / name;
    return std::filesystem::exists(file) ? testsupport::ReadFileBytes(file) : std::string();
}

std::vector<std::vector<std::string>> TablePages::TableCells(const std::string& name) const
{
    std::vector<std::vector<std::string>> lines;
    const std::string bytes = TableBytes(name);
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        std::vector<std::string> cells;
        size_t from = start;
        while (true) {
            const size_t tab = bytes.find('\t', from);
            if (tab == std::string::npos || tab > end) {
                cells.push_back(bytes.substr(from, end - from));
                break;
            }
            cells.push_back(bytes.substr(from, tab - from));
            from = tab + 1;
        }
        lines.push_back(std::move(cells));
        start = end + 1;
    }
    return lines;
}

std::string TablePages::Golden(const std::string& name)
{
    return testsupport::ReadFileBytes(testsupport::DataDir() / "tables" / name);
}

std::vector<const gdi::Record*> TextsAt(const gdi::RecordingDC& dc, int y)
{
    std::vector<const gdi::Record*> out;
    for (const gdi::Record* r : dc.RecordsOf(gdi::RecordKind::TextOut))
        if (r->points[0].y == y)
            out.push_back(r);
    std::stable_sort(out.begin(), out.end(),
                     [](const gdi::Record* a, const gdi::Record* b) { return a->points[0].x < b->points[0].x; });
    return out;
}

const gdi::Record* FindText(const gdi::RecordingDC& dc, const std::string& text)
{
    for (const gdi::Record* r : dc.RecordsOf(gdi::RecordKind::TextOut))
        if (r->text == text)
            return r;
    return nullptr;
}
