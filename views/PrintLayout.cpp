// Pages of a printout.
#include "PrintLayout.h"

#include <algorithm>

#include "Lang.h"

namespace lumbra {

int StructureRowsPerPage(int pageHeight, int topMargin, int rowPitch) {
    const int usable = pageHeight - topMargin;
    if (rowPitch <= 0 || usable <= 0)
        return 1;
    int rows = usable / rowPitch;
    if (usable % rowPitch == 0)
        --rows;
    return std::max(rows, 1);
}

int StructurePageCount(int rows, int rowsPerPage) {
    if (rows <= 0)
        return 0;
    rowsPerPage = std::max(rowsPerPage, 1);
    return (rows + rowsPerPage - 1) / rowsPerPage;
}

StructurePageFit FitStructurePage(const ChartLayout& layout, int greatestLevel, double pageWidth,
                                  double pageHeight) {
    StructurePageFit fit;
    const double extent = static_cast<double>(std::max(greatestLevel, 0)) * layout.levelPitch +
                          2.0 * layout.leftMargin + layout.boxWidth;
    if (pageWidth > 0 && extent > pageWidth)
        fit.zoom = pageWidth / extent;
    fit.clientWidth = static_cast<int>(pageWidth / fit.zoom);
    const int height = static_cast<int>(pageHeight / fit.zoom);
    fit.rowsPerPage = StructureRowsPerPage(height, layout.topMargin, layout.rowPitch);
    fit.clientHeight = layout.topMargin + fit.rowsPerPage * layout.rowPitch;
    return fit;
}

int SourceLinesPerPage(int pageHeight, int lineHeight) {
    if (lineHeight <= 0)
        return 1;
    return std::max(pageHeight / lineHeight, 1);
}

int SourcePageCount(int lines, int linesPerPage) {
    linesPerPage = std::max(linesPerPage, 1);
    return std::max((lines + linesPerPage - 1) / linesPerPage, 1);
}

PreviewPager::PreviewPager(int firstPage, int lastPage)
    : minPage_(firstPage), maxPage_(std::max(lastPage, firstPage)), first_(firstPage),
      last_(firstPage) {}

void PreviewPager::Previous() {
    if (first_ > minPage_) {
        --first_;
        // The second view shows a page again once there is one after the first.
        last_ = two_ ? std::min(first_ + 1, maxPage_) : first_;
    }
}

void PreviewPager::Next() {
    if (last_ < maxPage_) {
        ++first_;
        last_ = two_ ? std::min(first_ + 1, maxPage_) : first_;
    }
}

void PreviewPager::OnePage() {
    two_ = false;
    last_ = first_;
}

void PreviewPager::TwoPages() {
    two_ = true;
    last_ = std::min(first_ + 1, maxPage_);
}

std::string PreviewPager::Text() const {
    if (first_ != last_)
        return Format(tr("Page %d - %d"), first_, last_);
    return Format(tr("Page %d"), first_);
}

} // namespace lumbra
