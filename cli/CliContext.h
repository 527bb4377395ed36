// State shared by the commands of lumbra32-cli: the engine, the inputs, the sinks and the
// exit status.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "BuildDefinitions.h"
#include "FileInput.h"
#include "NFileAnly.h"
#include "Settings.h"
#include "SettingsProjectStore.h"
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
    std::string lang;                 // "", "en" or "ja"
    std::string ini;                  // settings file or project file to take the settings from
    bool userSettings = false;        // take the settings from the user's settings file
    std::vector<std::string> defines; // --define NAME[=VALUE]: global constants
    std::vector<std::string> includePaths; // --include-path DIR: after the settings' folders
};

class CliContext {
public:
    CliContext();

    CommonOptions common;
    NFileAnly engine;
    StderrMessageSink messages;
    FileInputOptions inputOptions;
    int exitStatus = kExitOk;
    Environment environment;
    Settings settings = Settings::Defaults(environment, false);
    // Progress while the inputs are registered (file p of count) and while the second pass
    // runs (polled); both may stay empty.
    std::function<void(int position, int count)> inputProgress;
    std::function<void(const RunProgress& progress, int fileCount)> analysisProgress;
    // Analysis options (index, value) given on the command line: they win over the settings
    // and over the settings of project inputs.
    std::vector<std::pair<int, int>> optionOverrides;
    std::vector<std::pair<int, int>> countOptionOverrides;
    // The settings a ".prj" carries: loaded from project inputs (unless --ini names the
    // settings), written by save-project.
    SettingsProjectStore projectSettings;
    // Constants and include folders of the compilation databases among the inputs (behind the
    // command line's own).
    BuildDefinitions projectDefinitions;

    // Loads the settings (--ini, --user-settings, else the built-in defaults), sets the
    // interface language (--lang, else the settings' own) and configures the engine from them.
    void ApplyLanguage();
    // Configures the engine from the settings, then applies the option overrides.
    void ConfigureFromSettings();
    // The constants of --define and of the compilation databases (ahead of the define file's,
    // so that they win) and the folders of --include-path and of the databases.
    void ApplyDefinesAndIncludePaths();
    // Loads the settings named by the options; an unreadable file is reported and sets status 1.
    void LoadSettings();
    // Collects the inputs and registers them; unreadable paths are reported and set status 1.
    void RegisterInputs();
    // Opens a project file input (by its extension) and registers the files it lists.
    void RegisterProject(const std::string& path);
    // Runs the second pass to completion on the worker thread.
    void Analyze();
};

} // namespace lumbra::cli
