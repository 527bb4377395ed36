// The cell texts of one list of the analysis-information window and its order: a header click
// sorts by a column with the list's own comparison (texts byte by byte in the name columns,
// numbers with their k and M units everywhere else), without any widget.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumbra {

// What a cell of a number column sorts by, parsed once per cell.
struct InfoCellKey {
    bool number = false; // the text starts with a digit
    long long value = 0; // its leading decimal number times the unit ("k" 1024, "M" 1048576)
};

InfoCellKey ParseInfoCell(std::string_view text);

// The two columns that hold names and dates compare as texts; all others as numbers.
inline bool IsInfoTextColumn(int column) {
    return column == 1 || column == 2;
}

// Ascending comparison of two cells of a column: negative, zero or positive. Number columns put
// a text starting with a digit before one that does not, and compare two texts without leading
// digits byte by byte.
int CompareInfoCells(std::string_view a, std::string_view b, int column);

class InfoTable {
public:
    explicit InfoTable(int columns = 0) : columns_(columns) {}

    int columnCount() const { return columns_; }
    int rowCount() const { return static_cast<int>(order_.size()); }

    // Appends a row (missing cells are empty, extra cells are dropped); it shows last until the
    // next sort.
    void addRow(std::vector<std::string> cells);

    // A cell in display order.
    const std::string& cell(int row, int column) const {
        return cells_[static_cast<std::size_t>(order_[static_cast<std::size_t>(row)]) *
                          static_cast<std::size_t>(columns_) +
                      static_cast<std::size_t>(column)];
    }
    // The row as added, of a display row.
    int sourceRow(int row) const { return static_cast<int>(order_[static_cast<std::size_t>(row)]); }

    // A header click: the column that sorted last reverses its direction, another column sorts
    // ascending. Rows that compare equal keep their current order.
    void sortByClick(int column);
    // Sorts by a column in a direction.
    void sort(int column, bool descending);
    int sortColumn() const { return sortColumn_; }
    bool descending() const { return descending_; }

private:
    const std::vector<InfoCellKey>& keysOf(int column);
    const std::string& rawCell(std::uint32_t row, int column) const {
        return cells_[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
                      static_cast<std::size_t>(column)];
    }

    int columns_;
    std::vector<std::string> cells_;   // row-major, in the order the rows were added
    std::vector<std::uint32_t> order_; // display row -> added row
    // Parsed number keys of each column, computed when the column is first sorted.
    std::vector<std::vector<InfoCellKey>> keys_;
    int sortColumn_ = -1;
    bool descending_ = false;
};

} // namespace lumbra
