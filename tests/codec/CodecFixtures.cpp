#include "CodecFixtures.h"

#include <QProcess>
#include <cmath>
#include <numbers>

namespace varnelo::test {

SampleArray Sine(double hz, int rate, int channels, int64_t frames, double amplitude) {
    SampleArray a;
    a.channels = channels;
    a.sampleRate = rate;
    a.samples.resize(size_t(frames * channels));
    for (int64_t i = 0; i < frames; ++i) {
        const float v = float(amplitude * std::sin(2 * std::numbers::pi * hz * double(i) / rate));
        for (int c = 0; c < channels; ++c)
            a.samples[size_t(i * channels + c)] = v;
    }
    return a;
}

bool FfmpegSine(const QString& out, double hz, int rate, int channels, double seconds,
                const QStringList& codecArgs) {
    QStringList args{"-v",
                     "error",
                     "-y",
                     "-f",
                     "lavfi",
                     "-i",
                     QStringLiteral("sine=frequency=%1:sample_rate=%2:duration=%3")
                         .arg(hz)
                         .arg(rate)
                         .arg(seconds),
                     "-ac",
                     QString::number(channels)};
    args << codecArgs << out;
    QProcess p;
    p.start("ffmpeg", args);
    return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

int64_t FfmpegDecodedFrames(const QString& path, int channels) {
    QProcess p;
    p.start("ffmpeg", {"-v", "error", "-i", path, "-f", "f32le", "-"});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return -1;
    return p.readAllStandardOutput().size() / (4 * channels);
}

double ZeroCrossingFrequency(const SampleArray& audio) {
    // Upward crossings with a little hysteresis, so that the faint noise of
    // an encoder's leading silence does not count as signal.
    constexpr float Arm = -0.02f;
    const int64_t frames = audio.Frames();
    int64_t crossings = 0, first = -1, last = -1;
    bool armed = false;
    for (int64_t i = 0; i < frames; ++i) {
        const float v = audio.samples[size_t(i * audio.channels)];
        if (v < Arm) {
            armed = true;
        } else if (armed && v >= 0) {
            armed = false;
            if (first < 0)
                first = i;
            last = i;
            ++crossings;
        }
    }
    if (crossings < 2)
        return 0;
    return double(crossings - 1) * audio.sampleRate / double(last - first);
}

} // namespace varnelo::test
