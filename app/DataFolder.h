// Where both programs find the files they read at run time but do not carry built in (the
// HTML manual, the icons): beside the running program, so an installed tree can be moved as a
// whole and the build tree works without installing.
#pragma once

#include <filesystem>
#include <optional>

namespace lumbra {

// The name of the program's own folder below "share".
inline constexpr const char* kDataFolderName = "lumbra32";

// The "share" folder that belongs to the program at programPath: PREFIX/share for
// PREFIX/bin/lumbra32, and BUILD/share for the build tree's BUILD/cli/lumbra32-cli and
// BUILD/app/gui/lumbra32 (the build stages the same layout there). The nearest candidate that
// holds a "lumbra32" folder wins; nullopt when none does.
std::optional<std::filesystem::path> ShareFolder(const std::filesystem::path& programPath);

// ShareFolder/lumbra32/relative when that file or folder exists.
std::optional<std::filesystem::path> FindDataFile(const std::filesystem::path& relative,
                                                  const std::filesystem::path& programPath);

// The same for the running program.
std::optional<std::filesystem::path> ShareFolder();
std::optional<std::filesystem::path> FindDataFile(const std::filesystem::path& relative);

} // namespace lumbra
