// Drawing a horizontal dial with every line family into a recording context: the cost of
// the families themselves (projection, clipping, export bookkeeping), without rasterising.
// Diurnal-arc mode 4 draws the solar-longitude arcs from the tables; mode 14 traces the 38
// calendar date arcs sun by sun, the heaviest family. The DXF export collects the shapes of
// the mode-14 dial and writes them to a file.
#include "bench/BenchDials.h"
#include "platform/RecordingDC.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <stdexcept>
#include <unistd.h>

namespace {

void BM_DrawDialIntoRecording(benchmark::State& state)
{
    auto dial = benchdial::EveryFamilyDial(static_cast<int>(state.range(0)));
    dial->collectShapes = static_cast<int>(state.range(1));
    for (auto _ : state) {
        gdi::RecordingDC dc;
        dial->ClearExportShapes();
        dial->Draw(dc);
        benchmark::DoNotOptimize(dc.Records().size());
    }
}
BENCHMARK(BM_DrawDialIntoRecording)
    ->Args({4, 0})
    ->Args({4, 1})
    ->Args({14, 0})
    ->Args({14, 1})
    ->ArgNames({"mode", "collectShapes"})
    ->Unit(benchmark::kMillisecond);

// What the DXF export command does after the user picked the file: the dial drawn once
// with its shapes collected, then the shapes written.
void BM_ExportDxf(benchmark::State& state)
{
    auto dial = benchdial::EveryFamilyDial(14);
    dial->collectShapes = 1;
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("horavel_bench_" + std::to_string(::getpid()) + ".dxf");
    for (auto _ : state) {
        gdi::RecordingDC dc;
        dial->ClearExportShapes();
        dial->Draw(dc);
        if (!dial->ExportDxf(file))
            throw std::runtime_error("the DXF file was not written");
    }
    state.SetLabel(std::to_string(std::filesystem::file_size(file)) + " bytes");
    std::filesystem::remove(file);
}
BENCHMARK(BM_ExportDxf)->Unit(benchmark::kMillisecond);

}  // namespace
