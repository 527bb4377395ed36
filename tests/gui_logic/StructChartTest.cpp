// The structure chart without a widget: where boxes and connectors go, fold marks, highlight,
// distribution figures, hit tests, selection in Single and All mode, movement, folding,
// scrolling and the context menu.
#include <gtest/gtest.h>

#include <algorithm>

#include "CommandTable.h"
#include "CoreFixture.h"
#include "Lang.h"
#include "StructChart.h"
#include "StructureText.h"
#include "TreeBuilder.h"

namespace lumbra {
namespace {

class ChartTest : public test::CoreTest {
protected:
    // A 17-pixel font with 8-pixel digits: boxes 224 x 21, level pitch 37, connector offset
    // 12, row gap 5, row pitch 26, margins 10.
    void show(int width = 800, int height = 600) {
        chart.SetGeometry(17, 8, width, height);
        chart.Reset();
    }
    void showCallGraph() {
        analyseCallGraph();
        show();
    }
    const ChartBox* box(const ChartFrame& f, std::size_t index) {
        for (const ChartBox& b : f.boxes)
            if (b.index == index)
                return &b;
        return nullptr;
    }
    static bool hasLine(const ChartFrame& f, ChartLine want) {
        return std::any_of(f.lines.begin(), f.lines.end(), [&](const ChartLine& l) {
            return l.x1 == want.x1 && l.y1 == want.y1 && l.x2 == want.x2 && l.y2 == want.y2 &&
                   l.pen == want.pen;
        });
    }
    // Clicks the middle of a row's box.
    bool clickRow(std::size_t index) {
        const TreeRow& row = core.Rows()[index];
        const ChartLayout& l = chart.Layout();
        return chart.Click(l.leftMargin + row.level * l.levelPitch + 20,
                           l.topMargin + (row.row - chart.TopRow()) * l.rowPitch + 5);
    }

