// One repaint of the view in the scale drawing of a horizontal dial with every line family,
// as the view's window does it: the page into a memory picture of a 1280 x 1024 client at
// 96 dpi (background, sheet lines, frame, the dial), then that picture onto the window.
// Diurnal-arc mode 4 (solar-longitude arcs) and mode 14 (the 38 calendar date arcs).
#include "app/Accessors.h"
#include "bench/BenchDials.h"
#include "docview/CHoravelDoc.h"
#include "docview/CHoravelView.h"
#include "docview/ColorTable.h"
#include "platform/Profile.h"
#include "platform/qt/QtDC.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

void BM_RepaintScaleDrawing(benchmark::State& state)
{
    SetProfile(std::make_unique<MemoryProfile>());
    GetProfile().WriteString("Options\\General", "NomFichierLieux", "/nonexistent/LIEUX.DBL");
    auto doc = std::make_unique<CHoravelDoc>();
    GetAppContext().document = doc.get();

    auto dial = benchdial::EveryFamilyDial(static_cast<int>(state.range(0)));
    CPrefs& p = dial->prefs;
    p.fiveMinuteLines = 1;
    p.extendHourLines = 1;
    dial->tablesValid = 1;
    doc->SetDial(std::move(dial));

    {
        CHoravelView view;
        view.RecalcLayout(1);

        const int dotsPerMeter = static_cast<int>(96 / 0.0254 + 0.5);
        QImage window(1280, 1024, QImage::Format_RGB32);
        for (auto _ : state) {
            QImage memory(1280, 1024, QImage::Format_RGB32);
            memory.setDotsPerMeterX(dotsPerMeter);
            memory.setDotsPerMeterY(dotsPerMeter);
            {
                QPainter painter(&memory);
                gdi::QtDC dc(painter);
                dc.SetPrinting(false);
                view.OnDraw(dc, {0, 0, 1280, 1024});
            }
            QPainter(&window).drawImage(0, 0, memory);
            benchmark::DoNotOptimize(window.constBits());
        }
    }
    doc.reset();
    GetAppContext() = AppContext{};
    SetProfile(nullptr);
}
BENCHMARK(BM_RepaintScaleDrawing)->Arg(4)->Arg(14)->ArgName("mode")->Unit(benchmark::kMillisecond);

}  // namespace
