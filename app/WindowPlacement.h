#pragma once

#include <QRect>
#include <QSize>

namespace verdaxil {

// Where a window of the `wanted` frame size goes on a screen whose area for windows is
// `available`, next to the `anchor` window's frame: never larger than 90 % of the
// area; beside the anchor where there is room, else against the side of the screen
// away from it; never off the screen.
QRect placeBeside(const QRect& available, const QRect& anchor, QSize wanted);

// How a height is shared between a table that wants `tableWanted` and a chart that
// needs at least `chartMinimum`: the table gets what it wants when it can, the chart
// the rest.
struct SplitHeights {
    int table = 0;
    int chart = 0;
};
SplitHeights splitTableAndChart(int height, int tableWanted, int chartMinimum);

} // namespace verdaxil
