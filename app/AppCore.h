// The program state of the desktop application without any widget: settings, the engine, the
// calling-tree rows, the current row, the selection history, recent files and the analysis run
// (input, second pass and completion on a worker thread, driven by idle processing). The Qt
// side (TLumbra32App) owns one and renders what it says; tests drive it without a display.
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "BackgroundJob.h"
#include "FileInput.h"
#include "ModuleNavigator.h"
#include "NFileAnly.h"
#include "ProjectOpen.h"
#include "SelectionHistory.h"
#include "SettingsProjectStore.h"
#include "SettingsSession.h"
#include "Sinks.h"
#include "TreeRowList.h"

namespace lumbra {

// What the core asks of the desktop (or of a test). Every call comes on the interface thread.
// Extension point: a later pane that must follow the analysis adds a notification here (with
// an empty default) and the Qt side forwards it.
class AppShell {
public:
    virtual ~AppShell() = default;
    virtual MessageSink& Messages() = 0;
    // Work was started: call AppCore::Idle soon and keep calling it while AppCore::Active().
    virtual void WakeIdle() {}
    // The status panes (AppCore::StatusPane) or the progress display (AppCore::Progress)
    // changed.
    virtual void StatusChanged() {}
    virtual void ProgressChanged() {}
    // Everything was emptied (New, Del, a project starts loading).
    virtual void AnalysisCleared() {}
    // New tree rows: the chart starts again at row 0, level 0.
    virtual void TreeRowsChanged() {}
    // The module tree's lists were refilled.
    virtual void NavigatorChanged() {}
    // The current row moved (the call-information displays follow it).
    virtual void CurrentRowChanged() {}
    // The file or line the source pane should show changed.
    virtual void SourceTargetChanged() {}
    // The settings were replaced (a project's settings, Default Setup): views re-read them.
    virtual void SettingsApplied() {}
    // The setup dialog changed the code page: the source pane reads its file again.
    virtual void SourceCodePageChanged() {}
    // The setup dialog changed the default source folding: the shown source is folded again.
    virtual void SourceFoldingChanged() {}
    virtual void RecentFilesChanged() {}
    // An analysis run completed (trees built, navigator refilled).
    virtual void AnalysisCompleted() {}
};

// What the progress dialog shows.
struct ProgressView {
    bool open = false;
    int range = 0; // 0: no known end
    int position = 0;
    std::string text; // UTF-8, several lines
};

// Where the source pane looks.
struct SourceTarget {
    std::string path; // full path ("" shows nothing)
    int line = 0;     // 1-based first line to show
    int moduleId = 0; // the module whose source it is, 0 for a chosen file
    bool fileChosen = false;
};

// The status text of the first pane: "%d files, %d modules", with the time of the last
// completed run once there is one.
std::string CountsText(int files, int modules, bool completed, int elapsedMs);
// The progress dialog's message for ShowStatus(kind, text).
std::string ProgressMessage(const std::string& counts, int kind, const std::string& text);

class AppCore {
public:
    // Status-bar panes, left to right.
    enum StatusPaneIndex : int {
        kPaneMessage = 0, // counts and progress
        kPaneSelectMode = 1,
        kPaneViewMode = 2,
        kPaneFile = 3,      // file and notice texts
        kPaneStructure = 4, // "%d / %d" of the structure pane
        kPaneSource = 5,    // "%d / %d" of the source pane
        kPaneCount = 6,
    };

    explicit AppCore(const Environment& env = Environment{});
    ~AppCore();
    AppCore(const AppCore&) = delete;
    AppCore& operator=(const AppCore&) = delete;

    void SetShell(AppShell* shell);
    // Where messages go on the interface thread (the shell's message boxes, or nowhere).
    MessageSink& Messages() { return messages(); }

    // --- start and exit ----------------------------------------------------------------------
    // Reads the settings (from the usual location, honouring "/oldini") and configures the
    // engine.
    void StartUp(const std::vector<std::string>& args, const std::string& programPath);
    // The same with a given settings file; readOnly: it is never written (screenshots, tests).
    void StartUpAt(const std::string& iniPath, bool readOnly = false);
    // Stops running work and waits for it, then writes the settings. False when they could not
    // be written (the user was told).
    bool Exit();

    SettingsSession& Session() { return session_; }
    Settings& GetSettings() { return session_.settings; }
    const Settings& GetSettings() const { return session_.settings; }
    NFileAnly& Engine() { return engine_; }
    const NFileAnly& Engine() const { return engine_; }
    const FileInputOptions& InputOptions() const { return inputOptions_; }
    // Hands the settings to the engine and tells the views.
    void ApplySettings();
    // The settings-changed flag: the settings are written at exit.
    void MarkSettingsChanged() { session_.MarkChanged(); }

    // --- the run -------------------------------------------------------------------------------
    // A worker owns the engine: views draw nothing from it and commands that need it wait.
    bool Busy() const { return jobKind_ != JobKind::None; }
    // The running flag: set from the start of an analysis until its completion was handled.
    bool Running() const { return running_; }
    // Idle processing is needed (work in progress or queued).
    bool Active() const { return Busy() || !pendingOpens_.empty(); }
    // Idle processing: runs the worker's requests, shows progress, completes finished work and
    // starts queued opens.
    void Idle();
    // Calls Idle until nothing is in progress (tests, screenshots). False on timeout.
    bool WaitUntilIdle(std::chrono::milliseconds timeout);

