// Stream information of the fixtures (made with ffmpeg: a 1 s 440 Hz tone).
#include "TagTestFiles.h"
#include "platform/audio/tags/TAudioInformation2.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace varnelo {
namespace {

struct StreamCase {
    const char* name;
    const char* fixture;
    int64_t frequency;
    int64_t channels;
    int64_t bitsPerSample;
    int64_t formatTag;
    int64_t durationSlackMs; // lossy codecs pad the stream a little
    int64_t bitrateMin, bitrateMax;
};

void PrintTo(const StreamCase& c, std::ostream* os) {
    *os << c.name;
}

class StreamInfo : public ::testing::TestWithParam<StreamCase> {};

TEST_P(StreamInfo, DescribesTheFixture) {
    const StreamCase& c = GetParam();
    const QString path = QStringLiteral(VARNELO_TEST_DATA "/") + QLatin1String(c.fixture);
    TAudioInformation2 info;
    info.ReadFromFile(path);
    EXPECT_EQ(info.infoFrequency(), c.frequency);
    EXPECT_EQ(info.infoChannels(), c.channels);
    EXPECT_EQ(info.infoBitsPerSample(), c.bitsPerSample);
    EXPECT_EQ(info.infoFormatTag(), c.formatTag);
    EXPECT_NEAR(static_cast<double>(info.infoDuration()), 1000.0,
                static_cast<double>(c.durationSlackMs));
    EXPECT_GE(info.infoBitrate(), c.bitrateMin);
    EXPECT_LE(info.infoBitrate(), c.bitrateMax);
    EXPECT_EQ(info.infoSize(), QFileInfo(path).size());
    // Samples are sample positions: one second of the file's rate.
    EXPECT_NEAR(static_cast<double>(info.infoSamples()), static_cast<double>(c.frequency),
                static_cast<double>(c.frequency * c.durationSlackMs / 1000));
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, StreamInfo,
    ::testing::Values(StreamCase{"mp3", "tags_tone.mp3", 44100, 2, 0, 0x55, 60, 60000, 68000},
                      StreamCase{"ogg", "tags_tone.ogg", 22050, 1, 0, 0x674F, 30, 8000, 80000},
                      StreamCase{"wma", "tags_tone.wma", 44100, 2, 16, 0x161, 150, 60000, 68000},
                      StreamCase{"wav", "tags_tone.wav", 8000, 1, 16, 1, 0, 128000, 128000},
                      StreamCase{"flac", "tags_tone.flac", 16000, 1, 16, 0xF1AC, 0, 30000, 256000}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace varnelo