    StructChart chart{core};
};

TEST_F(ChartTest, LayoutOfTheDefaultScreenMetrics) {
    showCallGraph();
    const ChartLayout& l = chart.Layout();
    EXPECT_EQ(l.boxWidth, 224);
    EXPECT_EQ(l.boxHeight, 21);
    EXPECT_EQ(l.levelPitch, 37);
    EXPECT_EQ(l.connectorOffset, 12);
    EXPECT_EQ(l.rowGap, 5);
    EXPECT_EQ(l.rowPitch, 26);
    EXPECT_EQ(l.rowsPerPage, 23); // 590 / 26 rounded up
    EXPECT_EQ(l.distWidth, 64);
    EXPECT_EQ(l.distRight, 792);
}

TEST_F(ChartTest, BoxesStandByLevelAndDisplayRowAndFoldedRowsHideTheirLowerRows) {
    showCallGraph();
    const ChartFrame f = chart.Frame();
    // mid and other start folded (the tree's folding status), so four rows show.
    EXPECT_EQ(f.displayRows, 4);
    ASSERT_EQ(f.boxes.size(), 4u);
    EXPECT_EQ(f.boxes[0].name, "main");
    EXPECT_EQ(f.boxes[1].name, "mid");
    EXPECT_EQ(f.boxes[2].name, "other");
    EXPECT_EQ(f.boxes[3].name, "leaf2");
    EXPECT_EQ((std::pair{f.boxes[0].x, f.boxes[0].y}), (std::pair{10, 10}));
    EXPECT_EQ((std::pair{f.boxes[1].x, f.boxes[1].y}), (std::pair{47, 36}));
    EXPECT_EQ((std::pair{f.boxes[3].x, f.boxes[3].y}), (std::pair{47, 88}));
    EXPECT_TRUE(f.boxes[0].rounded); // a root that calls
    EXPECT_FALSE(f.boxes[1].rounded);
    EXPECT_EQ(f.boxes[1].foldState, kFoldFolded);
    EXPECT_EQ(chart.PositionText(), "1 / 4");
}

TEST_F(ChartTest, ConnectorsJoinRowsToTheirCallerAndStopShortOfFoldMarks) {
    showCallGraph();
    ChartFrame f = chart.Frame();
    // mid: first of three, folded: the mark at (35, 46) interrupts both lines.
    EXPECT_TRUE(hasLine(f, {39, 46, 47, 46, ChartPen::Tree}));
    EXPECT_TRUE(hasLine(f, {35, 31, 35, 42, ChartPen::Tree}));
    EXPECT_TRUE(hasLine(f, {35, 50, 35, 57, ChartPen::Tree}));
    EXPECT_EQ((std::pair{box(f, 1)->markX, box(f, 1)->markY}), (std::pair{35, 46}));
    // leaf2: the last row, no mark: a corner.
    EXPECT_TRUE(hasLine(f, {35, 98, 47, 98, ChartPen::Tree}));
    EXPECT_TRUE(hasLine(f, {35, 83, 35, 98, ChartPen::Tree}));

    ASSERT_TRUE(chart.FoldAll(kFoldExpanded));
    f = chart.Frame();
    EXPECT_EQ(f.displayRows, 7);
    // leaf1 under mid (level 2, row 2) sits beside main's continuing line at level 1.
    EXPECT_TRUE(hasLine(f, {35, 57, 35, 83, ChartPen::Tree}));
    // leaf1 under other (row 5): other was the middle row, leaf2 follows: the line continues.
    EXPECT_TRUE(hasLine(f, {35, 135, 35, 161, ChartPen::Tree}));
}

TEST_F(ChartTest, PagesFromOnePassAreThePagesDrawnOneByOne) {
    analyseCallGraph();
    // Three rows to a page: 10 + 3 * 26 = 88 pixels.
    show(800, 88);
    ASSERT_TRUE(chart.FoldAll(kFoldExpanded));
    ASSERT_EQ(chart.Frame().displayRows, 7);
    std::vector<ChartFrame> pages;
    chart.Frames(3, 3, [&](ChartFrame&& f) { pages.push_back(std::move(f)); });
    ASSERT_EQ(pages.size(), 3u); // rows 3-5, row 6, and one past the end
    for (std::size_t i = 0; i < pages.size(); ++i) {
        chart.SetTopRow(3 + 3 * static_cast<int>(i));
        const ChartFrame one = chart.Frame();
        if (i == 2) {
            EXPECT_TRUE(pages[i].boxes.empty());
            continue;
        }
        ASSERT_EQ(pages[i].boxes.size(), one.boxes.size()) << i;
        for (std::size_t b = 0; b < one.boxes.size(); ++b) {
            EXPECT_EQ(pages[i].boxes[b].index, one.boxes[b].index);
            EXPECT_EQ(pages[i].boxes[b].y, one.boxes[b].y);
            EXPECT_EQ(pages[i].boxes[b].name, one.boxes[b].name);
        }
        ASSERT_EQ(pages[i].lines.size(), one.lines.size()) << i;
        for (const ChartLine& line : one.lines)
            EXPECT_TRUE(hasLine(pages[i], line));
    }
    EXPECT_EQ(pages[0].boxes.size(), 3u);
    // No pages asked, none handed out.
    std::size_t handed = 0;
    chart.Frames(0, 0, [&](ChartFrame&&) { ++handed; });
    EXPECT_EQ(handed, 0u);
}

TEST_F(ChartTest, TheCurrentRowsLowerLinesAndFramesAreHighlighted) {
    showCallGraph();
    chart.FoldAll(kFoldExpanded);
    ChartFrame f = chart.Frame();
    EXPECT_TRUE(std::none_of(f.lines.begin(), f.lines.end(),
                             [](const ChartLine& l) { return l.pen != ChartPen::Tree; }));
    ASSERT_TRUE(clickRow(1)); // mid
    f = chart.Frame();
    EXPECT_EQ(box(f, 1)->framePen, ChartPen::Tree);
    EXPECT_EQ(box(f, 2)->framePen, ChartPen::Highlight);
    EXPECT_EQ(box(f, 3)->framePen, ChartPen::Highlight);
    EXPECT_EQ(box(f, 5)->framePen, ChartPen::Tree); // leaf1 under other
    // leaf2 under mid (row 3): its corner is highlighted, mid's own connector is not.
    EXPECT_TRUE(hasLine(f, {72, 98, 84, 98, ChartPen::Highlight}));
    EXPECT_TRUE(hasLine(f, {39, 46, 47, 46, ChartPen::Tree}));
}

TEST_F(ChartTest, DistributionShowsValuesFractionsAndPercentagesOfTheRoot) {
    showCallGraph();
    const NFileAnly& e = core.Engine();
    const int mainId = core.Rows()[0].moduleId();
    const int midId = core.Rows()[1].moduleId();
    core.SetDistribution(1);
    ChartFrame f = chart.Frame();
    const std::string rootLabel = std::to_string(e.GetModuleValue(mainId, 0)) + "/" +
                                  std::to_string(e.GetModuleValue(mainId, 3));
    EXPECT_EQ(box(f, 0)->label, rootLabel);
    // A folded row counts what it hides.
    EXPECT_EQ(box(f, 1)->label, std::to_string(e.GetModuleValue(midId, 3)));
    EXPECT_EQ(box(f, 0)->barX, 792 - 64);

    core.SetDistribution(2);
    f = chart.Frame();
    const double percent = e.GetModuleValue(midId, 3) * 100.0 / e.GetModuleValue(mainId, 3);
    EXPECT_EQ(box(f, 1)->label, Format("%0.1f%%", percent));
    EXPECT_EQ(box(f, 1)->barWidth, static_cast<int>(64 * (99.0 / 64 + percent) / 100));
}

TEST_F(ChartTest, DistributionSurvivesAZeroRootAndDrawsBeyondOneHundredPercent) {
    analyseCallGraph();
    TreeRowList& rows = core.Rows();
    const TreeRow leaf2 = rows[6];
    rows.clear();
    rows.appendLeaf(0, "unknown"); // a root without a module: total 0 counts as 1
    WalkNodeInfo node;
    node.id = leaf2.moduleId();
    node.level = 1;
    rows.append(node).setConnector(kConnectorLast);
    show();
    core.SetDistribution(4);
    core.SetDistribution(2);
    const ChartFrame f = chart.Frame();
    const int exec = core.Engine().GetModuleValue(node.id, 0);
    ASSERT_GT(exec, 1);
    EXPECT_EQ(box(f, 0)->label, "0.0%");
    EXPECT_EQ(box(f, 1)->label, Format("%0.1f%%", exec * 100.0));
    EXPECT_GT(box(f, 1)->barWidth, 64);
}

TEST_F(ChartTest, HitTestFindsTheBoxUnderThePointOnly) {
    showCallGraph();
    EXPECT_EQ(chart.HitTest(60, 40), 1);              // inside mid
    EXPECT_EQ(chart.HitTest(47 + 224, 40), 1);        // its right edge
    EXPECT_EQ(chart.HitTest(30, 40), -1);             // left of it
    EXPECT_EQ(chart.HitTest(60, 5), -1);              // above the first row
    EXPECT_EQ(chart.HitTest(60, 10 + 26 * 4), -1);    // below the last row
    EXPECT_EQ(chart.HitTest(60, 10 + 26 * 2 + 3), 4); // other: the hidden rows are passed
    chart.SetTopRow(1);
    EXPECT_EQ(chart.HitTest(60, 12), 1);
    EXPECT_EQ(chart.HitFoldMark(35, 20), 1);
    EXPECT_EQ(chart.HitFoldMark(35, 30), -1);
}

TEST_F(ChartTest, SingleSelectionMovesTheMarkAndAClickOnTheCurrentRowFoldsIt) {
    showCallGraph();
    ASSERT_TRUE(clickRow(1));
    EXPECT_EQ(core.CurrentRow(), 1);
    EXPECT_TRUE(core.Rows()[1].selected());
    EXPECT_EQ(core.Source().line, 6);
    ASSERT_TRUE(clickRow(6));
    EXPECT_FALSE(core.Rows()[1].selected());
    EXPECT_TRUE(core.Rows()[6].selected());

    ASSERT_TRUE(clickRow(1));
    ASSERT_TRUE(clickRow(1)); // again: expands
    EXPECT_EQ(core.Rows()[1].foldState(), kFoldExpanded);
    EXPECT_EQ(core.Engine().GetFoldState(core.Rows()[1].moduleId()), kFoldExpanded);
    EXPECT_EQ(chart.DisplayRows(), 6);
    EXPECT_TRUE(core.Rows()[1].selected());
    EXPECT_FALSE(chart.Click(500, 5));
}

TEST_F(ChartTest, AllSelectionMarksEveryBoxOfTheModule) {
    showCallGraph();
    chart.FoldAll(kFoldExpanded);
    core.ToggleSelectMode();
    ASSERT_TRUE(clickRow(2)); // leaf1 under mid
    std::vector<std::size_t> selected;
    for (std::size_t i = 0; i < core.Rows().size(); ++i)
        if (core.Rows()[i].selected())
            selected.push_back(i);
    EXPECT_EQ(selected, (std::vector<std::size_t>{2, 5}));
    EXPECT_EQ(core.CurrentRow(), 2);
}

TEST_F(ChartTest, AClickOnAFoldMarkFoldsOrExpandsThatRow) {
    showCallGraph();
    ASSERT_TRUE(chart.Click(35, 46)); // mid's mark
    EXPECT_EQ(core.Rows()[1].foldState(), kFoldExpanded);
    EXPECT_EQ(core.CurrentRow(), -1);
    EXPECT_EQ(chart.DisplayRows(), 6);
}

TEST_F(ChartTest, MovementFollowsSiblingsAndCallersAndRefusesAtTheEnds) {
    showCallGraph();
    ASSERT_TRUE(clickRow(1)); // mid, first of three
    EXPECT_FALSE(chart.Move(ChartMove::SameUpper));
    ASSERT_TRUE(chart.Move(ChartMove::SameLower)); // past mid's folded rows
    EXPECT_EQ(core.CurrentRow(), 4);
    EXPECT_FALSE(core.Rows()[1].selected());
    EXPECT_TRUE(core.Rows()[4].selected());
    ASSERT_TRUE(chart.Move(ChartMove::SameLower));
    EXPECT_EQ(core.CurrentRow(), 6);
    EXPECT_FALSE(chart.Move(ChartMove::SameLower)); // the last of several
    ASSERT_TRUE(chart.Move(ChartMove::SameUpper));
    EXPECT_EQ(core.CurrentRow(), 4);
    ASSERT_TRUE(chart.Move(ChartMove::Upper));
    EXPECT_EQ(core.CurrentRow(), 0);
    EXPECT_FALSE(chart.Move(ChartMove::Upper)); // a root stays
    EXPECT_TRUE(shell.messages.empty());
}

TEST_F(ChartTest, MovementIsRefusedWithAMessageInAllMode) {
    showCallGraph();
    ASSERT_TRUE(clickRow(1));
    core.ToggleSelectMode();
    EXPECT_FALSE(chart.Move(ChartMove::SameLower));
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0],
              "Caution: It cannot move, when an option(Other-\"All call parts are chosen.\") is "
              "effective.");
    EXPECT_EQ(core.CurrentRow(), 1);
}

