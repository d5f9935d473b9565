#pragma once

#include "platform/audio/api/SampleArray.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

namespace varnelo {

// Cuts a stream of captured interleaved samples into blocks of a fixed size
// and keeps completed blocks until they are taken. Header-only: the simulated
// recorder and the sound server's recorder both use it. GUI thread only.
class BlockQueue {
public:
    // A new format: what was queued in the old one is dropped.
    void Reset(int sampleRate, int channels) {
        rate_ = sampleRate;
        channels_ = channels;
        Clear();
    }
    void SetBlockFrames(int blockFrames) { blockFrames_ = blockFrames > 0 ? blockFrames : 1; }
    void Clear() {
        partial_.clear();
        ready_.clear();
    }

    // Appends frames; returns how many blocks they completed.
    int Append(const float* samples, std::size_t count) {
        partial_.insert(partial_.end(), samples, samples + count);
        const std::size_t blockElements = std::size_t(blockFrames_) * std::size_t(channels_);
        int completed = 0;
        std::size_t used = 0;
        while (partial_.size() - used >= blockElements) {
            SampleArray block;
            block.channels = channels_;
            block.sampleRate = rate_;
            block.samples.assign(partial_.begin() + used, partial_.begin() + used + blockElements);
            ready_.push_back(std::move(block));
            used += blockElements;
            ++completed;
        }
        partial_.erase(partial_.begin(), partial_.begin() + used);
        return completed;
    }
    // Frames still missing from the block being filled; at least 1, also
    // when a smaller block size left more than a block waiting.
    int64_t FramesToNextBlock() const {
        return std::max<int64_t>(blockFrames_ - int64_t(partial_.size()) / channels_, 1);
    }

    bool HasBlock() const { return !ready_.empty(); }
    std::size_t ReadyCount() const { return ready_.size(); }
    // The oldest completed block; an empty array of the format when none.
    SampleArray Take() {
        SampleArray block;
        block.channels = channels_;
        block.sampleRate = rate_;
        if (!ready_.empty()) {
            block = std::move(ready_.front());
            ready_.pop_front();
        }
        return block;
    }

private:
    int rate_ = 44100;
    int channels_ = 2;
    int blockFrames_ = 8820;
    std::vector<float> partial_;
    std::deque<SampleArray> ready_;
};

} // namespace varnelo
