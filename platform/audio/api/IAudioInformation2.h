#pragma once

#include <QString>
#include <cstdint>

namespace varnelo {

// The tag component: holds one set of tag values. ReadFromFile replaces them
// with a file's tags and stream information; WriteToFile writes the set it
// holds into the named file. Failures throw AppError. GUI thread only.
class IAudioInformation2 {
public:
    virtual ~IAudioInformation2() = default;

    virtual void ReadFromFile(const QString& path) = 0;
    virtual void WriteToFile(const QString& path) = 0;
    virtual QString GenreName(int index) = 0; // 0..147

    virtual QString infoTitle() const = 0;
    virtual void setInfoTitle(const QString& value) = 0;
    virtual QString infoArtist() const = 0;
    virtual void setInfoArtist(const QString& value) = 0;
    virtual QString infoAlbum() const = 0;
    virtual void setInfoAlbum(const QString& value) = 0;
    virtual QString infoComments() const = 0;
    virtual void setInfoComments(const QString& value) = 0;
    virtual int16_t infoGenreIndex() const = 0; // -1 (or out of 0..147): none
    virtual void setInfoGenreIndex(int32_t value) = 0;
    virtual void setInfoGenreS(const QString& value) = 0; // genre as text
    virtual int32_t infoYear() const = 0;
    virtual void setInfoYear(int32_t value) = 0;
    virtual int16_t infoTrack() const = 0;
    virtual void setInfoTrack(int32_t value) = 0;

    // Stream information after ReadFromFile.
    virtual int64_t infoFrequency() const = 0;
    virtual int64_t infoBitrate() const = 0;
    virtual int64_t infoDuration() const = 0; // ms
    virtual int64_t infoChannels() const = 0;
    virtual int64_t infoSamples() const = 0;
    virtual int64_t infoSize() const = 0; // bytes
    virtual int64_t infoBitsPerSample() const = 0;
    virtual int64_t infoFormatTag() const = 0;
};

} // namespace varnelo
