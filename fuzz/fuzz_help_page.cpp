// Help pages from arbitrary bytes, read by the help search as it reads the help folder. The
// first byte gives the length (0 to 7) of the word searched, taken from the bytes that
// follow; the rest is the page. Nothing may crash, and a title never holds a line break.
#include "FuzzFile.h"
#include "dialogs/HelpSearch.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzfile::SendTracesNowhere();
    if (size == 0)
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t wordLength = std::min<std::size_t>(data[0] % 8, input.size());
    const std::string_view word = input.substr(0, wordLength);
    const std::filesystem::path folder = fuzzfile::Folder() / "help";
    static const bool made = [&] {
        std::filesystem::create_directories(folder);
        return true;
    }();
    (void)made;
    fuzzfile::Write("help/page.html", input.substr(wordLength));
    const std::vector<HelpSearchMatch> matches = SearchHelpPages(folder, word);
    if (matches.size() > 1 || (word.empty() && !matches.empty()))
        std::abort();
    for (const HelpSearchMatch& match : matches)
        if (match.title.find('\n') != std::string::npos || match.title.find('\r') != std::string::npos)
            std::abort();
    HelpSearchResultPage(word, matches, folder, false);
    return 0;
}
