// The source pane's selection texts.
#include "SourceSelection.h"

#include <algorithm>
#include <climits>

#include "SourceLines.h"

namespace lumbra {

void SourceSelection::ColumnsOf(int line, int& from, int& to) const {
    from = 0;
    to = INT_MAX;
    if (!HoldsLine(line) || kind == kSelectLine)
        return;
    if (kind == kSelectPart) {
        from = std::min(startColumn, endColumn);
        to = std::max(startColumn, endColumn);
        return;
    }
    const bool downwards = startLine < endLine || (startLine == endLine && kind == kSelectDown);
    const int firstColumn = downwards ? startColumn : endColumn;
    const int lastColumn = downwards ? endColumn : startColumn;
    if (line == FirstLine())
        from = firstColumn;
    if (line == LastLine())
        to = lastColumn;
}

SourceSelection SelectAllLines(const SourceLines& lines) {
    SourceSelection s;
    if (lines.Empty())
        return s;
    s.active = true;
    s.kind = lines.Count() == 1 ? kSelectLine : kSelectDown;
    s.startLine = 0;
    s.endLine = lines.Count() - 1;
    s.endColumn = lines[s.endLine].cells;
    return s;
}

std::string SelectionText(const SourceLines& lines, const SourceSelection& selection) {
    if (!selection.active || lines.Empty())
        return {};
    const int first = std::clamp(selection.FirstLine(), 0, lines.Count() - 1);
    const int last = std::clamp(selection.LastLine(), 0, lines.Count() - 1);
    std::string out;
    for (int line = first; line <= last; ++line) {
        if (line > first)
            out += "\r\n";
        int from = 0, to = INT_MAX;
        selection.ColumnsOf(line, from, to);
        out += lines.ColumnText(line, from, std::min(to, lines[line].cells));
    }
    return out;
}

} // namespace lumbra
