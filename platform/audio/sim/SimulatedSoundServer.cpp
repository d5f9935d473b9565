#include "platform/audio/sim/SimulatedSoundServer.h"

#include <cmath>
#include <numbers>
#include <numeric>

namespace varnelo {

SimulatedSoundServer::SimulatedSoundServer(Clock clock, QObject* parent)
    : QObject(parent), clock_(clock), lines_{{QStringLiteral("Sine 440 Hz"), 440.0, 32768},
                                             {QStringLiteral("Sine 1000 Hz"), 1000.0, 32768},
                                             {QStringLiteral("Silence"), 0.0, 32768}} {
    if (clock_ == Clock::RealTime) {
        wall_.start();
        timer_.setInterval(20);
        timer_.setTimerType(Qt::PreciseTimer);
        connect(&timer_, &QTimer::timeout, this, &SimulatedSoundServer::tick);
        timer_.start();
    }
}

void SimulatedSoundServer::tick() {
    now_ = wall_.nsecsElapsed() / 1000;
    emit ticked(now_);
}

void SimulatedSoundServer::advance(int64_t microseconds) {
    now_ += microseconds;
    emit ticked(now_);
}

const std::vector<double>& SimulatedSoundServer::period(double frequency, int rate) const {
    if (periodFrequency_ != frequency || periodRate_ != rate) {
        // A whole number of hertz repeats after rate / gcd(rate, frequency)
        // samples: one table of that length gives every position exactly.
        const int64_t hz = int64_t(frequency);
        const int64_t length = rate / std::gcd(int64_t(rate), hz);
        period_.resize(size_t(length));
        for (int64_t n = 0; n < length; ++n)
            period_[size_t(n)] = std::sin(2 * std::numbers::pi * double(hz * n % rate) / rate);
        periodFrequency_ = frequency;
        periodRate_ = rate;
    }
    return period_;
}

void SimulatedSoundServer::render(int64_t first, int64_t frames, int rate, int channels,
                                  float* out) const {
    const bool valid = activeLine_ >= 1 && activeLine_ <= int(lines_.size());
    const Line line = valid ? lines_[size_t(activeLine_ - 1)] : Line{{}, 0.0, 0};
    const double amplitude = 0.5 * line.volume / 65536.0;
    const bool whole = line.frequency >= 1 && line.frequency == std::floor(line.frequency);
    const std::vector<double>* table = whole ? &period(line.frequency, rate) : nullptr;
    for (int64_t i = 0; i < frames; ++i) {
        // The value follows the absolute position, so blocks join seamlessly.
        float v = 0.0f;
        if (table) {
            v = float(amplitude * (*table)[size_t((first + i) % int64_t(table->size()))]);
        } else if (line.frequency > 0) {
            const double t = double((first + i) % (int64_t(rate) * 1000)) / rate;
            v = float(amplitude * std::sin(2 * std::numbers::pi * line.frequency * t));
        }
        for (int c = 0; c < channels; ++c)
            out[i * channels + c] = v;
    }
}

} // namespace varnelo
