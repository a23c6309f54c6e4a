// Painting a horizontal dial with every line family into a 96-dpi image through the Qt
// context: what one repaint of the scale drawing costs on screen.
#include "docview/ColorTable.h"
#include "platform/qt/QtDC.h"
#include "tests/model/DialTestDials.h"

#include <QGuiApplication>
#include <QImage>
#include <benchmark/benchmark.h>

namespace {

void BM_DrawDialIntoImage(benchmark::State& state)
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
