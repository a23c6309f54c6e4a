#pragma once
// Reading a recorded dial drawing: which colour entry drew each polyline, and the colour
// table set so that every entry has a colour of its own.
#include "docview/ColorTable.h"
#include "platform/RecordingDC.h"

#include <map>
#include <vector>

namespace dialtest {

// Entry n gets RGB(n, 77, 201): a pen's colour then names its entry.
inline void GiveEntriesOwnColours()
{
    for (int n = 0; n < kColorTableSize; ++n)
        GetColorTableEntry(n)->color = gdi::RGB(n, 77, 201);
}

inline int EntryOf(const gdi::Pen& pen)
{
    const gdi::COLORREF c = pen.color;
    return gdi::GetGValue(c) == 77 && gdi::GetBValue(c) == 201 ? gdi::GetRValue(c) : -1;
}

inline std::vector<const gdi::Record*> PolylinesOf(const gdi::RecordingDC& dc, int entry)
{
    std::vector<const gdi::Record*> out;
    for (const gdi::Record* r : dc.RecordsOf(gdi::RecordKind::Polyline))
        if (EntryOf(r->pen) == entry)
            out.push_back(r);
    return out;
}

// A recording taken as a metafile: there, as in every export, the lines stay whole where
// the screen and the paper leave room round the numbers, one polyline for each line.
struct WholeLinesRecording : gdi::RecordingDC {
    bool IsMetafile() const override { return true; }
};

// Number of polylines per colour entry (-1: a pen of no entry).
inline std::map<int, int> PolylineCounts(const gdi::RecordingDC& dc)
{
    std::map<int, int> counts;
    for (const gdi::Record* r : dc.RecordsOf(gdi::RecordKind::Polyline))
        ++counts[EntryOf(r->pen)];
    return counts;
}

}  // namespace dialtest
