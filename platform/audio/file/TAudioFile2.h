#pragma once

#include "platform/audio/api/IAudioFile2.h"

#include <memory>

namespace varnelo {

class AudioDecoder;
class AudioEncoder;
class SampleConverter;

// The file component on FFmpeg (reading) and libvorbis/libogg or plain PCM
// (writing). One instance is used either as a reader or as a writer at a time.
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
        int bits = 16;
    } output_;
    int inputRate_ = 0;     // 0: same as the output
    int inputChannels_ = 0; // 0: same as the output
};

} // namespace varnelo
