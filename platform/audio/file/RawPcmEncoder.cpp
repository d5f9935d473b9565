#include "platform/audio/file/RawPcmEncoder.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace varnelo {

QString RawPcmEncoder::Refusal(int formatCode, int bits) {
    if (formatCode == FormatFloat)
        return bits == 32 ? QString()
                          : QStringLiteral("RAW float samples have 32 bits, not %1").arg(bits);
    if (formatCode != 0 && formatCode != FormatPcm)
        return QStringLiteral("RAW sample format %1 is unknown (0 or 1: PCM, 3: float)")
            .arg(formatCode);
    if (bits == 8 || bits == 16 || bits == 24 || bits == 32)
        return QString();
    return QStringLiteral("RAW files are written with 8, 16, 24 or 32 bits per sample, not %1")
        .arg(bits);
}

RawPcmEncoder::RawPcmEncoder(const QString& path, int formatCode, int channels, int bits)
    : AudioEncoder(path), float_(formatCode == FormatFloat), channels_(channels), bits_(bits) {}

void RawPcmEncoder::Write(const float* samples, int64_t frames) {
    const size_t count = size_t(frames) * size_t(channels_);
    const size_t width = size_t(bits_ / 8);
    buffer_.resize(count * width);
    for (size_t i = 0; i < count; ++i) {
        const double v = std::clamp(double(samples[i]), -1.0, 1.0);
        unsigned char* out = buffer_.data() + i * width;
        if (float_) {
            const float f = float(v);
            std::memcpy(out, &f, 4);
        } else if (bits_ == 8) {
            *out = static_cast<unsigned char>(std::lround(v * 127.0) + 128);
        } else if (bits_ == 16) {
            const int16_t s = static_cast<int16_t>(std::lround(v * 32767.0));
            std::memcpy(out, &s, 2);
        } else if (bits_ == 24) {
            const int32_t s = static_cast<int32_t>(std::lround(v * 8388607.0));
            out[0] = uint8_t(s);
            out[1] = uint8_t(s >> 8);
            out[2] = uint8_t(s >> 16);
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