TEST_F(ChartTest, MovingToARowBelowThePageScrollsItToTheTop) {
    showCallGraph();
    chart.FoldAll(kFoldExpanded);
    chart.SetGeometry(17, 8, 800, 10 + 26 * 3); // three full rows
    ASSERT_TRUE(clickRow(1));
    ASSERT_TRUE(chart.Move(ChartMove::SameLower)); // other, display row 4
    EXPECT_EQ(chart.TopRow(), 4);
    ASSERT_TRUE(chart.Move(ChartMove::Upper)); // main, above the page
    EXPECT_EQ(chart.TopRow(), 0);
}

TEST_F(ChartTest, FoldCommandsChangeEveryMarkOrOneSubtreeAndTellTheEngine) {
    analyse({write("g.c", "void c(void) {}\nvoid b(void) { c(); }\n"
                          "void a(void) { b(); }\nint main(void) { a(); b(); }\n")});
    show();
    // main, a, b, c, b, c: a and both b rows carry marks.
    ASSERT_EQ(core.Rows().size(), 6u);
    ASSERT_TRUE(chart.FoldAll(kFoldExpanded));
    EXPECT_EQ(chart.DisplayRows(), 6);
    ASSERT_TRUE(chart.FoldAll(kFoldFolded));
    EXPECT_EQ(chart.DisplayRows(), 3);
    chart.FoldAll(kFoldExpanded);
    EXPECT_FALSE(chart.FoldLower(kFoldFolded)); // needs a current row

    ASSERT_TRUE(clickRow(2)); // b under a
    ASSERT_TRUE(chart.FoldLower(kFoldFolded));
    EXPECT_EQ(core.Rows()[2].foldState(), kFoldFolded);
    EXPECT_EQ(core.Rows()[4].foldState(), kFoldExpanded);
    EXPECT_EQ(chart.TopRow(), 0);

    chart.FoldAll(kFoldExpanded);
    core.ToggleSelectMode();
    ASSERT_TRUE(chart.FoldLower(kFoldFolded)); // every b
    EXPECT_EQ(core.Rows()[2].foldState(), kFoldFolded);
    EXPECT_EQ(core.Rows()[4].foldState(), kFoldFolded);
    EXPECT_EQ(core.Rows()[1].foldState(), kFoldExpanded);
    EXPECT_EQ(core.Engine().GetFoldState(core.Rows()[2].moduleId()), kFoldFolded);

    core.GetSettings().viewOpt[kViewTreeFolding] = 0; // folding disabled
    EXPECT_FALSE(chart.CanFold());
    EXPECT_FALSE(chart.FoldAll(kFoldExpanded));
}

