// The settings a ".prj" carries after its file list, as the project code sees them: the
// settings layer above implements this, so projects can load and save settings without
// depending on it.
#pragma once

#include <string>

namespace lumbra {

class ProjectSettingsStore {
public:
    virtual ~ProjectSettingsStore() = default;
    // Loads every setting a project carries from the file and applies it.
    virtual void LoadFromProject(const std::string& prjPath) = 0;
    // Writes every setting a project carries into the file, which already holds its "[Files]"
    // section; that section must survive. False when the file could not be written.
    virtual bool SaveToProject(const std::string& prjPath) = 0;
};

} // namespace lumbra
