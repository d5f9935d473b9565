#include "settings/SettingsFile.h"
#include "platform/core/AppError.h"
#include "settings/ValueTables.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <ostream>

using namespace varnelo;

namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale::c());
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("varnelo/Varn.ini"));
    }
    void writeRaw(const QByteArray& text) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    QByteArray readRaw() const {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir dir;
    QString path;
};

struct TextCase {
    const char* stored;   // the value part of "key=<stored>"
    const char* expected; // what ReadString gives
    friend std::ostream& operator<<(std::ostream& os, const TextCase& c) {
        return os << '[' << c.stored << ']';
    }
};

class TextRule : public SettingsFileTest, public ::testing::WithParamInterface<TextCase> {};

TEST_P(TextRule, ReadsTextAsStored) {
    writeRaw(QByteArray("[output]\nout_name=") + GetParam().stored + "\n");
    SettingsFile settings(path);
    EXPECT_EQ(settings.ReadString("output", "out_name", "DEF"),
              QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Values, TextRule,
    ::testing::Values(TextCase{"ZEV", "ZEV"}, TextCase{"   padded   ", "padded"},
                      TextCase{"\"quoted value\"", "quoted value"},
                      TextCase{"  \" spaced \"  ", " spaced "}, TextCase{"'single'", "single"},
                      TextCase{"\"half", "\"half"}, TextCase{"a\"b\"", "a\"b\""}, TextCase{"", ""},
                      TextCase{"a=b", "a=b"}, TextCase{"Rec;1", "Rec;1"}));

struct IntCase {
    const char* stored;
    int expected; // with default 77
    friend std::ostream& operator<<(std::ostream& os, const IntCase& c) {
        return os << '[' << c.stored << ']';
    }
};

class IntegerRule : public SettingsFileTest, public ::testing::WithParamInterface<IntCase> {};

TEST_P(IntegerRule, ReadsIntegerOrDefault) {
    writeRaw(QByteArray("[ogg]\nquality=") + GetParam().stored + "\n");
    SettingsFile settings(path);
    EXPECT_EQ(settings.ReadInteger("ogg", "quality", 77), GetParam().expected) << GetParam().stored;
}

INSTANTIATE_TEST_SUITE_P(
    Values, IntegerRule,
    ::testing::Values(IntCase{"300", 300}, IntCase{"-5", -5}, IntCase{"+12", 12},
                      IntCase{"  42", 42}, IntCase{"0x10", 16}, IntCase{"0X1f", 31},
                      IntCase{"$10", 16}, IntCase{"x10", 16}, IntCase{"X10", 16},
                      IntCase{"-$10", -16}, IntCase{"2147483647", 2147483647},
                      IntCase{"-2147483648", -2147483647 - 1}, IntCase{"2147483648", 77},
                      IntCase{"99999999999", 77}, IntCase{"0x", 77}, IntCase{"$", 77},
                      IntCase{"12abc", 77}, IntCase{"", 77}, IntCase{"abc", 77}, IntCase{"1 2", 77},
                      IntCase{"0xG1", 77}, IntCase{"--1", 77}, IntCase{"1.5", 77}));

struct BoolCase {
    const char* stored;
    bool def;
    bool expected;
    friend std::ostream& operator<<(std::ostream& os, const BoolCase& c) {
        return os << '[' << c.stored << "] default " << c.def;
    }
};

class BooleanRule : public SettingsFileTest, public ::testing::WithParamInterface<BoolCase> {};

TEST_P(BooleanRule, ReadsIntegerAsBoolean) {
    writeRaw(QByteArray("[file]\nenlength=") + GetParam().stored + "\n");
    SettingsFile settings(path);
    EXPECT_EQ(settings.ReadBool("file", "enlength", GetParam().def), GetParam().expected)
        << GetParam().stored;
}

INSTANTIATE_TEST_SUITE_P(Values, BooleanRule,
                         ::testing::Values(BoolCase{"1", false, true}, BoolCase{"0", true, false},
                                           BoolCase{"2", false, true}, BoolCase{"-1", false, true},
                                           BoolCase{"yes", false, false},
                                           BoolCase{"yes", true, true}, BoolCase{"", true, true},
                                           BoolCase{"0x0", true, false}));

TEST_F(SettingsFileTest, MissingFileSectionOrKeyGivesTheCallersDefaultAndCreatesNothing) {
    SettingsFile settings(path);
    EXPECT_EQ(settings.ReadString("output", "dir", "D"), "D");
    EXPECT_EQ(settings.ReadInteger("ogg", "frequency", 8), 8);
    EXPECT_TRUE(settings.ReadBool("ogg", "enable quality", true));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_FALSE(QDir(QFileInfo(path).absolutePath()).exists());

    writeRaw("[ogg]\nchannel=0\n");
    EXPECT_EQ(settings.ReadString("output", "dir", "D"), "D");   // missing section
    EXPECT_EQ(settings.ReadInteger("ogg", "quality", 300), 300); // missing key
    EXPECT_EQ(settings.ReadInteger("ogg", "channel", 1), 0);
}

TEST_F(SettingsFileTest, NamesIgnoreCaseKeysMayHoldBlanksAndRepeatAcrossSections) {
    writeRaw("[OGG]\nMax Bitrate=3\nenable quality = 0\n"
             "[output]\nformat=4\n[autorec]\nformat=2\n[raw]\nformat=1\n");
    SettingsFile settings(path);
    EXPECT_EQ(settings.ReadInteger("ogg", "max bitrate", 11), 3);
    EXPECT_FALSE(settings.ReadBool("Ogg", "ENABLE QUALITY", true));
    EXPECT_EQ(settings.ReadInteger("output", "format", 0), 4);
    EXPECT_EQ(settings.ReadInteger("autorec", "format", 0), 2);
    EXPECT_EQ(settings.ReadInteger("raw", "format", 0), 1);
}

TEST_F(SettingsFileTest, LongValueIsCutTo2047Characters) {
    const QByteArray value(3000, 'v');
    writeRaw("[info]\ncomment=" + value + "\n");
    SettingsFile settings(path);
    EXPECT_EQ(settings.ReadString("info", "comment", "").size(), 2047);
}

TEST_F(SettingsFileTest, WritesCreateTheFileAndReadBack) {
    SettingsFile settings(path);
    settings.WriteString("info", "Track", "0");
    settings.WriteInteger("ogg", "quality", -300);
    settings.WriteBool("file", "enlength", true);
    settings.WriteString("output", "dir", "/home/u/Ro Dezirevu");
    EXPECT_EQ(settings.ReadString("info", "Track", "x"), "0");
    EXPECT_EQ(settings.ReadString("info", "track", "x"), "0");
    EXPECT_EQ(settings.ReadInteger("ogg", "quality", 1), -300);
    EXPECT_TRUE(settings.ReadBool("file", "enlength", false));
    EXPECT_EQ(settings.ReadString("output", "dir", ""), "/home/u/Ro Dezirevu");
    EXPECT_EQ(readRaw(), "[info]\nTrack=0\n\n[ogg]\nquality=-300\n\n[file]\nenlength=1\n\n"
                         "[output]\ndir=/home/u/Ro Dezirevu\n");
}

TEST_F(SettingsFileTest, WriteKeepsForeignSectionsKeysCommentsAndOrder) {
    writeRaw("; made by hand\r\n[ogg]\r\nfrequency=8\r\n; keep me\r\nforeign=yes\r\n\r\n"
             "[other]\r\nx = 1\r\n");
    SettingsFile settings(path);
    settings.WriteInteger("OGG", "Frequency", 5); // replaced in place
    settings.WriteInteger("ogg", "channel", 0);   // appended to its section
    settings.WriteString("new", "k", "v");        // a new section at the end
    EXPECT_EQ(readRaw(), "; made by hand\r\n[ogg]\r\nfrequency=5\r\n; keep me\r\nforeign=yes\r\n"
                         "channel=0\r\n\r\n[other]\r\nx = 1\r\n\r\n[new]\r\nk=v\r\n");
}

TEST_F(SettingsFileTest, LineBreaksInAValueCannotStartNewKeys) {
    SettingsFile settings(path);
    settings.WriteString("output", "out_name", "a\n[ogg]\nquality=1");
    EXPECT_EQ(settings.ReadString("output", "out_name", ""), "a [ogg] quality=1");
    EXPECT_EQ(settings.ReadInteger("ogg", "quality", 300), 300);
}

TEST_F(SettingsFileTest, SeesChangesMadeOnDiskAtTheNextRead) {
    writeRaw("[ogg]\nquality=1\n");
    SettingsFile settings(path);
    EXPECT_EQ(settings.ReadInteger("ogg", "quality", 0), 1);
    writeRaw("[ogg]\nquality=222\n"); // another size, so the change shows even within one tick
    EXPECT_EQ(settings.ReadInteger("ogg", "quality", 0), 222);
    QFile::remove(path);
    EXPECT_EQ(settings.ReadInteger("ogg", "quality", 9), 9);
}

TEST_F(SettingsFileTest, RefusedWriteThrowsAndLeavesTheFileUnchanged) {
    // A directory where the file should be: no write can succeed, even as root.
    QDir().mkpath(path);
    SettingsFile blocked(path);
    try {
        blocked.WriteInteger("ogg", "quality", 5);
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), "Unable to write to Varn.ini");
    }

    // A regular file where the folder should be.
    const QString parentIsFile = dir.filePath("plain");
    QFile f(parentIsFile);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    SettingsFile nowhere(parentIsFile + "/Varn.ini");
    EXPECT_THROW(nowhere.WriteString("info", "title", "t"), AppError);
    EXPECT_EQ(nowhere.ReadString("info", "title", "d"), "d");
}

