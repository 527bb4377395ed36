// Paints the figures of the structure chart (StructChart::Frame) with QPainter: the pane, the
// benchmark and, later, the printout share it.
#pragma once

#include <QColor>
#include <QFont>

#include "StructChart.h"

class QPainter;
class QStyle;
class QWidget;

namespace lumbra {
struct FontSetting;
struct Settings;
} // namespace lumbra

namespace lumbra::gui {

// Colours and pen width from [Color] "Tree" and "PenSize".
struct ChartPalette {
    QColor background;   // entry 0
    QColor text;         // 1: names of modules with a start line
    QColor selection;    // 2: the interior of selected boxes
    QColor line;         // 4: connectors and frames
    QColor highlight;    // 8: lines and frames that join the current row to its lower rows
    QColor externalText; // 10: names of modules without a start line (and their frames)
    QColor bar;          // 12: distribution bars
    QColor selectedBar;  // 8: the bar of a selected row
    QColor label;        // 1: distribution labels
    int penSize = 1;
};
ChartPalette ChartPaletteFrom(const Settings& settings);
// 0x00BBGGRR as a colour.
QColor ColorFromBgr(long bgr);

// The font of a [Font] entry: face, pixel height, weight, italic; fixed pitch when asked.
QFont FontFrom(const FontSetting& setting);

// Paints one page. `style` draws the fold marks as the style's tree branch indicator (nullptr:
// small boxes with a plus or minus, as on paper); `widget` is handed to the style.
void PaintChart(QPainter& painter, const ChartFrame& frame, const ChartPalette& palette,
                const QFont& font, const QStyle* style, const QWidget* widget);

} // namespace lumbra::gui
