#pragma once

#include "platform/audio/file/AudioEncoder.h"

#include <vector>

namespace varnelo {

// Headerless little-endian PCM: 8-bit unsigned, 16-bit or 32-bit signed.
class RawPcmEncoder : public AudioEncoder {
public:
    RawPcmEncoder(const QString& path, int channels, int bits);
    static bool Supports(int bits) { return bits == 8 || bits == 16 || bits == 32; }

    void Write(const float* samples, int64_t frames) override;
    void Finish() override;

private:
    int channels_;
    int bits_;
    std::vector<unsigned char> buffer_;
};

} // namespace varnelo
