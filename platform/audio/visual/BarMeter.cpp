#include "platform/audio/visual/BarMeter.h"

#include <algorithm>

namespace varnelo {

void BarMeter::SetBarCount(int bars) {
    bars_ = std::max(bars, 1);
    level_.assign(bars_, 0.0);
    tick_.assign(bars_, 0.0);
    holdLeft_.assign(bars_, 0.0);
    frames_.assign(static_cast<size_t>(kQueueFrames) * bars_, 0.0f);
    frameMs_.assign(kQueueFrames, 0.0);
    head_ = count_ = 0;
    dueMs_ = 0;
}

void BarMeter::SetTickTiming(int holdMs, int releaseMs, int spots) {
    holdMs_ = std::max(holdMs, 0);
    tickFallPerMs_ = 1.0 / (std::max(spots, 1) * std::max(releaseMs, 1));
}

void BarMeter::PushFrame(const float* levels, int count, double ms) {
    if (count_ == kQueueFrames) { // full: the oldest is shown at once
        Show(&frames_[static_cast<size_t>(head_) * bars_]);
        head_ = (head_ + 1) % kQueueFrames;
        --count_;
        dueMs_ = 0;
    }
    const int slot = (head_ + count_) % kQueueFrames;
    float* target = &frames_[static_cast<size_t>(slot) * bars_];
    for (int i = 0; i < bars_; ++i)
        target[i] = i < count ? levels[i] : 0.0f;
    frameMs_[slot] = ms;
    ++count_;
}

double BarMeter::QueuedMs() const {
    double total = -dueMs_;
    for (int k = 0; k < count_; ++k)
        total += frameMs_[(head_ + k) % kQueueFrames];
    return total;
}

void BarMeter::Show(const float* levels) {
    for (int i = 0; i < bars_; ++i) {
        if (levels[i] > level_[i])
            level_[i] = levels[i]; // bars jump up, fall slowly
        if (level_[i] >= tick_[i]) {
            tick_[i] = level_[i];
            holdLeft_[i] = holdMs_;
        }
    }
}

bool BarMeter::Advance(double ms) {
    if (ms < 0)
        ms = 0;
    const double fall = ms / kBarFallMs;
    for (int i = 0; i < bars_; ++i) {
        level_[i] = std::max(0.0, level_[i] - fall);
        double left = ms;
        if (holdLeft_[i] > 0) {
            const double held = std::min(holdLeft_[i], left);
            holdLeft_[i] -= held;
            left -= held;
        }
        tick_[i] = std::max(0.0, tick_[i] - left * tickFallPerMs_);
    }
    // Catch up when the sound arrives faster than it plays out.
    while (count_ > 0 && QueuedMs() - ms > kMaxLagMs) {
        Show(&frames_[static_cast<size_t>(head_) * bars_]);
        head_ = (head_ + 1) % kQueueFrames;
        --count_;
        dueMs_ = 0;
    }
    // The front frame is shown when it begins; the next once it has lasted.
    dueMs_ += ms;
    while (count_ > 0) {
        Show(&frames_[static_cast<size_t>(head_) * bars_]);
        if (dueMs_ < frameMs_[head_])
            break;
        dueMs_ -= frameMs_[head_];
        head_ = (head_ + 1) % kQueueFrames;
        --count_;
    }
    if (count_ == 0)
        dueMs_ = 0;
    return !AtRest();
}

bool BarMeter::AtRest() const {
    if (count_ > 0)
        return false;
    for (int i = 0; i < bars_; ++i)
        if (level_[i] > 0 || tick_[i] > 0)
            return false;
    return true;
}

void BarMeter::Clear() {
    std::fill(level_.begin(), level_.end(), 0.0);
    std::fill(tick_.begin(), tick_.end(), 0.0);
    std::fill(holdLeft_.begin(), holdLeft_.end(), 0.0);
    head_ = count_ = 0;
    dueMs_ = 0;
}

} // namespace varnelo
