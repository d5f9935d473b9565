#pragma once

#include "platform/audio/file/AudioDecoder.h"

#include <QFile>
#include <vector>

namespace varnelo {

// Headerless PCM as RAW files are read: 44100 Hz, stereo, 16-bit little-endian.
class RawPcmDecoder : public AudioDecoder {
public:
    explicit RawPcmDecoder(const QString& path);

    int64_t Length() const override { return length_; }
    int SampleRate() const override { return 44100; }
    int Channels() const override { return 2; }
    int Bitrate() const override { return 44100 * 2 * 16; }
    void Seek(int64_t frame) override;
    SampleArray Read(int frames) override;

private:
    static constexpr int BytesPerFrame = 4;
    QFile file_;
    int64_t length_ = 0;
    int64_t position_ = 0;
    std::vector<unsigned char> buffer_;
};

} // namespace varnelo
