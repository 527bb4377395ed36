// Scale of the analysis-information lists and the search: filling the module list of up to 10^5
// modules and sorting it by a name column and a number column must stay near-linear; searching
// must cost about the same per line whatever the number of lines.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

#include "AnalysisInfoLists.h"
#include "LanguageScanner.h"
#include "NFileAnly.h"
#include "SourceSearch.h"

namespace fs = std::filesystem;
using namespace lumbra;

namespace {

// Creates `count` modules in its one file; module i calls 3i+1 .. 3i+3.
class ManyModules : public LanguageScanner {
public:
    explicit ManyModules(int count) : count_(count) {}
    void DefinitionPass(NFileAnly& engine, FileRecord&, const SourceText&) override {
        for (int i = 0; i < count_; ++i) {
            ModuleRecord* m = engine.CreateModule(name(i), i + 1, 0, true);
            m->exec = (i * 7919) % 113;
            m->pathNumb = i % 5 + 1;
        }
    }
    void AnalysisPass(NFileAnly& engine, FileRecord&, const SourceText&) override {
        for (int i = 0; i < count_; ++i) {
            engine.SetCurrentModule(engine.FindModule(name(i)));
            for (int k = 1; k <= 3 && 3 * i + k < count_; ++k)
                engine.AddCall(name(3 * i + k), 0);
        }
    }

private:
    // Names in no order, so that sorting by name has work to do.
    static std::string name(int i) { return "m" + std::to_string((i * 40503L) % 1000003L); }
    int count_;
};

struct Corpus {
    explicit Corpus(int modules) {
        dir = fs::temp_directory_path() / ("lumbra_info_bench_" + std::to_string(getpid()));
        fs::create_directories(dir);
        const fs::path file = dir / "one.c";
        std::ofstream(file) << "x\n";
        engine.SetScanner(kKindCFamily, std::make_unique<ManyModules>(modules));
        engine.AddFile(file.string(), kKindCFamily);
        engine.Analyze();
    }
    ~Corpus() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    fs::path dir;
    NFileAnly engine;
};

void BM_ModuleListFillAndSort(benchmark::State& state) {
    Corpus corpus(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        InfoTable table = BuildModuleList(corpus.engine);
        table.sortByClick(1); // names, as texts
        table.sortByClick(3); // executable lines, as numbers
        table.sortByClick(3); // and descending
        benchmark::DoNotOptimize(table.cell(0, 0));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ModuleListFillAndSort)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond);

void BM_SearchLines(benchmark::State& state) {
    std::string text;
    for (long i = 0; i < state.range(0); ++i)
        text += "    value_" + std::to_string(i) + " = compute(value_" + std::to_string(i / 2) +
                ", 42); // step\n";
    const SourceText source = SourceText::FromInternal(text);
    LineMatcher matcher("compute\\(value_1\\d*,", false);
    for (auto _ : state) {
        std::vector<std::string> results;
        SearchText(source, 1, kCodePageUtf8, matcher, nullptr, results);
        benchmark::DoNotOptimize(results.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SearchLines)
    ->RangeMultiplier(10)
    ->Range(10000, 1000000)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