TEST_F(ChartTest, ScrollingStaysWithinTheRowsAndTheWheelIsCappedByThePage) {
    analyse({write("g.c", [] {
        std::string text = "int main(void) {\n";
        for (int i = 0; i < 60; ++i)
            text += "    f" + std::to_string(i) + "();\n";
        return text + "}\n";
    }())});
    show(800, 10 + 26 * 10);
    ASSERT_EQ(chart.DisplayRows(), 61);
    chart.ScrollRows(-1);
    EXPECT_EQ(chart.TopRow(), 0);
    chart.ScrollPages(1);
    EXPECT_EQ(chart.TopRow(), 9); // rows per page - 1
    chart.Wheel(1, 3);
    EXPECT_EQ(chart.TopRow(), 12);
    chart.Wheel(-1, 100); // at most a page
    EXPECT_EQ(chart.TopRow(), 2);
    chart.ScrollRows(1000);
    EXPECT_EQ(chart.TopRow(), 60);
    EXPECT_EQ(chart.PositionText(), "61 / 61");
}

TEST_F(ChartTest, TheContextMenuOffersDistributionAtTheRightEdgeAndCommandsElsewhere) {
    showCallGraph();
    std::vector<ChartMenuEntry> menu = chart.ContextMenu(800 - 64 - 10, true);
    ASSERT_EQ(menu.size(), 5u);
    EXPECT_EQ(menu[0].caption, "Distribute - None");
    EXPECT_TRUE(menu[1].checked); // "Execute" is the default
    menu = chart.ContextMenu(100, true);
    std::vector<std::string> captions;
    for (const ChartMenuEntry& e : menu)
        captions.push_back(e.caption);
    EXPECT_EQ(captions,
              (std::vector<std::string>{"Editor", "Structural Drawing Text Output", "", "Foding",
                                        "Expand", "", "Sort by Define", "Sort by Name",
                                        "Sort by Exec Line", "Sort by Path Numb"}));
    EXPECT_TRUE(menu[6].checked);
    clickRow(1);
    menu = chart.ContextMenu(100, false);
    EXPECT_EQ(menu[0].id, kCmdStructureText);
    EXPECT_EQ(menu[3].caption, "Lower Folding");
}

