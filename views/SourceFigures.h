// The block figures of the source pane's rows and the branch chart of an assembler file, in
// the style the options ask for: which figure each level shows on a line (opening, head,
// continuation, branch, closing, brace-less body, call), its shape and where it joins the text.
#pragma once

#include "SourceBlocks.h"
#include "SourceFrame.h"
#include "SourceLines.h"

namespace lumbra {

class SourceFigures {
public:
    SourceFigures(const SourceLines& lines, const SourceBlocks& blocks,
                  const SourceDocument& document, const SourceOptions& options,
                  const SourceGeometry& geometry);
    // What the mouse chose: a block (index into the blocks, -1 none) and a branch column with
    // the clicked line (0-based).
    void SetHighlight(int block, int branchColumn, int branchLine);

    // The level a display row ends with; a folded head keeps its own level, the levels inside
    // it stay hidden. 0 outside the rows.
    int RowEndLevel(int row) const;
    // Centres of a block figure column and of a branch column (both 1-based; branch column 1
    // lies next to the text).
    int ColumnX(int column) const;
    int BranchColumnX(int column) const;

    // The figures of one display row at y.
    void AddRow(SourceFrame& frame, int row, int y) const;
    // The branches that touch the page starting at `topRow`.
    void AddBranchChart(SourceFrame& frame, int topRow) const;

private:
    bool highlighted(int level, int line) const;

    const SourceLines& lines_;
    const SourceBlocks& blocks_;
    const SourceDocument& doc_;
    const SourceOptions& options_;
    const SourceGeometry& geometry_;
    int highlightBlock_ = -1;
    int branchColumn_ = -1;
    int branchLine_ = -1;
};

} // namespace lumbra
