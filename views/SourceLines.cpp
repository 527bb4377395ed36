// The source pane's line table and its folding.
#include "SourceLines.h"

#include <algorithm>

#include "CodePage.h"
#include "DisplayWidth.h"
#include "TextInput.h"

namespace lumbra {

std::string ExpandTabs(std::string_view s, int tabWidth) {
    if (s.find('\t') == std::string_view::npos)
        return std::string(s);
    const int width = std::max(tabWidth, 1);
    std::string out;
    out.reserve(s.size() + 16);
    int column = 0;
    for (std::size_t i = 0; i < s.size();) {
        if (s[i] == '\t') {
            const int blanks = width - column % width;
            out.append(static_cast<std::size_t>(blanks), ' ');
            column += blanks;
            ++i;
            continue;
        }
        int w = 1;
        const std::size_t next = NextCharacter(s, i, w);
        out.append(s.substr(i, next - i));
        column += w;
        i = next;
    }
    return out;
}

std::string_view CutLineEnd(std::string_view line) {
    if (!line.empty() && (line.back() == '\r' || line.back() == '\x1a'))
        line.remove_suffix(1);
    return line;
}

void SourceLines::Clear() {
    lines_.clear();
    firstLineOfRow_.clear();
    rowCount_ = 0;
    maxCells_ = 0;
    maxLevel_ = 0;
}

void SourceLines::Load(const SourceText& text, int codePage, std::span<const std::uint32_t> words,
                       int tabWidth, bool folding, bool startFolded) {
    Clear();
    lines_.resize(text.lineCount());
    for (std::size_t i = 0; i < text.lineCount(); ++i) {
        SourceLine& line = lines_[i];
        line.text = ExpandTabs(InternalToUtf8(CutLineEnd(text.line(i)), codePage), tabWidth);
        line.word = i < words.size() ? words[i] : 0;
    }
    finish(folding, startFolded);
}

void SourceLines::LoadUtf8(const std::vector<std::string>& lines,
                           std::span<const std::uint32_t> words, int tabWidth, bool folding,
                           bool startFolded) {
    Clear();
    lines_.resize(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        lines_[i].text = ExpandTabs(CutLineEnd(lines[i]), tabWidth);
        lines_[i].word = i < words.size() ? words[i] : 0;
    }
    finish(folding, startFolded);
}

void SourceLines::finish(bool folding, bool startFolded) {
    int previous = 0;
    for (SourceLine& line : lines_) {
        const std::string& t = line.text;
        line.ascii = std::all_of(t.begin(), t.end(), [](char c) { return (c & 0x80) == 0; });
        line.cells = line.ascii ? static_cast<int>(t.size()) : DisplayWidth(t);
        const std::size_t blanks = t.find_first_not_of(' ');
        line.indent = static_cast<int>(blanks == std::string::npos ? t.size() : blanks) - 1;
        const int level = line.level();
        line.head = line_word::Active(line.word) && level > previous ? level : 0;
        line.flags = folding && startFolded && line.head != 0 ? kFlagFolded : 0;
        previous = level;
        maxCells_ = std::max(maxCells_, line.cells);
        maxLevel_ = std::max(maxLevel_, level);
    }
    ComputeRows();
}

void SourceLines::SetKind(int line, std::uint8_t kind) {
    if (line < 0 || line >= Count())
        return;
    std::uint8_t& flags = lines_[line].flags;
    flags = static_cast<std::uint8_t>((flags & ~kFlagKindMask) | (kind & kFlagKindMask));
}

void SourceLines::ComputeRows() {
    const int n = Count();
    firstLineOfRow_.assign(static_cast<std::size_t>(n) + 1, n);
    int row = 0;
    for (int i = 0; i < n;) {
        firstLineOfRow_[row] = i;
        lines_[i].row = row;
        int next = i + 1;
        if (lines_[i].folded()) {
            const int depth = lines_[i].level();
            while (next < n && lines_[next].level() >= depth)
                lines_[next++].row = row;
            while (next < n && lines_[next].kind() == kFlagStaysWithHead)
                lines_[next++].row = row;
        }
        i = next;
        ++row;
    }
    rowCount_ = row;
}

int SourceLines::RowOfLine(int line) const {
    if (lines_.empty())
        return 0;
    return lines_[static_cast<std::size_t>(std::clamp(line, 0, Count() - 1))].row;
}

int SourceLines::FirstLineOfRow(int row) const {
    if (row < 0)
        return 0;
    return row < rowCount_ ? firstLineOfRow_[row] : Count();
}

void SourceLines::FoldAll() {
    for (SourceLine& line : lines_)
        if (line.kind() == 0)
            line.flags = static_cast<std::uint8_t>((line.flags & ~kFlagFolded) |
                                                   (line.head != 0 ? kFlagFolded : 0));
    ComputeRows();
}

void SourceLines::ExpandAll() {
    for (SourceLine& line : lines_)
        line.flags &= static_cast<std::uint8_t>(~kFlagFolded);
    ComputeRows();
}

std::pair<int, int> SourceLines::LowerRange(int line) const {
    const int n = Count();
    if (line < 0 || line >= n)
        return {0, -1};
    const int depth = lines_[line].level();
    int end = line;
    while (end + 1 < n && lines_[end + 1].level() >= depth)
        ++end;
    return {line, end};
}

void SourceLines::FoldLower(int line) {
    const auto [first, last] = LowerRange(line);
    for (int i = first; i <= last; ++i) {
        SourceLine& l = lines_[i];
        if (l.kind() == 0 && l.head != 0)
            l.flags |= kFlagFolded;
    }
    ComputeRows();
}

void SourceLines::SetFolded(int line, bool folded) {
    if (line < 0 || line >= Count())
        return;
    SourceLine& l = lines_[line];
    l.flags = static_cast<std::uint8_t>((l.flags & ~kFlagFolded) |
                                        (folded && l.head != 0 ? kFlagFolded : 0));
    ComputeRows();
}

void SourceLines::ExpandLower(int line) {
    const auto [first, last] = LowerRange(line);
    for (int i = first; i <= last; ++i)
        lines_[i].flags &= static_cast<std::uint8_t>(~kFlagFolded);
    ComputeRows();
}

std::size_t SourceLines::ByteOfColumn(int line, int column) const {
    const std::string& t = lines_[static_cast<std::size_t>(line)].text;
    if (column <= 0)
        return 0;
    if (lines_[line].ascii)
        return std::min(t.size(), static_cast<std::size_t>(column));
    int at = 0;
    std::size_t i = 0;
    while (i < t.size()) {
        int w = 1;
        const std::size_t next = NextCharacter(t, i, w);
        if (at + w > column)
            break;
        at += w;
        i = next;
    }
    return i;
}

std::string SourceLines::ColumnText(int line, int from, int to) const {
    if (line < 0 || line >= Count() || to <= from)
        return {};
    const std::string& t = lines_[static_cast<std::size_t>(line)].text;
    if (lines_[line].ascii) {
        const auto a = std::min(t.size(), static_cast<std::size_t>(std::max(from, 0)));
        const auto b = std::min(t.size(), static_cast<std::size_t>(to));
        return t.substr(a, b - a);
    }
    // A wide character that starts before `from` is left out.
    int at = 0;
    std::size_t i = 0;
    while (i < t.size() && at < from) {
        int w = 1;
        i = NextCharacter(t, i, w);
        at += w;
    }
    const std::size_t start = i;
    while (i < t.size()) {
        int w = 1;
        const std::size_t next = NextCharacter(t, i, w);
        if (at + w > to)
            break;
        at += w;
        i = next;
    }
    return t.substr(start, i - start);
}

} // namespace lumbra
