// The installer's texts from arbitrary bytes: its English resource file (first byte even)
// and its licence agreement (first byte odd), read as the installer reads them. Nothing may
// crash; what loads is valid UTF-8 text, and every string and dialog text can be looked up.
#include "FuzzFile.h"
#include "platform/Encoding.h"
#include "platform/TextFile.h"
#include "setup/SetupResources.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] % 2 == 0) {
        setup::CSetupResources resources;
        if (!resources.LoadEnglish(fuzzfile::Write(setup::kEnglishResourceFile, bytes)))
            return 0;
        for (const auto& [id, text] : resources.EnglishStrings()) {
            if (!enc::IsValidUtf8(text) || resources.String(id) != text)
                std::abort();
            resources.Format(id, "%s");
        }
        for (const auto& [ids, text] : resources.EnglishDialogTexts())
            if (!enc::IsValidUtf8(text) || resources.DialogText(ids.first, ids.second) != text)
                std::abort();
        return 0;
    }
    // The agreement page shows the lines of the file, one below the other.
    std::vector<std::string> lines;
    if (!textfile::ReadLines(fuzzfile::Write("eula.txt", bytes), lines))
        std::abort();
    for (const std::string& line : lines)
        if (!enc::IsValidUtf8(line) || line.find('\n') != std::string::npos)
            std::abort();
    return 0;
}
