// The desktop program's state and its analysis run.
#include "AppCore.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <thread>

#include "CodePage.h"
#include "DefineFiles.h"
#include "EngineConfig.h"
#include "InputCollector.h"
#include "Lang.h"
#include "ProjectSave.h"
#include "ScannerRegistry.h"
#include "TreeBuilder.h"

namespace fs = std::filesystem;

namespace lumbra {

std::string CountsText(int files, int modules, bool completed, int elapsedMs) {
    if (completed)
        return Format(tr("%d files, %d modules, Time: %d mS"), files, modules, elapsedMs);
    return Format(tr("%d files, %d modules"), files, modules);
}

std::string ProgressMessage(const std::string& counts, int kind, const std::string& text) {
    switch (kind) {
    case 1:
    case 2:
        return counts + "\n" + text;
    case 3:
        return counts + "\n- " + text + " -";
    default:
        return counts;
    }
}

// What the worker leaves for the interface thread; guarded by the mutex.
struct AppCore::WorkerShared {
    std::mutex mutex;
    bool statusPending = false;
    int statusKind = 0;
    std::string statusText;
    int files = 0;
    int modules = 0;
    bool positionPending = false;
    int position = 0;
    bool rangePending = false;
    int range = 0;
    std::vector<std::string> recents;
    std::string notice;
};

// Messages of the worker are shown by the interface thread while the worker waits.
class AppCore::WorkerMessages final : public MessageSink {
public:
    explicit WorkerMessages(AppCore& core) : core_(core) {}
    bool Message(const std::string& text, const std::string& caption, MessageKind kind) override {
        bool answer = kind != MessageKind::Question;
        core_.ui_.Run([&] { answer = core_.messages().Message(text, caption, kind); });
        return answer;
    }

private:
    AppCore& core_;
};

// Status texts of the worker, with the counts it sees, for the interface thread to show.
class AppCore::WorkerStatus final : public StatusSink {
public:
    explicit WorkerStatus(AppCore& core) : core_(core) {}
    void ShowStatus(int kind, const std::string& text) override {
        if (core_.ui_.OnUiThread()) {
            core_.ShowStatus(kind, text);
            return;
        }
        WorkerShared& s = *core_.shared_;
        std::lock_guard lock(s.mutex);
        s.statusPending = true;
        s.statusKind = kind;
        s.statusText = text;
        s.files = core_.engine_.GetFileCount();
        s.modules = core_.engine_.GetModuleCount();
    }

private:
    AppCore& core_;
};

// The project-open path's host: runs on the worker; steps that change what the views show run
// on the interface thread while the worker waits.
class AppCore::ProjectLoad final : public ProjectHost {
public:
    explicit ProjectLoad(AppCore& core) : core_(core) {}

    MessageSink& Messages() override { return *core_.workerMessages_; }
    TextReadSettings ReadSettings() const override { return core_.engine_.GetTextReadSettings(); }
    void AddRecent(const std::string& path) override {
        std::lock_guard lock(core_.shared_->mutex);
        core_.shared_->recents.push_back(path);
    }
    void LoadProjectSettings(const std::string& prjPath) override {
        core_.ui_.Run([&] { core_.projectSettings_.LoadFromProject(prjPath); });
    }
    void SetBuildDefinitions(const BuildDefinitions& definitions) override {
        // Most projects give none after others that gave none: the engine stays as it is.
        if (definitions.Empty() && core_.projectDefinitions_.Empty())
            return;
        core_.ui_.Run([&] {
            core_.projectDefinitions_ = definitions;
            core_.configureEngine();
        });
    }
    void ListedFiles(int count) override { listed_ = count; }
    void BeginLoading() override {
        loaded_ = 0;
        position_ = 0;
        core_.ui_.Run([&] {
            core_.clearAnalysisNow();
            core_.openProgress(listed_);
        });
    }
    bool Cancelled() const override { return core_.cancel_.load(); }
    void LoadFile(const std::string& path) override {
        if (core_.cancel_.load())
            return; // leaving: the rest of the list is passed over
        ++position_;
        core_.workerStatus_->ShowStatus(1, Format(tr("File Inputing...( %d / %d ) : %s"),
                                                  position_ - 1, listed_,
                                                  fs::path(path).filename().string().c_str()));
        FileInputOptions batch = core_.inputOptions_;
        batch.withoutMessages = true;
        loaded_ += lumbra::InputFiles(core_.engine_, {path}, batch, FileInputHooks{}).registered;
        std::lock_guard lock(core_.shared_->mutex);
        core_.shared_->positionPending = true;
        core_.shared_->position = position_;
    }
    int LoadedFileCount() const override { return loaded_; }
    void EndLoading(bool complete) override {
        ended = true;
        completed = complete;
    }
    void OpenSourceFile(const std::string& path) override {
        opened = core_.registerWords({{path, IsFolder(path)}}, true);
        direct = true;
    }
    void SetProjectFolder(const std::string& folder) override { this->folder = folder; }
    void Notice(const std::string& text) override {
        std::lock_guard lock(core_.shared_->mutex);
        // Several notes of one project share the line.
        std::string& notice = core_.shared_->notice;
        notice += notice.empty() ? text : "  " + text;
    }

