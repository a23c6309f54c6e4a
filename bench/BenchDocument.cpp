// Opening a dial document: reading its objects and rebuilding the dial's sun tables, which
// is what the user waits for behind the loading dialog. Target: under 10 ms.
#include "docview/CHoravelDoc.h"
#include "docview/CObjetTexte.h"
#include "docview/TableRebuild.h"
#include "model/CCadran.h"
#include "platform/Profile.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>

namespace {

// A document of one dial with a text frame, at Besançon.
std::string SampleDocument(CHoravelDoc& doc)
{
    CDataBaseElement site;
    site.name = "BESANÇON";
    site.country = "FRANCE";
    site.latitude = 47.25;
    site.longitude = -6.0333;
    site.zone = 1.0;
    doc.SetLocation(&site);
    auto dial = std::make_unique<CCadran>();
    dial->latitude = 47.25;
    dial->longitude = -6.0333;
    dial->width = 300;
    dial->height = 200;
    dial->localSolarTime = 0;
    auto text = std::make_unique<CObjetTexte>();
    text->text = "Horavel";
    dial->frames.push_back(std::move(text));
    doc.SetDial(std::move(dial));
    Archive ar = Archive::ForStoring();
    doc.Serialize(ar);
    return ar.Bytes();
}

void OpenDocumentAndRebuildTables(benchmark::State& state)
{
    // No locations file: nothing is read or written besides the document.
    SetProfile(std::make_unique<MemoryProfile>());
    GetProfile().WriteString("Options\\General", "NomFichierLieux", "/nonexistent/LIEUX.DBL");
    CHoravelDoc doc;
    const std::string bytes = SampleDocument(doc);
    for (auto _ : state) {
        Archive ar = Archive::ForLoading(bytes, doc.GetClassRegistry());
        doc.Serialize(ar);
        if (!doc.GetDial() || doc.GetDial()->tablesValid != 1)
            throw std::runtime_error("the document did not load");
        benchmark::DoNotOptimize(doc.GetDial()->altitudeByDate[0][0]);
    }
    state.SetLabel(std::to_string(bytes.size()) + " bytes");
}
BENCHMARK(OpenDocumentAndRebuildTables)->Unit(benchmark::kMillisecond);

void RebuildTablesOnly(benchmark::State& state)
{
    CCadran dial;
    dial.latitude = 47.25;
    for (auto _ : state) {
        RebuildDialTables(dial, nullptr);
        benchmark::DoNotOptimize(dial.altitudeByLongitude[35][288]);
    }
}
BENCHMARK(RebuildTablesOnly)->Unit(benchmark::kMillisecond);

}  // namespace
