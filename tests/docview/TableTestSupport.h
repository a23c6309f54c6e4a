#pragma once
// What the coordinate-table tests share: a dial whose projection is plain arithmetic (the
// golden files of tests/data/tables are written from it by tests/tools/gen_table_golden.py),
// real dials at a place, and a document in the application context with a known sheet.
#include "DocTestSupport.h"

#include "model/CCadran.h"
#include "platform/RecordingDC.h"

#include <memory>
#include <string>
#include <vector>

// Sun tables, row k and column j (both kinds of table): azimuth (j - 144) x 0.0123 and
// altitude (0.3 + 0.01 k) - |j - 144| x 0.004, except azimuth 150 at row 9, column 60.
// Lit when the altitude is above 0 (above -0.05 when the caller does not insist on the
// horizon). Projection in tenths of a millimetre: 1000 x azimuth, 1000 x altitude.
class CSyntheticDial : public CCadran {
public:
    CSyntheticDial();
    void Project(double azimuth, double altitude, int& x, int& y, bool toDevice = true,
                 bool inTenths = true) const override;
    bool IsLit(double azimuth, double altitude, bool aboveHorizonOnly) const override;
    void GetCentreOffset(int& dx, int& dy) const override;

    int centreX = 0;
    int centreY = -500;
};

class TablePages : public DocumentTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Puts the dial in the document and returns it.
    template <class Dial>
    Dial& Use(std::unique_ptr<Dial> dial)
    {
        Dial& d = *dial;
        Doc().SetDial(std::move(dial));
        return d;
    }
    // The bytes of a table file the last page left in the data folder ("" when none).
    std::string TableBytes(const std::string& name) const;
    // Its lines split at tabs.
    std::vector<std::vector<std::string>> TableCells(const std::string& name) const;
    // The bytes of a golden file of tests/data/tables.
    static std::string Golden(const std::string& name);
};

// Sets a dial at a place (latitude north positive, longitude east negative) for 2024, in
// local solar or legal time, style height 40 mm, 200 x 200 mm at 96 pixels per inch, and
// fills its tables.
template <class Dial>
std::unique_ptr<Dial> AtPlace(std::unique_ptr<Dial> dial, double latitudeDeg, double longitudeDeg, double zoneHours,
                              int localSolarTime = 1)
{
    PlaceDial(*dial, latitudeDeg, longitudeDeg, zoneHours, localSolarTime);
    return dial;
}
void PlaceDial(CCadran& dial, double latitudeDeg, double longitudeDeg, double zoneHours, int localSolarTime);

// The texts drawn at a baseline y, left to right.
std::vector<const gdi::Record*> TextsAt(const gdi::RecordingDC& dc, int y);
// The first text record with that text (null when none).
const gdi::Record* FindText(const gdi::RecordingDC& dc, const std::string& text);
