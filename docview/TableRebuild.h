#pragma once
// Rebuilding a dial's sun tables after it is read from a document, with the progress shown
// by the loading dialog's three bars.
class CCadran;

class TableRebuildProgress {
public:
    // The bars, with their ranges: months of the equatorial table (0 to 12), months of the
    // horizontal table (0 to 12), rows of the table by solar longitude (0 to 36).
    static constexpr int kEquatorialBar = 1070;
    static constexpr int kHorizontalBar = 1071;
    static constexpr int kDeclinationBar = 1072;
    static constexpr int kMonths = 12;
    static constexpr int kLongitudeRows = 36;

    virtual ~TableRebuildProgress() = default;
    // Shows the progress and paints it at once.
    virtual void Show() = 0;
    virtual void SetPos(int bar, int pos) = 0;
    virtual void Close() = 0;
};

// Fills the equatorial table for the 72 table dates, then the horizontal table by date, then
// the 36 rows by solar longitude, moving the bars after each month and each row (progress
// may be null); then marks the tables valid. The astronomy module's site and year must be
// the dial's.
void RebuildDialTables(CCadran& dial, TableRebuildProgress* progress);
