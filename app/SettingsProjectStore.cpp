// Project settings through TProfile2.
#include "SettingsProjectStore.h"

#include "TProfile2.h"

namespace lumbra {

SettingsProjectStore::SettingsProjectStore(Settings& settings, const Environment& env,
                                           std::function<void()> applied)
    : settings_(settings), env_(env), applied_(std::move(applied)) {}

void SettingsProjectStore::LoadFromProject(const std::string& prjPath) {
    TProfile2 store;
    store.SetReadOnly(true);
    store.SetFileName(prjPath);
    if (!store.IsReadable())
        return;
    LoadAllSettings(store, settings_, env_);
    if (applied_)
        applied_();
}

bool SettingsProjectStore::SaveToProject(const std::string& prjPath) {
    TProfile2 store;
    store.SetFileName(prjPath);
    // A file the store cannot read would be written without its "[Files]" section.
    if (!store.IsReadable())
        return false;
    return SaveAllSettings(store, settings_);
}

} // namespace lumbra
