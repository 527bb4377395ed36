// Source pane at scale: opening a file of 100,000 lines (line table, folding rows, blocks), one
// page of its figures, a page that shows a line of a megabyte scrolled to its middle, painting
// such a page, and folding the whole file.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <string>
#include <vector>

#include "Settings.h"
#include "SourcePainter.h"
#include "SourceView.h"
#include "TextInput.h"

using namespace lumbra;
using namespace lumbra::gui;

namespace {

// Functions of ten lines with a loop and a conditional inside, tab-indented.
struct BigFile {
    std::string text;
    std::vector<std::uint32_t> words;

    explicit BigFile(int lines) {
        const char* body[] = {"int f(void)",  "{",          "\tint a = 0;", "\tfor (;;) {",
                              "\t\tif (a) {", "\t\t\tg();", "\t\t}",        "\t}",
                              "\treturn a;",  "}"};
        const int levels[] = {0, 1, 1, 2, 3, 3, 2, 1, 1, 0};
        const std::uint32_t kinds[] = {0x40000000, 0, 0, 0x110000, 0x220000,
                                       0x20000000, 0, 0, 0,        0};
        for (int i = 0; i < lines; ++i) {
            text += body[i % 10];
            text += '\n';
            words.push_back(0x80000000u | kinds[i % 10] |
                            static_cast<std::uint32_t>(levels[i % 10]));
        }
    }
};

const BigFile& bigFile() {
    static BigFile f(100000);
    return f;
}

SourceOptions flowchart() {
    Settings s;
    ApplySourceStyle(s, SourceStyle::Flowchart);
    s.viewOpt[kViewSourceFolding] = 1;
    return SourceOptionsFrom(s);
}

SourceView& shownView() {
    static SourceView view = [] {
        SourceView v;
        SourceLines lines;
        const SourceText text = SourceText::FromInternal(bigFile().text);
        lines.Load(text, kCodePageUtf8, bigFile().words, 4, true, false);
        v.SetOptions(flowchart());
        v.Show(SourceDocument{"big.c", true, bigFile().words, {}, 0}, std::move(lines));
        v.SetGeometry(17, 8, 1200, 800);
        return v;
    }();
    return view;
}

// The pane opening a file: decoding, the table, the rows and the blocks.
void BM_OpenHundredThousandLines(benchmark::State& state) {
    const SourceText text = SourceText::FromInternal(bigFile().text);
    for (auto _ : state) {
        SourceLines lines;
        lines.Load(text, kCodePageUtf8, bigFile().words, 4, true, true);
        SourceView view;
        view.SetOptions(flowchart());
        view.Show(SourceDocument{"big.c", true, bigFile().words, {}, 0}, std::move(lines));
        benchmark::DoNotOptimize(view.Blocks().Blocks().data());
    }
}
BENCHMARK(BM_OpenHundredThousandLines)->Unit(benchmark::kMillisecond);

void BM_FrameOfOnePage(benchmark::State& state) {
    SourceView& view = shownView();
    view.SetTopRow(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        SourceFrame f = view.Frame();
        benchmark::DoNotOptimize(f.rows.data());
    }
}
BENCHMARK(BM_FrameOfOnePage)->Arg(0)->Arg(50000)->Arg(99950)->Unit(benchmark::kMicrosecond);

void BM_FoldAllAndExpandAll(benchmark::State& state) {
    SourceView& view = shownView();
    for (auto _ : state) {
        view.FoldAll();
        view.ExpandAll();
    }
}
BENCHMARK(BM_FoldAllAndExpandAll)->Unit(benchmark::kMillisecond);

// A file whose one line is a megabyte of wide characters (the slow column walk), scrolled to
// its middle.
SourceView& longLineView() {
    static SourceView view = [] {
        std::string line;
        while (line.size() < (1u << 20))
            line += "x = \xe6\x97\xa5\xe6\x9c\xac;\t";
        SourceLines lines;
        lines.LoadUtf8(
            {"int f(void)", "{", line, "}"},
            std::vector<std::uint32_t>{0x80000000u, 0x80000001u, 0xA0000001u, 0x80000000u}, 4, true,
            false);
        SourceView v;
        v.SetOptions(flowchart());
        v.Show(SourceDocument{"long.c", true, {}, {}, 0}, std::move(lines));
        v.SetGeometry(17, 8, 1200, 800);
        v.SetLeftColumn(v.ColumnRange() / 2);
        return v;
    }();
    return view;
}

void BM_FrameWithAMegabyteLine(benchmark::State& state) {
    SourceView& view = longLineView();
    for (auto _ : state) {
        SourceFrame f = view.Frame();
        benchmark::DoNotOptimize(f.rows.data());
    }
}
BENCHMARK(BM_FrameWithAMegabyteLine)->Unit(benchmark::kMillisecond);

void BM_PaintPageWithAMegabyteLine(benchmark::State& state) {
    SourceView& view = longLineView();
    const SourceFrame f = view.Frame();
    Settings s;
    const SourcePalette palette = SourcePaletteFrom(s);
    QFont font("DejaVu Sans Mono");
    font.setPixelSize(15);
    QImage image(1200, 800, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        PaintSource(painter, f, palette, font, QApplication::style(), nullptr);
    }
}
BENCHMARK(BM_PaintPageWithAMegabyteLine)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
