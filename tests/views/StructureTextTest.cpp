// The structure chart's row pass (numbering under folds, continuation, highlight, callers) and
// the tree as text: prefixes, connectors, marks, column 50, numbers, shortened names, Japanese.
#include <gtest/gtest.h>

#include "AnalysedSources.h"
#include "DisplayWidth.h"
#include "Lang.h"
#include "StructureText.h"
#include "TreeBuilder.h"
#include "TreeRowPass.h"

namespace lumbra {
namespace {

class StructureTest : public ::testing::Test, protected test::AnalysedSources {
protected:
    ~StructureTest() override { SetUiLanguage(UiLanguage::English); }

    // Rows laid out by hand over modules defined by name.
    void define(const std::vector<std::string>& names) {
        std::string text;
        for (const std::string& n : names)
            text += "fn " + n + "\n";
        add("a.c", text);
        analyse();
    }
    TreeRow& row(const std::string& name, int level, int kind, int fold = kFoldNone) {
        WalkNodeInfo info;
        info.name = name;
        info.id = module(name).id;
        info.level = level;
        info.foldState = fold;
        TreeRow& r = rows.append(info);
        r.setConnector(kind);
        return r;
    }
    std::vector<std::string> lines(const StructureTextOptions& options = {}) {
        std::string text = StructureText(rows, engine, options);
        std::vector<std::string> out;
        for (std::size_t pos = 0, eol; (eol = text.find("\r\n", pos)) != std::string::npos;
             pos = eol + 2)
            out.push_back(text.substr(pos, eol - pos));
        return out;
    }
    static std::string trimmed(std::string s) {
        s.erase(s.find_last_not_of(' ') + 1);
        return s;
    }

    TreeRowList rows;
};

TEST_F(StructureTest, PassNumbersDisplayRowsAndSkipsWhatAFoldedRowHides) {
    define({"root", "a", "b", "c", "d"});
    row("root", 0, kConnectorNone);
    row("a", 1, kConnectorFirst, kFoldFolded);
    row("b", 2, kConnectorFirst, kFoldFolded);
    row("c", 3, kConnectorLast);
    row("d", 1, kConnectorLast);

    std::vector<std::size_t> drawn;
    TreeRowPass draw(rows, false);
    while (draw.next())
        drawn.push_back(draw.index());
    EXPECT_EQ(drawn, (std::vector<std::size_t>{0, 1, 4}));
    EXPECT_EQ(draw.displayRowCount(), 3);
    std::vector<int> numbers;
    for (const TreeRow& r : rows.rows())
        numbers.push_back(r.row);
    EXPECT_EQ(numbers, (std::vector<int>{0, 1, 1, 1, 2}));

    // The text pass visits the hidden rows too, with the same numbers.
    int visited = 0;
    TreeRowPass text(rows, true);
    while (text.next())
        ++visited;
    EXPECT_EQ(visited, 5);
    EXPECT_EQ(text.displayRowCount(), 3);
    EXPECT_EQ(rows[3].row, 1);
}

TEST_F(StructureTest, PassTracksContinuationCallersAndTheHighlightedLevel) {
    define({"root", "a", "b", "c", "d"});
    row("root", 0, kConnectorNone);
    row("a", 1, kConnectorFirst).setSelected(true);
    row("b", 2, kConnectorFirst);
    row("c", 2, kConnectorLast);
    row("d", 1, kConnectorLast);

    TreeRowPass pass(rows, false);
    ASSERT_TRUE(pass.next() && pass.next()); // a
    EXPECT_TRUE(pass.continues(1));
    EXPECT_EQ(pass.highlightLevel(), 1);
    ASSERT_TRUE(pass.next()); // b: its lines join the selected a
    EXPECT_EQ(pass.lastRowAt(1), &rows[1]);
    EXPECT_EQ(pass.lastRowAt(0), &rows[0]);
    EXPECT_EQ(pass.highlightLevel(), 1);
    ASSERT_TRUE(pass.next()); // c
    EXPECT_FALSE(pass.continues(2));
    ASSERT_TRUE(pass.next()); // d: back at the selected row's level
    EXPECT_EQ(pass.highlightLevel(), -1);
    EXPECT_FALSE(pass.continues(1));
    EXPECT_FALSE(pass.next());

    EXPECT_EQ(RowPath(rows, 3), (std::vector<std::size_t>{0, 1, 3}));
    EXPECT_EQ(RowPath(rows, 0), (std::vector<std::size_t>{0}));
    EXPECT_TRUE(RowPath(rows, 99).empty());
}

TEST_F(StructureTest, TextDrawsLevelsConnectorsAndOmittedMarksPaddedToColumnFifty) {
    add("a.c", "fn main\ncall a\ncall b\ncall c\nfn a\ncall d\ncall b\nfn b\ncall d\nfn c\nfn d\n");
    analyse();
    TreeBuilder builder(engine, rows);
    builder.SetSettings({32, 1000, true, kSortCode});
    builder.BuildAllTrees();
    const std::vector<std::string> text = lines();
    std::vector<std::string> shown;
    for (const std::string& line : text) {
        EXPECT_EQ(line.size(), 50u) << line;
        shown.push_back(trimmed(line));
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"main", "+- a", "|  +- d", "|  +- b", "|     +- d",
                                               "+- b[*]", "+- c"}));
}

