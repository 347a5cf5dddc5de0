#include "app/WindowPlacement.h"

#include <algorithm>

namespace verdaxil {

namespace {

constexpr int kGap = 8;
constexpr double kLargestShare = 0.9;

} // namespace

QRect placeBeside(const QRect& available, const QRect& anchor, QSize wanted)
{
    const QSize size(std::min(wanted.width(), static_cast<int>(available.width() * kLargestShare)),
                     std::min(wanted.height(), static_cast<int>(available.height() * kLargestShare)));
    int x = 0;
    if (anchor.right() + kGap + size.width() <= available.right())
        x = anchor.right() + kGap;
    else if (anchor.left() - kGap - size.width() >= available.left())
        x = anchor.left() - kGap - size.width();
    else if (anchor.center().x() < available.center().x())
        x = available.right() - size.width() + 1;
    else
        x = available.left();
    const int y = std::clamp(anchor.top(), available.top(), available.bottom() - size.height() + 1);
    return {QPoint(x, y), size};
}

SplitHeights splitTableAndChart(int height, int tableWanted, int chartMinimum)
{
    const int table = std::max(0, std::min(tableWanted, height - chartMinimum));
    return {table, height - table};
}

} // namespace verdaxil
