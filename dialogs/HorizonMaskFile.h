#pragma once
// The horizon mask file "HorizonMask.txt" of the install folder, which the user writes by
// hand and the program only reads:
//
//   HORAVEL_HORIZON_MASK          signature, any case, alone on the first line
//   -90 ; 12                      one point a line: azimuth, then height, whole degrees,
//   -45<tab>8                     separated by blanks, tabs or ";"
//
// Blanks, tabs and ";" before the azimuth are ignored, and so is whatever follows the
// height. A line without a separator after its first character (empty, or one number
// alone) holds no point. Numbers read as C strtol does: a sign, digits up to the first
// other character, 0 without digits.
#include "docview/CHorizonPoint.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace horizonmask {

inline constexpr const char* kFileName = "HorizonMask.txt";
inline constexpr const char* kSignature = "HORAVEL_HORIZON_MASK";
// A mask with a point every tenth of a degree takes some 40 KB: a larger file is no mask.
inline constexpr std::uintmax_t kMaxFileBytes = 1024 * 1024;

enum class ReadResult { Read, NotFound, TooLarge, BadSignature };

// The point of one line after the signature; false when the line holds none.
bool ParseLine(std::string_view line, CHorizonPoint& point);

// Azimuth within -180..180 and height within 0..90, as the point entry accepts them.
bool IsValidPoint(const CHorizonPoint& point);

// The points of the file's contents, in file order, appended to points. Points out of
// range are left out (each with a trace line): they cannot be drawn on the graph.
ReadResult ReadText(std::string_view bytes, std::vector<CHorizonPoint>& points);

// The same from a file; a missing or unreadable file gives NotFound.
ReadResult ReadFile(const std::filesystem::path& file, std::vector<CHorizonPoint>& points);

// The file of the install folder, looked up in any case (its usual name when absent).
std::filesystem::path ShippedFile();

// "( -90° ; 12° )": a point as the mask dialog lists it.
std::string PointText(const CHorizonPoint& point);

}  // namespace horizonmask
