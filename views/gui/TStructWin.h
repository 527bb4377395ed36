// The "Structure" pane: the calling tree drawn as a chart of boxes.
#pragma once

#include <QAbstractScrollArea>
#include <string>

namespace lumbra::gui {

class TLumbra32App;

class TStructWin final : public QAbstractScrollArea {
    Q_OBJECT
public:
    TStructWin(TLumbra32App& app, QWidget* parent);

    // Rebuild and show: the rows changed; the chart starts at row 0, level 0.
    void Reset();
    // Redraws with the current rows and settings.
    void Redraw();
    // Empties the chart.
    void Clear();
    // Makes the first box of a module (name in the internal code page) the current row and
    // scrolls to it; false when no box shows it.
    bool SelectModule(const std::string& name);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TLumbra32App& app_;
};

} // namespace lumbra::gui
