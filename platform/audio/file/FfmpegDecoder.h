#pragma once

#include "platform/audio/file/AudioDecoder.h"

#include <vector>

struct AVFormatContext;
struct AVCodecContext;
struct AVPacket;
struct AVFrame;
struct SwrContext;

namespace varnelo {

// Every format FFmpeg reads (MP3, WAV, WMA, OGG Vorbis/Opus, FLAC...).
// The length comes from the container or the MP3 header when they state it,
// from the MP3 frame headers when not, and is counted by decoding only for
// streams that say nothing; reading then delivers exactly that many frames
// (a few frames of decoder slack at the end are padded or cut).
class FfmpegDecoder : public AudioDecoder {
public:
    explicit FfmpegDecoder(const QString& path);
    ~FfmpegDecoder() override;

    int64_t Length() const override { return length_; }
    int SampleRate() const override { return rate_; }
    int Channels() const override { return channels_; }
    int Bitrate() const override { return bitrate_; }
    void Seek(int64_t frame) override;
    SampleArray Read(int frames) override;

private:
    [[noreturn]] void fail(const QString& reason) const;
    void release();
    void openCodec();
    // Decodes the next packet(s) into fifo_; false at the end of the stream.
    bool decodeMore();
    void appendFrame(AVFrame* frame);
    int64_t countFrames();
    void rewind(int64_t targetFrame);

    QString path_;
    AVFormatContext* format_ = nullptr;
    AVCodecContext* codec_ = nullptr;
    AVPacket* packet_ = nullptr;
    AVFrame* frame_ = nullptr;
    SwrContext* swr_ = nullptr;
    int stream_ = -1;
    int rate_ = 0;
    int channels_ = 0;
    int bitrate_ = 0;
    int64_t length_ = 0;
    int64_t position_ = 0;   // next frame Read delivers
    int64_t decodedEnd_ = 0; // frame index just after what fifo_ holds
    int64_t skipUntil_ = 0;  // frames before this are dropped after a seek
    bool streamEnded_ = false;
    std::vector<float> fifo_; // decoded frames not yet delivered
    size_t fifoRead_ = 0;     // elements of fifo_ already delivered
    std::vector<float> convert_;
};

} // namespace varnelo
