#include "SimEngineRig.h"

#include "platform/audio/factory/AudioComponents.h"
#include "platform/core/AppError.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <csignal>
#include <sys/resource.h>

namespace varnelo::testing {
namespace {

using RecordingEngine = SimEngineRig;

TEST_F(RecordingEngine, RecordsIntoTheNamedFileAndFinishesIt) {
    engine.StartRecording();
    EXPECT_EQ(host.settingsSaved, 1); // the settings dialog's values are stored first
    EXPECT_TRUE(state.RecordingActive);
    EXPECT_TRUE(state.RecordingNotPaused);
    EXPECT_EQ(state.CurrentFileName, Out("ZEV.OGG"));
    EXPECT_EQ(display.s_filename.text, "File Name: ZEV.OGG");
    EXPECT_EQ(display.s_mono.text, "File Info: Stereo 300Q 44100HZ");
    EXPECT_EQ(state.BlockSamples, 8820); // 200 ms at 44100 Hz
    EXPECT_TRUE(visual.IsVisible());

    Run(1500);
    EXPECT_EQ(display.s_time.text, "Time: 00:00:01");
    EXPECT_EQ(state.SampleTotal, 1500 * 44100 / 1000);
    const qint64 kb = QFileInfo(Out("ZEV.OGG")).size() / 1024;
    EXPECT_EQ(display.s_sizeson.text, QStringLiteral("File Size: %1 KB").arg(kb));
    EXPECT_TRUE(display.s_sizeson.texts.size() >= 7); // once per 200 ms block

    engine.StopRecording();
    EXPECT_TRUE(RecordingIdle());
    EXPECT_FALSE(state.AddRecordingToList);
    EXPECT_EQ(host.listed, QStringList{Out("ZEV.OGG")});
    EXPECT_EQ(host.tagged, QStringList{Out("ZEV.OGG")});
    EXPECT_TRUE(display.AllTextsEmpty());
    EXPECT_FALSE(visual.IsVisible());
    EXPECT_FALSE(display.play_bar.enabled);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();

    const DecodedTone tone = DecodeTone(checker, Out("ZEV.OGG"));
    EXPECT_EQ(tone.sampleRate, 44100);
    EXPECT_NEAR(tone.frames, 1400 * 44100 / 1000, 44100 / 10); // the whole 200 ms blocks
    EXPECT_NEAR(tone.frequency, 1000, 5);
}

TEST_F(RecordingEngine, DateAndTimeNamingShowsTheStampedName) {
    settings.WriteBool("output", "rb_cust", false);
    engine.StartRecording();
    const QString shown = display.s_filename.text;
    EXPECT_TRUE(QRegularExpression(R"(^File Name: ZEV-\d\d-\d\d-\d{4}--\d\d;\d\d;\d\d\.OGG$)")
                    .match(shown)
                    .hasMatch())
        << shown.toStdString();
    EXPECT_EQ(Out(shown.mid(QStringLiteral("File Name: ").size())), state.CurrentFileName);
    engine.StopRecording();
    EXPECT_TRUE(QFileInfo::exists(state.CurrentFileName));
}

TEST_F(RecordingEngine, RawFormatWritesHeaderlessPcm) {
    settings.WriteInteger("output", "format", 4);
    engine.StartRecording();
    EXPECT_EQ(display.s_mono.text, "File Info: Stereo 16B 44100HZ");
    Run(1000);
    engine.StopRecording();
    // 16-bit stereo: 4 bytes per sample position, whole blocks only
    EXPECT_EQ(QFileInfo(Out("ZEV.raw")).size(), 5 * 8820 * 4);
}

TEST_F(RecordingEngine, StartWhileRecordingChangesNothing) {
    engine.StartRecording();
    Run(500);
    const QString file = state.CurrentFileName;
    const int64_t total = state.SampleTotal;
    engine.StartRecording();
    EXPECT_EQ(state.CurrentFileName, file);
    EXPECT_EQ(state.SampleTotal, total);
    EXPECT_TRUE(state.RecordingActive);
    EXPECT_EQ(host.settingsSaved, 1);
    EXPECT_TRUE(host.listed.isEmpty());
}

// Paused time is not counted; a resume continues the time and the same file.
TEST_F(RecordingEngine, PauseAndResumeKeepTheTimeAndTheFile) {
    engine.StartRecording();
    Run(1200);
    engine.PauseResumeRecording();
    EXPECT_FALSE(state.RecordingNotPaused);
    EXPECT_TRUE(state.RecordingActive);
    EXPECT_EQ(state.SampleBase, 1200 * 441 / 10);
    Run(3000); // nothing is captured while paused
    EXPECT_EQ(display.s_time.text, "Time: 00:00:01");

    engine.StartRecording(); // "vavudizu" while paused resumes
    EXPECT_TRUE(state.RecordingNotPaused);
    EXPECT_EQ(host.settingsSaved, 1); // a resume does not store the settings again
    Run(900);
    EXPECT_EQ(display.s_time.text, "Time: 00:00:02");
    EXPECT_EQ(state.SampleTotal, 2100 * 441 / 10);
    engine.PauseResumeRecording();
    engine.PauseResumeRecording(); // the pause command resumes too
    Run(1000);
    EXPECT_EQ(display.s_time.text, "Time: 00:00:03");
    engine.StopRecording();

    EXPECT_EQ(OutFiles(), QStringList{"ZEV.OGG"});
    const DecodedTone tone = DecodeTone(checker, Out("ZEV.OGG"));
    EXPECT_NEAR(tone.frames, 3100 * 44100 / 1000, 44100 / 5);
    EXPECT_NEAR(tone.frequency, 1000, 5);
}

TEST_F(RecordingEngine, StopWhilePausedListsTheFile) {
    engine.StartRecording();
    Run(600);
    engine.PauseResumeRecording();
    engine.StopRecording();
    EXPECT_TRUE(RecordingIdle());
    EXPECT_EQ(host.listed, QStringList{Out("ZEV.OGG")});
}

struct LimitCase {
    const char* label;
    const char* limit;
    bool stop;
    bool newFile;
    bool recordingAfter; // still recording after 5 s
    const char* listed;  // files finished, comma-separated
    double partSeconds;  // length of each finished part
    const char* running; // shown name and time of the running part
    const char* time;
};

void PrintTo(const LimitCase& c, std::ostream* os) {
    *os << c.label;
}

class RecordingLengthLimit : public SimEngineRig,
                             public ::testing::WithParamInterface<LimitCase> {};

TEST_P(RecordingLengthLimit, CutsEachFileAtTheLimit) {
    const LimitCase& c = GetParam();
    settings.WriteBool("file", "enlength", true);
    settings.WriteBool("file", "rbtime", true);
    settings.WriteString("file", "timet", c.limit);
    settings.WriteBool("file", "limit_s", c.stop);
    settings.WriteBool("file", "limit_n", c.newFile);

    engine.StartRecording();
    Run(5000);
    EXPECT_EQ(state.RecordingActive, c.recordingAfter);
    QStringList expected;
    for (const QString& name : QString::fromUtf8(c.listed).split(',', Qt::SkipEmptyParts))
        expected << Out(name);
    EXPECT_EQ(host.listed, expected);
    EXPECT_EQ(host.tagged, expected); // every finished part is tagged
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
    for (const QString& path : expected) {
        EXPECT_TRUE(QFileInfo::exists(path));
        if (c.partSeconds == 0)
            continue; // cut before its first block
        const DecodedTone tone = DecodeTone(checker, path);
        EXPECT_NEAR(static_cast<double>(tone.frames) / 44100, c.partSeconds, 0.05)
            << path.toStdString();
    }
    if (c.recordingAfter) {
        // The running part started at 00:00:00 and has its own time.
        EXPECT_EQ(display.s_time.text, QString::fromUtf8(c.time));
        EXPECT_EQ(display.s_filename.text, QString::fromUtf8(c.running));
        engine.StopRecording();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecordingLengthLimit,
    ::testing::Values(LimitCase{"Stop", "2", true, false, false, "ZEV.OGG", 2.0, "", ""},
                      // A roll-over never overwrites an earlier part of the same recording.
                      LimitCase{"NewFile", "2", false, true, true, "ZEV.OGG,ZEV-2.OGG", 2.0,
                                "File Name: ZEV-3.OGG", "Time: 00:00:01"},
                      LimitCase{"StopAndNewFile", "2", true, true, true, "ZEV.OGG,ZEV-2.OGG", 2.0,
                                "File Name: ZEV-3.OGG", "Time: 00:00:01"},
                      LimitCase{"NeitherAction", "2", false, false, true, "", 0,
                                "File Name: ZEV.OGG", "Time: 00:00:05"},
                      LimitCase{"ZeroStopsAtOnce", "0", true, false, false, "ZEV.OGG", 0.0, "", ""},
                      // A zero limit would cut every new part at once: the recording ends instead.
                      LimitCase{"ZeroWithNewFileStops", "0", false, true, false, "ZEV.OGG", 0.0, "",
                                ""},
                      // A limit that is no number is ignored instead of failing at every event.
                      LimitCase{"NotANumberIsIgnored", "two", true, true, true, "", 0,
                                "File Name: ZEV.OGG", "Time: 00:00:05"}),
    [](const ::testing::TestParamInfo<LimitCase>& info) { return info.param.label; });

TEST_F(RecordingEngine, LimitIsReadAtEveryTimerEvent) {
    settings.WriteBool("file", "enlength", true);
    settings.WriteBool("file", "rbtime", true);
    settings.WriteBool("file", "limit_s", true);
    settings.WriteString("file", "timet", "60");
    engine.StartRecording();
    Run(2000);
    EXPECT_TRUE(state.RecordingActive);
    settings.WriteString("file", "timet", "1");
    Run(200);
    EXPECT_TRUE(RecordingIdle());
    EXPECT_EQ(host.listed, QStringList{Out("ZEV.OGG")});
}

TEST_F(RecordingEngine, DateAndTimeRollOverWithinOneSecondGetsANumber) {
    settings.WriteBool("output", "rb_cust", false);
    settings.WriteBool("file", "enlength", true);
    settings.WriteBool("file", "rbtime", true);
    settings.WriteBool("file", "limit_n", true);
    settings.WriteString("file", "timet", "1");
    engine.StartRecording();
    Run(2050); // two roll-overs within far less than a real second
    ASSERT_EQ(host.listed.size(), 2);
    EXPECT_NE(host.listed[0], host.listed[1]);
    EXPECT_NE(host.listed[1], state.CurrentFileName);
    engine.StopRecording();
    EXPECT_EQ(OutFiles().size(), 3);
}

TEST_F(RecordingEngine, RefusedWhilePlaying) {
    state.PlaybackActive = true;
    engine.StartRecording();
    EXPECT_EQ(boxes.texts, QStringList{"Please stop playing first."});
    EXPECT_TRUE(RecordingIdle());
    EXPECT_TRUE(OutFiles().isEmpty());
    EXPECT_TRUE(display.s_filename.texts.isEmpty());
}

TEST_F(RecordingEngine, NothingDuringAJoin) {
    state.JoinActive = true;
    engine.StartRecording();
    EXPECT_EQ(host.settingsSaved, 0);
    EXPECT_TRUE(RecordingIdle());
    state.JoinActive = false;
    engine.StartRecording();
    state.JoinActive = true;
    engine.StopRecording();
    EXPECT_TRUE(state.RecordingActive);
    state.JoinActive = false;
    engine.StopRecording();
    EXPECT_TRUE(RecordingIdle());
}

TEST_F(RecordingEngine, OggCombinationRejectedInBitrateModeCreatesNoFile) {
    settings.WriteBool("ogg", "enable quality", false);
    settings.WriteInteger("ogg", "frequency", 0);    // 6000 Hz
    settings.WriteInteger("ogg", "min bitrate", 16); // 320 kbps
    settings.WriteInteger("ogg", "max bitrate", 16);
    engine.StartRecording();
    EXPECT_EQ(boxes.texts, QStringList{"This OGG format is not supported."});
    EXPECT_TRUE(RecordingIdle());
    EXPECT_TRUE(OutFiles().isEmpty());
    EXPECT_FALSE(AudioFileWrite.IsOpen());
    EXPECT_TRUE(display.s_mono.texts.isEmpty());
}

TEST_F(RecordingEngine, OggCombinationAcceptedInBitrateMode) {
    settings.WriteBool("ogg", "enable quality", false);
    engine.StartRecording();
    EXPECT_TRUE(boxes.texts.isEmpty());
    EXPECT_EQ(display.s_mono.text, "File Info: Stereo 128K 44100HZ");
    Run(1000);
    engine.StopRecording();
    EXPECT_NEAR(DecodeTone(checker, Out("ZEV.OGG")).frequency, 1000, 5);
}

TEST_F(RecordingEngine, OutputDirectoryThatCannotBeCreated) {
    QFile blocker(dir.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    settings.WriteString("output", "dir", dir.filePath("blocker/out"));
    Handle([&] { engine.StartRecording(); });
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(dir.filePath("blocker/out"))) << errors[0].toStdString();
    EXPECT_TRUE(RecordingIdle());
    EXPECT_TRUE(host.listed.isEmpty());
}

// Stopping resets state and display whatever fails, and the error still reaches the handler.
TEST_F(RecordingEngine, StopResetsEverythingWhenTaggingFails) {
    host.onWriteTags = [](const QString& path) {
        throw AppError(QStringLiteral("Cannot write tags to %1").arg(path));
    };
    engine.StartRecording();
    Run(400);
    Handle([&] { engine.StopRecording(); });
    EXPECT_EQ(errors, QStringList{"Cannot write tags to " + Out("ZEV.OGG")});
    EXPECT_TRUE(RecordingIdle());
    EXPECT_FALSE(state.AddRecordingToList);
    EXPECT_TRUE(display.AllTextsEmpty());
    EXPECT_FALSE(visual.IsVisible());
    EXPECT_FALSE(AudioFileWrite.IsOpen());
    // The next recording starts normally.
    host.onWriteTags = nullptr;
    engine.StartRecording();
    EXPECT_TRUE(state.RecordingActive);
    engine.StopRecording();
}

// While the main window is dragged the time and size are not shown.
TEST_F(RecordingEngine, NoDisplayUpdatesWhileDragging) {
    engine.StartRecording();
    state.MainDragIdle = false;
    Run(1000);
    EXPECT_TRUE(display.s_time.texts.isEmpty());
    EXPECT_TRUE(display.s_sizeson.texts.isEmpty());
    state.MainDragIdle = true;
    Run(100);
    EXPECT_EQ(display.s_time.text, "Time: 00:00:01");
    engine.StopRecording();
}

// Closing the window finishes a recording: its file is closed, listed and tagged.
TEST_F(RecordingEngine, FinishAtCloseFinishesTheFileAndIsHarmlessWhenIdle) {
    engine.FinishAtClose(); // idle: nothing happens
    EXPECT_TRUE(host.listed.isEmpty());
    engine.StartRecording();
    Run(1000);
    engine.PauseResumeRecording();
    engine.FinishAtClose();
    EXPECT_TRUE(RecordingIdle());
    EXPECT_EQ(host.listed, QStringList{Out("ZEV.OGG")});
    EXPECT_NEAR(DecodeTone(checker, Out("ZEV.OGG")).frequency, 1000, 5);
}

// A disk that fills up: the write fails, the handler stops the recording and the
// file stays readable up to the failure.
// The error box is modal and the capture goes on while it is open: the
// recording must end at the first failed block, not fail again at every
// following one and stack a box for each.
TEST_F(RecordingEngine, DiskFullStopsTheRecordingAndKeepsTheFile) {
    RouteComponentEventsThroughErrorHandler(engine, state, recorder, player, errors,
                                            HandlerBox::StaysOpen);
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN); // a failed write, not a signal
    struct rlimit small = saved;
    small.rlim_cur = 24 * 1024; // no file may grow beyond 24 KB
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);

