#include "platform/audio/file/FfmpegDecoder.h"

#include "platform/core/AppError.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/intreadwrite.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstring>

namespace varnelo {

namespace {

QString avError(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return QString::fromUtf8(text);
}

// A WAV file whose data chunk claims more bytes than the file holds was cut off.
bool WavIsCutOff(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(12);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
        return false;
    qint64 at = 12;
    while (at + 8 <= file.size()) {
        file.seek(at);
        const QByteArray chunk = file.read(8);
        const quint32 size = quint32(uchar(chunk[4])) | quint32(uchar(chunk[5])) << 8 |
                             quint32(uchar(chunk[6])) << 16 | quint32(uchar(chunk[7])) << 24;
        if (chunk.startsWith("data"))
            return size != 0xFFFFFFFFu && at + 8 + qint64(size) > file.size();
        at += 8 + qint64(size) + (size & 1);
    }
    return false;
}

// Frames an MP3 stream decodes to, counted from the frame headers: the
// packets' durations less the encoder delay and padding FFmpeg announces.
// Reads headers only, never decodes.
int64_t ScanMp3Frames(AVFormatContext* format, int stream, AVPacket* packet, int rate) {
    const AVRational timeBase = format->streams[stream]->time_base;
    int64_t total = 0;
    while (av_read_frame(format, packet) >= 0) {
        if (packet->stream_index == stream) {
            total += av_rescale_q(packet->duration, timeBase, AVRational{1, rate});
            size_t size = 0;
            const uint8_t* skip = av_packet_get_side_data(packet, AV_PKT_DATA_SKIP_SAMPLES, &size);
            if (skip && size >= 8)
                total -= int64_t(AV_RL32(skip)) + int64_t(AV_RL32(skip + 4));
        }
        av_packet_unref(packet);
    }
    return std::max<int64_t>(total, 0);
}

// The exact length an MP3 file's Xing/Info header states: its frame count,
// less the encoder delay and padding of a LAME tag (which FFmpeg drops when
// decoding). -1 when the first frame carries no such header. Reads a few KB.
int64_t Mp3HeaderFrames(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    QByteArray head = file.read(10);
    if (head.size() == 10 && head.startsWith("ID3")) {
        const auto b = [&](int i) { return qint64(uchar(head[i]) & 0x7f); };
        const qint64 tagSize =
            10 + (b(6) << 21 | b(7) << 14 | b(8) << 7 | b(9)) + ((uchar(head[5]) & 0x10) ? 10 : 0);
        file.seek(tagSize);
    } else {
        file.seek(0);
    }
    const QByteArray frame = file.read(4096);
    const auto u8 = [&](int i) { return i < frame.size() ? int(uchar(frame[i])) : 0; };
    const auto be32 = [&](int i) {
        return int64_t(u8(i)) << 24 | int64_t(u8(i + 1)) << 16 | int64_t(u8(i + 2)) << 8 |
               int64_t(u8(i + 3));
    };
    if (frame.size() < 200 || u8(0) != 0xff || (u8(1) & 0xe0) != 0xe0)
        return -1;
    const int version = (u8(1) >> 3) & 3; // 3: MPEG-1, 2: MPEG-2, 0: MPEG-2.5
    const int layer = (u8(1) >> 1) & 3;   // 1: layer III
    if (version == 1 || layer != 1)
        return -1;
    const bool mono = ((u8(3) >> 6) & 3) == 3;
    const int sideInfo = version == 3 ? (mono ? 17 : 32) : (mono ? 9 : 17);
    int at = 4 + sideInfo;
    const QByteArray tag = frame.mid(at, 4);
    if (tag != "Xing" && tag != "Info")
        return -1;
    const int64_t flags = be32(at + 4);
    at += 8;
    if (!(flags & 1))
        return -1;
    const int64_t frames = be32(at);
    at += 4;
    at += (flags & 2 ? 4 : 0) + (flags & 4 ? 100 : 0) + (flags & 8 ? 4 : 0);
    const int64_t samplesPerFrame = version == 3 ? 1152 : 576;
    int64_t total = frames * samplesPerFrame;
    const QByteArray encoder = frame.mid(at, 4);
    if (encoder == "LAME" || encoder == "Lavf" || encoder == "Lavc") {
        const int64_t delay = int64_t(u8(at + 21)) << 4 | u8(at + 22) >> 4;
        const int64_t padding = int64_t(u8(at + 22) & 0x0f) << 8 | u8(at + 23);
        total -= delay + padding;
    }
    return total > 0 ? total : -1;
}

// Containers that state these codecs' length to the sample, decoder delay
// and padding already taken off.
bool ContainerLengthIsExact(AVCodecID codec) {
    switch (codec) {
    case AV_CODEC_ID_VORBIS:
    case AV_CODEC_ID_OPUS:
    case AV_CODEC_ID_FLAC:
        return true;
    default: {
        // PCM in WAV and the like: one packet holds whole samples.
        const AVCodecDescriptor* d = avcodec_descriptor_get(codec);
        return d && d->type == AVMEDIA_TYPE_AUDIO && (d->props & AV_CODEC_PROP_LOSSLESS) &&
               (d->props & AV_CODEC_PROP_INTRA_ONLY);
    }
    }
}

// Samples per frame of WMA versions 1 and 2 (0 for other codecs).
int64_t WmaFrameLength(AVCodecID codec, int rate) {
    if (codec != AV_CODEC_ID_WMAV1 && codec != AV_CODEC_ID_WMAV2)
        return 0;
    if (rate <= 16000)
        return 512;
    if (rate <= 22050 || (rate <= 32000 && codec == AV_CODEC_ID_WMAV1))
        return 1024;
    return 2048;
}

// A Vorbis header without a nominal bitrate (quality mode at low rates)
// holds -1, which FFmpeg reports as 4294967295. No listed format comes near
// 20 Mbit/s, so anything above it is unknown and the file's average (its size
// over its play time) is taken instead.
bool PlausibleBitrate(int64_t bitsPerSecond) {
    return bitsPerSecond > 0 && bitsPerSecond <= 20'000'000;
}

// Decoder slack at the end of a stream that is padded or cut silently;
// anything shorter than this means the file is cut off.
constexpr int64_t EndSlackFrames = 8192;

} // namespace

FfmpegDecoder::FfmpegDecoder(const QString& path) : path_(path) {
    // Damaged frames are handled here; FFmpeg's own chatter would only reach stderr.
    static const bool quiet = (av_log_set_level(AV_LOG_FATAL), true);
    (void)quiet;
    const QFileInfo info(path);
    if (info.exists() && info.isFile() && info.size() == 0)
        fail(QStringLiteral("the file is empty"));
    const QByteArray name = path.toLocal8Bit();
    int rc = avformat_open_input(&format_, name.constData(), nullptr, nullptr);
    if (rc < 0) {
        format_ = nullptr;
        fail(avError(rc));
    }
    try {
        if ((rc = avformat_find_stream_info(format_, nullptr)) < 0)
            fail(avError(rc));
        stream_ = av_find_best_stream(format_, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
        for (unsigned i = 0; stream_ < 0 && i < format_->nb_streams; ++i)
            if (format_->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_AUDIO &&
                format_->streams[i]->codecpar->ch_layout.nb_channels <= 0)
                fail(QStringLiteral("it has no channels"));
        if (stream_ < 0)
            fail(QStringLiteral("it holds no audio this program can decode"));
        openCodec();

        const AVStream* st = format_->streams[stream_];
        bitrate_ = int(PlausibleBitrate(codec_->bit_rate)    ? codec_->bit_rate
                       : PlausibleBitrate(format_->bit_rate) ? format_->bit_rate
                                                             : 0);
        const bool estimated = format_->duration_estimation_method == AVFMT_DURATION_FROM_BITRATE;
        if (std::strcmp(format_->iformat->name, "wav") == 0 && WavIsCutOff(path))
            fail(QStringLiteral("the file is cut off or damaged"));
        const int64_t containerLength =
            st->duration != AV_NOPTS_VALUE && st->duration > 0 && !estimated
                ? av_rescale_q(st->duration, st->time_base, AVRational{1, rate_})
                : -1;
        if (codec_->codec_id == AV_CODEC_ID_MP3) {
            // The Xing/LAME header when there is one; otherwise the frame
            // headers are counted (exact to the frame, without decoding).
            length_ = Mp3HeaderFrames(path);
            if (length_ < 0) {
                length_ = ScanMp3Frames(format_, stream_, packet_, rate_);
                rewind(0);
            }
        } else if (ContainerLengthIsExact(codec_->codec_id) && containerLength >= 0) {
            length_ = containerLength;
            // Opus announces priming samples the decoder drops.
            if (codec_->codec_id == AV_CODEC_ID_OPUS && st->codecpar->initial_padding > 0)
                length_ = std::max<int64_t>(
                    0, length_ - av_rescale(st->codecpar->initial_padding, rate_, 48000));
        } else if (containerLength >= 0) {
            // The container states the play time (ASF's WMA to the millisecond):
            // that is the length, and reading pads or cuts the decoder's few
            // frames of slack at the very end to match it. A WMA decoder
            // completes its first frame only with the second packet, so it
            // delivers one frame less than the play time.
            length_ =
                std::max<int64_t>(0, containerLength - WmaFrameLength(codec_->codec_id, rate_));
        } else {
            length_ = countFrames();
            // A header that promised much more than the file holds: cut off.
            if (estimated && st->duration != AV_NOPTS_VALUE) {
                const int64_t promised =
                    av_rescale_q(st->duration, st->time_base, AVRational{1, rate_});
                if (length_ < promised * 9 / 10 && length_ + rate_ < promised)
                    fail(QStringLiteral("the file is cut off or damaged"));
            }
        }
    } catch (...) {
        release();
        throw;
    }
}

FfmpegDecoder::~FfmpegDecoder() {
    release();
}

void FfmpegDecoder::release() {
    swr_free(&swr_);
    av_frame_free(&frame_);
    av_packet_free(&packet_);
    avcodec_free_context(&codec_);
    avformat_close_input(&format_);
}

void FfmpegDecoder::fail(const QString& reason) const {
    throw AppError(QStringLiteral("Cannot read %1: %2").arg(path_, reason));
}

void FfmpegDecoder::openCodec() {
    const AVCodecParameters* par = format_->streams[stream_]->codecpar;
    const AVCodec* decoder = avcodec_find_decoder(par->codec_id);
    if (!decoder)
        fail(QStringLiteral("no decoder for its audio format"));
    codec_ = avcodec_alloc_context3(decoder);
    if (!codec_ || avcodec_parameters_to_context(codec_, par) < 0)
        fail(QStringLiteral("out of memory"));
    int rc = avcodec_open2(codec_, decoder, nullptr);
    if (rc < 0)
        fail(avError(rc));
    rate_ = codec_->sample_rate;
    channels_ = codec_->ch_layout.nb_channels;
    if (rate_ <= 0 || channels_ <= 0)
        fail(QStringLiteral("it has no channels or no sample rate"));
    packet_ = av_packet_alloc();
    frame_ = av_frame_alloc();
    if (!packet_ || !frame_)
        fail(QStringLiteral("out of memory"));
}

void FfmpegDecoder::appendFrame(AVFrame* frame) {
    if (!swr_) {
        AVChannelLayout layout;
        av_channel_layout_default(&layout, channels_);
        int rc = swr_alloc_set_opts2(&swr_, &layout, AV_SAMPLE_FMT_FLT, rate_, &frame->ch_layout,
                                     AVSampleFormat(frame->format), frame->sample_rate, 0, nullptr);
        av_channel_layout_uninit(&layout);
        if (rc < 0 || swr_init(swr_) < 0)
            fail(QStringLiteral("its samples cannot be converted"));
    }
    const int capacity = swr_get_out_samples(swr_, frame->nb_samples);
    convert_.resize(size_t(std::max(capacity, 0)) * size_t(channels_));
    uint8_t* out = reinterpret_cast<uint8_t*>(convert_.data());
    const int got = swr_convert(
        swr_, &out, capacity, const_cast<const uint8_t**>(frame->extended_data), frame->nb_samples);
    if (got < 0)
        fail(avError(got));

    if (decodedEnd_ < 0) {
        // After a seek the frame's own timestamp says where we are.
        const AVStream* st = format_->streams[stream_];
        const int64_t start = st->start_time != AV_NOPTS_VALUE ? st->start_time : 0;
        const int64_t pts = frame->best_effort_timestamp;
        decodedEnd_ = pts == AV_NOPTS_VALUE
                          ? skipUntil_
                          : std::max<int64_t>(
                                0, av_rescale_q(pts - start, st->time_base, AVRational{1, rate_}));
    }
    // Frames before the seek target are dropped.
    const int64_t first = decodedEnd_;
    int64_t drop = std::clamp<int64_t>(skipUntil_ - first, 0, got);
    decodedEnd_ += got;
    fifo_.insert(fifo_.end(), convert_.begin() + drop * channels_,
                 convert_.begin() + int64_t(got) * channels_);
}

bool FfmpegDecoder::decodeMore() {
    while (true) {
        int rc = avcodec_receive_frame(codec_, frame_);
        if (rc == 0) {
            if (frame_->ch_layout.nb_channels != channels_)
                fail(QStringLiteral("its channel count changes inside the file"));
            appendFrame(frame_);
            av_frame_unref(frame_);
            return true;
        }
        if (rc == AVERROR_EOF) {
            streamEnded_ = true;
            return false;
        }
        if (rc == AVERROR_INVALIDDATA)
            continue; // a damaged frame is skipped
        if (rc != AVERROR(EAGAIN))
            fail(avError(rc));

        rc = av_read_frame(format_, packet_);
        if (rc < 0) {
            avcodec_send_packet(codec_, nullptr); // drain
            continue;
        }
        if (packet_->stream_index == stream_) {
            const int sent = avcodec_send_packet(codec_, packet_);
            // A damaged packet is skipped; the decoder resynchronises.
            if (sent < 0 && sent != AVERROR(EAGAIN) && sent != AVERROR_INVALIDDATA &&
                sent != AVERROR(EINVAL))
                fail(avError(sent));
        }
        av_packet_unref(packet_);
    }
}

int64_t FfmpegDecoder::countFrames() {
    while (decodeMore()) {
        fifo_.clear();
        fifoRead_ = 0;
    }
    const int64_t total = decodedEnd_;
    rewind(0);
    return total;
}

void FfmpegDecoder::rewind(int64_t targetFrame) {
    const AVStream* st = format_->streams[stream_];
    int64_t startTs = st->start_time != AV_NOPTS_VALUE ? st->start_time : 0;
    int64_t ts = startTs + av_rescale_q(targetFrame, AVRational{1, rate_}, st->time_base);
    int rc = av_seek_frame(format_, stream_, ts, AVSEEK_FLAG_BACKWARD);
    if (rc < 0 && targetFrame > 0) {
        ts = startTs;
        targetFrame = 0;
        rc = av_seek_frame(format_, stream_, ts, AVSEEK_FLAG_BACKWARD);
    }
    if (rc < 0)
        rc = avformat_seek_file(format_, stream_, INT64_MIN, startTs, startTs, 0);
    avcodec_flush_buffers(codec_);
    swr_free(&swr_);
    fifo_.clear();
    fifoRead_ = 0;
    streamEnded_ = false;
    skipUntil_ = targetFrame;
    // From the start the count is exact; elsewhere the first frame's
    // timestamp tells where decoding resumed.
    decodedEnd_ = targetFrame == 0 ? 0 : -1;
}

void FfmpegDecoder::Seek(int64_t frame) {
    frame = std::clamp<int64_t>(frame, 0, length_);
    // MP3 and WMA timestamps after a jump are estimates (tens of frames off),
    // so those streams are decoded from the start up to the target instead;
    // the frames before it are dropped as they come.
    const AVCodecID codec = codec_->codec_id;
    if (codec == AV_CODEC_ID_MP3 || WmaFrameLength(codec, rate_) > 0) {
        rewind(0);
        skipUntil_ = frame;
    } else {
        rewind(frame);
    }
    position_ = frame;
}

SampleArray FfmpegDecoder::Read(int frames) {
    SampleArray out;
    out.channels = channels_;
    out.sampleRate = rate_;
    const int64_t want = std::clamp<int64_t>(frames, 0, length_ - position_);
    const size_t needed = size_t(want) * size_t(channels_);
    while (fifo_.size() - fifoRead_ < needed && !streamEnded_) {
        if (!decodeMore())
            break;
    }
    const size_t available = std::min(needed, fifo_.size() - fifoRead_);
    if (available < needed && length_ - position_ - int64_t(available / channels_) > EndSlackFrames)
        fail(QStringLiteral("the file is cut off or damaged"));
    out.samples.assign(fifo_.begin() + fifoRead_, fifo_.begin() + fifoRead_ + available);
    out.samples.resize(needed, 0.0f); // decoder slack at the very end
    fifoRead_ += available;
    if (fifoRead_ > (1u << 16) && fifoRead_ * 2 > fifo_.size()) {
        fifo_.erase(fifo_.begin(), fifo_.begin() + fifoRead_);
        fifoRead_ = 0;
    }
    position_ += want;
    return out;
}

} // namespace varnelo
