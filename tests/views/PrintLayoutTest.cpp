// Pages of the printouts: the row and line rules at page edges, page counts, the fit of a wide
// chart, and the preview's paging and page text.
#include <gtest/gtest.h>

#include "Lang.h"
#include "PrintLayout.h"

namespace lumbra {
namespace {

TEST(PrintPages, StructurePagesLoseTheRowThatWouldTouchTheEdge) {
    // 1000 - 10 = 990 = 33 x 30 exactly: one row fewer.
    EXPECT_EQ(StructureRowsPerPage(1000, 10, 30), 32);
    EXPECT_EQ(StructureRowsPerPage(1001, 10, 30), 33);
    EXPECT_EQ(StructureRowsPerPage(1029, 10, 30), 33);
    // Pages too small for a row, and nonsense metrics, still print one row a page.
    EXPECT_EQ(StructureRowsPerPage(40, 10, 30), 1);
    EXPECT_EQ(StructureRowsPerPage(5, 10, 30), 1);
    EXPECT_EQ(StructureRowsPerPage(1000, 10, 0), 1);

    EXPECT_EQ(StructurePageCount(0, 32), 0);
    EXPECT_EQ(StructurePageCount(32, 32), 1);
    EXPECT_EQ(StructurePageCount(33, 32), 2);
    EXPECT_EQ(StructurePageCount(64, 32), 2);
    EXPECT_EQ(StructurePageCount(65, 32), 3);
    EXPECT_EQ(PageFirstItem(3, 32), 64);
}

TEST(PrintPages, AChartWiderThanThePageIsDrawnSmallerNeverSplit) {
    ChartLayout l;
    l.levelPitch = 50;
    l.leftMargin = 10;
    l.topMargin = 10;
    l.boxWidth = 200;
    l.rowPitch = 30;
    // Extent 4 x 50 + 20 + 200 = 420 fits a 600 wide page: full size.
    StructurePageFit fit = FitStructurePage(l, 4, 600, 1000);
    EXPECT_DOUBLE_EQ(fit.zoom, 1.0);
    EXPECT_EQ(fit.clientWidth, 600);
    EXPECT_EQ(fit.rowsPerPage, 32);
    EXPECT_EQ(fit.clientHeight, 10 + 32 * 30);
    // Extent 16 x 50 + 220 = 1020 on a 510 wide page: half size, twice the rows.
    fit = FitStructurePage(l, 16, 510, 1000);
    EXPECT_DOUBLE_EQ(fit.zoom, 0.5);
    EXPECT_EQ(fit.clientWidth, 1020);
    EXPECT_EQ(fit.rowsPerPage, StructureRowsPerPage(2000, 10, 30));
}

TEST(PrintPages, SourcePagesHoldWholeLinesAndAtLeastOnePage) {
    EXPECT_EQ(SourceLinesPerPage(1000, 20), 50); // an exact fit keeps every line
    EXPECT_EQ(SourceLinesPerPage(1019, 20), 50);
    EXPECT_EQ(SourceLinesPerPage(10, 20), 1);
    EXPECT_EQ(SourceLinesPerPage(1000, 0), 1);
    EXPECT_EQ(SourcePageCount(0, 50), 1);
    EXPECT_EQ(SourcePageCount(50, 50), 1); // exactly one page of lines prints one page
    EXPECT_EQ(SourcePageCount(51, 50), 2);
}

TEST(PrintPreview, PagesMoveWithinThePrintoutAndTheTextFollows) {
    SetUiLanguage(UiLanguage::English);
    PreviewPager pager(1, 3);
    EXPECT_EQ(pager.Text(), "Page 1");
    EXPECT_FALSE(pager.CanGoBack());
    pager.Previous();
    EXPECT_EQ(pager.First(), 1);
    pager.Next();
    pager.Next();
    EXPECT_EQ(pager.Text(), "Page 3");
    pager.Next(); // the last page stays
    EXPECT_EQ(pager.Text(), "Page 3");
    EXPECT_FALSE(pager.CanGoForward());

    // Two pages at the end show only the last one; back by one shows a pair.
    pager.TwoPages();
    EXPECT_TRUE(pager.Two());
    EXPECT_EQ(pager.Text(), "Page 3");
    pager.Previous();
    EXPECT_EQ(pager.Text(), "Page 2 - 3");
    pager.Next(); // the last shown page is the printout's last: nothing moves
    EXPECT_EQ(pager.Text(), "Page 2 - 3");
    pager.Previous();
    EXPECT_EQ(pager.Text(), "Page 1 - 2");
    pager.Previous(); // the first shown page is the printout's first
    EXPECT_EQ(pager.Text(), "Page 1 - 2");
    pager.Next();
    EXPECT_EQ(pager.Text(), "Page 2 - 3");

    // One page keeps the first shown page.
    pager.OnePage();
    EXPECT_FALSE(pager.Two());
    EXPECT_EQ(pager.Text(), "Page 2");
    pager.Next();
    EXPECT_EQ(pager.Text(), "Page 3");

    // A one-page printout never shows two different pages.
    PreviewPager single(1, 1);
    single.TwoPages();
    single.Next();
    EXPECT_EQ(single.Text(), "Page 1");

    SetUiLanguage(UiLanguage::Japanese);
    EXPECT_NE(pager.Text(), "Page 3");
    EXPECT_NE(pager.Text().find('3'), std::string::npos);
    SetUiLanguage(UiLanguage::English);
}

} // namespace
} // namespace lumbra
