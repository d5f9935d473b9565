#pragma once

#include <QString>
#include <cstdint>
#include <cstdio>

namespace varnelo {

// Writes interleaved float frames, already in the output format, to a file.
// Every completed piece reaches the disk at once, so what was written before
// a crash or a write error stays readable. Throws AppError on failure.
class AudioEncoder {
public:
    virtual ~AudioEncoder();
    virtual void Write(const float* samples, int64_t frames) = 0;
    // Completes the file and closes it.
    virtual void Finish() = 0;

protected:
    AudioEncoder(const QString& path);
    void put(const void* data, size_t size);
    void flush();
    void close();

    QString path_;
    std::FILE* file_ = nullptr;
};

} // namespace varnelo
