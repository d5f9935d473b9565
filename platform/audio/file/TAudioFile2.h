#pragma once

#include "platform/audio/api/IAudioFile2.h"

#include <memory>

namespace varnelo {

class AudioDecoder;
class AudioEncoder;
class SampleConverter;

// The file component on FFmpeg (reading) and libvorbis/libogg or plain PCM
// (writing). One instance is used either as a reader or as a writer at a time.
//
// Reading: MP3, WAV, WMA, OGG (Vorbis, Opus), FLAC and whatever else FFmpeg
// decodes; files ending in .raw are headerless PCM, 44100 Hz, stereo, 16-bit
// little-endian. ReadArray's count and all positions are sample positions.
//
// Writing OGG: quality > 0 is Vorbis quality mode at quality / 1000; otherwise
// managed bitrate mode with the smaller bound as minimum and the larger as
// maximum, and a nominal bitrate outside them moved to the nearer bound (the
// encoder refuses a nominal outside its bounds). CheckOggFormat asks the
// encoder about the same values.
// Writing RAW: SetWaveFormat's code follows the WAVE format tags: 0 or 1 is
// integer PCM (8-bit unsigned, 16, 24 or 32-bit signed), 3 is 32-bit float;
// all little-endian. Other codes and sizes make CreateNewFile throw.
// Every completed Ogg page and every RAW array is flushed to the disk, so a
// crash or a full disk leaves a playable file.
//
// GUI thread only.
class TAudioFile2 : public IAudioFile2 {
public:
    TAudioFile2();
    ~TAudioFile2() override;

    void SetBoolOption(bool value) override;

    void OpenFile(const QString& path, int reserved1 = 0, int reserved2 = 1) override;
    bool IsOpen() const override;
    void CloseFile() override;
    int64_t Length() const override;
    int64_t Duration() const override;
    int FileSampleRate() const override;
    int FileChannels() const override;
    int Bitrate() const override;
    int SampleRate() const override;
    int Channels() const override;
    int Seek(int64_t position, int origin = 3) override;
    SampleArray ReadArray(int count) override;

    void SetOggParams(int frequency, int channels, int bitrateKbps, int bound1Kbps, int bound2Kbps,
                      int quality) override;
    bool CheckOggFormat(int frequency, int channels, int bitrateKbps, int bound1Kbps,
                        int bound2Kbps) override;
    void SetWaveFormat(int formatCode, int frequency, int channels, int bits) override;
    void SetInputFormat(int sampleRate, int channels) override;
    void CreateNewFile(const QString& path, int reserved = 0) override;
    void WriteArray(const SampleArray& array) override;

private:
    void drainConverter();
    std::unique_ptr<SampleConverter> makeConverter() const;

    std::unique_ptr<AudioDecoder> decoder_;
    std::unique_ptr<AudioEncoder> encoder_;
    std::unique_ptr<SampleConverter> converter_; // arrays in another format than the output
    struct OutputFormat {
        bool ogg = true;
        int rate = 44100;
        int channels = 2;
        int quality = 300;
        int minKbps = 128, nominalKbps = 128, maxKbps = 128;
        int formatCode = 1; // RAW: see RawPcmEncoder
        int bits = 16;
    } output_;
    int inputRate_ = 0;     // 0: same as the output
    int inputChannels_ = 0; // 0: same as the output
};

} // namespace varnelo
