// Cells and sorting of the analysis-information lists.
#include "InfoTable.h"

#include <algorithm>

namespace lumbra {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int sign(long long v) {
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

// Byte by byte as unsigned characters, as the C library compares strings.
int compareBytes(std::string_view a, std::string_view b) {
    return sign(a.compare(b));
}

int compareKeys(const InfoCellKey& ka, std::string_view a, const InfoCellKey& kb,
                std::string_view b) {
    if (ka.number && kb.number)
        return sign(ka.value - kb.value);
    if (ka.number != kb.number)
        return ka.number ? -1 : 1;
    return compareBytes(a, b);
}

} // namespace

InfoCellKey ParseInfoCell(std::string_view text) {
    InfoCellKey key;
    if (text.empty() || !isDigit(text.front()))
        return key;
    key.number = true;
    // Saturates far below the range where the unit factors could overflow.
    constexpr long long kLimit = 1'000'000'000'000LL;
    for (char c : text) {
        if (!isDigit(c))
            break;
        key.value = std::min(kLimit, key.value * 10 + (c - '0'));
    }
    if (text.find('k') != std::string_view::npos)
        key.value *= 1024;
    if (text.find('M') != std::string_view::npos)
        key.value *= 1048576;
    return key;
}

int CompareInfoCells(std::string_view a, std::string_view b, int column) {
    if (IsInfoTextColumn(column))
        return compareBytes(a, b);
    return compareKeys(ParseInfoCell(a), a, ParseInfoCell(b), b);
}

void InfoTable::addRow(std::vector<std::string> cells) {
    cells.resize(static_cast<std::size_t>(columns_));
    const auto row = static_cast<std::uint32_t>(order_.size());
    for (std::string& c : cells)
        cells_.push_back(std::move(c));
    order_.push_back(row);
    keys_.clear();
}

const std::vector<InfoCellKey>& InfoTable::keysOf(int column) {
    if (keys_.empty())
        keys_.resize(static_cast<std::size_t>(columns_));
    std::vector<InfoCellKey>& keys = keys_[static_cast<std::size_t>(column)];
    if (keys.size() != order_.size()) {
        keys.resize(order_.size());
        for (std::uint32_t row = 0; row < keys.size(); ++row)
            keys[row] = ParseInfoCell(rawCell(row, column));
    }
    return keys;
}

void InfoTable::sortByClick(int column) {
    sort(column, column == sortColumn_ ? !descending_ : false);
}

void InfoTable::sort(int column, bool descending) {
    if (column < 0 || column >= columns_)
        return;
    sortColumn_ = column;
    descending_ = descending;
    // The current order is the tie-break, so a stable sort of the displayed order suffices.
    if (IsInfoTextColumn(column)) {
        std::stable_sort(order_.begin(), order_.end(), [&](std::uint32_t x, std::uint32_t y) {
            const int c = compareBytes(rawCell(x, column), rawCell(y, column));
            return descending ? c > 0 : c < 0;
        });
        return;
    }
    const std::vector<InfoCellKey>& keys = keysOf(column);
    std::stable_sort(order_.begin(), order_.end(), [&](std::uint32_t x, std::uint32_t y) {
        const int c = compareKeys(keys[x], rawCell(x, column), keys[y], rawCell(y, column));
        return descending ? c > 0 : c < 0;
    });
}

} // namespace lumbra
