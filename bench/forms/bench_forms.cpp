// Drawing the SV summary full screen, fed by the simulated receiver through the real plug-ins.
#include <benchmark/benchmark.h>

#include <QImage>

#include "host/views/forms/main_form.h"
#include "host/views/view_classes.h"
#include "tests/host/views/forms/simulated_document.h"

namespace {

struct FullScreenSummary {
    FullScreenSummary() {
        sim.Feed(30);
        form.Create(sim.Context(), view_class::kMainFormSVInfo, nullptr);
        form.resize(1920, 1080);
        form.OnInitialUpdate();
        form.show();
    }
    void Draw() {
        form.render(&picture);
        benchmark::DoNotOptimize(picture.constBits());
    }

    SimulatedDocument sim;
    CMainFormSVInfo form;
    QImage picture{1920, 1080, QImage::Format_ARGB32_Premultiplied};
};

// One frame: every view of the form paints off screen and is copied into the picture.
void BM_DrawSvSummary(benchmark::State& state) {
    FullScreenSummary summary;
    for (auto _ : state) summary.Draw();
}
BENCHMARK(BM_DrawSvSummary)->Unit(benchmark::kMillisecond);

// A new epoch comes in and the summary is drawn again, as while receiving.
void BM_UpdateAndDrawSvSummary(benchmark::State& state) {
    FullScreenSummary summary;
    for (auto _ : state) {
        summary.sim.Feed(1);
        summary.Draw();
    }
}
BENCHMARK(BM_UpdateAndDrawSvSummary)->Unit(benchmark::kMillisecond);

}  // namespace
