// Runs the real scanners over sources written to a scratch folder and describes what the engine
// holds afterwards as plain text, for golden fixtures and direct checks.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "NFileAnly.h"
#include "TempDir.h"

namespace lumbra::test {

struct ScanSetup {
    std::vector<std::pair<int, int>> options;      // analysis option index, value
    std::vector<std::pair<int, int>> countOptions; // count option index, value
    std::vector<std::string> labels;               // header-comment keywords 0-3
    int sourceFolding = 0;
    bool analyse = true;
    int kind = kKindCFamily; // language kind of the files added
    int cpuSet = 0;          // 1 680x0, 2 80x86, 3 H8: the default words of that instruction set
    std::string decorations; // address decoration characters
};

// Reads "options:" settings from a fixture's first line, e.g.
// "// options: 6=0 13=1 count0=1 fold=1 labels=No.|Name|Function|Remarks noanalysis", and for
// assembler sources "kind=0 cpu=2 decorations=!#@".
ScanSetup ParseSetup(std::string_view firstLine);
// Files of one language kind analysed with these options.
ScanSetup SetupFor(int kind, std::vector<std::pair<int, int>> options = {});

class ScanHarness {
public:
    explicit ScanHarness(const ScanSetup& setup = {});
    // Replaces the C-family scanner (for scanners built with a test preprocessor).
    void UseScanner(std::unique_ptr<LanguageScanner> scanner) {
        engine_.SetScanner(kKindCFamily, std::move(scanner));
    }

    // Writes the file and registers it (definition pass). Returns its path.
    std::string Add(const std::string& name, std::string_view text);
    // The same with a language kind of its own.
    std::string Add(const std::string& name, std::string_view text, int kind);
    // Writes the file into the scratch folder without registering it (include files).
    std::string Write(const std::string& name, std::string_view text) {
        return dir_.write(name, text);
    }
    // The analysis run over everything registered.
    void Analyse();

    NFileAnly& engine() { return engine_; }
    // The module of this name defined at this line in any file, or null.
    const ModuleRecord* Module(std::string_view name, int line = -1);
    // "name@line" of every module of file i, in list order, separated by blanks.
    std::string ModuleList(int file = 0);
    // "caller>callee" for every call record of file i's modules, separated by blanks.
    std::string CallList(int file = 0);
    std::uint32_t Word(int file, int line);

    // Every file, module, call and (with words) line word, with the source beside each word.
    std::string Dump(bool words);

private:
    int kind_ = kKindCFamily;
    TempDir dir_;
    NFileAnly engine_;
    std::vector<std::pair<std::string, std::string>> sources_; // name, text
};

// The fixtures of tests/data/<subdir> whose names end with one of `extensions`, sorted.
std::vector<std::string> FixtureNames(const std::string& subdir,
                                      const std::vector<std::string>& extensions);
// Compares a dump with its expected file; with LUMBRA_UPDATE_GOLDEN set, rewrites the file and
// skips the test instead.
void ExpectGolden(const std::string& dump, const std::string& expectedPath);

// One source and what it gives, for the parameterised definition tests of a language.
struct DefinitionCase {
    const char* name;
    const char* source;
    const char* modules; // "name@line" of the file's modules in list order
    const char* calls;   // "caller>callee" of the file's call records
};
void PrintTo(const DefinitionCase& c, std::ostream* os);
std::string DefinitionCaseName(const ::testing::TestParamInfo<DefinitionCase>& info);
// Scans the case's source as the file `name` and checks the modules and calls it gives.
void ExpectDefinitions(const ScanSetup& setup, const std::string& name, const DefinitionCase& c);

// What a scan of bad input must still hold: every line counted in exactly one of the five
// classes, every module named and inside its file, nesting within its bound.
void ExpectSound(ScanHarness& scan, const std::string& what);

} // namespace lumbra::test
