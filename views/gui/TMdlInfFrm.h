// The module-information pane: pages about the current row's module. The "Info." page shows
// its file, line, executable lines and path number.
//
// Extension point: the pages "Nest", "Upper", "Lower", "Define" and "Search" are added here as
// further tabs; Update() is called whenever the current row changes.
#pragma once

#include <QTabWidget>
#include <string>

class QPlainTextEdit;

namespace lumbra {
class NFileAnly;
}

namespace lumbra::gui {

class TLumbra32App;

class TMdlInfFrm final : public QTabWidget {
    Q_OBJECT
public:
    TMdlInfFrm(TLumbra32App& app, QWidget* parent);

    // Fills the pages for the program's current row (empties them without one).
    void Update();
    void Clear();
    QString InfoText() const;

private:
    TLumbra32App& app_;
    QPlainTextEdit* info_;
};

// The "Info." text of a module: "%s\r\n%ldLine\r\nExec Lines = %ld\r\nPath numb = %ld".
std::string ModuleInfoText(const NFileAnly& engine, int moduleId);

} // namespace lumbra::gui
