// The block figures and the branch chart of the source pane.
#include "SourceFigures.h"

#include <algorithm>

namespace lumbra {

SourceFigures::SourceFigures(const SourceLines& lines, const SourceBlocks& blocks,
                             const SourceDocument& document, const SourceOptions& options,
                             const SourceGeometry& geometry)
    : lines_(lines), blocks_(blocks), doc_(document), options_(options), geometry_(geometry) {}

void SourceFigures::SetHighlight(int block, int branchColumn, int branchLine) {
    highlightBlock_ = block;
    branchColumn_ = branchColumn;
    branchLine_ = branchLine;
}

int SourceFigures::ColumnX(int column) const {
    const SourceGeometry& g = geometry_;
    return g.figureX + (column - 1) * g.figurePitch + g.figurePitch / 2;
}

int SourceFigures::BranchColumnX(int column) const {
    const SourceGeometry& g = geometry_;
    return g.figureX + (g.figureColumns - column) * g.figurePitch + g.figurePitch / 2;
}

int SourceFigures::RowEndLevel(int row) const {
    if (row < 0 || row >= lines_.RowCount())
        return 0;
    const int first = lines_.FirstLineOfRow(row);
    // A folded block shows as its head: the levels inside it stay hidden.
    return lines_[first].folded() ? lines_[first].level()
                                  : lines_[lines_.LastLineOfRow(row)].level();
}

bool SourceFigures::highlighted(int level, int line) const {
    if (highlightBlock_ < 0)
        return false;
    const SourceBlock& b = blocks_.Blocks()[static_cast<std::size_t>(highlightBlock_)];
    return b.level == level && line >= b.headLine && line <= b.closeLine;
}

namespace {

// The figures of one row, built with the row's coordinates.
class RowPainter {
public:
    RowPainter(SourceFrame& f, int y, int rowHeight, int pitch)
        : f_(f), y0_(y), y1_(y + rowHeight), ym_(y + rowHeight / 2),
          hw_(std::max(2, pitch / 2 - 1)), pitch_(pitch) {}

    int top() const { return y0_; }
    int bottom() const { return y1_; }
    int mid() const { return ym_; }
    int half() const { return hw_; }

    void line(int x1, int y1, int x2, int y2, bool hl, FigurePen pen = FigurePen::Solid) {
        f_.lines.push_back({x1, y1, x2, y2, pen, hl});
    }
    void vertical(int x, int from, int to, bool hl, FigurePen pen = FigurePen::Solid) {
        if (to > from)
            line(x, from, x, to, hl, pen);
    }
    void polygon(std::vector<int> points, bool hl, bool filled = false) {
        FigureShape s;
        s.kind = FigureShape::Polygon;
        s.points = std::move(points);
        s.highlight = hl;
        s.filled = filled;
        f_.shapes.push_back(std::move(s));
    }
    void box(FigureShape::Kind kind, int x, int y, int w, int h, bool hl, bool filled = false) {
        FigureShape s;
        s.kind = kind;
        s.x = x;
        s.y = y;
        s.w = w;
        s.h = h;
        s.highlight = hl;
        s.filled = filled;
        f_.shapes.push_back(std::move(s));
    }
    void arc(int x, int y, int w, int h, int start, int span, bool hl) {
        FigureShape s;
        s.kind = FigureShape::Arc;
        s.x = x;
        s.y = y;
        s.w = w;
        s.h = h;
        s.startAngle = start;
        s.spanAngle = span;
        s.highlight = hl;
        f_.shapes.push_back(std::move(s));
    }

