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

std::vector<int> fitWidths(const std::vector<int>& widths, int room, int minimum, const std::vector<int>& floors)
{
    const auto fitted = [&](std::size_t column, int cap) {
        const int floor = column < floors.size() ? floors[column] : 0;
        return std::min(widths[column], std::max(cap, floor));
    };
    const auto total = [&](int cap) {
        long sum = 0;
        for (std::size_t column = 0; column < widths.size(); ++column)
            sum += fitted(column, cap);
        return sum;
    };
    // The largest cap under which they fit, found by halving.
    int low = minimum;
    int high = widths.empty() ? minimum : *std::max_element(widths.begin(), widths.end());
    while (low < high) {
        const int cap = low + (high - low + 1) / 2;
        if (total(cap) <= room)
            low = cap;
        else
            high = cap - 1;
    }
    std::vector<int> result;
    for (std::size_t column = 0; column < widths.size(); ++column)
        result.push_back(fitted(column, low));
    return result;
}

} // namespace verdaxil
