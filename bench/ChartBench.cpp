// Structure chart at scale: one page of a calling tree of a million rows, as the pane draws it
// (one numbering pass plus the figures of the visible rows) and painted into an image; hit
// tests and folding over the whole tree.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <string>

#include "AppCore.h"
#include "ChartPainter.h"
#include "StructChart.h"

using namespace lumbra;
using namespace lumbra::gui;

namespace {

// A tree of `fanout` callees per row down to `depth` levels (fanout 10, depth 6: 1,111,111
// rows), with every row's connector kind and a fold mark on every row that calls.
struct BigTree {
    AppCore core;
    StructChart chart{core};

    BigTree(int fanout, int depth) {
        TreeRowList& rows = core.Rows();
        grow(rows, 0, fanout, depth, kConnectorNone);
        chart.SetGeometry(17, 8, 1200, 800);
        chart.Reset();
    }
    void grow(TreeRowList& rows, int level, int fanout, int depth, int kind) {
        TreeRow& row = rows.appendLeaf(level, "module_" + std::to_string(rows.size()));
        row.setConnector(kind);
        if (level > 0 && level < depth)
            row.setFoldState(kFoldExpanded);
        if (level == depth)
            return;
        for (int i = 0; i < fanout; ++i)
            grow(rows, level + 1, fanout, depth,
                 i == fanout - 1 ? kConnectorLast
                 : i == 0        ? kConnectorFirst
                                 : kConnectorMiddle);
    }
};

BigTree& tree() {
    static BigTree t(10, 6);
    return t;
}

void BM_FrameOfOnePage(benchmark::State& state) {
    BigTree& t = tree();
    t.chart.SetTopRow(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        ChartFrame f = t.chart.Frame();
        benchmark::DoNotOptimize(f.boxes.data());
    }
    state.counters["rows"] = static_cast<double>(t.core.Rows().size());
}
BENCHMARK(BM_FrameOfOnePage)->Arg(0)->Arg(555555)->Arg(1111000)->Unit(benchmark::kMillisecond);

void BM_PaintOnePage(benchmark::State& state) {
    BigTree& t = tree();
    t.chart.SetTopRow(555555);
    QImage image(1200, 800, QImage::Format_RGB32);
    const ChartPalette palette = ChartPaletteFrom(t.core.GetSettings());
    const QFont font = FontFrom(t.core.GetSettings().fonts[kFontTree]);
    for (auto _ : state) {
        const ChartFrame f = t.chart.Frame();
        image.fill(palette.background);
        QPainter painter(&image);
        PaintChart(painter, f, palette, font, QApplication::style(), nullptr);
    }
}
BENCHMARK(BM_PaintOnePage)->Unit(benchmark::kMillisecond);

void BM_HitTest(benchmark::State& state) {
    BigTree& t = tree();
    t.chart.SetTopRow(777777);
    t.chart.Renumber();
    int y = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(t.chart.HitTest(120, 10 + (y++ % 30) * 26));
    }
}
BENCHMARK(BM_HitTest);

void BM_FoldAllAndExpandAll(benchmark::State& state) {
    BigTree& t = tree();
    for (auto _ : state) {
        t.chart.FoldAll(kFoldFolded);
        t.chart.FoldAll(kFoldExpanded);
    }
}
BENCHMARK(BM_FoldAllAndExpandAll)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
