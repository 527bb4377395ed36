// The source pane's logic over analysed files: the blocks the scanner's line words make, the
// column geometry, the figures of each style, the branch chart of an assembler file, the
// target position with folding, the mouse and the context menu.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "CommandTable.h"
#include "CoreFixture.h"
#include "Settings.h"
#include "SourceView.h"

namespace lumbra {
namespace {

//                             line  level
constexpr const char* kFunction = "int f(int a)\n" //  1  0
                                  "{\n"            //  2  1  head
                                  "    int b = 0;\n"
                                  "    if (a)\n"     //  4  1  conditional head
                                  "        b = 1;\n" //  5
                                  "    for (;;) {\n" //  6  2  loop head, opens
                                  "        g(b);\n"  //  7  2  a call
                                  "    }\n"          //  8  1  closes the loop
                                  "    return b;\n"  //  9
                                  "}\n";             // 10  0

class SourceViewTest : public test::CoreTest {
protected:
    // Analyses one file and shows it: 8-pixel characters, 16-pixel rows, 800 x 640 pixels.
    void open(const std::string& name, const std::string& text) {
        const std::string path = write(name, text);
        analyse({path});
        reload(path);
    }
    void reload(const std::string& path) {
        SourceDocument doc;
        SourceLines lines;
        ASSERT_TRUE(LoadSourceDocument(core.Engine(), core.GetSettings(), path, doc, lines));
        view.SetOptions(SourceOptionsFrom(core.GetSettings()));
        view.Show(std::move(doc), std::move(lines));
        view.SetGeometry(16, 8, 800, 640);
    }
    void style(SourceStyle s) {
        ApplySourceStyle(core.GetSettings(), s);
        view.SetOptions(SourceOptionsFrom(core.GetSettings()));
    }
    // The shapes whose box or points lie on a row (0-based line on screen).
    static std::vector<FigureShape> shapesOn(const SourceFrame& f, int screenRow) {
        std::vector<FigureShape> out;
        const int top = screenRow * f.geometry.rowHeight, bottom = top + f.geometry.rowHeight;
        for (const FigureShape& s : f.shapes) {
            const int y = s.points.empty() ? s.y : s.points[1];
            if (y >= top && y < bottom)
                out.push_back(s);
        }
        return out;
    }
    static int linesOn(const SourceFrame& f, int screenRow, FigurePen pen) {
        const int mid = screenRow * f.geometry.rowHeight + f.geometry.rowHeight / 2;
        return static_cast<int>(
            std::count_if(f.lines.begin(), f.lines.end(), [&](const FigureLine& l) {
                return l.pen == pen && l.y1 == mid && l.y2 == mid && l.x1 != l.x2;
            }));
    }
    int columnX(int column) const {
        const SourceGeometry& g = view.Geometry();
        return g.figureX + (column - 1) * g.figurePitch + g.figurePitch / 2;
    }
    int rowY(int screenRow) const { return screenRow * 16 + 8; }

    SourceView view;
};

TEST_F(SourceViewTest, BlocksFollowTheLineLevelsAndTheirKeywords) {
    open("f.c", kFunction);
    const auto& blocks = view.Blocks().Blocks();
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0].level, 1);
    EXPECT_EQ(blocks[0].openLine, 1);
    EXPECT_EQ(blocks[0].closeLine, 9);
    EXPECT_EQ(blocks[0].kind, BlockKind::Plain);
    EXPECT_EQ(blocks[1].level, 2);
    EXPECT_EQ(blocks[1].headLine, 5);
    EXPECT_EQ(blocks[1].closeLine, 7);
    EXPECT_EQ(blocks[1].kind, BlockKind::Loop);
    EXPECT_EQ(view.Blocks().BlockAt(6, 2), 1);
    EXPECT_EQ(view.Blocks().BlockAt(8, 2), -1);
    EXPECT_EQ(view.Blocks().BlockAt(9, 1), 0); // the closing line belongs to its block
    EXPECT_EQ(view.Blocks().OpenedAt(5, 2), 1);
    EXPECT_EQ(view.Blocks().ClosedAt(7, 2), 1);
    EXPECT_EQ(view.Blocks().ClosedAt(9, 1), 0);
    EXPECT_EQ(view.Blocks().ClosedAt(8, 1), -1);

    // "for" on its own line, the brace below: the keyword line heads the loop.
    open("g.c", "void g(void)\n{\n    while (x)\n    {\n        y();\n    }\n}\n");
    ASSERT_EQ(view.Blocks().Blocks().size(), 2u);
    EXPECT_EQ(view.Blocks().Blocks()[1].headLine, 2);
    EXPECT_EQ(view.Blocks().Blocks()[1].openLine, 3);
    EXPECT_EQ(view.Blocks().Blocks()[1].kind, BlockKind::Loop);
}

