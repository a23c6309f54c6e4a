// The hour-line points of a declining and inclined plane dial (face towards 35 degrees west,
// inclined 60 degrees, at Besançon): the nodus' shadow in millimetres for the 24 whole hours
// at the seven declinations of the starts of the zodiac signs. Route 0 goes through each
// sun's azimuth and altitude (EquatorialToHorizontal, then the dial's ProjectMm); route 1
// through the dial's face map, as the drawing traces its date arcs.
#include "model/Astronomy.h"
#include "model/CCadranPlanQuelconque.h"
#include "model/FaceMap.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr double kDeg = std::numbers::pi / 180.0;

void BM_HourLinePointSet(benchmark::State& state)
{
    CCadranPlanQuelconque dial(35.0 * kDeg, 60.0 * kDeg);
    dial.SetYear(2024);
    dial.SetSite(47.24, -6.02, 1.0);
    dial.styleHeight = 40;
    std::array<double, 7> declinations{};
    for (size_t k = 0; k < declinations.size(); ++k)
        declinations[k] = DeclinationOfLongitude(static_cast<int>(15 - k) % 12, false) * kDeg;
    std::array<std::array<double, 2>, 24 * 7> points{};
    const bool faceMap = state.range(0) != 0;
    for (auto _ : state) {
        if (faceMap) {
            FaceMap map;
            dial.GetFaceMap(map);
            std::array<std::array<double, 2>, 7> sinCosDeclination{};
            for (size_t k = 0; k < declinations.size(); ++k)
                sinCosDeclination[k] = {std::sin(declinations[k]), std::cos(declinations[k])};
            for (int h = 0; h < 24; ++h) {
                const double hourAngle = (h - 12) * 15.0 * kDeg;
                const double sinH = std::sin(hourAngle);
                const double cosH = std::cos(hourAngle);
                for (size_t k = 0; k < declinations.size(); ++k) {
                    const HorizontalVector sun =
                        EquatorialToHorizontalVector(sinH, cosH, sinCosDeclination[k][0], sinCosDeclination[k][1]);
                    double facing = 0.0;
                    auto& p = points[static_cast<size_t>(h) * 7 + k];
                    map.Shadow(sun, p[0], p[1], facing);
                }
            }
        } else {
            for (int h = 0; h < 24; ++h) {
                for (size_t k = 0; k < declinations.size(); ++k) {
                    double azimuth = 0.0;
                    double altitude = 0.0;
                    EquatorialToHorizontal((h - 12) * 15.0 * kDeg, declinations[k], azimuth, altitude);
                    auto& p = points[static_cast<size_t>(h) * 7 + k];
                    dial.ProjectMm(azimuth, altitude, p[0], p[1]);
                }
            }
        }
        benchmark::DoNotOptimize(points.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_HourLinePointSet)->Arg(0)->Arg(1)->ArgName("route")->Unit(benchmark::kMicrosecond);

}  // namespace
