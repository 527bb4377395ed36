// The desktop program driven through its real window on the offscreen platform: analysing the
// sample, clicking, folding, moving and copying in the chart, the module tree, the commands,
// recent files, dropped files, the settings written at exit, the progress dialog and
// pictures of the main window.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollBar>
#include <QSplitter>
#include <QTest>
#include <QToolBar>
#include <QUrl>
#include <filesystem>
#include <fstream>

#include "AppWindowTest.h"
#include "CommandTable.h"
#include "ModuleTreeModel.h"
#include "StructureText.h"
#include "TAnlyProgress.h"
#include "TLumbra32App.h"
#include "TMainFrame.h"
#include "TMainPnl.h"
#include "TMdlInfFrm.h"
#include "TSourceWin.h"
#include "TStructWin.h"
#include "TTreeWin.h"
#include "UiText.h"

namespace fs = std::filesystem;

namespace lumbra::gui {
namespace {

class WindowTest : public AppWindowTest {
protected:
    WindowTest() {
        startApp(testOptions());
        app->Frame().resize(1200, 760);
        app->Frame().activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&app->Frame()));
    }
    ~WindowTest() override {
        app.reset();
        SetUiLanguage(UiLanguage::English);
    }

    TStructWin& chart() { return frame().Panel().Structure(); }
    QWidget* chartView() { return chart().viewport(); }

    void openSample() {
        AppWindowTest::openSample();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
    }
    // The first row of a module, in list order.
    std::size_t rowOf(const std::string& name) {
        const TreeRowList& rows = core().Rows();
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows.rowName(rows[i], core().Engine()) == name)
                return i;
        ADD_FAILURE() << "no row " << name;
        return 0;
    }
    void click(std::size_t index) {
        chart().viewport()->repaint();
        const QPoint at = chart().BoxCentre(index);
        ASSERT_GE(at.x(), 0) << "row " << index << " is not shown";
        QTest::mouseClick(chartView(), Qt::LeftButton, {}, at);
    }
    QString pane(int index) { return frame().StatusPane(index).text(); }
    void picture(const char* name) {
        QDir().mkpath(LUMBRA_SCREENSHOT_DIR);
        QApplication::processEvents();
        const QString path = QString(LUMBRA_SCREENSHOT_DIR) + "/" + name + ".png";
        ASSERT_TRUE(frame().grab().save(path, "PNG")) << path.toStdString();
    }
    void trigger(int id) { ASSERT_TRUE(frame().Commands().Trigger(id)) << id; }
};

