#include "dialogs/HelpSearch.h"

#include "app/TextHelpers.h"
#include "app/Translation.h"
#include "platform/AsciiText.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool IsHtmlPage(const fs::path& file)
{
    return ascii::EqualsNoCase(file.extension().string(), ".html");
}

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

}  // namespace

std::string HtmlEscape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c; break;
        }
    }
    return out;
}

std::vector<HelpSearchMatch> SearchHelpPages(const fs::path& helpFolder, std::string_view keyword)
{
    std::vector<HelpSearchMatch> matches;
    if (keyword.empty())
        return matches;
    const std::string wanted = UpperAccents(keyword);
    std::vector<fs::path> pages;
    std::error_code error;
    for (fs::directory_iterator it(helpFolder, error), end; !error && it != end; it.increment(error))
        if (it->is_regular_file(error) && IsHtmlPage(it->path()) && it->path().filename() != kSearchResultFile)
            pages.push_back(it->path());
    std::sort(pages.begin(), pages.end());

    for (const fs::path& page : pages) {
        std::vector<std::string> lines;
        if (!textfile::ReadLines(page, lines))
            continue;
        bool found = false;
        std::string title;
        bool titled = false;
        for (const std::string& line : lines) {
            const std::string upper = UpperAccents(line);
            if (!titled) {
                const auto open = upper.find("<TITLE>");
                const auto close = open == std::string::npos ? open : upper.find("</TITLE>", open);
                if (close != std::string::npos) {
                    const std::string& source = upper.size() == line.size() ? line : upper;
                    title = ReplaceAll(source.substr(open + 7, close - open - 7), "\\'", "'");
                    titled = true;
                }
            }
            if (!found && upper.find(wanted) != std::string::npos)
                found = true;
            if (found && titled)
                break;
        }
        if (found)
            matches.push_back({page, titled ? title : page.filename().string()});
    }
    return matches;
}

std::string HelpSearchResultPage(std::string_view keyword, const std::vector<HelpSearchMatch>& matches,
                                 const fs::path& helpFolder, bool writtenInHelpFolder)
{
    const std::string heading = GetTranslatedString(1101);
    std::string page = "<head>\n";
    if (!writtenInHelpFolder)
        page += "  <base href=\"" + paths::FileUrl(helpFolder) + "/\">\n";
    page += "  <title>" + heading + "  </title>\n";
    page += "  <script src=\"base.js\"></script>\n";
    page += "  <script>\n"
            "    if (IsNS(0))\n"
            "      document.write('<link rel=\"stylesheet\" href=\"css1.css\">');\n"
            "    else\n"
            "      document.write('<link rel=\"stylesheet\" href=\"css1.css\">');\n"
            "  </script>\n";
    page += "  </head>\n";
    page += "  <body bgcolor=\"#F0F0F0\" topmargin=2 leftmargin=2>\n";
    page += "  <script>\n    Intro();\n    Titre('" + heading + "');\n  </script>\n";
    page += "<p>\n";
    page += FillFormat(GetTranslatedString(1102), {"<b>" + HtmlEscape(keyword) + "</b>"});
    page += "</p>\n";
    page += "<table><tr><td width=50>&nbsp;</td><td><ul>\n";
    for (const HelpSearchMatch& match : matches)
        page += "<li><a href=\"" + paths::UrlPath(match.page) + "\">" + match.title + "</a></li>\n";
    page += "</ul></td></tr></table>\n";
    page += "  <br>\n";
    if (matches.empty())
        page += "  <p>" + GetTranslatedString(1103) + "  </p>\n";
    page += "  <br>\n";
    page += "  <script>\n    Fin();\n  </script>\n";
    page += "  </body>\n";
    page += "  </html>\n";
    return page;
}

std::optional<fs::path> WriteHelpSearchResult(const fs::path& helpFolder, const fs::path& outputFolder,
                                              std::string_view keyword)
{
    if (keyword.empty())
        return std::nullopt;
    const fs::path target = outputFolder / kSearchResultFile;
    std::error_code error;
    fs::remove(target, error);
    const bool sameFolder = fs::equivalent(helpFolder, outputFolder, error) && !error;
    const std::string page =
        HelpSearchResultPage(keyword, SearchHelpPages(helpFolder, keyword), helpFolder, sameFolder);
    if (!textfile::WriteAtomic(target, page))
        return std::nullopt;
    return target;
}
