// One pass over the calling-tree rows as the structure chart draws, prints or writes them:
// display row numbers with folding, the per-level continuation flags and last rows, and the
// highlight level of the selection.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

#include "NFileAnly.h"
#include "TreeRowList.h"

namespace lumbra {

class TreeRowPass {
public:
    static constexpr int kMaxLevel = 256; // deeper rows are neither drawn nor written

    // visitHidden: also visit the rows hidden under a folded row (the text output writes every
    // row; drawing skips them). Row numbers are the display numbers either way.
    TreeRowPass(TreeRowList& rows, bool visitHidden);

    // Numbers the rows up to the next one to visit and makes it current; false at the end.
    bool next();

    std::size_t index() const { return index_; }
    TreeRow& row() const { return rows_[index_]; }
    // True while a row of this level below the current one still belongs to the same caller:
    // the vertical line of the level continues.
    bool continues(int level) const;
    // The row most recently visited at a level (for the current row, its callers), or nullptr.
    const TreeRow* lastRowAt(int level) const;
    // Level of the selected row whose lower rows are being visited, or -1.
    int highlightLevel() const { return highlightLevel_; }
    // Rows numbered so far; after the last next() the number of display rows.
    int displayRowCount() const { return counter_; }

    // Where the name of the current row starts when names are shortened: after the name of
    // the nearest caller that is a prefix of it followed by "." or "::" (0 when none is).
    std::size_t shortNameStart(std::string_view name, const NFileAnly& engine) const;

private:
    TreeRowList& rows_;
    bool visitHidden_;
    std::size_t index_ = 0;
    std::size_t cursor_ = 0; // next row to number
    int counter_ = 0;
    int foldLevel_ = -1; // level of the folded row whose lower rows are being passed
    int highlightLevel_ = -1;
    std::array<bool, kMaxLevel + 1> continues_{};
    std::array<const TreeRow*, kMaxLevel + 1> lastRow_{};
};

// The rows from the root down to row `index` (its callers, then the row itself), as indexes.
std::vector<std::size_t> RowPath(const TreeRowList& rows, std::size_t index);

} // namespace lumbra
