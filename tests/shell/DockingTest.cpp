// Dragging and docking the main window and the join list window, as tables
// of positions: main window 383 pixels wide and 207 high.
#include "app/Docking.h"

#include <gtest/gtest.h>
#include <ostream>

namespace varnelo {

void PrintTo(const PairPosition& p, std::ostream* os) {
    *os << "main(" << p.main.x() << "," << p.main.y() << ") list(" << p.list.x() << ","
        << p.list.y() << ")";
}
void PrintTo(const ListDrag& d, std::ostream* os) {
    *os << "list(" << d.list.x() << "," << d.list.y() << ") held=" << d.heldDocked;
}

namespace {
constexpr int H = 207;

struct MainCase {
    const char* what;
    QPoint main, list; // before
    QPoint pointer, anchor;
    bool dragging;
    QPoint mainAfter, listAfter;
};

class MainWindowMove : public ::testing::TestWithParam<MainCase> {};

TEST_P(MainWindowMove, MovesSnapsOrTakesTheListAlong) {
    const MainCase& c = GetParam();
    const PairPosition after =
        MainWindowMouseMove({c.main, H, c.list}, c.pointer, c.anchor, c.dragging);
    EXPECT_EQ(after, (PairPosition{c.mainAfter, H, c.listAfter}));
}

INSTANTIATE_TEST_SUITE_P(
    Table, MainWindowMove,
    ::testing::Values(
        // Docked exactly: both windows move by the pointer's movement.
        MainCase{"DockedPairMovesTogether",
                 {100, 100},
                 {100, 307},
                 {50, 40},
                 {20, 10},
                 true,
                 {130, 130},
                 {130, 337}},
        MainCase{"DockedPairKeepsListOffset",
                 {100, 100},
                 {160, 307},
                 {10, 10},
                 {20, 30},
                 true,
                 {90, 80},
                 {150, 287}},
        // 1..5 pixels off: the first drag step only snaps, the next takes both.
        MainCase{"NearAboveSnaps",
                 {100, 97},
                 {100, 307},
                 {50, 40},
                 {20, 10},
                 true,
                 {100, 100},
                 {100, 307}},
        MainCase{"NearBelowSnaps",
                 {100, 105},
                 {300, 307},
                 {50, 40},
                 {20, 10},
                 true,
                 {100, 100},
                 {300, 307}},
        // 6 pixels off is free: moves, then the move's end may snap again.
        MainCase{"SixOffMovesFreely",
                 {100, 94},
                 {100, 307},
                 {60, 10},
                 {20, 10},
                 true,
                 {140, 94},
                 {100, 307}},
        MainCase{"FreeMoveEndingNearSnaps",
                 {0, 0},
                 {500, 500},
                 {30, 300},
                 {20, 10},
                 true,
                 {10, 293},
                 {500, 500}},
        MainCase{"FarFreeMove", {0, 0}, {500, 500}, {30, 40}, {20, 10}, true, {10, 30}, {500, 500}},
        // Not dragging (idle, or no left button): only the snap applies.
        MainCase{"HoverNearSnaps",
                 {100, 303 - H},
                 {700, 307},
                 {50, 40},
                 {20, 10},
                 false,
                 {100, 100},
                 {700, 307}},
        MainCase{"HoverFarDoesNothing",
                 {100, 50},
                 {100, 307},
                 {50, 40},
                 {20, 10},
                 false,
                 {100, 50},
                 {100, 307}},
        MainCase{"HoverDockedStays",
                 {100, 100},
                 {100, 307},
                 {50, 40},
                 {20, 10},
                 false,
                 {100, 100},
                 {100, 307}},
        // The snap looks only at the vertical distance.
        MainCase{"SnapIgnoresHorizontalDistance",
                 {0, 98},
                 {900, 307},
                 {5, 5},
                 {5, 5},
                 false,
                 {0, 100},
                 {900, 307}}),
    [](const auto& info) { return std::string(info.param.what); });

struct ListCase {
    const char* what;
    QPoint list;
    bool held;
    QPoint pointer, anchor;
    QPoint listAfter;
    bool heldAfter;
};

class ListWindowMove : public ::testing::TestWithParam<ListCase> {};

constexpr int B = 307; // the main window's bottom: top 100 + 207

TEST_P(ListWindowMove, SnapsSlidesAndTearsAway) {
    const ListCase& c = GetParam();
    const ListDrag after = ListWindowMouseMove({c.list, c.held}, B, c.pointer, c.anchor);
    EXPECT_EQ(after, (ListDrag{c.listAfter, c.heldAfter}));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ListWindowMove,
    ::testing::Values(
        // Free moves far from the main window.
        ListCase{"FreeMove", {50, 500}, false, {30, 40}, {10, 10}, {70, 530}, false},
        // Within 5 pixels: snap to the bottom edge and hold docked; the same
        // move then slides or stays.
        ListCase{"SnapFromBelow", {50, 311}, false, {10, 12}, {10, 10}, {50, B}, true},
        ListCase{"SnapFromAbove", {50, 302}, false, {10, 10}, {10, 10}, {50, B}, true},
        ListCase{"SnapThenSlide", {50, 310}, false, {25, 13}, {10, 10}, {65, B}, true},
        ListCase{"SixOffIsFree", {50, 313}, false, {10, 11}, {10, 10}, {50, 314}, false},
        // Held docked: sideways moves slide along the edge.
        ListCase{"Slide", {50, B}, true, {40, 15}, {10, 10}, {80, B}, true},
        ListCase{"SlideLeft", {50, B}, true, {0, 5}, {10, 10}, {40, B}, true},
        ListCase{"NoSideMoveNoSlide", {50, B}, true, {10, 14}, {10, 10}, {50, B}, true},
        // 6 pixels vertical: neither slides nor tears.
        ListCase{"SixDownHolds", {50, B}, true, {30, 16}, {10, 10}, {50, B}, true},
        // More than 6 pixels: tears away.
        ListCase{"TearDown", {50, B}, true, {30, 17}, {10, 10}, {70, B + 7}, false},
        ListCase{"TearUp", {50, B}, true, {10, 0}, {10, 10}, {50, B - 10}, false}),
    [](const auto& info) { return std::string(info.param.what); });

// A sequence of moves: pull the list down from the docked position, slowly.
TEST(ListWindowDrag, TearsAwayOnlyPastSixPixelsAndSnapsBackWhenBroughtClose) {
    ListDrag at{{50, B}, true};
    const QPoint anchor{10, 10};
    for (int dy = 1; dy <= 6; ++dy) {
        at = ListWindowMouseMove(at, B, anchor + QPoint(0, dy), anchor);
        EXPECT_EQ(at, (ListDrag{{50, B}, true})) << "dy " << dy;
    }
    at = ListWindowMouseMove(at, B, anchor + QPoint(0, 7), anchor);
    EXPECT_EQ(at, (ListDrag{{50, B + 7}, false}));
    // Back up by 3 it is 4 pixels off, moved freely; the next move snaps it
    // onto the edge and holds it.
    at = ListWindowMouseMove(at, B, anchor + QPoint(0, -3), anchor);
    EXPECT_EQ(at, (ListDrag{{50, B + 4}, false}));
    at = ListWindowMouseMove(at, B, anchor + QPoint(0, -1), anchor);
    EXPECT_EQ(at, (ListDrag{{50, B}, true}));
}

} // namespace
} // namespace varnelo