TEST_F(WindowTest, TheSampleIsAnalysedAndTheChartAnswersClicksFoldsMovesAndCopies) {
    openSample();
    EXPECT_NE(pane(AppCore::kPaneMessage).indexOf("4 files, 18 modules, Time:"), -1);
    EXPECT_EQ(pane(AppCore::kPaneSelectMode), "Single");
    EXPECT_EQ(pane(AppCore::kPaneViewMode), "Lower View");
    EXPECT_FALSE(frame().ProgressDialog().isVisible());

    const std::size_t calculate = rowOf("calculate");
    click(calculate);
    EXPECT_EQ(core().CurrentRow(), static_cast<int>(calculate));
    EXPECT_TRUE(core().Rows()[calculate].selected());
    EXPECT_NE(frame().Panel().ModuleInfo().InfoText().indexOf("main.c\n11Line\nExec Lines = "), -1);
    EXPECT_EQ(frame().Panel().Source().ShownPath(), std::string(LUMBRA_SAMPLE_DIR) + "/main.c");
    EXPECT_EQ(frame().Panel().Source().View().TargetLine(), 11);
    EXPECT_EQ(frame().Panel().Source().FirstVisibleLine(), 3); // eight lines of context above
    picture("main-window-single");

    // A second click on the current box expands what it calls.
    const int before = chart().Chart().DisplayRows();
    ASSERT_EQ(core().Rows()[calculate].foldState(), kFoldFolded);
    click(calculate);
    EXPECT_EQ(core().Rows()[calculate].foldState(), kFoldExpanded);
    EXPECT_GT(chart().Chart().DisplayRows(), before);

    // Shift+Up goes to the box above under the same caller; Shift+Down from the last one
    // stays.
    chart().setFocus();
    QTest::keyClick(chartView(), Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(core().CurrentRow(), static_cast<int>(rowOf("strcspn")));
    QTest::keyClick(chartView(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(core().CurrentRow(), static_cast<int>(calculate));
    QTest::keyClick(chartView(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(core().CurrentRow(), static_cast<int>(calculate));
    QTest::keyClick(chartView(), Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(core().CurrentRow(), 0);

    // Ctrl+Ins puts the whole tree on the clipboard, as the command line writes it.
    QApplication::clipboard()->clear();
    QTest::keyClick(&frame(), Qt::Key_Insert, Qt::ControlModifier);
    const std::string expected = StructureText(core().Rows(), core().Engine(),
                                               StructureTextOptionsFrom(core().GetSettings()));
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), expected);
    EXPECT_EQ(QApplication::clipboard()->text().left(4), "main");
}

TEST_F(WindowTest, AllSelectionFoldedRowsAndTheDistributionColumnAsPictures) {
    openSample();
    trigger(kCmdExpand);
    EXPECT_EQ(chart().Chart().DisplayRows(), static_cast<int>(core().Rows().size()));
    QTest::keyClick(&frame(), Qt::Key_S, Qt::ControlModifier); // Select: All
    EXPECT_EQ(pane(AppCore::kPaneSelectMode), "All");
    const std::size_t peek = rowOf("peek");
    click(peek);
    int selected = 0;
    for (const TreeRow& row : core().Rows().rows())
        selected += row.selected();
    EXPECT_EQ(selected, core().Rows().rowsOfModule(core().Rows()[peek].moduleId()));
    EXPECT_GT(selected, 1);
    picture("main-window-all");

    trigger(kCmdDistExecPercent);
    chart().viewport()->repaint();
    const ChartFrame& f = chart().LastFrame();
    ASSERT_FALSE(f.boxes.empty());
    EXPECT_EQ(f.boxes.front().label.back(), '%');
    picture("main-window-distribution");

    QTest::keyClick(&frame(), Qt::Key_S, Qt::ControlModifier); // back to Single
    const std::size_t evaluate = rowOf("evaluate");
    click(evaluate);
    trigger(kCmdLowerFolding);
    EXPECT_EQ(core().Rows()[evaluate].foldState(), kFoldFolded);
    picture("main-window-folded");
    EXPECT_NE(core().Session().ChangedFlag(), 0);
}

TEST_F(WindowTest, EveryCommandHasItsActionAndOnlyBuiltOnesWork) {
    for (const CommandInfo& c : Commands()) {
        QAction* action = frame().Commands().Action(c.id);
        ASSERT_NE(action, nullptr) << c.id;
        EXPECT_EQ(action->text(), UiText(c.caption));
        if (!c.hint.empty()) {
            EXPECT_EQ(action->statusTip(), UiText(c.hint));
        }
    }
    EXPECT_EQ(frame().Commands().Action(kCmdDel)->shortcut(), QKeySequence("Ctrl+Del"));
    openSample();
    for (int id : {kCmdSave})
        EXPECT_FALSE(frame().Commands().Action(id)->isEnabled()) << id;
    // Copying waits for a selection in the source pane.
    EXPECT_TRUE(frame().Commands().IsBound(kCmdSourceCopy));
    for (int id :
         {kCmdNew,         kCmdOpen,    kCmdOpenFolder,  kCmdAnalyze,      kCmdStructureText,
          kCmdFolding,     kCmdExpand,  kCmdSortName,    kCmdDistNone,     kCmdProjectSave,
          kCmdSplitWindow, kCmdOption,  kCmdAnalyzeInfo, kCmdCallingInfo,  kCmdEditor,
          kCmdHelpIndex,   kCmdVersion, kCmdPrint,       kCmdPrintPreview, kCmdPrinterSetup})
        EXPECT_TRUE(frame().Commands().Action(id)->isEnabled()) << id;
    EXPECT_TRUE(frame().Commands().Action(kCmdSortDefine)->isChecked());

    // The toolbar follows the table, separators included.
    const QList<QAction*> tools = frame().ToolBar().actions();
    ASSERT_EQ(tools.size(), static_cast<qsizetype>(ToolbarLayout().size()));
    for (std::size_t i = 0; i < ToolbarLayout().size(); ++i) {
        const int id = ToolbarLayout()[i];
        if (id == 0) {
            EXPECT_TRUE(tools[static_cast<qsizetype>(i)]->isSeparator());
        } else {
            EXPECT_EQ(tools[static_cast<qsizetype>(i)], frame().Commands().Action(id));
        }
    }
}

TEST_F(WindowTest, SortingAndLowerOmitRebuildTheChartAndNewClearsEverything) {
    openSample();
    trigger(kCmdSortName);
    ASSERT_TRUE(waitFor([&] { return !core().Busy(); }));
    EXPECT_TRUE(frame().Commands().Action(kCmdSortName)->isChecked());
    EXPECT_EQ(core().Engine().GetTreeSortOrder(), 1);
    trigger(kCmdLowerOmit);
    ASSERT_TRUE(waitFor([&] { return !core().Busy(); }));
    EXPECT_EQ(pane(AppCore::kPaneViewMode), "Lower Omit");

    QTest::keyClick(&frame(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_TRUE(core().Rows().empty());
    EXPECT_EQ(frame().Panel().Tree().Model().rowCount(
                  frame().Panel().Tree().Model().RootIndex(ModuleTreeModel::kAll)),
              0);
    EXPECT_TRUE(frame().Panel().Source().ShownPath().empty());
    EXPECT_FALSE(frame().Commands().Action(kCmdStructureText)->isEnabled());
}

TEST_F(WindowTest, TheModuleTreeRootsTheChartAtAChosenModuleAndShowsChosenFiles) {
    openSample();
    ModuleTreeModel& model = frame().Panel().Tree().Model();
    QAbstractItemModelTester tester(&model,
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    const QModelIndex top = model.RootIndex(ModuleTreeModel::kTop);
    ASSERT_EQ(model.rowCount(top), 2);
    EXPECT_EQ(model.index(0, 0, top).data().toString(), "main");
    EXPECT_TRUE(model.IsAllEntry(model.index(1, 0, top)));
    EXPECT_EQ(model.rowCount(model.RootIndex(ModuleTreeModel::kFile)), 4);

    const QModelIndex all = model.RootIndex(ModuleTreeModel::kAll);
    QModelIndex evaluate;
    for (int r = 0; r < model.rowCount(all); ++r)
        if (model.index(r, 0, all).data().toString() == "evaluate")
            evaluate = model.index(r, 0, all);
    ASSERT_TRUE(evaluate.isValid());
    frame().Panel().Tree().setCurrentIndex(evaluate);
    ASSERT_TRUE(waitFor([&] { return !core().Busy(); }));
    EXPECT_EQ(core().Rows().rowName(core().Rows()[0], core().Engine()), "evaluate");
    EXPECT_EQ(core().History().Count(), 1);
    EXPECT_TRUE(frame().Commands().Action(kCmdHistoryBack)->isEnabled() == false);

    const QModelIndex file = model.index(0, 0, model.RootIndex(ModuleTreeModel::kFile));
    frame().Panel().Tree().setCurrentIndex(file);
    EXPECT_EQ(fs::path(frame().Panel().Source().ShownPath()).filename().string(),
              file.data().toString().toStdString());
    EXPECT_EQ(frame().Panel().Source().FirstVisibleLine(), 1);
}

TEST_F(WindowTest, AChartOfMoreThan65535RowsScrollsToItsEnd) {
    TreeRowList& rows = core().Rows();
    rows.appendLeaf(0, "root");
    for (int i = 1; i < 100000; ++i)
        rows.appendLeaf(1, "callee" + std::to_string(i))
            .setConnector(i == 1       ? kConnectorFirst
                          : i == 99999 ? kConnectorLast
                                       : kConnectorMiddle);
    chart().Reset();
    QScrollBar* bar = chart().verticalScrollBar();
    EXPECT_EQ(bar->maximum(), 99999);
    bar->setValue(bar->maximum());
    EXPECT_EQ(chart().Chart().TopRow(), 99999);
    chart().viewport()->repaint();
    ASSERT_EQ(chart().LastFrame().boxes.size(), 1u);
    EXPECT_EQ(chart().LastFrame().boxes[0].name, "callee99999");
    EXPECT_EQ(pane(AppCore::kPaneStructure), "100000 / 100000");
    QTest::keyClick(&chart(), Qt::Key_PageUp);
    EXPECT_LT(chart().Chart().TopRow(), 99999);
    EXPECT_EQ(bar->value(), chart().Chart().TopRow());
}

TEST_F(WindowTest, RecentFilesAndTheWindowPlacementAreWrittenAtExit) {
    openSample();
    const auto fileMenuHas = [&](const QString& caption) {
        for (QAction* menu : frame().menuBar()->actions())
            if (menu->menu())
                for (QAction* a : menu->menu()->actions())
                    if (a->text() == caption)
                        return true;
        return false;
    };
    EXPECT_TRUE(fileMenuHas(QString("&1 ") + LUMBRA_SAMPLE_DIR));
    frame().close();
    std::ifstream in(config.path() / "Lumbra32.ini");
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(text.find(std::string("MRU0=") + LUMBRA_SAMPLE_DIR), std::string::npos);
    EXPECT_NE(text.find("AttrMain=1200,760,"), std::string::npos);
    EXPECT_NE(text.find("Range=1"), std::string::npos);
}

TEST_F(WindowTest, ADroppedFileIsOpenedAlone) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString(LUMBRA_SAMPLE_DIR) + "/main.c"),
                  QUrl::fromLocalFile(QString(LUMBRA_SAMPLE_DIR) + "/parser.c")});
    // Qt delivers a drop to the widget that accepted the drag's entry.
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&frame(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&frame(), &drop);
    ASSERT_TRUE(waitFor([&] { return !core().Active(); }));
    EXPECT_EQ(core().Engine().GetFileCount(), 1);
    EXPECT_FALSE(core().Rows().empty());
}

TEST_F(WindowTest, TheSplitDirectionTogglesAndIsKept) {
    QSplitter* right = nullptr;
    for (QSplitter* s : frame().Panel().findChildren<QSplitter*>())
        if (s->isAncestorOf(&chart()) && s->isAncestorOf(&frame().Panel().Source()) &&
            !s->isAncestorOf(&frame().Panel().Tree()))
            right = s;
    ASSERT_NE(right, nullptr);
    EXPECT_EQ(right->orientation(), Qt::Horizontal);
    QTest::keyClick(&frame(), Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(right->orientation(), Qt::Vertical);
    EXPECT_EQ(core().GetSettings().splitDir, 1);
    EXPECT_TRUE(frame().Commands().Action(kCmdSplitWindow)->isChecked());
}

TEST_F(WindowTest, TheProgressDialogShowsTheRunAndItsCancelStopsIt) {
    TAnlyProgress& progress = frame().ProgressDialog();
    ProgressView view{true, 10, 4, "3 files, 7 modules\nFile Inputing...( 3 / 10 ) : a.c"};
    progress.Show(view);
    EXPECT_TRUE(progress.isVisible());
    EXPECT_EQ(progress.windowTitle(), "Progress");
    EXPECT_EQ(progress.Message(), QString::fromStdString(view.text));
    core().InputFiles({std::string(LUMBRA_SAMPLE_DIR) + "/main.c"});
    QTest::keyClick(&progress, Qt::Key_Escape);
    EXPECT_TRUE(core().CancelRequested());
    ASSERT_TRUE(waitFor([&] { return !core().Active(); }));
    EXPECT_FALSE(progress.isVisible());
}

TEST(JapaneseWindow, TheInterfaceSpeaksJapaneseWhenTheSettingsSaySo) {
    test::TempDir config;
    const std::string ini = (config.path() / "Lumbra32.ini").string();
    std::ofstream(ini) << "[Setup]\nLocale=1\n";
    StartOptions options;
    options.args = {"lumbra32"};
    options.iniPath = ini;
    options.interactive = false;
    {
        TLumbra32App app(options);
        EXPECT_EQ(app.Frame().menuBar()->actions().front()->text(),
                  QString::fromUtf8("\xe3\x83\x95\xe3\x82\xa1\xe3\x82\xa4\xe3\x83\xab(&F)"));
        EXPECT_EQ(app.Frame().StatusPane(AppCore::kPaneSelectMode).text(),
                  QString::fromUtf8("\xe5\x8d\x98\xe4\xb8\x80"));
    }
    SetUiLanguage(UiLanguage::English);
}

} // namespace
} // namespace lumbra::gui
