// The "Source" pane: the text of the current module's file with line and block numbers, block
// figures or the branch chart, folding, selection and copying. The logic lives in SourceView;
// this widget paints its frame (only the visible rows) and hands it the mouse, keys and wheel.
//
// The program calls ShowTarget() whenever AppCore::Source() changes and Clear() when the
// analysis is cleared; the pane writes its "%d / %d" into status pane AppCore::kPaneSource.
#pragma once

#include <QAbstractScrollArea>
#include <QFont>
#include <string>

#include "SourceView.h"

namespace lumbra::gui {

class TLumbra32App;

class TSourceWin final : public QAbstractScrollArea {
    Q_OBJECT
public:
    TSourceWin(TLumbra32App& app, QWidget* parent);

    // Shows the program's source target (file and line); an empty path clears the pane.
    void ShowTarget();
    // A target that came while a worker owned the engine is shown once it is free.
    void ShowDeferred();
    void Clear();
    const std::string& ShownPath() const { return view_.Path(); }
    // The first line shown, 1-based (0 when nothing is shown).
    int FirstVisibleLine() const;
    SourceView& View() { return view_; }
    // The settings changed (display switches, colours, font): redraw with them.
    void Redraw();
    // The default folding changed: the shown file folds again.
    void Refold();

    // "Source Copy": the selection to the clipboard. False when nothing is selected.
    bool CopySelection();
    // "Select All Line".
    void SelectAll();
    // "Enable Line Output": asks for a path and writes the shown file's enabled lines there.
    void LineOutput();
    // Writes the enabled lines to `path` (replacing it atomically); tells the user on failure.
    bool WriteLineOutput(const std::string& path);
    // The figures as the pane last painted them.
    const SourceFrame& LastFrame() const { return frame_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void enterEvent(QEnterEvent* event) override;

private:
    void applySettings();
    void updateGeometry();
    void afterChange();
    void updateScrollBars();
    void showPosition();

    TLumbra32App& app_;
    SourceView view_;
    SourceFrame frame_;
    QFont font_;
    bool syncing_ = false;
    bool deferred_ = false;
};

} // namespace lumbra::gui
