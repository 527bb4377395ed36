// Golden fixtures of the assembler scanner: each tests/data/asm/<case>.asm (or .s, .src) is
// scanned with the options and instruction set of its first line, beside the include files of
// the folder, and the engine's contents must equal <case>.<ext>.expected.
// Set LUMBRA_UPDATE_GOLDEN=1 to rewrite the expected files after a deliberate change.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>

#include "ScanHarness.h"

namespace fs = std::filesystem;

namespace lumbra::test {
namespace {

const fs::path kDir = fs::path(LUMBRA_TEST_DATA_DIR) / "asm";

class AsmGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(AsmGolden, MatchesExpectedDump) {
    const std::string text = ReadFile(kDir / GetParam());
    const ScanSetup setup = ParseSetup(text.substr(0, text.find('\n')));
    ASSERT_EQ(setup.kind, kKindAssembler) << "the first line names kind=0";
    ScanHarness scan(setup);
    for (const std::string& include : FixtureNames("asm", {".inc"}))
        scan.Write(include, ReadFile(kDir / include));
    scan.Add(GetParam(), text);
    if (setup.analyse)
        scan.Analyse();
    ExpectGolden(scan.Dump(true), (kDir / (GetParam() + ".expected")).string());
}

INSTANTIATE_TEST_SUITE_P(Fixtures, AsmGolden,
                         ::testing::ValuesIn(FixtureNames("asm", {".asm", ".s", ".src"})),
                         [](const auto& info) {
                             std::string n = info.param;
                             for (char& c : n)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return n;
                         });

} // namespace
} // namespace lumbra::test