TEST_F(SourceViewTest, ColumnGeometryFollowsTheNumberSwitchesAndTheDeepestLevel) {
    open("f.c", kFunction);
    const SourceGeometry& g = view.Geometry();
    // "%6d " numbers: the separator after seven characters; three figure columns (two levels
    // and the one for heads and marks).
    EXPECT_EQ(g.separator1, 56);
    EXPECT_EQ(g.separator2, -1);
    EXPECT_EQ(g.figureColumns, 3);
    EXPECT_EQ(g.figureX, 59);
    EXPECT_EQ(g.figurePitch, 12); // flowchart symbols take one and a half characters
    EXPECT_EQ(g.textX, 59 + 3 * 12 + 4 + 2);
    EXPECT_EQ(g.rowsPerPage, 40);

    core.GetSettings().viewOpt[kViewBlockLevel] = 1;
    view.SetOptions(SourceOptionsFrom(core.GetSettings()));
    EXPECT_EQ(g.separator2, 9 * 8 + 2);
    EXPECT_EQ(g.blockNumberX, 8 * 8 + 1);
    const SourceFrame f = view.Frame();
    EXPECT_EQ(f.rows[1].blockNumber, " 1 "); // the level rises
    EXPECT_EQ(f.rows[2].blockNumber, "   ");
    EXPECT_EQ(f.rows[7].blockNumber, " 2 "); // falls: the level it leaves
    EXPECT_EQ(f.rows[0].number, "     1 ");

    core.GetSettings().viewOpt[kViewLineNo] = 0;
    core.GetSettings().viewOpt[kViewBlockChart] = 0;
    view.SetOptions(SourceOptionsFrom(core.GetSettings()));
    EXPECT_EQ(g.separator1, -1); // no numbers: the block numbers stand at the left edge
    EXPECT_EQ(g.separator2, 2 * 8 + 2);
    EXPECT_EQ(g.figureColumns, 0);
    EXPECT_EQ(view.Frame().rows[0].number, "");
    EXPECT_TRUE(view.Frame().shapes.empty());
}

TEST_F(SourceViewTest, EachStyleDrawsHeadsBodiesCallsAndClosingsItsOwnWay) {
    open("f.c", kFunction);
    style(SourceStyle::Flowchart);
    SourceFrame f = view.Frame();
    // The loop head opens its block with a six-point symbol, its closing line ends it with
    // another; the conditional head is a diamond whose body is dotted; the call a boxed mark.
    auto loop = shapesOn(f, 5);
    ASSERT_EQ(loop.size(), 1u);
    EXPECT_EQ(loop[0].points.size(), 12u);
    EXPECT_EQ(loop[0].points[0], columnX(2) - (view.Geometry().figurePitch / 2 - 1));
    auto end = shapesOn(f, 7);
    ASSERT_EQ(end.size(), 1u);
    EXPECT_EQ(end[0].points.size(), 12u);
    EXPECT_NE(end[0].points, loop[0].points);
    auto diamond = shapesOn(f, 3);
    ASSERT_EQ(diamond.size(), 1u);
    EXPECT_EQ(diamond[0].points.size(), 8u);
    EXPECT_EQ(diamond[0].points[0], columnX(2));
    EXPECT_TRUE(std::any_of(f.lines.begin(), f.lines.end(), [&](const FigureLine& l) {
        return l.pen == FigurePen::Dotted && l.x1 == columnX(2) && l.y2 == 4 * 16;
    }));
    auto call = shapesOn(f, 6);
    ASSERT_EQ(call.size(), 1u);
    EXPECT_EQ(call[0].kind, FigureShape::DoubleBox);
    EXPECT_EQ(linesOn(f, 3, FigurePen::Dashed), 0);

    style(SourceStyle::Horizon);
    f = view.Frame();
    EXPECT_EQ(shapesOn(f, 6)[0].kind, FigureShape::Polygon); // a small filled arrow
    EXPECT_TRUE(shapesOn(f, 6)[0].filled);
    for (int row : {1, 3, 5, 6, 7, 9})
        EXPECT_EQ(linesOn(f, row, FigurePen::Dashed), 1) << row;
    EXPECT_EQ(linesOn(f, 2, FigurePen::Dashed), 0); // an ordinary line has no figure

    style(SourceStyle::Linkage);
    f = view.Frame();
    EXPECT_EQ(std::count_if(f.shapes.begin(), f.shapes.end(),
                            [](const FigureShape& s) { return s.kind == FigureShape::Arc; }),
              2);                                  // the plain block's two corners
    EXPECT_EQ(linesOn(f, 1, FigurePen::Solid), 1); // joined to the text
    EXPECT_EQ(linesOn(f, 9, FigurePen::Solid), 1);
    EXPECT_EQ(linesOn(f, 3, FigurePen::Dashed), 0);

    style(SourceStyle::None);
    EXPECT_TRUE(view.Frame().lines.empty());
}