    // The extent of a symbol: the whole row for flowchart symbols, a square about the middle
    // otherwise.
    void extent(bool large, int& top, int& bottom) const {
        if (large) {
            top = y0_ + 1;
            bottom = y1_ - 2;
        } else {
            top = std::max(y0_ + 1, ym_ - hw_ - 1);
            bottom = std::min(y1_ - 2, ym_ + hw_ + 1);
        }
    }
    // Loop start: a box with its upper corners cut (six points); loop end: lower corners cut.
    void loopSymbol(int cx, bool start, bool large, bool hl, int& top, int& bottom) {
        extent(large, top, bottom);
        const int k = std::max(1, std::min(hw_, (bottom - top) / 3));
        const int l = cx - hw_, r = cx + hw_;
        if (start)
            polygon({l, top + k, l + k, top, r - k, top, r, top + k, r, bottom, l, bottom}, hl);
        else
            polygon({l, top, r, top, r, bottom - k, r - k, bottom, l + k, bottom, l, bottom - k},
                    hl);
    }
    void diamond(int cx, bool large, bool hl, int& top, int& bottom) {
        extent(large, top, bottom);
        polygon({cx, top, cx + hw_, (top + bottom) / 2, cx, bottom, cx - hw_, (top + bottom) / 2},
                hl);
    }

private:
    SourceFrame& f_;
    int y0_, y1_, ym_, hw_, pitch_;
};

} // namespace

void SourceFigures::AddRow(SourceFrame& frame, int row, int y) const {
    const SourceGeometry& g = geometry_;
    const int first = lines_.FirstLineOfRow(row);
    const std::uint32_t w = lines_[first].word;
    const int start = RowEndLevel(row - 1);
    const int end = RowEndLevel(row);
    const int statement = line_word::Statement(w);
    const bool continuation = (w & kStatementBranchContinuation) != 0;
    const bool flow = options_.Flowchart();
    const bool linkage = options_.Linkage();
    RowPainter p(frame, y, g.rowHeight, g.figurePitch);
    const int hw = p.half();
    const int right = g.textX - 2; // where links to the text end
    int figureColumn = 0;          // the innermost column that shows a figure on this row
    int figureRight = 0;           // where the horizon line starts
    auto mark = [&](int column, int x) {
        if (column >= figureColumn) {
            figureColumn = column;
            figureRight = x;
        }
    };
    // A solid link from a figure into the text ("Linkage").
    auto link = [&](int x, int yy, bool hl) {
        if (linkage && right > x)
            p.line(x, yy, right, yy, hl);
    };

    for (int c = 1; c <= std::min(std::max(start, end), g.figureColumns); ++c) {
        const int cx = ColumnX(c);
        const bool hl = highlighted(c, first);
        int top = 0, bottom = 0;
        if (c <= std::min(start, end)) {
            if (continuation && c == end && start == end) {
                // A branch inside the block: case labels, "} else {".
                p.vertical(cx, p.top(), p.bottom(), hl);
                if (flow || statement == 2) {
                    p.diamond(cx, flow, hl, top, bottom);
                } else {
                    p.line(cx, p.mid(), cx + hw + 1, p.mid(), hl);
                }
                link(cx + hw, p.mid(), hl);
                mark(c, cx + hw + 1);
            } else {
                p.vertical(cx, p.top(), p.bottom(), hl);
            }
            continue;
        }
        if (c > start) {
            // The line opens the block of this level.
            const int b = blocks_.OpenedAt(first, c);
            const SourceBlock* block =
                b >= 0 ? &blocks_.Blocks()[static_cast<std::size_t>(b)] : nullptr;
            const BlockKind kind = block ? block->kind : BlockKind::Plain;
            bool shownAbove = false;
            if (block && block->headLine < first) {
                const int headRow = lines_.RowOfLine(block->headLine);
                shownAbove = headRow < row && RowEndLevel(headRow - 1) == RowEndLevel(headRow);
            }
            if (shownAbove) {
                p.vertical(cx, p.top(), p.bottom(), hl);
            } else if (kind == BlockKind::Loop || kind == BlockKind::Conditional) {
                if (kind == BlockKind::Loop)
                    p.loopSymbol(cx, true, flow, hl, top, bottom);
                else
                    p.diamond(cx, flow, hl, top, bottom);
                p.vertical(cx, bottom, p.bottom(), hl);
                link(cx + hw, (top + bottom) / 2, hl);
                mark(c, cx + hw + 1);
            } else if (flow) {
                // A plain block starts at a terminal.
                // A flat stadium, wider than tall.
                const int h = std::max(4, std::min(2 * hw - 2, (p.bottom() - p.top()) / 3));
                p.vertical(cx, p.mid(), p.bottom(), hl);
                p.box(FigureShape::RoundBox, cx - hw, p.mid() - h / 2, 2 * hw, h, hl);
                mark(c, cx + hw + 1);
            } else if (linkage) {
                const int r = std::min(hw + 1, (p.bottom() - p.mid()));
                p.arc(cx, p.mid(), 2 * r, 2 * r, 90, 90, hl);
                p.vertical(cx, p.mid() + r, p.bottom(), hl);
                link(cx + r, p.mid(), hl);
                mark(c, cx + r);
            } else {
                p.line(cx, p.mid(), cx + hw + 1, p.mid(), hl);
                p.vertical(cx, p.mid(), p.bottom(), hl);
                mark(c, cx + hw + 1);
            }
            continue;
        }
        // The line closes the block of this level.
        const int b = blocks_.ClosedAt(first, c);
        const BlockKind kind =
            b >= 0 ? blocks_.Blocks()[static_cast<std::size_t>(b)].kind : BlockKind::Plain;
        const bool hlClose = b >= 0 && b == highlightBlock_;
        if (kind == BlockKind::Loop) {
            p.loopSymbol(cx, false, flow, hlClose, top, bottom);
            p.vertical(cx, p.top(), top, hlClose);
            link(cx + hw, (top + bottom) / 2, hlClose);
            mark(c, cx + hw + 1);
        } else if (kind == BlockKind::Conditional && statement == 2) {
            // "} else": the branch joins the block that follows.
            p.vertical(cx, p.top(), p.bottom(), hlClose);
            p.line(cx, p.mid(), cx + hw + 1, p.mid(), hlClose);
            link(cx + hw, p.mid(), hlClose);
            mark(c, cx + hw + 1);
        } else if (kind == BlockKind::Conditional) {
            if (flow) {
                // The branches meet in a connector.
                p.vertical(cx, p.top(), p.mid(), hlClose);
                const int r = std::max(2, hw - 1);
                p.box(FigureShape::Ellipse, cx - r, p.mid() - r, 2 * r, 2 * r, hlClose);
            } else {
                p.vertical(cx, p.top(), p.mid(), hlClose);
                p.line(cx - hw, p.mid(), cx + hw + 1, p.mid(), hlClose);
            }
            link(cx + hw, p.mid(), hlClose);
            mark(c, cx + hw + 1);
        } else if (flow) {
            const int h = std::max(4, std::min(2 * hw - 2, (p.bottom() - p.top()) / 3));
            p.vertical(cx, p.top(), p.mid(), hlClose);
            p.box(FigureShape::RoundBox, cx - hw, p.mid() - h / 2, 2 * hw, h, hlClose);
            mark(c, cx + hw + 1);
        } else if (linkage) {
            const int r = std::min(hw + 1, p.mid() - p.top());
            p.vertical(cx, p.top(), p.mid() - r, hlClose);
            p.arc(cx, p.mid() - 2 * r, 2 * r, 2 * r, 180, 90, hlClose);
            link(cx + r, p.mid(), hlClose);
            mark(c, cx + r);
        } else {
            p.vertical(cx, p.top(), p.mid(), hlClose);
            p.line(cx, p.mid(), cx + hw + 1, p.mid(), hlClose);
            mark(c, cx + hw + 1);
        }
    }

    // The column next to the line's own level: heads of blocks still to come, brace-less
    // bodies and calls.
    const int next = end + 1;
    if (next <= g.figureColumns && start == end) {
        const int cx = ColumnX(next);
        const bool hl = highlighted(next, first);
        int top = 0, bottom = 0;
        if ((statement == 1 || statement == 2) && !continuation) {
            if (statement == 1)
                p.loopSymbol(cx, true, flow, hl, top, bottom);
            else
                p.diamond(cx, flow, hl, top, bottom);
            const int nextLine = lines_.LastLineOfRow(row) + 1;
            const int opened = nextLine < lines_.Count() ? blocks_.OpenedAt(nextLine, next) : -1;
            const bool blockFollows =
                opened >= 0 && blocks_.Blocks()[static_cast<std::size_t>(opened)].headLine == first;
            p.vertical(cx, bottom, p.bottom(), hl,
                       blockFollows ? FigurePen::Solid : FigurePen::Dotted);
            link(cx + hw, (top + bottom) / 2, hl);
            mark(next, cx + hw + 1);
        } else if (line_word::Pending(w) != 0 && statement == 0 && !continuation) {
            // A body without braces.
            p.vertical(cx, p.top(), p.bottom(), hl, FigurePen::Dotted);
        }
        const std::uint32_t keywords = line_word::kBlockKeywordBits | kLineModuleStart;
        if (doc_.hasBlocks && (w & kLineHasCall) && !(w & keywords)) {
            if (flow) {
                const int h = std::max(4, p.bottom() - p.top() - 4);
                p.box(FigureShape::DoubleBox, cx - hw, p.mid() - h / 2, 2 * hw, h, false);
            } else {
                const int r = std::max(2, hw - 1);
                p.polygon({cx - r + 1, p.mid() - r, cx + r, p.mid(), cx - r + 1, p.mid() + r},
                          false, true);
            }
            mark(next, cx + hw + 1);
        }
    }
    if (options_.Horizon() && figureColumn > 0 && right > figureRight + 2)
        p.line(figureRight + 2, p.mid(), right, p.mid(), highlighted(figureColumn, first),
               FigurePen::Dashed);
}

void SourceFigures::AddBranchChart(SourceFrame& frame, int topRow) const {
    const SourceGeometry& g = geometry_;
    const int rh = g.rowHeight;
    const int firstRow = topRow;
    const int lastRow = topRow + g.rowsPerPage - 1;
    const int fullRows = std::max(g.clientHeight / rh, 1);
    const int bottomRow = std::min(topRow + fullRows - 1, lines_.RowCount() - 1);
    const int hw = std::max(2, g.figurePitch / 2 - 1);
    const bool horizon = options_.horizon; // the branch chart has no other styles
    auto yOf = [&](int row) { return (row - topRow) * rh; };
    std::vector<char> markedTop(static_cast<std::size_t>(g.figureColumns) + 1, 0);
    std::vector<char> markedBottom(markedTop.size(), 0);
    for (const BranchRecord& br : doc_.branches) {
        if (br.column < 1 || br.column > g.figureColumns)
            continue;
        const int sourceRow = lines_.RowOfLine(br.sourceLine - 1);
        const int joinRow = lines_.RowOfLine(br.joinLine - 1);
        const int lo = std::min(sourceRow, joinRow), hi = std::max(sourceRow, joinRow);
        if (hi < firstRow || lo > lastRow)
            continue;
        const int loLine = std::min(br.sourceLine, br.joinLine) - 1;
        const int hiLine = std::max(br.sourceLine, br.joinLine) - 1;
        const bool hl =
            br.column == branchColumn_ && branchLine_ >= loLine && branchLine_ <= hiLine;
        const int cx = BranchColumnX(br.column);
        const int y1 = std::max(yOf(lo) + rh / 2, 0);
        const int y2 = std::min(yOf(hi) + rh / 2, g.clientHeight);
        frame.lines.push_back({cx, y1, cx, y2, FigurePen::Dotted, hl});
        if (sourceRow >= firstRow && sourceRow <= lastRow) {
            const int y = yOf(sourceRow);
            const int top = y + 2, bottom = y + rh - 3, mid = (top + bottom) / 2;
            frame.lines.push_back({cx, y, cx, top, FigurePen::Solid, hl});
            frame.lines.push_back({cx, bottom, cx, y + rh, FigurePen::Solid, hl});
            FigureShape d;
            d.points = {cx, top, cx + hw, mid, cx, bottom, cx - hw, mid};
            d.highlight = hl;
            d.filled = true;
            frame.shapes.push_back(std::move(d));
            if (horizon && g.textX - 2 > cx + hw)
                frame.lines.push_back({cx + hw + 1, mid, g.textX - 2, mid, FigurePen::Dotted, hl});
        }
        if (br.joinLine == br.targetLine && joinRow >= firstRow && joinRow <= lastRow &&
            joinRow != sourceRow) {
            const int y = yOf(joinRow);
            const int mid = y + rh / 2;
            const int from = joinRow > sourceRow ? y : y + rh;
            frame.lines.push_back({cx, from, cx, mid, FigurePen::Solid, hl});
            if (horizon) {
                const int tip = g.textX - 1;
                frame.lines.push_back({cx, mid, tip - 1, mid, FigurePen::Solid, hl});
                const int a = std::max(3, rh / 5);
                FigureShape arrow;
                arrow.points = {tip, mid, tip - a - 1, mid - a, tip - a - 1, mid + a};
                arrow.highlight = hl;
                arrow.filled = true;
                frame.shapes.push_back(std::move(arrow));
            } else {
                const int half = g.figurePitch / 2;
                frame.lines.push_back(
                    {cx - half + 1, mid, cx + half - 1, mid, FigurePen::Solid, hl});
            }
        }
        // Ends outside the window: the column's character at the edge it runs across.
        const std::string letter(1, kSourceLevelChars[std::min(br.column, 61)]);
        if (lo < firstRow && !markedTop[br.column]) {
            markedTop[br.column] = 1;
            frame.texts.push_back({cx, yOf(firstRow), letter, hl});
        }
        if (hi > bottomRow && bottomRow >= firstRow && !markedBottom[br.column]) {
            markedBottom[br.column] = 1;
            frame.texts.push_back({cx, yOf(bottomRow), letter, hl});
        }
    }
}

} // namespace lumbra
