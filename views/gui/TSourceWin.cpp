// The source pane.
#include "TSourceWin.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QWheelEvent>
#include <new>

#include "AppCore.h"
#include "AtomicFile.h"
#include "ChartPainter.h"
#include "CommandMenu.h"
#include "CommandSet.h"
#include "CommandTable.h"
#include "Lang.h"
#include "SourceLineOutput.h"
#include "SourcePainter.h"
#include "TLumbra32App.h"
#include "TMainFrame.h"
#include "UiText.h"

namespace lumbra::gui {

TSourceWin::TSourceWin(TLumbra32App& app, QWidget* parent)
    : QAbstractScrollArea(parent), app_(app) {
    setObjectName("TSourceWin");
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    applySettings();
}

void TSourceWin::applySettings() {
    const Settings& s = app_.Core().GetSettings();
    font_ = FontFrom(s.fonts[kFontSource]);
    // Columns line up only in a fixed-pitch font; the hint picks one when the face is missing.
    font_.setStyleHint(QFont::TypeWriter);
    view_.SetOptions(SourceOptionsFrom(s));
    updateGeometry();
}

void TSourceWin::updateGeometry() {
    const QFontMetrics metrics(font_);
    view_.SetGeometry(metrics.height(), metrics.horizontalAdvance(QLatin1Char('8')),
                      viewport()->width(), viewport()->height());
}

void TSourceWin::Clear() {
    view_.Clear();
    afterChange();
}

void TSourceWin::ShowDeferred() {
    if (deferred_)
        ShowTarget();
}

void TSourceWin::ShowTarget() {
    deferred_ = false;
    AppCore& core = app_.Core();
    const SourceTarget& target = core.Source();
    if (target.path.empty()) {
        Clear();
        return;
    }
    applySettings();
    if (target.path != view_.Path()) {
        if (core.Busy()) {
            // The file's line words are being written: read them when the worker is done.
            deferred_ = true;
            return;
        }
        SourceDocument document;
        SourceLines lines;
        if (!LoadSourceDocument(core.Engine(), core.GetSettings(), target.path, document, lines)) {
            Clear(); // an unreadable file shows nothing
            return;
        }
        view_.Show(std::move(document), std::move(lines));
        updateGeometry();
    }
    int first = 0, last = 0;
    if (target.moduleId != 0 && !core.Busy())
        if (const ModuleRecord* m = core.Engine().GetModule(target.moduleId); m && m->line > 0) {
            first = m->line;
            last = m->line + std::max(m->total(), 1) - 1;
        }
    view_.SetTarget(target.line, first, last);
    view_.ShowTargetPosition();
    afterChange();
}

void TSourceWin::Redraw() {
    applySettings();
    afterChange();
}

void TSourceWin::Refold() {
    applySettings();
    view_.Refold();
    afterChange();
}

int TSourceWin::FirstVisibleLine() const {
    return view_.Empty() ? 0 : view_.Lines().FirstLineOfRow(view_.TopRow()) + 1;
}

void TSourceWin::afterChange() {
    updateScrollBars();
    viewport()->update();
}

void TSourceWin::showPosition() {
    app_.Core().SetStatusPane(AppCore::kPaneSource,
                              view_.Empty() ? std::string() : view_.PositionText());
}

void TSourceWin::updateScrollBars() {
    syncing_ = true;
    const SourceGeometry& g = view_.Geometry();
    verticalScrollBar()->setRange(0, view_.MaxTopRow());
    verticalScrollBar()->setPageStep(std::max(g.clientHeight / g.rowHeight - 1, 1));
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setValue(view_.TopRow());
    horizontalScrollBar()->setRange(0, view_.ColumnRange());
    horizontalScrollBar()->setPageStep(std::max(g.columnsPerPage - 1, 1));
    horizontalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setValue(view_.LeftColumn());
    syncing_ = false;
    showPosition();
}

void TSourceWin::scrollContentsBy(int, int) {
    if (syncing_)
        return;
    view_.SetTopRow(verticalScrollBar()->value());
    view_.SetLeftColumn(horizontalScrollBar()->value());
    showPosition();
    viewport()->update();
}

void TSourceWin::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateGeometry();
    updateScrollBars();
}

