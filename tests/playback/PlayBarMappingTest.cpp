#include "audio/PlayBarMapping.h"

#include <gtest/gtest.h>
#include <limits>

namespace varnelo {
namespace {

TEST(MulDiv, RoundsHalvesAwayFromZeroWithAWideIntermediate) {
    EXPECT_EQ(MulDiv(1, 1, 2), 1);
    EXPECT_EQ(MulDiv(1, 1, 3), 0);
    EXPECT_EQ(MulDiv(2, 1, 3), 1);
    EXPECT_EQ(MulDiv(-1, 1, 2), -1);
    EXPECT_EQ(MulDiv(5, 7, -2), -18);
    EXPECT_EQ(MulDiv(7, 3, 0), -1);
    // The product is beyond 64 bits; the result is not.
    const int64_t big = std::numeric_limits<int64_t>::max() / 2;
    EXPECT_EQ(MulDiv(big, 980, 980), big);
}

struct BarCase {
    int64_t sampleTotal;
    int64_t length;
    int bar;
};

TEST(PlayBarPosition, MapsPositionsOntoZeroTo980) {
    const BarCase cases[] = {
        {0, 441000, 0},
        {220500, 441000, 490},
        {441000, 441000, 980},
        {441000 + 4100, 441000, 980}, // queued blocks run past the end: capped
        {449, 441000, 1},             // 449 * 980 / 441000 = 0.998 rounds up
        {224, 441000, 0},             // 0.498 rounds down
        {1000, 0, 0},                 // an empty file puts the bar at 0, not -1
        {0, 0, 0},
        // 20 hours at 44100 Hz: 64-bit counts do not overflow
        {int64_t{3175200000} / 2, int64_t{3175200000}, 490},
    };
    for (const BarCase& c : cases)
        EXPECT_EQ(PlayBarPosition(c.sampleTotal, c.length), c.bar)
            << c.sampleTotal << " of " << c.length;
}

TEST(SeekTarget, MapsTheBarBackRounded) {
    const int64_t length = 441001;
    const struct {
        int bar;
        int64_t target;
    } cases[] = {
        {0, 0},        {490, 220501}, // 220500.5 rounds up
        {978, 440101},                // 978 * 441001 / 980 = 440100.98
        {979, 440551}, {980, length},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SeekTarget(c.bar, length), c.target) << c.bar;
    EXPECT_EQ(SeekTarget(490, 0), 0);
    // Beyond 32 bits
    EXPECT_EQ(SeekTarget(490, int64_t{1} << 40), int64_t{1} << 39);
}

} // namespace
} // namespace varnelo
