// Bad input must not hurt the Basic and Pascal scanners: random soups of their keywords and
// punctuation, and truncated fixtures. Nothing crashes or hangs, every line is counted in exactly
// one of the five classes, and nesting never goes below zero.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "ScanHarness.h"
#include "common/LineWord.h"

namespace fs = std::filesystem;

namespace lumbra::test {
namespace {

// The shared checks, and no module with a negative count of executable lines.
void expectSound(ScanHarness& scan, const std::string& what) {
    ExpectSound(scan, what);
    NFileAnly& engine = scan.engine();
    for (int i = 0; i < engine.GetFileCount(); ++i)
        for (const ModuleRecord* m : engine.GetFile(i)->modules)
            EXPECT_GE(m->exec, 0) << what << " " << m->name;
}

struct Language {
    int kind;
    const char* extension;
    std::vector<std::string> words;
    std::string punctuation;
};

const Language kBasic{kKindBasic,
                      ".vb",
                      {"Attribute VB_Name = \"M\"\n",
                       "Class ",
                       "Module ",
                       "Namespace ",
                       "End ",
                       "Sub ",
                       "Function ",
                       "Property ",
                       "Get ",
                       "Let ",
                       "Private ",
                       "Public ",
                       "Partial ",
                       "Declare ",
                       "Delegate ",
                       "Interface ",
                       "If ",
                       "Then",
                       "Then\n",
                       "ElseIf ",
                       "Else",
                       "For ",
                       "Next",
                       "Do ",
                       "Loop ",
                       "While ",
                       "Wend",
                       "Select ",
                       "Case ",
                       "With ",
                       "Try",
                       "Using ",
                       "SyncLock ",
                       "Exit ",
                       "Resume ",
                       "Rem ",
                       "#Region ",
                       "\" Windows Form Designer generated code \"",
                       "#End Region\n",
                       "<A()> ",
                       "[Default]",
                       "Option Private Module\n",
                       "Structure ",
                       "New "},
                      "()'\"_ _\n:,.=<>[]\t\n\n\n  "};

const Language kPascal{kKindPascal,
                       ".pas",
                       {"unit ",      "interface\n", "implementation\n",
                        "procedure ", "function ",   "constructor ",
                        "begin\n",    "end;\n",      "end.",
                        "case ",      " of\n",       "1: ",
                        "repeat ",    "until ",      "try ",
                        "asm ",       "class",       "record ",
                        "object ",    " = ",         "packed ",
                        "forward;",   "external;",   "{$IFDEF A}",
                        "{$ELSE}",    "{$ENDIF}",    "{$IF 1}",
                        "{$IFEND}",   "{$define A}", "{$I x.inc}",
                        "inherited ", "TFoo.Bar",    "<T>",
                        "(*",         "*)",          "{",
                        "}",          "//",          ":= "},
                       "();:=,.'[]<>^@#$\t\n\n\n  "};

std::string soup(std::mt19937& rng, const Language& lang, std::size_t length) {
    std::string out;
    std::uniform_int_distribution<int> pick(0, 99);
    std::uniform_int_distribution<int> byte(0, 255);
    while (out.size() < length) {
        const int p = pick(rng);
        if (p < 35)
            out += lang.punctuation[static_cast<std::size_t>(pick(rng)) % lang.punctuation.size()];
        else if (p < 60)
            out += lang.words[static_cast<std::size_t>(pick(rng)) % lang.words.size()];
        else if (p < 92)
            out += static_cast<char>('a' + pick(rng) % 26);
        else
            out += static_cast<char>(byte(rng));
    }
    return out;
}

class LanguageRobustness : public ::testing::TestWithParam<const Language*> {};

TEST_P(LanguageRobustness, RandomSoupIsScannedSafely) {
    const Language& lang = *GetParam();
    std::mt19937 rng(20261208);
    for (int round = 0; round < 30; ++round) {
        ScanSetup setup;
        setup.kind = lang.kind;
        setup.options = {{kOptDesignerRegion, round % 2},
                         {kOptUseDefineConstant, round % 3 != 2},
                         {kOptUseConditionInFile, round % 4 != 3},
                         {kOptIgnoreCase, round % 5 == 0},
                         {kOptExceptUndefined, round % 2}};
        setup.labels = {"No.", "Name", "Function", "Remarks"};
        setup.sourceFolding = round % 2;
        ScanHarness scan(setup);
        for (int k = 0; k < 8; ++k) {
            std::uniform_int_distribution<std::size_t> len(0, 5000);
            scan.Add("r" + std::to_string(k) + lang.extension, soup(rng, lang, len(rng)));
        }
        scan.Analyse();
        expectSound(scan, "round " + std::to_string(round));
    }
}

TEST_P(LanguageRobustness, TruncatedFixturesAreScannedSafely) {
    const Language& lang = *GetParam();
    const std::string subdir = lang.kind == kKindBasic ? "basic" : "pascal";
    std::vector<fs::path> files;
    for (const auto& e : fs::recursive_directory_iterator(fs::path(LUMBRA_TEST_DATA_DIR) / subdir))
        if (e.is_regular_file() && e.path().extension() != ".expected")
            files.push_back(e.path());
    ASSERT_FALSE(files.empty());
    std::mt19937 rng(11);
    ScanSetup setup;
    setup.kind = lang.kind;
    ScanHarness scan(setup);
    int n = 0;
    for (const fs::path& p : files) {
        const std::string text = ReadFile(p);
        for (int cut = 0; cut < 6 && !text.empty(); ++cut) {
            std::uniform_int_distribution<std::size_t> at(0, text.size() - 1);
            scan.Add("t" + std::to_string(n++) + p.extension().string(), text.substr(0, at(rng)));
        }
    }
    scan.Analyse();
    expectSound(scan, "truncated");
}

TEST_P(LanguageRobustness, HugeLinesOfRepeatedHeadsEndQuickly) {
    // Each of these words looks ahead on its line: repeated many times on one line, the look-
    // aheads must stay short or the scan would take quadratic time.
    const Language& lang = *GetParam();
    std::vector<std::string> units = lang.kind == kKindBasic
                                         ? std::vector<std::string>{"x = Function(", "Sub (a) "}
                                         : std::vector<std::string>{"T = class(", "procedure A<"};
    ScanSetup setup;
    setup.kind = lang.kind;
    ScanHarness scan(setup);
    int n = 0;
    for (const std::string& unit : units) {
        std::string line;
        while (line.size() < 400000)
            line += unit;
        const std::string head = lang.kind == kKindBasic ? "Module M\nSub S()\n" : "type\n";
        scan.Add("h" + std::to_string(n++) + lang.extension, head + line + "\n");
    }
    scan.Analyse();
    expectSound(scan, "huge lines");
}

INSTANTIATE_TEST_SUITE_P(Basic, LanguageRobustness, ::testing::Values(&kBasic));
INSTANTIATE_TEST_SUITE_P(Pascal, LanguageRobustness, ::testing::Values(&kPascal));

} // namespace
} // namespace lumbra::test
