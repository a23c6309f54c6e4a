// The version-information file comes from a web server: any bytes must give one of the
// fetch's results and a record whose texts are bounded and whose link has no quote.
#include "FuzzFile.h"
#include "app/SoftwareUpdate.h"
#include "platform/FakeServices.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzfile::SendTracesNowhere();
    auto services = std::make_unique<FakeServices>();
    const std::string url = "http://www.orlune-software.example/download/horavelver.txt";
    HttpResponse page;
    page.status = 200;
    page.body.assign(reinterpret_cast<const char*>(data), size);
    services->SetHttpResponse(url, page);
    FakeServices& fake = *services;
    auto previous = SetServices(std::move(services));

    UpdateInfo info;
    const int result = FetchUpdateInfo(url, info);
    if (result != kUpdateInfoFound && result != kUpdatePageNotFound && result != kUpdateNoInformation)
        std::abort();
    if (info.link.find('"') != std::string::npos || info.link.size() > size)
        std::abort();
    if (info.phase < 0 || info.phase > 2 || fake.waitCursorDepth != 0)
        std::abort();
    const std::string text = UpdateVersionText(info);
    if (text.empty() || text.size() > 80)
        std::abort();
    IsNewerVersion(info, "2.0.1", 1);
    SetServices(std::move(previous));
    return 0;
}
