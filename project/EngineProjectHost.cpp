// Project loading straight into an engine.
#include "EngineProjectHost.h"

#include "NFileAnly.h"
#include "ProjectSettings.h"

namespace lumbra {

EngineProjectHost::EngineProjectHost(NFileAnly& engine, MessageSink& messages,
                                     const FileInputOptions& options)
    : engine_(engine), messages_(messages), options_(options) {}

TextReadSettings EngineProjectHost::ReadSettings() const {
    return engine_.GetTextReadSettings();
}

void EngineProjectHost::AddRecent(const std::string& projectPath) {
    if (addRecent)
        addRecent(projectPath);
}

void EngineProjectHost::LoadProjectSettings(const std::string& prjPath) {
    if (settings)
        settings->LoadFromProject(prjPath);
}

void EngineProjectHost::SetBuildDefinitions(const BuildDefinitions& definitions) {
    if (buildDefinitions)
        buildDefinitions(definitions);
}

void EngineProjectHost::BeginLoading() {
    if (clearOnLoad)
        engine_.ClearFiles();
    loaded_ = 0;
    completed_ = false;
}

void EngineProjectHost::LoadFile(const std::string& path) {
    // Files of a project are batch input: no unknown-extension message, no recent entry.
    FileInputOptions batch = options_;
    batch.withoutMessages = true;
    loaded_ += InputFiles(engine_, {path}, batch, FileInputHooks{}).registered;
}

void EngineProjectHost::OpenSourceFile(const std::string& path) {
    FileInputHooks hooks;
    hooks.messages = &messages_;
    hooks.addRecent = addRecent;
    InputFiles(engine_, {path}, options_, hooks);
}

void EngineProjectHost::Notice(const std::string& text) {
    if (notice)
        notice(text);
}

} // namespace lumbra
