#include "app/HelpPages.h"

#include "app/TextHelpers.h"
#include "app/Trace.h"
#include "app/Translation.h"
#include "platform/Paths.h"
#include "platform/Services.h"

#include <algorithm>
#include <utility>

namespace {

struct HelpPage {
    int key;
    const char* page;
};

constexpr HelpPage kPages[] = {
    {108, "dlgStart.html"},        {133, "dlgNewLocation.html"},  {137, "dlgDimensions.html"},
    {215, "dlgDimensions.html"},   {138, "dlgBase.html"},         {160, "dlgAnalemma.html"},
    {166, "dlgDeclination.html"},  {173, "dlgAnchor.html"},       {176, "dlgAnniversary.html"},
    {184, "dlgStyleTraces.html"},  {187, "dlgEditText.html"},     {198, "dlgSelectMotto.html"},
    {199, "dlgEditMotto.html"},    {201, "dlgRemoteCtrl.html"},   {204, "dlgWizLocation.html"},
    {205, "dlgWizType.html"},      {206, "dlgWizType2.html"},     {213, "dlgProperties.html"},
    {214, "dlgWizType3.html"},     {216, "dlgWizType4.html"},     {221, "dlgZodiacSigns.html"},
    {241, "graphsun.html"},        {32974, "Credits.html"},       {32975, "Faq.html"},
    {134, "dlgReferenceYear.html"},  {143, "dlgMap.html"},                {177, "dlgEphemerisDate.html"},
    {220, "dlgFrameAnchoring.html"}, {235, "dlgDecimalConversion.html"},  {237, "dlgClock.html"},
    {238, "dlgUpdateCheck.html"},    {240, "dlgHelpSearch.html"},         {666, "dlgUpdateCheck.html"},
    {667, "dlgWizBifilar.html"},
};

constexpr const char* kContentsPage = "contents.html";

// "No program could open the following address..." (%s: the address).
constexpr int kNoOpenerString = 61950;

// The page's file: the shipped one when it exists in any case, else the name as given.
std::filesystem::path PageFile(const std::filesystem::path& folder, const std::string& page)
{
    if (auto found = paths::FindCaseInsensitive(folder, page))
        return *found;
    return folder / page;
}

}  // namespace

std::string HelpPageOfKey(int key)
{
    for (const HelpPage& p : kPages)
        if (p.key == key)
            return p.page;
    return kContentsPage;
}

std::vector<std::string> HelpPageNames()
{
    std::vector<std::string> names;
    for (const HelpPage& p : kPages)
        if (std::find(names.begin(), names.end(), p.page) == names.end())
            names.emplace_back(p.page);
    return names;
}

bool ShowLocalPage(const std::filesystem::path& page)
{
    if (GetServices().ShellOpen(page.string()))
        return true;
    // The desktop may have nothing that opens HTML pages: the program's own window shows it.
    std::error_code error;
    return std::filesystem::is_regular_file(page, error) && GetServices().ShowHelpPage(page);
}

void ReportNoProgramFor(const std::string& target, const std::string& shown)
{
    Trace("[ERROR] No program could open %s", target.c_str());
    GetServices().MessageBox(FillFormat(GetTranslatedString(kNoOpenerString), {shown}), "",
                             MB_OK | MB_ICONEXCLAMATION);
}

bool OpenAddress(const std::string& target, const std::string& shown)
{
    if (GetServices().ShellOpen(target))
        return true;
    ReportNoProgramFor(target, shown);
    return false;
}

bool OpenHelpPage(const std::filesystem::path& helpFolder, unsigned long data)
{
    const int key = static_cast<int>(static_cast<long>(data) - static_cast<long>(kDialogHelpBase));
    const std::filesystem::path file = PageFile(helpFolder, HelpPageOfKey(key));
    if (ShowLocalPage(file))
        return true;
    Trace("[ERROR] Help file not available (%s)", file.string().c_str());
    if (ShowLocalPage(PageFile(helpFolder, kContentsPage)))
        return true;
    TranslatedMessageBox(148, MB_ICONEXCLAMATION);
    Trace("[ERROR] Help files not installed in this language (%s)", helpFolder.string().c_str());
    return false;
}
