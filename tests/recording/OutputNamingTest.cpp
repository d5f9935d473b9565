#include "audio/OutputNaming.h"

#include "platform/core/AppError.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace varnelo {
namespace {

const QDateTime kStamp(QDate(2006, 5, 19), QTime(0, 8, 4));

struct NamingCase {
    const char* label;
    const char* dir;
    const char* mainName;
    bool custom;
    int format;
    const char* path;
    const char* shown;
};

class OutputNamingTable : public ::testing::TestWithParam<NamingCase> {};

TEST_P(OutputNamingTable, BuildsPathAndShownName) {
    const NamingCase& c = GetParam();
    const OutputNameSettings names{QString::fromUtf8(c.dir), QString::fromUtf8(c.mainName),
                                   c.custom, c.format};
    const QString path = BuildOutputPath(names, kStamp);
    EXPECT_EQ(path, QString::fromUtf8(c.path));
    EXPECT_EQ(ShownName(path, names.mainName), QString::fromUtf8(c.shown));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OutputNamingTable,
    ::testing::Values(
        NamingCase{"CustomOgg", "/home/u/Ro Dezirevu", "ZEV", true, 0,
                   "/home/u/Ro Dezirevu/ZEV.OGG", "ZEV.OGG"},
        NamingCase{"DateTimeOgg", "/home/u/Ro Dezirevu", "ZEV", false, 0,
                   "/home/u/Ro Dezirevu/ZEV-19-05-2006--00;08;04.OGG",
                   "ZEV-19-05-2006--00;08;04.OGG"},
        NamingCase{"CustomRaw", "/rec", "take", true, 4, "/rec/take.raw", "take.raw"},
        NamingCase{"DateTimeRawHasNoDash", "/rec", "take", false, 4,
                   "/rec/take19-05-2006--00;08;04.raw", "take19-05-2006--00;08;04.raw"},
        // An empty main name: the shown name starts at the first "-", else the whole path.
        NamingCase{"EmptyNameCustom", "/rec", "", true, 0, "/rec/.OGG", "/rec/.OGG"},
        NamingCase{"EmptyNameDashInDir", "/my-rec", "", true, 0, "/my-rec/.OGG", "-rec/.OGG"},
        NamingCase{"EmptyNameDateTime", "/rec", "", false, 0, "/rec/-19-05-2006--00;08;04.OGG",
                   "-19-05-2006--00;08;04.OGG"},
        // The directory is used as stored: a trailing separator gives two.
        NamingCase{"TrailingSeparator", "/rec/", "ZEV", true, 0, "/rec//ZEV.OGG", "ZEV.OGG"},
        // The shown name starts at the first occurrence of the main name.
        NamingCase{"NameInDirectory", "/data/ZEVS", "ZEV", true, 0, "/data/ZEVS/ZEV.OGG",
                   "ZEVS/ZEV.OGG"},
        // Formats other than OGG and RAW record as OGG.
        NamingCase{"OtherFormatIsOgg", "/rec", "ZEV", true, 2, "/rec/ZEV.OGG", "ZEV.OGG"},
        NamingCase{"NegativeFormatIsOgg", "/rec", "ZEV", false, -1,
                   "/rec/ZEV-19-05-2006--00;08;04.OGG", "ZEV-19-05-2006--00;08;04.OGG"}),
    [](const ::testing::TestParamInfo<NamingCase>& info) { return info.param.label; });

TEST(OutputNaming, StampHasTwoDigitFieldsAndTwentyFourHours) {
    EXPECT_EQ(DateTimeStamp(QDateTime(QDate(2024, 1, 2), QTime(23, 5, 9))),
              QStringLiteral("02-01-2024--23;05;09"));
}

TEST(OutputNaming, ReadsTheOutputKeysWithTheirDefaults) {
    QTemporaryDir dir;
    SettingsFile settings(dir.filePath("Varn.ini"));
    OutputNameSettings names = ReadOutputNameSettings(settings);
    EXPECT_EQ(names.dir, QDir::homePath() + "/Ro Dezirevu");
    EXPECT_EQ(names.mainName, "ZEV");
    EXPECT_TRUE(names.custom);
    EXPECT_EQ(names.format, OutputFormatOgg);

    settings.WriteString("output", "dir", "/x");
    settings.WriteString("output", "out_name", "");
    settings.WriteBool("output", "rb_cust", false);
    settings.WriteInteger("output", "format", 4);
    names = ReadOutputNameSettings(settings);
    EXPECT_EQ(names.dir, "/x");
    EXPECT_EQ(names.mainName, "");
    EXPECT_FALSE(names.custom);
    EXPECT_EQ(names.format, OutputFormatRaw);

    settings.WriteInteger("output", "format", 3);
    EXPECT_EQ(ReadOutputNameSettings(settings).format, OutputFormatOgg);
}

// A roll-over never reuses a name of the same run: "-2", "-3"... before the extension.
TEST(OutputNameRun, NumbersRepeatedNamesBeforeTheExtension) {
    OutputNameRun run;
    run.Begin();
    EXPECT_EQ(run.Claim("/rec/ZEV.OGG"), "/rec/ZEV.OGG");
    EXPECT_EQ(run.Claim("/rec/ZEV.OGG"), "/rec/ZEV-2.OGG");
    EXPECT_EQ(run.Claim("/rec/ZEV.OGG"), "/rec/ZEV-3.OGG");
    EXPECT_EQ(run.Claim("/rec/ZEV-19-05-2006--00;08;04.OGG"), "/rec/ZEV-19-05-2006--00;08;04.OGG");
    EXPECT_EQ(run.Claim("/rec/ZEV-19-05-2006--00;08;04.OGG"),
              "/rec/ZEV-19-05-2006--00;08;04-2.OGG");
    // A dot in the directory is not an extension.
    EXPECT_EQ(run.Claim("/rec.d/noext"), "/rec.d/noext");
    EXPECT_EQ(run.Claim("/rec.d/noext"), "/rec.d/noext-2");
    // A name the rule itself produced later is still kept apart.
    EXPECT_EQ(run.Claim("/rec/ZEV-2.OGG"), "/rec/ZEV-2-2.OGG");

    // A fresh recording starts a new run (custom mode overwrites, as intended).
    run.Begin();
    EXPECT_EQ(run.Claim("/rec/ZEV.OGG"), "/rec/ZEV.OGG");
}

TEST(OutputDirectory, IsCreatedWithMissingLevels) {
    QTemporaryDir dir;
    const QString target = dir.filePath("a/b/Ro Dezirevu");
    EnsureOutputDirectory(target);
    EXPECT_TRUE(QFileInfo(target).isDir());
    EnsureOutputDirectory(target); // already there: nothing happens
}

TEST(OutputDirectory, ThatCannotBeCreatedNamesItInTheError) {
    QTemporaryDir dir;
    // A file stands where a directory level would have to be.
    QFile blocker(dir.filePath("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString target = dir.filePath("file/Ro Dezirevu");
    try {
        EnsureOutputDirectory(target);
        FAIL() << "no error";
    } catch (const AppError& error) {
        EXPECT_TRUE(error.message().contains(target)) << error.message().toStdString();
    }
}

} // namespace
} // namespace varnelo
