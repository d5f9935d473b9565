#include "platform/audio/file/TAudioFile2.h"

#include "platform/audio/file/AudioDecoder.h"
#include "platform/audio/file/FfmpegDecoder.h"
#include "platform/audio/file/OggVorbisEncoder.h"
#include "platform/audio/file/RawPcmDecoder.h"
#include "platform/audio/file/RawPcmEncoder.h"
#include "platform/audio/file/SampleConverter.h"
#include "platform/core/AppError.h"

#include <QFileInfo>
#include <algorithm>

namespace varnelo {

std::unique_ptr<AudioDecoder> AudioDecoder::Open(const QString& path) {
    if (QFileInfo(path).suffix().compare(QLatin1String("raw"), Qt::CaseInsensitive) == 0)
        return std::make_unique<RawPcmDecoder>(path);
    return std::make_unique<FfmpegDecoder>(path);
}

namespace {

void requireOpen(const std::unique_ptr<AudioDecoder>& decoder) {
    if (!decoder)
        throw AppError(QStringLiteral("No audio file is open."));
}

} // namespace

TAudioFile2::TAudioFile2() = default;
TAudioFile2::~TAudioFile2() {
    try {
        CloseFile();
    } catch (...) {
        // A destructor cannot report; the write error was the caller's to see.
    }
}

void TAudioFile2::SetBoolOption(bool) {}

void TAudioFile2::OpenFile(const QString& path, int, int) {
    // A failed open leaves nothing open; the file itself is never touched.
    decoder_.reset();
    decoder_ = AudioDecoder::Open(path);
}

bool TAudioFile2::IsOpen() const {
    return decoder_ || encoder_;
}

void TAudioFile2::CloseFile() {
    decoder_.reset();
    if (encoder_) {
        try {
            drainConverter();
            encoder_->Finish();
        } catch (...) {
            encoder_.reset();
            converter_.reset();
            throw;
        }
        encoder_.reset();
    }
}

int64_t TAudioFile2::Length() const {
    return decoder_ ? decoder_->Length() : 0;
}

int64_t TAudioFile2::Duration() const {
    if (!decoder_ || decoder_->SampleRate() <= 0)
        return 0;
    return decoder_->Length() * 1000 / decoder_->SampleRate();
}

int TAudioFile2::FileSampleRate() const {
    return decoder_ ? decoder_->SampleRate() : 0;
}
int TAudioFile2::FileChannels() const {
    return decoder_ ? decoder_->Channels() : 0;
}
int TAudioFile2::Bitrate() const {
    return decoder_ ? decoder_->Bitrate() : 0;
}

int TAudioFile2::SampleRate() const {
    return decoder_ ? decoder_->SampleRate() : output_.rate;
}

int TAudioFile2::Channels() const {
    return decoder_ ? decoder_->Channels() : output_.channels;
}

int TAudioFile2::Seek(int64_t position, int) {
    requireOpen(decoder_);
    decoder_->Seek(position);
    return 0;
}

SampleArray TAudioFile2::ReadArray(int count) {
    requireOpen(decoder_);
    return decoder_->Read(count);
}

void TAudioFile2::SetOggParams(int frequency, int channels, int bitrateKbps, int bound1Kbps,
                               int bound2Kbps, int quality) {
    output_.ogg = true;
    output_.rate = frequency;
    output_.channels = channels;
    output_.quality = quality;
    output_.minKbps = std::min(bound1Kbps, bound2Kbps);
    output_.maxKbps = std::max(bound1Kbps, bound2Kbps);
    // The nominal rate lies within the bounds; outside them the encoder
    // would refuse every combination.
    output_.nominalKbps = std::clamp(bitrateKbps, output_.minKbps, output_.maxKbps);
}

bool TAudioFile2::CheckOggFormat(int frequency, int channels, int bitrateKbps, int bound1Kbps,
                                 int bound2Kbps) {
    const int lo = std::min(bound1Kbps, bound2Kbps);
    const int hi = std::max(bound1Kbps, bound2Kbps);
    if (channels < 1 || channels > 2 || frequency <= 0 || lo <= 0)
        return false;
    return OggVorbisEncoder::Accepts(frequency, channels, lo, std::clamp(bitrateKbps, lo, hi), hi);
}

void TAudioFile2::SetWaveFormat(int formatCode, int frequency, int channels, int bits) {
    output_.ogg = false;
    output_.formatCode = formatCode;
    output_.rate = frequency;
    output_.channels = channels;
    output_.bits = bits;
}

void TAudioFile2::SetInputFormat(int sampleRate, int channels) {
    inputRate_ = sampleRate;
    inputChannels_ = channels;
    // While writing, the next arrays (a join's next file) are converted from
    // the new format; what the old converter still holds is written first.
    if (encoder_) {
        drainConverter();
        converter_ = makeConverter();
    }
}

void TAudioFile2::drainConverter() {
    if (!converter_)
        return;
    const auto& rest = converter_->Drain();
    encoder_->Write(rest.data(), int64_t(rest.size()) / output_.channels);
    converter_.reset();
}

std::unique_ptr<SampleConverter> TAudioFile2::makeConverter() const {
    const int inRate = inputRate_ > 0 ? inputRate_ : output_.rate;
    const int inChannels = inputChannels_ > 0 ? inputChannels_ : output_.channels;
    if (inRate == output_.rate && inChannels == output_.channels)
        return nullptr;
    return std::make_unique<SampleConverter>(inRate, inChannels, output_.rate, output_.channels);
}

void TAudioFile2::CreateNewFile(const QString& path, int) {
    CloseFile();
    if (output_.rate <= 0 || output_.channels < 1 || output_.channels > 2)
        throw AppError(QStringLiteral("Cannot create %1: %2 Hz with %3 channel(s) is not an output "
                                      "format")
                           .arg(path)
                           .arg(output_.rate)
                           .arg(output_.channels));
    if (!output_.ogg) {
        const QString refusal = RawPcmEncoder::Refusal(output_.formatCode, output_.bits);
        if (!refusal.isEmpty())
            throw AppError(QStringLiteral("Cannot create %1: %2").arg(path, refusal));
    }
    const int inRate = inputRate_ > 0 ? inputRate_ : output_.rate;
    const int inChannels = inputChannels_ > 0 ? inputChannels_ : output_.channels;
    std::unique_ptr<SampleConverter> converter;
    if (inRate != output_.rate || inChannels != output_.channels)
        converter =
            std::make_unique<SampleConverter>(inRate, inChannels, output_.rate, output_.channels);
    if (output_.ogg) {
        VorbisSettings s;
        s.rate = output_.rate;
        s.channels = output_.channels;
        s.quality = output_.quality;
        s.minKbps = output_.minKbps;
        s.nominalKbps = output_.nominalKbps;
        s.maxKbps = output_.maxKbps;
        encoder_ = std::make_unique<OggVorbisEncoder>(path, s);
    } else {
        encoder_ = std::make_unique<RawPcmEncoder>(path, output_.formatCode, output_.channels,
                                                   output_.bits);
    }
    converter_ = std::move(converter);
}

void TAudioFile2::WriteArray(const SampleArray& array) {
    if (!encoder_)
        throw AppError(QStringLiteral("No output file is open for writing."));
    const int inChannels = inputChannels_ > 0 ? inputChannels_ : output_.channels;
    const int64_t frames = int64_t(array.samples.size()) / inChannels;
    try {
        if (converter_) {
            const auto& out = converter_->Convert(array.samples.data(), frames);
            encoder_->Write(out.data(), int64_t(out.size()) / output_.channels);
        } else {
            encoder_->Write(array.samples.data(), frames);
        }
    } catch (...) {
        // The file is closed by the failed write; what reached the disk stays.
        encoder_.reset();
        converter_.reset();
        throw;
    }
}

} // namespace varnelo
