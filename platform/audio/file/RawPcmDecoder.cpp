#include "platform/audio/file/RawPcmDecoder.h"

#include "platform/core/AppError.h"

#include <algorithm>
#include <cstring>

namespace varnelo {

RawPcmDecoder::RawPcmDecoder(const QString& path) : file_(path) {
    if (!file_.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("Cannot open %1: %2").arg(path, file_.errorString()));
    length_ = file_.size() / BytesPerFrame;
}

void RawPcmDecoder::Seek(int64_t frame) {
    position_ = std::clamp<int64_t>(frame, 0, length_);
    file_.seek(position_ * BytesPerFrame);
}

SampleArray RawPcmDecoder::Read(int frames) {
    SampleArray out;
    out.channels = Channels();
    out.sampleRate = SampleRate();
    const int64_t n = std::clamp<int64_t>(frames, 0, length_ - position_);
    buffer_.resize(static_cast<size_t>(n * BytesPerFrame));
    const qint64 got = file_.read(reinterpret_cast<char*>(buffer_.data()), qint64(buffer_.size()));
    if (got != qint64(buffer_.size()))
        throw AppError(
            QStringLiteral("Cannot read %1: %2").arg(file_.fileName(), file_.errorString()));
    out.samples.resize(static_cast<size_t>(n * Channels()));
    for (size_t i = 0; i < out.samples.size(); ++i) {
        int16_t s;
        std::memcpy(&s, buffer_.data() + 2 * i, 2); // little-endian host
        out.samples[i] = float(s) / 32768.0f;
    }
    position_ += n;
    return out;
}

} // namespace varnelo
