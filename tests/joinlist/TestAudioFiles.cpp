#include "TestAudioFiles.h"

#include "platform/audio/api/IAudioFile2.h"

#include <QFile>
#include <QtEndian>
#include <cmath>
#include <stdexcept>

namespace varnelo::testing {

namespace {
void Put32(QByteArray& out, uint32_t v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}
void Put16(QByteArray& out, uint16_t v) {
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}
void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}
} // namespace

void MakeWav(const QString& path, int sampleRate, int channels, int64_t frames) {
    const uint32_t dataBytes = static_cast<uint32_t>(frames * channels * 2);
    QByteArray out;
    out.reserve(44 + dataBytes);
    out.append("RIFF");
    Put32(out, 36 + dataBytes);
    out.append("WAVEfmt ");
    Put32(out, 16);
    Put16(out, 1); // PCM
    Put16(out, static_cast<uint16_t>(channels));
    Put32(out, static_cast<uint32_t>(sampleRate));
    Put32(out, static_cast<uint32_t>(sampleRate * channels * 2));
    Put16(out, static_cast<uint16_t>(channels * 2));
    Put16(out, 16);
    out.append("data");
    Put32(out, dataBytes);
    for (int64_t i = 0; i < frames; ++i) {
        const auto s = static_cast<int16_t>(3000 * std::sin(2 * M_PI * 440.0 * i / sampleRate));
        for (int c = 0; c < channels; ++c)
            Put16(out, static_cast<uint16_t>(s));
    }
    WriteAll(path, out);
}

void MakeOgg(IAudioFile2& writer, const QString& path, double seconds) {
    constexpr int rate = 44100;
    writer.SetOggParams(rate, 2, 128, 128, 128, 300);
    writer.SetInputFormat(rate, 2);
    writer.CreateNewFile(path, 0);
    const auto frames = static_cast<int64_t>(seconds * rate);
    int64_t done = 0;
    while (done < frames) {
        SampleArray block;
        block.channels = 2;
        block.sampleRate = rate;
        const int64_t n = std::min<int64_t>(rate / 5, frames - done);
        for (int64_t i = 0; i < n; ++i) {
            const auto s = static_cast<float>(0.2 * std::sin(2 * M_PI * 440.0 * (done + i) / rate));
            block.samples.push_back(s);
            block.samples.push_back(s);
        }
        writer.WriteArray(block);
        done += n;
    }
    writer.CloseFile();
}

void MakeGarbage(const QString& path) {
    QByteArray bytes;
    for (int i = 0; i < 4096; ++i)
        bytes.append(static_cast<char>((i * 7919) & 0xff));
    WriteAll(path, bytes);
}

} // namespace varnelo::testing
