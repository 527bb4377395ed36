// Assembler scanning speed at scale: a generated 80x86 corpus of about a million lines and a
// hundred thousand routines, called across files, goes through both passes; the figure is
// source lines per second.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "NFileAnly.h"
#include "ScannerRegistry.h"
#include "Settings.h"

namespace fs = std::filesystem;
using namespace lumbra;
using namespace lumbra::bench;

namespace {

constexpr int kFiles = 200;
constexpr int kRoutinesPerFile = 500;

// One routine of ten lines: a call into another file, a local loop, a table move and data.
void writeRoutine(std::ofstream& out, int file, int r) {
    const int other = (file * 13 + r) % kFiles;
    out << "; routine " << r << "\n"
        << "\tpublic r_" << file << "_" << r << "\n"
        << "r_" << file << "_" << r << ":\n"
        << "\tmov\tcx, 10\n"
        << ".loop:\n"
        << "\tcall\tr_" << other << "_" << (r + 1) % kRoutinesPerFile << "\n"
        << "\tmov\tbx, offset tab_" << file << "\n"
        << "\tdec\tcx\n"
        << "\tjnz\t.loop\n"
        << "\tret\n";
}

const Corpus& corpus() {
    static Corpus c = MakeCorpus("asmbench", kFiles, ".asm", [](std::ofstream& out, int f) {
        out << "; unit " << f << " of the benchmark corpus\n"
            << "tab_" << f << "\tdw\tr_" << f << "_0, r_" << f << "_1\n";
        for (int r = 0; r < kRoutinesPerFile; ++r)
            writeRoutine(out, f, r);
    });
    return c;
}

void configure(NFileAnly& engine) {
    InstallScanners(engine);
    for (int g = 0; g < kInstructionGroupCount; ++g)
        engine.AddKeywords(kDefaultInstructions[1][static_cast<std::size_t>(g)], g);
    engine.SetOption(kOptTableDefineModule, 1);
    engine.SetOption(kOptCombineTableModule, 1);
}

// Both passes: registration, then the analysis run over every file.
void BM_AsmBothPasses(benchmark::State& state) {
    const Corpus& c = corpus();
    for (auto _ : state) {
        NFileAnly engine;
        configure(engine);
        for (const std::string& p : c.files)
            engine.AddFile(p, kKindAssembler);
        engine.Analyze();
        benchmark::DoNotOptimize(engine.GetModuleCount());
    }
    ReportLineRate(state, c.lines);
}
BENCHMARK(BM_AsmBothPasses)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv, [] { return std::vector<fs::path>{corpus().dir}; });
}
