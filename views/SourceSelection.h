// A selection in the source pane and the text it copies.
#pragma once

#include <string>

namespace lumbra {

class SourceLines;

// Kinds of selection: the whole of one line; part of one line; several lines made downwards
// or upwards (the first line from its start column, the last up to its end column).
enum SourceSelectionKind : int {
    kSelectLine = 0,
    kSelectPart = 1,
    kSelectDown = 2,
    kSelectUp = 3,
};

struct SourceSelection {
    bool active = false;
    int startLine = 0, startColumn = 0; // where the mouse went down (0-based)
    int endLine = 0, endColumn = 0;     // where it is now
    int kind = kSelectLine;

    // The lines it covers, first <= last.
    int FirstLine() const { return startLine < endLine ? startLine : endLine; }
    int LastLine() const { return startLine < endLine ? endLine : startLine; }
    bool HoldsLine(int line) const { return active && line >= FirstLine() && line <= LastLine(); }
    // The selected columns [from, to) of a line; to is INT_MAX for "to its end".
    void ColumnsOf(int line, int& from, int& to) const;
};

// "Select All Line": every line of the table.
SourceSelection SelectAllLines(const SourceLines& lines);

// The copied text (UTF-8): lines joined by "\r\n", no final line end. Empty without a
// selection.
std::string SelectionText(const SourceLines& lines, const SourceSelection& selection);

} // namespace lumbra
