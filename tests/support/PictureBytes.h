#pragma once
// Small pictures built byte by byte from their file formats, for the picture tests.
#include <cstdint>
#include <string>

namespace testpictures {

// A bottom-up 24-bit bitmap file, every pixel of one colour (0xRRGGBB).
std::string Bmp24(int width, int height, std::uint32_t rgb);
// A 4 x 2 run-length-encoded 8-bit bitmap: the bottom row red, the top row blue.
std::string Rle8Bmp();
// A 1 x 1 GIF whose pixel is red.
std::string RedGif();
// An enhanced metafile whose frame is widthHimetric x heightHimetric (0.01 mm) and whose
// drawing is a rectangle filled with rgb covering the middle of a 100 x 50 device area.
std::string EmfRectangle(int widthHimetric, int heightHimetric, std::uint32_t rgb);
// A classic metafile with a placeable header (bounding box 2000 x 1000 units at
// unitsPerInch) holding a rectangle filled with rgb over most of it; without the header
// when placeable is false.
std::string WmfRectangle(int unitsPerInch, std::uint32_t rgb, bool placeable = true);
// A 58-byte placeable classic metafile (a window origin, then the end) whose header claims a
// largest record of 0x40000200 words: a reader that sizes its record buffer from it asks for
// 2 GiB.
std::string WmfClaimingAHugeRecord();

}  // namespace testpictures
