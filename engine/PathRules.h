// Path rules for names read from sources and projects written on Windows: backslashes as folder
// separators and names whose letter case differs from the files on disk.
#pragma once

#include <string>
#include <string_view>

namespace lumbra {

// Turns every backslash into '/', except a byte that is the trail byte of a Shift-JIS character
// when the internal code page is 932.
std::string ToSlashes(std::string_view text, bool codePage932);

// True when `path` names an existing regular file.
bool IsRegularFile(const std::string& path);

// The existing regular file whose path matches `path` component by component without regard to
// ASCII letter case (an exact component is preferred); "" when there is none. "." and ".." steps
// are followed as written.
std::string FindPathIgnoringCase(const std::string& path);

} // namespace lumbra
