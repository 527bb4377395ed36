// Tree building scale: all calling trees of generated call graphs of up to 10^5 modules. The
// time per row must stay flat as the graphs grow (near-linear in the number of rows), whatever
// the depth of the trees.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>

#include "LanguageScanner.h"
#include "NFileAnly.h"
#include "TreeBuilder.h"

namespace fs = std::filesystem;
using namespace lumbra;

namespace {

enum class Shape {
    Tree,  // module i calls 3i+1, 3i+2, 3i+3: one balanced tree
    Graph, // module i calls four later modules spread over the graph (Lower Omit keeps it finite)
    Chain, // module i calls i+1: one tree as deep as the graph is large
};

// Creates the modules and calls of a shape, ignoring the text of its one file.
class GraphScanner : public LanguageScanner {
public:
    GraphScanner(Shape shape, int modules) : shape_(shape), count_(modules) {}

    void DefinitionPass(NFileAnly& engine, FileRecord&, const SourceText&) override {
        modules_.clear();
        for (int i = 0; i < count_; ++i) {
            ModuleRecord* m = engine.CreateModule(name(i), i + 1, 0, true);
            m->exec = i % 7 + 1;
            m->pathNumb = i % 3 + 1;
            modules_.push_back(m);
        }
    }
    void AnalysisPass(NFileAnly& engine, FileRecord&, const SourceText&) override {
        for (int i = 0; i < count_; ++i) {
            engine.SetCurrentModule(modules_[static_cast<std::size_t>(i)]);
            switch (shape_) {
            case Shape::Tree:
                for (int k = 1; k <= 3 && 3 * i + k < count_; ++k)
                    engine.AddCall(name(3 * i + k), 0);
                break;
            case Shape::Graph:
                for (int k = 1; k <= 4; ++k) {
                    const long long j =
                        i + 1 + (static_cast<long long>(i) * 7919 + k * 104729) % 977;
                    if (j < count_)
                        engine.AddCall(name(static_cast<int>(j)), 0);
                }
                break;
            case Shape::Chain:
                if (i + 1 < count_)
                    engine.AddCall(name(i + 1), 0);
                break;
            }
        }
    }

private:
    static std::string name(int i) { return "m" + std::to_string(i); }

    Shape shape_;
    int count_;
    std::vector<ModuleRecord*> modules_;
};

fs::path sourceFile() {
    static fs::path path;
    if (path.empty()) {
        path = fs::temp_directory_path() / ("lumbra-tree-bench-" + std::to_string(getpid()) + ".c");
        std::ofstream(path) << "generated\n";
    }
    return path;
}

// One analysed engine per shape and size, kept across the benchmark's repetitions.
NFileAnly& analysed(Shape shape, int modules) {
    static std::map<std::pair<int, int>, std::unique_ptr<NFileAnly>> engines;
    auto& engine = engines[{static_cast<int>(shape), modules}];
    if (!engine) {
        engine = std::make_unique<NFileAnly>();
        engine->SetScanner(kKindCFamily, std::make_unique<GraphScanner>(shape, modules));
        engine->AddFile(sourceFile().string(), kKindCFamily);
        engine->Analyze();
    }
    return *engine;
}

void buildAll(benchmark::State& state, Shape shape, TreeBuildSettings settings) {
    const int modules = static_cast<int>(state.range(0));
    NFileAnly& engine = analysed(shape, modules);
    TreeRowList rows;
    TreeBuilder builder(engine, rows);
    builder.SetSettings(settings);
    for (auto _ : state) {
        builder.BuildTrees();
        benchmark::DoNotOptimize(rows.size());
    }
    state.SetComplexityN(static_cast<benchmark::IterationCount>(rows.size()));
    state.counters["rows"] = static_cast<double>(rows.size());
    state.counters["rows/s"] = benchmark::Counter(static_cast<double>(rows.size()),
                                                  benchmark::Counter::kIsIterationInvariantRate);
}

void BM_BalancedTree(benchmark::State& state) {
    buildAll(state, Shape::Tree, {32, 10000000, false, kSortCode});
}
BENCHMARK(BM_BalancedTree)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// Exec order: the preliminary Name-ordered build, then the sorted one.
void BM_GraphLowerOmitExecOrder(benchmark::State& state) {
    buildAll(state, Shape::Graph, {32, 10000000, true, kSortExec});
}
BENCHMARK(BM_GraphLowerOmitExecOrder)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// Every module at its own level: the cost per row must not grow with the depth.
void BM_DeepChain(benchmark::State& state) {
    buildAll(state, Shape::Chain, {1000000, 10000000, false, kSortCode});
}
BENCHMARK(BM_DeepChain)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::error_code ec;
    fs::remove(sourceFile(), ec);
    return 0;
}
