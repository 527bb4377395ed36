// The "Structure" pane: the calling tree drawn as a chart of boxes. The chart's logic lives in
// StructChart; this widget paints its figures and hands it the mouse, keys and wheel.
#pragma once

#include <QAbstractScrollArea>
#include <QPixmap>
#include <string>

#include "StructChart.h"

namespace lumbra::gui {

class TLumbra32App;

class TStructWin final : public QAbstractScrollArea {
    Q_OBJECT
public:
    TStructWin(TLumbra32App& app, QWidget* parent);

    StructChart& Chart() { return chart_; }
    // Rebuild and show: the rows changed; the chart starts at row 0, level 0.
    void Reset();
    // Redraws with the current rows and settings.
    void Redraw();
    // Empties the chart.
    void Clear();
    // Makes the first box of a module (name in the internal code page) the current row and
    // scrolls to it; false when no box shows it.
    bool SelectModule(const std::string& name);
    // "Structure Text Output": the whole tree as text on the clipboard.
    void CopyText();
    // The figures as the pane last painted them.
    const ChartFrame& LastFrame() const { return frame_; }
    // The centre of a row's box on the viewport (for clicks), or (-1, -1) when not shown.
    QPoint BoxCentre(std::size_t index) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void enterEvent(QEnterEvent* event) override;

private:
    void applyFont();
    void updateGeometry();
    void updateScrollBars();
    void afterChange();

    TLumbra32App& app_;
    StructChart chart_;
    ChartFrame frame_;
    QFont font_;
    QPixmap lastPicture_; // shown while a worker owns the engine
    bool syncing_ = false;
};

} // namespace lumbra::gui
