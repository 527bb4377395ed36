// Common steps of the command-line front end.
#include "CliContext.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "AnalysisRunner.h"
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
    int position = 0;
    for (const std::string& path : input.files) {
        if (inputProgress)
            inputProgress(++position, static_cast<int>(input.files.size()));
        FileInputResult r = InputFiles(engine, {path}, inputOptions, hooks);
        if (r.unknownKind)
            exitStatus = kExitInputFailed;
        if (r.refused && !engine.IsRegistered(path)) {
            std::fprintf(stderr, "lumbra32-cli: cannot read %s\n", path.c_str());
            exitStatus = kExitInputFailed;
        }
    }
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
