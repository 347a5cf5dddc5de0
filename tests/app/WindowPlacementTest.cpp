#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace verdaxil