    // Registers source files chosen in the Open dialog (or dropped, or named on the command
    // line; folders contribute their files of known kinds), then starts the analysis.
    void InputFiles(const std::vector<std::string>& paths);
    // The project-open path on a worker: a project's files replace the analysis; a path of no
    // project format opened directly is input as a source file (or folder).
    void OpenPath(const std::string& path, ProjectSource source);
    // Command-line words: each is opened in turn through the project-open path once the work
    // before it has completed; neighbouring source files and folders are input together.
    void OpenPaths(const std::vector<std::string>& words);
    // The "Analyze" command.
    void StartAnalysis();
    // The progress dialog's Cancel.
    void CancelProgress();
    bool CancelRequested() const { return cancel_.load(); }
    // "New" and "Del": empties the analysis, the trees, the navigator, the selection and its
    // history. Ignored while a worker runs.
    void ClearAnalysis();
    // "Project Save": the analysed files and the settings. False when it could not be written
    // (the user was told).
    bool SaveProject(const std::string& chosen);
    int ElapsedMs() const { return elapsedMs_; }

    // --- status --------------------------------------------------------------------------------
    const std::string& StatusPane(int index) const;
    void SetStatusPane(int index, std::string text);
    const ProgressView& Progress() const { return progress_; }
    // ShowStatus of the analysis run (kind 0: counts only; 1, 2: counts and text; 3: "- text -").
    void ShowStatus(int kind, const std::string& text);

    // --- calling tree --------------------------------------------------------------------------
    TreeRowList& Rows() { return rows_; }
    const TreeRowList& Rows() const { return rows_; }
    // The root the trees are built from (internal code page), "" for all root modules.
    const std::string& RootRequest() const { return rootRequest_; }
    // Builds the tree of a module ("" all trees) chosen by the user: the history records it.
    void ChooseRoot(const std::string& name);
    // Rebuilds the rows from the current root request (sort order, Lower Omit).
    void RequestRebuild();
    // Row index of the current row, -1 when none.
    int CurrentRow() const { return currentRow_; }
    // Makes a row current (or none) and tells the views; the selected bits are the chart's.
    void SetCurrentRow(int index);

    SelectionHistory& History() { return history_; }
    void HistoryBack();
    void HistoryForward();

    bool SelectAllMode() const;
    void ToggleSelectMode();
    bool LowerOmitMode() const;
    void ToggleLowerOmit();
    int SortOrder() const;
    void SetSortOrder(int order);
    int Distribution() const;
    void SetDistribution(int mode);
    int SplitDirection() const { return session_.settings.splitDir; }
    void ToggleSplitDirection();

    // --- module tree ---------------------------------------------------------------------------
    const ModuleNavigatorContents& Navigator() const { return navigator_; }
    // An entry of the module tree was chosen (its text, internal code page).
    void SelectNavigatorEntry(const std::string& text);

    // --- source pane ---------------------------------------------------------------------------
    const SourceTarget& Source() const { return source_; }
    // Shows a file at a line (a search result): the current file, target line and first shown
    // line. Ignored while a worker runs.
    void ShowFileLine(const std::string& path, int line);

    // --- recent files --------------------------------------------------------------------------
    // Puts a path at the top of the recent-file list (an equal entry moves up).
    void AddRecent(const std::string& path);
    // The entries in order ("" entries skipped).
    std::vector<std::string> RecentFiles() const;

private:
    enum class JobKind { None, Input, Project, Analyze, Build };
    struct WorkerShared;
    class WorkerMessages;
    class WorkerStatus;
    class ProjectLoad;
    struct InputWord {
        std::string path;
        bool folder = false;
    };
    struct InputOutcome {
        int registered = 0;
        bool cancelled = false;
        std::string lastDirectory;
    };

    MessageSink& messages();
    void startJob(JobKind kind, std::function<void()> body, std::function<void()> onEnd);
    void pullWorkerState();
    void analysisProgress();
    void completeAnalysis();
    void startBuild(bool completion, bool recordHistory);
    void clearAnalysisNow();
    void openProgress(int range);
    void closeProgress();
    void setProgressPosition(int position);
    void applyRecents(const std::vector<std::string>& paths);
    void processNextOpen();
    void inputWords(std::vector<InputWord> words, bool withMessages);
    // Worker: registers files and the files of folders; progress and recent entries go to the
    // interface thread.
    InputOutcome registerWords(const std::vector<InputWord>& words, bool withMessages);
    void setSourceToModule(int moduleId);
    std::string countsText() const;
    void notify(void (AppShell::*fn)());
    // The engine from the settings and the open project's build definitions.
    void configureEngine();

    Environment env_;
    SettingsSession session_;
    NFileAnly engine_;
    FileInputOptions inputOptions_;
    SettingsProjectStore projectSettings_;
    BuildDefinitions projectDefinitions_; // of the open compilation database
    AppShell* shell_ = nullptr;
    NullMessageSink nullMessages_;

    TreeRowList rows_;
    std::string rootRequest_;
    int currentRow_ = -1;
    SelectionHistory history_;
    ModuleNavigatorContents navigator_;
    NameCollator collator_;
    SourceTarget source_;

    // The run.
    UiRequestQueue ui_;
    BackgroundJob job_;
    JobKind jobKind_ = JobKind::None;
    std::function<void()> onJobEnd_;
    std::unique_ptr<WorkerShared> shared_;
    std::unique_ptr<WorkerMessages> workerMessages_;
    std::unique_ptr<WorkerStatus> workerStatus_;
    std::atomic<bool> cancel_{false};
    bool running_ = false;
    bool completedOnce_ = false;
    int elapsedMs_ = 0;
    std::chrono::steady_clock::time_point startTick_;
    int modulesAtStart_ = 0; // module count shown while the second pass runs
    std::string lastModuleDetect_;
    bool inIdle_ = false;
    std::vector<std::pair<std::string, ProjectSource>> pendingOpens_;

    std::array<std::string, kPaneCount> panes_;
    ProgressView progress_;
};

} // namespace lumbra
