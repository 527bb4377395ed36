// The source pane's logic: geometry, scrolling, the page's rows, mouse, folding and menu.
#include "SourceView.h"

#include <algorithm>
#include <climits>

#include "CommandTable.h"
#include "Lang.h"

namespace lumbra {

// --- the file ------------------------------------------------------------------------------------

void SourceView::Show(SourceDocument document, SourceLines lines) {
    doc_ = std::move(document);
    lines_ = std::move(lines);
    blocks_.Clear();
    if (doc_.hasBlocks)
        blocks_.Build(lines_);
    selection_ = {};
    highlightBlock_ = branchColumn_ = branchLine_ = menuLine_ = -1;
    topRow_ = leftColumn_ = 0;
    layout();
}

void SourceView::Clear() {
    Show({}, {});
    targetLine_ = 1;
    moduleFirst_ = moduleLast_ = 0;
}

void SourceView::SetTarget(int line, int moduleFirst, int moduleLast) {
    targetLine_ = std::max(line, 1);
    moduleFirst_ = moduleFirst;
    moduleLast_ = moduleLast;
}

void SourceView::ShowTargetPosition() {
    const int context = options_.contextLines;
    const int first = context >= targetLine_ ? 1 : targetLine_ - context;
    ScrollToLine(first - 1);
}

// --- options and geometry ----------------------------------------------------------------------

void SourceView::SetOptions(const SourceOptions& options) {
    options_ = options;
    layout();
}

void SourceView::SetGeometry(int rowHeight, int charWidth, int clientWidth, int clientHeight) {
    geometry_.rowHeight = std::max(rowHeight, 4);
    geometry_.charWidth = std::max(charWidth, 2);
    geometry_.clientWidth = std::max(clientWidth, 0);
    geometry_.clientHeight = std::max(clientHeight, 0);
    layout();
}

void SourceView::layout() {
    SourceGeometry& g = geometry_;
    const int cw = g.charWidth;
    const int digits = options_.lineNumbers ? options_.digits : -1;
    g.separator1 =
        (options_.lineNumbers || options_.blockNumbers) && digits + 1 > 0 ? (digits + 1) * cw : -1;
    g.separator2 = options_.blockNumbers ? (digits + 3) * cw + 2 : -1;
    g.blockNumberX = (digits + 2) * cw + 1;
    // Flowchart symbols stand in their columns and want more room than lines do.
    g.figurePitch = options_.Flowchart() ? std::max(cw * 3 / 2, 9) : std::max(cw + cw / 4, 9);
    g.figureColumns = 0;
    if (options_.figures) {
        if (doc_.hasBlocks && lines_.MaxLevel() > 0)
            g.figureColumns = lines_.MaxLevel() + 1; // heads and marks use the next column
        else if (!doc_.hasBlocks && !doc_.branches.empty())
            g.figureColumns = doc_.branchColumns;
        // A file of runaway nesting must still leave room for its text.
        g.figureColumns = std::min(g.figureColumns, kMaxFigureColumns);
    }
    const int numberEdge = std::max(g.separator1, g.separator2);
    g.figureX = numberEdge >= 0 ? numberEdge + 3 : 2;
    g.textX = g.figureColumns > 0 ? g.figureX + g.figureColumns * g.figurePitch + cw / 2 + 2
                                  : g.figureX + cw / 2;
    g.rowsPerPage = std::max(1, (g.clientHeight + g.rowHeight - 1) / g.rowHeight);
    g.columnsPerPage = std::max(1, (g.clientWidth - g.textX) / cw + 1);
    g.foldMarkSize = std::clamp(g.rowHeight * 3 / 5, 7, 13) | 1;
    clampScroll();
}

// --- scrolling -----------------------------------------------------------------------------------

int SourceView::MaxTopRow() const {
    return std::max(lines_.RowCount() - 1, 0);
}

int SourceView::ColumnRange() const {
    return std::max(lines_.MaxCells(), 50);
}

void SourceView::clampScroll() {
    topRow_ = std::clamp(topRow_, 0, MaxTopRow());
    leftColumn_ = std::clamp(leftColumn_, 0, ColumnRange());
}

void SourceView::SetTopRow(int row) {
    topRow_ = row;
    clampScroll();
}

void SourceView::SetLeftColumn(int column) {
    leftColumn_ = column;
    clampScroll();
}

void SourceView::ScrollToLine(int line) {
    SetTopRow(lines_.RowOfLine(line));
}

void SourceView::ScrollRows(int delta) {
    SetTopRow(topRow_ + delta);
}

void SourceView::ScrollPages(int pages) {
    ScrollRows(pages * std::max(geometry_.clientHeight / geometry_.rowHeight - 1, 1));
}

void SourceView::ScrollColumns(int delta) {
    SetLeftColumn(leftColumn_ + delta);
}

std::string SourceView::PositionText() const {
    const int count = lines_.Count();
    return Format("%d / %d", std::min(lines_.FirstLineOfRow(topRow_) + 1, count), count);
}

// --- drawing -------------------------------------------------------------------------------------

SourceFigures SourceView::figures() const {
    SourceFigures f(lines_, blocks_, doc_, options_, geometry_);
    f.SetHighlight(highlightBlock_, branchColumn_, branchLine_);
    return f;
}

SourceFrame SourceView::Frame() const {
    const SourceFigures figures = this->figures();
    SourceFrame frame;
    frame.geometry = geometry_;
    frame.lineCount = lines_.Count();
    const SourceGeometry& g = geometry_;
    const int cw = g.charWidth;
    const int lastRow = std::min(topRow_ + g.rowsPerPage, lines_.RowCount());
    for (int row = topRow_; row < lastRow; ++row) {
        const int first = lines_.FirstLineOfRow(row);
        const int last = lines_.LastLineOfRow(row);
        const SourceLine& line = lines_[first];
        SourceRowFrame r;
        r.y = (row - topRow_) * g.rowHeight;
        r.line = first;
        if (options_.lineNumbers)
            r.number = Format("%*d ", options_.digits, first + 1);
        r.moduleLine = options_.moduleNumbers && moduleFirst_ > 0 && first + 1 >= moduleFirst_ &&
                       first + 1 <= moduleLast_;
        r.target =
            options_.contextLines != 0 && targetLine_ - 1 >= first && targetLine_ - 1 <= last;
        if (options_.blockNumbers) {
            const int start = figures.RowEndLevel(row - 1), end = figures.RowEndLevel(row);
            r.blockNumber = "   ";
            if (line_word::Active(line.word) && end != start) {
                const int level = end > start ? end : end + 1;
                r.blockNumber[1] = kSourceLevelChars[std::min(level, 61)];
                // A bracket left of the number, clear of the separator: an opening one turns
                // down from the top, a closing one comes down to the bottom.
                const int bx = std::max(g.separator1, 0) + cw / 4 + 1;
                const int y0 = r.y + 1, ym = r.y + g.rowHeight / 2, y1 = r.y + g.rowHeight - 1;
                if (end > start) {
                    frame.lines.push_back({bx, y0, bx + cw / 2, y0, FigurePen::Solid, false});
                    frame.lines.push_back({bx, y0, bx, ym, FigurePen::Solid, false});
                } else {
                    frame.lines.push_back({bx, ym, bx, y1, FigurePen::Solid, false});
                    frame.lines.push_back({bx, y1, bx + cw / 2, y1, FigurePen::Solid, false});
                }
            }
        }
        r.textX = g.textX;
        r.text = lines_.ColumnText(first, leftColumn_, leftColumn_ + g.columnsPerPage + 1);
        r.ink = InkOf(line.word);
        for (int l = first; l <= last && !r.selected; ++l) {
            if (!selection_.HoldsLine(l))
                continue;
            int from = 0, to = INT_MAX;
            selection_.ColumnsOf(l, from, to);
            r.selectionX1 = g.textX + std::max(from - leftColumn_, 0) * cw;
            r.selectionX2 = to == INT_MAX || l != first
                                ? g.clientWidth
                                : g.textX + std::max(to - leftColumn_, 0) * cw;
            r.selected = r.selectionX2 > r.selectionX1 || selection_.kind != kSelectPart;
            if (r.selectionX2 <= r.selectionX1)
                r.selectionX2 = r.selectionX1 + cw / 2; // an empty line still shows it
        }
        if (line.folded() && doc_.hasBlocks) {
            r.folded = true;
            r.foldTextX = g.textX + std::max(line.cells - leftColumn_, 0) * cw;
            r.foldMarkX = r.foldTextX + 6 * cw + cw / 2 + g.foldMarkSize / 2;
        }
        if (g.figureColumns > 0 && doc_.hasBlocks)
            figures.AddRow(frame, row, r.y);
        frame.rows.push_back(std::move(r));
    }
    if (g.figureColumns > 0 && !doc_.hasBlocks)
        figures.AddBranchChart(frame, topRow_);
    return frame;
}

// --- mouse ---------------------------------------------------------------------------------------

int SourceView::LineAt(int y) const {
    if (y < 0 || lines_.Empty())
        return -1;
    const int row = topRow_ + y / geometry_.rowHeight;
    return row < lines_.RowCount() ? lines_.FirstLineOfRow(row) : -1;
}

int SourceView::ColumnAt(int x) const {
    const SourceGeometry& g = geometry_;
    return std::max(0, leftColumn_ + (x - g.textX + g.charWidth / 2) / g.charWidth);
}

void SourceView::Press(int x, int y) {
    pressed_ = true;
    dragged_ = false;
    pressX_ = x;
    pressY_ = y;
    pressInText_ = x >= geometry_.textX;
    const int line = LineAt(y);
    if (line < 0)
        return;
    if (x < geometry_.figureX || (geometry_.figureColumns == 0 && !pressInText_)) {
        // The number column selects whole lines.
        selection_ = {};
        selection_.active = true;
        selection_.kind = kSelectLine;
        selection_.startLine = selection_.endLine = line;
        selection_.endColumn = lines_[line].cells;
    } else if (pressInText_) {
        selection_.startLine = selection_.endLine = line;
        selection_.startColumn = selection_.endColumn = ColumnAt(x);
    }
}

void SourceView::Drag(int x, int y) {
    if (!pressed_ || lines_.Empty())
        return;
    if (std::abs(x - pressX_) < 3 && std::abs(y - pressY_) < 3 && !dragged_)
        return;
    dragged_ = true;
    int line = LineAt(std::clamp(y, 0, std::max(geometry_.clientHeight - 1, 0)));
    if (line < 0)
        line = lines_.Count() - 1;
    const bool wholeLines =
        pressX_ < geometry_.figureX || (geometry_.figureColumns == 0 && !pressInText_);
    if (wholeLines) {
        if (!selection_.active)
            return;
        selection_.endLine = line;
        if (line == selection_.startLine) {
            selection_.kind = kSelectLine;
            return;
        }
        const bool down = line > selection_.startLine;
        selection_.kind = down ? kSelectDown : kSelectUp;
        selection_.startColumn = down ? 0 : lines_[selection_.startLine].cells;
        selection_.endColumn = down ? lines_[line].cells : 0;
        return;
    }
    if (!pressInText_)
        return;
    selection_.active = true;
    selection_.endLine = line;
    selection_.endColumn = ColumnAt(x);
    selection_.kind = line == selection_.startLine  ? kSelectPart
                      : line > selection_.startLine ? kSelectDown
                                                    : kSelectUp;
}

void SourceView::Release(int x, int y) {
    if (!pressed_)
        return;
    pressed_ = false;
    if (dragged_ || lines_.Empty())
        return;
    const SourceGeometry& g = geometry_;
    const int row = topRow_ + y / g.rowHeight;
    const int line = LineAt(y);
    if (line < 0)
        return;
    if (pressInText_) {
        // A click on a folded head's "   ..." or its mark opens the block.
        const SourceLine& l = lines_[line];
        if (l.folded() && doc_.hasBlocks &&
            x >= g.textX + std::max(l.cells - leftColumn_, 0) * g.charWidth) {
            const int keep = lines_.FirstLineOfRow(topRow_);
            lines_.SetFolded(line, false);
            ScrollToLine(keep);
        }
        selection_ = {};
        return;
    }
    if (x < g.figureX || g.figureColumns == 0)
        return;
    const int column = (x - g.figureX) / g.figurePitch + 1;
    if (!doc_.hasBlocks) {
        const int branchColumn = g.figureColumns - column + 1;
        const bool same = branchColumn == branchColumn_ && line == branchLine_;
        branchColumn_ = same ? -1 : branchColumn;
        branchLine_ = same ? -1 : line;
        return;
    }
    (void)row;
    const int b = blocks_.BlockAt(line, column);
    highlightBlock_ = b == highlightBlock_ ? -1 : b;
}

void SourceView::SelectAll() {
    selection_ = SelectAllLines(lines_);
}

std::string SourceView::CopyText() const {
    return SelectionText(lines_, selection_);
}

// --- folding -------------------------------------------------------------------------------------

bool SourceView::CanFold() const {
    return options_.folding != 0 && doc_.hasBlocks && !lines_.Empty();
}

void SourceView::afterFolding(bool scrollToTarget) {
    if (scrollToTarget)
        ShowTargetPosition();
    else
        clampScroll();
}

void SourceView::FoldAll() {
    if (!CanFold())
        return;
    lines_.FoldAll();
    afterFolding(true);
}

void SourceView::ExpandAll() {
    if (!CanFold())
        return;
    lines_.ExpandAll();
    afterFolding(true);
}

bool SourceView::CanFoldLower() const {
    return CanFold() && menuLine_ >= 0 && menuLine_ < lines_.Count() && lines_[menuLine_].head != 0;
}

void SourceView::FoldLower() {
    if (!CanFoldLower())
        return;
    const int keep = lines_.FirstLineOfRow(topRow_);
    lines_.FoldLower(menuLine_);
    ScrollToLine(keep);
}

void SourceView::ExpandLower() {
    if (!CanFoldLower())
        return;
    const int keep = lines_.FirstLineOfRow(topRow_);
    lines_.ExpandLower(menuLine_);
    ScrollToLine(keep);
}

void SourceView::Refold() {
    if (lines_.Empty())
        return;
    const int keep = lines_.FirstLineOfRow(topRow_);
    if (options_.folding == 1 && doc_.hasBlocks)
        lines_.FoldAll();
    else
        lines_.ExpandAll();
    ScrollToLine(keep);
}

// --- context menu --------------------------------------------------------------------------------

std::vector<SourceMenuEntry> SourceView::ContextMenu(int y) {
    const int line = LineAt(y);
    if (line >= 0 && selection_.HoldsLine(line))
        return {{kCmdSourceCopy, "Copy"}};
    if (!options_.editorEnabled)
        return {};
    menuLine_ = line;
    const SourceOptions& o = options_;
    std::vector<SourceMenuEntry> menu = {{kCmdEditor, "Editor"},
                                         {kCmdSourceSelectAll, "Select All Line"},
                                         {kCmdSourceLineOutput, "Enable Line Output"},
                                         {},
                                         {kCmdLineNumber, "Line Number", o.lineNumbers},
                                         {kCmdBlockNumber, "Block Number", o.blockNumbers},
                                         {},
                                         {kCmdBlockNone, "Block Figure - None", !o.figures}};
    if (o.figures) {
        if (!o.flowchart) {
            menu.push_back({kCmdHorizonLine, "Block - Horizon", o.horizon});
            menu.push_back({kCmdLinkage, "Block - Linkage", o.linkage});
        }
        menu.push_back({kCmdFlowchart, "Block - Flowchart Like", o.flowchart});
    }
    if (o.folding != 0) {
        menu.push_back({});
        if (doc_.hasBlocks) {
            menu.push_back({kCmdSourceFoldAll, "Folding"});
            if (line >= 0 && lines_[line].head != 0) {
                menu.push_back({kCmdSourceLowerFold, "Lower Folding"});
                menu.push_back({kCmdSourceLowerExpand, "Lower Expand"});
            }
        }
        menu.push_back({kCmdSourceExpandAll, "Expand"});
    }
    return menu;
}

} // namespace lumbra
