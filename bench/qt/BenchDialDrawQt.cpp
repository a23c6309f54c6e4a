// Painting a horizontal dial with every line family into a 96-dpi image through the Qt
// context: what one repaint of the scale drawing costs on screen.
#include "bench/BenchDials.h"
#include "docview/ColorTable.h"
#include "platform/qt/QtDC.h"

#include <QGuiApplication>
#include <QImage>
#include <benchmark/benchmark.h>

namespace {

void BM_DrawDialIntoImage(benchmark::State& state)
{
    auto dial = benchdial::EveryFamilyDial();
    dial->SetDialRect(0, 0, dial->dialRect.Width(), dial->dialRect.Height());
    QImage image(dial->dialRect.Width(), dial->dialRect.Height(), QImage::Format_ARGB32_Premultiplied);
    const int dotsPerMeter = static_cast<int>(96 / 0.0254 + 0.5);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    for (auto _ : state) {
        image.fill(Qt::white);
        gdi::QtDC dc(image);
        dc.SetPalette(BuildPalette());
        dial->DrawBorder(dc);
        dial->Draw(dc);
    }
}
BENCHMARK(BM_DrawDialIntoImage)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
