// Drawing a horizontal dial with every line family into a recording context: the cost of
// the families themselves (projection, clipping, export bookkeeping), without rasterising.
#include "model/Astronomy.h"
#include "platform/RecordingDC.h"
#include "tests/model/DialTestDials.h"

#include <benchmark/benchmark.h>

namespace {

std::unique_ptr<dialtest::HorizontalDial> EveryFamilyDial()
{
    auto dial = dialtest::MakeDial<dialtest::HorizontalDial>(47.24, -6.02, 1.0, 2024, 0.0, 240, 180, 50, 70);
    CPrefs& p = dial->prefs;
    p.quarterHourLines = 1;
    p.noonMark = 1;
    p.noonMarkPointer = 1;
    p.italicHours = 1;
    p.babylonianHours = 1;
    p.diurnalArcMode = 4;
    p.horizontalLines = 1;
    p.indications = 1;
    p.axesXY = 1;
    p.substyleLine = 1;
    p.steepestSlopeLine = 1;
    dial->particularDates = {1905, 1508};
    return dial;
}

void BM_DrawDialIntoRecording(benchmark::State& state)
{
    auto dial = EveryFamilyDial();
    dial->collectShapes = static_cast<int>(state.range(0));
    for (auto _ : state) {
        gdi::RecordingDC dc;
        dial->ClearExportShapes();
        dial->Draw(dc);
        benchmark::DoNotOptimize(dc.Records().size());
    }
}
BENCHMARK(BM_DrawDialIntoRecording)->Arg(0)->Arg(1)->ArgName("collectShapes")->Unit(benchmark::kMillisecond);

}  // namespace
