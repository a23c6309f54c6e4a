#pragma once
// Font, picture, device-scaling and geometry helpers of the drawing code.
#include "platform/Gdi.h"

#include <cstdint>
#include <optional>
#include <vector>

// Font kinds of FillLogFont.
enum FontKind : int { kFontArial = 1, kFontTimes = 2, kFontCourier = 3, kFontWingdings = 4 };

// Fills a font description: character height `size` pixels, escapement `angle` degrees,
// bold or normal weight, outline fonts only, proof quality. Kinds 1..4 choose the face and
// family; any other kind leaves the face and family as they were.
void FillLogFont(int size, gdi::LogFont& font, int kind, bool bold, double angle);

// A 24-bit bottom-up device-independent picture: its 40-byte header fields and its pixels.
struct Dib24 {
    std::uint32_t headerSize = 40;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;  // uncompressed RGB
    std::uint32_t sizeImage = 0;    // width rounded up to a multiple of 4, x height x 3
    std::vector<std::uint8_t> pixels;  // sizeImage zero bytes
};

// A black picture of that size; nothing when the size is negative or too large to allocate.
std::optional<Dib24> MakeDib24(int width, int height);
// A black image of that size for the device; an empty image on failure.
gdi::Image CreateBlankDib(const gdi::DC* dc, int width, int height);

bool RectsDiffer(const gdi::Rect& a, const gdi::Rect& b);

// Scales a rectangle (or a height) laid out at the screen resolution of the document to the
// device's resolution.
void ScaleRectToDevice(const gdi::DC& dc, gdi::Rect& rect);
int ScaleHeightToDevice(const gdi::DC& dc, int n);

// Polar form of (x, y) (y negated first when negateY is set): the radius and the angle in
// radians in (-pi, pi], with (x < 0, y = 0) giving -pi and (0, 0) giving -pi/2; with
// normalise set a negative angle gets 2 pi added.
void CartesianToPolar(double x, double y, double& radius, double& angle, bool normalise, bool negateY);

// Clips a segment to a rectangle (an all-zero rectangle means +-30,000 on both axes; sides
// are limited to +-30,000, the range every device can draw). A segment that misses the
// rectangle comes back as the single point (30,000, 30,000), which draws nothing.
void ClipSegmentToRect(int& x1, int& y1, int& x2, int& y2, gdi::Rect rect);
