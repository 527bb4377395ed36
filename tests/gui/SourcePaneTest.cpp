// The source pane in the main window on the offscreen platform: the sample in each figure
// style, the display switches and folding commands, selecting with the mouse and copying,
// scrolling with its "%d / %d", the enabled-line output and the context menu.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "AppWindowTest.h"
#include "CommandSet.h"
#include "CommandTable.h"
#include "TLumbra32App.h"
#include "TMainFrame.h"
#include "TMainPnl.h"
#include "TSourceWin.h"
#include "TStructWin.h"

namespace fs = std::filesystem;

namespace lumbra::gui {
namespace {

class SourcePaneTest : public AppWindowTest {
protected:
    SourcePaneTest() {
        startApp(testOptions());
        app->Frame().resize(1400, 800);
    }

    // The sample analysed and main.c shown at "calculate" (line 11).
    void showCalculate() {
        openSample();
        ASSERT_TRUE(frame().Panel().Structure().SelectModule("calculate"));
        core().SetCurrentRow(core().CurrentRow()); // the source follows the current row
        ASSERT_TRUE(waitFor([&] { return !source().ShownPath().empty(); }));
    }
    const SourceFrame& painted() {
        source().viewport()->repaint();
        return source().LastFrame();
    }
    void picture(const char* name) {
        QDir().mkpath(LUMBRA_SCREENSHOT_DIR);
        const QString path = QString(LUMBRA_SCREENSHOT_DIR) + "/" + name + ".png";
        ASSERT_TRUE(source().grab().save(path, "PNG")) << path.toStdString();
    }
    void trigger(int id) { ASSERT_TRUE(frame().Commands().Trigger(id)) << id; }
    bool checked(int id) { return frame().Commands().Action(id)->isChecked(); }
    QPoint at(int line, int column) {
        // Line and column of the text on the viewport (the line must be shown, unfolded).
        const SourceGeometry& g = source().View().Geometry();
        const int row = source().View().Lines().RowOfLine(line - 1) - source().View().TopRow();
        return {g.textX + (column - source().View().LeftColumn()) * g.charWidth + 1,
                row * g.rowHeight + g.rowHeight / 2};
    }

