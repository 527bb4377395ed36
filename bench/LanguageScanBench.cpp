// Basic and Pascal scanning speed at scale: a generated corpus of about a million lines per
// language (two hundred files, fifty thousand procedures, calls across files) goes through both
// passes; the figure is source lines per second.
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

constexpr int kFiles = 200;
constexpr int kRoutinesPerFile = 250;

// One VB.NET procedure of twenty lines: a block If, a loop, a Select Case and calls.
void writeBasicRoutine(std::ofstream& out, int file, int r) {
    const int other = (file * 13 + r) % kFiles;
    out << "        ' Name: Work" << r << "\n"
        << "        Public Function Work" << file << "_" << r
        << "(ByVal n As Integer, ByVal s As String) As Integer\n"
        << "            Dim total As Integer = 0\n"
        << "            If n > 0 Then\n"
        << "                total = Work" << other << "_" << (r + 1) % kRoutinesPerFile
        << "(n - 1, s)\n"
        << "            End If\n"
        << "            For i As Integer = 1 To n\n"
        << "                total = total + i\n"
        << "            Next\n"
        << "            Select Case total\n"
        << "                Case 0\n"
        << "                    Helper" << file << "(\"zero\")\n"
        << "                Case Else\n"
        << "                    Helper" << file << "(s)\n"
        << "            End Select\n"
        << "            Do While total > 100\n"
        << "                total = total \\ 2\n"
        << "            Loop\n"
        << "            Return total\n"
        << "        End Function\n\n";
}

void writeBasicFile(std::ofstream& out, int f) {
    out << "Imports System\n\nNamespace Bench\n    Public Class Unit" << f << "\n"
        << "        Private Sub Helper" << f << "(ByVal text As String)\n"
        << "            Console.WriteLine(text)\n        End Sub\n\n";
    for (int r = 0; r < kRoutinesPerFile; ++r)
        writeBasicRoutine(out, f, r);
    out << "    End Class\nEnd Namespace\n";
}

// One Pascal method of twenty lines: a block if, a loop, a case with labels and calls.
void writePascalRoutine(std::ofstream& out, int file, int r) {
    const int other = (file * 13 + r) % kFiles;
    out << "{ Name: Work" << r << " }\n"
        << "function TUnit" << file << ".Work" << r << "(N: Integer; const S: string): Integer;\n"
        << "var\n"
        << "  I: Integer;\n"
        << "begin\n"
        << "  Result := 0;\n"
        << "  if N > 0 then\n"
        << "  begin\n"
        << "    Result := Work" << other << "_" << (r + 1) % kRoutinesPerFile << "(N - 1, S);\n"
        << "  end;\n"
        << "  for I := 1 to N do\n"
        << "    Inc(Result, I);\n"
        << "  case Result of\n"
        << "    0: Helper('zero');\n"
        << "    1, 2: Helper(S);\n"
        << "  else\n"
        << "    Helper(IntToStr(Result));\n"
        << "  end;\n"
        << "end;\n\n";
}

void writePascalFile(std::ofstream& out, int f) {
    out << "unit Unit" << f << ";\n\n{$mode delphi}\n\ninterface\n\ntype\n  TUnit" << f
        << " = class\n    procedure Helper(const Text: string);\n";
    for (int r = 0; r < kRoutinesPerFile; ++r)
        out << "    function Work" << r << "(N: Integer; const S: string): Integer;\n";
    out << "  end;\n\nimplementation\n\nprocedure TUnit" << f
        << ".Helper(const Text: string);\nbegin\n  WriteLn(Text);\nend;\n\n";
    for (int r = 0; r < kRoutinesPerFile; ++r)
        writePascalRoutine(out, f, r);
    out << "end.\n";
}

const Corpus& basicCorpus() {
    static Corpus c = MakeCorpus("vbbench", kFiles, ".vb", writeBasicFile);
    return c;
}

const Corpus& pascalCorpus() {
    static Corpus c = MakeCorpus("pasbench", kFiles, ".pas", writePascalFile);
    return c;
}

void run(benchmark::State& state, const Corpus& c, int kind) {
    for (auto _ : state) {
        NFileAnly engine;
        InstallScanners(engine);
        engine.SetCommentKeyword("Name", 1);
        for (const std::string& p : c.files)
            engine.AddFile(p, kind);
        engine.Analyze();
        benchmark::DoNotOptimize(engine.GetModuleCount());
    }
    ReportLineRate(state, c.lines);
}

// Both passes: registration, then the analysis run over every file.
void BM_BasicBothPasses(benchmark::State& state) {
    run(state, basicCorpus(), kKindBasic);
}
BENCHMARK(BM_BasicBothPasses)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PascalBothPasses(benchmark::State& state) {
    run(state, pascalCorpus(), kKindPascal);
}
BENCHMARK(BM_PascalBothPasses)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv, [] {
        return std::vector<fs::path>{basicCorpus().dir, pascalCorpus().dir};
    });
}
