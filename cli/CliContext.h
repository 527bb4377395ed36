// State shared by the commands of lumbra32-cli: the engine, the inputs, the sinks and the
// exit status.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "FileInput.h"
#include "NFileAnly.h"
#include "Sinks.h"

namespace lumbra::cli {

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitInputFailed = 1;
inline constexpr int kExitUsage = 2;

// Messages become one line on stderr; questions answer "No".
class StderrMessageSink final : public MessageSink {
public:
    bool Message(const std::string& text, const std::string& caption, MessageKind kind) override;
    int count() const { return count_; }

private:
    int count_ = 0;
};

// Options every command takes.
struct CommonOptions {
    std::vector<std::string> paths;
    std::string lang; // "", "en" or "ja"
};

class CliContext {
public:
    CliContext();

    CommonOptions common;
    NFileAnly engine;
    StderrMessageSink messages;
    FileInputOptions inputOptions;
    int exitStatus = kExitOk;
    // Progress while the inputs are registered (file p of count) and while the second pass
    // runs (polled); both may stay empty.
    std::function<void(int position, int count)> inputProgress;
    std::function<void(const RunProgress& progress, int fileCount)> analysisProgress;

    // Applies --lang.
    void ApplyLanguage();
    // Collects the inputs and registers them; unreadable paths are reported and set status 1.
    void RegisterInputs();
    // Runs the second pass to completion on the worker thread.
    void Analyze();
};

} // namespace lumbra::cli
