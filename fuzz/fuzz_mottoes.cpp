// The mottoes file is edited by hand and rewritten by the program: any bytes must read as
// records of valid UTF-8 text, each no longer than the input, and what the program writes
// must read back as the same records.
#include "dialogs/MottoesFile.h"
#include "platform/Encoding.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<CMottoRecord> list;
    mottoes::ReadText(std::string_view(reinterpret_cast<const char*>(data), size), list);
    // Windows-1252 bytes take at most three bytes each in UTF-8.
    for (const CMottoRecord& record : list)
        for (const std::string* field : {&record.language, &record.text, &record.comment})
            if (!enc::IsValidUtf8(*field) || field->size() > 3 * size)
                std::abort();
    if (list.size() > size / 7)  // "<LANG:>" is the shortest motto line
        std::abort();

    const std::string written = mottoes::WriteText(list);
    std::vector<CMottoRecord> again;
    mottoes::ReadText(written, again);
    if (again.size() != list.size() || mottoes::WriteText(again) != written)
        std::abort();
    const std::vector<std::string> languages = mottoes::Languages(again);
    if (languages != mottoes::Languages(list))
        std::abort();
    for (std::size_t i = 0; i < languages.size(); ++i)
        if (!languages[i].empty() && mottoes::FindLanguage(languages, languages[i]) != static_cast<int>(i))
            std::abort();
    return 0;
}
