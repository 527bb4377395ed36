// The external editor command.
#include "ExternalEditor.h"

#include <QFile>
#include <QProcess>

#include "CommandTable.h"
#include "Lang.h"
#include "TLumbra32App.h"
#include "TMainFrame.h"
#include "TMainPnl.h"
#include "TSourceWin.h"
#include "TTreeWin.h"

namespace lumbra::gui {

ExternalEditor::ExternalEditor(TMainFrame& frame, TLumbra32App& app)
    : QObject(&frame), frame_(frame), app_(app) {
    setObjectName("ExternalEditor");
    starter = [](const QString& program, const QStringList& arguments) {
        return QProcess::startDetached(program, arguments);
    };
}

std::string ExternalEditor::treeTarget() const {
    AppCore& core = app_.Core();
    if (core.Busy())
        return {};
    // The module tree's chosen entry: a file (full path or registered name) or a module.
    const std::string& chosen = frame_.Panel().Tree().ChosenText();
    if (!chosen.empty()) {
        NFileAnly& engine = core.Engine();
        const char* path = nullptr;
        if (const int id = engine.FindModuleId(chosen))
            path = engine.GetModuleFilePath(id);
        else if (chosen.find('/') != std::string::npos)
            return chosen;
        else
            path = engine.GetPathByFileName(chosen);
        if (path && *path)
            return path;
    }
    // A heading of the tree: the file last chosen there, if any.
    const SourceTarget& source = core.Source();
    return source.fileChosen ? source.path : std::string();
}

EditorRequest ExternalEditor::CurrentRequest() const {
    EditorRequest r;
    r.origin = static_cast<EditorOrigin>(frame_.Panel().ActivePane());
    AppCore& core = app_.Core();
    r.treePath = treeTarget();
    const int row = core.CurrentRow();
    if (row >= 0 && static_cast<std::size_t>(row) < core.Rows().size()) {
        const int id = core.Rows()[static_cast<std::size_t>(row)].moduleId();
        if (const char* path = core.Engine().GetModuleFilePath(id)) {
            r.modulePath = path;
            r.moduleLine = std::max(core.Engine().GetModuleLine(id), 1);
        }
    }
    TSourceWin& pane = frame_.Panel().Source();
    if (!pane.ShownPath().empty()) {
        r.shownPath = pane.ShownPath();
        r.shownLine = std::max(pane.FirstVisibleLine(), 1);
    }
    return r;
}

void ExternalEditor::Run() {
    const EditorLaunch launch = BuildEditorLaunch(app_.Core().GetSettings(), CurrentRequest());
    switch (launch.outcome) {
    case EditorLaunch::Outcome::Nothing:
        return;
    case EditorLaunch::Outcome::NoModuleChosen:
        app_.Messages().Message(lumbra::tr("Nodule not select."), lumbra::tr("Caution"),
                                MessageKind::Warning);
        return;
    case EditorLaunch::Outcome::Start:
        break;
    }
    // Paths are bytes of the file system; the editor program's name is the settings' text.
    const QString program = QString::fromUtf8(launch.argv.front().c_str());
    QStringList arguments;
    for (std::size_t i = 1; i < launch.argv.size(); ++i)
        arguments << QFile::decodeName(launch.argv[i].c_str());
    if (!starter(program, arguments))
        app_.Messages().Message(
            Format(lumbra::tr("The editor %s could not be started."), launch.argv.front().c_str()),
            lumbra::tr("Caution"), MessageKind::Warning);
}

void InstallEditorCommand(TMainFrame& frame, TLumbra32App& app) {
    auto* editor = new ExternalEditor(frame, app);
    frame.Commands().Bind(
        kCmdEditor, [editor] { editor->Run(); }, [core = &app.Core()] { return !core->Busy(); });
}

ExternalEditor* FindExternalEditor(TMainFrame& frame) {
    return frame.findChild<ExternalEditor*>("ExternalEditor", Qt::FindDirectChildrenOnly);
}

} // namespace lumbra::gui
