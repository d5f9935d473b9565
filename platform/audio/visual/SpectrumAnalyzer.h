#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct AVTXContext;

namespace varnelo {

// Turns interleaved samples into band levels (0 silence .. 1 a full-scale
// sine in the band) of log-spaced bands, one set per hop of half a window.
// Buffers are made when the rate or band count changes, never per call.
class SpectrumAnalyzer {
public:
    SpectrumAnalyzer();
    ~SpectrumAnalyzer();
    SpectrumAnalyzer(const SpectrumAnalyzer&) = delete;
    SpectrumAnalyzer& operator=(const SpectrumAnalyzer&) = delete;

    void SetBandCount(int bands);
    int BandCount() const { return bands_; }

    // Feeds `frames` sample positions of `channels` interleaved channels at
    // `rate`. For each completed hop calls sink(levels, bandCount, hopMs).
    // Only the newest `maxHops` hops are analysed; older ones could not be
    // shown in time anyway.
    template <typename Sink>
    void Feed(const float* samples, int64_t frames, int channels, int rate, int maxHops,
              Sink&& sink);

    // Lower edge of band `band` (0..bands; `bands` gives the top edge) in Hz.
    static double BandEdge(int band, int bands, int rate);
    // Window length used at `rate` (a power of two, about 46 ms).
    static int WindowSize(int rate);

    void Reset();

private:
    void Prepare(int rate);
    void PlaceBands();
    void Analyse(); // window -> levels_
    void Push(float mono);

    int bands_ = 17;
    int rate_ = 0;
    int size_ = 0; // FFT length
    int hop_ = 0;
    int sinceHop_ = 0;
    int ringPos_ = 0;
    AVTXContext* tx_ = nullptr;
    void (*txFn_)(AVTXContext*, void*, void*, std::ptrdiff_t) = nullptr;
    float* in_ = nullptr; // complex pairs, aligned for the FFT
    float* out_ = nullptr;
    std::vector<float> ring_;   // newest `size_` mono samples
    std::vector<float> window_; // Hann window
    std::vector<int> bandBins_; // bands_ + 1 bin edges
    std::vector<float> levels_; // bands_ levels of the last hop
    float reference_ = 1.0f;    // band power of a full-scale sine
};

template <typename Sink>
void SpectrumAnalyzer::Feed(const float* samples, int64_t frames, int channels, int rate,
                            int maxHops, Sink&& sink) {
    if (channels <= 0 || rate <= 0 || frames <= 0)
        return;
    if (rate != rate_)
        Prepare(rate);
    // Skip what lies before the newest maxHops hops (plus a window to fill).
    const int64_t keep = int64_t{maxHops} * hop_ + size_;
    if (frames > keep) {
        samples += (frames - keep) * channels;
        frames = keep;
    }
    const float scale = 1.0f / static_cast<float>(channels);
    for (int64_t f = 0; f < frames; ++f) {
        float sum = 0.0f;
        for (int c = 0; c < channels; ++c)
            sum += samples[f * channels + c];
        Push(sum * scale);
        if (++sinceHop_ >= hop_) {
            sinceHop_ = 0;
            Analyse();
            sink(levels_.data(), bands_, 1000.0 * hop_ / rate_);
        }
    }
}

} // namespace varnelo
