// The Help menu, the About dialog, the external editor and the whole interface in Japanese,
// driven through the real main window; the browser and the editor are replaced by recorders.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>

#include "AppWindowTest.h"
#include "BuildInfo.h"
#include "CommandTable.h"
#include "ExternalEditor.h"
#include "HelpCommands.h"
#include "InfoWindows.h"
#include "Lang.h"
#include "PrintCommands.h"
#include "TAboutDlg.h"
#include "TDevelop.h"
#include "TLumbra32App.h"
#include "TMainFrame.h"
#include "TMainPnl.h"
#include "TSourceWin.h"
#include "TStructWin.h"
#include "TTreeWin.h"
#include "UiText.h"

namespace lumbra::gui {
namespace {

class ShellTest : public AppWindowTest {
protected:
    void start(const std::string& language = "") {
        StartOptions options = testOptions();
        options.readOnlySettings = true;
        options.language = language;
        app = std::make_unique<TLumbra32App>(options);
        app->MessageBoxes().handler = [this](const std::string& text, const std::string& caption,
                                             MessageKind) {
            messages.push_back(caption + ": " + text);
            return true;
        };
        app->Start();
        app->Frame().activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&app->Frame()));
        help = FindHelpCommands(app->Frame());
        ASSERT_NE(help, nullptr);
        help->opener = [this](const QUrl& url) {
            opened.push_back(url);
            return true;
        };
        editor = FindExternalEditor(app->Frame());
        ASSERT_NE(editor, nullptr);
        editor->starter = [this](const QString& program, const QStringList& arguments) {
            started.push_back(QStringList{program} + arguments);
            return true;
        };
    }
    ~ShellTest() override {
        app.reset();
        SetUiLanguage(UiLanguage::English);
    }
    void selectModule(const std::string& name) {
        AppCore& core = app->Core();
        for (std::size_t i = 0; i < core.Rows().size(); ++i)
            if (core.Rows().rowName(core.Rows()[i], core.Engine()) == name) {
                core.SetCurrentRow(static_cast<int>(i));
                return;
            }
        FAIL() << "no row " << name;
    }
    CommandSet& commands() { return app->Frame().Commands(); }

    HelpCommands* help = nullptr;
    ExternalEditor* editor = nullptr;
    std::vector<std::string> messages;
    std::vector<QUrl> opened;
    std::vector<QStringList> started;
};

TEST_F(ShellTest, IndexOpensTheManualAndContextHelpOpensTheSectionOfTheNextCommand) {
    start();
    ASSERT_TRUE(commands().Trigger(kCmdHelpIndex));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(opened[0].isLocalFile());
    EXPECT_TRUE(opened[0].toLocalFile().endsWith("help/index.html"))
        << opened[0].toString().toStdString();
    EXPECT_TRUE(QFileInfo::exists(opened[0].toLocalFile()));

    // Shift+F1: the next command opens its section instead of running.
    help->EnterContextHelp();
    EXPECT_EQ(app->Frame().cursor().shape(), Qt::WhatsThisCursor);
    const bool splitBefore = app->Core().SplitDirection();
    ASSERT_TRUE(commands().Trigger(kCmdSplitWindow));
    EXPECT_EQ(app->Core().SplitDirection(), splitBefore);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[1].fragment(), "cmd-24365");
    EXPECT_FALSE(help->InContextHelp());
    // Esc leaves the mode without opening anything; commands run again.
    help->EnterContextHelp();
    QTest::keyClick(&app->Frame(), Qt::Key_Escape);
    EXPECT_FALSE(help->InContextHelp());
    ASSERT_TRUE(commands().Trigger(kCmdSplitWindow));
    EXPECT_NE(app->Core().SplitDirection(), splitBefore);
    EXPECT_EQ(opened.size(), 2u);

    // F1 with a menu open enters the mode too; the menu's next command opens its section.
    QMenu* file = app->Frame().menuBar()->actions().front()->menu();
    ASSERT_NE(file, nullptr);
    file->popup(app->Frame().mapToGlobal(QPoint(10, 10)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(file));
    QTest::keyClick(file, Qt::Key_F1);
    EXPECT_TRUE(help->InContextHelp());
    EXPECT_TRUE(file->isVisible());
    commands().Action(kCmdOption)->trigger();
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[2].fragment(), "cmd-24364");
    file->close();

    // A browser that cannot start is reported.
    help->opener = [](const QUrl&) { return false; };
    EXPECT_FALSE(help->OpenManual());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("Caution: The manual ", 0), 0u) << messages[0];
}

TEST_F(ShellTest, AboutShowsNameVersionAndCopyrightOfTheBuild) {
    start();
    EXPECT_TRUE(commands().Action(kCmdVersion)->isEnabled());
    TAboutDlg* about = help->OpenAbout(false);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->findChild<QLabel*>("ProductName")->text(), build::kProductName);
    EXPECT_EQ(about->findChild<QLabel*>("ProductVersion")->text(),
              QString("Version ") + build::kVersion);
    EXPECT_EQ(about->findChild<QLabel*>("LegalCopyright")->text(), build::kCopyright);
    about->accept();
}

