// The external editor's command line.
#include "EditorCommand.h"

#include "Settings.h"

namespace lumbra {
namespace {

// Words at blanks outside double quotes; appended text never changes the quoting state.
class WordSplitter {
public:
    void Character(char c) {
        if (c == '"') {
            quoted_ = !quoted_;
            open_ = true;
        } else if ((c == ' ' || c == '\t') && !quoted_) {
            Finish();
        } else {
            word_ += c;
            open_ = true;
        }
    }
    void Text(std::string_view text) {
        word_ += text;
        open_ = true;
    }
    void Finish() {
        if (open_)
            words_.push_back(std::move(word_));
        word_.clear();
        open_ = false;
    }
    std::vector<std::string> Words() {
        Finish();
        return std::move(words_);
    }

private:
    std::vector<std::string> words_;
    std::string word_;
    bool quoted_ = false;
    bool open_ = false; // a word has begun (even an empty "")
};

std::string editorProgram(const Settings& settings) {
    const std::string& name = settings.editorName;
    const auto first = name.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string(kDefaultEditor);
    const auto last = name.find_last_not_of(" \t");
    return name.substr(first, last - first + 1);
}

} // namespace

std::vector<std::string> ExpandEditorTemplate(std::string_view option, const std::string& path,
                                              long line) {
    WordSplitter words;
    for (std::size_t i = 0; i < option.size(); ++i) {
        const char c = option[i];
        if (c != '%' || i + 1 >= option.size()) {
            words.Character(c);
            continue;
        }
        switch (option[++i]) {
        case 'f':
        case 'F':
            words.Text(path);
            break;
        case 'l':
        case 'L':
            words.Text(std::to_string(line));
            break;
        case 'm':
        case 'M':
            words.Text(path + "+" + std::to_string(line));
            break;
        default: // an unknown escape: both characters are dropped
            break;
        }
    }
    return words.Words();
}

EditorLaunch BuildEditorLaunch(const Settings& settings, const EditorRequest& request) {
    EditorLaunch launch;
    if (request.origin == EditorOrigin::StructurePane && request.modulePath.empty()) {
        launch.outcome = EditorLaunch::Outcome::NoModuleChosen;
        return launch;
    }
    if (settings.editorOpen == 0)
        return launch;

    std::string path;
    long line = 0;
    switch (request.origin) {
    case EditorOrigin::ModuleTree:
        // The tree's file entry alone, without the template.
        if (request.treePath.empty())
            return launch;
        launch.outcome = EditorLaunch::Outcome::Start;
        launch.argv = {editorProgram(settings), request.treePath};
        return launch;
    case EditorOrigin::SourcePane:
        if (!request.entryPath.empty()) {
            path = request.entryPath;
            line = request.entryLine;
        } else if (!request.modulePath.empty()) {
            path = request.modulePath;
            line = request.moduleLine;
        } else if (!request.shownPath.empty()) {
            path = request.shownPath;
            line = request.shownLine;
        } else {
            return launch;
        }
        break;
    case EditorOrigin::StructurePane:
        path = request.modulePath;
        line = request.moduleLine;
        break;
    }
    launch.outcome = EditorLaunch::Outcome::Start;
    launch.argv.push_back(editorProgram(settings));
    for (std::string& word : ExpandEditorTemplate(settings.editorOption, path, line))
        launch.argv.push_back(std::move(word));
    return launch;
}

} // namespace lumbra
