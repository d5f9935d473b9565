// The real executable on the offscreen platform and the simulated sound
// server: it comes up, a second start leaves at once, and a missing skin
// stops the show sequence with a message.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kProgram = QStringLiteral(VARNELO_BIN_DIR "/varnelo");

class ProgramProcess : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(runtime_.isValid());
        ASSERT_TRUE(config_.isValid());
        ASSERT_TRUE(home_.isValid());
    }

    // probe: "print" keeps running after the show sequence, "exit" quits.
    void Start(QProcess& process, const char* probe, const QString& program = kProgram) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("VARNELO_SOUND_SERVER", "simulated");
        env.insert("VARNELO_STARTUP_PROBE", probe);
        env.insert("XDG_RUNTIME_DIR", runtime_.path());
        env.insert("XDG_CONFIG_HOME", config_.path());
        env.insert("HOME", home_.path());
        process.setProcessEnvironment(env);
        process.start(program, {});
        ASSERT_TRUE(process.waitForStarted(10000)) << program.toStdString();
    }

    // Standard output up to and including the line `line`.
    static QByteArray ReadUntil(QProcess& process, const QByteArray& line) {
        QByteArray out;
        while (!out.contains(line + '\n')) {
            if (!process.waitForReadyRead(20000))
                break;
            out += process.readAllStandardOutput();
        }
        return out;
    }

    QTemporaryDir runtime_, config_, home_;
};

TEST_F(ProgramProcess, ComesUpWithAnEmptyConfigurationAndWritesNothing) {
    QProcess program;
    Start(program, "exit");
    const QByteArray out = ReadUntil(program, "ready");
    EXPECT_EQ(out, "ready\n");
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    // Reading the settings creates nothing; nothing is saved at the end.
    EXPECT_FALSE(QDir(config_.path()).exists("varnelo"));
}

TEST_F(ProgramProcess, ASecondStartLeavesAtOnceWhileTheFirstRuns) {
    QProcess first;
    Start(first, "print");
    ASSERT_EQ(ReadUntil(first, "ready"), "ready\n");

    QProcess second;
    Start(second, "exit");
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardOutput().isEmpty()); // no window, no show sequence
    EXPECT_EQ(first.state(), QProcess::Running);

    // A lock left behind by a process that died does not block the next start.
    first.kill();
    ASSERT_TRUE(first.waitForFinished(20000));
    QProcess third;
    Start(third, "exit");
    EXPECT_EQ(ReadUntil(third, "ready"), "ready\n");
    ASSERT_TRUE(third.waitForFinished(20000));
    EXPECT_EQ(third.exitCode(), 0);
}

TEST_F(ProgramProcess, AMissingSkinStopsTheShowSequenceWithItsMessage) {
    // The executable alone, without du3vor.dll beside it.
    QTemporaryDir bin;
    ASSERT_TRUE(bin.isValid());
    const QString copy = bin.filePath("varnelo");
    ASSERT_TRUE(QFile::copy(kProgram, copy));
    QProcess program;
    Start(program, "exit", copy);
    const QByteArray out = ReadUntil(program, "stopped");
    EXPECT_TRUE(out.startsWith("info: ")) << out.toStdString();
    EXPECT_TRUE(out.contains(QDir(bin.path()).filePath("du3vor.dll").toUtf8()))
        << out.toStdString();
    EXPECT_TRUE(out.endsWith("stopped\n")) << out.toStdString();
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitCode(), 0);
}

} // namespace
