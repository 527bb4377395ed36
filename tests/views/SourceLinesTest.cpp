// The source pane's line table without a display: loading (tabs, line ends, indent, heads),
// display rows under folding, the folding commands' ranges, columns of wide characters, the
// four selection kinds and their copy texts, and the enabled-line output.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "SourceLineOutput.h"
#include "SourceLines.h"
#include "SourceSelection.h"
#include "TextInput.h"

namespace lumbra {
namespace {

constexpr std::uint32_t kOn = 0x80000000u; // an active line

// Active words of the given levels.
std::vector<std::uint32_t> levels(std::initializer_list<int> list) {
    std::vector<std::uint32_t> words;
    for (int level : list)
        words.push_back(kOn | static_cast<std::uint32_t>(level));
    return words;
}

SourceLines table(const std::vector<std::string>& text, const std::vector<std::uint32_t>& words,
                  bool startFolded = false, bool folding = true) {
    SourceLines lines;
    lines.LoadUtf8(text, words, 4, folding, startFolded);
    return lines;
}

std::vector<int> rows(const SourceLines& lines) {
    std::vector<int> out;
    for (int i = 0; i < lines.Count(); ++i)
        out.push_back(lines[i].row);
    return out;
}

TEST(SourceLines, TabsExpandToTheNextMultipleOfTheWidthCountingWideCharactersTwice) {
    EXPECT_EQ(ExpandTabs("abc\tx", 4), "abc x");      // a tab at column 3: one blank
    EXPECT_EQ(ExpandTabs("abcd\tx", 4), "abcd    x"); // at a multiple: a whole tab width
    EXPECT_EQ(ExpandTabs("\t\tx", 3), "      x");
    EXPECT_EQ(ExpandTabs("\xe6\x97\xa5\tx", 4), "\xe6\x97\xa5  x"); // a wide character is two
    EXPECT_EQ(ExpandTabs("a\tb", 0), "a b");                        // a width below 1 counts 1
}

TEST(SourceLines, LoadingCutsCarriageReturnAndCtrlZAndMeasuresIndentAndHeads) {
    const std::string file = "int f()\r\n{\r\n\tif (a) {\r\n\t\tb();\r\n\t}\r\n}\r\n\x1a";
    SourceText text = SourceText::FromBytes(file, TextReadSettings{kEncUtf8, 0, kCodePageUtf8});
    ASSERT_EQ(text.lineCount(), 7u);
    std::vector<std::uint32_t> words = levels({0, 1, 2, 2, 1, 0, 0});
    words[3] &= ~kOn; // an inactive line is never a head
    SourceLines lines;
    lines.Load(text, kCodePageUtf8, words, 4, true, true);
    ASSERT_EQ(lines.Count(), 7);
    EXPECT_EQ(lines[0].text, "int f()");
    EXPECT_EQ(lines[2].text, "    if (a) {");
    EXPECT_EQ(lines[3].text, "        b();");
    EXPECT_EQ(lines[6].text, ""); // Ctrl-Z alone
    EXPECT_EQ(lines[0].indent, -1);
    EXPECT_EQ(lines[2].indent, 3);
    EXPECT_EQ(lines[6].indent, -1);
    EXPECT_EQ(lines[1].head, 1);
    EXPECT_EQ(lines[2].head, 2);
    EXPECT_EQ(lines[3].head, 0);
    EXPECT_EQ(lines.MaxLevel(), 2);
    EXPECT_EQ(lines.MaxCells(), 12);
    // Folding enabled: every head starts folded, so the function shows as its head.
    EXPECT_TRUE(lines[1].folded());
    EXPECT_TRUE(lines[2].folded());
    EXPECT_EQ(rows(lines), (std::vector<int>{0, 1, 1, 1, 1, 2, 3}));
    EXPECT_EQ(lines.RowCount(), 4);

    // A missing word is 0 (an inactive line of level 0); folding disabled folds nothing.
    SourceLines plain;
    plain.Load(text, kCodePageUtf8, std::vector<std::uint32_t>{kOn, kOn | 1}, 4, false, true);
    EXPECT_EQ(plain[1].head, 1);
    EXPECT_FALSE(plain[1].folded());
    EXPECT_EQ(plain[3].word, 0u);
    EXPECT_EQ(plain.RowCount(), 7);
}

TEST(SourceLines, LinesOfAnotherInternalCodePageAreShownAndCopiedAsUnicode) {
    // "\x93\xfa\x96\x7b" is Japanese in Shift-JIS (code page 932); the tab stops count its
    // two characters as four columns.
    const SourceText text = SourceText::FromInternal("\x93\xfa\x96\x7b\tx\n");
    SourceLines lines;
    lines.Load(text, 932, levels({0}), 8, false, false);
    EXPECT_EQ(lines[0].text, "\xe6\x97\xa5\xe6\x9c\xac    x");
    EXPECT_EQ(lines[0].cells, 9);
    EXPECT_EQ(SelectionText(lines, SelectAllLines(lines)), lines[0].text);
}

TEST(SourceLines, DisplayRowsHideFoldedBlocksAndKeepKindFourLinesWithTheirHead) {
    //                          0  1  2  3  4  5  6  7  8
    SourceLines lines = table({"f", "{", "a", "{", "b", "}", "c", "}", "g"},
                              levels({0, 1, 1, 2, 2, 1, 1, 0, 0}), true);
    EXPECT_EQ(rows(lines), (std::vector<int>{0, 1, 1, 1, 1, 1, 1, 2, 3}));
    EXPECT_EQ(lines.FirstLineOfRow(1), 1);
    EXPECT_EQ(lines.LastLineOfRow(1), 6);
    EXPECT_EQ(lines.FirstLineOfRow(4), 9); // past the last row: the line count
    EXPECT_EQ(lines.RowOfLine(4), 1);

    lines.ExpandAll();
    EXPECT_EQ(lines.RowCount(), 9);
    lines.SetFolded(3, true); // the inner block alone
    EXPECT_EQ(rows(lines), (std::vector<int>{0, 1, 2, 3, 3, 4, 5, 6, 7}));
    lines.SetKind(5, kFlagStaysWithHead);
    lines.ComputeRows();
    EXPECT_EQ(rows(lines), (std::vector<int>{0, 1, 2, 3, 3, 3, 4, 5, 6}));
    lines.SetFolded(0, true); // not a head: nothing folds
    EXPECT_FALSE(lines[0].folded());
}

TEST(SourceLines, FoldingAllLowerFoldingAndLowerExpandCoverTheirRanges) {
    //                          0  1  2  3  4  5  6  7  8   9
    SourceLines lines = table({"f", "{", "{", "x", "}", "{", "y", "}", "}", "g"},
                              levels({0, 1, 2, 2, 1, 2, 2, 1, 0, 0}));
    EXPECT_EQ(lines.RowCount(), 10);
    // The range ends at the first line whose next line lies below the start's level.
    EXPECT_EQ(lines.LowerRange(1), (std::pair<int, int>{1, 7}));
    EXPECT_EQ(lines.LowerRange(2), (std::pair<int, int>{2, 3}));
    EXPECT_EQ(lines.LowerRange(9), (std::pair<int, int>{9, 9}));

    lines.FoldLower(5);
    EXPECT_EQ(lines.RowCount(), 9);
    EXPECT_TRUE(lines[5].folded());
    EXPECT_FALSE(lines[2].folded());
    lines.FoldLower(1); // every head inside folds too
    EXPECT_TRUE(lines[1].folded() && lines[2].folded() && lines[5].folded());
    EXPECT_EQ(lines.RowCount(), 4);
    lines.ExpandLower(1);
    EXPECT_EQ(lines.RowCount(), 10);
    EXPECT_FALSE(lines[1].folded() || lines[2].folded() || lines[5].folded());

    // "Folding All" leaves lines with kind bits alone.
    lines.SetKind(2, kFlagStaysWithHead);
    lines.FoldAll();
    EXPECT_TRUE(lines[1].folded());
    EXPECT_FALSE(lines[2].folded());
    EXPECT_TRUE(lines[5].folded());
    lines.ExpandAll();
    EXPECT_EQ(lines.RowCount(), 10);
}

TEST(SourceLines, ColumnsOfWideCharactersNeverSplitACharacter) {
    // "a" + two wide characters + "b": columns 0, 1-2, 3-4, 5.
    SourceLines lines = table({"a\xe6\x97\xa5\xe6\x9c\xac"
                               "b",
                               "plain"},
                              levels({0, 0}));
    EXPECT_FALSE(lines[0].ascii);
    EXPECT_EQ(lines[0].cells, 6);
    EXPECT_EQ(lines.ColumnText(0, 0, 3), "a\xe6\x97\xa5");
    EXPECT_EQ(lines.ColumnText(0, 2, 6), "\xe6\x9c\xac"
                                         "b"); // the cut character is left out
    EXPECT_EQ(lines.ColumnText(0, 1, 2), "");  // half a character is nothing
    EXPECT_EQ(lines.ByteOfColumn(0, 2), 1u);
    EXPECT_EQ(lines.ByteOfColumn(0, 99), 8u);
    EXPECT_EQ(lines.ColumnText(1, 3, 99), "in");
    EXPECT_EQ(lines.ColumnText(1, 9, 20), "");
}

TEST(SourceSelection, EachKindCopiesItsTextWithCrLfBetweenLinesAndNoneAtTheEnd) {
    SourceLines lines = table({"alpha", "beta", "gamma", "delta"}, levels({0, 0, 0, 0}));
    SourceSelection s;
    EXPECT_EQ(SelectionText(lines, s), ""); // nothing selected: nothing copied

    s.active = true;
    s.kind = kSelectLine;
    s.startLine = s.endLine = 1;
    EXPECT_EQ(SelectionText(lines, s), "beta");

    s.kind = kSelectPart; // from the smaller to the larger column
    s.startColumn = 4;
    s.endColumn = 1;
    EXPECT_EQ(SelectionText(lines, s), "eta");

    s.kind = kSelectDown; // made downwards
    s.startLine = 0;
    s.startColumn = 2;
    s.endLine = 2;
    s.endColumn = 3;
    EXPECT_EQ(SelectionText(lines, s), "pha\r\nbeta\r\ngam");

    s.kind = kSelectUp; // made upwards: the end lies above the start
    s.startLine = 3;
    s.startColumn = 1;
    s.endLine = 1;
    s.endColumn = 2;
    EXPECT_EQ(SelectionText(lines, s), "ta\r\ngamma\r\nd");
    EXPECT_TRUE(s.HoldsLine(2));
    EXPECT_FALSE(s.HoldsLine(0));

    const SourceSelection all = SelectAllLines(lines);
    EXPECT_EQ(SelectionText(lines, all), "alpha\r\nbeta\r\ngamma\r\ndelta");
    int from = 0, to = 0;
    all.ColumnsOf(3, from, to);
    EXPECT_EQ(from, 0);
    EXPECT_EQ(to, 5);
    EXPECT_FALSE(SelectAllLines(SourceLines{}).active);
}

TEST(SourceLineOutput, KeepsEveryLineNumberAndDropsInactiveAndConditionalLines) {
    const std::string file = "#include <a.h>\r\n"
                             "#ifdef X\r\n"
                             "int x;\r\n"
                             "#else\r\n"
                             "\tint y;\r\n"
                             "  #  endif\r\n"
                             "#define Z 1\r\n"
                             "// end\x1a";
    SourceText text = SourceText::FromBytes(file, TextReadSettings{kEncUtf8, 0, kCodePageUtf8});
    const std::uint32_t dir = kOn | 0x200;
    const std::vector<std::uint32_t> words = {dir, dir, 0, dir, kOn, dir, dir, kOn | 0x100};
    EXPECT_EQ(EnabledLinesText(text, words),
              "#include <a.h>\n\n\n\n\tint y;\n\n#define Z 1\n// end\n");
    EXPECT_EQ(EnabledLinesText(text, words, "\r\n").size(),
              EnabledLinesText(text, words).size() + 8); // one line end per source line
    // Without line words every line counts as inactive.
    EXPECT_EQ(EnabledLinesText(text, {}), std::string(8, '\n'));

    EXPECT_TRUE(IsConditionalDirective("#if A"));
    EXPECT_TRUE(IsConditionalDirective("# elif B"));
    EXPECT_TRUE(IsConditionalDirective("\t#endif"));
    EXPECT_FALSE(IsConditionalDirective("#include <if.h>"));
    EXPECT_FALSE(IsConditionalDirective("#error else"));
    EXPECT_FALSE(IsConditionalDirective("x = 1; #if"));
}

} // namespace
} // namespace lumbra
