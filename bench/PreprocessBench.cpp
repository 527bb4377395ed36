// Conditional compilation at scale: a generated C project whose sources include a tree of
// guarded headers and test their constants in "#if" lines, scanned with constants, conditions
// and include pre-scans on; the figure is source lines per second (headers not counted).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "NFileAnly.h"
#include "ScannerRegistry.h"

namespace fs = std::filesystem;
using namespace lumbra;
using namespace lumbra::bench;

namespace {

constexpr int kSources = 200;
constexpr int kHeaders = 60;
constexpr int kFunctionsPerSource = 120;

struct Project {
    fs::path dir;
    std::vector<std::string> sources;
    long lines = 0;
};

// Header h includes the next three (guarded), defines thirty constants and holds a few
// conditional declarations.
void writeHeader(const fs::path& dir, int h) {
    std::ofstream out(dir / ("h" + std::to_string(h) + ".h"));
    out << "#ifndef H" << h << "_H\n#define H" << h << "_H\n";
    for (int k = 1; k <= 3 && h + k < kHeaders; ++k)
        out << "#include \"h" << h + k << ".h\"\n";
    for (int c = 0; c < 30; ++c)
        out << "#define H" << h << "_C" << c << " (" << c << " << 2 | 0x10)\n";
    out << "#if defined(H" << h << "_C3) && H" << h << "_C3 > 8\nint h" << h
        << "_api(int);\n#else\nint h" << h << "_old(void);\n#endif\n#endif\n";
}

void writeSource(const fs::path& path, int file) {
    std::ofstream out(path);
    out << "#include \"h0.h\"\n#include \"h" << file % kHeaders << ".h\"\n#define LOCAL_" << file
        << " " << file << "\n\n";
    for (int fn = 0; fn < kFunctionsPerSource; ++fn) {
        out << "int f_" << file << "_" << fn << "(int v)\n{\n"
            << "#if H0_C1 + H1_C2 > 20 && !defined(NO_FAST)\n"
            << "    v = h0_api(v);\n"
            << "#elif LOCAL_" << file << " > 3\n"
            << "    v = legacy(v);\n"
            << "#else\n"
            << "    v = 0;\n"
            << "#endif\n"
            << "#ifdef H" << (fn % kHeaders) << "_C7\n"
            << "    if (v > H0_C9) v -= 1;\n"
            << "#endif\n"
            << "    return v;\n}\n\n";
    }
}

const Project& project() {
    static Project p = [] {
        Project made;
        made.dir = MakeScratchDir("prebench");
        for (int h = 0; h < kHeaders; ++h)
            writeHeader(made.dir, h);
        for (int f = 0; f < kSources; ++f) {
            const fs::path path = made.dir / ("unit" + std::to_string(f) + ".c");
            writeSource(path, f);
            made.sources.push_back(path.string());
        }
        made.lines = static_cast<long>(kSources) * (4 + 15L * kFunctionsPerSource);
        return made;
    }();
    return p;
}

void BM_ConditionsAndIncludes(benchmark::State& state) {
    const Project& p = project();
    for (auto _ : state) {
        NFileAnly engine;
        InstallScanners(engine);
        engine.SetOption(kOptUseDefineConstant, 1);
        engine.SetOption(kOptUseConditionInFile, 1);
        engine.SetOption(kOptDefineConstantInInclude, 1);
        engine.SetOption(kOptIncludeOnce, static_cast<int>(state.range(0)));
        for (const std::string& path : p.sources)
            engine.AddFile(path, kKindCFamily);
        engine.Analyze();
        benchmark::DoNotOptimize(engine.GetModuleCount());
    }
    ReportLineRate(state, p.lines);
}
// Option 19 clear (every inclusion read again) and set (once per pass).
BENCHMARK(BM_ConditionsAndIncludes)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv, [] { return std::vector<fs::path>{project().dir}; });
}
