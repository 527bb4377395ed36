// The module tree pane.
#include "TTreeWin.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>

#include "CommandSet.h"
#include "CommandTable.h"
#include "Lang.h"
#include "ModuleTreeModel.h"
#include "TLumbra32App.h"
#include "TMainFrame.h"

namespace lumbra::gui {

TTreeWin::TTreeWin(TLumbra32App& app, QWidget* parent)
    : QTreeView(parent), app_(app), model_(new ModuleTreeModel(this)) {
    setObjectName("TTreeWin");
    setModel(model_);
    setHeaderHidden(true);
    setUniformRowHeights(true); // keeps a list of 100,000 modules fast
    setRootIsDecorated(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { chosen(current); });
}

void TTreeWin::Refill() {
    chosen_.clear();
    const AppCore& core = app_.Core();
    model_->Reset(&core.Navigator(), core.Engine().GetTextReadSettings().codePage);
    if (!core.Navigator().top.empty())
        expand(model_->RootIndex(ModuleTreeModel::kTop));
}

void TTreeWin::chosen(const QModelIndex& index) {
    if (!index.isValid())
        return;
    chosen_ = model_->Text(index);
    app_.Core().SelectNavigatorEntry(chosen_);
    app_.Frame().RefreshCommands();
}

void TTreeWin::contextMenuEvent(QContextMenuEvent* event) {
    // Only a file entry offers the editor and the line output, and only with an editor.
    const QModelIndex index = indexAt(event->pos());
    if (!index.isValid() || index.internalId() != ModuleTreeModel::kFile + 1 ||
        !app_.Core().GetSettings().editorOpen)
        return;
    QMenu menu(this);
    CommandSet& commands = app_.Frame().Commands();
    menu.addAction(commands.Action(kCmdEditor));
    menu.addAction(commands.Action(kCmdSourceLineOutput));
    menu.exec(event->globalPos());
}

} // namespace lumbra::gui
