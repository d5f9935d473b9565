#include "platform/audio/file/RawPcmEncoder.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace varnelo {

RawPcmEncoder::RawPcmEncoder(const QString& path, int channels, int bits)
    : AudioEncoder(path), channels_(channels), bits_(bits) {}

void RawPcmEncoder::Write(const float* samples, int64_t frames) {
    const size_t count = size_t(frames) * size_t(channels_);
    const size_t width = size_t(bits_ / 8);
    buffer_.resize(count * width);
    for (size_t i = 0; i < count; ++i) {
        const double v = std::clamp(double(samples[i]), -1.0, 1.0);
        unsigned char* out = buffer_.data() + i * width;
        if (bits_ == 8) {
            *out = static_cast<unsigned char>(std::lround(v * 127.0) + 128);
        } else if (bits_ == 16) {
            const int16_t s = static_cast<int16_t>(std::lround(v * 32767.0));
            std::memcpy(out, &s, 2);
        } else {
            const int32_t s = static_cast<int32_t>(std::llround(v * 2147483647.0));
            std::memcpy(out, &s, 4);
        }
    }
    put(buffer_.data(), buffer_.size());
    flush();
}

void RawPcmEncoder::Finish() {
    flush();
    close();
}

} // namespace varnelo
