// The structure chart's logic.
#include "StructChart.h"

#include <algorithm>

#include "AppCore.h"
#include "CodePage.h"
#include "CommandTable.h"
#include "Lang.h"
#include "StructureText.h"
#include "TreeRowPass.h"

namespace lumbra {

ChartOptions ChartOptionsFrom(const Settings& s) {
    ChartOptions o;
    o.moduleNumbers = s.viewOpt[kViewModuleNo] != 0;
    o.twoLineBoxes = s.viewOpt[kViewModuleFunction] != 0;
    o.selectAll = s.viewOpt[kViewAllCallParts] != 0;
    o.dottedUndefined = s.viewOpt[kViewDottedUndefined] != 0;
    o.shortenNames = s.viewOpt[kViewExceptNamespace] != 0;
    o.folding = s.viewOpt[kViewTreeFolding] != 0;
    o.noBoxFrame = s.viewOpt[kViewViewlessBoxLine] != 0;
    o.distribution = std::clamp(s.viewOpt[kViewDistribute], 0, 4);
    o.japaneseUi = IsJapaneseUi();
    return o;
}

StructChart::StructChart(AppCore& core) : core_(core) {
    SetGeometry(fontHeight_, charWidth_, 0, 0);
}

ChartOptions StructChart::Options() const {
    return ChartOptionsFrom(core_.GetSettings());
}

bool StructChart::idle() const {
    return !core_.Busy();
}

// --- layout and scrolling ------------------------------------------------------------------

void StructChart::SetGeometry(int fontHeight, int charWidth, int clientWidth, int clientHeight) {
    fontHeight_ = fontHeight;
    charWidth_ = charWidth;
    clientWidth_ = clientWidth;
    clientHeight_ = clientHeight;
    const ChartOptions o = Options();
    ChartLayoutInput in;
    in.metrics = print_ ? core_.GetSettings().print : core_.GetSettings().screen;
    in.print = print_;
    in.fontHeight = fontHeight;
    in.charWidth = charWidth;
    in.moduleNumbers = o.moduleNumbers;
    in.twoLineBoxes = o.twoLineBoxes;
    in.nameWidth = core_.Rows().nameWidth(o.shortenNames);
    in.clientWidth = clientWidth;
    in.clientHeight = clientHeight;
    layout_ = ComputeChartLayout(in);
}

void StructChart::SetTopRow(int row) {
    topRow_ = std::clamp(row, 0, std::max(displayRows_ - 1, 0));
}

void StructChart::SetLeftLevel(int level) {
    leftLevel_ = std::clamp(level, 0, kChartMaxLeftLevel);
}

void StructChart::ScrollRows(int delta) {
    SetTopRow(topRow_ + delta);
}

void StructChart::ScrollPages(int pages) {
    SetTopRow(topRow_ + pages * std::max(layout_.rowsPerPage - 1, 1));
}

void StructChart::Wheel(int steps, int wheelLines) {
    const int lines = std::clamp(wheelLines > 0 ? wheelLines : 3, 1, layout_.rowsPerPage);
    ScrollRows(steps * lines);
}

void StructChart::Reset() {
    topRow_ = 0;
    leftLevel_ = 0;
    SetGeometry(fontHeight_, charWidth_, clientWidth_, clientHeight_);
    Renumber();
}

void StructChart::Clear() {
    topRow_ = 0;
    leftLevel_ = 0;
    displayRows_ = 0;
}

int StructChart::Renumber() {
    if (!idle())
        return displayRows_;
    TreeRowPass pass(core_.Rows(), false);
    while (pass.next()) {
    }
    displayRows_ = pass.displayRowCount();
    SetTopRow(topRow_);
    return displayRows_;
}

std::string StructChart::PositionText() const {
    return Format("%d / %d", std::min(topRow_ + 1, displayRows_), displayRows_);
}

int StructChart::boxLeft(int level) const {
    return layout_.leftMargin + (level - leftLevel_) * layout_.levelPitch;
}

// --- drawing ---------------------------------------------------------------------------------

namespace {

// The distribution value of a row: inclusive for a folded row (its hidden rows count).
int distributionValue(const ModuleRecord* m, int mode, bool folded) {
    if (!m)
        return 0;
    if (mode <= 2)
        return folded ? m->execInc : m->exec;
    return folded ? m->pathInc : m->pathNumb;
}

} // namespace

ChartFrame StructChart::Frame() {
    ChartFrame f;
    f.options = Options();
    if (!idle())
        return f; // the engine belongs to a worker: nothing is drawn from it
    Frames(topRow_, 1, [&f](ChartFrame&& page) { f = std::move(page); });
    f.displayRows = displayRows_;
    return f;
}

void StructChart::Frames(int firstRow, int count, const std::function<void(ChartFrame&&)>& page) {
    if (!idle() || count <= 0)
        return;
    SetGeometry(fontHeight_, charWidth_, clientWidth_, clientHeight_);
    const ChartLayout& l = layout_;
    const ChartOptions options = Options();
    const ChartOptions& o = options;
    auto emptyFrame = [&] {
        ChartFrame empty;
        empty.options = options;
        empty.layout = layout_;
        return empty;
    };
    ChartFrame f = emptyFrame();
    int pagesHanded = 0;
    int first = firstRow;
    int last = firstRow + l.rowsPerPage; // exclusive
    auto handPage = [&] {
        page(std::move(f));
        f = emptyFrame();
        ++pagesHanded;
        first = last;
        last += l.rowsPerPage;
    };
    TreeRowList& rows = core_.Rows();
    const NFileAnly& engine = core_.Engine();
    const int codePage = engine.GetTextReadSettings().codePage;

    int rootTotal = 0;
    TreeRowPass pass(rows, false);
    while (pass.next()) {
        const TreeRow& row = pass.row();
        while (pagesHanded < count && row.row >= last)
            handPage();
        const ModuleRecord* module = row.isLeaf() ? nullptr : engine.GetModule(row.moduleId());
        if (row.level == 0 && o.distribution != 0)
            rootTotal = distributionValue(module, o.distribution, true);
        if (pagesHanded >= count || row.row < first)
            continue; // numbered only

        const int level = row.level;
        const int hl = pass.highlightLevel();
        // The lines and frames that join the current row to its lower rows stand out.
        auto pen = [hl](int lineLevel) {
            return hl >= 0 && lineLevel == hl + 1 ? ChartPen::Highlight : ChartPen::Tree;
        };
        const int left = boxLeft(level);
        const int top = l.topMargin + (row.row - first) * l.rowPitch;
        const int gapTop = top - l.rowGap;
        const int bottom = top + l.boxHeight;
        const int mid = top + l.boxHeight / 2;

        for (int i = 1; i < level; ++i) {
            if (!pass.continues(i))
                continue;
            const int x = boxLeft(i) - l.connectorOffset;
            f.lines.push_back({x, gapTop, x, bottom, pen(i)});
        }

        ChartBox box;
        const int kind = row.connector();
        const int fold = row.foldState();
        const bool mark = kind != kConnectorNone && (fold == kFoldFolded || fold == kFoldExpanded);
        if (kind != kConnectorNone) {
            const int cx = left - l.connectorOffset;
            const int half = kFoldMarkSize / 2;
            const bool ends = kind == kConnectorEnd || kind == kConnectorLast;
            f.lines.push_back({mark ? cx + half : cx, mid, left, mid, pen(level)});
            if (mark) {
                f.lines.push_back({cx, gapTop, cx, mid - half, pen(level)});
                if (!ends)
                    f.lines.push_back({cx, mid + half, cx, bottom, pen(level)});
                box.foldState = fold;
                box.markX = cx;
                box.markY = mid;
            } else {
                f.lines.push_back({cx, gapTop, cx, ends ? mid : bottom, pen(level)});
            }
        }

        box.index = pass.index();
        box.x = left;
        box.y = top;
        box.frame = !o.noBoxFrame;
        box.external = !module || module->line == 0;
        box.rounded = module && ((module->upperCount() == 0 && module->lowerCount() > 0) ||
                                 module->containerKind != kModuleOrdinary);
        const bool highlighted = hl >= 0 && level == hl + 1;
        if (box.external && o.dottedUndefined)
            box.framePen = highlighted ? ChartPen::ExternalHighlight : ChartPen::External;
        else
            box.framePen = highlighted ? ChartPen::Highlight : ChartPen::Tree;
        box.selected = row.selected();
        if (o.moduleNumbers)
            box.number = Format("%5d", row.moduleId());
        std::string_view name = rows.rowName(row, engine);
        if (o.shortenNames)
            name.remove_prefix(pass.shortNameStart(name, engine));
        box.name = InternalToUtf8(name, codePage);
        if (o.twoLineBoxes && module && module->hasFunctionText)
            box.secondLine = InternalToUtf8(module->functionText, codePage);
        if (row.omitted())
            box.omittedMark = o.japaneseUi ? "\xe2\x86\x91" : " *";

        if (o.distribution != 0) {
            const int value = distributionValue(module, o.distribution, fold == kFoldFolded);
            const double percent = value * 100.0 / (rootTotal == 0 ? 1 : rootTotal);
            box.bar = true;
            box.barX = l.distRight - l.distWidth;
            box.barWidth = static_cast<int>(l.distWidth * (99.0 / l.distWidth + percent) / 100);
            if (o.distribution == 2 || o.distribution == 4)
                box.label = Format("%0.1f%%", percent);
            else if (level == 0)
                box.label = Format("%d/%d", value, rootTotal);
            else
                box.label = Format("%d", value);
        }
        f.boxes.push_back(std::move(box));
    }
    displayRows_ = pass.displayRowCount();
    SetTopRow(topRow_);
    while (pagesHanded < count)
        handPage(); // the pages past the last row are empty
}

// --- mouse -----------------------------------------------------------------------------------

int StructChart::displayRowAt(int y) const {
    const long long offset =
        static_cast<long long>(layout_.rowPitch) * topRow_ + y - layout_.topMargin;
    if (offset < 0)
        return -1;
    const long long row = offset / layout_.rowPitch;
    return row < displayRows_ ? static_cast<int>(row) : -1;
}

std::size_t StructChart::firstRowOfDisplayRow(int displayRow) const {
    // Row numbers never decrease along the list; hidden rows share the number of the folded
    // row before them, so the first row of a number is the one shown.
    const std::vector<TreeRow>& rows = core_.Rows().rows();
    auto it = std::lower_bound(rows.begin(), rows.end(), displayRow,
                               [](const TreeRow& r, int n) { return r.row < n; });
    if (it == rows.end() || it->row != displayRow)
        return std::vector<TreeRow>::size_type(-1);
    return static_cast<std::size_t>(it - rows.begin());
}

int StructChart::HitTest(int x, int y) const {
    if (!idle())
        return -1;
    const int displayRow = displayRowAt(y);
    if (displayRow < 0)
        return -1;
    const std::size_t index = firstRowOfDisplayRow(displayRow);
    if (index >= core_.Rows().size())
        return -1;
    const int left = boxLeft(core_.Rows()[index].level);
    return (x >= left && x <= left + layout_.boxWidth) ? static_cast<int>(index) : -1;
}

int StructChart::HitFoldMark(int x, int y) const {
    if (!idle())
        return -1;
    const int displayRow = displayRowAt(y);
    if (displayRow < 0)
        return -1;
    const std::size_t index = firstRowOfDisplayRow(displayRow);
    if (index >= core_.Rows().size())
        return -1;
    const TreeRow& row = core_.Rows()[index];
    const int fold = row.foldState();
    if (row.connector() == kConnectorNone || (fold != kFoldFolded && fold != kFoldExpanded))
        return -1;
    const int cx = boxLeft(row.level) - layout_.connectorOffset;
    const int mid =
        layout_.topMargin + (displayRow - topRow_) * layout_.rowPitch + layout_.boxHeight / 2;
    const int reach = kFoldMarkSize / 2 + 1;
    return (std::abs(x - cx) <= reach && std::abs(y - mid) <= reach) ? static_cast<int>(index) : -1;
}

void StructChart::setFold(std::size_t index, int state) {
    TreeRow& row = core_.Rows()[index];
    row.setFoldState(state);
    if (!row.isLeaf())
        core_.Engine().SetFoldState(row.moduleId(), state);
}

void StructChart::ToggleFold(std::size_t index) {
    if (!idle() || index >= core_.Rows().size())
        return;
    const int fold = core_.Rows()[index].foldState();
    if (fold != kFoldFolded && fold != kFoldExpanded)
        return;
    setFold(index, fold == kFoldFolded ? kFoldExpanded : kFoldFolded);
    Renumber();
}

namespace {

bool sameBox(const TreeRowList& rows, const TreeRow& a, const TreeRow& b) {
    if (a.isLeaf() || b.isLeaf())
        return a.isLeaf() && b.isLeaf() && rows.leafName(a) == rows.leafName(b);
    return a.moduleId() == b.moduleId();
}

} // namespace

void StructChart::makeCurrent(std::size_t index) {
    TreeRowList& rows = core_.Rows();
    if (Options().selectAll) {
        const TreeRow hit = rows[index];
        for (TreeRow& row : rows.rows())
            row.setSelected(sameBox(rows, row, hit));
    } else {
        const int current = core_.CurrentRow();
        if (current >= 0 && static_cast<std::size_t>(current) < rows.size())
            rows[static_cast<std::size_t>(current)].setSelected(false);
        rows[index].setSelected(true);
    }
    core_.SetCurrentRow(static_cast<int>(index));
}

bool StructChart::Click(int x, int y) {
    if (!idle())
        return false;
    const int hit = HitTest(x, y);
    if (hit < 0) {
        const int mark = HitFoldMark(x, y);
        if (mark < 0)
            return false;
        ToggleFold(static_cast<std::size_t>(mark));
        return true;
    }
    const auto index = static_cast<std::size_t>(hit);
    if (core_.CurrentRow() == hit)
        ToggleFold(index);
    makeCurrent(index);
    return true;
}

void StructChart::SelectRow(std::size_t index) {
    if (!idle() || index >= core_.Rows().size())
        return;
    // A box hidden under a folded caller is brought into view.
    bool unfolded = false;
    for (std::size_t caller : RowPath(core_.Rows(), index))
        if (caller != index && core_.Rows()[caller].foldState() == kFoldFolded) {
            setFold(caller, kFoldExpanded);
            unfolded = true;
        }
    if (unfolded)
        Renumber();
    makeCurrent(index);
    scrollIntoView(index);
}

bool StructChart::InDistributionZone(int x) const {
    return x > clientWidth_ - layout_.distWidth - 20;
}

std::vector<ChartMenuEntry> StructChart::ContextMenu(int x, bool editorEnabled) const {
    std::vector<ChartMenuEntry> menu;
    const ChartOptions o = Options();
    if (InDistributionZone(x)) {
        const char* captions[] = {"Distribute - None", "Distribute - Exec", "Distribute - Exec[%]",
                                  "Distribute - Path", "Distribute - Path[%]"};
        for (int mode = 0; mode < 5; ++mode)
            menu.push_back({kCmdDistNone + mode, captions[mode], o.distribution == mode});
        return menu;
    }
    if (editorEnabled)
        menu.push_back({kCmdEditor, "Editor", false});
    menu.push_back({kCmdStructureText, "Structural Drawing Text Output", false});
    if (!core_.Rows().empty() && o.folding) {
        menu.push_back({0, "", false});
        menu.push_back({kCmdFolding, "Foding", false});
        if (core_.CurrentRow() >= 0) {
            menu.push_back({kCmdLowerFolding, "Lower Folding", false});
            menu.push_back({kCmdLowerExpand, "Lower Expand", false});
        }
        menu.push_back({kCmdExpand, "Expand", false});
    }
    menu.push_back({0, "", false});
    const int sort = core_.SortOrder();
    menu.push_back({kCmdSortDefine, "Sort by Define", sort == 0});
    menu.push_back({kCmdSortName, "Sort by Name", sort == 1});
    menu.push_back({kCmdSortExec, "Sort by Exec Line", sort == 2});
    menu.push_back({kCmdSortPath, "Sort by Path Numb", sort == 3});
    return menu;
}

// --- commands --------------------------------------------------------------------------------

void StructChart::scrollIntoView(std::size_t index) {
    const int displayRow = core_.Rows()[index].row;
    if (displayRow < topRow_ || displayRow >= topRow_ + layout_.fullRowsPerPage - 1)
        SetTopRow(displayRow);
}

bool StructChart::Move(ChartMove move) {
    if (!idle())
        return false;
    if (Options().selectAll) {
        core_.Messages().Message(
            tr("It cannot move, when an option(Other-\"All call parts are chosen.\") is "
               "effective."),
            tr("Caution"), MessageKind::Warning);
        return false;
    }
    const TreeRowList& rows = core_.Rows();
    const int current = core_.CurrentRow();
    if (current < 0 || static_cast<std::size_t>(current) >= rows.size())
        return false;
    const TreeRow& row = rows[static_cast<std::size_t>(current)];
    const int level = row.level;
    if (level == 0)
        return false;
    std::ptrdiff_t found = -1;
    switch (move) {
    case ChartMove::SameUpper:
        if (row.connector() == kConnectorFirst)
            return false;
        for (std::ptrdiff_t i = current - 1;
             i >= 0 && rows[static_cast<std::size_t>(i)].level >= level; --i)
            if (rows[static_cast<std::size_t>(i)].level == level) {
                found = i;
                break;
            }
        break;
    case ChartMove::SameLower:
        if (row.connector() == kConnectorLast)
            return false;
        for (std::size_t i = static_cast<std::size_t>(current) + 1;
             i < rows.size() && rows[i].level >= level; ++i)
            if (rows[i].level == level) {
                found = static_cast<std::ptrdiff_t>(i);
                break;
            }
        break;
    case ChartMove::Upper:
        for (std::ptrdiff_t i = current - 1; i >= 0; --i)
            if (rows[static_cast<std::size_t>(i)].level == level - 1) {
                found = i;
                break;
            }
        break;
    }
    if (found < 0)
        return false;
    makeCurrent(static_cast<std::size_t>(found));
    scrollIntoView(static_cast<std::size_t>(found));
    return true;
}

bool StructChart::CanFold() const {
    return idle() && Options().folding && !core_.Rows().empty();
}

bool StructChart::FoldAll(int state) {
    if (!CanFold())
        return false;
    TreeRowList& rows = core_.Rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TreeRow& row = rows[i];
        const int fold = row.foldState();
        if (row.level > 0 && (fold == kFoldFolded || fold == kFoldExpanded))
            setFold(i, state);
    }
    topRow_ = 0;
    leftLevel_ = 0;
    Renumber();
    return true;
}

bool StructChart::FoldLower(int state) {
    const int current = core_.CurrentRow();
    if (!CanFold() || current < 0 || static_cast<std::size_t>(current) >= core_.Rows().size())
        return false;
    TreeRowList& rows = core_.Rows();
    const TreeRow target = rows[static_cast<std::size_t>(current)];
    const bool all = Options().selectAll;
    int subtreeLevel = -1; // level of the row whose subtree is being passed
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TreeRow& row = rows[i];
        if (subtreeLevel >= 0 && row.level <= subtreeLevel)
            subtreeLevel = -1;
        if (subtreeLevel < 0) {
            const bool starts =
                all ? sameBox(rows, row, target) : i == static_cast<std::size_t>(current);
            if (!starts)
                continue;
            subtreeLevel = row.level;
        }
        const int fold = row.foldState();
        if (fold == kFoldFolded || fold == kFoldExpanded)
            setFold(i, state);
    }
    topRow_ = 0;
    leftLevel_ = 0;
    Renumber();
    return true;
}

std::string StructChart::Text() {
    if (!idle())
        return {};
    return StructureText(core_.Rows(), core_.Engine(),
                         StructureTextOptionsFrom(core_.GetSettings()));
}

} // namespace lumbra
