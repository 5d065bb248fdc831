// Redrawing a chart of 3600 epochs of the simulated drive full screen (target: under 8 ms).
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "host/views/charts/chart_view.h"
#include "host/views/view_classes.h"
#include "resources/veltro/chart_resources.h"
#include "tests/host/views/forms/simulated_document.h"

namespace {

constexpr int kEpochs = 3600;

// Fed once for every benchmark: an hour of epochs takes a while to decode.
SimulatedDocument& HourOfDriving() {
    static SimulatedDocument* sim = [] {
        auto* fed = new SimulatedDocument;
        fed->document.History().SetCapacity(kEpochs);
        // The last epoch closes when the next one begins.
        fed->Feed(kEpochs + 1);
        return fed;
    }();
    return *sim;
}

struct FullScreenChart {
    FullScreenChart() {
        chart.Create(HourOfDriving().Context(), view_class::kChartView, nullptr);
        chart.resize(1920, 1080);
        chart.OnInitialUpdate();
        chart.RunCommand(cmd::kChartXFit);
        chart.RunCommand(cmd::kChartYFit);
        chart.show();
    }
    void Draw() {
        chart.render(&picture);
        benchmark::DoNotOptimize(picture.constBits());
    }

    CChartView chart;
    QImage picture{1920, 1080, QImage::Format_ARGB32_Premultiplied};
};

// Altitude against the index, every epoch in view, bold dots joined by lines (the defaults).
void BM_RedrawChart3600Epochs(benchmark::State& state) {
    FullScreenChart full;
    if (HourOfDriving().document.History().Count() < kEpochs) state.SkipWithError("the history is short");
    for (auto _ : state) full.Draw();
}
BENCHMARK(BM_RedrawChart3600Epochs)->Unit(benchmark::kMillisecond);

}  // namespace
