#include "platform/audio/tags/TagLibAccess.h"

#include "platform/core/AppError.h"

#include <QFile>
#include <QFileInfo>

#include <taglib/asffile.h>
#include <taglib/flacfile.h>
#include <taglib/id3v1genres.h>
#include <taglib/id3v1tag.h>
#include <taglib/id3v2tag.h>
#include <taglib/infotag.h>
#include <taglib/mpegfile.h>
#include <taglib/tag.h>
#include <taglib/vorbisfile.h>
#include <taglib/wavfile.h>
#include <taglib/xiphcomment.h>

#include <algorithm>
#include <cstdint>
#include <memory>

namespace varnelo::taglib_access {
namespace {

using Tags = TAudioInformation2::Tags;
using Stream = TAudioInformation2::Stream;

// WAVE format codes that name each codec in the stream information.
constexpr int64_t kTagPcm = 0x0001;
constexpr int64_t kTagMpeg = 0x0050;
constexpr int64_t kTagMp3 = 0x0055;
constexpr int64_t kTagWma1 = 0x0160;
constexpr int64_t kTagWma2 = 0x0161;
constexpr int64_t kTagWmaPro = 0x0162;
constexpr int64_t kTagWmaLossless = 0x0163;
constexpr int64_t kTagVorbis = 0x674F;
constexpr int64_t kTagFlac = 0xF1AC;

TagLib::String ToTag(const QString& text) {
    return TagLib::String(text.toUtf8().constData(), TagLib::String::UTF8);
}

QString FromTag(const TagLib::String& text) {
    return QString::fromUtf8(text.toCString(true));
}

std::unique_ptr<TagLib::File> Open(const QString& path, Format format, bool readProperties) {
    const QByteArray name = QFile::encodeName(path);
    const auto style = TagLib::AudioProperties::Average;
    switch (format) {
    case Format::Mp3:
        return std::make_unique<TagLib::MPEG::File>(name.constData(), readProperties, style);
    case Format::Ogg:
        return std::make_unique<TagLib::Ogg::Vorbis::File>(name.constData(), readProperties, style);
    case Format::Wma:
        return std::make_unique<TagLib::ASF::File>(name.constData(), readProperties, style);
    case Format::Wav:
        return std::make_unique<TagLib::RIFF::WAV::File>(name.constData(), readProperties, style);
    case Format::Flac:
        return std::make_unique<TagLib::FLAC::File>(name.constData(), readProperties, style);
    }
    return nullptr;
}

QString FormatName(Format format) {
    switch (format) {
    case Format::Mp3:
        return QStringLiteral("MP3");
    case Format::Ogg:
        return QStringLiteral("OGG Vorbis");
    case Format::Wma:
        return QStringLiteral("WMA");
    case Format::Wav:
        return QStringLiteral("WAV");
    case Format::Flac:
        return QStringLiteral("FLAC");
    }
    return {};
}

[[noreturn]] void NotValid(const char* verb, const QString& shownName, Format format) {
    throw AppError(QStringLiteral("Cannot %1 the tags of \"%2\": it is not a valid %3 file.")
                       .arg(QLatin1String(verb), shownName, FormatName(format)));
}

// TagLib opens some foreign files (a text named .mp3) as valid but finds no
// stream in them; a file is audio only when it has a rate and channels.
bool HasSound(TagLib::File* file) {
    if (!file || !file->isValid())
        return false;
    const TagLib::AudioProperties* props = file->audioProperties();
    return props && props->sampleRate() > 0 && props->channels() > 0;
}

int64_t FormatTagOf(TagLib::File& file, Format format) {
    switch (format) {
    case Format::Mp3: {
        auto* props = static_cast<TagLib::MPEG::File&>(file).audioProperties();
        return props && props->layer() != 3 ? kTagMpeg : kTagMp3;
    }
    case Format::Ogg:
        return kTagVorbis;
    case Format::Wma:
        switch (static_cast<TagLib::ASF::File&>(file).audioProperties()->codec()) {
        case TagLib::ASF::Properties::WMA1:
            return kTagWma1;
        case TagLib::ASF::Properties::WMA9Pro:
            return kTagWmaPro;
        case TagLib::ASF::Properties::WMA9Lossless:
            return kTagWmaLossless;
        default:
            return kTagWma2;
        }
    case Format::Wav: {
        const int tag = static_cast<TagLib::RIFF::WAV::File&>(file).audioProperties()->format();
        return tag > 0 ? tag : kTagPcm;
    }
    case Format::Flac:
        return kTagFlac;
    }
    return 0;
}

void ReadStream(TagLib::File& file, Format format, Stream& stream) {
    const TagLib::AudioProperties* props = file.audioProperties();
    stream.frequency = props->sampleRate();
    stream.bitrate = int64_t{props->bitrate()} * 1000;
    stream.duration = props->lengthInMilliseconds();
    stream.channels = props->channels();
    stream.samples = stream.duration * stream.frequency / 1000;
    stream.bitsPerSample = 0; // lossy streams have no sample size
    stream.formatTag = FormatTagOf(file, format);
    if (format == Format::Wav) {
        auto* wav = static_cast<TagLib::RIFF::WAV::File&>(file).audioProperties();
        stream.samples = wav->sampleFrames();
        stream.bitsPerSample = wav->bitsPerSample();
    } else if (format == Format::Flac) {
        auto* flac = static_cast<TagLib::FLAC::File&>(file).audioProperties();
        stream.samples = static_cast<int64_t>(flac->sampleFrames());
        stream.bitsPerSample = flac->bitsPerSample();
    } else if (format == Format::Wma) {
        stream.bitsPerSample =
            static_cast<TagLib::ASF::File&>(file).audioProperties()->bitsPerSample();
    }
}

void ReadTags(const TagLib::Tag& tag, Tags& tags) {
    tags.title = FromTag(tag.title());
    tags.artist = FromTag(tag.artist());
    tags.album = FromTag(tag.album());
    tags.comments = FromTag(tag.comment());
    tags.genre = TAudioInformation2::GenreIndexOf(FromTag(tag.genre()));
    tags.year = static_cast<int>(std::min<unsigned>(tag.year(), INT32_MAX));
    tags.track = static_cast<int>(std::min<unsigned>(tag.track(), TAudioInformation2::kMaxTrack));
}

void Apply(TagLib::Tag* tag, const Tags& tags) {
    tag->setTitle(ToTag(tags.title));
    tag->setArtist(ToTag(tags.artist));
    tag->setAlbum(ToTag(tags.album));
    tag->setComment(ToTag(tags.comments));
    tag->setGenre(tags.genre >= 0 ? TagLib::ID3v1::genre(tags.genre) : TagLib::String());
    tag->setYear(static_cast<unsigned>(tags.year));
    tag->setTrack(static_cast<unsigned>(tags.track));
}

bool Save(TagLib::File& file, Format format, const Tags& tags) {
    switch (format) {
    case Format::Mp3: {
        // Both tags: ID3v2.3 for today's players, ID3v1 for old ones.
        auto& mp3 = static_cast<TagLib::MPEG::File&>(file);
        Apply(mp3.ID3v2Tag(true), tags);
        Apply(mp3.ID3v1Tag(true), tags);
        return mp3.save(TagLib::MPEG::File::ID3v1 | TagLib::MPEG::File::ID3v2,
                        TagLib::File::StripNone, TagLib::ID3v2::v3);
    }
    case Format::Wav: {
        // The RIFF INFO list for Windows tools, ID3v2 for media players.
        auto& wav = static_cast<TagLib::RIFF::WAV::File&>(file);
        Apply(wav.InfoTag(), tags);
        Apply(wav.ID3v2Tag(), tags);
        return wav.save(TagLib::RIFF::WAV::File::AllTags, TagLib::File::StripNone,
                        TagLib::ID3v2::v3);
    }
    case Format::Flac: {
        auto& flac = static_cast<TagLib::FLAC::File&>(file);
        Apply(flac.xiphComment(true), tags);
        return flac.save();
    }
    case Format::Ogg:
    case Format::Wma:
        Apply(file.tag(), tags);
        return file.save();
    }
    return false;
}

} // namespace

Format FormatOf(const QString& path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == QLatin1String("mp3"))
        return Format::Mp3;
    if (ext == QLatin1String("ogg") || ext == QLatin1String("oga"))
        return Format::Ogg;
    if (ext == QLatin1String("wma") || ext == QLatin1String("asf"))
        return Format::Wma;
    if (ext == QLatin1String("wav"))
        return Format::Wav;
    if (ext == QLatin1String("flac"))
        return Format::Flac;
    throw AppError(
        QStringLiteral("Cannot handle the tags of \"%1\": only MP3, OGG, WMA, WAV and FLAC files "
                       "have tags here.")
            .arg(path));
}

void Read(const QString& path, Format format, const QString& shownName, Tags& tags,
          Stream& stream) {
    auto file = Open(path, format, true);
    if (!HasSound(file.get()))
        NotValid("read", shownName, format);
    ReadStream(*file, format, stream);
    if (const TagLib::Tag* tag = file->tag())
        ReadTags(*tag, tags);
}

void Write(const QString& path, Format format, const QString& shownName, const Tags& tags) {
    auto file = Open(path, format, true);
    if (!HasSound(file.get()))
        NotValid("write", shownName, format);
    if (file->readOnly() || !Save(*file, format, tags)) {
        throw AppError(QStringLiteral("Cannot write the tags of \"%1\": saving the %2 tags failed.")
                           .arg(shownName, FormatName(format)));
    }
}

QString GenreName(int index) {
    return FromTag(TagLib::ID3v1::genre(index));
}

} // namespace varnelo::taglib_access
