// The settings over one run of the program: where the file lives, reading it at start-up,
// writing it at exit, the reset to defaults, and carrying the settings in project files.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Settings.h"
#include "TProfile2.h"

namespace lumbra {

class MessageSink;

// "$XDG_CONFIG_HOME/Nuvex/Lumbra32/Lumbra32.ini", with ~/.config when the variable is unset or
// not absolute; nullopt when no home folder can be determined. With createFolders the two
// folders are created (a failure leaves the path as it is).
std::optional<std::string> CurrentSettingsPath(bool createFolders);

// The older location: the program's path with its extension replaced by ".ini".
std::string OlderSettingsPath(const std::string& programPath);

// True when the command line (program name first) has a second word that contains "/oldini"
// in any letter case.
bool WantsOlderLocation(const std::vector<std::string>& args);

struct SettingsLocation {
    std::string path;
    bool older = false;
};
SettingsLocation LocateSettingsFile(const std::vector<std::string>& args,
                                    const std::string& programPath, bool createFolders);

// The path of the running program ("" when it cannot be found).
std::string RunningProgramPath();

class SettingsSession {
public:
    explicit SettingsSession(const Environment& env = Environment{});

    Settings settings;

    const Environment& GetEnvironment() const { return env_; }
    // The store pointed at the settings file, and the one pointed at project files.
    TProfile2& SettingsStore() { return settingsStore_; }
    TProfile2& ProjectStore() { return projectStore_; }
    const SettingsLocation& Location() const { return location_; }
    // The interface language decided at start-up ("Locale" changes take effect at the next).
    bool JapaneseUi() const { return japaneseUi_; }

    // The settings-changed flag: when set, Exit writes all settings.
    void MarkChanged(int reason = 1) { changed_ = reason; }
    int ChangedFlag() const { return changed_; }

    // Start-up in order: locate the file (creating its folders), point the settings store at
    // it, Load all, the window layout, the recent files; then the interface language is set.
    void StartUp(const std::vector<std::string>& args, const std::string& programPath);
    // The same with a given settings file.
    void StartUpAt(const std::string& iniPath);

    // Exit: all settings when the flag is set; always the "File" keys of the layout, "Window"
    // and "MRU". One write of the file; false when it failed (LastError says why, and a sink,
    // when given, shows it) and the old file is untouched.
    bool Exit(MessageSink* sink = nullptr);

    // Default Setup: asks the user; on Yes clears the analysis (the callback), deletes the
    // settings file and loads every default. The window layout and the recent files stay in
    // memory. False when the user said No. The caller configures the engine afterwards.
    bool DefaultSetup(MessageSink& sink, const std::function<void()>& clearAnalysis);

    // Loads all settings from a project file (its "[Files]" lines are ignored here).
    SettingsLoadResult LoadFromProject(const std::string& projectPath);
    // Writes a project file in one go: "[Files]" with the paths, then all settings.
    bool SaveToProject(const std::string& projectPath, const std::vector<std::string>& files);

    const std::string& LastError() const { return lastError_; }

private:
    void load();

    Environment env_;
    TProfile2 settingsStore_;
    TProfile2 projectStore_;
    SettingsLocation location_;
    bool japaneseUi_ = false;
    int changed_ = 0;
    std::string lastError_;
};

} // namespace lumbra
