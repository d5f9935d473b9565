#include "platform/audio/visual/SpectrumAnalyzer.h"

#include <algorithm>
#include <cmath>

extern "C" {
#include <libavutil/mem.h>
#include <libavutil/tx.h>
}

namespace varnelo {
namespace {

constexpr double kLowestHz = 40.0;
constexpr double kHighestHz = 16000.0;
constexpr float kFloorDb = -60.0f; // the bottom of a bar

} // namespace

SpectrumAnalyzer::SpectrumAnalyzer() = default;

SpectrumAnalyzer::~SpectrumAnalyzer() {
    av_tx_uninit(&tx_);
    av_free(in_);
    av_free(out_);
}

int SpectrumAnalyzer::WindowSize(int rate) {
    int size = 256;
    while (size < 8192 && size * 20 < rate)
        size *= 2; // ≥ 1/20 s
    return size;
}

double SpectrumAnalyzer::BandEdge(int band, int bands, int rate) {
    const double top = std::min(kHighestHz, rate * 0.5 * 0.95);
    const double low = std::min(kLowestHz, top / 4);
    return low * std::pow(top / low, static_cast<double>(band) / std::max(bands, 1));
}

void SpectrumAnalyzer::SetBandCount(int bands) {
    bands_ = std::max(bands, 1);
    levels_.assign(bands_, 0.0f);
    if (rate_ > 0)
        PlaceBands();
}

void SpectrumAnalyzer::Reset() {
    std::fill(ring_.begin(), ring_.end(), 0.0f);
    std::fill(levels_.begin(), levels_.end(), 0.0f);
    sinceHop_ = 0;
}

void SpectrumAnalyzer::Prepare(int rate) {
    rate_ = rate;
    const int size = WindowSize(rate);
    if (size != size_) {
        size_ = size;
        av_tx_uninit(&tx_);
        av_free(in_);
        av_free(out_);
        const float scale = 1.0f;
        av_tx_fn fn = nullptr;
        av_tx_init(&tx_, &fn, AV_TX_FLOAT_FFT, 0, size_, &scale, 0);
        txFn_ = fn;
        in_ = static_cast<float*>(av_malloc_array(2 * size_, sizeof(float)));
        out_ = static_cast<float*>(av_malloc_array(2 * size_, sizeof(float)));
        ring_.assign(size_, 0.0f);
        window_.resize(size_);
        double sumSquares = 0;
        for (int i = 0; i < size_; ++i) {
            window_[i] = static_cast<float>(0.5 - 0.5 * std::cos(2 * M_PI * i / size_));
            sumSquares += double{window_[i]} * window_[i];
        }
        // A sine of amplitude 1 puts size * Σw² / 4 of power into the
        // positive-frequency bins around it.
        reference_ = static_cast<float>(size_ * sumSquares / 4);
        ringPos_ = 0;
        hop_ = size_ / 2;
    }
    sinceHop_ = 0;
    levels_.assign(bands_, 0.0f);
    PlaceBands();
}

void SpectrumAnalyzer::PlaceBands() {
    bandBins_.resize(bands_ + 1);
    const int lastBin = size_ / 2;
    int previous = 0;
    for (int b = 0; b <= bands_; ++b) {
        int bin = static_cast<int>(std::lround(BandEdge(b, bands_, rate_) * size_ / rate_));
        bin = std::clamp(std::max(bin, b == 0 ? 1 : previous + 1), 1, lastBin);
        bandBins_[b] = bin;
        previous = bin;
    }
}

void SpectrumAnalyzer::Push(float mono) {
    ring_[ringPos_] = mono;
    if (++ringPos_ == size_)
        ringPos_ = 0;
}

void SpectrumAnalyzer::Analyse() {
    if (!tx_)
        return;
    for (int i = 0; i < size_; ++i) {
        const int from = (ringPos_ + i) % size_; // oldest first
        in_[2 * i] = ring_[from] * window_[i];
        in_[2 * i + 1] = 0.0f;
    }
    txFn_(tx_, out_, in_, sizeof(AVComplexFloat));
    for (int b = 0; b < bands_; ++b) {
        const int from = bandBins_[b];
        const int to = std::max(bandBins_[b + 1], from + 1);
        float power = 0.0f;
        for (int k = from; k < to && k <= size_ / 2; ++k)
            power += out_[2 * k] * out_[2 * k] + out_[2 * k + 1] * out_[2 * k + 1];
        const float db = 10.0f * std::log10(power / reference_ + 1e-12f);
        levels_[b] = std::clamp((db - kFloorDb) / -kFloorDb, 0.0f, 1.0f);
    }
}

} // namespace varnelo
