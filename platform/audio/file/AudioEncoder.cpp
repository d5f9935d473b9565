#include "platform/audio/file/AudioEncoder.h"

#include "platform/core/AppError.h"

#include <cerrno>
#include <cstring>

namespace varnelo {

namespace {
QString lastError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}
} // namespace

AudioEncoder::AudioEncoder(const QString& path) : path_(path) {
    file_ = std::fopen(path.toLocal8Bit().constData(), "wb");
    if (!file_)
        throw AppError(QStringLiteral("Cannot create %1: %2").arg(path, lastError()));
}

AudioEncoder::~AudioEncoder() {
    if (file_)
        std::fclose(file_);
}

void AudioEncoder::put(const void* data, size_t size) {
    if (!file_)
        throw AppError(QStringLiteral("Cannot write %1: the file is closed").arg(path_));
    if (size && std::fwrite(data, 1, size, file_) != size) {
        const QString reason = lastError();
        close();
        throw AppError(QStringLiteral("Cannot write %1: %2").arg(path_, reason));
    }
}

void AudioEncoder::flush() {
    if (file_ && std::fflush(file_) != 0) {
        const QString reason = lastError();
        close();
        throw AppError(QStringLiteral("Cannot write %1: %2").arg(path_, reason));
    }
}

void AudioEncoder::close() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
}

} // namespace varnelo
