// The source pane: the text of the current module's file, read-only, scrolled to the module's
// line.
//
// Extension point: the full source view (line and block numbers, block figures, folding,
// selection, its commands) replaces this class under the same name and constructor; the
// program calls ShowTarget() whenever AppCore::Source() changes and Clear() when the analysis
// is cleared, and the pane writes its "%d / %d" into status pane AppCore::kPaneSource.
#pragma once

#include <QPlainTextEdit>
#include <string>

namespace lumbra::gui {

class TLumbra32App;

class TSourceWin final : public QPlainTextEdit {
    Q_OBJECT
public:
    TSourceWin(TLumbra32App& app, QWidget* parent);

    // Shows the program's source target (file and line); an empty path clears the pane.
    void ShowTarget();
    void Clear();
    const std::string& ShownPath() const { return path_; }
    // The first line shown, 1-based (0 when nothing is shown).
    int FirstVisibleLine() const;

private:
    void showPosition();

    TLumbra32App& app_;
    std::string path_;
    int lineCount_ = 0;
};

} // namespace lumbra::gui