    engine.StartRecording();
    Run(10000);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(Out("ZEV.OGG"))) << errors[0].toStdString();
    EXPECT_TRUE(RecordingIdle());
    EXPECT_TRUE(display.AllTextsEmpty());
    EXPECT_EQ(host.listed, QStringList{Out("ZEV.OGG")});
    const DecodedTone tone = DecodeTone(checker, Out("ZEV.OGG"));
    EXPECT_GT(tone.frames, 44100 / 2);
    EXPECT_NEAR(tone.frequency, 1000, 5);
}

} // namespace
} // namespace varnelo::testing

namespace varnelo::testing {
namespace {
// A recorder whose capture does not start (here: no sound server at all) ends
// the recording at once; the reason reaches the handler.
TEST_F(RecordingEngine, RecorderThatDoesNotStartEndsTheRecording) {
    qunsetenv("VARNELO_SOUND_SERVER");
    const std::unique_ptr<IAudioRecord2> noServer = CreateAudioRecord();
    AudioEngine other{state,  settings, *noServer,       AudioFileWrite, AudioFilepaly,
                      player, visual,   display.objects, playlist,       host};
    RunHandler(other, state, errors, [&] { other.StartRecording(); });
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("sound server")) << errors[0].toStdString();
    EXPECT_TRUE(RecordingIdle());
    EXPECT_FALSE(AudioFileWrite.IsOpen());
    // The (empty) file is still listed and tagged, as every ended recording is.
    EXPECT_EQ(host.listed, QStringList{Out("ZEV.OGG")});
    EXPECT_EQ(host.tagged, QStringList{Out("ZEV.OGG")});
    EXPECT_TRUE(display.AllTextsEmpty());
    EXPECT_FALSE(visual.IsVisible());
}

// The sound server ends the capture on its own: the file is finished and the reason shown.
TEST_F(RecordingEngine, CaptureEndedByTheServerFinishesTheFile) {
    engine.StartRecording();
    Run(1000);
    emit recorder.OnError(QStringLiteral("The recording source was removed."));
    EXPECT_TRUE(RecordingIdle());
    EXPECT_EQ(boxes.texts, QStringList{"The recording source was removed."});
    EXPECT_EQ(host.listed, QStringList{Out("ZEV.OGG")});
    EXPECT_TRUE(display.AllTextsEmpty());
    EXPECT_NEAR(DecodeTone(checker, Out("ZEV.OGG")).frequency, 1000, 5);
    emit recorder.OnError(QStringLiteral("late")); // after the stop: nothing
    EXPECT_EQ(boxes.texts.size(), 1);
}

// The measuring helper itself, on a tone of known frequency and length.
TEST_F(RecordingEngine, ToneMeasureReadsAKnownTone) {
    MakeToneOgg(AudioFileWrite, dir.filePath("tone.ogg"), 1.5, 1000);
    const DecodedTone tone = DecodeTone(checker, dir.filePath("tone.ogg"));
    EXPECT_EQ(tone.frames, 66150);
    EXPECT_NEAR(tone.frequency, 1000, 5);
    EXPECT_NEAR(tone.peak, 0.5, 0.05);
}
} // namespace
} // namespace varnelo::testing
