#pragma once

#include <cstdint>
#include <vector>

namespace varnelo {

// A block of interleaved 32-bit float samples (-1.0 .. 1.0) of all channels.
// Whoever receives one copies what it wants to keep; nothing holds on to an
// array it was handed.
struct SampleArray {
    std::vector<float> samples; // frames * channels elements, interleaved
    int channels = 2;
    int sampleRate = 44100;

    // Number of elements minus one; -1 for an empty array.
    int UpperBound() const { return static_cast<int>(samples.size()) - 1; }
    // Number of sample positions (frames) the array covers.
    int64_t Frames() const {
        return channels > 0 ? static_cast<int64_t>(samples.size()) / channels : 0;
    }
    bool empty() const { return samples.empty(); }
};

} // namespace varnelo
