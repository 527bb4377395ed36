// Structure-chart metrics.
#include "ChartLayout.h"

#include <algorithm>

namespace lumbra {

ChartLayout ComputeChartLayout(const ChartLayoutInput& in) {
    ChartLayout l;
    l.fontHeight = std::max(in.fontHeight, 1);
    l.charWidth = in.charWidth > 0 ? in.charWidth : (l.fontHeight + 1) / 2;
    const int cw = l.charWidth;
    l.distWidth = 8 * cw;
    l.distRight = in.clientWidth - cw;
    l.textX = l.fontHeight / 2;
    l.textY = 2;
    l.leftMargin = in.metrics[3];
    l.topMargin = in.metrics[4];

    const int numbers = in.moduleNumbers ? 7 : 0;
    const int boxChars = std::max(in.metrics[0], 1);
    if (in.print) {
        // The printed box is the set width plus two, widened when the names need it.
        l.boxWidth = std::max(boxChars + 2, in.nameWidth + 4 + numbers) * cw;
    } else {
        const int needed = in.nameWidth + numbers + 2;
        l.boxWidth = std::max(boxChars, needed) * cw;
    }
    l.boxHeight = l.fontHeight + 4;
    if (in.twoLineBoxes)
        l.boxHeight *= 2;
    l.numberColumn = 7 * cw;

    // Divisors come from the settings: one of 0 or less would divide by zero.
    const int levelDivisor = std::max(in.metrics[1], 1);
    const int connectorDivisor = std::max(in.metrics[2], 1);
    l.levelPitch = std::max(l.boxWidth / levelDivisor, 1);
    l.connectorOffset = l.levelPitch / connectorDivisor;
    l.rowGap = l.boxHeight / 4;
    l.rowPitch = l.boxHeight + l.rowGap;
    const int usable = std::max(in.clientHeight - l.topMargin, 0);
    l.rowsPerPage = std::max((usable + l.rowPitch - 1) / l.rowPitch, 1);
    l.fullRowsPerPage = std::max(usable / l.rowPitch, 1);
    return l;
}

} // namespace lumbra
