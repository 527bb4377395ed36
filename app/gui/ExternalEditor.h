// "Editor" (Ctrl+E and the panes' context menus): opens the file of the pane that last had the
// focus in the external editor, started directly (no shell) and detached.
#pragma once

#include <QObject>
#include <QStringList>
#include <functional>

#include "EditorCommand.h"

namespace lumbra::gui {

class TLumbra32App;
class TMainFrame;

class ExternalEditor final : public QObject {
    Q_OBJECT
public:
    ExternalEditor(TMainFrame& frame, TLumbra32App& app);

    // What the panes know now, for the pane that last had the focus.
    EditorRequest CurrentRequest() const;
    // Builds the command line and starts it; tells the user when nothing is selected or the
    // editor could not be started.
    void Run();

    // Starts a program detached; QProcess::startDetached unless a test replaces it.
    std::function<bool(const QString& program, const QStringList& arguments)> starter;

private:
    // The module tree's target: its chosen file, or the file of its chosen module.
    std::string treeTarget() const;

    TMainFrame& frame_;
    TLumbra32App& app_;
};

void InstallEditorCommand(TMainFrame& frame, TLumbra32App& app);
ExternalEditor* FindExternalEditor(TMainFrame& frame);

} // namespace lumbra::gui
