#include "platform/ScreenDC.h"

#include "platform/RecordingDC.h"

#include <utility>

namespace {

ScreenDCFactory& Factory()
{
    static ScreenDCFactory factory;
    return factory;
}

}  // namespace

std::unique_ptr<gdi::DC> CreateScreenCompatibleDC(int pixelsPerInchX, int pixelsPerInchY)
{
    if (const ScreenDCFactory& factory = Factory())
        if (auto dc = factory(pixelsPerInchX, pixelsPerInchY))
            return dc;
    gdi::DeviceCaps caps;
    caps.logPixelsX = pixelsPerInchX;
    caps.logPixelsY = pixelsPerInchY;
    return std::make_unique<gdi::RecordingDC>(caps);
}

ScreenDCFactory SetScreenDCFactory(ScreenDCFactory factory)
{
    return std::exchange(Factory(), std::move(factory));
}
