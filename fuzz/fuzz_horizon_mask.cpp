// The horizon mask file is written by hand: any bytes must give only points the graph can
// draw, at most one per two bytes of input, each with its list text.
#include "FuzzFile.h"
#include "dialogs/HorizonMaskFile.h"
#include "platform/Encoding.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzfile::SendTracesNowhere();

    std::vector<CHorizonPoint> points;
    const auto result = horizonmask::ReadText(std::string_view(reinterpret_cast<const char*>(data), size), points);
    if (result != horizonmask::ReadResult::Read && !points.empty())
        std::abort();
    if (points.size() > size / 2)
        std::abort();
    for (const CHorizonPoint& point : points) {
        if (!horizonmask::IsValidPoint(point))
            std::abort();
        const std::string text = horizonmask::PointText(point);
        if (!enc::IsValidUtf8(text) || text.size() > 24)
            std::abort();
    }
    return 0;
}
