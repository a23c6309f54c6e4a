#pragma once
// A device context compatible with the screen, for measuring text before anything is drawn
// (the default size of a text frame, for instance). Nothing drawn on it is shown.
//
// The application installs a factory on the desktop toolkit, which measures with the real
// fonts; until then the context is a RecordingDC, whose fixed font metrics are those the
// tests expect.
#include "platform/Gdi.h"

#include <functional>
#include <memory>

// A context whose LOGPIXELSX and LOGPIXELSY are the given resolution.
std::unique_ptr<gdi::DC> CreateScreenCompatibleDC(int pixelsPerInchX, int pixelsPerInchY);

using ScreenDCFactory = std::function<std::unique_ptr<gdi::DC>(int pixelsPerInchX, int pixelsPerInchY)>;
// An empty factory goes back to the recording context. Returns the factory in place before.
ScreenDCFactory SetScreenDCFactory(ScreenDCFactory factory);
