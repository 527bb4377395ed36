// The desktop program's run without a display: file input with its messages and recent files,
// the second pass on a worker with progress and cancel, completion, re-analysis, projects,
// command-line words, clearing, roots, history and the module tree's selection.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <mutex>

#include "CoreFixture.h"
#include "LanguageScanner.h"
#include "TreeBuilder.h"

namespace fs = std::filesystem;

namespace lumbra {
namespace {

using test::CoreTest;

bool contains(const std::vector<std::string>& texts, const std::string& part) {
    for (const std::string& t : texts)
        if (t.find(part) != std::string::npos)
            return true;
    return false;
}

TEST_F(CoreTest, InputRegistersKnownFilesWarnsOnceAboutAnUnknownOneAndRemembersAllThree) {
    const std::string a = write("a.c", "void a(void) {}\n");
    const std::string unknown = write("notes.xyz", "text\n");
    const std::string b = write("b.c", "void b(void) { a(); }\n");
    analyse({a, unknown, b});

    EXPECT_EQ(core.Engine().GetFileCount(), 2);
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0], "Caution: Undefined extention.(" + unknown + ")");
    // The worker waited while the interface thread showed the message.
    EXPECT_EQ(shell.messageThreads[0], std::this_thread::get_id());
    const std::vector<std::string> recent = core.RecentFiles();
    ASSERT_EQ(recent.size(), 3u);
    EXPECT_EQ(recent[0], b); // the last one input is on top
    EXPECT_EQ(recent[2], a);
    EXPECT_EQ(core.GetSettings().path, dir.path().string() + "/");
}

TEST_F(CoreTest, CompletionBuildsTheTreesFillsTheNavigatorAndShowsTheTime) {
    analyseCallGraph();
    EXPECT_FALSE(core.Running());
    EXPECT_EQ(core.Engine().GetState(), kStateAnalysed);
    EXPECT_EQ(rowNames(), (std::vector<std::string>{"main", "  mid", "    leaf1", "    leaf2",
                                                    "  other", "    leaf1", "  leaf2"}));
    EXPECT_EQ(core.Navigator().top, std::vector<std::string>{"main"});
    EXPECT_EQ(core.Navigator().all.size(), 5u);
    EXPECT_EQ(shell.completed, 1);
    EXPECT_FALSE(core.Progress().open);
    EXPECT_NE(core.StatusPane(AppCore::kPaneMessage).find("1 files, 5 modules, Time: "),
              std::string::npos);
    // The progress dialog showed the tree texts on the way (the latest at each look).
    EXPECT_TRUE(contains(shell.progress, "TREEVIEW Regist Finish"));
}

TEST_F(CoreTest, StatusTextsFollowTheKindsOfShowStatus) {
    EXPECT_EQ(CountsText(3, 12, false, 0), "3 files, 12 modules");
    EXPECT_EQ(CountsText(3, 12, true, 0), "3 files, 12 modules, Time: 0 mS");
    EXPECT_EQ(ProgressMessage("c", 0, "x"), "c");
    EXPECT_EQ(ProgressMessage("c", 1, "x"), "c\nx");
    EXPECT_EQ(ProgressMessage("c", 2, "x"), "c\nx");
    EXPECT_EQ(ProgressMessage("c", 3, "x"), "c\n- x -");
}

TEST_F(CoreTest, AFileChosenTwiceIsRegisteredOnce) {
    const std::string a = write("a.c", "void a(void) {}\n");
    analyse({a});
    analyse({a});
    EXPECT_EQ(core.Engine().GetFileCount(), 1);
    EXPECT_TRUE(shell.messages.empty());
}

TEST_F(CoreTest, AnalysingAgainWithoutChangesReanalysesInPlace) {
    analyseCallGraph();
    const int modules = core.Engine().GetModuleCount();
    core.StartAnalysis();
    waitIdle();
    EXPECT_TRUE(contains(shell.progress, "Re-Analyzing..."));
    EXPECT_EQ(core.Engine().GetModuleCount(), modules);
    EXPECT_EQ(core.Rows().size(), 7u);
}

TEST_F(CoreTest, AnalyzeWithoutFilesSaysSo) {
    core.StartAnalysis();
    waitIdle();
    EXPECT_EQ(shell.messages, std::vector<std::string>{"Caution: File not select."});
    EXPECT_FALSE(core.Progress().open);
}