TEST_F(ChartTest, NamesUnderTheirOwnContainerAreShortened) {
    analyseCallGraph();
    TreeRowList& rows = core.Rows();
    rows.clear();
    rows.appendLeaf(0, "Shape");
    rows.appendLeaf(1, "Shape::area").setConnector(kConnectorFirst);
    rows.appendLeaf(1, "Shape.draw").setConnector(kConnectorLast);
    show();
    ChartFrame f = chart.Frame();
    EXPECT_EQ(box(f, 1)->name, "area");
    EXPECT_EQ(box(f, 2)->name, "draw");
    core.GetSettings().viewOpt[kViewExceptNamespace] = 0;
    f = chart.Frame();
    EXPECT_EQ(box(f, 1)->name, "Shape::area");
}

TEST_F(ChartTest, TheTextOutputIsTheCoreText) {
    showCallGraph();
    EXPECT_EQ(chart.Text(), StructureText(core.Rows(), core.Engine(),
                                          StructureTextOptionsFrom(core.GetSettings())));
    EXPECT_EQ(chart.Text().substr(0, 6), "main  ");
}

TEST_F(ChartTest, AnEmptyChartDrawsNothingAndRefusesItsCommands) {
    show();
    const ChartFrame f = chart.Frame();
    EXPECT_TRUE(f.boxes.empty());
    EXPECT_EQ(f.displayRows, 0);
    EXPECT_EQ(chart.HitTest(20, 20), -1);
    EXPECT_FALSE(chart.FoldAll(kFoldFolded));
    EXPECT_FALSE(chart.Move(ChartMove::Upper));
    EXPECT_EQ(chart.PositionText(), "0 / 0");
}

} // namespace
} // namespace lumbra
