// The main window: menu bar, toolbar and six-pane status bar built from the command table,
// the main panel with the four panes, recent files, dropped files and the window placement.
//
// Extension points for windows and dialogs that come later:
// - Commands: bind the command id in CommandSet (see CommandSet.h), typically from a function
//   `Install...Commands(TMainFrame&, TLumbra32App&)` called at the end of the constructor
//   (InstallMainCommands in MainCommands.cpp is the example). Menus, toolbar, shortcuts and
//   hints already exist for every command of the table.
// - Modeless windows ("Analyze Information", "Call Information", print preview) are children
//   of the frame, owned by the code that binds their command, and follow the program through
//   the TLumbra32App signals (analysisCompleted, currentRowChanged, analysisCleared, ...).
// - Panes are reached through Panel() (TMainPnl).
#pragma once

#include <QMainWindow>
#include <array>

#include "CommandSet.h"

class QLabel;
class QMenu;
class QToolBar;

namespace lumbra::gui {

class TAnlyProgress;
class TLumbra32App;
class TMainPnl;

class TMainFrame final : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainFrame(TLumbra32App& app);
    ~TMainFrame() override;

    TLumbra32App& App() { return app_; }
    CommandSet& Commands() { return *commands_; }
    TMainPnl& Panel() { return *panel_; }
    TAnlyProgress& ProgressDialog() { return *progress_; }
    QToolBar& ToolBar() { return *toolBar_; }
    // A status-bar pane (AppCore::StatusPaneIndex).
    QLabel& StatusPane(int index) { return *panes_[static_cast<std::size_t>(index)]; }

    // Re-reads what the core says.
    void RefreshStatus();
    void RefreshProgress();
    void RefreshRecentFiles();
    void RefreshCommands();
    // Applies the stored placement ("AttrMain") and keeps it at close.
    void ApplyPlacement();
    void StorePlacement();
    // The toolbar's look after a settings change ("FlatToolBar").
    void ApplyToolBarStyle();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    QMenu* menuAt(const QString& path);

    TLumbra32App& app_;
    CommandSet* commands_;
    TMainPnl* panel_;
    TAnlyProgress* progress_;
    QToolBar* toolBar_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* recentAnchor_ = nullptr; // recent entries are inserted before it
    std::vector<QAction*> recentActions_;
    std::array<QLabel*, 6> panes_{};
    std::map<QString, QMenu*> menus_;
};

} // namespace lumbra::gui
