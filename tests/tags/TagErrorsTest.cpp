// Files that cannot be read or written: the message names the file and the
// reason, the held values and the file stay as they were.
#include "TagTestFiles.h"
#include "platform/audio/tags/TAudioInformation2.h"
#include "platform/core/AppError.h"

#include <QFile>
#include <gtest/gtest.h>

namespace varnelo {
namespace {

enum class Prepare { Missing, NotAudio, ReadOnly, UnknownKind, Folder };

struct BadFileCase {
    const char* name;
    Prepare prepare;
    const char* fileName;
    bool write;
    const char* reason; // the message is "Cannot <verb> the tags of "<path>": <reason>"
};

void PrintTo(const BadFileCase& c, std::ostream* os) {
    *os << c.name;
}

class BadFile : public ::testing::TestWithParam<BadFileCase> {};

TEST_P(BadFile, ThrowsNamingFileAndReason) {
    const BadFileCase& c = GetParam();
    QTemporaryDir dir;
    QString path = dir.filePath(QString::fromLatin1(c.fileName));
    switch (c.prepare) {
    case Prepare::Missing:
        break;
    case Prepare::NotAudio:
    case Prepare::UnknownKind: {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("this is a shopping list, not a sound\n").repeated(200));
        break;
    }
    case Prepare::ReadOnly:
        path = test::CopyFixture(dir, QString::fromLatin1(c.fileName));
        ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
        break;
    case Prepare::Folder:
        ASSERT_TRUE(QDir(dir.path()).mkdir(QString::fromLatin1(c.fileName)));
    }
    const QByteArray bytesBefore = test::FileBytes(path);

    TAudioInformation2 info;
    info.setInfoTitle(QStringLiteral("held"));
    info.setInfoTrack(4);
    try {
        if (c.write)
            info.WriteToFile(path);
        else
            info.ReadFromFile(path);
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Cannot %1 the tags of \"%2\": %3")
                                   .arg(QLatin1String(c.write ? "write" : "read"), path,
                                        QString::fromUtf8(c.reason)));
    }
    EXPECT_EQ(info.infoTitle(), QStringLiteral("held"));
    EXPECT_EQ(info.infoTrack(), 4);
    EXPECT_EQ(test::FileBytes(path), bytesBefore);
    // A failed write leaves no work file behind.
    EXPECT_EQ(
        QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(),
        c.prepare == Prepare::Missing ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadFile,
    ::testing::Values(
        BadFileCase{"readMissing", Prepare::Missing, "gone.mp3", false, "the file does not exist."},
        BadFileCase{"writeMissing", Prepare::Missing, "gone.ogg", true, "the file does not exist."},
        BadFileCase{"readFolder", Prepare::Folder, "folder.wav", false, "it is not a file."},
        BadFileCase{"readTextAsMp3", Prepare::NotAudio, "list.mp3", false,
                    "it is not a valid MP3 file."},
        BadFileCase{"writeTextAsMp3", Prepare::NotAudio, "list.mp3", true,
                    "it is not a valid MP3 file."},
        BadFileCase{"readTextAsOgg", Prepare::NotAudio, "list.ogg", false,
                    "it is not a valid OGG Vorbis file."},
        BadFileCase{"writeTextAsWma", Prepare::NotAudio, "list.wma", true,
                    "it is not a valid WMA file."},
        BadFileCase{"readTextAsWav", Prepare::NotAudio, "list.wav", false,
                    "it is not a valid WAV file."},
        BadFileCase{"writeTextAsFlac", Prepare::NotAudio, "list.flac", true,
                    "it is not a valid FLAC file."},
        BadFileCase{"writeReadOnly", Prepare::ReadOnly, "tags_tone.mp3", true,
                    "the file is read-only."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UnknownKind, IsRefusedByItsExtension) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("notes.txt"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("text");
    f.close();
    TAudioInformation2 info;
    for (const bool write : {false, true}) {
        try {
            write ? info.WriteToFile(path) : info.ReadFromFile(path);
            FAIL() << "no error";
        } catch (const AppError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("Cannot handle the tags of \"%1\": only MP3, "
                                                  "OGG, WMA, WAV and FLAC files have tags here.")
                                       .arg(path));
        }
    }
}

TEST(ReadOnly, ReadingStillWorks) {
    QTemporaryDir dir;
    const QString path = test::CopyFixture(dir, QStringLiteral("tags_tone.wav"));
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner));
    TAudioInformation2 info;
    info.ReadFromFile(path);
    EXPECT_EQ(info.infoFrequency(), 8000);
}

} // namespace
} // namespace varnelo
