#pragma once
// Pictures in memory drawn through the Qt device context.
#include "platform/ImageSurface.h"

// Pictures larger than this many pixels are not made (a 32-bit picture of 1 GiB).
inline constexpr long long kMaxImageSurfacePixels = 1LL << 28;

std::unique_ptr<ImageSurface> CreateQtImageSurface(int width, int height, int pixelsPerInchX, int pixelsPerInchY);
// Makes CreateImageSurface (platform/ImageSurface.h) give such pictures.
void InstallQtImageSurface();
