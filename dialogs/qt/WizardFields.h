#pragma once
// Fields of the wizard pages. Number fields are read and written while the user types: a
// text that is not (yet) a number is left alone instead of being reported, and a field is
// only rewritten when its value changed, so the caret stays where the user is typing.
#include <span>
#include <string>

class CPropertyPageBase;
class ControlHost;
class QGridLayout;
class QLayout;

// False, and value unchanged, when the field does not hold a whole number.
bool ReadIntField(const ControlHost& host, int id, int& value);
// Writes the value unless the field already reads as that value.
void WriteIntField(ControlHost& host, int id, int value);

// Greys out the radios of the choices that build no dial (choice i is radioIds[i]) and
// gives them a tooltip that says why, so that no choice ends in an empty dial.
void DisableChoicesNotDrawn(ControlHost& host, std::span<const int> radioIds, bool (*available)(int choice));

// Lays a wizard page out: its picture (static pictureId showing bitmap bitmapId) at the top
// left, its fields to the right taking the width left.
void PlaceBesidePicture(CPropertyPageBase& page, int pictureId, int bitmapId, QLayout* fields);

// The style's gnomonic declination (field 1197, degrees, 0 to the south): its label across
// the grid's first five columns on `row`, the field and its degree sign on the next row.
void AddStyleDeclinationRows(ControlHost& host, QGridLayout& grid, int row);
