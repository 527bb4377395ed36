// The structure pane.
#include "TStructWin.h"

#include <QPainter>

#include "TLumbra32App.h"

namespace lumbra::gui {

TStructWin::TStructWin(TLumbra32App& app, QWidget* parent)
    : QAbstractScrollArea(parent), app_(app) {
    setObjectName("TStructWin");
    setFocusPolicy(Qt::StrongFocus);
}

void TStructWin::Reset() {
    viewport()->update();
}

void TStructWin::Redraw() {
    viewport()->update();
}

void TStructWin::Clear() {
    viewport()->update();
}

bool TStructWin::SelectModule(const std::string& name) {
    AppCore& core = app_.Core();
    const TreeRowList& rows = core.Rows();
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows.rowName(rows[i], core.Engine()) == name) {
            core.SetCurrentRow(static_cast<int>(i));
            return true;
        }
    return false;
}

void TStructWin::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    const long bgr = app_.Core().GetSettings().treeColors[0];
    p.fillRect(viewport()->rect(), QColor(bgr & 0xff, (bgr >> 8) & 0xff, (bgr >> 16) & 0xff));
}

} // namespace lumbra::gui
