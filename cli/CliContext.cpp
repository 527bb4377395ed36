// Common steps of the command-line front end.
#include "CliContext.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "AnalysisRunner.h"
#include "DefineFiles.h"
#include "EngineConfig.h"
#include "EngineProjectHost.h"
#include "InputCollector.h"
#include "Lang.h"
#include "ScannerRegistry.h"
#include "SettingsSession.h"
#include "TProfile2.h"

namespace lumbra::cli {

bool StderrMessageSink::Message(const std::string& text, const std::string& caption,
                                MessageKind kind) {
    ++count_;
    std::string oneLine = text;
    for (char& c : oneLine)
        if (c == '\n')
            c = ' ';
    std::fprintf(stderr, "lumbra32-cli: %s\n", oneLine.c_str());
    return kind != MessageKind::Question;
}

CliContext::CliContext()
    : projectSettings(settings, environment, [this] { ConfigureFromSettings(); }) {
    InstallScanners(engine);
    engine.SetMessageSink(&messages);
}

void CliContext::ApplyLanguage() {
    if (!common.lang.empty())
        SetUiLanguage(common.lang == "ja" ? UiLanguage::Japanese : UiLanguage::English);
    LoadSettings();
    if (common.lang.empty())
        SetUiLanguage(InterfaceIsJapanese(settings.locale, environment) ? UiLanguage::Japanese
                                                                        : UiLanguage::English);
    ConfigureFromSettings();
}

void CliContext::ConfigureFromSettings() {
    ConfigureEngine(engine, settings, inputOptions);
    for (const auto& [index, value] : optionOverrides)
        engine.SetOption(index, value);
    for (const auto& [index, value] : countOptionOverrides)
        engine.SetCountOption(index, value);
    ApplyDefinesAndIncludePaths();
}

void CliContext::ApplyDefinesAndIncludePaths() {
    BuildDefinitions commandLine;
    for (const std::string& define : common.defines)
        commandLine.AddDefine(define);
    for (const std::string& dir : common.includePaths)
        commandLine.AddIncludePath(dir);
    ApplyBuildDefinitions(engine, settings.includePath, {&commandLine, &projectDefinitions});
}

void CliContext::LoadSettings() {
    settings = Settings::Defaults(environment, false);
    std::string path = common.ini;
    if (path.empty() && common.userSettings) {
        // Reports stay reproducible: only an explicit request reads the user's own file, and
        // the command line never writes it.
        std::optional<std::string> user = CurrentSettingsPath(false);
        if (!user)
            return;
        path = *user;
    }
    if (path.empty())
        return;
    TProfile2 store;
    store.SetReadOnly(true);
    store.SetFileName(path);
    if (!store.IsReadable()) {
        std::fprintf(stderr, "lumbra32-cli: %s\n",
                     Format(tr("Cannot read the settings file %s"), path.c_str()).c_str());
        exitStatus = kExitInputFailed;
        return;
    }
    LoadAllSettings(store, settings, environment);
}

void CliContext::RegisterInputs() {
    CollectedInput input = CollectInputs(common.paths, inputOptions.extensions);
    for (const std::string& error : input.errors) {
        std::fprintf(stderr, "lumbra32-cli: cannot read %s\n", error.c_str());
        exitStatus = kExitInputFailed;
    }
    FileInputHooks hooks;
    hooks.messages = &messages;
    int position = 0;
    for (const std::string& path : input.files) {
        if (inputProgress)
            inputProgress(++position, static_cast<int>(input.files.size()));
        if (IsProjectFile(path)) {
            RegisterProject(path);
            continue;
        }
        FileInputResult r = InputFiles(engine, {path}, inputOptions, hooks);
        if (r.unknownKind)
            exitStatus = kExitInputFailed;
        if (r.refused && !engine.IsRegistered(path)) {
            std::fprintf(stderr, "lumbra32-cli: cannot read %s\n", path.c_str());
            exitStatus = kExitInputFailed;
        }
    }
}

void CliContext::RegisterProject(const std::string& path) {
    EngineProjectHost host(engine, messages, inputOptions);
    if (common.ini.empty())
        host.settings = &projectSettings;
    host.notice = [](const std::string& text) {
        std::fprintf(stderr, "lumbra32-cli: %s\n", text.c_str());
    };
    // The command line gathers the files of all its inputs, and so their definitions.
    host.buildDefinitions = [this](const BuildDefinitions& definitions) {
        if (definitions.Empty())
            return;
        projectDefinitions.Merge(definitions);
        ConfigureFromSettings();
    };
    ProjectOpenResult r = OpenProject(path, ProjectSource::Direct, host);
    if (!r.read)
        std::fprintf(stderr, "lumbra32-cli: cannot read %s\n", path.c_str());
    if (!r.read || r.declined || r.notFound)
        exitStatus = kExitInputFailed;
}

void CliContext::Analyze() {
    AnalysisRunner runner(engine);
    const int fileCount = engine.GetFileCount();
    runner.Start();
    while (analysisProgress && runner.Busy()) {
        analysisProgress(runner.Progress(), fileCount);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    runner.Join();
}

} // namespace lumbra::cli
