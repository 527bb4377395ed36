// The control blocks of the shown file, found from the line levels: where each block's head,
// opening and closing lines are and whether it is a loop, a conditional or a plain block. The
// block figures, their highlight and the "Linkage" brackets are drawn from these.
#pragma once

#include <vector>

namespace lumbra {

class SourceLines;

enum class BlockKind { Plain, Loop, Conditional };

struct SourceBlock {
    int level = 0;     // the figure column, 1-based
    int headLine = 0;  // the line with the block's keyword (the opening line or the one before)
    int openLine = 0;  // the line whose level rises to `level`
    int closeLine = 0; // the first line whose level falls below it (the line count at the end)
    BlockKind kind = BlockKind::Plain;
};

class SourceBlocks {
public:
    void Build(const SourceLines& lines);
    void Clear();

    const std::vector<SourceBlock>& Blocks() const { return blocks_; }
    // The block of a level that holds a line (head to closing line), or -1.
    int BlockAt(int line, int level) const;
    // The block of a level that a line opens, or -1.
    int OpenedAt(int line, int level) const;
    // The block of a level that a line closes, or -1.
    int ClosedAt(int line, int level) const;

private:
    std::vector<SourceBlock> blocks_;
    std::vector<std::vector<int>> byLevel_; // block indexes of each level, by head line
};

} // namespace lumbra