// A scanner whose second pass waits at its first file until the test lets it go.
class GateScanner final : public LanguageScanner {
public:
    void DefinitionPass(NFileAnly& engine, FileRecord&, const SourceText&) override {
        engine.CreateModule("gated" + std::to_string(++created_), 1, 0, true);
    }
    void AnalysisPass(NFileAnly&, FileRecord&, const SourceText&) override {
        std::unique_lock lock(mutex_);
        entered_ = true;
        signal_.notify_all();
        signal_.wait(lock, [this] { return open_; });
    }
    void WaitEntered() {
        std::unique_lock lock(mutex_);
        signal_.wait(lock, [this] { return entered_; });
    }
    void Open() {
        std::lock_guard lock(mutex_);
        open_ = true;
        signal_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable signal_;
    bool entered_ = false;
    bool open_ = false;
    int created_ = 0;
};

TEST_F(CoreTest, CancelDuringTheSecondPassStopsAtTheFileBoundaryAndKeepsTheResults) {
    auto gate = std::make_unique<GateScanner>();
    GateScanner& g = *gate;
    core.Engine().SetScanner(kKindCFamily, std::move(gate));
    core.InputFiles({write("a.c", "x\n"), write("b.c", "y\n"), write("c.c", "z\n")});
    while (core.Busy() && !core.Running())
        core.Idle();
    g.WaitEntered();
    ASSERT_TRUE(core.Progress().open);
    core.CancelProgress();
    core.Idle(); // the interface thread asks the run to stop
    g.Open();
    waitIdle();

    EXPECT_EQ(core.Engine().GetState(), kStateStopped);
    EXPECT_FALSE(core.Progress().open);
    EXPECT_TRUE(core.Rows().empty());
    EXPECT_EQ(core.StatusPane(AppCore::kPaneMessage), "1 files, 3 modules");
    // The running flag stays set until the analysis is cleared.
    EXPECT_TRUE(core.Running());
    core.StartAnalysis();
    waitIdle();
    EXPECT_EQ(shell.messages, std::vector<std::string>{"Caution: Analyzing..."});
    EXPECT_FALSE(core.Progress().open);
    core.ClearAnalysis();
    EXPECT_FALSE(core.Running());
    EXPECT_EQ(core.Engine().GetFileCount(), 0);
}

TEST_F(CoreTest, ExitWhileTheWorkerWaitsForAnAnswerDoesNotHang) {
    core.InputFiles({write("a.unknown", "x\n")});
    // The worker soon waits for the interface thread to show its message; leave instead.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(core.Exit());
    EXPECT_FALSE(core.Busy());
    EXPECT_TRUE(shell.messages.empty());
}

TEST_F(CoreTest, ExecOrderPlacesCalleesByDescendingInclusiveLines) {
    analyseCallGraph();
    core.SetSortOrder(kSortExec);
    waitIdle();
    std::vector<int> inclusive;
    for (const TreeRow& row : core.Rows().rows())
        if (row.level == 1)
            inclusive.push_back(core.Engine().GetModuleValue(row.moduleId(), 3));
    ASSERT_EQ(inclusive.size(), 3u);
    EXPECT_TRUE(std::is_sorted(inclusive.rbegin(), inclusive.rend()));
    EXPECT_GT(inclusive.front(), inclusive.back());
    EXPECT_EQ(core.GetSettings().viewOpt[kViewSort], kSortExec);
    EXPECT_NE(core.Session().ChangedFlag(), 0);
}

TEST_F(CoreTest, ChoosingRootsRecordsHistoryAndStepsBackAndForth) {
    analyseCallGraph();
    core.SelectNavigatorEntry("mid");
    waitIdle();
    EXPECT_EQ(rowNames(), (std::vector<std::string>{"mid", "  leaf1", "  leaf2"}));
    EXPECT_EQ(core.Source().path, (dir.path() / "graph.c").string());
    EXPECT_EQ(core.Source().line, 6);
    core.SelectNavigatorEntry("other");
    waitIdle();
    EXPECT_EQ(core.History().Count(), 2);

    core.HistoryBack();
    waitIdle();
    EXPECT_EQ(rowNames().front(), "mid");
    EXPECT_EQ(core.History().Count(), 2); // stepping does not record
    core.HistoryForward();
    waitIdle();
    EXPECT_EQ(rowNames().front(), "other");

    core.SelectNavigatorEntry("All");
    waitIdle();
    EXPECT_EQ(core.Rows().size(), 7u);
    EXPECT_EQ(core.RootRequest(), "");
}

TEST_F(CoreTest, NavigatorEntriesOtherThanModulesShowFilesOrDoNothing) {
    analyseCallGraph();
    core.SelectNavigatorEntry("Top");
    EXPECT_FALSE(core.Busy());
    EXPECT_EQ(core.Rows().size(), 7u);
    core.SelectNavigatorEntry("graph.c");
    EXPECT_TRUE(core.Source().fileChosen);
    EXPECT_EQ(core.Source().path, (dir.path() / "graph.c").string());
    EXPECT_EQ(core.Source().line, 1);
}

TEST_F(CoreTest, AModuleNamedLikeAFileIsTakenAsTheModule) {
    core.GetSettings().language = kKindCFamily; // a file without a known extension
    core.ApplySettings();
    analyse({write("main", "void main(void) {}\n")});
    core.SelectNavigatorEntry("main");
    waitIdle();
    EXPECT_FALSE(core.Source().fileChosen);
    EXPECT_EQ(core.RootRequest(), "main");
}

TEST_F(CoreTest, LowerOmitRebuildsWithOmittedMarksAndShowsTheMode) {
    analyse({write("g.c", "void c(void) {}\nvoid b(void) { c(); }\n"
                          "void a(void) { b(); b(); }\nint main(void) { a(); b(); }\n")});
    EXPECT_EQ(core.StatusPane(AppCore::kPaneViewMode), "Lower View");
    core.ToggleLowerOmit();
    waitIdle();
    EXPECT_EQ(core.StatusPane(AppCore::kPaneViewMode), "Lower Omit");
    int omitted = 0;
    for (const TreeRow& row : core.Rows().rows())
        omitted += row.omitted();
    EXPECT_GT(omitted, 0);
    EXPECT_EQ(core.CurrentRow(), -1);
}

TEST_F(CoreTest, OpenModuleListBuildsTheTreesOnceAsTheNavigatorAsks) {
    core.GetSettings().moduleListOption[kListOpenModuleList] = 1;
    core.GetSettings().viewOpt[kViewSort] = kSortExec;
    analyseCallGraph();
    EXPECT_EQ(core.Rows().size(), 7u);
    EXPECT_EQ(core.RootRequest(), "");
}

TEST_F(CoreTest, ClearingEmptiesAnalysisTreesNavigatorSelectionAndHistory) {
    analyseCallGraph();
    core.ChooseRoot("mid");
    waitIdle();
    core.SetCurrentRow(1);
    core.ClearAnalysis();
    EXPECT_EQ(core.Engine().GetFileCount(), 0);
    EXPECT_EQ(core.Engine().GetState(), kStateNone);
    EXPECT_TRUE(core.Rows().empty());
    EXPECT_TRUE(core.Navigator().all.empty());
    EXPECT_EQ(core.CurrentRow(), -1);
    EXPECT_EQ(core.History().Count(), 0);
    EXPECT_TRUE(core.Source().path.empty());
    // The time of the last completed run stays in the text.
    EXPECT_NE(core.StatusPane(AppCore::kPaneMessage).find("0 files, 0 modules, Time:"),
              std::string::npos);
}

TEST_F(CoreTest, ProjectsReplaceTheAnalysisAndBringTheirSettings) {
    analyseCallGraph();
    const std::string a = write("p/a.c", "void pa(void) {}\n");
    const std::string b = write("p/b.c", "void pb(void) { pa(); }\n");
    const std::string prj =
        write("p/app.prj", "[Files]\n" + a + "\n" + b + "\n[TreeView]\nViewOpt=0,0,1,0,1\n");
    core.OpenPath(prj, ProjectSource::Dialog);
    waitIdle();
    EXPECT_EQ(core.Engine().GetFileCount(), 2);
    EXPECT_EQ(rowNames(), (std::vector<std::string>{"pb", "  pa"}));
    EXPECT_TRUE(core.SelectAllMode()); // ViewOpt item 4 of the project
    EXPECT_EQ(core.StatusPane(AppCore::kPaneSelectMode), "All");
    EXPECT_EQ(core.RecentFiles().front(), prj);
    EXPECT_EQ(core.GetSettings().path, (dir.path() / "p").string() + "/");
}

TEST_F(CoreTest, AForeignProjectWithoutReadableFilesSaysFileNotFound) {
    const std::string dsp = write("x.dsp", "SOURCE=.\\missing.c\n");
    core.OpenPath(dsp, ProjectSource::Direct);
    waitIdle();
    EXPECT_EQ(shell.messages, std::vector<std::string>{"Caution: File not found."});
    EXPECT_FALSE(core.Progress().open);
}

TEST_F(CoreTest, CommandLineWordsOpenInTurnAndFoldersBringTheirFiles) {
    write("src/a.c", "void a(void) {}\n");
    write("src/b.c", "void b(void) { a(); }\n");
    write("src/readme.txt", "not a source\n");
    const std::string extra = write("c.c", "void c(void) { b(); }\n");
    core.OpenPaths({(dir.path() / "src").string(), extra});
    waitIdle();
    EXPECT_EQ(core.Engine().GetFileCount(), 3);
    EXPECT_EQ(rowNames(), (std::vector<std::string>{"c", "  b", "    a"}));
    EXPECT_TRUE(shell.messages.empty());
    EXPECT_EQ(core.RecentFiles().front(), extra);
    EXPECT_EQ(core.RecentFiles()[1], (dir.path() / "src").string());
}

TEST_F(CoreTest, DatabaseConstantsOutliveNewSettingsUntilTheNextProject) {
    const std::string src = write("db/a.c", "#if FEATURE\nvoid on(void) {}\n#else\n"
                                            "void off(void) {}\n#endif\n");
    const std::string db = write("db/compile_commands.json",
                                 "[{\"directory\": \"" + (dir.path() / "db").string() +
                                     "\", \"file\": \"a.c\", \"command\": \"cc -DFEATURE=1 "
                                     "-c a.c\"}]");
    auto hasFeature = [this] {
        for (const ConstantRecord& c : core.Engine().GetGlobalConstants())
            if (c.name == "FEATURE")
                return true;
        return false;
    };
    core.OpenPaths({db});
    waitIdle();
    EXPECT_EQ(rowNames(), std::vector<std::string>{"on"});
    EXPECT_EQ(core.RecentFiles().front(), db);
    // The setup dialog's OK configures the engine afresh: the constant stays.
    core.ApplySettings();
    EXPECT_TRUE(hasFeature());
    // Another project drops it.
    core.OpenPath(write("db/x.dsp", "# Begin Source File\nSOURCE=a.c\n# End Source File\n"),
                  ProjectSource::Direct);
    waitIdle();
    EXPECT_FALSE(hasFeature());
    EXPECT_EQ(rowNames(), std::vector<std::string>{"off"});
    EXPECT_TRUE(shell.messages.empty()) << shell.messages.front();
}

TEST_F(CoreTest, RecentFilesKeepTenEntriesNewestFirstWithoutDuplicates) {
    for (int i = 0; i < 12; ++i)
        core.AddRecent("/f" + std::to_string(i));
    core.AddRecent("/f5");
    const std::vector<std::string> recent = core.RecentFiles();
    ASSERT_EQ(recent.size(), 10u);
    EXPECT_EQ(recent[0], "/f5");
    EXPECT_EQ(recent[1], "/f11");
    EXPECT_EQ(recent[9], "/f2");
}

TEST_F(CoreTest, SavedProjectOpensToTheSameAnalysis) {
    analyseCallGraph();
    const std::string prj = (dir.path() / "saved").string();
    ASSERT_TRUE(core.SaveProject(prj));
    core.ClearAnalysis();
    core.OpenPath(prj + ".prj", ProjectSource::Direct);
    waitIdle();
    EXPECT_EQ(core.Rows().size(), 7u);
    EXPECT_FALSE(core.SaveProject((dir.path() / "no/such/folder/x").string()));
    EXPECT_TRUE(contains(shell.messages, "Cannot write"));
}

} // namespace
} // namespace lumbra
