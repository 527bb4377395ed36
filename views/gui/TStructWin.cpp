// The structure pane.
#include "TStructWin.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include "ChartPainter.h"
#include "CommandMenu.h"
#include "CommandSet.h"
#include "CommandTable.h"
#include "TLumbra32App.h"
#include "TMainFrame.h"
#include "UiText.h"

namespace lumbra::gui {

TStructWin::TStructWin(TLumbra32App& app, QWidget* parent)
    : QAbstractScrollArea(parent), app_(app), chart_(app.Core()) {
    setObjectName("TStructWin");
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    applyFont();
}

void TStructWin::applyFont() {
    font_ = FontFrom(app_.Core().GetSettings().fonts[kFontTree]);
    updateGeometry();
}

void TStructWin::updateGeometry() {
    // The character width is the width of the digit "8" in the tree font.
    const QFontMetrics metrics(font_);
    chart_.SetGeometry(metrics.height(), metrics.horizontalAdvance(QLatin1Char('8')),
                       viewport()->width(), viewport()->height());
}

void TStructWin::Reset() {
    applyFont();
    chart_.Reset();
    afterChange();
}

void TStructWin::Redraw() {
    applyFont();
    chart_.Renumber();
    afterChange();
}

void TStructWin::Clear() {
    chart_.Clear();
    lastPicture_ = QPixmap();
    afterChange();
}

void TStructWin::afterChange() {
    updateScrollBars();
    viewport()->update();
}

void TStructWin::updateScrollBars() {
    // Qt's scroll bars take the full row count; no 16-bit position to extend.
    syncing_ = true;
    const int rows = chart_.DisplayRows();
    verticalScrollBar()->setRange(0, std::max(rows - 1, 1));
    verticalScrollBar()->setPageStep(std::max(chart_.Layout().rowsPerPage - 1, 1));
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setValue(chart_.TopRow());
    horizontalScrollBar()->setRange(0, kChartMaxLeftLevel);
    horizontalScrollBar()->setPageStep(1);
    horizontalScrollBar()->setValue(chart_.LeftLevel());
    syncing_ = false;
    app_.Core().SetStatusPane(AppCore::kPaneStructure,
                              app_.Core().Rows().empty() ? std::string() : chart_.PositionText());
}

void TStructWin::scrollContentsBy(int, int) {
    if (syncing_)
        return;
    chart_.SetTopRow(verticalScrollBar()->value());
    chart_.SetLeftLevel(horizontalScrollBar()->value());
    app_.Core().SetStatusPane(AppCore::kPaneStructure, chart_.PositionText());
    viewport()->update();
}

void TStructWin::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateGeometry();
    updateScrollBars();
}

void TStructWin::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const ChartPalette palette = ChartPaletteFrom(app_.Core().GetSettings());
    if (app_.Core().Busy()) {
        // The engine belongs to a worker: show the last picture until the new rows arrive.
        painter.fillRect(viewport()->rect(), palette.background);
        if (!lastPicture_.isNull())
            painter.drawPixmap(0, 0, lastPicture_);
        return;
    }
    updateGeometry();
    const int rowsBefore = chart_.DisplayRows();
    frame_ = chart_.Frame();
    QPixmap picture(viewport()->size() * devicePixelRatioF());
    picture.setDevicePixelRatio(devicePixelRatioF());
    picture.fill(palette.background);
    {
        QPainter offscreen(&picture);
        PaintChart(offscreen, frame_, palette, font_, style(), this);
    }
    painter.drawPixmap(0, 0, picture);
    lastPicture_ = picture;
    if (frame_.displayRows != rowsBefore)
        updateScrollBars();
    else
        app_.Core().SetStatusPane(AppCore::kPaneStructure, app_.Core().Rows().empty()
                                                               ? std::string()
                                                               : chart_.PositionText());
}

QPoint TStructWin::BoxCentre(std::size_t index) const {
    const ChartLayout& l = chart_.Layout();
    const TreeRowList& rows = app_.Core().Rows();
    if (index >= rows.size())
        return {-1, -1};
    const TreeRow& row = rows[index];
    const int displayRow = row.row - chart_.TopRow();
    if (displayRow < 0 || displayRow >= l.rowsPerPage)
        return {-1, -1};
    return {l.leftMargin + (row.level - chart_.LeftLevel()) * l.levelPitch + l.boxWidth / 2,
            l.topMargin + displayRow * l.rowPitch + l.boxHeight / 2};
}

bool TStructWin::SelectModule(const std::string& name) {
    AppCore& core = app_.Core();
    const TreeRowList& rows = core.Rows();
    chart_.Renumber();
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows.rowName(rows[i], core.Engine()) == name) {
            chart_.SelectRow(i);
            afterChange();
            return true;
        }
    return false;
}

void TStructWin::CopyText() {
    const std::string text = chart_.Text();
    QGuiApplication::clipboard()->setText(Utf8(text));
    afterChange();
}

void TStructWin::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    if (chart_.Click(at.x(), at.y())) {
        afterChange();
        app_.Frame().RefreshCommands();
    }
}

void TStructWin::enterEvent(QEnterEvent* event) {
    QAbstractScrollArea::enterEvent(event);
    // "Auto Focus": the pane takes the keyboard when the mouse comes over it.
    if (app_.Core().GetSettings().moduleListOption[kListAutoFocus] != 0)
        setFocus(Qt::MouseFocusReason);
}

void TStructWin::contextMenuEvent(QContextMenuEvent* event) {
    if (app_.Core().Busy())
        return;
    const QPoint at = viewport()->mapFrom(this, event->pos());
    ExecCommandMenu(this, app_.Frame().Commands(),
                    chart_.ContextMenu(at.x(), app_.Core().GetSettings().editorOpen != 0),
                    event->globalPos());
}

void TStructWin::keyPressEvent(QKeyEvent* event) {
    if (app_.Core().Busy() || app_.Core().Rows().empty()) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    CommandSet& commands = app_.Frame().Commands();
    switch (event->key()) {
    case Qt::Key_Up:
        if (ctrl)
            commands.Trigger(kCmdMoveUpper);
        else if (shift)
            commands.Trigger(kCmdMoveSameUpper);
        else
            chart_.ScrollRows(-1);
        break;
    case Qt::Key_Down:
        if (shift)
            commands.Trigger(kCmdMoveSameLower);
        else if (!ctrl)
            chart_.ScrollRows(1);
        break;
    case Qt::Key_PageUp:
        chart_.ScrollPages(-1);
        break;
    case Qt::Key_PageDown:
        chart_.ScrollPages(1);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    afterChange();
}

void TStructWin::wheelEvent(QWheelEvent* event) {
    if (app_.Core().Busy())
        return;
    const int steps = event->angleDelta().y() / 120;
    if (steps == 0)
        return;
    chart_.Wheel(-steps, QApplication::wheelScrollLines());
    afterChange();
    event->accept();
}

} // namespace lumbra::gui
