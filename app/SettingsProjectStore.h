// The settings a ".prj" carries, read and written through the settings store: the bridge that
// lets the project code (a lower layer) load and save settings it knows nothing about.
#pragma once

#include <functional>

#include "ProjectSettings.h"
#include "Settings.h"

namespace lumbra {

class SettingsProjectStore : public ProjectSettingsStore {
public:
    // `applied` runs after settings were loaded from a project (to configure the engine).
    SettingsProjectStore(Settings& settings, const Environment& env,
                         std::function<void()> applied = {});

    // Load all settings from the project file; a file that cannot be read changes nothing.
    void LoadFromProject(const std::string& prjPath) override;
    // Save all settings into the project file, after its "[Files]" section.
    bool SaveToProject(const std::string& prjPath) override;

private:
    Settings& settings_;
    const Environment& env_;
    std::function<void()> applied_;
};

} // namespace lumbra
