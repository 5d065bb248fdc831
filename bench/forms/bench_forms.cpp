// Drawing the SV summary full screen, fed by the simulated receiver through the real plug-ins.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include "host/views/forms/main_form.h"
#include "host/views/view_classes.h"
#include "tests/host/views/forms/simulated_document.h"

namespace {

// One frame: every view of the form paints off screen and is copied into the picture.
void BM_DrawSvSummary(benchmark::State& state) {
    SimulatedDocument sim;
    sim.Feed(30);
    CMainFormSVInfo form;
    form.Create(sim.Context(), view_class::kMainFormSVInfo, nullptr);
    form.resize(1920, 1080);
    form.OnInitialUpdate();
    form.show();
    QImage picture(form.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        form.render(&picture);
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_DrawSvSummary)->Unit(benchmark::kMillisecond);

// A new epoch comes in and the summary is drawn again, as while receiving.
void BM_UpdateAndDrawSvSummary(benchmark::State& state) {
    SimulatedDocument sim;
    sim.Feed(30);
    CMainFormSVInfo form;
    form.Create(sim.Context(), view_class::kMainFormSVInfo, nullptr);
    form.resize(1920, 1080);
    form.OnInitialUpdate();
    form.show();
    QImage picture(form.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        sim.Feed(1);
        form.render(&picture);
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_UpdateAndDrawSvSummary)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
