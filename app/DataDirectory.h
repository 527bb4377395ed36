// Where the program's bundled data (the HTML manual, the icons) lives: beside an installed program
// in <prefix>/share/lumbra32, or in the build tree's staged share/lumbra32 (the same layout).
// No path of the build machine is compiled in. Every lookup of bundled data goes through here, so an
// installed tree can be moved as a whole.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lumbra {

// The name of the program's own folder below "share".
inline constexpr const char* kDataFolderName = "lumbra32";

// The "share" folder that belongs to the program at programPath: PREFIX/share for
// PREFIX/bin/lumbra32, and BUILD/share for the build tree's BUILD/cli/lumbra32-cli and
// BUILD/app/gui/lumbra32 (the build stages the installed layout there). The nearest candidate
// that holds a "lumbra32" folder wins; nullopt when none does.
std::optional<std::filesystem::path> ShareFolder(const std::filesystem::path& programPath);
// ShareFolder/lumbra32/relative when that file or folder exists.
std::optional<std::filesystem::path> FindDataFile(const std::filesystem::path& relative,
                                                  const std::filesystem::path& programPath);
// The same for the running program.
std::optional<std::filesystem::path> ShareFolder();
std::optional<std::filesystem::path> FindDataFile(const std::filesystem::path& relative);

// The folders looked at for the manual, in order, for a program at `programPath`: the share
// folders ShareFolder considers.
std::vector<std::string> DataDirectoryCandidates(const std::string& programPath);
// The first candidate that holds the manual, "" when none does.
std::string DataDirectory(const std::string& programPath);
// The manual's page in the interface language ("" when it is not found); a missing Japanese page
// falls back to the English one.
std::string HelpManualPath(const std::string& programPath, bool japanese);
// The manual's anchor of a command ("cmd-24337"), where context help opens it.
std::string HelpAnchor(int commandId);

} // namespace lumbra
