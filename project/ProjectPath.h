// Turns the entries of project files, often written on Windows, into paths of this system.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lumbra {

// Lower-cases the letters A to Z only, as every comparison of project texts does.
std::string LowerAscii(std::string_view text);

// True for a path that names an existing regular file this process may read. Never opens the
// path, so a FIFO or a device cannot block the caller.
bool IsReadableRegularFile(const std::string& path);

// The folder of a file as an absolute path ending in '/'.
std::string FolderOf(const std::string& path);

// Wildcards and folders never yield more files than this: past it the expansion stops with a
// message rather than filling memory or running for hours.
inline constexpr std::size_t kMaxExpandedFiles = 200000;

// "C:/..." (a drive) or "//server/..." (a share), with slashes: a path of the Windows machine
// a project was written on.
bool IsWindowsAbsolute(std::string_view path);

// True when an entry holds a wildcard ('*' or '?').
bool HasWildcard(std::string_view entry);
// Matches one path component against a pattern of '*' and '?' without regard to the case of
// the letters A to Z.
bool MatchWildcard(std::string_view pattern, std::string_view name);

// The files a wildcard entry names.
struct WildcardMatch {
    std::vector<std::string> files; // sorted by path
    // More than the limit matched (or the walk gave up on a vast tree); `files` holds what was
    // found until then.
    bool truncated = false;
};

class ProjectPathResolver {
public:
    // `folder` is absolute and ends in '/'. With code page 932 a backslash that is the trail
    // byte of a double-byte character is kept.
    ProjectPathResolver(std::string folder, int codePage);

    const std::string& folder() const { return folder_; }

    // One entry of a project file as a path: backslashes become '/', one leading "./" is
    // dropped, a relative entry is put behind the project folder, an absolute one is kept.
    // When that path does not exist it is looked up one component at a time without regard to
    // case; an absolute entry that still cannot be found is looked for below the project folder
    // by the longest trailing part of it that names a file there (a project moved from another
    // machine). The path is returned as formed when nothing is found.
    std::string Resolve(std::string_view entry);

    // A wildcard entry as the regular files it names, resolved like Resolve: a component with
    // '*' or '?' matches names without regard to case, "**" any number of folders (links to
    // folders are not followed, so a link loop cannot trap the walk).
    WildcardMatch Expand(std::string_view entry, std::size_t limit = kMaxExpandedFiles);

    // Backslashes as separators, nothing else changed.
    std::string ToSlashes(std::string_view entry) const;

    // The path itself when it exists, else its case-insensitive match, else nothing.
    std::optional<std::string> Locate(const std::string& path);

    // Entries (as written in the project) that were found below the project folder instead.
    const std::vector<std::string>& relocated() const { return relocated_; }
    // Adds relocations noted by another resolver (a project read through a solution).
    void AddRelocated(const std::vector<std::string>& entries);

private:
    class Expansion;
    std::optional<std::string> relocate(std::string_view absolute);
    // Lower-cased name -> the name on disk (the first in byte order when several differ only in
    // case), per folder, read once.
    const std::unordered_map<std::string, std::string>& listing(const std::string& dir);

    std::string folder_;
    int codePage_;
    std::unordered_map<std::string, std::unordered_map<std::string, std::string>> listings_;
    std::vector<std::string> relocated_;
};

// The text that names relocated entries in one line: the count and the first few of them.
std::string RelocationNotice(const std::vector<std::string>& relocated);

} // namespace lumbra
