#include "platform/audio/sim/SimulatedSoundServer.h"

#include <cmath>
#include <numbers>

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

void SimulatedSoundServer::render(int64_t first, int64_t frames, int rate, int channels,
                                  float* out) const {
    const bool valid = activeLine_ >= 1 && activeLine_ <= int(lines_.size());
    const Line line = valid ? lines_[size_t(activeLine_ - 1)] : Line{{}, 0.0, 0};
    const double amplitude = 0.5 * line.volume / 65536.0;
    for (int64_t i = 0; i < frames; ++i) {
        // The phase follows the absolute position, so blocks join seamlessly.
        const double t = double((first + i) % (int64_t(rate) * 1000)) / rate;
        const float v = line.frequency > 0
                            ? float(amplitude * std::sin(2 * std::numbers::pi * line.frequency * t))
                            : 0.0f;
        for (int c = 0; c < channels; ++c)
            out[i * channels + c] = v;
    }
}

} // namespace varnelo
