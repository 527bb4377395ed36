// Registration, module creation and lookups of the engine.
#include <gtest/gtest.h>

#include "FakeScanner.h"
#include "TempDir.h"

namespace lumbra {
namespace {

using test::FakeScanner;
using test::TempDir;

class EngineTest : public ::testing::Test {
protected:
    EngineTest() {
        auto scanner = std::make_unique<FakeScanner>();
        fake = scanner.get();
        engine.SetScanner(kKindCFamily, std::move(scanner));
    }
    std::string add(const std::string& name, const std::string& text) {
        std::string path = dir.write(name, text);
        engine.AddFile(path, kKindCFamily);
        return path;
    }

    TempDir dir;
    NFileAnly engine;
    FakeScanner* fake = nullptr;
};

TEST_F(EngineTest, RegistersFilesInOrderAndRefusesDuplicatePath) {
    std::string a = add("a.c", "fn main\nx\n");
    add("b.c", "fn helper\n");
    EXPECT_EQ(engine.GetFileCount(), 2);
    EXPECT_EQ(engine.RegisterFile(a, kKindCFamily), 0);
    EXPECT_EQ(engine.AddFile(a, kKindCFamily), 1); // AddFile answers 1 either way
    EXPECT_EQ(engine.GetFileCount(), 2);
    EXPECT_STREQ(engine.GetFileName(0), "a.c");
    EXPECT_STREQ(engine.GetFileName(1), "b.c");
    EXPECT_STREQ(engine.GetFileName(2), "");
    EXPECT_EQ(engine.GetFileName(3), nullptr);
    EXPECT_STREQ(engine.GetPathByFileName("b.c"), engine.GetFilePath(1));
    EXPECT_STREQ(engine.GetPathByFileName("none.c"), "");
    EXPECT_EQ(fake->definitionPasses, 2);
}

TEST_F(EngineTest, RefusesWhatCannotBeRead) {
    EXPECT_EQ(engine.RegisterFile((dir.path() / "missing.c").string(), kKindCFamily), 0);
    EXPECT_EQ(engine.RegisterFile(dir.path().string(), kKindCFamily), 0); // a directory
    EXPECT_EQ(engine.GetFileCount(), 0);
}

TEST_F(EngineTest, FileInfoCopiesCountsAndFormat) {
    add("a.c", "fn main\nx\ny\n");
    FileInfo info;
    ASSERT_EQ(engine.GetFileInfo(0, info), 1);
    EXPECT_EQ(info.name, "a.c");
    EXPECT_EQ(info.moduleCount, 1);
    EXPECT_EQ(info.lineCount, 3);
    EXPECT_EQ(info.exec, 2);
    EXPECT_EQ(info.define, 1);
    EXPECT_EQ(info.size, 12u);
    EXPECT_EQ(info.lineEnd, kLineEndLf);
    ASSERT_NE(info.lineTable, nullptr);
    EXPECT_EQ(info.lineTable->size(), 4u);
    EXPECT_EQ(engine.GetFileInfo(1, info), 0);
    EXPECT_EQ(engine.GetFileInfoByPath(info.path, info), 1);
}

TEST_F(EngineTest, ModuleIdsAreSerialAndLookupsAnswerNotFoundValues) {
    add("a.c", "fn alpha\nfn beta\n");
    EXPECT_EQ(engine.GetModuleCount(), 2);
    EXPECT_EQ(engine.FindModuleId("alpha"), 1);
    EXPECT_EQ(engine.FindModuleId("beta"), 2);
    EXPECT_EQ(engine.FindModuleId("gamma"), 0);
    EXPECT_EQ(engine.GetModuleName(3), nullptr);
    EXPECT_EQ(engine.GetUpperCount(3), -1);
    EXPECT_EQ(engine.GetContainerKind(3), -1);
    EXPECT_EQ(engine.IsRecursive(3), -1);
    EXPECT_EQ(engine.GetModuleLine(2), 2);
    EXPECT_EQ(engine.HasModuleAtLine(engine.GetFilePath(0), 2), 1);
    EXPECT_EQ(engine.HasModuleAtLine(engine.GetFilePath(0), 3), 0);
    EXPECT_EQ(engine.GetModuleLineAt(0, 1), 1);
    EXPECT_EQ(engine.GetModuleLineAt(0, 5), 2);
}

TEST_F(EngineTest, CreatingModulesRejectsEmptyNamesAndDuplicatesWhenAsked) {
    add("a.c", "fn f\n");
    engine.SetCurrentFile(engine.GetFile(0));
    EXPECT_EQ(engine.CreateModule("", 3, 0, false), nullptr);
    EXPECT_EQ(engine.CreateModule("f", 3, 0, true), nullptr);
    ModuleRecord* again = engine.CreateModule("f", 3, 0, false);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->id, 2);
    EXPECT_EQ(engine.GetFile(0)->moduleCount, 2);
}

TEST_F(EngineTest, LookupPrefersCurrentFileThenDefinedModulesInFileOrder) {
    add("a.c", "fn f\n");
    add("b.c", "fn f\n");
    add("c.c", "fn g\n");
    // An undefined module of the same name in c.c comes after every defined one.
    engine.SetCurrentFile(engine.GetFile(2));
    engine.CreateModule("f", 0, 0, true);

    engine.SetCurrentFile(engine.GetFile(1));
    EXPECT_EQ(engine.FindModule("f")->fileIndex, 1);
    engine.SetCurrentFile(engine.GetFile(0));
    EXPECT_EQ(engine.FindModule("f")->fileIndex, 0);
    // From c.c the module of its own file wins, even though it has no line.
    engine.SetCurrentFile(engine.GetFile(2));
    EXPECT_EQ(engine.FindModule("f")->line, 0);
    // Without a current file every lookup fails.
    engine.SetCurrentFile(nullptr);
    EXPECT_EQ(engine.FindModule("f"), nullptr);
}

TEST_F(EngineTest, LookupByLineFindsTheOverloadAtThatLine) {
    add("a.c", "fn f\n");
    engine.SetCurrentFile(engine.GetFile(0));
    ModuleRecord* second = engine.CreateModule("f", 7, 0, false);
    EXPECT_EQ(engine.FindModuleAtLine("f", 7), second);
    EXPECT_EQ(engine.FindModuleAtLine("f", 1)->id, 1);
    EXPECT_EQ(engine.FindModuleAtLine("f", 9), nullptr);
}

TEST_F(EngineTest, IgnoreCaseOptionComparesAsciiLettersOnly) {
    add("a.c", "fn Compute\nfn COMPUTE\n");
    engine.SetCurrentFile(engine.GetFile(0));
    EXPECT_EQ(engine.FindModuleId("compute"), 0);
    engine.SetOption(kOptIgnoreCase, 1);
    EXPECT_EQ(engine.FindModuleId("compute"), 1); // the first of the two spellings
    EXPECT_EQ(engine.FindModuleId("COMPUTE"), 1);
    EXPECT_EQ(engine.FindModuleId("Compute_"), 0);
}

TEST_F(EngineTest, ClassNodesGoToTheHeadOfTheirFile) {
    add("a.cpp", "fn Shape::Draw\nfn Shape::Move\nfn free\n");
    engine.AddClassNodes();
    ASSERT_EQ(engine.GetModuleCount(), 4);
    const FileRecord* f = engine.GetFile(0);
    EXPECT_EQ(f->modules.front()->name, "Shape");
    EXPECT_EQ(f->modules.front()->containerKind, kModuleContainer);
    EXPECT_EQ(f->modules.front()->line, 1);
    EXPECT_EQ(f->moduleCount, 4);
    engine.SetCurrentFile(engine.GetFile(0));
    EXPECT_EQ(engine.FindModuleId("Shape"), 4);
}

TEST_F(EngineTest, MemberLookupNeedsExactlyOneMatch) {
    add("a.cpp", "fn A::run\nfn B::stop\nfn C::stop\n");
    engine.SetCurrentFile(engine.GetFile(0));
    EXPECT_EQ(engine.FindMember("->run")->name, "A::run");
    EXPECT_EQ(engine.FindMember("obj.run")->name, "A::run");
    EXPECT_EQ(engine.FindMember("->stop"), nullptr); // ambiguous
    EXPECT_EQ(engine.FindMember("run"), nullptr);    // neither "->" nor '.'
    EXPECT_EQ(engine.FindMember("->jump"), nullptr);
}

TEST(EngineConstants, AddConstantNeedsOptionElevenAndKeepsTheFirstValue) {
    NFileAnly engine;
    EXPECT_EQ(engine.AddConstant("A", 1), 0);
    engine.SetOption(kOptDefineConstantFile, 1);
    EXPECT_EQ(engine.AddConstant("A", 1), 1);
    EXPECT_EQ(engine.AddConstant("A", 2), 0);
    EXPECT_EQ(engine.LookupConstant("A")->value, 1);
    EXPECT_EQ(engine.GetConstantCount(0), 1);
    EXPECT_EQ(engine.FormatConstant(0, 0), "A = 0x1");
    EXPECT_EQ(engine.NextConstantText(0, 0), "A = 1 ( 0x1 )");
    EXPECT_EQ(engine.NextConstantText(0, 1), "");
}

TEST_F(EngineTest, ConstantIteratorRunsThroughGlobalsThenTheFile) {
    add("a.c", "fn f\n");
    engine.SetCurrentFile(engine.GetFile(0));
    engine.AddGlobalConstant({"G", false, "", 255, 0, 0});
    engine.AddFileConstant({"S", true, "\"x\"", 1, 1, 0}, true);
    engine.AddFileConstant({"E", false, "", 1, 1, 0}, true);
    EXPECT_EQ(engine.NextConstantText(0, 0), "G = 255 ( 0xFF )");
    EXPECT_EQ(engine.NextConstantText(0, 1), "S = \"x\"");
    EXPECT_EQ(engine.NextConstantText(0, 1), "E = (null)");
    EXPECT_EQ(engine.NextConstantText(0, 1), "");
    EXPECT_EQ(engine.NextConstantText(0, 0), "G = 255 ( 0xFF )");
    EXPECT_EQ(engine.GetConstantCount(0), 3);
    EXPECT_EQ(engine.FormatConstant(0, 2), "E = 0x1");
    EXPECT_EQ(engine.FormatConstant(0, 3), "");
}

TEST(EngineConfiguration, IncludePathsEndInExactlyOneSeparator) {
    NFileAnly engine;
    engine.SetIncludePaths("/usr/include;/opt/inc/");
    ASSERT_EQ(engine.GetIncludePaths().size(), 2u);
    EXPECT_EQ(engine.GetIncludePaths()[0], "/usr/include/");
    EXPECT_EQ(engine.GetIncludePaths()[1], "/opt/inc/");
    engine.SetIncludePaths("C:\\proj\\inc;;");
    ASSERT_EQ(engine.GetIncludePaths().size(), 1u);
    EXPECT_EQ(engine.GetIncludePaths()[0], "C:/proj/inc/");
}

TEST(EngineConfiguration, ExceptedNamesFollowTheNameComparison) {
    NFileAnly engine;
    engine.AddExceptModule("printf");
    engine.AddExceptModule(nullptr);
    EXPECT_EQ(engine.GetExceptModules().size(), 1u);
    EXPECT_EQ(engine.IsNotExcepted("printf"), 0);
    EXPECT_EQ(engine.IsNotExcepted("PRINTF"), 1);
    engine.SetOption(kOptIgnoreCase, 1);
    EXPECT_EQ(engine.IsNotExcepted("PRINTF"), 0);
    engine.ClearExceptModules();
    EXPECT_EQ(engine.IsNotExcepted("printf"), 1);
}

TEST(EngineConfiguration, OptionsChangedOnlyAfterSomethingWasAnalysed) {
    NFileAnly engine;
    engine.SetOption(3, 1);
    EXPECT_FALSE(engine.OptionsChanged());
    engine.SetOption(99, 1); // out of range: ignored
    engine.SetState(kStateAnalysed);
    engine.SetCountOption(0, 1);
    EXPECT_TRUE(engine.OptionsChanged());
    EXPECT_EQ(engine.GetCountOption(0), 1);
}

TEST(EngineWords, NextWordOperandModeSplitsAnAssemblerLine) {
    NFileAnly engine;
    std::string word;
    auto rest = engine.NextWord("    move.l   #$10,a0", word, 1);
    EXPECT_EQ(word, "move.l");
    rest = engine.NextWord(*rest, word, 1);
    EXPECT_EQ(word, "#$10");
    rest = engine.NextWord(*rest, word, 1);
    EXPECT_EQ(word, "a0");
    EXPECT_TRUE(rest->empty());
    EXPECT_FALSE(engine.NextWord("  ; comment", word, 1).has_value());
    EXPECT_FALSE(engine.NextWord(" *comment", word, 0).has_value());
    rest = engine.NextWord("(a+b)*c", word, 0);
    EXPECT_EQ(word, "a");
    EXPECT_EQ(*rest, "+b)*c");
}

TEST(EngineWords, KeywordsAreUpperCasedAndConditionWordsDerived) {
    NFileAnly engine;
    engine.AddKeywords("call far", 0);
    engine.AddKeywords(".aif", 9);
    EXPECT_EQ(engine.LookupKeyword("CALL"), 0);
    EXPECT_EQ(engine.LookupKeyword("Far"), 0);
    EXPECT_EQ(engine.LookupKeyword(".AIF"), 9);
    EXPECT_EQ(engine.LookupKeyword("ret"), -1);
    const auto& c = engine.ConditionKeywords();
    EXPECT_EQ(c[0], ".AIF");
    EXPECT_EQ(c[1], ".AIFDEF");
    EXPECT_EQ(c[2], ".AIFNDEF");
    EXPECT_EQ(c[3], ".AELSE");
    EXPECT_EQ(c[4], ".AELIF");
    EXPECT_EQ(c[5], ".AENDI");
    engine.ClearKeywords();
    EXPECT_EQ(engine.LookupKeyword("CALL"), -1);
    engine.AddKeywords("if", 9);
    EXPECT_EQ(engine.ConditionKeywords()[5], "ENDIF");
}

TEST(EngineWords, NumbersAndStrings) {
    EXPECT_EQ(NFileAnly::ParseNumber("0x1F"), 31);
    EXPECT_EQ(NFileAnly::ParseNumber("0XfF"), 255);
    EXPECT_EQ(NFileAnly::ParseNumber("42abc"), 42);
    EXPECT_EQ(NFileAnly::ParseNumber("-7"), -7);
    EXPECT_EQ(NFileAnly::ParseNumber("x"), 0);
    EXPECT_EQ(NFileAnly::ParseNumber("99999999999"), static_cast<int>(99999999999ULL & 0xFFFFFFFF));
    EXPECT_EQ(NFileAnly::CompareString("abc", "abc"), 0);
    EXPECT_LT(NFileAnly::CompareString("ab", "abc"), 0);
    EXPECT_LT(NFileAnly::CompareString("\x80", "a"), 0); // signed bytes
    std::string s = "ab";
    EXPECT_EQ(NFileAnly::AppendString(s, "cd"), "abcd");
    EXPECT_EQ(NFileAnly::CopyString(s, "x"), "x");
}

} // namespace
} // namespace lumbra
