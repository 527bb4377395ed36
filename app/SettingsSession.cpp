// Settings location, start-up, exit, Default Setup and project settings.
#include "SettingsSession.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

#include "Lang.h"
#include "Sinks.h"

namespace fs = std::filesystem;

namespace lumbra {
namespace {

std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home == '/')
        return home;
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd pw{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &pw, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir && found->pw_dir[0] == '/')
        return found->pw_dir;
    return "";
}

} // namespace

std::optional<std::string> CurrentSettingsPath(bool createFolders) {
    fs::path config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') {
        config = xdg;
    } else {
        std::string home = homeFolder();
        if (home.empty())
            return std::nullopt;
        config = fs::path(home) / ".config";
    }
    fs::path folder = config / "Nuvex" / "Lumbra32";
    if (createFolders) {
        std::error_code ec;
        fs::create_directories(folder, ec);
    }
    return (folder / "Lumbra32.ini").string();
}

std::string OlderSettingsPath(const std::string& programPath) {
    return fs::path(programPath).replace_extension(".ini").string();
}

bool WantsOlderLocation(const std::vector<std::string>& args) {
    if (args.size() < 2)
        return false;
    std::string word = args[1];
    for (char& c : word)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return word.find("/oldini") != std::string::npos;
}

SettingsLocation LocateSettingsFile(const std::vector<std::string>& args,
                                    const std::string& programPath, bool createFolders) {
    if (!WantsOlderLocation(args)) {
        if (std::optional<std::string> current = CurrentSettingsPath(createFolders))
            return {*current, false};
    }
    return {OlderSettingsPath(programPath), true};
}

std::string RunningProgramPath() {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : self.string();
}

SettingsSession::SettingsSession(const Environment& env)
    : settings(Settings::Defaults(env, env.japaneseLocale)), env_(env) {}

void SettingsSession::StartUp(const std::vector<std::string>& args,
                              const std::string& programPath) {
    location_ = LocateSettingsFile(args, programPath, true);
    load();
}

void SettingsSession::StartUpAt(const std::string& iniPath) {
    location_ = {iniPath, false};
    load();
}

void SettingsSession::load() {
    settingsStore_.SetFileName(location_.path);
    SettingsLoadResult r = LoadAllSettings(settingsStore_, settings, env_);
    changed_ = r.changed ? 1 : 0;
    LoadWindowSettings(settingsStore_, settings, env_);
    LoadRecentFiles(settingsStore_, settings);
    japaneseUi_ = r.japaneseUi;
    SetUiLanguage(japaneseUi_ ? UiLanguage::Japanese : UiLanguage::English);
}

bool SettingsSession::Exit(MessageSink* sink) {
    ProfileUpdate update(settingsStore_);
    if (changed_)
        SaveAllSettings(settingsStore_, settings);
    SaveWindowSettings(settingsStore_, settings);
    SaveRecentFiles(settingsStore_, settings);
    if (!update.Commit()) {
        lastError_ = settingsStore_.LastError();
        if (sink)
            sink->Message(Format(tr("The settings could not be saved.\n%s"), lastError_.c_str()),
                          tr("Caution"), MessageKind::Warning);
        return false;
    }
    changed_ = 0;
    return true;
}

bool SettingsSession::DefaultSetup(MessageSink& sink, const std::function<void()>& clearAnalysis) {
    if (!sink.Message(tr("Setup is returned to default.\nAre yuou ready?"), tr("Caution"),
                      MessageKind::Question))
        return false;
    if (clearAnalysis)
        clearAnalysis();
    const bool removed = settingsStore_.RemoveFile();
    if (!removed)
        lastError_ = settingsStore_.LastError();
    SettingsLoadResult r = LoadAllSettings(settingsStore_, settings, env_);
    // A file that could not be deleted is overwritten with the defaults at exit instead.
    changed_ = (!removed || r.changed) ? 1 : 0;
    return true;
}

SettingsLoadResult SettingsSession::LoadFromProject(const std::string& projectPath) {
    projectStore_.SetFileName(projectPath);
    return LoadAllSettings(projectStore_, settings, env_);
}

bool SettingsSession::SaveToProject(const std::string& projectPath,
                                    const std::vector<std::string>& files) {
    std::string text = "[Files]\n";
    for (const std::string& file : files)
        text += file + "\n";
    projectStore_.SetFileName(projectPath);
    ProfileUpdate update(projectStore_);
    projectStore_.ResetContents(text);
    SaveAllSettings(projectStore_, settings);
    if (!update.Commit()) {
        lastError_ = projectStore_.LastError();
        return false;
    }
    return true;
}

} // namespace lumbra
