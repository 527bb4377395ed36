// The main window.
#include "TMainFrame.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

#include "CommandTable.h"
#include "ExternalEditor.h"
#include "HelpCommands.h"
#include "InfoWindows.h"
#include "Lang.h"
#include "MainCommands.h"
#include "PrintCommands.h"
#include "SetupCommands.h"
#include "SourceCommands.h"
#include "TAnlyProgress.h"
#include "TLumbra32App.h"
#include "TMainPnl.h"
#include "UiText.h"

namespace lumbra::gui {

TMainFrame::TMainFrame(TLumbra32App& app)
    : app_(app), commands_(new CommandSet(this)), panel_(new TMainPnl(app, this)),
      progress_(new TAnlyProgress(this, [&app] { app.Core().CancelProgress(); })) {
    setObjectName("TMainFrame");
    setWindowTitle("Lumbra32");
    setCentralWidget(panel_);
    setAcceptDrops(true);
    buildMenus();
    buildToolBar();
    buildStatusBar();
    InstallMainCommands(*this, app);
    InstallSetupCommands(*this, app);
    InstallInfoWindows(*this, app);
    InstallSourceCommands(*this, app);
    InstallHelpCommands(*this, app);
    InstallEditorCommand(*this, app);
    InstallPrintCommands(*this, app);
    RefreshRecentFiles();
    RefreshStatus();
}

TMainFrame::~TMainFrame() = default;

QMenu* TMainFrame::menuAt(const QString& path) {
    auto found = menus_.find(path);
    if (found != menus_.end())
        return found->second;
    const int slash = path.lastIndexOf('/');
    const QString caption = UiText(path.mid(slash + 1).toStdString());
    QMenu* menu =
        slash < 0 ? menuBar()->addMenu(caption) : menuAt(path.left(slash))->addMenu(caption);
    menus_[path] = menu;
    return menu;
}

void TMainFrame::buildMenus() {
    int previous = 0;
    for (const MenuEntry& e : MenuLayout()) {
        QMenu* menu = menuAt(QString::fromUtf8(e.path.data(), static_cast<int>(e.path.size())));
        if (e.id == 0) {
            menu->addSeparator();
            if (previous == kRecentFilesAfter) {
                // The recent files go between this separator and their own one.
                fileMenu_ = menu;
                recentAnchor_ = menu->addSeparator();
                recentAnchor_->setVisible(false);
            }
        } else if (QAction* action = commands_->Action(e.id)) {
            menu->addAction(action);
        }
        previous = e.id;
    }
}

void TMainFrame::buildToolBar() {
    toolBar_ = addToolBar(UiText("Tool"));
    toolBar_->setObjectName("Tool");
    toolBar_->setIconSize(QSize(22, 22));
    for (int id : ToolbarLayout()) {
        if (id == 0)
            toolBar_->addSeparator();
        else if (QAction* action = commands_->Action(id))
            toolBar_->addAction(action);
    }
    ApplyToolBarStyle();
}

void TMainFrame::ApplyToolBarStyle() {
    // Raised buttons unless "FlatToolBar" asks for flat ones.
    const bool flat = app_.Core().GetSettings().flatToolBar != 0;
    toolBar_->setStyleSheet(flat ? QString()
                                 : QStringLiteral("QToolButton { border: 1px solid palette(mid);"
                                                  " border-radius: 2px; margin: 1px; }"));
}

void TMainFrame::buildStatusBar() {
    // A general message pane, the selection mode, the view mode, then panes of 12, 6 and 4
    // units for file, structure and source texts.
    const int unit = fontMetrics().averageCharWidth() * 2;
    const int widths[6] = {0, 0, 0, 12 * unit, 6 * unit, 4 * unit};
    for (int i = 0; i < 6; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QString("StatusPane%1").arg(i));
        label->setMinimumWidth(widths[i]);
        label->setContentsMargins(4, 0, 4, 0);
        if (i == 0)
            statusBar()->addWidget(label, 1);
        else
            statusBar()->addPermanentWidget(label);
        panes_[static_cast<std::size_t>(i)] = label;
    }
}

void TMainFrame::RefreshStatus() {
    for (int i = 0; i < AppCore::kPaneCount; ++i)
        panes_[static_cast<std::size_t>(i)]->setText(
            QString::fromUtf8(app_.Core().StatusPane(i).c_str()));
}

void TMainFrame::RefreshProgress() {
    progress_->Show(app_.Core().Progress());
}

void TMainFrame::RefreshRecentFiles() {
    for (QAction* action : recentActions_) {
        fileMenu_->removeAction(action);
        action->deleteLater();
    }
    recentActions_.clear();
    if (!fileMenu_)
        return;
    const std::vector<std::string> recent = app_.Core().RecentFiles();
    for (std::size_t i = 0; i < recent.size(); ++i) {
        auto* action = new QAction(
            QString::fromUtf8(RecentFileCaption(static_cast<int>(i), recent[i]).c_str()), this);
        const std::string path = recent[i];
        connect(action, &QAction::triggered, this, [this, path] {
            if (!app_.Core().Busy())
                app_.Core().OpenPath(path, ProjectSource::Direct);
            RefreshCommands();
        });
        action->setEnabled(!app_.Core().Busy());
        fileMenu_->insertAction(recentAnchor_, action);
        recentActions_.push_back(action);
    }
    recentAnchor_->setVisible(!recent.empty());
}

void TMainFrame::RefreshCommands() {
    commands_->Refresh();
    for (QAction* action : recentActions_)
        action->setEnabled(!app_.Core().Busy());
}

void TMainFrame::ApplyPlacement() {
    const auto& a = app_.Core().GetSettings().attrMain;
    if (a[0] > 0 && a[1] > 0)
        resize(a[0], a[1]);
    // A position off every screen would hide the window.
    const QPoint topLeft(a[2], a[3]);
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().contains(topLeft)) {
            move(topLeft);
            break;
        }
    if (a[4])
        setWindowState(windowState() | Qt::WindowMaximized);
}

void TMainFrame::StorePlacement() {
    auto& a = app_.Core().GetSettings().attrMain;
    const bool maximised = isMaximized();
    const QRect r = maximised ? normalGeometry() : geometry();
    if (r.width() > 0 && r.height() > 0) {
        a[0] = r.width();
        a[1] = r.height();
        a[2] = r.x();
        a[3] = r.y();
    }
    a[4] = maximised ? 1 : 0;
    panel_->StoreProportions(app_.Core().GetSettings());
}

void TMainFrame::closeEvent(QCloseEvent* event) {
    StorePlacement();
    progress_->hide();
    app_.Exit();
    event->accept();
}

void TMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() && !app_.Core().Busy())
        event->acceptProposedAction();
}

void TMainFrame::dropEvent(QDropEvent* event) {
    // Only the first dropped file is taken, and only while no analysis is in progress.
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.front().isLocalFile() || app_.Core().Busy())
        return;
    app_.Core().OpenPath(urls.front().toLocalFile().toStdString(), ProjectSource::Direct);
    event->acceptProposedAction();
    RefreshCommands();
}

} // namespace lumbra::gui
