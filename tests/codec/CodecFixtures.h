#pragma once

#include "platform/audio/api/SampleArray.h"

#include <QString>
#include <cstdint>

namespace varnelo::test {

// A sine of `hz` at `rate`, `channels` interleaved, `frames` long.
SampleArray Sine(double hz, int rate, int channels, int64_t frames, double amplitude = 0.5);

// Makes a file with the ffmpeg command-line tool; true on success.
bool FfmpegSine(const QString& out, double hz, int rate, int channels, double seconds,
                const QStringList& codecArgs);

// How many frames the ffmpeg command-line tool decodes from the file.
int64_t FfmpegDecodedFrames(const QString& path, int channels);

// Frequency estimated from the upward zero crossings of the first channel.
double ZeroCrossingFrequency(const SampleArray& audio);

} // namespace varnelo::test
