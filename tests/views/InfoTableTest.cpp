// The analysis-information lists: how a header click sorts (sizes with units, numbers against
// texts, the "Total" row, descending order, ties), and the rows filled from an analysis.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>

#include "AnalysedSources.h"
#include "AnalysisInfoLists.h"
#include "InfoTable.h"
#include "Lang.h"
#include "TreeBuilder.h"

namespace lumbra {
namespace {

constexpr int kTextColumn = 1;
constexpr int kNumberColumn = 4;

struct CellCase {
    const char* a;
    const char* b;
    int column;
    int expected; // sign of the comparison
};

class CompareCells : public ::testing::TestWithParam<CellCase> {};

TEST_P(CompareCells, GivesTheOrderOfTheList) {
    const CellCase& c = GetParam();
    auto signOf = [](int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); };
    EXPECT_EQ(signOf(CompareInfoCells(c.a, c.b, c.column)), c.expected)
        << '"' << c.a << "\" vs \"" << c.b << "\" in column " << c.column;
    EXPECT_EQ(signOf(CompareInfoCells(c.b, c.a, c.column)), -c.expected) << "antisymmetric";
}

INSTANTIATE_TEST_SUITE_P(
    SizesCountTheirUnits, CompareCells,
    ::testing::Values(CellCase{"1024B", "1kB", 3, 0},   // the same number of bytes
                      CellCase{"1500B", "2kB", 3, -1},  // 1500 < 2048
                      CellCase{"1023kB", "1MB", 3, -1}, // 1047552 < 1048576
                      CellCase{"1024kB", "1MB", 3, 0},  // both 1048576
                      CellCase{"900kB", "2MB", 3, -1},  // not by the digits alone
                      CellCase{"3MB", "2999kB", 3, 1}));

INSTANTIATE_TEST_SUITE_P(
    NumbersCompareByValue, CompareCells,
    ::testing::Values(CellCase{"9", "10", kNumberColumn, -1}, CellCase{"10", "10", 0, 0},
                      CellCase{"007", "7", kNumberColumn, 0},
                      CellCase{"123456789012", "123456789011", kNumberColumn, 1}));

INSTANTIATE_TEST_SUITE_P(
    NumbersGoBeforeTexts, CompareCells,
    ::testing::Values(CellCase{"99999", "Total", 0, -1}, // the "Total" row's number cell
                      CellCase{"0", "", kNumberColumn, -1},
                      CellCase{"5", "-1", kNumberColumn, -1}, // a sign is no digit
                      CellCase{"", "Not", kNumberColumn, -1}, // two texts: byte by byte
                      CellCase{"Total", "Total", 0, 0}));

INSTANTIATE_TEST_SUITE_P(
    NameColumnsCompareBytes, CompareCells,
    ::testing::Values(CellCase{"10", "9", kTextColumn, -1}, // texts, not numbers
                      CellCase{"abc", "abd", kTextColumn, -1}, CellCase{"ab", "abc", 2, -1},
                      CellCase{"Zeta", "alpha", kTextColumn, -1},
                      CellCase{"\xE3\x81\x82", "z", kTextColumn, 1}, // unsigned bytes
                      // English dates sort by month first.
                      CellCase{"12/01/2023 00:00:00", "01/15/2024 00:00:00", 2, 1},
                      CellCase{"==================", "main.c", kTextColumn, -1}));

std::vector<std::string> column(const InfoTable& t, int c) {
    std::vector<std::string> out;
    for (int r = 0; r < t.rowCount(); ++r)
        out.push_back(t.cell(r, c));
    return out;
}

using Texts = std::vector<std::string>;

// The file list's shape: number, name, date, size, total; the "Total" row last.
InfoTable sampleFiles() {
    InfoTable t(5);
    t.addRow({"1", "b.c", "03/01/2024", "2kB", "40"});
    t.addRow({"2", "a.c", "01/02/2025", "900B", "7"});
    t.addRow({"3", "c.c", "02/01/2024", "1MB", "1200"});
    t.addRow({"Total", "==================", "==================", "1MB", "1247"});
    return t;
}

TEST(InfoTableSort, HeaderClicksSortAscendingThenReverse) {
    InfoTable t = sampleFiles();
    t.sortByClick(1);
    EXPECT_EQ(column(t, 1), (Texts{"==================", "a.c", "b.c", "c.c"}));
    EXPECT_EQ(t.sortColumn(), 1);
    EXPECT_FALSE(t.descending());
    t.sortByClick(1);
    EXPECT_EQ(column(t, 1), (Texts{"c.c", "b.c", "a.c", "=================="}));
    EXPECT_TRUE(t.descending());
    // Another column starts ascending again.
    t.sortByClick(4);
    EXPECT_EQ(column(t, 4), (Texts{"7", "40", "1200", "1247"}));
    EXPECT_FALSE(t.descending());
}

TEST(InfoTableSort, TheTotalRowSortsWithTheRows) {
    InfoTable t = sampleFiles();
    t.sort(0, false); // "Total" is no number: after every file number
    EXPECT_EQ(column(t, 0), (Texts{"1", "2", "3", "Total"}));
    t.sort(0, true);
    EXPECT_EQ(column(t, 0), (Texts{"Total", "3", "2", "1"}));
    t.sort(3, false); // by size in bytes; equal sizes keep the order they had
    EXPECT_EQ(column(t, 0), (Texts{"2", "1", "Total", "3"}));
    EXPECT_EQ(column(t, 3), (Texts{"900B", "2kB", "1MB", "1MB"}));
}

TEST(InfoTableSort, EqualCellsKeepTheCurrentOrder) {
    InfoTable t(2);
    t.addRow({"1", "x"});
    t.addRow({"2", "y"});
    t.addRow({"2", "x"});
    t.addRow({"1", "y"});
    t.sort(1, false);
    EXPECT_EQ(column(t, 0), (Texts{"1", "2", "2", "1"}));
    t.sort(0, false);
    EXPECT_EQ(column(t, 1), (Texts{"x", "y", "x", "y"}));
    t.sort(0, true);
    EXPECT_EQ(column(t, 1), (Texts{"x", "y", "x", "y"}));
    EXPECT_EQ(t.sourceRow(0), 2);
}

TEST(InfoTableSort, ShortRowsAreFilledAndBadColumnsIgnored) {
    InfoTable t(3);
    t.addRow({"1"});
    t.addRow({"2", "b", "c", "extra"});
    EXPECT_EQ(t.cell(0, 2), "");
    EXPECT_EQ(t.cell(1, 2), "c");
    t.sortByClick(7);
    t.sortByClick(-1);
    EXPECT_EQ(t.sortColumn(), -1);
    t.sort(2, false);
    EXPECT_EQ(column(t, 0), (Texts{"1", "2"})); // "" before "c"
}

class InfoListsTest : public ::testing::Test, protected test::AnalysedSources {
protected:
    InfoListsTest() {
        setenv("TZ", "UTC", 1);
        tzset();
        dated("a.c", "fn main\nx\ncall helper\nfn helper\nx\nx\n");
        dated("b.c", "stray\nfn alone\n");
    }
    ~InfoListsTest() override { SetUiLanguage(UiLanguage::English); }

