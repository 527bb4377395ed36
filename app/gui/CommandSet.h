// The main window's commands as actions: one QAction per entry of the command table (caption,
// hint, shortcut, check state), and the handlers that later code binds to them.
//
// Extension point: a window, pane or dialog that carries out a command binds it once, when the
// main window is built:
//
//     frame.Commands().Bind(kCmdOption, [&] { openSetup(); },           // what it does
//                           [&] { return !app.Core().Busy(); },         // when it is enabled
//                           {});                                        // check state, if any
//
// A command without a binding stays disabled. Refresh() re-evaluates every binding; the main
// window calls it whenever the program state changes, so handlers need not.
#pragma once

#include <QObject>
#include <functional>
#include <map>

class QAction;
class QWidget;

namespace lumbra::gui {

class CommandSet final : public QObject {
    Q_OBJECT
public:
    using Predicate = std::function<bool()>;

    // Creates an action for every command of the table; shortcuts work within `window`.
    explicit CommandSet(QWidget* window);

    // The action of a command id, nullptr for an unknown id.
    QAction* Action(int id) const;
    // Gives a command its handler, its enabled test (empty: always enabled) and, for switches
    // and radio groups, its checked test. Binding again replaces the earlier binding.
    void Bind(int id, std::function<void()> run, Predicate enabled = {}, Predicate checked = {});
    bool IsBound(int id) const { return bindings_.count(id) != 0; }
    // Runs a command as its menu entry would (only when bound and enabled).
    bool Trigger(int id);
    // Re-evaluates enabled and checked states.
    void Refresh();
    // While set, a triggered command (bound and enabled) is handed here instead of being
    // carried out (context help); an empty function ends that.
    void SetInterceptor(std::function<void(int id)> interceptor) {
        interceptor_ = std::move(interceptor);
    }

private:
    struct Binding {
        std::function<void()> run;
        Predicate enabled;
        Predicate checked;
    };
    std::map<int, QAction*> actions_;
    std::map<int, Binding> bindings_;
    std::function<void(int id)> interceptor_;
};

} // namespace lumbra::gui
