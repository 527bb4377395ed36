// Engine scale: registering 10^5 modules in 10^3 files and recording 10^6 calls must stay
// near-linear (indexed lookups, no scans over all modules).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "LanguageScanner.h"
#include "NFileAnly.h"

namespace fs = std::filesystem;
using namespace lumbra;

namespace {

constexpr int kFiles = 1000;
constexpr int kModulesPerFile = 100;
constexpr int kCallsPerModule = 10;

// Every line of a file is one module; the second pass records calls to names spread over
// all files, plus one unknown name per module.
class BenchScanner : public LanguageScanner {
public:
    void DefinitionPass(NFileAnly& engine, FileRecord&, const SourceText& text) override {
        for (std::size_t i = 0; i < text.lineCount(); ++i)
            engine.CreateModule(text.line(i), static_cast<int>(i) + 1, 0, true);
    }
    void AnalysisPass(NFileAnly& engine, FileRecord& file, const SourceText& text) override {
        std::string callee;
        for (std::size_t i = 0; i < text.lineCount(); ++i) {
            engine.SetCurrentModule(engine.FindModuleAtLine(text.line(i), static_cast<int>(i) + 1));
            for (int k = 0; k < kCallsPerModule; ++k) {
                int target = (file.index * 7919 + static_cast<int>(i) * 31 + k * 104729) %
                             (kFiles * kModulesPerFile);
                callee = "fn_" + std::to_string(target);
                if (k == kCallsPerModule - 1)
                    callee = "extern_" + std::to_string(target % 500);
                if (engine.FindModule(callee))
                    engine.AddCall(callee, 0);
                else
                    engine.AddCallToUndefined(callee);
            }
        }
    }
};

fs::path makeCorpus() {
    static fs::path dir;
    if (!dir.empty())
        return dir;
    dir = fs::temp_directory_path() / ("lumbra-bench-" + std::to_string(getpid()));
    fs::create_directories(dir);
    for (int f = 0; f < kFiles; ++f) {
        std::ofstream out(dir / ("file" + std::to_string(f) + ".c"));
        for (int m = 0; m < kModulesPerFile; ++m)
            out << "fn_" << f * kModulesPerFile + m << "\n";
    }
    return dir;
}

void BM_RegisterAndLink(benchmark::State& state) {
    fs::path dir = makeCorpus();
    for (auto _ : state) {
        NFileAnly engine;
        engine.SetScanner(kKindCFamily, std::make_unique<BenchScanner>());
        for (int f = 0; f < kFiles; ++f)
            engine.AddFile((dir / ("file" + std::to_string(f) + ".c")).string(), kKindCFamily);
        engine.Analyze();
        benchmark::DoNotOptimize(engine.GetModuleCount());
        state.counters["modules"] = engine.GetModuleCount();
    }
    state.counters["calls"] = kFiles * kModulesPerFile * kCallsPerModule;
}
BENCHMARK(BM_RegisterAndLink)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::error_code ec;
    fs::remove_all(makeCorpus(), ec);
    return 0;
}
