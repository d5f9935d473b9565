#include "joiner/DurationText.h"

#include <gtest/gtest.h>

namespace varnelo {
namespace {

struct DurationCase {
    int64_t milliseconds;
    const char* text;
};

class DurationTextTest : public ::testing::TestWithParam<DurationCase> {};

TEST_P(DurationTextTest, FormatsHoursMinutesSeconds) {
    EXPECT_EQ(DurationText(GetParam().milliseconds), QString::fromLatin1(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Table, DurationTextTest,
    ::testing::Values(DurationCase{0, "00:00:00"}, DurationCase{999, "00:00:00"},
                      DurationCase{1999, "00:00:01"}, // truncated, never rounded
                      DurationCase{59999, "00:00:59"}, DurationCase{60000, "00:01:00"},
                      DurationCase{3725400, "01:02:05"}, // 1 h 2 min 5.4 s
                      DurationCase{3599999, "00:59:59"}, DurationCase{3600000, "01:00:00"},
                      DurationCase{359999999, "99:59:59"},  // last two-digit hour
                      DurationCase{360000000, "100:00:00"}, // three-digit hours
                      DurationCase{(1000LL * 3600 + 61) * 1000, "1000:01:01"},
                      DurationCase{INT64_C(50) * 24 * 3600 * 1000, "1200:00:00"}, // past 32 bits
                      DurationCase{-5, "00:00:00"}));

} // namespace
} // namespace varnelo
