// Tags written into each format and read back, through the component itself
// and, for the places other programs look, through TagLib directly.
#include "TagTestFiles.h"
#include "platform/audio/tags/TAudioInformation2.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <taglib/id3v1tag.h>
#include <taglib/infotag.h>
#include <taglib/mpegfile.h>
#include <taglib/wavfile.h>

namespace varnelo {
namespace {

struct RoundTripCase {
    const char* name;
    const char* fixture;
};

void PrintTo(const RoundTripCase& c, std::ostream* os) {
    *os << c.name;
}

class TagsRoundTrip : public ::testing::TestWithParam<RoundTripCase> {
protected:
    QTemporaryDir dir;
};

TEST_P(TagsRoundTrip, WrittenTagsReadBackAndSoundStaysIntact) {
    const QString path = test::CopyFixture(dir, QString::fromLatin1(GetParam().fixture));

    TAudioInformation2 before;
    before.ReadFromFile(path);
    const int64_t duration = before.infoDuration();
    const int64_t frequency = before.infoFrequency();

    TAudioInformation2 writer;
    writer.setInfoTitle(QStringLiteral("Night Train"));
    writer.setInfoArtist(QStringLiteral("Ørjan Åberg"));
    writer.setInfoAlbum(QStringLiteral("Live at the Kiosk"));
    writer.setInfoComments(QStringLiteral("recorded at home"));
    writer.setInfoGenreIndex(17);
    writer.setInfoYear(2024);
    writer.setInfoTrack(7);
    writer.WriteToFile(path);

    TAudioInformation2 reader;
    reader.ReadFromFile(path);
    EXPECT_EQ(reader.infoTitle(), QStringLiteral("Night Train"));
    EXPECT_EQ(reader.infoArtist(), QStringLiteral("Ørjan Åberg"));
    EXPECT_EQ(reader.infoAlbum(), QStringLiteral("Live at the Kiosk"));
    EXPECT_EQ(reader.infoComments(), QStringLiteral("recorded at home"));
    EXPECT_EQ(reader.infoGenreIndex(), 17);
    EXPECT_EQ(reader.infoYear(), 2024);
    EXPECT_EQ(reader.infoTrack(), 7);
    EXPECT_EQ(reader.infoDuration(), duration);
    EXPECT_EQ(reader.infoFrequency(), frequency);

    // Rewriting with fewer values clears the others: the held set is
    // written as it stands, the file is not read first.
    TAudioInformation2 second;
    second.setInfoTitle(QStringLiteral("Only a title"));
    second.WriteToFile(path);
    reader.ReadFromFile(path);
    EXPECT_EQ(reader.infoTitle(), QStringLiteral("Only a title"));
    EXPECT_EQ(reader.infoArtist(), QString());
    EXPECT_EQ(reader.infoAlbum(), QString());
    EXPECT_EQ(reader.infoComments(), QString());
    EXPECT_EQ(reader.infoGenreIndex(), -1);
    EXPECT_EQ(reader.infoYear(), 0);
    EXPECT_EQ(reader.infoTrack(), 0);
    EXPECT_EQ(reader.infoDuration(), duration);
}

INSTANTIATE_TEST_SUITE_P(EachFormat, TagsRoundTrip,
                         ::testing::Values(RoundTripCase{"mp3", "tags_tone.mp3"},
                                           RoundTripCase{"ogg", "tags_tone.ogg"},
                                           RoundTripCase{"wma", "tags_tone.wma"},
                                           RoundTripCase{"wav", "tags_tone.wav"},
                                           RoundTripCase{"flac", "tags_tone.flac"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TagsWritten, Mp3CarriesBothId3v2AndId3v1) {
    QTemporaryDir dir;
    const QString path = test::CopyFixture(dir, QStringLiteral("tags_tone.mp3"));
    TAudioInformation2 writer;
    writer.setInfoTitle(QStringLiteral("Both Tags"));
    writer.setInfoGenreIndex(0);
    writer.setInfoYear(1999);
    writer.setInfoTrack(3);
    writer.WriteToFile(path);

    TagLib::MPEG::File file(QFile::encodeName(path).constData());
    ASSERT_TRUE(file.isValid());
    ASSERT_TRUE(file.hasID3v2Tag());
    ASSERT_TRUE(file.hasID3v1Tag());
    EXPECT_EQ(file.ID3v2Tag()->title(), TagLib::String("Both Tags"));
    EXPECT_EQ(file.ID3v2Tag()->genre(), TagLib::String("Blues"));
    EXPECT_EQ(file.ID3v2Tag()->header()->majorVersion(), 3u);
    EXPECT_EQ(file.ID3v1Tag()->title(), TagLib::String("Both Tags"));
    EXPECT_EQ(file.ID3v1Tag()->genreNumber(), 0u);
    EXPECT_EQ(file.ID3v1Tag()->year(), 1999u);
    EXPECT_EQ(file.ID3v1Tag()->track(), 3u);
}

TEST(TagsWritten, WavCarriesRiffInfoAndId3v2) {
    QTemporaryDir dir;
    const QString path = test::CopyFixture(dir, QStringLiteral("tags_tone.wav"));
    TAudioInformation2 writer;
    writer.setInfoArtist(QStringLiteral("Info Artist"));
    writer.WriteToFile(path);

    TagLib::RIFF::WAV::File file(QFile::encodeName(path).constData());
    ASSERT_TRUE(file.isValid());
    EXPECT_TRUE(file.hasInfoTag());
    EXPECT_TRUE(file.hasID3v2Tag());
    EXPECT_EQ(file.InfoTag()->artist(), TagLib::String("Info Artist"));
    EXPECT_EQ(file.ID3v2Tag()->artist(), TagLib::String("Info Artist"));
}

TEST(TagsWritten, KeepThePermissionsOfTheFile) {
    QTemporaryDir dir;
    const QString path = test::CopyFixture(dir, QStringLiteral("tags_tone.ogg"));
    const auto mode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(path, mode));
    TAudioInformation2 writer;
    writer.setInfoTitle(QStringLiteral("x"));
    writer.WriteToFile(path);
    EXPECT_EQ(QFile::permissions(path) & 0x7077, mode);
    // Nothing of the work is left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(TagsWritten, FileNamesOutsideAscii) {
    QTemporaryDir dir;
    const QString source = test::CopyFixture(dir, QStringLiteral("tags_tone.mp3"));
    const QString path = dir.filePath(QStringLiteral("Mötley Ünïcode 日本.mp3"));
    ASSERT_TRUE(QFile::rename(source, path));
    TAudioInformation2 info;
    info.setInfoTitle(QStringLiteral("日本の歌"));
    info.WriteToFile(path);
    TAudioInformation2 reader;
    reader.ReadFromFile(path);
    EXPECT_EQ(reader.infoTitle(), QStringLiteral("日本の歌"));
    EXPECT_EQ(reader.infoFrequency(), 44100);
}

TEST(TagsWritten, ThroughALinkTheLinkStays) {
    QTemporaryDir dir;
    const QString path = test::CopyFixture(dir, QStringLiteral("tags_tone.flac"));
    const QString link = dir.filePath(QStringLiteral("link.flac"));
    ASSERT_TRUE(QFile::link(path, link));
    TAudioInformation2 writer;
    writer.setInfoAlbum(QStringLiteral("Linked"));
    writer.WriteToFile(link);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    TAudioInformation2 reader;
    reader.ReadFromFile(path);
    EXPECT_EQ(reader.infoAlbum(), QStringLiteral("Linked"));
}

} // namespace
} // namespace varnelo
