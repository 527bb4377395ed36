// The source pane's line table: the shown file's lines as display text (tabs expanded, a
// trailing CR or Ctrl-Z cut), each with its line word, indent, fold head and flags, and the
// display rows that folding leaves. No widget: the pane, the printout and the tests share it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/LineWord.h"

namespace lumbra {

class SourceText;

// The fields of a line attribute word that the source view reads.
namespace line_word {
inline constexpr std::uint32_t kStatement = 0x00070000u; // 1 loop head, 2 conditional head
// Any block keyword: statement kind, pending body and bit 28.
inline constexpr std::uint32_t kBlockKeywordBits = kStatementMask | kPendingMask | 0x10000000u;

inline int Level(std::uint32_t w) {
    return static_cast<int>(w & kLineLevelMask);
}
inline int Statement(std::uint32_t w) {
    return static_cast<int>((w & kStatement) >> 16);
}
inline int Pending(std::uint32_t w) {
    return static_cast<int>((w & kPendingMask) >> 20);
}
inline bool Active(std::uint32_t w) {
    return (w & kLineActive) != 0;
}
} // namespace line_word

// Flags of a line table entry.
inline constexpr std::uint8_t kFlagFolded = 0x01;
inline constexpr std::uint8_t kFlagKindMask = 0x06;
inline constexpr std::uint8_t kFlagStaysWithHead = 0x04;

struct SourceLine {
    std::string text; // UTF-8, tabs expanded
    std::uint32_t word = 0;
    int indent = -1; // leading blanks - 1
    int head = 0;    // the level a foldable head line opens, else 0
    std::uint8_t flags = 0;
    int row = 0;       // display row
    int cells = 0;     // columns the text takes
    bool ascii = true; // one byte per column

    int level() const { return line_word::Level(word); }
    bool folded() const { return (flags & kFlagFolded) != 0; }
    int kind() const { return flags & kFlagKindMask; }
};

// Tabs to blanks up to the next multiple of `tabWidth` columns (wide characters count two).
std::string ExpandTabs(std::string_view utf8, int tabWidth);
// The line without one trailing carriage return or Ctrl-Z.
std::string_view CutLineEnd(std::string_view line);

class SourceLines {
public:
    // Builds the table from decoded lines (internal code page) and the file's line words
    // (line n at n - 1; missing words are 0). `folding`: folding is enabled; `startFolded`:
    // every head line starts folded.
    void Load(const SourceText& text, int codePage, std::span<const std::uint32_t> words,
              int tabWidth, bool folding, bool startFolded);
    // The same from UTF-8 lines (tests, the printout).
    void LoadUtf8(const std::vector<std::string>& lines, std::span<const std::uint32_t> words,
                  int tabWidth, bool folding, bool startFolded);
    void Clear();

    int Count() const { return static_cast<int>(lines_.size()); }
    bool Empty() const { return lines_.empty(); }
    const SourceLine& operator[](int i) const { return lines_[static_cast<std::size_t>(i)]; }
    // Level of line i, 0 outside the table.
    int Level(int i) const { return i >= 0 && i < Count() ? lines_[i].level() : 0; }
    int MaxCells() const { return maxCells_; }
    int MaxLevel() const { return maxLevel_; }
    // Marks a line's kind bits (kFlagStaysWithHead keeps it on its folded head's row).
    void SetKind(int line, std::uint8_t kind);

    // --- display rows ------------------------------------------------------------------------
    // Recomputes the rows from the fold flags.
    void ComputeRows();
    int RowCount() const { return rowCount_; }
    int RowOfLine(int line) const;
    // The first line shown on row r (the line count past the last row).
    int FirstLineOfRow(int row) const;
    int LastLineOfRow(int row) const { return FirstLineOfRow(row + 1) - 1; }

    // --- folding -----------------------------------------------------------------------------
    // "Folding All": every line of kind 0 folds when it is a head. Rows are recomputed.
    void FoldAll();
    // "Expand All": nothing stays folded.
    void ExpandAll();
    // The range of "Lower Folding"/"Lower Expand" from a head line: it ends at the first line
    // whose next line lies below the start line's level (or at the last line).
    std::pair<int, int> LowerRange(int line) const;
    void FoldLower(int line);
    // Folds or opens one head line.
    void SetFolded(int line, bool folded);
    void ExpandLower(int line);

    // --- columns -------------------------------------------------------------------------------
    // Byte offset in line i of column `column` (rounded down to a character start; the text's
    // size past its end).
    std::size_t ByteOfColumn(int line, int column) const;
    // The columns [from, to) of line i as UTF-8 (a wide character cut by `from` is dropped).
    std::string ColumnText(int line, int from, int to) const;

private:
    void finish(bool folding, bool startFolded);

    std::vector<SourceLine> lines_;
    std::vector<int> firstLineOfRow_;
    int rowCount_ = 0;
    int maxCells_ = 0;
    int maxLevel_ = 0;
};

} // namespace lumbra
