#pragma once

#include "platform/audio/file/AudioEncoder.h"

#include <vector>

namespace varnelo {

// Headerless little-endian PCM. The format code follows the WAVE format tags:
// 0 or 1 (PCM) is integer PCM of 8 (unsigned), 16, 24 or 32 bits (signed);
// 3 (IEEE float) is 32-bit float. Other codes and sizes are refused.
class RawPcmEncoder : public AudioEncoder {
public:
    static constexpr int FormatPcm = 1;
    static constexpr int FormatFloat = 3;

    RawPcmEncoder(const QString& path, int formatCode, int channels, int bits);
    // Empty when the combination can be written, else why not.
    static QString Refusal(int formatCode, int bits);

    void Write(const float* samples, int64_t frames) override;
    void Finish() override;

private:
    bool float_;
    int channels_;
    int bits_;
    std::vector<unsigned char> buffer_;
};

} // namespace varnelo
