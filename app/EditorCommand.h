// The external editor's command line, built without a toolkit and started without a shell: the
// program and its arguments as separate words, so blanks and quotes in paths need no quoting.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumbra {

struct Settings;

// The pane that asked for the editor (the one that last had the focus).
enum class EditorOrigin : int { ModuleTree = 0, SourcePane = 1, StructurePane = 2 };

// What the panes know when the editor is asked for.
struct EditorRequest {
    EditorOrigin origin = EditorOrigin::StructurePane;
    // Module tree: the chosen file entry's path ("" when none).
    std::string treePath;
    // The selected module's file and first line (path "" when no module is selected).
    std::string modulePath;
    int moduleLine = 0;
    // An entry of the module-information lists named by the request (path "" when none).
    std::string entryPath;
    int entryLine = 0;
    // The file the source pane shows and its first displayed line (path "" when none).
    std::string shownPath;
    int shownLine = 0;
};

struct EditorLaunch {
    enum class Outcome {
        Start,          // start argv
        Nothing,        // nothing to open, or no external editor
        NoModuleChosen, // tell the user "Nodule not select."
    };
    Outcome outcome = Outcome::Nothing;
    std::vector<std::string> argv; // program first
};

// The template with %f/%F (the path), %l/%L (the line), %m/%M (path "+" line) filled in and
// split into words at blanks outside double quotes; quotes group and are removed. Other
// "%x" pairs are dropped. A filled-in path stays one word, whatever characters it holds.
std::vector<std::string> ExpandEditorTemplate(std::string_view option, const std::string& path,
                                              long line);

// The command line for a request under the editor settings ("EditorOpen", "EditorName",
// "EditorOption").
EditorLaunch BuildEditorLaunch(const Settings& settings, const EditorRequest& request);

} // namespace lumbra
