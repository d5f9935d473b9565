#include "platform/audio/file/SampleConverter.h"

#include "platform/core/AppError.h"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
}

namespace varnelo {

SampleConverter::SampleConverter(int inRate, int inChannels, int outRate, int outChannels)
    : outChannels_(outChannels) {
    AVChannelLayout in, out;
    av_channel_layout_default(&in, inChannels);
    av_channel_layout_default(&out, outChannels);
    const int rc = swr_alloc_set_opts2(&swr_, &out, AV_SAMPLE_FMT_FLT, outRate, &in,
                                       AV_SAMPLE_FMT_FLT, inRate, 0, nullptr);
    av_channel_layout_uninit(&in);
    av_channel_layout_uninit(&out);
    if (rc < 0 || swr_init(swr_) < 0) {
        swr_free(&swr_);
        throw AppError(QStringLiteral("Cannot convert %1 Hz, %2 channel(s) to %3 Hz, %4 channel(s)")
                           .arg(inRate)
                           .arg(inChannels)
                           .arg(outRate)
                           .arg(outChannels));
    }
}

SampleConverter::~SampleConverter() {
    swr_free(&swr_);
}

const std::vector<float>& SampleConverter::Convert(const float* samples, int64_t frames) {
    const int capacity = swr_get_out_samples(swr_, int(frames));
    out_.resize(size_t(std::max(capacity, 0)) * size_t(outChannels_));
    uint8_t* out = reinterpret_cast<uint8_t*>(out_.data());
    const uint8_t* in = reinterpret_cast<const uint8_t*>(samples);
    const int got = swr_convert(swr_, &out, capacity, samples ? &in : nullptr, int(frames));
    out_.resize(size_t(std::max(got, 0)) * size_t(outChannels_));
    return out_;
}

const std::vector<float>& SampleConverter::Drain() {
    return Convert(nullptr, 0);
}

} // namespace varnelo
