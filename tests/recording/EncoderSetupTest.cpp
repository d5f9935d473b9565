#include "audio/EncoderSetup.h"

#include "audio/OutputNaming.h"
#include "settings/SettingsFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace varnelo {
namespace {

using Stored = std::vector<std::pair<const char*, const char*>>; // "section/key", value

struct EncoderCase {
    const char* label;
    Stored stored;
    int format;
    bool custom;
    EncoderSetup expected;
};

EncoderSetup Ogg(bool qualityMode, int frequency, int channels, int bitrate, int minimum,
                 int maximum, int quality, int checkBitrate, const char* text) {
    EncoderSetup s;
    s.format = OutputFormatOgg;
    s.qualityMode = qualityMode;
    s.frequency = frequency;
    s.channels = channels;
    s.bitrate = bitrate;
    s.minimum = minimum;
    s.maximum = maximum;
    s.quality = quality;
    s.checkBitrate = checkBitrate;
    s.infoText = QString::fromUtf8(text);
    return s;
}

EncoderSetup Raw(int code, int frequency, int channels, int bits, const char* text) {
    EncoderSetup s;
    s.format = OutputFormatRaw;
    s.formatCode = code;
    s.frequency = frequency;
    s.channels = channels;
    s.bits = bits;
    s.infoText = QString::fromUtf8(text);
    return s;
}

void PrintTo(const EncoderCase& c, std::ostream* os) {
    *os << c.label;
}

class EncoderSetupTable : public ::testing::TestWithParam<EncoderCase> {};

TEST_P(EncoderSetupTable, ReadsValuesAndInfoText) {
    const EncoderCase& c = GetParam();
    QTemporaryDir dir;
    SettingsFile settings(dir.filePath("Varn.ini"));
    for (const auto& [where, value] : c.stored) {
        const QStringList parts = QString::fromUtf8(where).split('/');
        settings.WriteString(parts[0], parts[1], QString::fromUtf8(value));
    }
    const EncoderSetup got = ReadEncoderSetup(settings, c.format, c.custom);
    const EncoderSetup& want = c.expected;
    EXPECT_EQ(got.format, want.format);
    EXPECT_EQ(got.frequency, want.frequency);
    EXPECT_EQ(got.channels, want.channels);
    EXPECT_EQ(got.infoText, want.infoText);
    if (want.format == OutputFormatRaw) {
        EXPECT_EQ(got.formatCode, want.formatCode);
        EXPECT_EQ(got.bits, want.bits);
    } else {
        EXPECT_EQ(got.qualityMode, want.qualityMode);
        EXPECT_EQ(got.bitrate, want.bitrate);
        EXPECT_EQ(got.minimum, want.minimum);
        EXPECT_EQ(got.maximum, want.maximum);
        EXPECT_EQ(got.quality, want.quality);
        if (!want.qualityMode) {
            EXPECT_EQ(got.checkBitrate, want.checkBitrate);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EncoderSetupTable,
    ::testing::Values(
        EncoderCase{"DefaultsQualityMode",
                    {},
                    0,
                    true,
                    Ogg(true, 44100, 2, 256, 128, 128, 300, 0, "File Info: Stereo 300Q 44100HZ")},
        EncoderCase{"QualityModeMono",
                    {{"ogg/channel", "0"}, {"ogg/frequency", "5"}, {"ogg/quality", "750"}},
                    0,
                    false,
                    Ogg(true, 22050, 1, 256, 128, 128, 750, 0, "File Info: Mono 750Q 22050HZ")},
        // Bitrate mode: the check asks about the minimum in custom naming mode...
        EncoderCase{"BitrateModeCustomChecksMinimum",
                    {{"ogg/enable quality", "0"},
                     {"ogg/min bitrate", "7"},
                     {"ogg/max bitrate", "13"},
                     {"ogg/bitrate", "1"}},
                    0,
                    true,
                    Ogg(false, 44100, 2, 128, 64, 192, 0, 64, "File Info: Stereo 64K 44100HZ")},
        // ...and about the nominal bitrate in date-and-time mode.
        EncoderCase{"BitrateModeDateTimeChecksNominal",
                    {{"ogg/enable quality", "0"}, {"ogg/frequency", "9"}},
                    0,
                    false,
                    Ogg(false, 48000, 2, 256, 128, 128, 0, 256, "File Info: Stereo 128K 48000HZ")},
        // Positions outside their tables read as the key's default position.
        EncoderCase{"OutOfTablePositions",
                    {{"ogg/frequency", "42"},
                     {"ogg/bitrate", "-3"},
                     {"ogg/channel", "7"},
                     {"ogg/min bitrate", "17"}},
                    0,
                    true,
                    Ogg(true, 44100, 2, 256, 128, 128, 300, 0, "File Info: Stereo 300Q 44100HZ")},
        // Formats other than 0 and 4 record as OGG.
        EncoderCase{"OtherFormatIsOgg",
                    {},
                    1,
                    true,
                    Ogg(true, 44100, 2, 256, 128, 128, 300, 0, "File Info: Stereo 300Q 44100HZ")},
        EncoderCase{"RawDefaultsCustom",
                    {},
                    4,
                    true,
                    Raw(0, 44100, 2, 16, "File Info: Stereo 16B 44100HZ")},
        EncoderCase{"RawDateTimeAddsOneToTheCode",
                    {{"raw/c", "0"}, {"raw/b", "4"}, {"raw/f", "1"}, {"raw/format", "2"}},
                    4,
                    false,
                    Raw(3, 8000, 1, 8, "File Info: Mono 8B 8000HZ")}),
    [](const ::testing::TestParamInfo<EncoderCase>& info) { return info.param.label; });

} // namespace
} // namespace varnelo