void TSourceWin::paintEvent(QPaintEvent*) {
    // The frame holds only the visible rows, so a long file or a long line paints as fast as a
    // short one.
    updateGeometry();
    frame_ = view_.Frame();
    const SourcePalette palette = SourcePaletteFrom(app_.Core().GetSettings());
    QPixmap picture(viewport()->size() * devicePixelRatioF());
    picture.setDevicePixelRatio(devicePixelRatioF());
    picture.fill(palette.background);
    {
        QPainter offscreen(&picture);
        // The fold mark is a box with a plus: the style's branch arrow is too faint beside text.
        PaintSource(offscreen, frame_, palette, font_, nullptr, this);
    }
    QPainter painter(viewport());
    painter.drawPixmap(0, 0, picture);
}

bool TSourceWin::CopySelection() {
    if (!view_.HasSelection())
        return false;
    std::string text;
    try {
        text = view_.CopyText();
    } catch (const std::bad_alloc&) {
        app_.Messages().Message(lumbra::tr("Not Enough Memory."), lumbra::tr("Caution"),
                                MessageKind::Warning);
        return false;
    }
    QGuiApplication::clipboard()->setText(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    return true;
}

void TSourceWin::SelectAll() {
    view_.SelectAll();
    viewport()->update();
}

void TSourceWin::LineOutput() {
    if (view_.Empty())
        return;
    const QString path =
        QFileDialog::getSaveFileName(this, UiText("Enable Line Output"),
                                     QString::fromStdString(view_.Path()), UiText("All Files (*)"));
    if (!path.isEmpty())
        WriteLineOutput(path.toStdString());
}

bool TSourceWin::WriteLineOutput(const std::string& path) {
    std::string text, error;
    if (!EnabledLinesOfFile(app_.Core().Engine(), view_.Path(), text)) {
        error = view_.Path();
    } else if (WriteFileAtomically(path, text, error)) {
        return true;
    }
    app_.Messages().Message(Format(lumbra::tr("Cannot write %s: %s"), path.c_str(), error.c_str()),
                            lumbra::tr("Caution"), MessageKind::Warning);
    return false;
}

void TSourceWin::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    view_.Press(at.x(), at.y());
    viewport()->update();
}

void TSourceWin::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const QPoint at = event->position().toPoint();
    // Dragging past the edges scrolls.
    if (at.y() < 0)
        view_.ScrollRows(-1);
    else if (at.y() >= viewport()->height())
        view_.ScrollRows(1);
    view_.Drag(at.x(), at.y());
    afterChange();
}

void TSourceWin::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    view_.Release(at.x(), at.y());
    afterChange();
    app_.Frame().RefreshCommands();
}

void TSourceWin::enterEvent(QEnterEvent* event) {
    QAbstractScrollArea::enterEvent(event);
    // "Auto Focus": the pane takes the keyboard when the mouse comes over it.
    if (app_.Core().GetSettings().moduleListOption[kListAutoFocus] != 0)
        setFocus(Qt::MouseFocusReason);
}

void TSourceWin::contextMenuEvent(QContextMenuEvent* event) {
    if (view_.Empty())
        return;
    const QPoint at = viewport()->mapFrom(this, event->pos());
    CommandSet& commands = app_.Frame().Commands();
    const std::vector<SourceMenuEntry> entries = view_.ContextMenu(at.y());
    app_.Frame().RefreshCommands();
    if (entries.empty())
        return;
    ExecCommandMenu(this, commands, entries, event->globalPos());
}

void TSourceWin::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Up:
        view_.ScrollRows(-1);
        break;
    case Qt::Key_Down:
        view_.ScrollRows(1);
        break;
    case Qt::Key_PageUp:
        view_.ScrollPages(-1);
        break;
    case Qt::Key_PageDown:
        view_.ScrollPages(1);
        break;
    case Qt::Key_Left:
        view_.ScrollColumns(-1);
        break;
    case Qt::Key_Right:
        view_.ScrollColumns(1);
        break;
    case Qt::Key_Home:
        if (ctrl)
            view_.SetTopRow(0);
        view_.SetLeftColumn(0);
        break;
    case Qt::Key_End:
        if (ctrl)
            view_.SetTopRow(view_.MaxTopRow());
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    afterChange();
}

void TSourceWin::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    const int across = event->angleDelta().x() / 120;
    if (steps == 0 && across == 0)
        return;
    view_.ScrollRows(-steps * QApplication::wheelScrollLines());
    view_.ScrollColumns(-across * 3);
    afterChange();
    event->accept();
}

} // namespace lumbra::gui
