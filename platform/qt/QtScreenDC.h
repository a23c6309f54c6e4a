#pragma once
// Contexts compatible with the screen on the desktop toolkit: a small image at the screen's
// resolution, which measures text with the real fonts.
#include "platform/Gdi.h"

#include <memory>

std::unique_ptr<gdi::DC> CreateQtScreenDC(int pixelsPerInchX, int pixelsPerInchY);
// Makes CreateScreenCompatibleDC (platform/ScreenDC.h) give such contexts.
void InstallQtScreenDC();
