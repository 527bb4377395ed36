// The calling-tree row list.
#include "TreeRowList.h"

#include <algorithm>

namespace lumbra {

void TreeRowList::clear() {
    rows_.clear();
    leafNames_.clear();
    rowsOfModule_.clear();
    greatestLevel_ = 0;
    nameWidth_ = 1;
    shortNameWidth_ = 1;
}

TreeRow& TreeRowList::push(int level, std::uint32_t flags, std::string_view name) {
    TreeRow& row = rows_.emplace_back();
    row.level = level;
    row.flags = flags;
    greatestLevel_ = std::max(greatestLevel_, level);
    nameWidth_ = std::max(nameWidth_, static_cast<int>(name.size()));
    shortNameWidth_ =
        std::max(shortNameWidth_, static_cast<int>(name.size() - NFileAnly::ShortNameStart(name)));
    return row;
}

TreeRow& TreeRowList::append(const WalkNodeInfo& node) {
    const auto flags =
        (static_cast<std::uint32_t>(node.id) << TreeRow::kIdShift) |
        ((static_cast<std::uint32_t>(node.foldState) << TreeRow::kFoldShift) & TreeRow::kFoldMask);
    const auto id = static_cast<std::size_t>(node.id);
    if (id >= rowsOfModule_.size())
        rowsOfModule_.resize(std::max(id + 1, rowsOfModule_.size() * 2), 0);
    ++rowsOfModule_[id];
    return push(node.level, flags, node.name);
}

TreeRow& TreeRowList::appendLeaf(int level, std::string_view name) {
    leafNames_.emplace_back(name);
    TreeRow& row = push(level, 0, name);
    row.leafName = static_cast<int>(leafNames_.size()) - 1;
    return row;
}

int TreeRowList::rowsOfModule(int id) const {
    if (id < 0 || static_cast<std::size_t>(id) >= rowsOfModule_.size())
        return 0;
    return rowsOfModule_[static_cast<std::size_t>(id)];
}

std::string_view TreeRowList::leafName(const TreeRow& row) const {
    if (row.leafName < 0 || static_cast<std::size_t>(row.leafName) >= leafNames_.size())
        return {};
    return leafNames_[static_cast<std::size_t>(row.leafName)];
}

std::string_view TreeRowList::rowName(const TreeRow& row, const NFileAnly& engine) const {
    if (row.isLeaf())
        return leafName(row);
    const char* name = engine.GetModuleName(row.moduleId());
    return name ? std::string_view(name) : std::string_view();
}

} // namespace lumbra
