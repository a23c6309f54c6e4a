// The colour table in the user profile: each entry's colour as three ints and its thickness
// index as one more, under "Options\Palette".
#include "docview/ColorTable.h"

#include "platform/Profile.h"

#include <string>

namespace {

std::string Component(std::string_view entry, const char* suffix)
{
    return std::string(entry) + suffix;
}

}  // namespace

gdi::COLORREF GetProfileColor(const Profile& profile, std::string_view section, std::string_view entry,
                              gdi::COLORREF defaultColor)
{
    const int r = profile.GetInt(section, Component(entry, "\\r"), gdi::GetRValue(defaultColor));
    const int g = profile.GetInt(section, Component(entry, "\\g"), gdi::GetGValue(defaultColor));
    const int b = profile.GetInt(section, Component(entry, "\\b"), gdi::GetBValue(defaultColor));
    return gdi::RGB(r & 0xFF, g & 0xFF, b & 0xFF);
}

void WriteProfileColor(Profile& profile, std::string_view section, std::string_view entry, gdi::COLORREF color)
{
    profile.WriteInt(section, Component(entry, "\\r"), gdi::GetRValue(color));
    profile.WriteInt(section, Component(entry, "\\g"), gdi::GetGValue(color));
    profile.WriteInt(section, Component(entry, "\\b"), gdi::GetBValue(color));
}

void SavePaletteColours(Profile& profile)
{
    for (int n = 0; n < kColorTableSize; ++n) {
        const ColorTableEntry& entry = *GetColorTableEntry(n);
        const std::string name = PaletteEntryName(n);
        WriteProfileColor(profile, kPaletteSection, name, entry.color);
        profile.WriteInt(kPaletteSection, name, entry.thickness);
    }
}

void LoadPaletteColours(const Profile& profile)
{
    ResetColorTable();
    for (int n = 0; n < kColorTableSize; ++n) {
        ColorTableEntry& entry = *GetColorTableEntry(n);
        const std::string name = PaletteEntryName(n);
        entry.color = GetProfileColor(profile, kPaletteSection, name, entry.color);
        entry.thickness = profile.GetInt(kPaletteSection, name, entry.thickness);
    }
}

void SavePaletteColours()
{
    SavePaletteColours(GetProfile());
}

void LoadPaletteColours()
{
    LoadPaletteColours(GetProfile());
}
