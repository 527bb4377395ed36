// The call-information update: the "Info." text and file line, the path from the root, the
// upper and lower modules, the constants of the module's file, and the module-list output the
// "Clip" buttons write from it.
#include <gtest/gtest.h>

#include "AnalysedSources.h"
#include "CallInfo.h"
#include "Lang.h"
#include "TreeBuilder.h"

namespace lumbra {
namespace {

using Names = std::vector<std::string>;

class CallInfoTest : public ::testing::Test, protected test::AnalysedSources {
protected:
    CallInfoTest() {
        add("a.c", "fn main\nx\ncall helper\ncall printf\nfn helper\nx\ncall leaf\nfn leaf\nx\n");
        engine.SetCurrentFile(engine.GetFile(0));
        engine.AddFileConstant(ConstantRecord{"SIZE", false, "", 10, 0, 0}, false);
        engine.AddFileConstant(ConstantRecord{"NAME", true, "\"x\"", 0, 1, 0}, false);
        analyse();
        TreeBuilder(engine, rows).BuildTrees();
    }
    ~CallInfoTest() override { SetUiLanguage(UiLanguage::English); }

    int rowOf(std::string_view name, int level) const {
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i].level == level && rows.rowName(rows[i], engine) == name)
                return static_cast<int>(i);
        ADD_FAILURE() << "no row " << name;
        return -1;
    }

    TreeRowList rows;
};

TEST_F(CallInfoTest, ARootRowHasOneLevelAndItsCallees) {
    const CallInfo info = BuildCallInfo(engine, rows, rowOf("main", 0));
    ASSERT_NE(info.moduleId, 0);
    const std::string path = (dir.path() / "a.c").string();
    EXPECT_EQ(info.infoText, path + "\r\n1Line\r\nExec Lines = 3\r\nPath numb = 1");
    EXPECT_EQ(info.fileLine, path + " : 1Line, Exec Lines = 3, Path numb = 1");
    EXPECT_EQ(info.levels, 1);
    EXPECT_EQ(info.hierarchy, Names{"main"});
    EXPECT_EQ(info.upper, Names{}); // no upper modules: an empty list
    EXPECT_EQ(info.lower, (Names{"helper", "printf"}));
    EXPECT_EQ(CallInfoWindowTitle(info), "Call Information(main)");
}

TEST_F(CallInfoTest, ADeeperRowListsThePathFromItsRoot) {
    const CallInfo info = BuildCallInfo(engine, rows, rowOf("leaf", 2));
    EXPECT_EQ(info.levels, 3);
    EXPECT_EQ(info.hierarchy, (Names{"main", "helper", "leaf"}));
    EXPECT_EQ(info.upper, Names{"helper"});
    EXPECT_TRUE(info.lower.empty());
}

TEST_F(CallInfoTest, NoRowShowsNothing) {
    EXPECT_EQ(BuildCallInfo(engine, rows, -1).moduleId, 0);
    EXPECT_EQ(BuildCallInfo(engine, rows, static_cast<int>(rows.size())).moduleId, 0);
    EXPECT_TRUE(BuildCallInfo(engine, rows, -1).hierarchy.empty());
}

TEST_F(CallInfoTest, ModuleListOutputCarriesTheDefinitionsOfThePaneOnly) {
    const CallInfo info = BuildCallInfo(engine, rows, rowOf("helper", 1));
    EXPECT_EQ(info.definitions, (Names{"SIZE = 10 ( 0xA )", "NAME = \"x\""}));

    const std::string pane =
        ModuleListText(ModuleListOf(info, ModuleInfoTitle(info), false), {true, true});
    EXPECT_EQ(pane, "Lumbrascope for WIN32\r\n"
                    "\r\nModule Information(helper)\r\n"
                    "\r\nModule\tUpper     \tLower     \r\n"
                    "------\t----------\t----------\r\n"
                    "helper\tmain\tleaf\r\n"
                    "\r\nDefine\tvalue \r\n"
                    "------\t------\r\n"
                    "SIZE\t10 ( 0xA )\r\n"
                    "NAME\t\"x\"\r\n");

    const std::string window =
        ModuleListText(ModuleListOf(info, CallInfoWindowTitle(info), true), {false, true});
    EXPECT_EQ(window, "Lumbrascope for WIN32\r\n"
                      "\r\n[Call Information(helper)]\r\n"
                      "\r\n\"Module\",\"Upper     \",\"Lower     \"\r\n"
                      "\"------\",\"----------\",\"----------\"\r\n"
                      "\"helper\",\"main\",\"leaf\"\r\n");
}

TEST_F(CallInfoTest, JapaneseTitles) {
    SetUiLanguage(UiLanguage::Japanese);
    const CallInfo info = BuildCallInfo(engine, rows, rowOf("main", 0));
    EXPECT_EQ(CallInfoWindowTitle(info), "\xE5\x91\xBC\xE5\x87\xBA\xE3\x81\x97\xE6\x83\x85\xE5"
                                         "\xA0\xB1(main)");
}

} // namespace
} // namespace lumbra
