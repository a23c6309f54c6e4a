// Filling a dial's three sun tables in the order every caller uses: 72 table dates
// (equatorial coordinates, then the horizontal row), then the 36 solar-longitude rows.
#include "model/Astronomy.h"
#include "model/CCadran.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

void BM_DialTables(benchmark::State& state)
{
    auto dial = std::make_unique<CCadran>();
    dial->SetYear(2024);
    dial->SetSite(47.2378, -6.0241, 1.0);
    dial->localSolarTime = static_cast<int>(state.range(0));
    for (auto _ : state) {
        dial->ComputeAllTables();
        benchmark::DoNotOptimize(dial->altitudeByLongitude[35][288]);
    }
}
BENCHMARK(BM_DialTables)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
