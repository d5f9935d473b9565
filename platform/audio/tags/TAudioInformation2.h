#pragma once

#include "platform/audio/api/IAudioInformation2.h"

namespace varnelo {

// Tags and stream information of MP3 (ID3v2 + ID3v1), OGG Vorbis, WMA (ASF),
// WAV (RIFF INFO + ID3v2) and FLAC files through TagLib. GUI thread only.
//
// What the setters refuse (AppError, the held value stays as it was):
// - a year outside 0..9999 (0 means no year; tags keep at most four digits),
// - a track outside 0..32767 (0 means no track; the read side is 16-bit).
// A genre index outside 0..147 and a genre text that is neither a genre name
// nor such an index mean "no genre" and are not refused.
//
// WriteToFile writes into a copy beside the file and renames it over the
// original, so a write that fails leaves the file as it was.
class TAudioInformation2 : public IAudioInformation2 {
public:
    static constexpr int kGenreCount = 148;
    static constexpr int32_t kMaxYear = 9999;
    static constexpr int32_t kMaxTrack = 32767;

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

    int64_t infoFrequency() const override { return stream_.frequency; }
    int64_t infoBitrate() const override { return stream_.bitrate; }
    int64_t infoDuration() const override { return stream_.duration; }
    int64_t infoChannels() const override { return stream_.channels; }
    int64_t infoSamples() const override { return stream_.samples; }
    int64_t infoSize() const override { return stream_.size; }
    int64_t infoBitsPerSample() const override { return stream_.bitsPerSample; }
    int64_t infoFormatTag() const override { return stream_.formatTag; }

    // The genre index a text names: a genre name (any case) or a decimal
    // index 0..147; -1 for anything else, the empty text included.
    static int GenreIndexOf(const QString& text);

    // What ReadFromFile takes from a file and WriteToFile puts into one.
    struct Tags {
        QString title, artist, album, comments;
        int genre = -1; // 0..147, -1 none
        int year = 0;   // 0 none
        int track = 0;  // 0 none
    };
    // Stream information; formatTag is the WAVE format code of the codec
    // (1 PCM, 3 float, 0x55 MP3, 0x161 WMA, 0x674F Vorbis, 0xF1AC FLAC).
    struct Stream {
        int64_t frequency = 0, bitrate = 0, duration = 0, channels = 0, samples = 0, size = 0,
                bitsPerSample = 0, formatTag = 0;
    };

private:
    QString title_, artist_, album_, comments_;
    int16_t genre_ = -1;
    int32_t year_ = 0;
    int16_t track_ = 0;
    Stream stream_;
};

} // namespace varnelo
