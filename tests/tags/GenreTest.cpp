#include "platform/audio/tags/TAudioInformation2.h"
#include "platform/core/AppError.h"

#include <gtest/gtest.h>

namespace varnelo {
namespace {

TEST(GenreName, NamesTheId3v1Genres) {
    TAudioInformation2 info;
    EXPECT_EQ(info.GenreName(0), QStringLiteral("Blues"));
    EXPECT_EQ(info.GenreName(17), QStringLiteral("Rock"));
    EXPECT_EQ(info.GenreName(147), QStringLiteral("Synthpop"));
    EXPECT_EQ(info.GenreName(-1), QString());
    EXPECT_EQ(info.GenreName(148), QString());
}

TEST(GenreName, EveryNameLeadsBackToItsIndex) {
    TAudioInformation2 info;
    for (int i = 0; i < TAudioInformation2::kGenreCount; ++i) {
        const QString name = info.GenreName(i);
        ASSERT_FALSE(name.isEmpty()) << i;
        info.setInfoGenreS(name);
        EXPECT_EQ(info.infoGenreIndex(), i) << name.toStdString();
        info.setInfoGenreS(QString::number(i));
        EXPECT_EQ(info.infoGenreIndex(), i);
    }
}

struct GenreTextCase {
    const char* text;
    int index;
};

void PrintTo(const GenreTextCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class GenreText : public ::testing::TestWithParam<GenreTextCase> {};

TEST_P(GenreText, SetsTheIndexItNames) {
    TAudioInformation2 info;
    info.setInfoGenreIndex(5); // something to be replaced
    info.setInfoGenreS(QString::fromUtf8(GetParam().text));
    EXPECT_EQ(info.infoGenreIndex(), GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, GenreText,
    ::testing::Values(GenreTextCase{"17", 17}, GenreTextCase{"0", 0}, GenreTextCase{"147", 147},
                      GenreTextCase{" 17 ", 17}, GenreTextCase{"(17)", 17},
                      GenreTextCase{"Rock", 17}, GenreTextCase{"rock", 17},
                      GenreTextCase{"Synthpop", 147}, GenreTextCase{"", -1},
                      GenreTextCase{"-1", -1}, GenreTextCase{"148", -1}, GenreTextCase{"255", -1},
                      GenreTextCase{"Not a genre", -1}, GenreTextCase{"99999999999", -1}));

TEST(GenreIndex, OutsideTheListMeansNone) {
    TAudioInformation2 info;
    for (const int32_t value : {-1, -200, 148, 255, 70000}) {
        info.setInfoGenreIndex(3);
        info.setInfoGenreIndex(value);
        EXPECT_EQ(info.infoGenreIndex(), -1) << value;
    }
    info.setInfoGenreIndex(147);
    EXPECT_EQ(info.infoGenreIndex(), 147);
}

struct RefusedValueCase {
    const char* name;
    bool year; // else track
    int32_t value;
};

void PrintTo(const RefusedValueCase& c, std::ostream* os) {
    *os << c.name;
}

class RefusedValue : public ::testing::TestWithParam<RefusedValueCase> {};

TEST_P(RefusedValue, ThrowsAndKeepsTheHeldValue) {
    const RefusedValueCase& c = GetParam();
    TAudioInformation2 info;
    info.setInfoYear(1987);
    info.setInfoTrack(12);
    try {
        if (c.year)
            info.setInfoYear(c.value);
        else
            info.setInfoTrack(c.value);
        FAIL() << "accepted " << c.value;
    } catch (const AppError& e) {
        const QString expected =
            c.year ? QStringLiteral("The year %1 is not a year from 0 to 9999.")
                   : QStringLiteral("The track number %1 is not a number from 0 to 32767.");
        EXPECT_EQ(e.message(), expected.arg(c.value));
    }
    EXPECT_EQ(info.infoYear(), 1987);
    EXPECT_EQ(info.infoTrack(), 12);
}

INSTANTIATE_TEST_SUITE_P(Values, RefusedValue,
                         ::testing::Values(RefusedValueCase{"negativeYear", true, -1},
                                           RefusedValueCase{"fiveDigitYear", true, 10000},
                                           RefusedValueCase{"hugeYear", true, 2147483647},
                                           RefusedValueCase{"negativeTrack", false, -1},
                                           RefusedValueCase{"trackAbove16Bit", false, 32768},
                                           RefusedValueCase{"hugeTrack", false, 2147483647}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AcceptedValues, BoundsAreKept) {
    TAudioInformation2 info;
    for (const int32_t year : {0, 1, 2024, 9999}) {
        info.setInfoYear(year);
        EXPECT_EQ(info.infoYear(), year);
    }
    for (const int32_t track : {0, 1, 255, 32767}) {
        info.setInfoTrack(track);
        EXPECT_EQ(info.infoTrack(), track);
    }
}

} // namespace
} // namespace varnelo
