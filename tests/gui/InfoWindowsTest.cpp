// The "Analyze Information" window, the "Call Information" window and the module-information
// pane on the sample, driven through their buttons, lists and commands on the offscreen
// platform.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "AppWindowTest.h"
#include "CommandTable.h"
#include "InfoTableModel.h"
#include "InfoWindows.h"
#include "ModuleNameList.h"
#include "TLumbra32App.h"
#include "TMainFrame.h"
#include "TMainPnl.h"
#include "TMdlInfFrm.h"
#include "TProgress.h"
#include "TXrefMdl.h"

namespace lumbra::gui {
namespace {

class InfoWindowsTest : public AppWindowTest {
protected:
    InfoWindowsTest() { start(); }

    void start() {
        startApp(testOptions());
        app->Frame().resize(1200, 760);
    }
    int rowOf(const std::string& name) {
        const TreeRowList& rows = core().Rows();
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows.rowName(rows[i], core().Engine()) == name)
                return static_cast<int>(i);
        ADD_FAILURE() << "no row " << name;
        return -1;
    }
    std::vector<std::string>& messages() { return app->MessageBoxes().recorded; }
    QString clipboard() { return QGuiApplication::clipboard()->text(); }
    void clickHeader(QTableView& list, int column) {
        QHeaderView* header = list.horizontalHeader();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
    static std::vector<QString> column(const QAbstractItemModel& model, int c) {
        std::vector<QString> out;
        for (int r = 0; r < model.rowCount(); ++r)
            out.push_back(model.index(r, c).data().toString());
        return out;
    }

    InfoWindows& windows() { return *FindInfoWindows(frame()); }
    TMdlInfFrm& pane() { return frame().Panel().ModuleInfo(); }
};

TEST_F(InfoWindowsTest, AnalyzeInformationListsSortsCopiesAndKeepsItsLayout) {
    openSample();
    ASSERT_TRUE(frame().Commands().Trigger(kCmdAnalyzeInfo));
    QPointer<TProgress> info = windows().AnalyzeInfo();
    ASSERT_TRUE(info);
    EXPECT_TRUE(info->isVisible());
    EXPECT_EQ(info->windowTitle(), "Analyze Information");
    QAbstractItemModelTester fileTester(&info->FileModel());
    QAbstractItemModelTester moduleTester(&info->ModuleModel());

    // Four files and the "Total" row; every module.
    const InfoTableModel& files = info->FileModel();
    ASSERT_EQ(files.rowCount(), 5);
    EXPECT_EQ(files.headerData(1, Qt::Horizontal).toString(), "File name");
    EXPECT_EQ(files.index(4, 0).data().toString(), "Total");
    EXPECT_EQ(files.index(4, 1).data().toString(), "==================");
    EXPECT_EQ(info->ModuleModel().rowCount(), core().Engine().GetModuleCount());
    EXPECT_TRUE(info->TotalsText().startsWith("Tatal : " + QString(30, ' ') + "  "))
        << info->TotalsText().toStdString();
    EXPECT_EQ(files.index(0, 4).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight,
              Qt::AlignRight);

    // File names ascending, then descending; the Total row's rule sorts first ascending.
    clickHeader(info->FileList(), 1);
    EXPECT_EQ(column(files, 1), (std::vector<QString>{"==================", "calc.h", "lexer.c",
                                                      "main.c", "parser.c"}));
    clickHeader(info->FileList(), 1);
    EXPECT_EQ(column(files, 1).front(), "parser.c");
    EXPECT_EQ(info->FileList().horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    // Totals by value: the Total row holds the largest count.
    clickHeader(info->FileList(), 4);
    EXPECT_EQ(column(files, 0).back(), "Total");
    clickHeader(info->ModuleList(), 3);
    const std::vector<QString> exec = column(info->ModuleModel(), 3);
    EXPECT_TRUE(std::is_sorted(exec.begin(), exec.end(), [](const QString& a, const QString& b) {
        return a.toInt() < b.toInt();
    }));

    info->AnalyzeOutButton().click();
    EXPECT_TRUE(clipboard().startsWith("Lumbrascope for WIN32\r\n\r\n[File Information]\r\n"));
    EXPECT_EQ(messages().back(), "Result: Copy to Clipboard.");
    info->CallingOutButton().click();
    EXPECT_TRUE(clipboard().contains("\r\nName  \tUpper     \tLower     \r\n"));
    EXPECT_TRUE(clipboard().contains("\r\nmain\t\tfgets\r\n\t\tstrcspn\r\n\t\tcalculate\r\n"))
        << clipboard().toStdString();

    // A second command replaces the window; OK keeps placement and widths in the settings.
    ASSERT_TRUE(frame().Commands().Trigger(kCmdAnalyzeInfo));
    EXPECT_FALSE(info);
    info = windows().AnalyzeInfo();
    info->FileList().horizontalHeader()->resizeSection(2, 150); // "Last Update": index 10
    info->ModuleList().horizontalHeader()->resizeSection(1, 210);
    info->resize(700, 500);
    info->OkButton().click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(info);
    const Settings& s = core().GetSettings();
    EXPECT_EQ(s.columnFile[10], 150);
    EXPECT_EQ(s.columnFunc[1], 210);
    EXPECT_EQ(s.attrProg[0], 700);
    EXPECT_EQ(s.attrProg[1], 500);

    ASSERT_TRUE(frame().Commands().Trigger(kCmdAnalyzeInfo));
    EXPECT_EQ(windows().AnalyzeInfo()->FileList().horizontalHeader()->sectionSize(2), 150);
}

TEST_F(InfoWindowsTest, CallInformationFollowsTheRowRootsTheTreeAndClips) {
    openSample();
    core().SetCurrentRow(rowOf("calculate"));
    ASSERT_TRUE(frame().Commands().Trigger(kCmdCallingInfo));
    TXrefMdl* xref = windows().CallInfo();
    ASSERT_TRUE(xref);
    EXPECT_TRUE(xref->isVisible());
    EXPECT_EQ(xref->windowTitle(), "Call Information(calculate)");
    EXPECT_TRUE(xref->FileLine().endsWith("main.c : 11Line, Exec Lines = 13, Path numb = 3"))
        << xref->FileLine().toStdString();
    EXPECT_EQ(xref->UpperLabel(), "Upper : 1 Modules");
    EXPECT_EQ(xref->UpperList().Texts(), QStringList{"main"});
    EXPECT_EQ(xref->HierarchyLabel(), "Hierarchy : 2 Levels");
    EXPECT_EQ(xref->HierarchyList().Texts(), (QStringList{"main", "calculate"}));
    EXPECT_TRUE(xref->LowerList().Texts().contains("tokenize"));
    EXPECT_EQ(xref->LowerLabel(), QString("Lower : %1 Modules").arg(xref->LowerList().Count()));

    xref->ClipButton().click();
    EXPECT_TRUE(clipboard().startsWith("Lumbrascope for WIN32\r\n\r\n[Call Information(calculate)]"
                                       "\r\n\r\nModule\t"));
    EXPECT_TRUE(clipboard().contains("\r\ncalculate\tmain\t"));
    EXPECT_EQ(messages().back(), "Result: Output to Clipboard.");

    // The root row: one level, no upper modules.
    core().SetCurrentRow(rowOf("main"));
    EXPECT_EQ(xref->HierarchyLabel(), "Hierarchy : 1 Levels");
    EXPECT_EQ(xref->UpperLabel(), "Upper : 0 Modules");
    EXPECT_EQ(xref->UpperList().Count(), 0);

    // A double click on a module roots the tree there; a name of no module does nothing.
    const int calculate = static_cast<int>(xref->LowerList().Texts().indexOf("calculate"));
    ASSERT_GE(calculate, 0);
    QApplication::processEvents();
    const QModelIndex entry = xref->LowerList().model()->index(calculate, 0);
    ASSERT_TRUE(xref->LowerList().visualRect(entry).isValid());
    // A real double click: the first click, then the second one reported as a double click.
    const QPoint at = xref->LowerList().visualRect(entry).center();
    QTest::mouseClick(xref->LowerList().viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(xref->LowerList().viewport(), Qt::LeftButton, {}, at);
    ASSERT_TRUE(waitFor([&] { return !core().Active(); }));
    EXPECT_EQ(core().RootRequest(), "calculate");
    EXPECT_EQ(core().Engine().GetModuleName(core().Rows()[0].moduleId()), std::string("calculate"));
    EXPECT_EQ(xref->UpperLabel(), "Upper : "); // no row is current in the new tree

    // Closing keeps the placement.
    xref->resize(640, 200);
    xref->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(windows().CallInfo());
    EXPECT_EQ(core().GetSettings().attrXref[0], 640);
    EXPECT_EQ(core().GetSettings().attrXref[1], 200);
}

TEST_F(InfoWindowsTest, TheCallInformationWindowReopensAfterAnAnalysisWhenAsked) {
    core().GetSettings().viewOpt[kViewOpenCallInfo] = 1;
    openSample();
    QPointer<TXrefMdl> first = windows().CallInfo();
    ASSERT_TRUE(first);
    ASSERT_TRUE(frame().Commands().Trigger(kCmdAnalyze));
    ASSERT_TRUE(waitFor([&] { return !core().Active(); }));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(first);
    ASSERT_TRUE(windows().CallInfo());
    EXPECT_TRUE(windows().CallInfo()->isVisible());

    // Clearing the analysis resets its captions.
    core().SetCurrentRow(rowOf("main"));
    EXPECT_EQ(windows().CallInfo()->windowTitle(), "Call Information(main)");
    core().ClearAnalysis();
    EXPECT_EQ(windows().CallInfo()->windowTitle(), "Call Information");
    EXPECT_EQ(windows().CallInfo()->HierarchyList().Count(), 0);
}

TEST_F(InfoWindowsTest, OpenWindowsKeepTheirPlacementWhenTheProgramExits) {
    openSample();
    ASSERT_TRUE(frame().Commands().Trigger(kCmdAnalyzeInfo));
    windows().AnalyzeInfo()->resize(640, 480);
    ASSERT_TRUE(frame().Commands().Trigger(kCmdCallingInfo));
    windows().CallInfo()->resize(600, 180);
    pane().setCurrentIndex(TMdlInfFrm::kSearchPage);
    frame().close();
    const std::string ini = test::ReadFile(config.path() / "Lumbra32.ini");
    EXPECT_NE(ini.find("AttrProg=640,480,"), std::string::npos) << ini;
    EXPECT_NE(ini.find("AttrXref=600,180,"), std::string::npos) << ini;
    EXPECT_NE(ini.find("CallSelect=5"), std::string::npos) << ini;
}

TEST_F(InfoWindowsTest, ThePaneShowsTheModulesPagesAndKeepsThePage) {
    EXPECT_EQ(pane().count(), 6);
    EXPECT_EQ(pane().currentIndex(), TMdlInfFrm::kLowerPage); // "CallSelect" default
    openSample();
    core().SetCurrentRow(rowOf("calculate"));
    EXPECT_NE(pane().InfoText().indexOf("main.c\n11Line\nExec Lines = 13\nPath numb = 3"), -1);
    EXPECT_EQ(pane().NestList().Texts(), (QStringList{"main", "calculate"}));
    EXPECT_EQ(pane().UpperList().Texts(), QStringList{"main"});
    EXPECT_TRUE(pane().LowerList().Texts().contains("evaluate"));

    pane().setCurrentIndex(TMdlInfFrm::kUpperPage);
    EXPECT_EQ(core().GetSettings().callSelect, TMdlInfFrm::kUpperPage);
    pane().ClipButton().click();
    EXPECT_TRUE(clipboard().startsWith("Lumbrascope for WIN32\r\n\r\nModule Information(calculate)"
                                       "\r\n\r\nModule\t"));
    EXPECT_EQ(messages().back(), "Result: Output to Clipboard.");

    // Double clicks root the tree at a module of the "Nest" list.
    EXPECT_TRUE(pane().NestList().Choose(0));
    ASSERT_TRUE(waitFor([&] { return !core().Active(); }));
    EXPECT_EQ(core().RootRequest(), "main");
    EXPECT_TRUE(pane().InfoText().isEmpty()); // no row is current in the new tree
}

TEST_F(InfoWindowsTest, SearchFindsLinesShowsThemAndCopiesThem) {
    pane().setCurrentIndex(TMdlInfFrm::kSearchPage);
    EXPECT_FALSE(pane().SearchButton().isEnabled()); // no pattern yet
    pane().PatternBox().setEditText("strcspn");
    EXPECT_TRUE(pane().SearchButton().isEnabled());
    // Before an analysis the search clears the page.
    EXPECT_FALSE(pane().Search());
    EXPECT_TRUE(pane().PatternBox().currentText().isEmpty());

    openSample();
    pane().PatternBox().setEditText("*");
    ASSERT_TRUE(pane().Search());
    pane().WaitForSearch();
    const QStringList results = pane().ResultTexts();
    ASSERT_FALSE(results.isEmpty());
    for (const QString& r : results)
        EXPECT_TRUE(r.contains('*')) << r.toStdString();
    EXPECT_EQ(pane().ResultLine(), QString("%1 lines found.").arg(results.size()));
    EXPECT_EQ(pane().PatternBox().count(), 1);

    pane().PatternBox().setEditText("STRCSPN");
    pane().MatchCaseBox().setChecked(true);
    pane().SearchButton().click();
    ASSERT_TRUE(waitFor([&] { return !pane().Searching(); }));
    pane().WaitForSearch();
    EXPECT_TRUE(pane().ResultTexts().isEmpty());
    pane().MatchCaseBox().setChecked(false);
    pane().SearchButton().click();
    ASSERT_TRUE(waitFor([&] { return pane().ResultTexts().size() == 1; }));
    EXPECT_TRUE(pane().ResultTexts()[0].startsWith("3, 32:  line[strcspn(line, "))
        << pane().ResultTexts()[0].toStdString();
    EXPECT_EQ(pane().PatternBox().count(), 2); // the same pattern is not added twice

    // A double click shows the line in the source pane; "Clip" writes the search output.
    EXPECT_TRUE(pane().ShowResult(0));
    EXPECT_EQ(core().Source().path, std::string(LUMBRA_SAMPLE_DIR) + "/main.c");
    EXPECT_EQ(core().Source().line, 32);
    pane().ClipButton().click();
    EXPECT_EQ(clipboard(), "Lumbrascope for WIN32\r\n\r\nmain.c(32):  line[strcspn(line, "
                           "\"\\n\")] = '\\0';\r\n");

    // A pattern that cannot be used is reported; nothing runs.
    pane().PatternBox().setEditText("line[");
    EXPECT_FALSE(pane().Search());
    EXPECT_EQ(messages().back().rfind("Caution: The search pattern cannot be used: ", 0), 0u)
        << messages().back();

    // Clearing the analysis empties the page.
    core().ClearAnalysis();
    EXPECT_TRUE(pane().ResultTexts().isEmpty());
    EXPECT_TRUE(pane().ResultLine().isEmpty());
    EXPECT_TRUE(pane().PatternBox().currentText().isEmpty());
}

} // namespace
} // namespace lumbra::gui
