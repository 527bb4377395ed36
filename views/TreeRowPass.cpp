// Row numbering and per-level state of the structure chart.
#include "TreeRowPass.h"

namespace lumbra {

TreeRowPass::TreeRowPass(TreeRowList& rows, bool visitHidden)
    : rows_(rows), visitHidden_(visitHidden) {}

bool TreeRowPass::next() {
    while (cursor_ < rows_.size()) {
        const std::size_t i = cursor_++;
        TreeRow& r = rows_[i];
        // Rows under a folded row, and rows too deep to show, share the number of the row
        // before them.
        const bool tooDeep = r.level > kMaxLevel || r.level < 0;
        const bool folded = foldLevel_ >= 0 && r.level > foldLevel_;
        if (folded || tooDeep) {
            r.row = counter_ > 0 ? counter_ - 1 : 0;
            if (tooDeep || !visitHidden_)
                continue;
        } else {
            foldLevel_ = r.foldState() == kFoldFolded ? r.level : -1;
            r.row = counter_++;
        }
        const int kind = r.connector();
        continues_[static_cast<std::size_t>(r.level)] =
            kind != kConnectorEnd && kind != kConnectorLast;
        lastRow_[static_cast<std::size_t>(r.level)] = &r;
        if (r.selected() && !r.omitted())
            highlightLevel_ = r.level;
        else if (!r.selected() && r.level <= highlightLevel_)
            highlightLevel_ = -1;
        index_ = i;
        return true;
    }
    return false;
}

bool TreeRowPass::continues(int level) const {
    return level >= 0 && level <= kMaxLevel && continues_[static_cast<std::size_t>(level)];
}

const TreeRow* TreeRowPass::lastRowAt(int level) const {
    if (level < 0 || level > kMaxLevel)
        return nullptr;
    return lastRow_[static_cast<std::size_t>(level)];
}

std::size_t TreeRowPass::shortNameStart(std::string_view name, const NFileAnly& engine) const {
    for (int level = row().level - 1; level >= 0; --level) {
        const TreeRow* caller = lastRowAt(level);
        if (!caller)
            continue;
        std::string_view prefix = rows_.rowName(*caller, engine);
        if (prefix.empty() || prefix.size() >= name.size() ||
            name.substr(0, prefix.size()) != prefix)
            continue;
        std::string_view rest = name.substr(prefix.size());
        if (rest[0] == '.')
            return prefix.size() + 1;
        if (rest.substr(0, 2) == "::")
            return prefix.size() + 2;
    }
    return 0;
}

std::vector<std::size_t> RowPath(const TreeRowList& rows, std::size_t index) {
    std::vector<std::size_t> path;
    if (index >= rows.size())
        return path;
    path.push_back(index);
    int level = rows[index].level;
    for (std::size_t i = index; i-- > 0 && level > 0;) {
        if (rows[i].level < level) {
            path.push_back(i);
            level = rows[i].level;
        }
    }
    return {path.rbegin(), path.rend()};
}

} // namespace lumbra
