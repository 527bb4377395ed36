// Where the program's bundled data (the HTML manual) lives: beside an installed program in
// <prefix>/share/lumbra32, or in the source tree's res/ folder for a program run from its build
// tree. Every lookup of bundled data goes through here.
#pragma once

#include <string>
#include <vector>

namespace lumbra {

// The folders looked at, in order, for a program at `programPath`.
std::vector<std::string> DataDirectoryCandidates(const std::string& programPath);
// The first candidate that holds the manual, "" when none does.
std::string DataDirectory(const std::string& programPath);
// The manual's page in the interface language ("" when it is not found); a missing Japanese page
// falls back to the English one.
std::string HelpManualPath(const std::string& programPath, bool japanese);
// The manual's anchor of a command ("cmd-24337"), where context help opens it.
std::string HelpAnchor(int commandId);

} // namespace lumbra