TEST_F(SettingsFileTest, TimesAndDatesRoundTripInTheLocaleFormats) {
    SettingsFile settings(path);
    settings.WriteTime("Time", "Time", QTime(14, 5, 0));
    settings.WriteDate("autorec", "date", QDate(2006, 5, 19));
    EXPECT_EQ(settings.ReadTime("Time", "Time", QTime(1, 1, 1)), QTime(14, 5, 0));
    EXPECT_EQ(settings.ReadDate("autorec", "date", QDate(2000, 1, 1)), QDate(2006, 5, 19));
    EXPECT_EQ(settings.ReadString("Time", "Time", ""), "14:05:00");

    settings.WriteString("Time", "Time", "not a time");
    settings.WriteString("autorec", "date", "");
    EXPECT_EQ(settings.ReadTime("Time", "Time", QTime(1, 2, 3)), QTime(1, 2, 3));
    EXPECT_EQ(settings.ReadDate("autorec", "date", QDate(2001, 2, 3)), QDate(2001, 2, 3));
}

TEST(ValueTables, PositionsInsideGiveTheValueOutsideTheDefaultPosition) {
    EXPECT_EQ(TableValue(FrequencyTable, 8, 8), 44100);
    EXPECT_EQ(TableValue(BitrateTable, 11, 11), 128);
    EXPECT_EQ(TableValue(NominalBitrateTable, 4, 4), 256);
    EXPECT_EQ(TableValue(SampleBitsTable, 5, 5), 16);
    EXPECT_EQ(TableValue(FrequencyTable, 0, 8), 6000);
    EXPECT_EQ(TableValue(FrequencyTable, 10, 8), 44100);
    EXPECT_EQ(TableValue(FrequencyTable, -1, 8), 44100);
    EXPECT_EQ(TableValue(BitrateTable, 17, 11), 128);
    EXPECT_EQ(TableValue(NominalBitrateTable, 6, 4), 256);
    EXPECT_EQ(TableValue(NominalBitrateTable, 11, 4), 256);
    EXPECT_EQ(ChannelName(0, 1), "Mono");
    EXPECT_EQ(ChannelName(1, 1), "Stereo");
    EXPECT_EQ(ChannelName(2, 1), "Stereo");
}

TEST(SettingsFilePath, FollowsXdgConfigHome) {
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/tmp/cfg-x");
    EXPECT_EQ(SettingsFile::DefaultPath(), "/tmp/cfg-x/varnelo/Varn.ini");
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(SettingsFile::DefaultPath(), QDir::homePath() + "/.config/varnelo/Varn.ini");
    qputenv("XDG_CONFIG_HOME", saved);
}

} // namespace