    void dated(const std::string& name, const std::string& text) {
        const std::string path = dir.write(name, text);
        const timespec t{1709528767, 0}; // 2024-03-04 05:06:07 UTC
        const timespec times[2] = {t, t};
        utimensat(AT_FDCWD, path.c_str(), times, 0);
        engine.AddFile(path, kKindCFamily);
    }
};

TEST_F(InfoListsTest, FileListHasOneRowPerFileAndTheTotalRow) {
    analyse();
    const InfoTable files = BuildFileList(engine, true, false);
    ASSERT_EQ(files.rowCount(), 3);
    ASSERT_EQ(files.columnCount(), kFileColumnCount);
    EXPECT_EQ(column(files, 1), (Texts{"a.c", "b.c", "=================="}));
    // No, name, date, size, total, define, exec, comment, space, other, path numb, path ratio.
    EXPECT_EQ(files.cell(0, 0), "1");
    EXPECT_EQ(files.cell(0, 2), "03/04/2024 05:06:07");
    EXPECT_EQ(files.cell(0, 3), "36B");
    EXPECT_EQ(files.cell(0, 4), "6");
    EXPECT_EQ(files.cell(0, 6), "4");
    EXPECT_EQ(files.cell(0, 10), "2");
    EXPECT_EQ(files.cell(0, 11), "50");
    EXPECT_EQ(files.cell(2, 0), "Total");
    EXPECT_EQ(files.cell(2, 2), "==================");
    EXPECT_EQ(files.cell(2, 3), "51B");
    EXPECT_EQ(files.cell(2, 4), "8");
    EXPECT_EQ(files.cell(2, 9), "1");
    EXPECT_EQ(files.cell(2, 11), "75"); // 3 paths over 4 executable lines

    const InfoTable full = BuildFileList(engine, false, true);
    EXPECT_EQ(full.cell(0, 1), (dir.path() / "a.c").string());
    EXPECT_EQ(full.cell(0, 2), "2024/03/04 05:06:07");
}

TEST_F(InfoListsTest, ModuleListWaitsForTheAnalysis) {
    InfoTable modules = BuildModuleList(engine);
    ASSERT_EQ(modules.rowCount(), 3);
    EXPECT_EQ(modules.cell(0, 1), "main");
    EXPECT_EQ(modules.cell(0, 2), "Not Analyze");
    EXPECT_EQ(modules.cell(0, 3), "");

    analyse();
    TreeRowList rows;
    TreeBuilder(engine, rows).BuildTrees();
    modules = BuildModuleList(engine);
    // No, name, function, exec, upper, lower, path numb, path ratio, exec(inc.), path(inc.).
    EXPECT_EQ(modules.cell(0, 2), "");
    EXPECT_EQ(modules.cell(0, 3), "2");
    EXPECT_EQ(modules.cell(0, 5), "1");
    EXPECT_EQ(modules.cell(0, 7), "50");
    EXPECT_EQ(modules.cell(0, 8), "4");
    EXPECT_EQ(modules.cell(1, 1), "helper");
    EXPECT_EQ(modules.cell(1, 4), "1");
    EXPECT_EQ(modules.cell(2, 3), "0");
    EXPECT_EQ(modules.cell(2, 7), "0"); // no executable lines: ratio 0
}

TEST(InfoListColumns, WidthSettingsAndJapaneseAlignment) {
    const auto english = FileListColumns(false);
    const auto japanese = FileListColumns(true);
    EXPECT_EQ(english[2].widthIndex, 10);
    EXPECT_EQ(english[3].widthIndex, 11);
    EXPECT_EQ(english[4].widthIndex, 2);
    EXPECT_TRUE(english[2].rightAligned && !english[3].rightAligned);
    EXPECT_TRUE(!japanese[2].rightAligned && japanese[3].rightAligned);
    std::vector<bool> used(12);
    for (const InfoColumn& c : english)
        used[static_cast<std::size_t>(c.widthIndex)] = true;
    EXPECT_EQ(std::count(used.begin(), used.end(), true), 12);
    for (int i = 0; i < kModuleColumnCount; ++i)
        EXPECT_EQ(ModuleListColumns()[static_cast<std::size_t>(i)].widthIndex, i);
}

} // namespace
} // namespace lumbra
