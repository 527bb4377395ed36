// One compiler command line of a compilation database: its words, and the constants and
// include folders it gives.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "BuildDefinitions.h"

namespace lumbra {

// Splits a command into words as the shell that ran it would: POSIX quoting (single quotes,
// double quotes with backslash escapes, backslash outside quotes); when the compiler is named
// by a Windows path or an ".exe", Windows rules instead (a backslash is literal unless it
// escapes a double quote).
std::vector<std::string> SplitCommandLine(std::string_view command);

// Adds the definitions of one compiler's arguments: "-D NAME[=VALUE]" (joined or separate),
// and "-I", "-isystem", "-iquote" folders (relative ones against `directory`). "/D" and "/I"
// count only for the Microsoft compiler, whose options they are; elsewhere "/D..." is a path.
void CollectBuildDefinitions(const std::vector<std::string>& arguments,
                             const std::string& directory, BuildDefinitions& out);

} // namespace lumbra
