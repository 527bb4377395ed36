// A pane's context menu of commands.
#pragma once

#include <QAction>
#include <QMenu>
#include <QPoint>
#include <QWidget>
#include <vector>

#include "CommandSet.h"
#include "UiText.h"

namespace lumbra::gui {

// Shows the entries (id 0 = a separator) at globalPos, each enabled as its command is and
// checked where the entry says so; choosing one triggers its command.
template <typename Entry>
void ExecCommandMenu(QWidget* owner, CommandSet& commands, const std::vector<Entry>& entries,
                     const QPoint& globalPos) {
    QMenu menu(owner);
    for (const Entry& entry : entries) {
        if (entry.id == 0) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(UiText(entry.caption));
        const QAction* command = commands.Action(entry.id);
        action->setEnabled(command && command->isEnabled());
        if (entry.checked) {
            action->setCheckable(true);
            action->setChecked(true);
        }
        const int id = entry.id;
        QObject::connect(action, &QAction::triggered, owner,
                         [&commands, id] { commands.Trigger(id); });
    }
    menu.exec(globalPos);
}

} // namespace lumbra::gui
