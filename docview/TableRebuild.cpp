#include "docview/TableRebuild.h"

#include "model/CCadran.h"

namespace {

constexpr int kTableDays[] = {1, 6, 11, 16, 21, 26};

}  // namespace

void RebuildDialTables(CCadran& dial, TableRebuildProgress* progress)
{
    using P = TableRebuildProgress;
    if (progress)
        progress->Show();
    for (int month = 1; month <= P::kMonths; ++month) {
        for (int day : kTableDays)
            dial.ComputeEquatorialCoords(month, day);
        if (progress)
            progress->SetPos(P::kEquatorialBar, month);
    }
    for (int month = 1; month <= P::kMonths; ++month) {
        for (int day : kTableDays)
            dial.ComputeDateTable(month, day);
        if (progress)
            progress->SetPos(P::kHorizontalBar, month);
    }
    for (int k = 0; k < P::kLongitudeRows; ++k) {
        dial.ComputeLongitudeTable(k);
        if (progress)
            progress->SetPos(P::kDeclinationBar, k + 1);
    }
    if (progress)
        progress->Close();
    dial.tablesValid = 1;
}
