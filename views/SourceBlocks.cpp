// Blocks from line levels.
#include "SourceBlocks.h"

#include <algorithm>

#include "SourceLines.h"

namespace lumbra {
namespace {

BlockKind kindOf(int statement) {
    return statement == 1   ? BlockKind::Loop
           : statement == 2 ? BlockKind::Conditional
                            : BlockKind::Plain;
}

} // namespace

void SourceBlocks::Clear() {
    blocks_.clear();
    byLevel_.clear();
}

void SourceBlocks::Build(const SourceLines& lines) {
    Clear();
    byLevel_.resize(static_cast<std::size_t>(lines.MaxLevel()) + 1);
    std::vector<int> open; // block index per open level, outermost first
    int previous = 0;
    for (int i = 0; i < lines.Count(); ++i) {
        const int level = lines[i].level();
        while (static_cast<int>(open.size()) > level) {
            blocks_[open.back()].closeLine = i;
            open.pop_back();
        }
        for (int l = previous + 1; l <= level; ++l) {
            SourceBlock b;
            b.level = l;
            b.openLine = i;
            b.headLine = i;
            b.closeLine = lines.Count();
            if (l == level) {
                // "for (...)" on its own line with the brace below: the keyword line heads it.
                const std::uint32_t w = lines[i].word;
                int statement = line_word::Statement(w);
                if (statement == 0)
                    statement = line_word::Pending(w);
                if (i > 0 && lines.Level(i - 1) == previous && line_word::Statement(w) == 0) {
                    const int before = line_word::Statement(lines[i - 1].word);
                    if (before == 1 || before == 2) {
                        b.headLine = i - 1;
                        statement = before;
                    }
                }
                b.kind = kindOf(statement);
            }
            // Levels skipped by a line that opens several at once stay plain.
            open.resize(static_cast<std::size_t>(l - 1), -1);
            open.push_back(static_cast<int>(blocks_.size()));
            byLevel_[l].push_back(static_cast<int>(blocks_.size()));
            blocks_.push_back(b);
        }
        if (static_cast<int>(open.size()) < level)
            open.resize(static_cast<std::size_t>(level), -1);
        previous = level;
    }
}

int SourceBlocks::BlockAt(int line, int level) const {
    if (level <= 0 || level >= static_cast<int>(byLevel_.size()))
        return -1;
    const std::vector<int>& list = byLevel_[level];
    // The last block of the level whose head is not below the line.
    auto it = std::upper_bound(list.begin(), list.end(), line,
                               [this](int l, int b) { return l < blocks_[b].headLine; });
    if (it == list.begin())
        return -1;
    const int b = *std::prev(it);
    return line <= blocks_[b].closeLine ? b : -1;
}

int SourceBlocks::OpenedAt(int line, int level) const {
    const int b = BlockAt(line, level);
    return b >= 0 && blocks_[b].openLine == line ? b : -1;
}

int SourceBlocks::ClosedAt(int line, int level) const {
    if (level <= 0 || level >= static_cast<int>(byLevel_.size()))
        return -1;
    const std::vector<int>& list = byLevel_[level];
    // Blocks of one level follow each other, so the one closed here is the last one opened
    // before the line.
    auto it = std::lower_bound(list.begin(), list.end(), line,
                               [this](int b, int l) { return blocks_[b].openLine < l; });
    if (it == list.begin())
        return -1;
    const int b = *std::prev(it);
    return blocks_[b].closeLine == line ? b : -1;
}

} // namespace lumbra
