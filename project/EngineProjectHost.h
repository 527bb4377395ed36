// A project host over a bare engine: listed files are registered as batch input. Serves the
// command line and tests; the desktop program adds its progress display and views.
#pragma once

#include <functional>

#include "FileInput.h"
#include "ProjectOpen.h"

namespace lumbra {

class NFileAnly;
class ProjectSettingsStore;

class EngineProjectHost : public ProjectHost {
public:
    // `options` is read at each registration, so settings a ".prj" loads take effect.
    EngineProjectHost(NFileAnly& engine, MessageSink& messages, const FileInputOptions& options);

    // Clear the engine's files when a project starts loading (the desktop program does; the
    // command line gathers the files of all its inputs).
    bool clearOnLoad = false;
    // Settings of a ".prj"; nullptr: they are not loaded.
    ProjectSettingsStore* settings = nullptr;
    // Receives the one-line notices.
    std::function<void(const std::string&)> notice;
    std::function<void(const std::string&)> addRecent;
    // Receives the constants and include folders a project gives its files.
    std::function<void(const BuildDefinitions&)> buildDefinitions;

    MessageSink& Messages() override { return messages_; }
    TextReadSettings ReadSettings() const override;
    void AddRecent(const std::string& projectPath) override;
    void LoadProjectSettings(const std::string& prjPath) override;
    void SetBuildDefinitions(const BuildDefinitions& definitions) override;
    void BeginLoading() override;
    void LoadFile(const std::string& path) override;
    int LoadedFileCount() const override { return loaded_; }
    void EndLoading(bool complete) override { completed_ = complete; }
    void OpenSourceFile(const std::string& path) override;
    void SetProjectFolder(const std::string& folder) override { projectFolder_ = folder; }
    void Notice(const std::string& text) override;

    bool completed() const { return completed_; }
    const std::string& projectFolder() const { return projectFolder_; }

private:
    NFileAnly& engine_;
    MessageSink& messages_;
    const FileInputOptions& options_;
    int loaded_ = 0;
    bool completed_ = false;
    std::string projectFolder_;
};

} // namespace lumbra
