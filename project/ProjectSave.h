// Project Save: writes the analysed files and the settings into the own ".prj" format.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumbra {

class NFileAnly;
class ProjectSettingsStore;

// The name a project is saved under: ".prj" is appended unless the extension, lower-cased, is
// already ".prj" (proj -> proj.prj, proj.PRJ stays, proj.txt -> proj.txt.prj).
std::string ProjectSaveName(std::string_view chosen);

// The engine's files in registration order, by full path.
std::vector<std::string> RegisteredFiles(const NFileAnly& engine);

struct ProjectSaveResult {
    bool ok = false;
    std::string path;  // the file written (or that could not be written)
    std::string error; // why not, for the user
};

// Writes "[Files]" with one path per line, then (with a store) the settings sections. The file
// is assembled beside the target and renamed over it, so a failure leaves an existing project
// as it was.
ProjectSaveResult SaveProject(const std::string& chosen, const std::vector<std::string>& files,
                              ProjectSettingsStore* settings);

} // namespace lumbra
