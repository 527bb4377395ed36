// The source pane's logic: geometry, scrolling, figures, mouse, folding and menu.
#include "SourceView.h"

#include <algorithm>
#include <climits>

#include "CommandTable.h"
#include "Lang.h"
#include "NFileAnly.h"
#include "Settings.h"
#include "TextInput.h"

namespace lumbra {

SourceOptions SourceOptionsFrom(const Settings& s) {
    SourceOptions o;
    const auto& v = s.viewOpt;
    o.lineNumbers = v[kViewLineNo] != 0;
    o.digits = std::clamp(v[kViewLineDigits], 1, 10);
    o.blockNumbers = v[kViewBlockLevel] != 0;
    o.figures = v[kViewBlockChart] != 0;
    o.horizon = v[kViewHorizontalLine] != 0;
    o.linkage = v[kViewLinkage] != 0;
    o.flowchart = v[kViewFlowchart] != 0;
    o.folding = v[kViewSourceFolding];
    o.contextLines = std::max(s.moduleListOption[kListContextLines], 0);
    o.moduleNumbers = s.moduleListOption[kListLineColumnSelect] != 0;
    o.editorEnabled = s.editorOpen != 0;
    return o;
}

void ApplySourceStyle(Settings& s, SourceStyle style) {
    auto& v = s.viewOpt;
    v[kViewBlockChart] = style == SourceStyle::None ? 0 : 1;
    if (style == SourceStyle::None)
        return;
    v[kViewHorizontalLine] = style == SourceStyle::Horizon ? 1 : 0;
    v[kViewLinkage] = style == SourceStyle::Linkage ? 1 : 0;
    v[kViewFlowchart] = style == SourceStyle::Flowchart ? 1 : 0;
}

bool LoadSourceDocument(const NFileAnly& engine, const Settings& settings, const std::string& path,
                        SourceDocument& document, SourceLines& lines) {
    const TextReadSettings& read = engine.GetTextReadSettings();
    std::optional<SourceText> text = SourceText::Load(path, read);
    if (!text)
        return false;
    document = SourceDocument{};
    document.path = path;
    FileInfo info;
    int kind = kKindCFamily;
    if (engine.GetFileInfoByPath(path, info)) {
        kind = info.kind;
        if (info.lineTable)
            document.words = *info.lineTable;
        if (info.branches)
            document.branches = *info.branches;
        document.branchColumns = info.branchColumnCount;
    }
    document.hasBlocks = kind != kKindAssembler;
    // "Filter1" to "Filter4" are the kinds 0 to 3.
    const std::size_t filter = static_cast<std::size_t>(std::clamp(kind, 0, 3)) + 1;
    const int tabWidth = settings.filters[filter].tabWidth;
    const int folding = settings.viewOpt[kViewSourceFolding];
    lines.Load(*text, read.codePage, document.words, tabWidth, folding != 0 && document.hasBlocks,
               folding == 1);
    return true;
}

SourceInk InkOf(std::uint32_t w) {
    if (!line_word::Active(w))
        return SourceInk::Inactive;
    if (w & kLineModuleStart)
        return SourceInk::Definition;
    if ((w & kLineKindMask) == kLineKindComment)
        return SourceInk::Comment;
    if ((w & kLineKindMask) == kLineKindDirective)
        return SourceInk::Directive;
    if (w & kLineHasCall)
        return SourceInk::Call;
    return SourceInk::Normal;
}

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
    g.figurePitch = options_.Flowchart() ? std::max(cw * 3 / 2, 9) : std::max(cw, 7);
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

int SourceView::figureColumnX(int column) const {
    const SourceGeometry& g = geometry_;
    return g.figureX + (column - 1) * g.figurePitch + g.figurePitch / 2;
}

int SourceView::branchColumnX(int column) const {
    const SourceGeometry& g = geometry_;
    return g.figureX + (g.figureColumns - column) * g.figurePitch + g.figurePitch / 2;
}

int SourceView::rowEndLevel(int row) const {
    if (row < 0 || row >= lines_.RowCount())
        return 0;
    const int first = lines_.FirstLineOfRow(row);
    // A folded block shows as its head: the levels inside it stay hidden.
    return lines_[first].folded() ? lines_[first].level()
                                  : lines_[lines_.LastLineOfRow(row)].level();
}

bool SourceView::highlighted(int level, int line) const {
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

void SourceView::blockFigures(SourceFrame& frame, int row, int y) const {
    const SourceGeometry& g = geometry_;
    const int first = lines_.FirstLineOfRow(row);
    const std::uint32_t w = lines_[first].word;
    const int start = rowEndLevel(row - 1);
    const int end = rowEndLevel(row);
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
        const int cx = figureColumnX(c);
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
                shownAbove = headRow < row && rowEndLevel(headRow - 1) == rowEndLevel(headRow);
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
        const int cx = figureColumnX(next);
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

void SourceView::branchChart(SourceFrame& frame) const {
    const SourceGeometry& g = geometry_;
    const int rh = g.rowHeight;
    const int firstRow = topRow_;
    const int lastRow = topRow_ + g.rowsPerPage - 1;
    const int fullRows = std::max(g.clientHeight / rh, 1);
    const int bottomRow = std::min(topRow_ + fullRows - 1, lines_.RowCount() - 1);
    const int hw = std::max(2, g.figurePitch / 2 - 1);
    const bool horizon = options_.horizon; // the branch chart has no other styles
    auto yOf = [&](int row) { return (row - topRow_) * rh; };
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
        const int cx = branchColumnX(br.column);
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
        const std::string letter(1, kLevelChars[std::min(br.column, 61)]);
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

SourceFrame SourceView::Frame() const {
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
            const int start = rowEndLevel(row - 1), end = rowEndLevel(row);
            r.blockNumber = "   ";
            if (line_word::Active(line.word) && end != start) {
                const int level = end > start ? end : end + 1;
                r.blockNumber[1] = kLevelChars[std::min(level, 61)];
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
            blockFigures(frame, row, r.y);
        frame.rows.push_back(std::move(r));
    }
    if (g.figureColumns > 0 && !doc_.hasBlocks)
        branchChart(frame);
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
