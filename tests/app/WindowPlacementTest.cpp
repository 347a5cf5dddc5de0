#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>

namespace verdaxil {
namespace {

struct PlacementCase {
    QRect available;
    QRect anchor;
    QRect expected;
};

class PlaceBeside : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PlaceBeside, InsideTheScreenAndBesideTheAnchorWhereThereIsRoom)
{
    const PlacementCase& c = GetParam();
    const QRect placed = placeBeside(c.available, c.anchor, QSize(1240, 860));
    EXPECT_EQ(placed, c.expected);
    EXPECT_TRUE(c.available.contains(placed));
}

INSTANTIATE_TEST_SUITE_P(Screens, PlaceBeside,
                         ::testing::Values(
                             // 1366 × 768 less a panel: no room beside the main window, so against the far side.
                             PlacementCase{{0, 0, 1366, 728}, {269, 196, 605, 430}, {137, 73, 1229, 655}},
                             // Room to the right of the main window.
                             PlacementCase{{0, 0, 2560, 1400}, {269, 196, 605, 430}, {881, 196, 1240, 860}},
                             // Room to its left only.
                             PlacementCase{{0, 0, 2560, 1400}, {1900, 196, 605, 430}, {652, 196, 1240, 860}}));

// Column widths that fit never exceed the room unless every column is at its minimum,
// and never change when they fit already.
TEST(FitWidths, FitTheRoomWidestFirst)
{
    std::mt19937 random(9);
    std::uniform_int_distribution<int> width(20, 300);
    for (int round = 0; round < 500; ++round) {
        std::vector<int> widths(20);
        for (int& w : widths)
            w = width(random);
        const int total = std::accumulate(widths.begin(), widths.end(), 0);
        const int room = std::uniform_int_distribution<int>(400, total + 100)(random);
        const std::vector<int> fitted = fitWidths(widths, room, 30);
        if (total <= room) {
            ASSERT_EQ(fitted, widths);
        }
        const bool atTheMinimum = *std::max_element(fitted.begin(), fitted.end()) <= 30;
        ASSERT_TRUE(std::accumulate(fitted.begin(), fitted.end(), 0) <= room || atTheMinimum);
        for (std::size_t k = 0; k < widths.size(); ++k)
            ASSERT_LE(fitted[k], widths[k]);
    }
}

} // namespace
} // namespace verdaxil
