#pragma once

#include <vector>

namespace varnelo {

// The moving parts of the level display: bar heights and peak ticks
// (0..1 of the full height), fed by spectrum frames that are shown one after
// another at the pace the sound was analysed, so a 200 ms block plays out as
// a smooth movement instead of one jump. Fixed buffers; no allocation after
// SetBarCount.
class BarMeter {
public:
    static constexpr int kQueueFrames = 32;
    static constexpr double kMaxLagMs = 300.0; // older frames are skipped

    void SetBarCount(int bars);
    int BarCount() const { return bars_; }

    // Timing: ticks hold `holdMs` at their peak, then fall one spot of
    // `spots` every `releaseMs`; bars fall the full height in kBarFallMs.
    void SetTickTiming(int holdMs, int releaseMs, int spots);

    // Queues one frame of `count` levels covering `ms` of sound.
    void PushFrame(const float* levels, int count, double ms);

    // Moves time on by `ms`: shows the frames that are due, lets bars and
    // ticks fall. Returns true while anything still moves or waits.
    bool Advance(double ms);

    bool AtRest() const;
    void Clear();

    double Bar(int i) const { return bars_ > i && i >= 0 ? level_[i] : 0.0; }
    double Tick(int i) const { return bars_ > i && i >= 0 ? tick_[i] : 0.0; }

    static constexpr double kBarFallMs = 350.0;

private:
    void Show(const float* levels);
    double QueuedMs() const;

    int bars_ = 0;
    std::vector<double> level_, tick_, holdLeft_;
    // Ring of frames: kQueueFrames × bars_ levels and their durations.
    std::vector<float> frames_;
    std::vector<double> frameMs_;
    int head_ = 0, count_ = 0;
    double dueMs_ = 0; // time owed to the front frame
    int holdMs_ = 200;
    double tickFallPerMs_ = 1.0 / (27 * 20.0);
};

} // namespace varnelo
