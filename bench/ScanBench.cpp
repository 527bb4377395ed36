// Scanning speed: a generated C corpus of more than a million lines goes through the definition
// pass (registration) and the analysis pass; the figure is source lines per second.
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

constexpr int kFiles = 250;
constexpr int kFunctionsPerFile = 160;

// One function of about 26 lines: comments, declarations, branches, loops and calls into its own
// file, other files and the C library.
void writeFunction(std::ofstream& out, int file, int fn) {
    const int other = (file * 7 + fn) % kFiles;
    out << "/*\n * fn_" << file << "_" << fn << ": computes a step of the pipeline.\n */\n"
        << "static int fn_" << file << "_" << fn << "(struct state *s, int count)\n"
        << "{\n"
        << "    int total = 0;\n"
        << "    const char *label = \"step { ( \\\" \";\n\n"
        << "    if (s == NULL || count <= 0) {\n"
        << "        return -1; // nothing to do\n"
        << "    }\n"
        << "    for (int i = 0; i < count; i++) {\n"
        << "        total += helper_" << file << "(s, i);\n"
        << "        switch (s->mode) {\n"
        << "        case MODE_FAST: total += fast_path(s); break;\n"
        << "        case MODE_SLOW: total += api_" << other << "(s->data[i]); break;\n"
        << "        default: break;\n"
        << "        }\n"
        << "    }\n"
        << "    while (total > LIMIT)\n"
        << "        total -= s->ops->shrink(total);\n"
        << "    printf(\"%s %d\\n\", label, total > 0 ? total : 0);\n"
        << "    return total;\n"
        << "}\n\n";
}

const Corpus& corpus() {
    static Corpus c = MakeCorpus("scanbench", kFiles, ".c", [](std::ofstream& out, int f) {
        out << "/* unit " << f << " of the benchmark corpus */\n#include <stdio.h>\n"
            << "#include \"state.h\"\n#define LIMIT " << 1000 + f << "\n\n"
            << "struct state { int mode; int *data; const struct ops *ops; };\n\n"
            << "int helper_" << f << "(struct state *s, int i) { return s->data[i]; }\n"
            << "int api_" << f << "(int v) { return v * 2; }\n\n";
        for (int fn = 0; fn < kFunctionsPerFile; ++fn)
            writeFunction(out, f, fn);
    });
    return c;
}

void registerAll(NFileAnly& engine) {
    for (const std::string& p : corpus().files)
        engine.AddFile(p, kKindCFamily);
}

// The definition pass alone, as registration runs it (reading and converting included).
void BM_DefinitionPass(benchmark::State& state) {
    const Corpus& c = corpus();
    for (auto _ : state) {
        NFileAnly engine;
        InstallScanners(engine);
        registerAll(engine);
        benchmark::DoNotOptimize(engine.GetModuleCount());
    }
    ReportLineRate(state, c.lines);
}
BENCHMARK(BM_DefinitionPass)->Unit(benchmark::kMillisecond)->UseRealTime();

// Both passes: registration, then the analysis run over every file.
void BM_BothPasses(benchmark::State& state) {
    const Corpus& c = corpus();
    for (auto _ : state) {
        NFileAnly engine;
        InstallScanners(engine);
        registerAll(engine);
        engine.Analyze();
        benchmark::DoNotOptimize(engine.GetModuleCount());
    }
    ReportLineRate(state, c.lines);
}
BENCHMARK(BM_BothPasses)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv, [] { return std::vector<fs::path>{corpus().dir}; });
}
