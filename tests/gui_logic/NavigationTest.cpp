// The module tree's lists, the selection history, the chart metrics and the command tables.
#include <gtest/gtest.h>

#include <set>

#include "ChartLayout.h"
#include "CommandTable.h"
#include "CoreFixture.h"
#include "Lang.h"
#include "ModuleNavigator.h"
#include "SelectionHistory.h"

namespace lumbra {
namespace {

class NavigatorTest : public test::CoreTest {
protected:
    ModuleNavigatorContents contents(ModuleNavigatorOptions options = {}) {
        return BuildNavigatorContents(core.Engine(), options, NameCollator(), &shell);
    }
};

TEST_F(NavigatorTest, ListsSortWithoutRegardToCaseAndTopHoldsOnlyRoots) {
    analyse({write("one.c", "void beta(void) { gamma(); }\nvoid Alpha(void) { beta(); }\n"),
             write("two.c", "void gamma(void) { printf(\"x\"); }\nvoid delta(void) {}\n")});
    const ModuleNavigatorContents c = contents();
    EXPECT_EQ(c.top, (std::vector<std::string>{"Alpha", "delta"}));
    EXPECT_EQ(c.all, (std::vector<std::string>{"Alpha", "beta", "delta", "gamma", "printf"}));
    ASSERT_EQ(c.files.size(), 2u);
    EXPECT_EQ(c.files[0].text, "one.c");
    EXPECT_EQ(c.files[0].modules, (std::vector<std::string>{"Alpha", "beta"}));
    // The undefined printf belongs to the file that called it.
    EXPECT_EQ(c.files[1].modules, (std::vector<std::string>{"delta", "gamma", "printf"}));
}

TEST_F(NavigatorTest, UndefinedModulesCanBeLeftOutAndFilesShownByFullPath) {
    analyse({write("one.c", "void a(void) { puts(\"x\"); }\n")});
    const ModuleNavigatorContents c = contents({true, false});
    EXPECT_EQ(c.all, std::vector<std::string>{"a"});
    ASSERT_EQ(c.files.size(), 1u);
    EXPECT_EQ(c.files[0].text, (dir.path() / "one.c").string());
}

TEST_F(NavigatorTest, AnAnalysisWithoutModulesLeavesOnlyTheFiles) {
    analyse({write("empty.c", "/* nothing */\n")});
    const ModuleNavigatorContents c = contents();
    EXPECT_TRUE(c.top.empty());
    EXPECT_TRUE(c.all.empty());
    EXPECT_EQ(c.files.size(), 1u);
}

TEST_F(NavigatorTest, FilesOfOneNameShareTheFirstEntry) {
    analyse({write("x/util.c", "void ux(void) {}\n"), write("y/util.c", "void uy(void) {}\n")});
    const ModuleNavigatorContents c = contents();
    ASSERT_EQ(c.files.size(), 2u);
    EXPECT_EQ(c.files[0].modules, (std::vector<std::string>{"ux", "uy"}));
    EXPECT_TRUE(c.files[1].modules.empty());
}

TEST_F(NavigatorTest, OverlongNamesAreLeftOutWithOneMessagePerList) {
    const std::string longName(300, 'n');
    analyse({write("long.c", "void " + longName + "(void) {}\nvoid s(void) {}\n")});
    shell.messages.clear();
    const ModuleNavigatorContents c = contents();
    EXPECT_EQ(c.top, std::vector<std::string>{"s"});
    EXPECT_EQ(c.all, std::vector<std::string>{"s"});
    ASSERT_EQ(shell.messages.size(), 2u);
    EXPECT_EQ(shell.messages[0], "caution: function name length >= 256.\n(" + longName + ")");
}

TEST(SelectionHistory, RecordsNewRootsAndStepsWithinThem) {
    SelectionHistory h;
    EXPECT_EQ(h.Back(), 0);
    h.Record(4);
    h.Record(4); // the same root again adds nothing
    h.Record(7);
    h.Record(9);
    EXPECT_EQ(h.Count(), 3);
    EXPECT_FALSE(h.CanGoForward());
    EXPECT_EQ(h.Back(), 7);
    EXPECT_EQ(h.Back(), 4);
    EXPECT_EQ(h.Back(), 0);
    EXPECT_EQ(h.Forward(), 7);
    // A new root goes to the end, and the position with it.
    h.Record(2);
    EXPECT_EQ(h.Count(), 4);
    EXPECT_EQ(h.Position(), 3);
}

TEST(SelectionHistory, KeepsTheNewest255Roots) {
    SelectionHistory h;
    for (int id = 1; id <= 300; ++id)
        h.Record(id);
    EXPECT_EQ(h.Count(), 255);
    EXPECT_EQ(h.At(0), 46);
    EXPECT_EQ(h.At(254), 300);
    EXPECT_EQ(h.Position(), 254);
}

TEST(ChartLayout, NamesNumbersAndTwoLineBoxesWidenAndHeightenTheBox) {
    ChartLayoutInput in;
    in.fontHeight = 15;
    in.charWidth = 8;
    in.nameWidth = 40;
    in.clientWidth = 500;
    in.clientHeight = 300;
    ChartLayout l = ComputeChartLayout(in);
    EXPECT_EQ(l.boxWidth, 42 * 8); // the name and two characters
    in.moduleNumbers = true;
    EXPECT_EQ(ComputeChartLayout(in).boxWidth, 49 * 8);
    in.twoLineBoxes = true;
    l = ComputeChartLayout(in);
    EXPECT_EQ(l.boxHeight, 38);
    EXPECT_EQ(l.numberColumn, 56);
    EXPECT_EQ(l.textX, 7);
    in.print = true;
    in.nameWidth = 10;
    EXPECT_EQ(ComputeChartLayout(in).boxWidth, 30 * 8); // "Print" width + 2
}

TEST(ChartLayout, DegenerateNumbersNeitherDivideByZeroNorCollapse) {
    ChartLayoutInput in;
    in.metrics = {0, 0, 0, 0, 0};
    in.fontHeight = 13;
    in.charWidth = 0; // not measured yet: half the font height, rounded up
    in.clientHeight = 5;
    const ChartLayout l = ComputeChartLayout(in);
    EXPECT_EQ(l.charWidth, 7);
    EXPECT_GE(l.levelPitch, 1);
    EXPECT_EQ(l.rowsPerPage, 1);
    EXPECT_EQ(l.rowPitch, 17 + 4);
}

TEST(CommandTable, MenusAndToolbarNameOnlyKnownCommandsWithUniqueIds) {
    std::set<int> ids;
    for (const CommandInfo& c : Commands())
        EXPECT_TRUE(ids.insert(c.id).second) << c.id;
    for (const MenuEntry& e : MenuLayout())
        EXPECT_TRUE(e.id == 0 || FindCommand(e.id)) << e.id;
    for (int id : ToolbarLayout())
        EXPECT_TRUE(id == 0 || FindCommand(id)) << id;
    EXPECT_EQ(FindCommand(kCmdStructureText)->shortcut, "Ctrl+Ins");
    EXPECT_EQ(FindCommand(kCmdHistoryForward)->hint, "History Foward");
    EXPECT_EQ(RecentFileCaption(0, "/src/app.prj"), "&1 /src/app.prj");
}

TEST(CommandTable, EveryTextOfTheWindowHasAJapaneseForm) {
    std::vector<std::string> texts;
    for (const CommandInfo& c : Commands()) {
        texts.emplace_back(c.caption);
        if (!c.hint.empty())
            texts.emplace_back(c.hint);
    }
    for (const MenuEntry& e : MenuLayout()) {
        std::string_view path = e.path;
        for (std::size_t slash; (slash = path.find('/')) != std::string_view::npos;
             path.remove_prefix(slash + 1))
            texts.emplace_back(path.substr(0, slash));
        texts.emplace_back(path);
    }
    for (const char* t :
         {"Top",
          "All",
          "File",
          "Single",
          "Lower View",
          "Lower Omit",
          "Progress",
          "Cancel",
          "Structure",
          "Source",
          "Info.",
          "Tool",
          "%d files, %d modules",
          "%d files, %d modules, Time: %d mS",
          "Re-Analyzing...",
          "File not select.",
          "Analyzing...",
          "Module detect %s%s : %s",
          "TREEVIEW Regist...",
          "TREEVIEW Regist Finish",
          "function name length >= 256.\n(%s)",
          "It cannot move, when an option(Other-\"All call parts are chosen.\") is effective.",
          "Structural Drawing Text Output",
          "Foding",
          "Sort by Define",
          "Sort by Name",
          "Sort by Exec Line",
          "Sort by Path Numb",
          "Distribute - None",
          "Distribute - Exec",
          "Distribute - Exec[%]",
          "Distribute - Path",
          "Distribute - Path[%]",
          "Lumbra Project File(*.prj)",
          "Cannot write %s: %s",
          "Open"})
        texts.emplace_back(t);
    for (const std::string& t : texts)
        EXPECT_NE(JapaneseText(t), nullptr) << t;
}

} // namespace
} // namespace lumbra
