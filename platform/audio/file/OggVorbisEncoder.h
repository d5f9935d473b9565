#pragma once

#include "platform/audio/file/AudioEncoder.h"

#include <ogg/ogg.h>
#include <vorbis/codec.h>

namespace varnelo {

struct VorbisSettings {
    int rate = 44100;
    int channels = 2;
    int quality = 300; // > 0: quality mode (quality / 1000); otherwise managed bitrate
    int minKbps = 128;
    int nominalKbps = 128;
    int maxKbps = 128;
};

// OGG Vorbis through libvorbisenc; every completed Ogg page is written and
// flushed at once, and a page holds at most half a second of audio.
class OggVorbisEncoder : public AudioEncoder {
public:
    OggVorbisEncoder(const QString& path, const VorbisSettings& settings);
    ~OggVorbisEncoder() override;

    // The encoder's own answer for managed bitrate mode.
    static bool Accepts(int rate, int channels, int minKbps, int nominalKbps, int maxKbps);

    void Write(const float* samples, int64_t frames) override;
    void Finish() override;

private:
    void drain(bool flushAll);
    void release();

    int channels_;
    int64_t maxPageFrames_;   // a page is ended once it holds this much audio
    int64_t pageGranule_ = 0; // end position of the last page written
    vorbis_info info_;
    vorbis_comment comment_;
    vorbis_dsp_state dsp_;
    vorbis_block block_;
    ogg_stream_state stream_;
    bool finished_ = false;
};

} // namespace varnelo
