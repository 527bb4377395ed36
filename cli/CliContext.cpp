// Common steps of the command-line front end.
#include "CliContext.h"

#include <cstdio>

#include "AnalysisRunner.h"
#include "EngineProjectHost.h"
#include "InputCollector.h"
#include "Lang.h"
#include "ScannerRegistry.h"

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

CliContext::CliContext() {
    InstallScanners(engine);
    engine.SetMessageSink(&messages);
}

void CliContext::ApplyLanguage() {
    if (common.lang == "ja")
        SetUiLanguage(UiLanguage::Japanese);
    else
        SetUiLanguage(UiLanguage::English);
    TextReadSettings s = engine.GetTextReadSettings();
    s.japaneseUi = IsJapaneseUi();
    engine.SetTextReadSettings(s);
}

void CliContext::RegisterInputs() {
    CollectedInput input = CollectInputs(common.paths, inputOptions.extensions);
    for (const std::string& error : input.errors) {
        std::fprintf(stderr, "lumbra32-cli: cannot read %s\n", error.c_str());
        exitStatus = kExitInputFailed;
    }
    FileInputHooks hooks;
    hooks.messages = &messages;
    for (const std::string& path : input.files) {
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
    host.settings = projectSettings;
    host.notice = [](const std::string& text) {
        std::fprintf(stderr, "lumbra32-cli: %s\n", text.c_str());
    };
    ProjectOpenResult r = OpenProject(path, ProjectSource::Direct, host);
    if (!r.read)
        std::fprintf(stderr, "lumbra32-cli: cannot read %s\n", path.c_str());
    if (!r.read || r.declined || r.notFound)
        exitStatus = kExitInputFailed;
}

void CliContext::Analyze() {
    AnalysisRunner runner(engine);
    runner.Start();
    runner.Join();
}

} // namespace lumbra::cli
