#pragma once

#include <QString>

namespace varnelo {

class SettingsFile;
class IAudioFile2;

// How the writer is set up for a recording, read from [ogg] or [raw].
struct EncoderSetup {
    int format = 0; // OutputFormatOgg or OutputFormatRaw
    int frequency = 0;
    int channels = 0;
    // OGG
    bool qualityMode = true;
    int bitrate = 0;      // nominal, kbps
    int minimum = 0;      // kbps
    int maximum = 0;      // kbps
    int quality = 0;      // 0..1000 in quality mode
    int checkBitrate = 0; // the bitrate CheckOggFormat is asked about
    // RAW
    int formatCode = 0;
    int bits = 0;

    QString infoText; // "File Info: ..."
};

// Reads the encoder values for a recording in the given naming mode.
// `format` is the effective output format (EffectiveOutputFormat).
EncoderSetup ReadEncoderSetup(const SettingsFile& settings, int format, bool customNaming);

// Hands the set-up to the writer. Returns false, having changed nothing,
// when the encoder rejects the OGG bitrate combination.
bool ApplyEncoderSetup(const EncoderSetup& setup, IAudioFile2& writer);

} // namespace varnelo
