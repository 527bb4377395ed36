// Services the engine gives the scanners: branch columns, include resolution and queueing, word
// splitting, header-comment items and the line-table finishing step.
#include <gtest/gtest.h>

#include "FakeScanner.h"
#include "TempDir.h"

namespace lumbra {
namespace {

using test::FakeScanner;
using test::TempDir;

class ServicesTest : public ::testing::Test {
protected:
    ServicesTest() { engine.SetScanner(kKindCFamily, std::make_unique<FakeScanner>()); }
    // Registers a file of `lines` lines and makes it current.
    FileRecord& file(const std::string& name, int lines) {
        std::string text;
        for (int i = 0; i < lines; ++i)
            text += "x\n";
        engine.AddFile(dir.write(name, text), kKindCFamily);
        FileRecord* f = engine.GetFile(engine.GetFileCount() - 1);
        engine.SetCurrentFile(f);
        return *f;
    }

    TempDir dir;
    NFileAnly engine;
};

// --- branch chart --------------------------------------------------------------------------------

TEST_F(ServicesTest, JumpsToOneTargetShareAColumnAndMeetAtJoinLines) {
    FileRecord& f = file("a.s", 40);
    ASSERT_EQ(engine.AddBranch(10, 5), 1);
    ASSERT_EQ(engine.AddBranch(12, 5), 1); // below the first source: joins at it
    ASSERT_EQ(engine.AddBranch(7, 5), 1);  // between target and first source: the first joins here
    ASSERT_EQ(f.branches.size(), 3u);
    EXPECT_EQ(f.branches[1].column, 1);
    EXPECT_EQ(f.branches[2].column, 1);
    EXPECT_EQ(f.branches[1].joinLine, 10);
    EXPECT_EQ(f.branches[0].joinLine, 7);
    EXPECT_EQ(f.branches[2].joinLine, 5);
    EXPECT_EQ(f.branchColumnCount, 1);

    // Forward jumps: a source between the first source and the target moves the first join.
    ASSERT_EQ(engine.AddBranch(20, 30), 1);
    ASSERT_EQ(engine.AddBranch(25, 30), 1);
    ASSERT_EQ(engine.AddBranch(15, 30), 1);
    EXPECT_EQ(f.branches[3].joinLine, 25);
    EXPECT_EQ(f.branches[5].joinLine, 15);
}

TEST_F(ServicesTest, OverlappingJumpsTakeNewColumnsAndFreeOnesAreReused) {
    FileRecord& f = file("b.s", 60);
    engine.AddBranch(10, 12);
    engine.AddBranch(8, 14);
    engine.AddBranch(6, 16);
    engine.AddBranch(30, 40);
    ASSERT_EQ(f.branches.size(), 4u);
    EXPECT_EQ(f.branches[0].column, 1);
    EXPECT_EQ(f.branches[1].column, 2);
    EXPECT_EQ(f.branches[2].column, 3);
    EXPECT_EQ(f.branches[3].column, 1);
    EXPECT_EQ(f.branchColumnCount, 3);
    // A range touching the end line of another intersects it.
    engine.AddBranch(40, 45);
    EXPECT_EQ(f.branches[4].column, 2);
}

TEST_F(ServicesTest, ASecondJumpFromOneLineIsRefused) {
    FileRecord& f = file("c.s", 20);
    EXPECT_EQ(engine.AddBranch(5, 9), 1);
    EXPECT_EQ(engine.AddBranch(5, 2), 0);
    EXPECT_EQ(f.branches.size(), 1u);
    // After the records are cleared (a new analysis) the line is free again.
    f.branches.clear();
    EXPECT_EQ(engine.AddBranch(5, 2), 1);
}

TEST_F(ServicesTest, ManyBranchesStayFast) {
    FileRecord& f = file("d.s", 10);
    for (int i = 0; i < 20000; ++i)
        engine.AddBranch(i * 3 + 1, i * 3 + 2);
    EXPECT_EQ(f.branches.size(), 20000u);
    EXPECT_EQ(f.branchColumnCount, 1);
}

// --- include files -------------------------------------------------------------------------------

TEST_F(ServicesTest, IncludeNamesResolveWithEitherSeparatorAndParentSteps) {
    dir.write("root/src/sub/y.h", "");
    dir.write("root/top.h", "");
    dir.write("root/inc/x.h", "");
    dir.write("root/src/StdAfx.h", "");
    file("root/src/a.c", 1);
    const std::string root = (dir.path() / "root").string();
    const std::string including = root + "/src/sub/file.c";

    EXPECT_EQ(engine.ResolveInclude(including, "\"sub/y.h\""), root + "/src/sub/y.h");
    EXPECT_EQ(engine.ResolveInclude(including, "\"sub\\y.h\""), root + "/src/sub/y.h");
    // Beside the including file, where each leading "../" climbs one folder.
    EXPECT_EQ(engine.ResolveInclude(including, "\"../../top.h\""), root + "/top.h");
    EXPECT_EQ(engine.ResolveInclude(including, "\"..\\..\\top.h\""), root + "/top.h");
    EXPECT_EQ(engine.ResolveInclude(including, "\"x.h\""), "");
    engine.SetIncludePaths(root + "/inc");
    EXPECT_EQ(engine.ResolveInclude(including, "\"x.h\""), root + "/inc/x.h");
    // Absolute names and names written in another letter case.
    EXPECT_EQ(engine.ResolveInclude(including, "\"" + root + "/top.h\""), root + "/top.h");
    EXPECT_EQ(engine.ResolveInclude(including, "\"stdafx.h\""), root + "/src/StdAfx.h");
    EXPECT_EQ(engine.ResolveInclude(including, "\"missing.h\""), "");
    EXPECT_EQ(engine.ResolveInclude(including, "\"\""), "");
}

TEST_F(ServicesTest, ShiftJisTrailByteIsNoSeparatorInCodePage932) {
    const std::string name = "\x95\\.h"; // one double-byte character, then ".h"
    dir.write("sj/" + name, "");
    file("sj/a.c", 1);
    const std::string including = (dir.path() / "sj" / "a.c").string();
    EXPECT_EQ(engine.ResolveInclude(including, name), "");
    TextReadSettings s = engine.GetTextReadSettings();
    s.codePage = kCodePageShiftJis;
    engine.SetTextReadSettings(s);
    EXPECT_EQ(engine.ResolveInclude(including, name), (dir.path() / "sj").string() + "/" + name);
}

TEST_F(ServicesTest, AnIncludeIsQueuedOncePerFile) {
    EXPECT_EQ(engine.QueueInclude("/x/a.h", kKindCFamily), 1);
    EXPECT_EQ(engine.QueueInclude("/x/a.h", kKindCFamily), 0);
    EXPECT_EQ(engine.QueueInclude("/x/b.h", kKindCFamily), 1);
    EXPECT_EQ(engine.PendingIncludes().size(), 2u);
}

// --- words and header comments -------------------------------------------------------------------

TEST_F(ServicesTest, OperandModeSplitsAnAssemblerLine) {
    std::string word;
    auto rest = engine.NextWord("    move.l  #10,a0", word, 1);
    EXPECT_EQ(word, "move.l");
    rest = engine.NextWord(*rest, word, 1);
    EXPECT_EQ(word, "#10");
    rest = engine.NextWord(*rest, word, 1);
    EXPECT_EQ(word, "a0");
    EXPECT_FALSE(engine.NextWord("  ; comment", word, 1).has_value());
}

// A splitter that, unlike the C label mode, does not stop at '*'.
std::string_view wholeWords(std::string_view text, std::string& out, std::string_view) {
    std::size_t i = text.find_first_not_of(" :");
    if (i == std::string_view::npos)
        i = text.size();
    std::size_t e = text.find_first_of(" :", i);
    if (e == std::string_view::npos)
        e = text.size();
    out.assign(text.substr(i, e - i));
    return text.substr(e);
}

TEST_F(ServicesTest, CommentItemsTakeTheWordAfterTheirKeyword) {
    engine.SetCommentKeyword("Name", 1);
    engine.SetCommentKeyword("Function", 2);
    EXPECT_EQ(engine.ReadCommentItem("Name := parse_all rest"), " rest");
    EXPECT_EQ(engine.CommentItem(1), "parse_all");
    EXPECT_EQ(engine.ReadCommentItem("Other: x"), ": x"); // no keyword: nothing read
    EXPECT_EQ(engine.CommentItem(2), "");
    EXPECT_EQ(engine.ReadCommentItem("name: lower"), ": lower"); // keywords compare exactly
    EXPECT_EQ(engine.CommentItem(1), "parse_all");

    // A word that runs into the comment end leaves the end to the caller.
    EXPECT_EQ(engine.ReadCommentItem("Function: run*/", wholeWords, {"*/"}), "*/");
    EXPECT_EQ(engine.CommentItem(2), "run");
    EXPECT_EQ(engine.ReadCommentItem("Function: stop", wholeWords, {"*/"}), "");
    EXPECT_EQ(engine.CommentItem(2), "stop");
    engine.ClearCommentItems();
    EXPECT_EQ(engine.CommentItem(1), "");
}

// --- line table ----------------------------------------------------------------------------------

TEST_F(ServicesTest, FinishingMarksModulesAndMeasuresContainers) {
    file("e.cpp", 12);
    // Levels:   1  2  3  4  5  6  7  8  9 10 11 12
    const int levels[] = {0, 0, 0, 1, 2, 2, 1, 0, 0, 1, 1, 1};
    for (int line = 1; line <= 12; ++line)
        engine.SetLineWord(line, static_cast<std::uint32_t>(levels[line - 1]) | 0x80000000u);
    ModuleRecord* fn = engine.CreateModule("f", 1, 0, true);
    ModuleRecord* cls = engine.CreateModule("C", 2, 0, true); // "{" on a later line
    cls->containerKind = kModuleContainer;
    cls->exec = cls->comment = cls->space = cls->other = 5;
    ModuleRecord* inner = engine.CreateModule("C::I", 5, 0, true); // at level 2
    inner->containerKind = kModuleContainer;
    ModuleRecord* open = engine.CreateModule("D", 9, 0, true); // runs to the end of the file
    open->containerKind = kModuleContainer;
    ModuleRecord* undefinedOne = engine.CreateModule("ext", 0, 0, true);
    fn->exec = 7;

    engine.FinishLineTable();
    const FileRecord& f = *engine.CurrentFile();
    EXPECT_EQ(f.lineTable[0] & 0x40000000u, 0x40000000u);
    EXPECT_EQ(f.lineTable[1] & 0x40000000u, 0x40000000u);
    EXPECT_EQ(f.lineTable[2] & 0x40000000u, 0u);
    // C: line 2, the level-0 line 3, lines 4-7, and the closing line 8.
    EXPECT_EQ(cls->define, 7);
    EXPECT_EQ(cls->exec + cls->comment + cls->space + cls->other, 0);
    // C::I: lines 5-6 at level 2 or more, then line 7.
    EXPECT_EQ(inner->define, 3);
    // D: line 9, lines 10-12, then the end of the file.
    EXPECT_EQ(open->define, 5);
    EXPECT_EQ(fn->exec, 7);
    EXPECT_EQ(undefinedOne->define, 0);
    EXPECT_EQ(f.greatestBlockLevel, 2);
}

TEST_F(ServicesTest, WithoutALineTableNothingIsStoredOrFinished) {
    file("empty.c", 0);
    engine.SetLineWord(1, 5);
    EXPECT_EQ(engine.GetLineWord(1), 0u);
    engine.FinishLineTable();
    EXPECT_EQ(engine.CurrentFile()->greatestBlockLevel, 0);
}

} // namespace
} // namespace lumbra
