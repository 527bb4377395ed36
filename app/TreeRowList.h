// The calling-tree rows in drawing order (a row, then its lower rows, then its next sibling),
// with the bookkeeping the builder and the views need: greatest level, name widths, and which
// modules already have a row.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "NFileAnly.h"
#include "TreeRow.h"

namespace lumbra {

class TreeRowList {
public:
    std::size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }
    TreeRow& operator[](std::size_t i) { return rows_[i]; }
    const TreeRow& operator[](std::size_t i) const { return rows_[i]; }
    std::vector<TreeRow>& rows() { return rows_; }
    const std::vector<TreeRow>& rows() const { return rows_; }

    int greatestLevel() const { return greatestLevel_; }
    // Longest name over all rows of all trees (the engine's widths cover only the last walk);
    // shortName: the part after the last '.' or the first "::".
    int nameWidth(bool shortName) const { return shortName ? shortNameWidth_ : nameWidth_; }

    // Frees every row (the engine's walk is reset by the builder's ClearTreeRows).
    void clear();

    // AppendTreeRow: a row for the walk node, with the module's fold state, connector kind 0,
    // neither selected nor omitted.
    TreeRow& append(const WalkNodeInfo& node);
    // A leaf row for a callee that no module stands for.
    TreeRow& appendLeaf(int level, std::string_view name);

    // Number of rows that show the module (0 for ids never shown).
    int rowsOfModule(int id) const;
    // The callee name of a leaf row, "" for a module's row.
    std::string_view leafName(const TreeRow& row) const;
    // The name a row shows: its module's name or its leaf name ("" when the module is gone).
    std::string_view rowName(const TreeRow& row, const NFileAnly& engine) const;

private:
    TreeRow& push(int level, std::uint32_t flags, std::string_view name);

    std::vector<TreeRow> rows_;
    std::vector<std::string> leafNames_;
    std::vector<int> rowsOfModule_; // by module id
    int greatestLevel_ = 0;
    int nameWidth_ = 1;
    int shortNameWidth_ = 1;
};

} // namespace lumbra
