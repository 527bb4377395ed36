// The source pane without a widget: the shown file's line table, its blocks and branches, the
// column geometry, scrolling, the figures of the visible rows (line and block numbers, block
// figures in each style, the branch chart, text, selection, fold marks), the mouse, the
// folding commands, the copy text and the context menu's entries. The pane widget only paints
// the frame and forwards events here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "SourceBlocks.h"
#include "SourceFigures.h"
#include "SourceFrame.h"
#include "SourceLines.h"
#include "SourceSelection.h"

namespace lumbra {

// An entry of the pane's context menu (id 0: a separator).
struct SourceMenuEntry {
    int id = 0;
    std::string caption; // English, for the string table
    bool checked = false;
};

class SourceView {
public:
    // Deeper levels and further branch columns are not drawn.
    static constexpr int kMaxFigureColumns = kSourceMaxFigureColumns;

    // --- the file ----------------------------------------------------------------------------
    // Shows a document whose lines were loaded into `lines` (the table is taken over).
    void Show(SourceDocument document, SourceLines lines);
    void Clear();
    bool Empty() const { return lines_.Empty(); }
    const std::string& Path() const { return doc_.path; }
    const SourceLines& Lines() const { return lines_; }
    const SourceBlocks& Blocks() const { return blocks_; }
    const SourceDocument& Document() const { return doc_; }
    // The target line (1-based) that the folding commands return to, and the current module's
    // lines [first, last] (1-based; 0 for none) whose numbers are marked.
    void SetTarget(int line, int moduleFirst, int moduleLast);
    int TargetLine() const { return targetLine_; }
    // Scrolls so that the target line minus the context lines is the first line shown.
    void ShowTargetPosition();

    // --- options and geometry ----------------------------------------------------------------
    void SetOptions(const SourceOptions& options);
    const SourceOptions& Options() const { return options_; }
    void SetGeometry(int rowHeight, int charWidth, int clientWidth, int clientHeight);
    const SourceGeometry& Geometry() const { return geometry_; }

    // --- scrolling ---------------------------------------------------------------------------
    int TopRow() const { return topRow_; }
    int LeftColumn() const { return leftColumn_; }
    int MaxTopRow() const;
    // The horizontal range in characters (at least 50).
    int ColumnRange() const;
    void SetTopRow(int row);
    void SetLeftColumn(int column);
    // Shows the row of a line (0-based) at the top.
    void ScrollToLine(int line);
    void ScrollRows(int delta);
    void ScrollPages(int pages);
    void ScrollColumns(int delta);
    // "%d / %d": the first line of the top row + 1 (at most the line count) and the count.
    std::string PositionText() const;

    // --- drawing -------------------------------------------------------------------------------
    SourceFrame Frame() const;

    // --- mouse ---------------------------------------------------------------------------------
    // The line shown at y (0-based), -1 below the last row.
    int LineAt(int y) const;
    // The text column at x (0 left of the text).
    int ColumnAt(int x) const;
    // Left button down, moves and up. A press and release at the same place on the figure
    // area chooses a block (or a branch column) to highlight; on a fold mark it unfolds.
    void Press(int x, int y);
    void Drag(int x, int y);
    void Release(int x, int y);
    const SourceSelection& Selection() const { return selection_; }
    bool HasSelection() const { return selection_.active; }
    void SelectAll();
    // The copy text of the selection (UTF-8), "" without one.
    std::string CopyText() const;
    // The highlighted block (index into Blocks()), -1 for none; the chosen branch column.
    int HighlightedBlock() const { return highlightBlock_; }
    int HighlightedBranchColumn() const { return branchColumn_; }

    // --- folding -------------------------------------------------------------------------------
    bool CanFold() const;
    void FoldAll();
    void ExpandAll();
    // The line the last context menu remembered (a head line), -1 for none.
    int MenuLine() const { return menuLine_; }
    bool CanFoldLower() const;
    void FoldLower();
    void ExpandLower();
    // The folding setting changed: heads fold (mode 1) or open (otherwise) again.
    void Refold();

    // --- context menu --------------------------------------------------------------------------
    // The entries at y; remembers the clicked line for "Lower Folding"/"Lower Expand".
    std::vector<SourceMenuEntry> ContextMenu(int y);

private:
    void layout();
    void clampScroll();
    void afterFolding(bool scrollToTarget);
    SourceFigures figures() const;

    SourceDocument doc_;
    SourceLines lines_;
    SourceBlocks blocks_;
    SourceOptions options_;
    SourceGeometry geometry_;
    int topRow_ = 0;
    int leftColumn_ = 0;
    int targetLine_ = 1;
    int moduleFirst_ = 0, moduleLast_ = 0;
    SourceSelection selection_;
    bool pressed_ = false;
    int pressX_ = 0, pressY_ = 0;
    bool dragged_ = false;
    bool pressInText_ = false;
    int highlightBlock_ = -1;
    int branchColumn_ = -1;
    int branchLine_ = -1;
    int menuLine_ = -1;
};

} // namespace lumbra
