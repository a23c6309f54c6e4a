#include "docview/ColorTable.h"

#include <array>

namespace {

constexpr ColorTableEntry Entry(int r, int g, int b, int thickness)
{
    return ColorTableEntry{gdi::RGB(r, g, b), thickness};
}

// 28..30 take the colour of the 10-degree azimuth lines; 31..34 are four colours that stay
// apart from each other and from the zodiac arcs, for the four monthly date arcs.
constexpr std::array<ColorTableEntry, kColorTableSize> kDefaults = {{
    Entry(184, 208, 216, 2), Entry(250, 218, 180, 2), Entry(248, 232, 208, 2), Entry(216, 128, 16, 2),
    Entry(0, 192, 192, 2),   Entry(0, 0, 0, 2),       Entry(0, 0, 0, 2),       Entry(128, 128, 128, 1),
    Entry(192, 192, 192, 0), Entry(0, 0, 200, 2),     Entry(128, 128, 200, 1), Entry(128, 128, 200, 1),
    Entry(0, 128, 255, 2),   Entry(200, 128, 128, 1), Entry(200, 128, 128, 1), Entry(200, 0, 0, 2),
    Entry(190, 190, 190, 2), Entry(64, 128, 64, 1),   Entry(128, 180, 128, 0), Entry(255, 0, 0, 2),
    Entry(180, 128, 128, 0), Entry(128, 180, 128, 0), Entry(64, 128, 64, 1),   Entry(0, 128, 0, 2),
    Entry(128, 128, 0, 2),   Entry(180, 180, 0, 1),   Entry(180, 180, 0, 2),   Entry(180, 180, 0, 1),
    Entry(180, 180, 0, 1),   Entry(180, 180, 0, 1),   Entry(180, 180, 0, 1),   Entry(0, 96, 192, 1),
    Entry(0, 160, 96, 1),    Entry(192, 96, 0, 1),    Entry(160, 0, 160, 1),
}};

constexpr std::array<double, 8> kThicknessFactors = {0.25, 0.5, 1.0, 1.5, 2.0, 3.0, 4.0, 5.0};

std::array<ColorTableEntry, kColorTableSize>& Table()
{
    static std::array<ColorTableEntry, kColorTableSize> table = kDefaults;
    return table;
}

bool InTable(int i) { return i >= 0 && i < kColorTableSize; }

}  // namespace

ColorTableEntry* GetColorTableEntry(int i)
{
    return &Table()[InTable(i) ? i : 5];
}

gdi::COLORREF GetColor(int i)
{
    return InTable(i) ? Table()[i].color : gdi::RGB(0, 0, 0);
}

double GetThicknessFactor(int k)
{
    return k >= 0 && k < static_cast<int>(kThicknessFactors.size()) ? kThicknessFactors[k] : 1.0;
}

ColorTableEntry DefaultColorTableEntry(int i)
{
    return kDefaults[InTable(i) ? i : 5];
}

void ResetColorTable()
{
    Table() = kDefaults;
}

std::vector<gdi::COLORREF> BuildPalette()
{
    std::vector<gdi::COLORREF> palette;
    palette.reserve(kColorTableSize);
    for (const ColorTableEntry& entry : Table())
        palette.push_back(entry.color & 0x00FFFFFFu);
    return palette;
}

std::string PaletteEntryName(int n)
{
    return "Couleur" + std::to_string(n);
}
