// The project-open path: a path is dispatched by its extension to the own ".prj" or an IDE
// project reader, and the files it lists are handed to the analysis.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "BuildDefinitions.h"
#include "TextInput.h"

namespace lumbra {

class CNvPrjFile;
class MessageSink;

enum class ProjectFormat {
    Prj,               // own project file
    VisualStudio,      // .vcproj .vbproj .csproj .vjsproj
    VisualCpp6,        // .dsp
    VisualBasic6,      // .vbp
    CppBuilder,        // .bpr
    CppBuilderMsbuild, // .cbproj
    Delphi,            // .dpr
    Hew,               // .hwp
    AndroidManifest,   // any .xml
    CsPlus,            // .mtpj
    VisualCppMsbuild,  // .vcxproj .vcxitems
    Solution,          // .sln
    CompileDatabase,   // compile_commands.json
};

// The format of a project path by its extension (letters A-Z lower-cased, compared exactly),
// or for a compilation database by its name; nothing for a path that is no project.
std::optional<ProjectFormat> LookupProjectFormat(std::string_view path);
inline bool IsProjectFile(std::string_view path) {
    return LookupProjectFormat(path).has_value();
}

// Whether a solution's project of this format is read with it.
bool IsSolutionMember(ProjectFormat format);

// Runs the reader of one foreign format (not Prj). False when the file could not be read.
bool ReadProject(CNvPrjFile& reader, ProjectFormat format, const std::string& path);

// Where a path to open comes from.
enum class ProjectSource {
    Dialog, // the Open Project dialog: an unknown extension does nothing
    Direct, // command line, recent file, dropped file: an unknown extension opens a source file
};

// What the project-open path needs from the program that owns the analysis. The GUI and the
// command line each supply one; EngineProjectHost serves a bare engine.
class ProjectHost {
public:
    virtual ~ProjectHost() = default;

    virtual MessageSink& Messages() = 0;
    // Reading settings: the internal code page that entries are converted to.
    virtual TextReadSettings ReadSettings() const = 0;
    // Puts the project file at the top of the recent-file list.
    virtual void AddRecent(const std::string& projectPath) {}
    // Loads the settings a ".prj" carries (all sections but the window layout and the recent
    // files).
    virtual void LoadProjectSettings(const std::string& prjPath) {}
    // The constants and include folders the project gives its files (empty for most formats);
    // they replace those of an earlier project and come before BeginLoading.
    virtual void SetBuildDefinitions(const BuildDefinitions& definitions) {}
    // How many files the project lists; comes before BeginLoading.
    virtual void ListedFiles(int count) {}
    // Clears the current analysis and opens the progress display.
    virtual void BeginLoading() = 0;
    // True when the user has cancelled the progress display.
    virtual bool Cancelled() const { return false; }
    // The first pass over one listed file (kind by language setting or extension, without
    // messages). The path names a readable regular file.
    virtual void LoadFile(const std::string& path) = 0;
    // Files registered since BeginLoading.
    virtual int LoadedFileCount() const = 0;
    // complete: the listed files are in, the analysis run completes; otherwise the progress
    // display is closed.
    virtual void EndLoading(bool complete) = 0;
    // A path of no project format opened from the command line, a recent or a dropped file.
    virtual void OpenSourceFile(const std::string& path) = 0;
    // The folder the file dialogs start in from now on (absolute, ending in '/').
    virtual void SetProjectFolder(const std::string& folder) {}
    // One line for the status bar (GUI) or stderr (command line).
    virtual void Notice(const std::string& text) {}
};

struct ProjectOpenResult {
    std::optional<ProjectFormat> format; // nothing: the path was no project
    bool read = false;                   // the project file could be read (and parsed)
    int listed = 0;                      // entries the project named
    int loaded = 0;                      // files registered from it
    bool declined = false; // ".prj": the user answered "No" to an unreadable listed file
    bool notFound = false; // foreign project: no listed file could be registered
};

// Opens one path as a project. Never changes the process's working directory: entries are
// resolved against the project's folder into absolute paths.
ProjectOpenResult OpenProject(const std::string& path, ProjectSource source, ProjectHost& host);

// One entry of the Open Project dialog's filter list: its caption and its patterns.
struct ProjectFilter {
    std::string caption;
    std::vector<std::string> patterns;
};
// The filters in the dialog's order; the XML formats only when `xmlAvailable`.
std::vector<ProjectFilter> ProjectDialogFilters(bool xmlAvailable);

} // namespace lumbra
