// Cost of the astronomy calls the dial tables make by the thousand.
#include "model/Astronomy.h"

#include <benchmark/benchmark.h>

namespace {

void BM_EquatorialToHorizontal(benchmark::State& state)
{
    SetAstroSite(47.2378, -6.0241, 1.0);
    double hourAngle = -1.5;
    double azimuth = 0.0, altitude = 0.0;
    for (auto _ : state) {
        EquatorialToHorizontal(hourAngle, 0.3, azimuth, altitude);
        benchmark::DoNotOptimize(azimuth);
        benchmark::DoNotOptimize(altitude);
        hourAngle = hourAngle > 1.5 ? -1.5 : hourAngle + 0.001;
    }
}
BENCHMARK(BM_EquatorialToHorizontal);

void BM_SetAstroDate(benchmark::State& state)
{
    int day = 1;
    for (auto _ : state) {
        SetAstroDate(day, 6, 2024, 12.0);
        benchmark::ClobberMemory();
        day = day == 28 ? 1 : day + 1;
    }
}
BENCHMARK(BM_SetAstroDate);

void BM_ApparentSunPosition(benchmark::State& state)
{
    SetAstroYear(2024);
    int day = 1;
    double ra = 0.0, dec = 0.0;
    for (auto _ : state) {
        ApparentSunPosition(day, 6, ra, dec);
        benchmark::DoNotOptimize(ra);
        benchmark::DoNotOptimize(dec);
        day = day == 28 ? 1 : day + 1;
    }
}
BENCHMARK(BM_ApparentSunPosition);

void BM_RiseTransitSet(benchmark::State& state)
{
    SetAstroSite(47.2378, -6.0241, 1.0);
    SetAstroDateTime(6, 6, 2024, 0, 0, 0);
    double ra = 0.0, dec = 0.0;
    GetSunEquatorial(ra, dec);
    for (auto _ : state)
        benchmark::DoNotOptimize(RiseTransitSet(ra, dec));
}
BENCHMARK(BM_RiseTransitSet);

}  // namespace
