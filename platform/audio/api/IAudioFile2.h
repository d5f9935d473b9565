#pragma once

#include "platform/audio/api/SampleArray.h"

#include <QString>
#include <cstdint>

namespace varnelo {

// The file component: one instance reads and decodes (AudioFilepaly), another
// encodes and writes (AudioFileWrite). Every failure throws AppError with a
// message naming the file and the reason. Positions and lengths count sample
// positions (frames); they are 64-bit so long files never overflow.
// GUI thread only.
class IAudioFile2 {
public:
    virtual ~IAudioFile2() = default;

    virtual void SetBoolOption(bool value) = 0;

    // --- reading ---
    virtual void OpenFile(const QString& path, int reserved1 = 0, int reserved2 = 1) = 0;
    virtual bool IsOpen() const = 0;
    // Closes what is open; for a writer the file is then complete and taggable.
    virtual void CloseFile() = 0;
    virtual int64_t Length() const = 0;   // sample positions up to the end
    virtual int64_t Duration() const = 0; // milliseconds
    virtual int FileSampleRate() const = 0;
    virtual int FileChannels() const = 0;
    virtual int Bitrate() const = 0; // bits per second
    // PCM format of the arrays: what ReadArray returns (reader) or what the
    // writer expects after SetOggParams/SetWaveFormat.
    virtual int SampleRate() const = 0;
    virtual int Channels() const = 0;
    virtual int Seek(int64_t position, int origin = 3) = 0;
    // Up to `count` sample positions from the read position; empty at the end.
    virtual SampleArray ReadArray(int count) = 0;

    // --- writing ---
    // quality > 0: Vorbis quality mode (quality / 1000); quality <= 0: managed
    // bitrate mode; the smaller of the two bounds is the minimum.
    virtual void SetOggParams(int frequency, int channels, int bitrateKbps, int bound1Kbps,
                              int bound2Kbps, int quality) = 0;
    // The encoder's own answer for managed bitrate mode with these values.
    virtual bool CheckOggFormat(int frequency, int channels, int bitrateKbps, int bound1Kbps,
                                int bound2Kbps) = 0;
    // RAW (headerless PCM) output.
    virtual void SetWaveFormat(int formatCode, int frequency, int channels, int bits) = 0;
    // PCM format of the arrays that WriteArray will receive; the writer
    // resamples and remixes to the output format when they differ.
    virtual void SetInputFormat(int sampleRate, int channels) = 0;
    // Creates (overwrites) the output file with the format chosen before.
    virtual void CreateNewFile(const QString& path, int reserved = 0) = 0;
    virtual void WriteArray(const SampleArray& array) = 0;
};

} // namespace varnelo
