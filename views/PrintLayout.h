// Pages of a printout without a toolkit: how many structure rows or source lines fit on a page,
// how many pages there are, and the print preview's paging.
#pragma once

#include <string>
#include <vector>

#include "ChartLayout.h"

namespace lumbra {

// Structure rows on a page: (page height - top margin) / row pitch, one fewer when that leaves
// no remainder (the last row would touch the page's edge); at least 1.
int StructureRowsPerPage(int pageHeight, int topMargin, int rowPitch);
// Pages for `rows` display rows (rounded up; 0 rows, 0 pages).
int StructurePageCount(int rows, int rowsPerPage);

// How a structure page holds the chart: the drawing is never split across pages sideways, so
// a chart wider than the page (its extent: greatest level x level pitch + 2 x left margin + box
// width) is drawn smaller to fit. Sizes in the chart's units.
struct StructurePageFit {
    double zoom = 1.0;    // chart units to page units (at most 1)
    int clientWidth = 0;  // the page in chart units
    int clientHeight = 0; // exactly the rows of a page below the top margin
    int rowsPerPage = 1;
};
StructurePageFit FitStructurePage(const ChartLayout& layout, int greatestLevel, double pageWidth,
                                  double pageHeight);

// Source lines on a page: page height / line height; at least 1.
int SourceLinesPerPage(int pageHeight, int lineHeight);
// Pages for `lines` lines (rounded up); at least 1.
int SourcePageCount(int lines, int linesPerPage);

// The first item (row or line, 0-based) of a 1-based page.
inline int PageFirstItem(int page, int perPage) {
    return (page - 1) * perPage;
}

// The print preview's pages: the first and last page shown, one or two at a time.
class PreviewPager {
public:
    // A printout of pages first..last (last < first: no pages; both shown as first).
    PreviewPager(int firstPage, int lastPage);

    // Both shown pages move back (forward) by one while the first (last) shown page is not the
    // printout's first (last).
    void Previous();
    void Next();
    // One page: the second view goes and the last shown page becomes the first.
    void OnePage();
    // Two pages: the second view shows the page after the first, when there is one.
    void TwoPages();

    int First() const { return first_; }
    int Last() const { return last_; }
    bool Two() const { return two_; }
    bool CanGoBack() const { return first_ > minPage_; }
    bool CanGoForward() const { return last_ < maxPage_; }
    // "Page %d - %d" while two different pages are shown, else "Page %d".
    std::string Text() const;

private:
    int minPage_;
    int maxPage_;
    int first_;
    int last_;
    bool two_ = false;
};

} // namespace lumbra