TEST_F(ShellTest, TheEditorOpensTheChartSelectionAtItsLineOrSaysNothingIsSelected) {
    start();
    openSample();
    Settings& s = app->Core().GetSettings();
    s.editorOpen = 1;
    s.editorName = "my edit";
    s.editorOption = "+%l %F";
    app->Frame().Panel().SetActivePane(TMainPnl::kStructurePane);
    app->Core().SetCurrentRow(-1);
    ASSERT_TRUE(commands().Trigger(kCmdEditor));
    EXPECT_TRUE(started.empty());
    EXPECT_EQ(messages, std::vector<std::string>{"Caution: Nodule not select."});

    selectModule("calculate");
    ASSERT_TRUE(commands().Trigger(kCmdEditor));
    ASSERT_EQ(started.size(), 1u);
    ASSERT_EQ(started[0].size(), 3);
    EXPECT_EQ(started[0][0], "my edit");
    const AppCore& core = app->Core();
    const int id = core.Rows()[static_cast<std::size_t>(core.CurrentRow())].moduleId();
    EXPECT_EQ(started[0][1], QString("+%1").arg(core.Engine().GetModuleLine(id)));
    EXPECT_EQ(started[0][2], QString::fromUtf8(core.Engine().GetModuleFilePath(id)));
    EXPECT_TRUE(started[0][2].endsWith(".c")) << started[0][2].toStdString();

    // From the module tree: its chosen file, without the template.
    const std::string mainFile = std::string(LUMBRA_SAMPLE_DIR) + "/main.c";
    app->Frame().Panel().SetActivePane(TMainPnl::kTreePane);
    app->Core().SelectNavigatorEntry(mainFile);
    ASSERT_TRUE(commands().Trigger(kCmdEditor));
    ASSERT_EQ(started.size(), 2u);
    EXPECT_EQ(started[1], (QStringList{"my edit", QString::fromStdString(mainFile)}));

    // From the source pane: the file it shows, at its first shown line, when no box is current.
    app->Frame().Panel().SetActivePane(TMainPnl::kSourcePane);
    app->Core().SetCurrentRow(-1);
    ASSERT_TRUE(commands().Trigger(kCmdEditor));
    ASSERT_EQ(started.size(), 3u);
    EXPECT_EQ(started[2], (QStringList{"my edit", "+1", QString::fromStdString(mainFile)}));

    // An editor that cannot start is reported with its name.
    editor->starter = [](const QString&, const QStringList&) { return false; };
    ASSERT_TRUE(commands().Trigger(kCmdEditor));
    EXPECT_EQ(messages.back(), "Caution: The editor my edit could not be started.");
}

// Every text the main window, its menus, the setup pages, the information windows, the panes'
// context menus, the About dialog and the print previews ask for exists in Japanese.
TEST_F(ShellTest, TheWholeInterfaceHasItsJapaneseTexts) {
    ClearMissingJapaneseTexts();
    start("ja");
    EXPECT_TRUE(IsJapaneseUi());
    openSample();
    selectModule("calculate");
    commands().Refresh();
    EXPECT_EQ(app->Frame().menuBar()->actions().front()->text(),
              QString::fromUtf8(JapaneseText("File(&F)")));

    InfoWindows* info = FindInfoWindows(app->Frame());
    ASSERT_NE(info, nullptr);
    ASSERT_TRUE(commands().Trigger(kCmdAnalyzeInfo));
    ASSERT_TRUE(commands().Trigger(kCmdCallingInfo));
    QApplication::processEvents();
    for (int page = 0; page < kSetupPageCount; ++page) {
        TDevelop sheet(app->Core().Session(), app->Messages(), page, SetupChoosers{},
                       &app->Frame());
        sheet.show();
        QApplication::processEvents();
    }
    TStructWin& chart = app->Frame().Panel().Structure();
    for (int x : {0, 100000})
        for (const ChartMenuEntry& entry : chart.Chart().ContextMenu(x, true))
            if (entry.id != 0)
                UiText(entry.caption);
    SourceView& source = app->Frame().Panel().Source().View();
    for (const SourceMenuEntry& entry : source.ContextMenu(0))
        if (entry.id != 0)
            UiText(entry.caption);
    help->OpenAbout(false)->accept();
    PrintCommands* print = FindPrintCommands(app->Frame());
    ASSERT_NE(print, nullptr);
    print->AskPane("Print Preview");
    for (PrintPane pane : {PrintPane::Structure, PrintPane::Source}) {
        TApxPreviewWin* preview = print->OpenPreview(pane);
        ASSERT_NE(preview, nullptr);
        preview->TwoPages();
        preview->close();
    }

    const std::vector<std::string> missing = MissingJapaneseTexts();
    std::string list;
    for (const std::string& text : missing)
        list += "\n  " + text;
    EXPECT_TRUE(missing.empty()) << "missing Japanese texts:" << list;
}

} // namespace
} // namespace lumbra::gui
