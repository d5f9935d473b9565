#pragma once

#include <QString>
#include <cstdint>

namespace varnelo {
class IAudioFile2;
}

namespace varnelo::testing {

// A 16-bit PCM WAV file holding a quiet sine of exactly `frames` frames.
void MakeWav(const QString& path, int sampleRate, int channels, int64_t frames);

// An OGG Vorbis file of `seconds` seconds (44100 Hz stereo), made with the
// program's own file component.
void MakeOgg(IAudioFile2& writer, const QString& path, double seconds);

// A file that no decoder accepts.
void MakeGarbage(const QString& path);

} // namespace varnelo::testing
