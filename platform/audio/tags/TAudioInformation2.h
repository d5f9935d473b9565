#pragma once

#include "platform/audio/api/IAudioInformation2.h"

namespace varnelo {

// Tags and stream information of MP3 (ID3v2 + ID3v1), OGG Vorbis, WMA (ASF),
// WAV (RIFF) and FLAC files through TagLib. GUI thread only.
class TAudioInformation2 : public IAudioInformation2 {
public:
    void ReadFromFile(const QString& path) override;
    void WriteToFile(const QString& path) override;
    QString GenreName(int index) override;

    QString infoTitle() const override { return title_; }
    void setInfoTitle(const QString& value) override { title_ = value; }
    QString infoArtist() const override { return artist_; }
    void setInfoArtist(const QString& value) override { artist_ = value; }
    QString infoAlbum() const override { return album_; }
    void setInfoAlbum(const QString& value) override { album_ = value; }
    QString infoComments() const override { return comments_; }
    void setInfoComments(const QString& value) override { comments_ = value; }
    int16_t infoGenreIndex() const override { return genre_; }
    void setInfoGenreIndex(int32_t value) override;
    void setInfoGenreS(const QString& value) override;
    int32_t infoYear() const override { return year_; }
    void setInfoYear(int32_t value) override;
    int16_t infoTrack() const override { return track_; }
    void setInfoTrack(int32_t value) override;

    int64_t infoFrequency() const override { return frequency_; }
    int64_t infoBitrate() const override { return bitrate_; }
    int64_t infoDuration() const override { return duration_; }
    int64_t infoChannels() const override { return channels_; }
    int64_t infoSamples() const override { return samples_; }
    int64_t infoSize() const override { return size_; }
    int64_t infoBitsPerSample() const override { return bitsPerSample_; }
    int64_t infoFormatTag() const override { return formatTag_; }

private:
    QString title_, artist_, album_, comments_;
    int16_t genre_ = -1;
    int32_t year_ = 0;
    int16_t track_ = 0;
    int64_t frequency_ = 0, bitrate_ = 0, duration_ = 0, channels_ = 0, samples_ = 0, size_ = 0,
            bitsPerSample_ = 0, formatTag_ = 0;
};

} // namespace varnelo
