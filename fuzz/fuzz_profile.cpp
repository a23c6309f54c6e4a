// Settings files are edited by hand and may be damaged: reading any bytes must not crash, and
// what was read must survive a save and a new read unchanged.
#include "platform/Encoding.h"
#include "platform/Profile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text = enc::DecodeFileText(std::string_view(reinterpret_cast<const char*>(data), size));
    const ProfileData first = inifile::Parse(text);
    const std::string saved = inifile::Serialise(first);
    if (!enc::IsValidUtf8(saved))
        std::abort();
    const ProfileData second = inifile::Parse(saved);
    if (!(first == second) || inifile::Serialise(second) != saved)
        std::abort();
    return 0;
}