TEST_F(SourceViewTest, ClickingTheFigureAreaHighlightsOneBlockAndDraggingSelects) {
    open("f.c", kFunction);
    style(SourceStyle::Flowchart);
    view.Press(columnX(2), rowY(6));
    view.Release(columnX(2), rowY(6));
    EXPECT_EQ(view.HighlightedBlock(), 1);
    SourceFrame f = view.Frame();
    for (const FigureLine& l : f.lines)
        EXPECT_EQ(l.highlight, l.x1 == columnX(2) && l.y1 >= 5 * 16 && l.y2 <= 8 * 16)
            << l.x1 << "," << l.y1;
    view.Press(columnX(2), rowY(6)); // again: off
    view.Release(columnX(2), rowY(6));
    EXPECT_EQ(view.HighlightedBlock(), -1);

    const int textX = view.Geometry().textX;
    view.Press(textX + 4 * 8, rowY(2)); // "int b = 0;" from column 4
    view.Drag(textX + 7 * 8, rowY(2));
    view.Release(textX + 7 * 8, rowY(2));
    EXPECT_EQ(view.Selection().kind, kSelectPart);
    EXPECT_EQ(view.CopyText(), "int");
    view.Press(textX + 8 * 8, rowY(8)); // upwards over three lines
    view.Drag(textX + 4 * 8, rowY(6));
    EXPECT_EQ(view.Selection().kind, kSelectUp);
    EXPECT_EQ(view.CopyText(), "    g(b);\r\n    }\r\n    retu"); // from the upper position
    f = view.Frame();
    EXPECT_TRUE(f.rows[7].selected);
    EXPECT_EQ(f.rows[7].selectionX2, view.Geometry().clientWidth);
    view.Release(textX + 4 * 8, rowY(6));

    view.Press(8, rowY(3)); // the number column takes whole lines
    EXPECT_EQ(view.Selection().kind, kSelectLine);
    view.Drag(8, rowY(4));
    view.Release(8, rowY(4));
    EXPECT_EQ(view.CopyText(), "    if (a)\r\n        b = 1;");
    view.Press(textX, rowY(0)); // a plain click in the text clears it
    view.Release(textX, rowY(0));
    EXPECT_FALSE(view.HasSelection());
}

TEST_F(SourceViewTest, FoldingCommandsReturnToTheTargetAndTheMenuRemembersItsHead) {
    core.GetSettings().viewOpt[kViewSourceFolding] = 1; // heads start folded
    std::string text;
    for (int i = 0; i < 30; ++i)
        text += "int v" + std::to_string(i) + ";\n";
    text += kFunction;
    open("f.c", text);
    EXPECT_EQ(view.Lines().RowCount(), 30 + 3); // the function shows as its head and "}"
    EXPECT_TRUE(view.Frame().rows[31].folded);
    view.SetTarget(31, 31, 40);
    view.ShowTargetPosition();
    EXPECT_EQ(view.PositionText(), "23 / 40"); // eight lines of context above
    view.SetTopRow(1000);
    EXPECT_EQ(view.PositionText(), "40 / 40"); // never past the last line

    EXPECT_TRUE(view.CanFold());
    view.ExpandAll();
    EXPECT_EQ(view.Lines().RowCount(), 40);
    EXPECT_EQ(view.PositionText(), "23 / 40");

    const int headY = (32 - 23) * 16 + 4; // line 32 ("{") on the screen
    auto menu = view.ContextMenu(headY);
    EXPECT_EQ(view.MenuLine(), 31);
    auto has = [&](int id) {
        return std::any_of(menu.begin(), menu.end(), [id](const auto& e) { return e.id == id; });
    };
    EXPECT_TRUE(has(kCmdSourceLowerFold) && has(kCmdSourceLowerExpand) && has(kCmdEditor));
    EXPECT_TRUE(has(kCmdFlowchart) && !has(kCmdHorizonLine)); // Flowchart excludes the others
    view.FoldLower();
    EXPECT_EQ(view.Lines().RowCount(), 40 - 7);
    view.ExpandLower();
    EXPECT_EQ(view.Lines().RowCount(), 40);
    menu = view.ContextMenu(0); // not a head
    EXPECT_FALSE(has(kCmdSourceLowerFold));
    EXPECT_TRUE(has(kCmdSourceFoldAll) && has(kCmdSourceExpandAll));

    view.SelectAll();
    menu = view.ContextMenu(headY); // on the selection: only Copy
    ASSERT_EQ(menu.size(), 1u);
    EXPECT_EQ(menu[0].id, kCmdSourceCopy);

    core.GetSettings().editorOpen = 0; // without the editor there is no menu elsewhere
    view.SetOptions(SourceOptionsFrom(core.GetSettings()));
    view.Press(view.Geometry().textX, 0);
    view.Release(view.Geometry().textX, 0);
    EXPECT_TRUE(view.ContextMenu(headY).empty());
}

