// Bad input must not hurt the C-family scanner: random bytes, truncated sources, NUL bytes,
// huge lines, deep and unbalanced nesting. Nothing crashes or hangs, and every line is counted
// in exactly one of the five classes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "ScanHarness.h"
#include "common/LineWord.h"

namespace fs = std::filesystem;

namespace lumbra::test {
namespace {

// Bytes that matter to the scanner, mixed with anything else.
std::string randomSource(std::mt19937& rng, std::size_t length) {
    static const std::string kInteresting = "{}()[];:,/*\"'\\#\n\n\n   <>=?!&|-.@";
    static const char* kWords[] = {"class ",
                                   "struct ",
                                   "namespace ",
                                   "if ",
                                   "for ",
                                   "#define ",
                                   "#include \"",
                                   "extern \"C\" ",
                                   "R\"(",
                                   ")\"",
                                   "template<class ",
                                   "static ",
                                   "typedef ",
                                   "case ",
                                   "->",
                                   "#region ",
                                   "#endregion\n",
                                   "@\"",
                                   "\"\"\"",
                                   "::",
                                   "#if ",
                                   "#ifdef ",
                                   "#else\n",
                                   "#elif ",
                                   "#endif\n",
                                   "#undef ",
                                   "defined(",
                                   "#include \"r1.c\"\n",
                                   "#include \"r2.cpp\"\n",
                                   "0x"};
    std::string out;
    std::uniform_int_distribution<int> pick(0, 99);
    std::uniform_int_distribution<int> byte(0, 255);
    while (out.size() < length) {
        const int p = pick(rng);
        if (p < 40)
            out += kInteresting[static_cast<std::size_t>(pick(rng)) % kInteresting.size()];
        else if (p < 55)
            out += kWords[static_cast<std::size_t>(pick(rng)) % std::size(kWords)];
        else if (p < 85)
            out += static_cast<char>('a' + pick(rng) % 26);
        else
            out += static_cast<char>(byte(rng));
    }
    return out;
}

TEST(Robustness, RandomBytesAreScannedSafely) {
    std::mt19937 rng(20240611);
    const char* extensions[] = {".c", ".cpp", ".java", ".cs"};
    for (int round = 0; round < 40; ++round) {
        ScanSetup setup;
        setup.options = {{kOptCombineTableModule, round % 2},
                         {kOptCombineModuleClass, round % 3 == 0},
                         {kOptMemberSearchLink, 1},
                         {kOptDesignerRegion, round % 2},
                         {kOptSearchMemberModule, round % 5 != 4},
                         {kOptUseDefineConstant, round % 4 != 3},
                         {kOptUseConditionInFile, round % 3 != 2},
                         {kOptDefineConstantInInclude, round % 2},
                         {kOptIncludeOnce, round % 5 == 0}};
        setup.labels = {"No.", "Name", "Function", "Remarks"};
        setup.sourceFolding = round % 2;
        ScanHarness scan(setup);
        for (int k = 0; k < 10; ++k) {
            std::uniform_int_distribution<std::size_t> len(0, 6000);
            scan.Add("r" + std::to_string(k) + extensions[k % 4], randomSource(rng, len(rng)));
        }
        scan.Analyse();
        ExpectSound(scan, "round " + std::to_string(round));
    }
}

TEST(Robustness, TruncatedFixturesAreScannedSafely) {
    std::vector<fs::path> files;
    for (const auto& e :
         fs::recursive_directory_iterator(fs::path(LUMBRA_TEST_DATA_DIR) / "cfamily"))
        if (e.is_regular_file() && e.path().extension() != ".expected" &&
            e.path().extension() != ".dump")
            files.push_back(e.path());
    ASSERT_FALSE(files.empty());
    std::mt19937 rng(7);
    ScanHarness scan;
    int n = 0;
    for (const fs::path& p : files) {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        const std::string text = s.str();
        for (int cut = 0; cut < 4 && !text.empty(); ++cut) {
            std::uniform_int_distribution<std::size_t> at(0, text.size() - 1);
            scan.Add("t" + std::to_string(n++) + p.extension().string(), text.substr(0, at(rng)));
        }
    }
    scan.Analyse();
    ExpectSound(scan, "truncated");
}

TEST(Robustness, ExtremeShapesOfText) {
    ScanHarness scan;
    scan.Add("nul.c", std::string("int a(void) { return 0; }\nint b\0(void) {\n}\n", 44));
    scan.Add("nofinal.c", "int c(void) { return 1; }");
    scan.Add("long.c", "int d(void) { return " + std::string(2000000, '1') + "; }\n" +
                           std::string(300000, '(') + "\n");
    scan.Add("deep.c", "void e(void) " + std::string(100000, '{') + std::string(100000, '}') +
                           "\n" + std::string(5000, '}') + "\nvoid f(void) { }\n");
    std::string angles;
    for (int i = 0; i < 60000; ++i)
        angles += "a<b (class c<d struct e {<";
    scan.Add("angles.cpp", angles + "\n" + std::string(200000, '<') + "f()\n");
    scan.Add("comments.c", "/*/*/ x /* */ */ // \\\n/* unterminated");
    scan.Add("quotes.c", "char *s = \"\\\n\\\n\\\n");
    scan.Add("defines.c", "#define A(x) \\\n\\\n#if B \\\n\\\n");
    scan.Add("empty.c", "");
    scan.Analyse();
    ExpectSound(scan, "extreme");
    EXPECT_NE(scan.Module("a"), nullptr);
    EXPECT_NE(scan.Module("c"), nullptr);
    EXPECT_NE(scan.Module("d"), nullptr);
    EXPECT_NE(scan.Module("f"), nullptr);
    // Levels beyond the field's range stay in their bits.
    EXPECT_EQ(scan.Word(3, 1) & 0xFFu, 0u);
    EXPECT_EQ(scan.engine().GetFile(3)->greatestBlockLevel, 0);
    EXPECT_EQ(scan.engine().GetFile(4)->lineCount, 2);
}

TEST(Robustness, ExtremeConditionsAndConstants) {
    ScanSetup setup;
    setup.options = {
        {kOptUseDefineConstant, 1}, {kOptUseConditionInFile, 1}, {kOptDefineConstantInInclude, 1}};
    setup.sourceFolding = 1;
    ScanHarness scan(setup);
    std::string chain;
    for (int i = 0; i < 200000; ++i)
        chain += "1<<";
    scan.Add("parens.c", "#if " + std::string(300000, '(') + "1\nint a(void) { return 0; }\n" +
                             "#elif " + std::string(300000, ')') + "\n#endif\n#define BIG " +
                             chain + "1\n#if BIG / 0 % 0 - -2147483647\nint b(void) { }\n#endif\n");
    std::string nested;
    for (int i = 0; i < 100000; ++i)
        nested += i % 3 ? "#if 1\n" : "#ifdef X\n#else\n";
    scan.Add(
        "nested.c", nested + "int c(void) { }\n" + std::string(200000, '#') + "\n" + [] {
            std::string e;
            for (int i = 0; i < 150000; ++i)
                e += "#endif\n";
            return e;
        }() + "int d(void) { }\n");
    scan.Add("junk.c", "#if defined\n#if defined(\n#elif )(\n#if \"\\\n#define\n#define 9\n"
                       "#undef\n#ifdef\n#else junk\n#endif junk\n#define Q \\\n");
    scan.Analyse();
    ExpectSound(scan, "conditions");
    EXPECT_NE(scan.Module("a"), nullptr);
    EXPECT_NE(scan.Module("b"), nullptr);
    EXPECT_NE(scan.Module("c"), nullptr);
    EXPECT_NE(scan.Module("d"), nullptr);
}

} // namespace
} // namespace lumbra::test
