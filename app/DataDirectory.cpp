// Where the program's bundled data lives.
#include "DataDirectory.h"

#include <filesystem>
#include <system_error>

#include "SettingsSession.h"

namespace fs = std::filesystem;

namespace lumbra {
namespace {

constexpr const char* kManual = "help/index.html";
constexpr const char* kJapaneseManual = "help/index-ja.html";

bool isFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

// Installed programs sit one level below the prefix; the desktop program of the build tree sits
// two levels below the build folder. No deeper, so that an unrelated share folder further up is
// never taken.
std::vector<fs::path> shareCandidates(const fs::path& programPath) {
    std::vector<fs::path> out;
    if (programPath.empty())
        return out;
    fs::path folder = programPath.parent_path();
    for (int up = 0; up < 2 && folder.has_parent_path() && folder != folder.root_path(); ++up) {
        folder = folder.parent_path();
        out.push_back((folder / "share").lexically_normal());
    }
    return out;
}

} // namespace

std::optional<fs::path> ShareFolder(const fs::path& programPath) {
    std::error_code ec;
    for (const fs::path& share : shareCandidates(programPath))
        if (fs::is_directory(share / kDataFolderName, ec))
            return share;
    return std::nullopt;
}

std::optional<fs::path> FindDataFile(const fs::path& relative, const fs::path& programPath) {
    // Data names are relative to the data folder; anything else is not ours to resolve.
    if (relative.empty() || relative.is_absolute())
        return std::nullopt;
    for (const fs::path& part : relative)
        if (part == "..")
            return std::nullopt;
    std::optional<fs::path> share = ShareFolder(programPath);
    if (!share)
        return std::nullopt;
    fs::path candidate = *share / kDataFolderName / relative;
    std::error_code ec;
    if (!fs::exists(candidate, ec))
        return std::nullopt;
    return candidate;
}

std::optional<fs::path> ShareFolder() {
    return ShareFolder(fs::path(RunningProgramPath()));
}

std::optional<fs::path> FindDataFile(const fs::path& relative) {
    return FindDataFile(relative, fs::path(RunningProgramPath()));
}

std::vector<std::string> DataDirectoryCandidates(const std::string& programPath) {
    std::vector<std::string> out;
    for (const fs::path& share : shareCandidates(programPath))
        out.push_back((share / kDataFolderName).string());
    return out;
}

std::string DataDirectory(const std::string& programPath) {
    for (const std::string& dir : DataDirectoryCandidates(programPath))
        if (isFile(fs::path(dir) / kManual))
            return dir;
    return {};
}

std::string HelpManualPath(const std::string& programPath, bool japanese) {
    const std::string dir = DataDirectory(programPath);
    if (dir.empty())
        return {};
    if (japanese && isFile(fs::path(dir) / kJapaneseManual))
        return (fs::path(dir) / kJapaneseManual).string();
    return (fs::path(dir) / kManual).string();
}

std::string HelpAnchor(int commandId) {
    return "cmd-" + std::to_string(commandId);
}

} // namespace lumbra
