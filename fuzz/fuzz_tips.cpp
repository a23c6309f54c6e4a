// Tips files are edited by hand: any bytes must give tips that are whole UTF-8 text of
// bounded length, read in a bounded time, with the next position inside the file.
#include "dialogs/CTipsReader.h"
#include "platform/Encoding.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    char name[] = "/tmp/horavel_tips_XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0)
        return 0;
    FILE* file = fdopen(fd, "wb");
    if (!file) {
        close(fd);
        unlink(name);
        return 0;
    }
    if (size > 0)
        fwrite(data, 1, size, file);
    fclose(file);
    {
        CTipsReader reader(0, name);
        for (int i = 0; i < 8; ++i) {
            const std::string& tip = reader.Tip();
            // Windows-1252 bytes take at most three bytes each in UTF-8.
            if (!enc::IsValidUtf8(tip) || tip.size() > 3 * CTipsReader::kMaxTipBytes || reader.Position() > size)
                std::abort();
            reader.NextTip();
        }
    }
    unlink(name);
    return 0;
}
