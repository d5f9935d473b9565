#include "audio/EncoderSetup.h"

#include "audio/OutputNaming.h"
#include "platform/audio/api/IAudioFile2.h"
#include "settings/SettingsFile.h"
#include "settings/ValueTables.h"

#include <algorithm>

namespace varnelo {

namespace {
// Channel positions are 0 (mono) and 1 (stereo); anything else reads as the default.
int ChannelPosition(const SettingsFile& settings, const QString& section, const QString& key) {
    const int position = settings.ReadInteger(section, key, 1);
    return position == 0 || position == 1 ? position : 1;
}

// "File Info: Stereo 300Q 44100HZ": channel mode, the encoder's setting with its unit
// letter, and the sample rate.
QString InfoText(int channel, int value, QChar unit, int frequency) {
    return QStringLiteral("File Info: %1 %2%3 %4HZ")
        .arg(ChannelName(channel, 1))
        .arg(value)
        .arg(unit)
        .arg(frequency);
}
} // namespace

EncoderSetup ReadEncoderSetup(const SettingsFile& settings, int format, bool customNaming) {
    EncoderSetup setup;
    setup.format = EffectiveOutputFormat(format);
    if (setup.format == OutputFormatRaw) {
        const QString raw = QStringLiteral("raw");
        const int channel = ChannelPosition(settings, raw, QStringLiteral("c"));
        setup.channels = channel + 1;
        setup.bits =
            TableValue(SampleBitsTable, settings.ReadInteger(raw, QStringLiteral("b"), 5), 5);
        setup.frequency =
            TableValue(FrequencyTable, settings.ReadInteger(raw, QStringLiteral("f"), 8), 8);
        setup.formatCode =
            settings.ReadInteger(raw, QStringLiteral("format"), 0) + (customNaming ? 0 : 1);
        setup.infoText = InfoText(channel, setup.bits, u'B', setup.frequency);
        return setup;
    }

    const QString ogg = QStringLiteral("ogg");
    const int channel = ChannelPosition(settings, ogg, QStringLiteral("channel"));
    setup.channels = channel + 1;
    setup.frequency =
        TableValue(FrequencyTable, settings.ReadInteger(ogg, QStringLiteral("frequency"), 8), 8);
    setup.bitrate =
        TableValue(NominalBitrateTable, settings.ReadInteger(ogg, QStringLiteral("bitrate"), 4), 4);
    setup.minimum =
        TableValue(BitrateTable, settings.ReadInteger(ogg, QStringLiteral("min bitrate"), 11), 11);
    setup.maximum =
        TableValue(BitrateTable, settings.ReadInteger(ogg, QStringLiteral("max bitrate"), 11), 11);
    setup.qualityMode = settings.ReadBool(ogg, QStringLiteral("enable quality"), true);
    if (setup.qualityMode) {
        setup.quality = settings.ReadInteger(ogg, QStringLiteral("quality"), 300);
        setup.infoText = InfoText(channel, setup.quality, u'Q', setup.frequency);
    } else {
        setup.quality = 0;
        setup.checkBitrate = customNaming ? setup.minimum : setup.bitrate;
        setup.infoText = InfoText(channel, setup.minimum, u'K', setup.frequency);
    }
    return setup;
}

bool ApplyEncoderSetup(const EncoderSetup& setup, IAudioFile2& writer) {
    if (setup.format == OutputFormatRaw) {
        writer.SetWaveFormat(setup.formatCode, setup.frequency, setup.channels, setup.bits);
        return true;
    }
    if (!setup.qualityMode &&
        !writer.CheckOggFormat(setup.frequency, setup.channels, setup.checkBitrate, setup.minimum,
                               setup.maximum))
        return false;
    // The writer reads a quality of 0 or less as bitrate mode; a stored quality
    // of 0 in quality mode stays in quality mode at the lowest step.
    const int quality = setup.qualityMode ? std::clamp(setup.quality, 1, 1000) : 0;
    writer.SetOggParams(setup.frequency, setup.channels, setup.bitrate, setup.minimum,
                        setup.maximum, quality);
    return true;
}

} // namespace varnelo
