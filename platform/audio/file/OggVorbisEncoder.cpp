#include "platform/audio/file/OggVorbisEncoder.h"

#include "platform/core/AppError.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdlib>

namespace varnelo {

bool OggVorbisEncoder::Accepts(int rate, int channels, int minKbps, int nominalKbps, int maxKbps) {
    vorbis_info info;
    vorbis_info_init(&info);
    const int rc = vorbis_encode_setup_managed(&info, channels, rate, long(maxKbps) * 1000,
                                               long(nominalKbps) * 1000, long(minKbps) * 1000);
    vorbis_info_clear(&info);
    return rc == 0;
}

OggVorbisEncoder::OggVorbisEncoder(const QString& path, const VorbisSettings& s)
    : AudioEncoder(path), channels_(s.channels), maxPageFrames_(std::max(s.rate / 2, 1)) {
    vorbis_info_init(&info_);
    const int rc =
        s.quality > 0
            ? vorbis_encode_init_vbr(&info_, s.channels, s.rate, float(s.quality) / 1000.f)
            : vorbis_encode_init(&info_, s.channels, s.rate, long(s.maxKbps) * 1000,
                                 long(s.nominalKbps) * 1000, long(s.minKbps) * 1000);
    if (rc != 0) {
        vorbis_info_clear(&info_);
        close();
        throw AppError(QStringLiteral("Cannot create %1: the OGG encoder does not support %2 Hz, "
                                      "%3 channel(s) at these bitrates")
                           .arg(path)
                           .arg(s.rate)
                           .arg(s.channels));
    }
    vorbis_comment_init(&comment_);
    vorbis_comment_add_tag(&comment_, "ENCODER", "Varnelo");
    vorbis_analysis_init(&dsp_, &info_);
    vorbis_block_init(&dsp_, &block_);
    ogg_stream_init(&stream_, std::rand());

    try {
        ogg_packet header, commentHeader, codeHeader;
        vorbis_analysis_headerout(&dsp_, &comment_, &header, &commentHeader, &codeHeader);
        ogg_stream_packetin(&stream_, &header);
        ogg_stream_packetin(&stream_, &commentHeader);
        ogg_stream_packetin(&stream_, &codeHeader);
        ogg_page page;
        while (ogg_stream_flush(&stream_, &page)) {
            put(page.header, size_t(page.header_len));
            put(page.body, size_t(page.body_len));
        }
        flush();
    } catch (...) {
        // No destructor runs for a constructor that throws.
        release();
        throw;
    }
}

OggVorbisEncoder::~OggVorbisEncoder() {
    release();
}

void OggVorbisEncoder::release() {
    ogg_stream_clear(&stream_);
    vorbis_block_clear(&block_);
    vorbis_dsp_clear(&dsp_);
    vorbis_comment_clear(&comment_);
    vorbis_info_clear(&info_);
}

void OggVorbisEncoder::Write(const float* samples, int64_t frames) {
    while (frames > 0) {
        const int chunk = int(std::min<int64_t>(frames, 4096));
        float** buffer = vorbis_analysis_buffer(&dsp_, chunk);
        for (int i = 0; i < chunk; ++i)
            for (int c = 0; c < channels_; ++c)
                buffer[c][i] = samples[size_t(i) * size_t(channels_) + size_t(c)];
        vorbis_analysis_wrote(&dsp_, chunk);
        samples += size_t(chunk) * size_t(channels_);
        frames -= chunk;
        drain(false);
    }
}

// Encodes what the analysis holds; every page that completes (4 KB or half a
// second of audio, whichever comes first) goes to the disk at once. `flushAll` also ends the
// last, partial page.
void OggVorbisEncoder::drain(bool flushAll) {
    bool wrote = false;
    ogg_page page;
    while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
        vorbis_analysis(&block_, nullptr);
        vorbis_bitrate_addblock(&block_);
        ogg_packet packet;
        while (vorbis_bitrate_flushpacket(&dsp_, &packet)) {
            ogg_stream_packetin(&stream_, &packet);
            // Quiet audio fills pages slowly: a page never holds more than
            // half a second, so a crash loses little.
            const bool due = packet.granulepos - pageGranule_ >= maxPageFrames_;
            while (due ? ogg_stream_flush(&stream_, &page) : ogg_stream_pageout(&stream_, &page)) {
                put(page.header, size_t(page.header_len));
                put(page.body, size_t(page.body_len));
                pageGranule_ = ogg_page_granulepos(&page);
                wrote = true;
            }
        }
    }
    while (flushAll && ogg_stream_flush(&stream_, &page)) {
        put(page.header, size_t(page.header_len));
        put(page.body, size_t(page.body_len));
        wrote = true;
    }
    if (wrote)
        flush();
}

void OggVorbisEncoder::Finish() {
    if (finished_)
        return;
    finished_ = true;
    vorbis_analysis_wrote(&dsp_, 0);
    drain(true);
    close();
}

} // namespace varnelo
