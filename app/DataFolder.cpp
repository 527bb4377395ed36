// Locating the run-time data folder relative to the program.
#include "DataFolder.h"

#include "SettingsSession.h"

namespace fs = std::filesystem;

namespace lumbra {

std::optional<fs::path> ShareFolder(const fs::path& programPath) {
    if (programPath.empty())
        return std::nullopt;
    std::error_code ec;
    // Installed programs sit one level below the prefix; the desktop program of the build tree
    // sits two levels below the build folder. No deeper, so that an unrelated share folder
    // further up is never taken.
    fs::path folder = programPath.parent_path();
    for (int up = 0; up < 2 && folder.has_parent_path() && folder != folder.root_path(); ++up) {
        folder = folder.parent_path();
        fs::path share = folder / "share";
        if (fs::is_directory(share / kDataFolderName, ec))
            return share;
    }
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

} // namespace lumbra