TEST_F(SourceViewTest, AnAssemblerFileDrawsItsBranchChart) {
    core.GetSettings().cpuSet = 2; // 80x86
    core.ApplySettings();
    std::ifstream in(std::string(LUMBRA_TEST_DATA_DIR) + "/asm/masm_dos.asm", std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    open("masm_dos.asm", bytes.str());
    ASSERT_EQ(view.Document().branches.size(), 5u);
    EXPECT_FALSE(view.Document().hasBlocks);
    EXPECT_FALSE(view.CanFold());
    const SourceGeometry& g = view.Geometry();
    EXPECT_EQ(g.figureColumns, 2);
    view.SetTopRow(37); // line 38 at the top
    SourceFrame f = view.Frame();
    const int column1 = g.figureX + g.figurePitch + g.figurePitch / 2; // next to the text
    // 39 -> 48, joined at 42: dotted from the source row to the join row.
    EXPECT_TRUE(std::any_of(f.lines.begin(), f.lines.end(), [&](const FigureLine& l) {
        return l.pen == FigurePen::Dotted && l.x1 == column1 && l.y1 == 16 + 8 &&
               l.y2 == 4 * 16 + 8;
    }));
    // A diamond on every visible source line; with "Horizon Line" an arrow into the text at
    // each join line that is its target (48, 43, 51, 69), none at 42.
    EXPECT_EQ(std::count_if(f.shapes.begin(), f.shapes.end(),
                            [](const FigureShape& s) { return s.points.size() == 8; }),
              5);
    EXPECT_EQ(std::count_if(f.shapes.begin(), f.shapes.end(),
                            [](const FigureShape& s) { return s.points.size() == 6; }),
              4);
    // Scrolled into the middle of the branches: their columns are marked at the top.
    view.SetTopRow(43);
    f = view.Frame();
    ASSERT_EQ(f.texts.size(), 2u);
    EXPECT_EQ(f.texts[0].y, 0);
    EXPECT_EQ(f.texts[0].text, "1");
    EXPECT_EQ(f.texts[1].text, "2");
    // A click in column 2 on line 48 chooses the branch of that column that holds it (47 -> 51).
    view.SetTopRow(37);
    const int column2 = g.figureX + g.figurePitch / 2;
    view.Press(column2, (48 - 38) * 16 + 4);
    view.Release(column2, (48 - 38) * 16 + 4);
    EXPECT_EQ(view.HighlightedBranchColumn(), 2);
    f = view.Frame();
    for (const FigureLine& l : f.lines)
        if (l.pen == FigurePen::Dotted && l.x1 == column2 && l.x2 == column2) {
            EXPECT_EQ(l.highlight, l.y1 == (47 - 38) * 16 + 8) << l.y1;
        }
}

TEST(SourceViewAlone, RunawayNestingKeepsTheTextInViewAndAFoldedHeadOpensOnItsMark) {
    std::vector<std::string> text;
    std::vector<std::uint32_t> words;
    for (int level = 0; level <= 200; ++level) {
        text.push_back(std::string(static_cast<std::size_t>(level), ' ') + "{");
        words.push_back(0x80000000u | static_cast<std::uint32_t>(level));
    }
    text.push_back("}");
    words.push_back(0x80000000u);
    SourceLines lines;
    lines.LoadUtf8(text, words, 4, true, true);
    SourceView view;
    view.Show(SourceDocument{"deep.c", true, words, {}, 0}, std::move(lines));
    view.SetGeometry(16, 8, 800, 640);
    EXPECT_EQ(view.Geometry().figureColumns, SourceView::kMaxFigureColumns);
    EXPECT_EQ(view.Lines().RowCount(), 3); // "{", its folded body, "}"
    SourceFrame f = view.Frame();
    for (const FigureLine& l : f.lines)
        EXPECT_LT(std::max(l.x1, l.x2), view.Geometry().textX) << l.x1;
    ASSERT_TRUE(f.rows[1].folded);

    // A click on the "   ..." of the folded head opens it; a click on its text does not.
    const int y = 16 + 8;
    view.Press(f.rows[1].foldTextX - 8, y);
    view.Release(f.rows[1].foldTextX - 8, y);
    EXPECT_EQ(view.Lines().RowCount(), 3);
    view.Press(f.rows[1].foldMarkX, y);
    view.Release(f.rows[1].foldMarkX, y);
    EXPECT_EQ(view.Lines().RowCount(), 4);
    EXPECT_EQ(view.PositionText(), "1 / 202");
}

} // namespace
} // namespace lumbra
