// Actions of the command table.
#include "CommandSet.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QWidget>

#include "CommandTable.h"
#include "Lang.h"
#include "ToolIcons.h"
#include "UiText.h"

namespace lumbra::gui {

CommandSet::CommandSet(QWidget* window) : QObject(window) {
    std::map<int, QActionGroup*> groups;
    for (const CommandInfo& c : Commands()) {
        auto* action = new QAction(UiText(c.caption), window);
        if (!c.hint.empty()) {
            action->setStatusTip(UiText(c.hint));
            action->setToolTip(UiText(c.hint));
        }
        if (!c.shortcut.empty()) {
            action->setShortcut(
                QKeySequence(QString::fromUtf8(c.shortcut.data(), c.shortcut.size())));
            action->setShortcutContext(Qt::WindowShortcut);
        }
        action->setIcon(CommandIcon(c.id));
        if (c.check != CommandCheck::None)
            action->setCheckable(true);
        if (c.check == CommandCheck::Radio) {
            QActionGroup*& group = groups[c.group];
            if (!group)
                group = new QActionGroup(window);
            group->addAction(action);
        }
        action->setEnabled(false);
        window->addAction(action); // shortcuts work while the menu bar is hidden, too
        const int id = c.id;
        connect(action, &QAction::triggered, this, [this, id] { Trigger(id); });
        actions_[c.id] = action;
    }
}

QAction* CommandSet::Action(int id) const {
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void CommandSet::Bind(int id, std::function<void()> run, Predicate enabled, Predicate checked) {
    bindings_[id] = Binding{std::move(run), std::move(enabled), std::move(checked)};
    Refresh();
}

bool CommandSet::Trigger(int id) {
    auto it = bindings_.find(id);
    if (it == bindings_.end() || (it->second.enabled && !it->second.enabled()))
        return false;
    if (interceptor_) {
        const std::function<void(int)> intercept = interceptor_;
        intercept(id);
        return true;
    }
    // The handler may rebind commands: run a copy.
    const std::function<void()> run = it->second.run;
    if (run)
        run();
    Refresh();
    return true;
}

void CommandSet::Refresh() {
    for (auto& [id, action] : actions_) {
        auto it = bindings_.find(id);
        if (it == bindings_.end()) {
            action->setEnabled(false);
            continue;
        }
        const Binding& b = it->second;
        action->setEnabled(!b.enabled || b.enabled());
        if (action->isCheckable() && b.checked)
            action->setChecked(b.checked());
    }
}

} // namespace lumbra::gui
