#pragma once

#include <cstdint>
#include <vector>

struct SwrContext;

namespace varnelo {

// Resamples and remixes interleaved float audio, continuously across calls.
class SampleConverter {
public:
    SampleConverter(int inRate, int inChannels, int outRate, int outChannels);
    ~SampleConverter();
    SampleConverter(const SampleConverter&) = delete;
    SampleConverter& operator=(const SampleConverter&) = delete;

    // Converts `frames` input frames; the result holds whole output frames.
    const std::vector<float>& Convert(const float* samples, int64_t frames);
    // What the resampler still holds at the end of the stream.
    const std::vector<float>& Drain();

private:
    SwrContext* swr_ = nullptr;
    int outChannels_;
    std::vector<float> out_;
};

} // namespace varnelo