    static bool IsFolder(const std::string& path) {
        std::error_code ec;
        return fs::is_directory(path, ec);
    }

    bool ended = false;
    bool completed = false;
    bool direct = false;
    InputOutcome opened;
    std::string folder;

private:
    AppCore& core_;
    int listed_ = 0;
    int loaded_ = 0;
    int position_ = 0;
};

// --- construction and start-up -------------------------------------------------------------

AppCore::AppCore(const Environment& env)
    : env_(env), session_(env),
      projectSettings_(session_.settings, session_.GetEnvironment(), [this] { ApplySettings(); }),
      shared_(std::make_unique<WorkerShared>()),
      workerMessages_(std::make_unique<WorkerMessages>(*this)),
      workerStatus_(std::make_unique<WorkerStatus>(*this)) {
    InstallScanners(engine_);
    engine_.SetMessageSink(workerMessages_.get());
}

AppCore::~AppCore() {
    if (Busy()) {
        cancel_.store(true);
        engine_.RequestStop();
        ui_.Shutdown();
        job_.Join();
    }
}

void AppCore::SetShell(AppShell* shell) {
    shell_ = shell;
}

MessageSink& AppCore::messages() {
    if (shell_ && !ui_.IsShutDown())
        return shell_->Messages();
    return nullMessages_;
}

void AppCore::notify(void (AppShell::*fn)()) {
    if (shell_)
        (shell_->*fn)();
}

void AppCore::StartUp(const std::vector<std::string>& args, const std::string& programPath) {
    session_.StartUp(args, programPath);
    ApplySettings();
}

void AppCore::StartUpAt(const std::string& iniPath, bool readOnly) {
    session_.SettingsStore().SetReadOnly(readOnly);
    session_.StartUpAt(iniPath);
    ApplySettings();
}

void AppCore::configureEngine() {
    ConfigureEngine(engine_, session_.settings, inputOptions_);
    ApplyBuildDefinitions(engine_, session_.settings.includePath, {&projectDefinitions_});
}

void AppCore::ApplySettings() {
    configureEngine();
    panes_[kPaneSelectMode] = SelectAllMode() ? tr("All") : tr("Single");
    panes_[kPaneViewMode] = LowerOmitMode() ? tr("Lower Omit") : tr("Lower View");
    notify(&AppShell::StatusChanged);
    notify(&AppShell::SettingsApplied);
}

bool AppCore::Exit() {
    if (Busy()) {
        cancel_.store(true);
        engine_.RequestStop();
        ui_.Shutdown(); // a worker waiting for a message box is released
        job_.Join();
        jobKind_ = JobKind::None;
        onJobEnd_ = nullptr;
    }
    pendingOpens_.clear();
    session_.settings.selectedFunction = rootRequest_;
    return session_.Exit(&messages());
}

// --- status ----------------------------------------------------------------------------------

const std::string& AppCore::StatusPane(int index) const {
    static const std::string none;
    return (index >= 0 && index < kPaneCount) ? panes_[static_cast<std::size_t>(index)] : none;
}

void AppCore::SetStatusPane(int index, std::string text) {
    if (index < 0 || index >= kPaneCount || panes_[static_cast<std::size_t>(index)] == text)
        return;
    panes_[static_cast<std::size_t>(index)] = std::move(text);
    notify(&AppShell::StatusChanged);
}

std::string AppCore::countsText() const {
    // While the second pass runs only the count of finished files may be read.
    const int modules = jobKind_ == JobKind::None ? engine_.GetModuleCount() : modulesAtStart_;
    return CountsText(engine_.GetFileCount(), modules, completedOnce_, elapsedMs_);
}

void AppCore::ShowStatus(int kind, const std::string& text) {
    const std::string counts = countsText();
    panes_[kPaneMessage] = counts;
    notify(&AppShell::StatusChanged);
    if (progress_.open) {
        progress_.text = ProgressMessage(counts, kind, text);
        notify(&AppShell::ProgressChanged);
    }
}

void AppCore::openProgress(int range) {
    // Opening a progress dialog closes an existing one: the new one starts uncancelled.
    progress_ = ProgressView{true, range, 0, {}};
    cancel_.store(false);
    notify(&AppShell::ProgressChanged);
}

void AppCore::closeProgress() {
    if (!progress_.open)
        return;
    progress_ = ProgressView{};
    notify(&AppShell::ProgressChanged);
}

void AppCore::setProgressPosition(int position) {
    if (!progress_.open || progress_.position == position)
        return;
    progress_.position = position;
    notify(&AppShell::ProgressChanged);
}

void AppCore::CancelProgress() {
    if (progress_.open)
        cancel_.store(true);
}

// --- the run ---------------------------------------------------------------------------------

void AppCore::startJob(JobKind kind, std::function<void()> body, std::function<void()> onEnd) {
    jobKind_ = kind;
    onJobEnd_ = std::move(onEnd);
    if (kind != JobKind::Analyze)
        modulesAtStart_ = engine_.GetModuleCount();
    job_.Start(std::move(body));
    notify(&AppShell::WakeIdle);
}

void AppCore::Idle() {
    // A message box of the worker runs a nested event loop that calls Idle again.
    if (inIdle_)
        return;
    inIdle_ = true;
    ui_.Service();
    pullWorkerState();
    if (jobKind_ == JobKind::Analyze && job_.Running())
        analysisProgress();
    if (Busy() && job_.Ended()) {
        job_.Join();
        pullWorkerState();
        jobKind_ = JobKind::None;
        std::function<void()> onEnd = std::move(onJobEnd_);
        onJobEnd_ = nullptr;
        if (onEnd)
            onEnd();
    }
    if (!Busy())
        processNextOpen();
    inIdle_ = false;
}

bool AppCore::WaitUntilIdle(std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (Active()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        Idle();
        if (Active())
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

void AppCore::pullWorkerState() {
    WorkerShared& s = *shared_;
    std::vector<std::string> recents;
    std::string notice;
    bool status = false;
    int kind = 0, files = 0, modules = 0;
    std::string text;
    std::optional<int> position, range;
    {
        std::lock_guard lock(s.mutex);
        recents.swap(s.recents);
        notice.swap(s.notice);
        if (s.statusPending) {
            status = true;
            kind = s.statusKind;
            text = std::move(s.statusText);
            files = s.files;
            modules = s.modules;
            s.statusPending = false;
        }
        if (s.rangePending)
            range = s.range;
        if (s.positionPending)
            position = s.position;
        s.rangePending = s.positionPending = false;
    }
    applyRecents(recents);
    if (!notice.empty())
        SetStatusPane(kPaneFile, notice);
    if (status) {
        const std::string counts = CountsText(files, modules, completedOnce_, elapsedMs_);
        panes_[kPaneMessage] = counts;
        notify(&AppShell::StatusChanged);
        if (progress_.open) {
            progress_.text = ProgressMessage(counts, kind, text);
            notify(&AppShell::ProgressChanged);
        }
    }
    if (range && progress_.open) {
        progress_.range = *range;
        notify(&AppShell::ProgressChanged);
    }
    if (position)
        setProgressPosition(*position);
}

AppCore::InputOutcome AppCore::registerWords(const std::vector<InputWord>& words,
                                             bool withMessages) {
    InputOutcome outcome;
    // Folders contribute their files of known kinds; those are batch input, but the folder
    // itself is remembered like a file.
    struct Group {
        std::vector<std::string> files;
        bool batch = false;
        std::string folder;
    };
    std::vector<Group> groups;
    int total = 0;
    for (const InputWord& word : words) {
        if (word.folder) {
            Group g;
            CollectedInput collected = CollectInputs({word.path}, inputOptions_.extensions);
            for (const std::string& error : collected.errors)
                workerMessages_->Message(error, tr("Caution"), MessageKind::Warning);
            g.files = std::move(collected.files);
            g.batch = true;
            g.folder = word.path;
            total += static_cast<int>(g.files.size());
            groups.push_back(std::move(g));
            continue;
        }
        if (groups.empty() || groups.back().batch)
            groups.emplace_back();
        groups.back().files.push_back(word.path);
        ++total;
    }
    {
        std::lock_guard lock(shared_->mutex);
        shared_->rangePending = true;
        shared_->range = total;
    }
    int offset = 0;
    for (const Group& g : groups) {
        FileInputOptions options = inputOptions_;
        options.withoutMessages = g.batch || !withMessages;
        FileInputHooks hooks;
        hooks.messages = workerMessages_.get();
        hooks.status = workerStatus_.get();
        hooks.addRecent = [this](const std::string& path) {
            std::lock_guard lock(shared_->mutex);
            shared_->recents.push_back(path);
        };
        hooks.progress = [this, offset](int position, int) {
            std::lock_guard lock(shared_->mutex);
            shared_->positionPending = true;
            shared_->position = offset + position;
            return !cancel_.load();
        };
        if (g.batch && withMessages) {
            std::error_code ec;
            hooks.addRecent(fs::absolute(g.folder, ec).lexically_normal().string());
        }
        FileInputResult r = lumbra::InputFiles(engine_, g.files, options, hooks);
        outcome.registered += r.registered;
        if (!r.lastDirectory.empty())
            outcome.lastDirectory = r.lastDirectory;
        offset += static_cast<int>(g.files.size());
        if (r.cancelled || cancel_.load()) {
            outcome.cancelled = true;
            break;
        }
    }
    return outcome;
}

void AppCore::inputWords(std::vector<InputWord> words, bool withMessages) {
    if (Busy())
        return;
    openProgress(static_cast<int>(words.size()));
    auto outcome = std::make_shared<InputOutcome>();
    startJob(
        JobKind::Input,
        [this, words = std::move(words), withMessages, outcome] {
            *outcome = registerWords(words, withMessages);
        },
        [this, outcome] {
            if (!outcome->lastDirectory.empty())
                session_.settings.path = outcome->lastDirectory + "/";
            ShowStatus(0, "");
            if (outcome->cancelled)
                closeProgress();
            else
                StartAnalysis();
        });
}

void AppCore::InputFiles(const std::vector<std::string>& paths) {
    std::vector<InputWord> words;
    for (const std::string& path : paths)
        words.push_back({path, ProjectLoad::IsFolder(path)});
    inputWords(std::move(words), true);
}

void AppCore::OpenPath(const std::string& path, ProjectSource source) {
    if (Busy())
        return;
    auto host = std::make_shared<ProjectLoad>(*this);
    startJob(
        JobKind::Project, [host, path, source] { OpenProject(path, source, *host); },
        [this, host] {
            if (!host->folder.empty())
                session_.settings.path = host->folder;
            if (host->direct) {
                ShowStatus(0, "");
                if (host->opened.cancelled)
                    closeProgress();
                else
                    StartAnalysis();
                return;
            }
            if (!host->ended)
                return; // the dialog's unknown extension, or a project that could not be read
            if (host->completed && engine_.GetFileCount() > 0)
                StartAnalysis();
            else
                closeProgress();
        });
}

void AppCore::OpenPaths(const std::vector<std::string>& words) {
    for (const std::string& word : words)
        pendingOpens_.emplace_back(word, ProjectSource::Direct);
    notify(&AppShell::WakeIdle);
}

void AppCore::processNextOpen() {
    if (pendingOpens_.empty() || Busy())
        return;
    const auto [first, source] = pendingOpens_.front();
    if (IsProjectFile(first) && !ProjectLoad::IsFolder(first)) {
        pendingOpens_.erase(pendingOpens_.begin());
        OpenPath(first, source);
        return;
    }
    // Neighbouring source files and folders are registered together and analysed once.
    std::vector<InputWord> words;
    auto it = pendingOpens_.begin();
    for (; it != pendingOpens_.end(); ++it) {
        const bool folder = ProjectLoad::IsFolder(it->first);
        if (!folder && IsProjectFile(it->first))
            break;
        words.push_back({it->first, folder});
    }
    pendingOpens_.erase(pendingOpens_.begin(), it);
    inputWords(std::move(words), true);
}

void AppCore::StartAnalysis() {
    if (Busy())
        return;
    if (engine_.GetFileCount() == 0) {
        messages().Message(tr("File not select."), tr("Caution"), MessageKind::Warning);
        closeProgress();
        return;
    }
    openProgress(engine_.GetFileCount());
    if (running_) {
        messages().Message(tr("Analyzing..."), tr("Caution"), MessageKind::Warning);
        closeProgress(); // the stopped run's idle step would close it at once
        return;
    }
    if (engine_.GetState() == kStateAnalysed) {
        engine_.SetState(kStateReanalyse);
        ShowStatus(2, tr("Re-Analyzing..."));
    }
    running_ = true;
    startTick_ = std::chrono::steady_clock::now();
    lastModuleDetect_.clear();
    modulesAtStart_ = engine_.GetModuleCount();
    startJob(
        JobKind::Analyze, [this] { engine_.Analyze(); },
        [this] {
            const int state = engine_.GetState();
            if (state == kStateAnalysed) {
                completeAnalysis();
            } else if (state == kStateStopped) {
                ShowStatus(0, "");
                closeProgress();
            }
        });
}

void AppCore::analysisProgress() {
    const RunProgress p = engine_.GetRunProgress();
    if (p.state != kStateRunning)
        return;
    if (progress_.open && cancel_.load())
        engine_.RequestStop();
    if (!p.moduleName.empty()) {
        const int codePage = engine_.GetTextReadSettings().codePage;
        std::string text =
            Format(tr("Module detect %s%s : %s"), InternalToUtf8(p.fileName, codePage).c_str(), "",
                   InternalToUtf8(p.moduleName, codePage).c_str());
        if (text != lastModuleDetect_) {
            lastModuleDetect_ = text;
            ShowStatus(2, text);
        }
    }
    setProgressPosition(p.finishedFiles);
}

void AppCore::completeAnalysis() {
    running_ = false;
    setProgressPosition(0);
    rootRequest_.clear(); // the selection becomes "All"
    startBuild(true, false);
}

void AppCore::startBuild(bool completion, bool recordHistory) {
    if (Busy())
        return;
    auto rows = std::make_shared<TreeRowList>();
    auto contents = std::make_shared<ModuleNavigatorContents>();
    const TreeBuildSettings treeSettings = TreeBuildSettingsFrom(session_.settings);
    const std::string root = rootRequest_;
    // "Open Module List": the trees are built once, as the navigator's selection asks, without
    // the preliminary build that orders by inclusive values.
    const bool once = completion && session_.settings.moduleListOption[kListOpenModuleList] != 0;
    const ModuleNavigatorOptions navOptions{
        session_.settings.moduleListOption[kListNotViewUndefined] != 0,
        session_.settings.clipboardPathName != 0};
    startJob(
        JobKind::Build,
        [this, rows, contents, treeSettings, root, once, completion, navOptions] {
            TreeBuilder builder(engine_, *rows);
            builder.SetSettings(treeSettings);
            TreeBuildHooks hooks;
            hooks.messages = workerMessages_.get();
            hooks.status = workerStatus_.get();
            hooks.cancelled = [this] { return cancel_.load(); };
            hooks.progress = [this](int position, int count) {
                std::lock_guard lock(shared_->mutex);
                shared_->rangePending = shared_->positionPending = true;
                shared_->range = count;
                shared_->position = position;
            };
            builder.SetHooks(hooks);
            if (once) {
                engine_.SetTreeSortOrder(treeSettings.sortOrder);
                builder.BuildAllTrees();
            } else {
                builder.BuildTrees(root);
            }
            if (completion) {
                workerStatus_->ShowStatus(2, tr("TREEVIEW Regist..."));
                *contents =
                    BuildNavigatorContents(engine_, navOptions, collator_, workerMessages_.get());
                workerStatus_->ShowStatus(2, tr("TREEVIEW Regist Finish"));
            }
        },
        [this, rows, contents, completion, recordHistory, root] {
            rows_ = std::move(*rows);
            currentRow_ = -1;
            if (completion) {
                navigator_ = std::move(*contents);
                notify(&AppShell::NavigatorChanged);
            }
            if (recordHistory && !root.empty())
                history_.Record(engine_.FindModuleId(root));
            notify(&AppShell::TreeRowsChanged);
            notify(&AppShell::CurrentRowChanged);
            if (!completion)
                return;
            source_ = SourceTarget{};
            notify(&AppShell::SourceTargetChanged);
            notify(&AppShell::AnalysisCompleted);
            closeProgress();
            elapsedMs_ = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                              std::chrono::steady_clock::now() - startTick_)
                                              .count());
            completedOnce_ = true;
            ShowStatus(0, "");
        });
}

void AppCore::clearAnalysisNow() {
    engine_.ClearFiles();
    modulesAtStart_ = 0;
    TreeBuilder(engine_, rows_).ClearTreeRows();
    navigator_ = ModuleNavigatorContents{};
    currentRow_ = -1;
    history_.Clear();
    source_ = SourceTarget{};
    rootRequest_.clear();
    engine_.SetState(kStateNone);
    running_ = false;
    for (int pane : {kPaneFile, kPaneStructure, kPaneSource})
        panes_[static_cast<std::size_t>(pane)].clear();
    notify(&AppShell::AnalysisCleared);
    notify(&AppShell::NavigatorChanged);
    notify(&AppShell::TreeRowsChanged);
    notify(&AppShell::CurrentRowChanged);
    notify(&AppShell::SourceTargetChanged);
    ShowStatus(0, "");
}

void AppCore::ClearAnalysis() {
    if (!Busy())
        clearAnalysisNow();
}

bool AppCore::SaveProject(const std::string& chosen) {
    if (Busy())
        return false;
    ProjectSaveResult r = lumbra::SaveProject(chosen, RegisteredFiles(engine_), &projectSettings_);
    if (!r.ok)
        messages().Message(Format(tr("Cannot write %s: %s"), r.path.c_str(), r.error.c_str()),
                           tr("Caution"), MessageKind::Warning);
    return r.ok;
}

// --- calling tree ----------------------------------------------------------------------------

void AppCore::ChooseRoot(const std::string& name) {
    if (Busy())
        return;
    rootRequest_ = name;
    session_.settings.selectedFunction = name;
    currentRow_ = -1;
    startBuild(false, true);
}

void AppCore::RequestRebuild() {
    if (Busy() || engine_.GetFileCount() == 0)
        return;
    currentRow_ = -1;
    startBuild(false, false);
}

void AppCore::SetCurrentRow(int index) {
    if (index < -1 || index >= static_cast<int>(rows_.size()))
        index = -1;
    currentRow_ = index;
    if (index >= 0) {
        const TreeRow& row = rows_[static_cast<std::size_t>(index)];
        if (!row.isLeaf())
            setSourceToModule(row.moduleId());
    }
    notify(&AppShell::CurrentRowChanged);
}

void AppCore::setSourceToModule(int moduleId) {
    const char* path = engine_.GetModuleFilePath(moduleId);
    SourceTarget target;
    target.path = path ? path : "";
    target.line = std::max(engine_.GetModuleLine(moduleId), 1);
    target.moduleId = moduleId;
    source_ = std::move(target);
    notify(&AppShell::SourceTargetChanged);
}

void AppCore::HistoryBack() {
    if (Busy())
        return;
    if (const int id = history_.Back()) {
        const char* name = engine_.GetModuleName(id);
        rootRequest_ = name ? name : "";
        startBuild(false, false);
    }
}

void AppCore::HistoryForward() {
    if (Busy())
        return;
    if (const int id = history_.Forward()) {
        const char* name = engine_.GetModuleName(id);
        rootRequest_ = name ? name : "";
        startBuild(false, false);
    }
}

bool AppCore::SelectAllMode() const {
    return session_.settings.viewOpt[kViewAllCallParts] != 0;
}

void AppCore::ToggleSelectMode() {
    int& item = session_.settings.viewOpt[kViewAllCallParts];
    item = item ? 0 : 1;
    MarkSettingsChanged();
    SetStatusPane(kPaneSelectMode, item ? tr("All") : tr("Single"));
}

bool AppCore::LowerOmitMode() const {
    return session_.settings.viewOpt[kViewExceptViewed] != 0;
}

void AppCore::ToggleLowerOmit() {
    if (Busy())
        return;
    int& item = session_.settings.viewOpt[kViewExceptViewed];
    item = item ? 0 : 1;
    MarkSettingsChanged();
    SetStatusPane(kPaneViewMode, item ? tr("Lower Omit") : tr("Lower View"));
    RequestRebuild();
}

int AppCore::SortOrder() const {
    return session_.settings.viewOpt[kViewSort];
}

void AppCore::SetSortOrder(int order) {
    if (Busy() || order < kSortCode || order > kSortPath)
        return;
    session_.settings.viewOpt[kViewSort] = order;
    engine_.SetTreeSortOrder(order);
    MarkSettingsChanged();
    RequestRebuild();
}

int AppCore::Distribution() const {
    return session_.settings.viewOpt[kViewDistribute];
}

void AppCore::SetDistribution(int mode) {
    if (mode < 0 || mode > 4)
        return;
    session_.settings.viewOpt[kViewDistribute] = mode;
    MarkSettingsChanged();
}

void AppCore::ToggleSplitDirection() {
    session_.settings.splitDir = session_.settings.splitDir ? 0 : 1;
    MarkSettingsChanged();
}

// --- module tree -----------------------------------------------------------------------------

void AppCore::SelectNavigatorEntry(const std::string& chosen) {
    if (Busy())
        return;
    const std::string text = chosen.substr(0, kNavigatorNameLimit - 1);
    if (text == NavigatorAllEntry()) {
        ChooseRoot("");
        return;
    }
    if (const int id = engine_.FindModuleId(text)) {
        setSourceToModule(id);
        ChooseRoot(text);
        return;
    }
    if (text == NavigatorTopCaption() || text == NavigatorFileCaption() ||
        text == NavigatorAllCaption() || text.empty())
        return;
    // A file entry: a bare name stands for the registered file of that name.
    std::string path = text;
    if (text.find('/') == std::string::npos) {
        const char* full = engine_.GetPathByFileName(text);
        path = full ? full : "";
    }
    if (path.empty())
        return;
    source_ = SourceTarget{path, 1, 0, true};
    notify(&AppShell::SourceTargetChanged);
}

void AppCore::ShowFileLine(const std::string& path, int line) {
    if (Busy() || path.empty())
        return;
    source_ = SourceTarget{path, std::max(line, 1), 0, true};
    notify(&AppShell::SourceTargetChanged);
}

// --- recent files ----------------------------------------------------------------------------

void AppCore::AddRecent(const std::string& path) {
    if (path.empty())
        return;
    auto& list = session_.settings.recentFiles;
    auto found = std::find(list.begin(), list.end(), path);
    if (found == list.end())
        found = list.end() - 1; // the oldest entry makes room
    std::move_backward(list.begin(), found, found + 1);
    list.front() = path;
    notify(&AppShell::RecentFilesChanged);
}

void AppCore::applyRecents(const std::vector<std::string>& paths) {
    for (const std::string& path : paths)
        AddRecent(path);
}

std::vector<std::string> AppCore::RecentFiles() const {
    std::vector<std::string> out;
    for (const std::string& path : session_.settings.recentFiles)
        if (!path.empty())
            out.push_back(path);
    return out;
}

} // namespace lumbra
