// Paints the figures of the source pane (SourceView::Frame) with QPainter: the pane and, later,
// the printout share it.
#pragma once

#include <QColor>
#include <QFont>

#include "SourceView.h"

class QPainter;
class QStyle;
class QWidget;

namespace lumbra {
struct Settings;
} // namespace lumbra

namespace lumbra::gui {

// Colours from [Color] "Tree" and "PenSize".
struct SourcePalette {
    QColor background; // 0
    QColor text;       // 1: ordinary lines and the line numbers
    QColor selection;  // 2: selected text, the current module's numbers
    QColor line;       // 4: separators
    QColor definition; // 5
    QColor comment;    // 6
    QColor directive;  // 7
    QColor highlight;  // 8: the chosen block or branch, the target mark
    QColor inactive;   // 9
    QColor call;       // 11
    QColor figure;     // 12: block figures and the branch chart
    int penSize = 1;

    QColor Ink(SourceInk ink) const;
};
SourcePalette SourcePaletteFrom(const Settings& settings);

// Paints one page. `style` draws the fold marks as the style's tree branch indicator (nullptr:
// small boxes with a plus, as on paper); `widget` is handed to the style.
void PaintSource(QPainter& painter, const SourceFrame& frame, const SourcePalette& palette,
                 const QFont& font, const QStyle* style, const QWidget* widget);

} // namespace lumbra::gui
