#pragma once
// The kinds of dial lines the line style dialog offers, grouped as the tree shows them:
// each leaf names the colour-table entry it edits.
#include <vector>

struct LineStyleLeaf {
    int stringId;
    int colorEntry;  // index into the colour table
};

struct LineStyleGroup {
    int stringId;
    std::vector<LineStyleLeaf> leaves;
};

const std::vector<LineStyleGroup>& LineStyleGroups();

// The thickness choices, index 0..5 ("0,25 pt" .. "3 pts").
const std::vector<const char*>& LineThicknessChoices();
