// The hour-line points of a declining and inclined plane dial (face towards 35 degrees west,
// inclined 60 degrees, at Besançon): the 24 whole hours at the seven declinations of the
// starts of the zodiac signs, each sun tested for light and projected to the device (and,
// with collectShapes, to the export), one declination after the other as the date arcs are
// traced. Route 0 takes every sun through its azimuth and altitude (EquatorialToHorizontal,
// IsLit, ProjectBoth), as the families without a face map do. Routes 1 and 2 go through the
// drawing's SunProjector, the face map with its lit test and rounding check, as the date
// arcs, the particular dates and the Italic and Babylonian hours do: route 1 with the sine and
// cosine of each sun's hour angle reckoned for it (EquatorialSun::SetHourAngle, as a
// particular date is traced), route 2 with those of the 24 hours reckoned once and shared by
// the declinations (as the date arcs take theirs from a table of their steps). All give the
// same points.
#include "model/Astronomy.h"
#include "model/CCadranPlanQuelconque.h"
#include "model/DialDrawing.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

using dialdraw::EquatorialSun;
using dialdraw::Projected;

constexpr double kDeg = std::numbers::pi / 180.0;
constexpr std::size_t kDeclinations = 7;
constexpr int kHours = 24;

struct PointSet {
    std::array<Projected, kDeclinations * kHours> points{};
    std::array<bool, kDeclinations * kHours> lit{};
};

void ThroughAzimuthAndAltitude(const CCadran& dial, const dialdraw::ExportFrame& frame, bool aboveHorizon,
                               const std::array<double, kDeclinations>& declinations, PointSet& set)
{
    std::size_t n = 0;
    for (const double declination : declinations) {
        for (int h = 0; h < kHours; ++h, ++n) {
            double azimuth = 0.0;
            double altitude = 0.0;
            EquatorialToHorizontal((h - 12) * 15.0 * kDeg, declination, azimuth, altitude);
            set.lit[n] = dial.IsLit(azimuth, altitude, aboveHorizon);
            if (set.lit[n])
                set.points[n] = dialdraw::ProjectBoth(dial, azimuth, altitude, {}, frame);
        }
    }
}

// hours: the hour angles' sines and cosines reckoned once, or nullptr.
void ThroughSunProjector(const dialdraw::SunProjector& projector, const std::array<double, kDeclinations>& declinations,
                         const std::array<EquatorialSun, kHours>* hours, PointSet& set)
{
    std::size_t n = 0;
    for (const double declination : declinations) {
        EquatorialSun sun = EquatorialSun::At(0.0, declination);
        for (int h = 0; h < kHours; ++h, ++n) {
            if (hours) {
                const EquatorialSun& hour = (*hours)[static_cast<std::size_t>(h)];
                sun.hourAngle = hour.hourAngle;
                sun.sinHourAngle = hour.sinHourAngle;
                sun.cosHourAngle = hour.cosHourAngle;
            } else {
                sun.SetHourAngle((h - 12) * 15.0 * kDeg);
            }
            set.lit[n] = projector.Project(sun, set.points[n]);
        }
    }
}

bool SamePoints(const PointSet& a, const PointSet& b)
{
    for (std::size_t n = 0; n < a.lit.size(); ++n) {
        if (a.lit[n] != b.lit[n])
            return false;
        if (a.lit[n] && (a.points[n].device != b.points[n].device || a.points[n].exported != b.points[n].exported))
            return false;
    }
    return true;
}

void BM_HourLinePointSet(benchmark::State& state)
{
    CCadranPlanQuelconque dial(35.0 * kDeg, 60.0 * kDeg);
    dial.SetYear(2024);
    dial.SetSite(47.24, -6.02, 1.0);
    dial.styleHeight = 40;
    dial.width = 260;
    dial.height = 200;
    dial.SetStyleAnchorPercent(50, 50);
    dial.collectShapes = static_cast<int>(state.range(1));
    const bool aboveHorizon = dial.prefs.sunAboveHorizon != 0;
    std::array<double, kDeclinations> declinations{};
    for (std::size_t k = 0; k < declinations.size(); ++k)
        declinations[k] = DeclinationOfLongitude(static_cast<int>(15 - k) % 12, false) * kDeg;
    const dialdraw::ExportFrame frame = dialdraw::MakeExportFrame(dial, {});
    const dialdraw::SunProjector projector(dial, {}, frame, aboveHorizon);
    std::array<EquatorialSun, kHours> hours{};
    for (int h = 0; h < kHours; ++h)
        hours[static_cast<std::size_t>(h)].SetHourAngle((h - 12) * 15.0 * kDeg);

    PointSet traced;
    PointSet mapped;
    PointSet shared;
    ThroughAzimuthAndAltitude(dial, frame, aboveHorizon, declinations, traced);
    ThroughSunProjector(projector, declinations, nullptr, mapped);
    ThroughSunProjector(projector, declinations, &hours, shared);
    if (!SamePoints(traced, mapped) || !SamePoints(traced, shared)) {
        state.SkipWithError("the routes give different points");
        return;
    }
    state.counters["lit"] = static_cast<double>(std::count(traced.lit.begin(), traced.lit.end(), true));

    const int route = static_cast<int>(state.range(0));
    PointSet set;
    for (auto _ : state) {
        if (route == 0)
            ThroughAzimuthAndAltitude(dial, frame, aboveHorizon, declinations, set);
        else
            ThroughSunProjector(projector, declinations, route == 2 ? &hours : nullptr, set);
        benchmark::DoNotOptimize(set.points.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_HourLinePointSet)
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({2, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Args({2, 1})
    ->ArgNames({"route", "collectShapes"})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
