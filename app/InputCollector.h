// Turns the paths a user names (files and folders) into the list of files to register.
#pragma once

#include <string>
#include <vector>

#include "FileInput.h"
#include "ProjectPath.h"

namespace lumbra {

struct CollectedInput {
    std::vector<std::string> files;  // in the order to register them
    std::vector<std::string> errors; // one readable message per path that could not be used
};

// A file is taken as given (its kind is decided at registration). A folder contributes every
// regular file below it whose extension the table knows, in sorted path order; other files are
// skipped silently, and so are hidden folders (".git", ".vs", ...) and, inside a git work tree,
// what its ignore rules ignore. A folder holding more than `folderLimit` such files contributes
// none, with a message.
CollectedInput CollectInputs(const std::vector<std::string>& paths, const ExtensionTable& table,
                             std::size_t folderLimit = kMaxExpandedFiles);

} // namespace lumbra
