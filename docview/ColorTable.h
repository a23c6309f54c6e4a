#pragma once
// The program's table of 35 line colours, each with a line thickness, read by index by all
// the drawing code; the logical palette made from it; and its storage in the user profile.
//
// Roles of the entries: 0 page background, 1 dial background, 2 and 3 the dial's frame,
// 4 a spare palette colour; 5..8 whole, half, quarter and five-minute hour lines; 9..15 the
// zodiac date arcs from the December solstice (9) through the equinoxes (12) to the June
// solstice (15); 16 the ten-degree longitude arcs between signs; 17 and 18 the declination
// arcs of 10 and 5 degrees; 19 the particular (anniversary) date arcs; 20..24 the altitude
// lines of 1, 5, 10, 15 and 30 degrees; 25..30 the azimuth lines of 1, 5, 10, 15, 30 and 45
// degrees; 31..34 the date arcs of the 1st, 11th, 16th and 21st of the month.
#include "platform/Gdi.h"

#include <string>
#include <string_view>
#include <vector>

class Profile;

struct ColorTableEntry {
    gdi::COLORREF color = 0;
    int thickness = 2;  // index into the thickness table
    friend bool operator==(const ColorTableEntry&, const ColorTableEntry&) = default;
};

constexpr int kColorTableSize = 35;

// Entry i of the table; entry 5 when i is outside 0..34.
ColorTableEntry* GetColorTableEntry(int i);
// Colour of entry i; black when i is outside 0..34.
gdi::COLORREF GetColor(int i);
// Line-width factor of a thickness index: 0.25, 0.5, 1, 1.5, 2, 3, 4, 5 for 0..7, else 1.
double GetThicknessFactor(int k);
// The built-in entry i (0..34); entry 5's for any other i.
ColorTableEntry DefaultColorTableEntry(int i);
// Puts the built-in entries back into the table.
void ResetColorTable();
// The logical palette of the table: entry i holds the colour of table entry i.
std::vector<gdi::COLORREF> BuildPalette();

// The section and the value name of entry n in the profile ("Couleur0".."Couleur34").
inline constexpr std::string_view kPaletteSection = "Options\\Palette";
std::string PaletteEntryName(int n);

// A colour in the profile: three ints under entry + "\r", "\g" and "\b". Reading takes the
// default's bytes for missing values and keeps the low byte of each value.
gdi::COLORREF GetProfileColor(const Profile& profile, std::string_view section, std::string_view entry,
                              gdi::COLORREF defaultColor);
void WriteProfileColor(Profile& profile, std::string_view section, std::string_view entry,
                       gdi::COLORREF color);

// Writes every entry: its colour, then its thickness index as an int under the same name.
void SavePaletteColours(Profile& profile);
// The table from the profile, the built-in entries standing in for whatever is missing.
void LoadPaletteColours(const Profile& profile);
// The same with the program's profile.
void SavePaletteColours();
void LoadPaletteColours();
