#pragma once
// The search of the help pages for a word: every "*.html" page of the help folder whose text
// holds the word (without regard to case) is listed, by its title, on a page of results.
#include "platform/Paths.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct HelpSearchMatch {
    std::filesystem::path page;
    std::string title;  // the page's <TITLE> text (markup as the page writes it)
};

// The matching pages of the folder, in the order of their names. A page without a title
// line is listed by its file name.
std::vector<HelpSearchMatch> SearchHelpPages(const std::filesystem::path& helpFolder, std::string_view keyword);

// The result page. Its scripts and style sheet are the help folder's: when the page is not
// written there, a base address points to it.
std::string HelpSearchResultPage(std::string_view keyword, const std::vector<HelpSearchMatch>& matches,
                                 const std::filesystem::path& helpFolder, bool writtenInHelpFolder);

inline constexpr const char* kSearchResultFile = paths::kSearchResultFile;

// Searches and writes "SearchResult.html" in outputFolder (atomically); the written page,
// or nothing when the keyword is empty or the page could not be written.
std::optional<std::filesystem::path> WriteHelpSearchResult(const std::filesystem::path& helpFolder,
                                                           const std::filesystem::path& outputFolder,
                                                           std::string_view keyword);

// "&", "<", ">" and the double quote as entities.
std::string HtmlEscape(std::string_view text);
