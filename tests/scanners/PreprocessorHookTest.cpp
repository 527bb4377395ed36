// What the C-family scanner asks its preprocessor and what it does with the answers: excluded
// lines, directive lines, joined conditions, constants and include files.
#include <gtest/gtest.h>

#include "ScanHarness.h"
#include "cfamily/CFamilyScanner.h"
#include "common/LineWord.h"

namespace lumbra::test {
namespace {

// "#if 0" ... "#endif" excludes (no nesting, no "#else"); records every call.
class RecordingPreprocessor final : public Preprocessor {
public:
    struct Log {
        int passes = 0;
        std::vector<std::string> states;  // texts asked about
        std::vector<std::string> defines; // "name=value"
        std::vector<std::string> undefines;
        std::vector<std::string> includes; // "path queued"
    };
    explicit RecordingPreprocessor(Log& log) : log_(log) {}

    void BeginPass(NFileAnly&, FileRecord&, bool) override {
        ++log_.passes;
        excluded_ = false;
    }
    unsigned LineState(NFileAnly&, std::string_view text, bool) override {
        log_.states.emplace_back(text);
        if (text.substr(0, 5) == "#if 0") {
            excluded_ = true;
            return kConditionDirective; // leaves the stack inactive
        }
        if (text.substr(0, 6) == "#endif") {
            excluded_ = false;
            return kConditionDirective | kConditionActive;
        }
        if (text.substr(0, 3) == "#if")
            return kConditionDirective | (excluded_ ? 0 : kConditionActive);
        return excluded_ ? 0 : kConditionActive;
    }
    void DefineConstant(NFileAnly&, std::string_view name, std::string_view value) override {
        log_.defines.push_back(std::string(name) + "=" + std::string(value));
    }
    void UndefineConstant(NFileAnly&, std::string_view name) override {
        log_.undefines.emplace_back(name);
    }
    int IncludeFile(NFileAnly&, const std::string& path, bool queued, ModuleRecord*) override {
        log_.includes.push_back(path + (queued ? " queued" : " known"));
        return 0;
    }

private:
    Log& log_;
    bool excluded_ = false;
};

class PreprocessorHook : public ::testing::Test {
protected:
    explicit PreprocessorHook(int folding = 0) {
        ScanSetup setup;
        setup.sourceFolding = folding;
        scan = std::make_unique<ScanHarness>(setup);
        scan->UseScanner(
            std::make_unique<CFamilyScanner>(std::make_unique<RecordingPreprocessor>(log)));
    }
    RecordingPreprocessor::Log log;
    std::unique_ptr<ScanHarness> scan;
};

TEST_F(PreprocessorHook, ExcludedLinesAreCountedButNotScanned) {
    scan->Add("a.c", "int f(void)\n"
                     "{\n"
                     "#if 0\n"
                     "    hidden();\n"
                     "    if (x) { }\n"
                     "#endif\n"
                     "    shown();\n"
                     "}\n"
                     "#if 0\n"
                     "int g(void) { return 0; }\n"
                     "#endif\n");
    scan->Analyse();
    EXPECT_EQ(scan->ModuleList(), "f@1 shown@0");
    EXPECT_EQ(scan->CallList(), "f>shown");
    const FileRecord& file = *scan->engine().GetFile(0);
    // Excluded code is Other, excluded directives are Define, on the file and in the body.
    EXPECT_EQ(file.other, 3);
    // Line 1, the excluded "#if 0" lines 3 and 9, and the "#endif" at file level.
    EXPECT_EQ(file.define, 4);
    const ModuleRecord& f = *scan->Module("f");
    EXPECT_EQ(f.other, 2);
    EXPECT_EQ(f.pathNumb, 1); // the excluded "if" is no branch point
    EXPECT_EQ(scan->Word(0, 3), kLineActive | kLineKindDirective | 1u);
    EXPECT_EQ(scan->Word(0, 4), 1u); // inactive: only its level
    EXPECT_EQ(scan->Word(0, 6) & (kLineActive | kLineKindDirective),
              kLineActive | kLineKindDirective);
    EXPECT_EQ(log.passes, 2);
}

class PreprocessorFolding : public PreprocessorHook {
protected:
    PreprocessorFolding() : PreprocessorHook(1) {}
};

TEST_F(PreprocessorFolding, AnExcludedRegionFoldsAsOneBlock) {
    scan->Add("a.c", "#if 0\nint x;\n#endif\nint y;\n");
    scan->Analyse();
    EXPECT_EQ(scan->Word(0, 1) & kLineLevelMask, 1u);
    EXPECT_EQ(scan->Word(0, 2) & kLineLevelMask, 1u);
    EXPECT_EQ(scan->Word(0, 3) & kLineLevelMask, 0u);
}

TEST_F(PreprocessorHook, ContinuedConditionIsAskedOnceJoined) {
    scan->Add("a.c", "#if defined(A) && \\\n    defined(B)\nint x;\n#endif\n");
    const FileRecord& file = *scan->engine().GetFile(0);
    EXPECT_EQ(file.define, 4);
    ASSERT_GE(log.states.size(), 3u);
    EXPECT_EQ(log.states[0], "#if defined(A) &&      defined(B)");
    EXPECT_EQ(log.states[1], "int x;");
}

TEST_F(PreprocessorHook, ConstantsAndIncludesGoToThePreprocessor) {
    const std::string header = scan->Add("defs.h", "#define INNER 1\n");
    scan->Add("a.c", "#define LIMIT 10 /* items */\n"
                     "#define JOINED 1 + \\\n"
                     "    2\n"
                     "#define MACRO(x) ((x) + 1)\n"
                     "#undef LIMIT\n"
                     "#include \"defs.h\"\n"
                     "#include \"defs.h\"\n"
                     "#include <stdio.h>\n"
                     "#include \"missing.h\"\n");
    // The text after the name, without a trailing comment, continuation lines joined.
    EXPECT_EQ(log.defines,
              (std::vector<std::string>{"INNER= 1", "LIMIT= 10 ", "JOINED= 1 +      2"}));
    EXPECT_EQ(log.undefines, (std::vector<std::string>{"LIMIT"}));
    EXPECT_EQ(log.includes, (std::vector<std::string>{header + " queued", header + " known"}));
}

TEST(IncludeFiles, QuotedIncludesAreRegisteredWithOption18) {
    ScanSetup setup;
    setup.options = {{kOptAddIncludeFiles, 1}};
    ScanHarness scan(setup);
    TempDir dir;
    dir.write("inc/util.h", "int util(void) { return 1; }\n");
    const std::string main = dir.write("main.c", "#include \"inc/util.h\"\n"
                                                 "#include \"inc\\util.h\"\n"
                                                 "int main(void) { return util(); }\n");
    scan.engine().AddFile(main, kKindCFamily);
    ASSERT_EQ(scan.engine().GetFileCount(), 2);
    EXPECT_EQ(std::string(scan.engine().GetFileName(1)), "util.h");
    EXPECT_EQ(scan.engine().GetFileKind(1), kKindCFamily);
}

} // namespace
} // namespace lumbra::test
