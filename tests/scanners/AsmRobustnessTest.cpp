// Bad input must not hurt the assembler scanner: random bytes under every instruction set and
// option mix, truncated sources, huge lines and include files that include each other. Nothing
// crashes or hangs, every line is counted in exactly one class, and branch records stay in range.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "ScanHarness.h"

namespace fs = std::filesystem;

namespace lumbra::test {
namespace {

void expectSound(ScanHarness& scan, const std::string& what) {
    NFileAnly& engine = scan.engine();
    for (int i = 0; i < engine.GetFileCount(); ++i) {
        const FileRecord& f = *engine.GetFile(i);
        EXPECT_EQ(f.exec + f.comment + f.define + f.space + f.other, f.lineCount)
            << what << " " << f.name;
        int counted = 0;
        for (const ModuleRecord* m : f.modules) {
            EXPECT_GE(m->line, 0) << what;
            EXPECT_LE(m->line, f.lineCount) << what << " " << m->name;
            EXPECT_FALSE(m->name.empty()) << what;
            counted += m->total();
        }
        EXPECT_LE(counted, f.lineCount) << what << " " << f.name;
        for (const BranchRecord& b : f.branches) {
            EXPECT_GE(b.column, 1) << what;
            EXPECT_LE(b.column, f.branchColumnCount) << what;
            EXPECT_GE(b.sourceLine, 1) << what;
            EXPECT_LE(b.targetLine, f.lineCount) << what;
        }
    }
}

std::string randomSource(std::mt19937& rng, std::size_t length) {
    static const std::string kInteresting = ";*:,()[]+-<>='\"\t  \n\n\n@#._$";
    static const char* kWords[] = {"call ",    "jsr ",   "bsr.w ",  "jz ",      "jmp ",
                                   "bra.s ",   "beq ",   "public ", "xdef ",    ".export ",
                                   "proc",     "ENDP",   "db ",     "dw ",      "dc.l ",
                                   ".data.w ", "equ ",   "= ",      "include ", ".include ",
                                   "if ",      "else\n", "endif\n", ".aif ",    ".aendi\n",
                                   ".loop:",   "EXTN(",  "):",      "mov ",     "mov.w ",
                                   "ret\n",    "rts\n",  "offset ", "ptr ",     "Main",
                                   "Sub",      "_Main:", "@@x:",    ":16",      "H'FF",
                                   "defs.inc", "dd "};
    std::string out;
    std::uniform_int_distribution<int> pick(0, 99);
    std::uniform_int_distribution<int> byte(0, 255);
    while (out.size() < length) {
        const int p = pick(rng);
        if (p < 35)
            out += kInteresting[static_cast<std::size_t>(pick(rng)) % kInteresting.size()];
        else if (p < 60)
            out += kWords[static_cast<std::size_t>(pick(rng)) % std::size(kWords)];
        else if (p < 88)
            out += static_cast<char>('a' + pick(rng) % 26);
        else
            out += static_cast<char>(byte(rng));
    }
    return out;
}

TEST(AsmRobustness, RandomBytesAreScannedSafely) {
    std::mt19937 rng(20240923);
    for (int round = 0; round < 36; ++round) {
        ScanSetup setup;
        setup.kind = kKindAssembler;
        setup.cpuSet = 1 + round % 3;
        setup.decorations = "!#@";
        for (int option : {0, 1, 2, 3, 4, 5, 8, 9, 10, 16, 19})
            setup.options.emplace_back(option, static_cast<int>(rng() % 2));
        setup.countOptions = {{1, round % 2}, {2, round % 3 == 0}};
        setup.labels = {"No.", "Name", "Function", "Remarks"};
        ScanHarness scan(setup);
        // Include files that include each other and themselves.
        scan.Write("defs.inc", randomSource(rng, 400) + "\ninclude defs.inc\ninclude more.inc\n");
        scan.Write("more.inc", "X equ 1\n include \"defs.inc\"\n" + randomSource(rng, 400));
        for (int k = 0; k < 8; ++k) {
            std::uniform_int_distribution<std::size_t> len(0, 6000);
            scan.Add("r" + std::to_string(k) + ".asm", randomSource(rng, len(rng)));
        }
        scan.Analyse();
        expectSound(scan, "round " + std::to_string(round));
    }
}

TEST(AsmRobustness, TruncatedFixturesAreScannedSafely) {
    std::mt19937 rng(11);
    for (int cpu = 1; cpu <= 3; ++cpu) {
        ScanSetup setup;
        setup.kind = kKindAssembler;
        setup.cpuSet = cpu;
        setup.options = {{1, 1}, {3, 1}, {5, 1}, {8, 1}};
        ScanHarness scan(setup);
        int n = 0;
        for (const std::string& name : FixtureNames("asm", {".asm", ".s", ".src", ".inc"})) {
            const std::string text = ReadFile(fs::path(LUMBRA_TEST_DATA_DIR) / "asm" / name);
            for (int cut = 0; cut < 4 && !text.empty(); ++cut) {
                std::uniform_int_distribution<std::size_t> at(0, text.size() - 1);
                scan.Add("t" + std::to_string(n++) + ".asm", text.substr(0, at(rng)));
            }
        }
        scan.Analyse();
        expectSound(scan, "truncated");
    }
}

TEST(AsmRobustness, ExtremeShapesOfText) {
    ScanSetup setup;
    setup.kind = kKindAssembler;
    setup.cpuSet = 2;
    setup.options = {{1, 1}, {3, 1}, {8, 1}};
    ScanHarness scan(setup);
    scan.Write("self.inc", "include self.inc\nA equ 1\n");
    scan.Add("nul.asm", std::string("\tpublic a\na:\n\tca\0ll b\n\tret\n", 27));
    scan.Add("nofinal.asm", "\tpublic c\nc:\n\tret");
    scan.Add("long.asm", "\tpublic d\nd:\n\tcall " + std::string(2000000, 'x') + "\n" +
                             std::string(300000, '(') + "\n" + std::string(100000, ':') + "\n");
    std::string branches;
    for (int i = 0; i < 3000; ++i)
        branches += "l" + std::to_string(i) + ":\n\tjz l" + std::to_string(2999 - i) + "\n";
    scan.Add("branches.asm", branches);
    scan.Add("self.asm", "\tinclude self.inc\n\tinclude self.asm\n");
    scan.Add("empty.asm", "");
    scan.Analyse();
    expectSound(scan, "extreme");
    EXPECT_NE(scan.Module("a"), nullptr);
    EXPECT_NE(scan.Module("c"), nullptr);
    EXPECT_NE(scan.Module("d"), nullptr);
    EXPECT_EQ(scan.engine().GetFile(3)->branches.size(), 3000u);
}

} // namespace
} // namespace lumbra::test
