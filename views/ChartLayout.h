// Layout metrics of the structure chart: box size, level pitch, connector offset, row pitch,
// margins, rows per page and the distribution column, from the "Screen" (or "Print") numbers
// and the measured tree font.
#pragma once

#include <array>

namespace lumbra {

struct ChartLayoutInput {
    // "Screen" or "Print": characters in a box, level divisor, connector divisor, left margin
    // and top margin in pixels.
    std::array<int, 5> metrics{28, 6, 3, 10, 10};
    int fontHeight = 15; // pixels
    int charWidth = 8;   // width of the digit "8"; 0: half the font height rounded up
    bool moduleNumbers = false;
    bool twoLineBoxes = false;
    int nameWidth = 1; // longest name shown, in characters
    int clientWidth = 0;
    int clientHeight = 0;
    bool print = false;
};

struct ChartLayout {
    int charWidth = 8;
    int fontHeight = 15;
    int leftMargin = 10;
    int topMargin = 10;
    int textX = 7; // text offset inside a box
    int textY = 2;
    int boxWidth = 0;
    int boxHeight = 0;
    int numberColumn = 0; // where the separator after the module number stands
    int levelPitch = 1;
    int connectorOffset = 0;
    int rowGap = 0;
    int rowPitch = 1;
    int rowsPerPage = 1;     // rows that touch the client area
    int fullRowsPerPage = 1; // rows shown whole
    int distWidth = 0;       // distribution column
    int distRight = 0;       // its right edge
};

ChartLayout ComputeChartLayout(const ChartLayoutInput& in);

// The levels the horizontal scroll bar offers.
inline constexpr int kChartMaxLeftLevel = 32;

} // namespace lumbra
