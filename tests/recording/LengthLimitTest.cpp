#include "audio/LengthLimit.h"

#include "audio/TimeText.h"
#include "settings/SettingsFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace varnelo {
namespace {

TEST(TimeText, TwoDigitsEachAndHoursBeyondADay) {
    const struct {
        int64_t ms;
        const char* text;
    } cases[] = {
        {0, "00:00:00"},
        {999, "00:00:00"},
        {1000, "00:00:01"},
        {119999, "00:01:59"},
        {120000, "00:02:00"},
        {3599999, "00:59:59"},
        {3600000, "01:00:00"},
        {36000000 + 61000, "10:01:01"},
        // 14 hours: beyond 2^31 samples at 44100 Hz, still right
        {50400000, "14:00:00"},
        {360000000000, "100000:00:00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TimeText(c.ms), QString::fromUtf8(c.text)) << c.ms;
}

TEST(LengthLimitText, DecimalWholeSecondsOnly) {
    EXPECT_EQ(ParseLimitSeconds("120"), 120);
    EXPECT_EQ(ParseLimitSeconds(" 30 "), 30);
    EXPECT_EQ(ParseLimitSeconds("0"), 0);
    EXPECT_EQ(ParseLimitSeconds("-5"), -5);
    EXPECT_FALSE(ParseLimitSeconds("abc"));
    EXPECT_FALSE(ParseLimitSeconds(""));
    EXPECT_FALSE(ParseLimitSeconds("12abc"));
    EXPECT_FALSE(ParseLimitSeconds("1.5"));
}

class LengthLimitSettings : public ::testing::Test {
protected:
    void Set(const char* key, const char* value) { settings.WriteString("file", key, value); }
    QTemporaryDir dir;
    SettingsFile settings{dir.filePath("Varn.ini")};
};

TEST_F(LengthLimitSettings, NeedsBothSwitches) {
    EXPECT_FALSE(ReadLengthLimit(settings));
    Set("enlength", "1");
    EXPECT_FALSE(ReadLengthLimit(settings));
    Set("rbtime", "1");
    const auto limit = ReadLengthLimit(settings);
    ASSERT_TRUE(limit);
    EXPECT_EQ(limit->seconds, 120); // "timet" default
    EXPECT_FALSE(limit->stop);
    EXPECT_FALSE(limit->newFile);
    Set("enlength", "0");
    EXPECT_FALSE(ReadLengthLimit(settings));
}

TEST_F(LengthLimitSettings, ReadsActionsAndTime) {
    Set("enlength", "1");
    Set("rbtime", "1");
    Set("timet", "7");
    Set("limit_s", "1");
    Set("limit_n", "1");
    const auto limit = ReadLengthLimit(settings);
    ASSERT_TRUE(limit);
    EXPECT_EQ(limit->seconds, 7);
    EXPECT_TRUE(limit->stop);
    EXPECT_TRUE(limit->newFile);
}

// A "timet" that is no number is ignored: no limit, no error at every event.
TEST_F(LengthLimitSettings, TimeThatIsNoNumberMeansNoLimit) {
    Set("enlength", "1");
    Set("rbtime", "1");
    Set("limit_s", "1");
    Set("timet", "two minutes");
    EXPECT_FALSE(ReadLengthLimit(settings));
}

} // namespace
} // namespace varnelo
