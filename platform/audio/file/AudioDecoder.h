#pragma once

#include "platform/audio/api/SampleArray.h"

#include <QString>
#include <cstdint>
#include <memory>

namespace varnelo {

// Decodes one file to interleaved float at the file's own rate and channel
// count. Length() is the exact number of frames ReadArray delivers up to the
// end. Throws AppError naming the file and the reason.
class AudioDecoder {
public:
    static std::unique_ptr<AudioDecoder> Open(const QString& path);
    virtual ~AudioDecoder() = default;

    virtual int64_t Length() const = 0;
    virtual int SampleRate() const = 0;
    virtual int Channels() const = 0;
    virtual int Bitrate() const = 0; // bits per second
    virtual void Seek(int64_t frame) = 0;
    virtual SampleArray Read(int frames) = 0;
};

} // namespace varnelo