TEST_F(StructureTest, NumbersAndFunctionTextFollowTheNameColumn) {
    const std::string name49(49, 'n');
    const std::string name50(50, 'm');
    const std::string name51(51, 'k');
    define({name49, name50, name51, "f"});
    module("f").hasFunctionText = true;
    module("f").functionText = "reads the input";
    row(name49, 0, kConnectorNone);
    row(name50, 0, kConnectorNone);
    row(name51, 0, kConnectorNone);
    row("f", 0, kConnectorNone);
    const std::vector<std::string> text = lines({true, true, false});
    ASSERT_EQ(text.size(), 4u);
    EXPECT_EQ(text[0], name49 + " " + "(   1) ");
    EXPECT_EQ(text[1], name50 + "(   2) "); // exactly 50: the number follows at once
    EXPECT_EQ(text[2], name51 + " " + "(   3) ");
    EXPECT_EQ(text[3], "f" + std::string(49, ' ') + "(   4) reads the input");
}

TEST_F(StructureTest, ShortenedNamesDropTheCallersNameAndItsSeparator) {
    define({"ns", "ns::Widget", "ns::Widget::draw", "Form1", "Form1.Click", "Form", "Formula"});
    row("ns", 0, kConnectorNone);
    row("ns::Widget", 1, kConnectorFirst);
    row("ns::Widget::draw", 2, kConnectorLast);
    row("Form1", 1, kConnectorMiddle);
    row("Form1.Click", 2, kConnectorLast);
    row("Form", 1, kConnectorLast);
    row("Formula", 2, kConnectorLast); // a prefix without a separator does not count
    std::vector<std::string> shown;
    for (const std::string& line : lines())
        shown.push_back(trimmed(line));
    EXPECT_EQ(shown, (std::vector<std::string>{"ns", "+- Widget", "|  +- draw", "+- Form1",
                                               "|  +- Click", "+- Form", "   +- Formula"}));
    shown.clear();
    for (const std::string& line : lines({false, false, false}))
        shown.push_back(trimmed(line));
    EXPECT_EQ(shown[2], "|  +- ns::Widget::draw");
}

TEST_F(StructureTest, JapaneseTextUsesBoxDrawingAndKeepsTheColumns) {
    define({"root", "a", "b", "c"});
    row("root", 0, kConnectorNone);
    row("a", 1, kConnectorFirst);
    row("b", 2, kConnectorLast).setOmitted(true);
    row("c", 1, kConnectorLast);
    auto blanks = [](const std::string& line) {
        const std::size_t number = line.find('(');
        return number - line.find_last_not_of(' ', number - 1) - 1;
    };
    const std::vector<std::string> english = lines({true, false, true});
    SetUiLanguage(UiLanguage::Japanese);
    const std::vector<std::string> text = lines({true, false, true});
    ASSERT_EQ(text.size(), 4u);
    const std::string bar = "\xe2\x94\x82 ", tee = "\xe2\x94\x9c ", corner = "\xe2\x94\x94 ";
    EXPECT_EQ(trimmed(text[1].substr(0, text[1].find('('))), tee + "a");
    EXPECT_EQ(trimmed(text[2].substr(0, text[2].find('('))), bar + corner + "b[\xe2\x86\x91]");
    EXPECT_EQ(trimmed(text[3].substr(0, text[3].find('('))), corner + "c");
    // Every piece is as wide as its English form in a Japanese font, the mark one column more.
    for (std::size_t i = 0; i < text.size(); ++i)
        EXPECT_EQ(blanks(text[i]) + (i == 2 ? 1 : 0), blanks(english[i])) << text[i];
    EXPECT_EQ(DisplayWidth("\xe6\x97\xa5\xe6\x9c\xac"), 4);
    EXPECT_EQ(DisplayWidth("\xef\xbd\xb1"), 1); // half-width katakana
}

TEST_F(StructureTest, RowsBelowLevelTwoHundredFiftySixAreLeftOut) {
    define({"root", "deep"});
    row("root", 0, kConnectorNone);
    row("deep", 257, kConnectorLast);
    row("deep", 256, kConnectorLast);
    const std::vector<std::string> text = lines();
    ASSERT_EQ(text.size(), 2u);
    EXPECT_EQ(text[1].size(), 255u * 3 + 3 + 4 + 1); // past column 50: one blank
}

} // namespace
} // namespace lumbra
