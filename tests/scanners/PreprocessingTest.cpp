// Conditional compilation inside the C-family scanner: excluded lines and their counts and line
// words, constants of "#define" lines, and what the pre-scan of quoted include files brings in.
#include <gtest/gtest.h>

#include "ScanHarness.h"
#include "Sinks.h"
#include "common/ConditionalCompilation.h"
#include "common/LineWord.h"

namespace lumbra::test {
namespace {

// Options 1, 2 and 3: constants, conditions and constants of include files.
ScanSetup conditions(std::vector<std::pair<int, int>> more = {}) {
    ScanSetup setup;
    setup.options = {
        {kOptUseDefineConstant, 1}, {kOptUseConditionInFile, 1}, {kOptDefineConstantInInclude, 1}};
    setup.options.insert(setup.options.end(), more.begin(), more.end());
    return setup;
}

// The constants of file i as the engine renders them, globals first, separated by "; ".
std::string constants(NFileAnly& engine, int file = 0) {
    std::string out;
    for (std::string t = engine.NextConstantText(file, 0); !t.empty();
         t = engine.NextConstantText(file, 1))
        out += (out.empty() ? "" : "; ") + t;
    return out;
}

class RecordingSink final : public MessageSink {
public:
    bool Message(const std::string& text, const std::string&, MessageKind) override {
        shown.push_back(text);
        return true;
    }
    std::vector<std::string> shown;
};

// --- excluded lines --------------------------------------------------------------------------

TEST(ExcludedLines, IfZeroElseCountsTheFirstBranchAsOther) {
    ScanHarness scan(conditions());
    scan.Add("a.c", "int f(void)\n"
                    "{\n"
                    "#if 0\n"
                    "    hidden();\n"
                    "#else\n"
                    "    shown();\n"
                    "#endif\n"
                    "}\n");
    scan.Analyse();
    EXPECT_EQ(scan.CallList(), "f>shown");
    const FileRecord& file = *scan.engine().GetFile(0);
    EXPECT_EQ(file.other, 1);
    EXPECT_EQ(scan.Module("f")->other, 1);
    EXPECT_EQ(file.exec + file.comment + file.define + file.space + file.other, 8);
    const std::uint32_t directive = kLineActive | kLineKindDirective;
    EXPECT_EQ(scan.Word(0, 3) & ~kLineLevelMask, directive) << "the excluded \"#if 0\"";
    EXPECT_EQ(scan.Word(0, 4) & ~kLineLevelMask, 0u);
    EXPECT_EQ(scan.Word(0, 5) & ~kLineLevelMask, directive);
    EXPECT_EQ(scan.Word(0, 6) & kLineActive, kLineActive);
    EXPECT_EQ(scan.Word(0, 7) & ~kLineLevelMask, directive);
}

TEST(ExcludedLines, OnlyTheFirstTakenBranchDefinesModules) {
    ScanHarness scan(conditions());
    scan.Add("a.c", "#if 1\nint a(void) { return 0; }\n#elif 1\nint b(void) { return 0; }\n"
                    "#else\nint c(void) { return 0; }\n#endif\n");
    scan.Analyse();
    EXPECT_EQ(scan.ModuleList(), "a@2");
    const FileRecord& file = *scan.engine().GetFile(0);
    EXPECT_EQ(file.other, 2);
    EXPECT_EQ(file.define, 4) << "the four directive lines";
}

TEST(ExcludedLines, DefinedConstantsDoNotReopenAnExcludedRegion) {
    ScanHarness scan(conditions());
    scan.Add("a.c", "#define A 1\n#if 0\n#ifdef A\nint inner(void) { return 0; }\n#endif\n#endif\n"
                    "#ifdef A\nint outer(void) { return 0; }\n#endif\n");
    scan.Analyse();
    EXPECT_EQ(scan.ModuleList(), "outer@8");
}

TEST(ExcludedLines, WinverFromTheDefineListDecidesVersionTests) {
    const char* source = "#if defined(WINVER) && WINVER >= 0x0500\nint modern(void) { return 0; }\n"
                         "#else\nint legacy(void) { return 0; }\n#endif\n";
    for (int version : {0x0601, 0x0400}) {
        ScanHarness scan(conditions());
        ConstantRecord winver;
        winver.name = "WINVER";
        winver.value = version;
        scan.engine().AddGlobalConstant(winver);
        scan.Add("a.c", source);
        EXPECT_EQ(scan.ModuleList(), version >= 0x0500 ? "modern@2" : "legacy@4");
    }
}

TEST(ExcludedLines, WithOption2ClearNothingIsExcluded) {
    ScanSetup setup = conditions();
    setup.options.emplace_back(kOptUseConditionInFile, 0);
    ScanHarness scan(setup);
    scan.Add("a.c", "#if 0\nint a(void) { return 0; }\n#else\nint b(void) { return 0; }\n#endif\n");
    scan.Analyse();
    EXPECT_EQ(scan.ModuleList(), "a@2 b@4");
    EXPECT_EQ(scan.engine().GetFile(0)->other, 0);
    for (int line = 1; line <= 5; ++line)
        EXPECT_EQ(scan.Word(0, line) & kLineActive, kLineActive) << line;
}

TEST(ExcludedLines, FoldingMakesAnExcludedRegionOneBlock) {
    ScanSetup setup = conditions();
    setup.sourceFolding = 1;
    ScanHarness scan(setup);
    scan.Add("a.c", "#if 0\n#if 1\n#endif\nx;\n#endif\nint y;\n");
    scan.Analyse();
    for (int line = 1; line <= 4; ++line)
        EXPECT_EQ(scan.Word(0, line) & kLineLevelMask, 1u) << line;
    EXPECT_EQ(scan.Word(0, 5) & kLineLevelMask, 0u);
    EXPECT_EQ(scan.Word(0, 6) & kLineLevelMask, 0u);
}

TEST(ExcludedLines, TheAnalysisPassStartsWithoutTheFilesConstants) {
    ScanHarness scan(conditions());
    scan.Add("a.c", "#ifdef LATE\nint hidden(void) { return 0; }\n#endif\n#define LATE 1\n"
                    "int f(void) { return hidden(); }\n");
    scan.Analyse();
    EXPECT_EQ(scan.Word(0, 2), 0u) << "still excluded in the second pass";
    EXPECT_EQ(scan.Module("hidden", 2), nullptr);
    EXPECT_EQ(constants(scan.engine()), "LATE = 1 ( 0x1 )") << "collected once per pass";
}

// --- constants ---------------------------------------------------------------------------------

TEST(SourceConstants, DefinesBecomeNumbersOrTexts) {
    ScanHarness scan(conditions());
    scan.Add("a.c", "#define SIZE (4*2)\n"
                    "#define NAME \"widget\"\n"
                    "#define EMPTY\n"
                    "#define NEG -1\n"
                    "#define REF SIZE + 1 // nine\n"
                    "#define WORD foo\n"
                    "#define CALL foo(\"x\")\n"
                    "#define PAIR \"a\" \"b\"\n"
                    "#define MACRO(x) ((x) + 1)\n"
                    "#define JOINED 1 + \\\n"
                    "    2\n"
                    "#define SIZE 16\n"
                    "#define GONE 1\n"
                    "#undef GONE\n");
    EXPECT_EQ(constants(scan.engine()),
              "SIZE = 16 ( 0x10 ); NAME = \"widget\"; EMPTY = (null); NEG = -1 ( 0xFFFFFFFF ); "
              "REF = 9 ( 0x9 ); WORD = foo; CALL = foo(\"x\"); PAIR = \"a\"; JOINED = 3 ( 0x3 )");
    const ConstantRecord* name = scan.engine().GetFile(0)->constants.find("NAME");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->value, 1);
    EXPECT_EQ(name->isText, 1);
}

TEST(SourceConstants, NothingIsCollectedWithOption1Clear) {
    ScanHarness scan({{{kOptUseConditionInFile, 1}}});
    scan.Add("a.c", "#define A 1\n#ifdef A\nint a(void) { return 0; }\n#endif\n");
    EXPECT_EQ(scan.engine().GetConstantCount(0), 0);
    EXPECT_EQ(scan.ModuleList(), "");
}

// --- include files -----------------------------------------------------------------------------

TEST(IncludePrescan, ConstantsOfIncludedFilesDecideConditions) {
    for (int option3 : {1, 0}) {
        ScanHarness scan(conditions({{kOptDefineConstantInInclude, option3}}));
        scan.Write("sub/b.h", "#define FEATURE 1\n#include \"c.h\"\n#include <stdio.h>\n");
        scan.Write("sub/c.h", "/* #define COMMENTED 1\n */\n#define LEVEL (2+1)\n");
        scan.Add("a.c", "#include \"sub/b.h\"\n#if FEATURE && LEVEL == 3\n"
                        "int on(void) { return 0; }\n#endif\n");
        scan.Analyse();
        EXPECT_EQ(scan.ModuleList(), option3 ? "on@3" : "");
        EXPECT_EQ(constants(scan.engine()),
                  option3 ? "FEATURE = 1 ( 0x1 ); LEVEL = 3 ( 0x3 )" : "");
    }
}

TEST(IncludePrescan, IncludedFilesShareTheConditionStack) {
    ScanHarness scan(conditions());
    scan.Write("guard.h", "#ifndef GUARD_H\n#define GUARD_H\n#define COUNT 1\n#endif\n");
    scan.Write("open.h", "#if 0\n");
    scan.Add("a.c", "#include \"guard.h\"\n#undef COUNT\n#include \"guard.h\"\n"
                    "#ifdef COUNT\nint twice(void) { return 0; }\n#endif\n"
                    "#include \"open.h\"\nint f(void) { return 0; }\n#endif\n"
                    "int g(void) { return 0; }\n");
    EXPECT_EQ(scan.ModuleList(), "g@10");
}

TEST(IncludePrescan, Option19ReadsAFileOnlyAtItsFirstInclusion) {
    for (int option19 : {0, 1}) {
        ScanHarness scan(conditions({{kOptIncludeOnce, option19}}));
        scan.Write("h.h", "#define X 1\n");
        scan.Add("a.c", "#include \"h.h\"\n#undef X\n#include \"h.h\"\n"
                        "#ifdef X\nint again(void) { return 0; }\n#endif\n");
        EXPECT_EQ(scan.ModuleList(), option19 ? "" : "again@5");
    }
}

TEST(IncludePrescan, CyclesAndSelfIncludesEnd) {
    for (int option19 : {0, 1}) {
        ScanHarness scan(conditions({{kOptIncludeOnce, option19}}));
        scan.Write("x.h", "#include \"x.h\"\n#include \"y.h\"\n#define FROM_X 1\n");
        scan.Write("y.h", "#include \"x.h\"\n#include \"a.c\"\n#define FROM_Y 1\n");
        scan.Add("a.c", "#include \"x.h\"\n#if FROM_X && FROM_Y\nint both(void) { return 0; }\n"
                        "#endif\n");
        scan.Analyse();
        EXPECT_EQ(scan.ModuleList(), "both@3") << option19;
    }
}

TEST(IncludePrescan, AnIncludeFileChangedOnDiskIsReadAgain) {
    ScanHarness scan(conditions());
    scan.Write("h.h", "#define X 1\n");
    scan.Add("a.c", "#include \"h.h\"\n");
    scan.Write("h.h", "#define X 22\n");
    scan.Add("b.c", "#include \"h.h\"\n");
    EXPECT_EQ(constants(scan.engine(), 0), "X = 1 ( 0x1 )");
    EXPECT_EQ(constants(scan.engine(), 1), "X = 22 ( 0x16 )");
}

TEST(IncludePrescan, DeepChainsStopAtTheNestingLimitWithOneMessage) {
    RecordingSink sink;
    ScanHarness scan(conditions());
    scan.engine().SetMessageSink(&sink);
    const int n = ConditionalCompilation::kMaxIncludeDepth + 10;
    for (int i = 0; i < n; ++i)
        scan.Write("h" + std::to_string(i) + ".h", "#define D" + std::to_string(i) +
                                                       " 1\n#include \"h" + std::to_string(i + 1) +
                                                       ".h\"\n");
    const int last = ConditionalCompilation::kMaxIncludeDepth - 1;
    scan.Add("a.c", "#include \"h0.h\"\n#if D" + std::to_string(last) + " && !defined D" +
                        std::to_string(last + 1) + "\nint limited(void) { return 0; }\n#endif\n");
    scan.Analyse();
    EXPECT_EQ(scan.ModuleList(), "limited@3");
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_NE(sink.shown[0].find("a.c"), std::string::npos);
}

TEST(IncludePrescan, RepeatedInclusionsWithoutGuardsStayBounded) {
    RecordingSink sink;
    ScanHarness scan(conditions());
    scan.engine().SetMessageSink(&sink);
    // Each file includes the next twice: 2^30 inclusions if nothing stopped them.
    for (int i = 0; i < 30; ++i) {
        const std::string next = "#include \"d" + std::to_string(i + 1) + ".h\"\n";
        scan.Write("d" + std::to_string(i) + ".h",
                   next + next + "#define E" + std::to_string(i) + " 1\n");
    }
    scan.Add("a.c", "#include \"d0.h\"\n#ifdef E0\nint reached(void) { return 0; }\n#endif\n");
    scan.Analyse();
    EXPECT_EQ(scan.ModuleList(), "reached@3");
    EXPECT_EQ(sink.shown.size(), 1u);
}

TEST(IncludePrescan, IncludeFilesFoundByThePrescanAreRegisteredWithOption18) {
    for (int option3 : {1, 0}) {
        ScanHarness scan(
            conditions({{kOptAddIncludeFiles, 1}, {kOptDefineConstantInInclude, option3}}));
        // c.h is included only under a condition that the including file decides.
        scan.Write("b.h", "#ifdef WANT\n#include \"c.h\"\n#endif\n");
        scan.Write("c.h", "int c(void) { return 0; }\n");
        scan.Add("a.c", "#define WANT 1\n#include \"b.h\"\n");
        ASSERT_EQ(scan.engine().GetFileCount(), option3 ? 3 : 2);
        EXPECT_EQ(std::string(scan.engine().GetFileName(1)), "b.h");
        if (option3)
            EXPECT_EQ(std::string(scan.engine().GetFileName(2)), "c.h");
    }
}

TEST(IncludePrescan, ATableWhoseInitialiserIsAnIncludeFileCallsItsEntries) {
    ScanHarness scan(conditions({{kOptCombineTableModule, 1}}));
    scan.Write("entries.h", "    start, /* stop, */ \"text\",\n#if 0\n    hidden,\n#endif\n"
                            "    finish, 42, unknown,\n");
    scan.Add("table.c", "void start(void) { }\nvoid finish(void) { }\nvoid hidden(void) { }\n"
                        "void stop(void) { }\n"
                        "void (*handlers[])(void) = {\n#include \"entries.h\"\n};\n");
    scan.Analyse();
    EXPECT_EQ(scan.CallList(), "handlers>start handlers>finish");
    EXPECT_EQ(scan.Word(0, 6) & kLineHasCall, kLineHasCall);
}

} // namespace
} // namespace lumbra::test
