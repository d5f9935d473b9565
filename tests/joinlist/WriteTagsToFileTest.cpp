#include "tags/WriteTagsToFile.h"

#include "TestAudioFiles.h"
#include "platform/audio/file/TAudioFile2.h"
#include "platform/audio/tags/TAudioInformation2.h"
#include "platform/core/AppError.h"
#include "platform/shell/InfoBox.h"
#include "settings/SettingsFile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace varnelo {
namespace {

class WriteTagsToFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        previousBox =
            SetInfoBoxHandler([this](QWidget*, const QString& text) { messages << text; });
        path = dir.filePath("recording.ogg");
        TAudioFile2 writer;
        testing::MakeOgg(writer, path, 1.0);
    }
    void TearDown() override { SetInfoBoxHandler(previousBox); }

    void Store(const QString& key, const QString& value) {
        settings.WriteString(QStringLiteral("info"), key, value);
    }
    QByteArray FileHash() const {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
    }

    QTemporaryDir dir;
    InfoBoxHandler previousBox;
    QStringList messages;
    SettingsFile settings{dir.filePath("Varn.ini")};
    QString path;
};

TEST_F(WriteTagsToFileTest, WritesTheStoredTags) {
    Store("title", "Evening News");
    Store("arist", "Radio One");
    Store("album", "Broadcasts");
    Store("comment", "recorded live");
    settings.WriteInteger("info", "genre", 101); // the editor stores the genre's index
    Store("year", "2024");
    Store("Track", "7");

    TAudioInformation2 component;
    WriteTagsToFile(component, settings, nullptr, path);
    EXPECT_TRUE(messages.isEmpty());

    TAudioInformation2 check;
    check.ReadFromFile(path);
    EXPECT_EQ(check.infoTitle(), QStringLiteral("Evening News"));
    EXPECT_EQ(check.infoArtist(), QStringLiteral("Radio One"));
    EXPECT_EQ(check.infoAlbum(), QStringLiteral("Broadcasts"));
    EXPECT_EQ(check.infoComments(), QStringLiteral("recorded live"));
    EXPECT_EQ(check.infoGenreIndex(), 101);
    EXPECT_EQ(check.GenreName(101), component.GenreName(101));
    EXPECT_EQ(check.infoYear(), 2024);
    EXPECT_EQ(check.infoTrack(), 7);
    EXPECT_GT(check.infoDuration(), 900); // the audio is still there
}

TEST_F(WriteTagsToFileTest, FreshSettingsWriteEmptyTextsAndZeroNumbers) {
    TAudioInformation2 component;
    WriteTagsToFile(component, settings, nullptr, path);
    EXPECT_TRUE(messages.isEmpty());
    TAudioInformation2 check;
    check.ReadFromFile(path);
    EXPECT_EQ(check.infoTitle(), QString());
    EXPECT_EQ(check.infoYear(), 0);
    EXPECT_EQ(check.infoTrack(), 0);
}

struct GenreCase {
    const char* name;
    const char* stored;
    int index; // -1: no genre
};

void PrintTo(const GenreCase& c, std::ostream* os) {
    *os << c.name;
}

class StoredGenreTest : public WriteTagsToFileTest,
                        public ::testing::WithParamInterface<GenreCase> {};

// The editor stores the genre's position in its list; the file gets that genre.
TEST_P(StoredGenreTest, StoredIndexBecomesTheFilesGenre) {
    Store("genre", GetParam().stored);
    TAudioInformation2 component;
    WriteTagsToFile(component, settings, nullptr, path);
    TAudioInformation2 check;
    check.ReadFromFile(path);
    const int index = check.infoGenreIndex();
    if (GetParam().index < 0)
        EXPECT_TRUE(index < 0 || index > 147) << index;
    else
        EXPECT_EQ(index, GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StoredGenreTest,
    ::testing::Values(GenreCase{"First", "0", 0}, GenreCase{"Index17", "17", 17},
                      GenreCase{"Last", "147", 147}, GenreCase{"NoneChosen", "-1", -1},
                      GenreCase{"Empty", "", -1}, GenreCase{"PastTheList", "200", -1}),
    [](const auto& info) { return std::string(info.param.name); });

struct InvalidNumberCase {
    const char* name;
    const char* year;
    const char* track;
    const char* message;
};

void PrintTo(const InvalidNumberCase& c, std::ostream* os) {
    *os << c.name;
}

class InvalidNumberTest : public WriteTagsToFileTest,
                          public ::testing::WithParamInterface<InvalidNumberCase> {};

TEST_P(InvalidNumberTest, ShowsMessageAndLeavesFileUnchanged) {
    Store("title", "Not Written");
    Store("year", GetParam().year);
    Store("Track", GetParam().track);
    const QByteArray before = FileHash();
    TAudioInformation2 component;
    WriteTagsToFile(component, settings, nullptr, path);
    EXPECT_EQ(messages, QStringList{QString::fromLatin1(GetParam().message)});
    EXPECT_EQ(FileHash(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Table, InvalidNumberTest,
    ::testing::Values(InvalidNumberCase{"EmptyYear", "", "1", "Invalid Year Value"},
                      InvalidNumberCase{"YearPast32Bits", "99999999999", "1", "Invalid Year Value"},
                      InvalidNumberCase{"LettersInYear", "20x4", "1", "Invalid Year Value"},
                      // a whole number the component refuses
                      InvalidNumberCase{"NegativeYear", "-5", "1", "Invalid Year Value"},
                      InvalidNumberCase{"NegativeTrack", "2024", "-1", "Invalid Track Value"},
                      InvalidNumberCase{"EmptyTrack", "2024", "", "Invalid Track Value"},
                      InvalidNumberCase{"LettersInTrack", "2024", "seven", "Invalid Track Value"},
                      InvalidNumberCase{"BothBadYearFirst", "", "", "Invalid Year Value"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WriteTagsToFileTest, MissingFileIsAnErrorForTheCaller) {
    TAudioInformation2 component;
    EXPECT_THROW(WriteTagsToFile(component, settings, nullptr, dir.filePath("gone.ogg")), AppError);
    EXPECT_TRUE(messages.isEmpty());
}

TEST(ParseTagNumberTest, AcceptsWholeDecimalNumbersInThe32BitRange) {
    struct Case {
        const char* text;
        bool ok;
        int value;
    };
    const Case cases[] = {{"0", true, 0},           {"2024", true, 2024},
                          {"-5", true, -5},         {"2147483647", true, 2147483647},
                          {"2147483648", false, 0}, {"", false, 0},
                          {"1.5", false, 0},        {"0x10", false, 0},
                          {"12a", false, 0}};
    for (const Case& c : cases) {
        int value = 0;
        EXPECT_EQ(ParseTagNumber(QString::fromLatin1(c.text), value), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
}

} // namespace
} // namespace varnelo