    TSourceWin& source() { return frame().Panel().Source(); }
    QString pane() { return frame().StatusPane(AppCore::kPaneSource).text(); }
};

TEST_F(SourcePaneTest, TheSampleShowsInEveryStyleAndTheSwitchesFollowTheCommands) {
    showCalculate();
    EXPECT_EQ(fs::path(source().ShownPath()).filename(), "main.c");
    EXPECT_EQ(pane(), "3 / 38"); // line 11 with eight lines of context
    // The first start: flowchart figures, line numbers, the current module's numbers marked.
    EXPECT_TRUE(checked(kCmdFlowchart));
    EXPECT_TRUE(checked(kCmdLineNumber));
    EXPECT_FALSE(frame().Commands().Action(kCmdHorizonLine)->isEnabled());
    const SourceFrame* f = &painted();
    ASSERT_FALSE(f->rows.empty());
    EXPECT_TRUE(std::any_of(f->shapes.begin(), f->shapes.end(),
                            [](const FigureShape& s) { return s.kind == FigureShape::DoubleBox; }));
    EXPECT_TRUE(std::any_of(f->rows.begin(), f->rows.end(),
                            [](const SourceRowFrame& r) { return r.moduleLine && r.line == 12; }));
    picture("source-flowchart");

    trigger(kCmdFlowchart); // off: the horizon lines of the settings show
    EXPECT_TRUE(frame().Commands().Action(kCmdHorizonLine)->isEnabled());
    f = &painted();
    EXPECT_TRUE(std::any_of(f->lines.begin(), f->lines.end(),
                            [](const FigureLine& l) { return l.pen == FigurePen::Dashed; }));
    picture("source-horizon");

    trigger(kCmdHorizonLine);
    trigger(kCmdLinkage);
    EXPECT_TRUE(checked(kCmdLinkage));
    f = &painted();
    EXPECT_TRUE(std::any_of(f->shapes.begin(), f->shapes.end(),
                            [](const FigureShape& s) { return s.kind == FigureShape::Arc; }));
    EXPECT_FALSE(std::any_of(f->lines.begin(), f->lines.end(),
                             [](const FigureLine& l) { return l.pen == FigurePen::Dashed; }));
    picture("source-linkage");

    trigger(kCmdBlockNone);
    EXPECT_TRUE(checked(kCmdBlockNone));
    EXPECT_TRUE(painted().shapes.empty());
    trigger(kCmdBlockNumber);
    trigger(kCmdLineNumber);
    f = &painted();
    EXPECT_EQ(f->rows[0].number, "");
    EXPECT_EQ(f->rows[0].blockNumber.size(), 3u);
    picture("source-none");
    EXPECT_EQ(core().GetSettings().viewOpt[kViewLineNo], 0);
    EXPECT_EQ(core().GetSettings().viewOpt[kViewBlockLevel], 1);

    // Choosing a style while the figures are off turns them on.
    trigger(kCmdFlowchart);
    EXPECT_FALSE(checked(kCmdBlockNone));
    EXPECT_FALSE(painted().shapes.empty());
}

TEST_F(SourcePaneTest, FoldingScrollingSelectingAndCopyingWithTheMouseAndKeys) {
    showCalculate();
    const int rows = source().View().Lines().RowCount();
    trigger(kCmdSourceFoldAll);
    // The three function bodies show as their "{" (1, 11 and 10 lines hidden).
    EXPECT_EQ(source().View().Lines().RowCount(), rows - 22);
    EXPECT_EQ(pane(), "3 / 38");
    EXPECT_TRUE(painted().rows[4].folded); // line 7, report_error's "{"
    trigger(kCmdSourceExpandAll);
    EXPECT_EQ(source().View().Lines().RowCount(), 38);

    QTest::keyClick(source().viewport(), Qt::Key_Down);
    EXPECT_EQ(pane(), "4 / 38");
    source().verticalScrollBar()->setValue(1000);
    EXPECT_EQ(pane(), "38 / 38");
    source().verticalScrollBar()->setValue(2);

    // "Token tokens[...]" on line 13: drag from its column 4 to column 9.
    QTest::mousePress(source().viewport(), Qt::LeftButton, {}, at(13, 4));
    QTest::mouseMove(source().viewport(), at(13, 9));
    QTest::mouseRelease(source().viewport(), Qt::LeftButton, {}, at(13, 9));
    ASSERT_TRUE(source().View().HasSelection());
    EXPECT_TRUE(frame().Commands().Action(kCmdSourceCopy)->isEnabled());
    trigger(kCmdSourceCopy);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Token");

    trigger(kCmdSourceSelectAll);
    trigger(kCmdSourceCopy);
    const QString all = QGuiApplication::clipboard()->text();
    EXPECT_EQ(all.count("\r\n"), 37);
    EXPECT_TRUE(all.startsWith("/* main.c"));
    EXPECT_TRUE(all.endsWith("}"));
}

TEST_F(SourcePaneTest, EnabledLineOutputKeepsTheLineCount) {
    showCalculate();
    EXPECT_TRUE(frame().Commands().Action(kCmdSourceLineOutput)->isEnabled());
    const std::string out = (config.path() / "enabled.c").string();
    ASSERT_TRUE(source().WriteLineOutput(out));
    std::ifstream in(out, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 38);
    EXPECT_NE(text.find("static int calculate(const char *line)\n"), std::string::npos);
    // A folder cannot be written over: the user is told, nothing else happens.
    EXPECT_FALSE(source().WriteLineOutput(config.path().string()));
    ASSERT_FALSE(app->MessageBoxes().recorded.empty());
    EXPECT_NE(app->MessageBoxes().recorded.back().find("Cannot write"), std::string::npos);

    trigger(kCmdDel);
    EXPECT_TRUE(source().ShownPath().empty());
    EXPECT_EQ(pane(), "");
    EXPECT_FALSE(frame().Commands().Action(kCmdSourceLineOutput)->isEnabled());
}

} // namespace
} // namespace lumbra::gui
