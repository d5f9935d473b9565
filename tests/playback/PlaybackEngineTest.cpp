#include "../recording/SimEngineRig.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace varnelo::testing {
namespace {

class PlaybackEngine : public SimEngineRig {
protected:
    void SetUp() override {
        SimEngineRig::SetUp();
        first = dir.filePath("first.ogg");
        last = dir.filePath("last.ogg");
        MakeToneOgg(AudioFileWrite, first, 1.0, 440);
        MakeTone(last, 3.0);
        playlist.paths = {first, last};
    }
    // A stereo 44100 Hz tone in bitrate mode at 128 kbps.
    void MakeTone(const QString& path, double seconds) {
        AudioFileWrite.SetOggParams(44100, 2, 128, 128, 128, 0);
        AudioFileWrite.SetInputFormat(44100, 2);
        AudioFileWrite.CreateNewFile(path, 0);
        SampleArray block;
        block.samples.assign(static_cast<size_t>(seconds * 44100) * 2, 0.0f);
        for (size_t i = 0; i < block.samples.size(); i += 2)
            block.samples[i] = block.samples[i + 1] = (i / 2 % 100 < 50) ? 0.25f : -0.25f;
        AudioFileWrite.WriteArray(block);
        AudioFileWrite.CloseFile();
    }
    int64_t LastLength() {
        TAudioFile2 reader;
        reader.OpenFile(last);
        return reader.Length();
    }
    int64_t Heard() const { return static_cast<int64_t>(player.heard().size()) / 2; }
    bool PlaybackIdle() const { return !state.PlaybackActive && state.PlaybackNotPaused; }

    QString first, last;
};

TEST_F(PlaybackEngine, WithoutSelectionPlaysTheLastEntry) {
    engine.StartPlayback();
    EXPECT_EQ(playlist.selected, 1);
    EXPECT_TRUE(state.PlaybackActive);
    EXPECT_TRUE(state.PlaybackNotPaused);
    EXPECT_EQ(display.s_filename.text, "File Name: last.ogg");
    EXPECT_EQ(display.s_time.text, "Time: .ogg"); // until the first timer event
    EXPECT_EQ(display.s_mono.text, "File Info: Stereo 128K 44100HZ");
    EXPECT_EQ(display.s_sizeson.text,
              QStringLiteral("File Size: %1 KB").arg(QFileInfo(last).size() / 1024));
    EXPECT_EQ(state.BlockSamples, 4100);
    EXPECT_TRUE(display.play_bar.enabled);
    EXPECT_TRUE(visual.IsVisible());

    Run(1000);
    EXPECT_EQ(display.s_time.text, "Time: 00:00:01");
    EXPECT_EQ(state.SampleTotal, 44100);
    EXPECT_EQ(Heard(), 44100);
    EXPECT_EQ(display.play_bar.position, PlayBarPosition(44100, LastLength()));
    EXPECT_GT(display.play_bar.position, 300);
    EXPECT_EQ(display.s_sizeson.texts.size(), 1); // the size is not updated afterwards
    engine.StopPlayback();
}

TEST_F(PlaybackEngine, SelectedEntryIsPlayed) {
    playlist.selected = 0;
    engine.StartPlayback();
    EXPECT_EQ(display.s_filename.text, "File Name: first.ogg");
    engine.StopPlayback();
}

TEST_F(PlaybackEngine, EmptyListDoesNothing) {
    playlist.paths.clear();
    engine.StartPlayback();
    EXPECT_TRUE(PlaybackIdle());
    EXPECT_TRUE(display.s_filename.texts.isEmpty());
    EXPECT_TRUE(boxes.texts.isEmpty());
}

TEST_F(PlaybackEngine, PlaysToTheEndAndReturnsToIdle) {
    engine.StartPlayback();
    Run(3500);
    EXPECT_TRUE(PlaybackIdle());
    EXPECT_EQ(Heard(), LastLength());
    EXPECT_TRUE(display.AllTextsEmpty());
    EXPECT_FALSE(display.play_bar.enabled);
    EXPECT_FALSE(visual.IsVisible());
    EXPECT_FALSE(AudioFilepaly.IsOpen());
    EXPECT_EQ(state.SampleBase, 0);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
}

struct SeekCase {
    int bar;
    bool ends;
};

void PrintTo(const SeekCase& c, std::ostream* os) {
    *os << "bar " << c.bar;
}

class PlaybackSeek : public PlaybackEngine, public ::testing::WithParamInterface<SeekCase> {};

TEST_P(PlaybackSeek, ReleaseOnThePlayBar) {
    const SeekCase c = GetParam();
    engine.StartPlayback();
    Run(500);
    state.PlayBarTracking = false; // the bar is held
    display.play_bar.SetPosition(c.bar);
    engine.SeekPlayback();
    EXPECT_TRUE(state.PlayBarTracking);
    if (c.ends) {
        EXPECT_TRUE(PlaybackIdle());
        EXPECT_TRUE(display.AllTextsEmpty());
        EXPECT_FALSE(display.play_bar.enabled);
        EXPECT_EQ(display.play_bar.position, c.bar); // the bar keeps its last position
        return;
    }
    const int64_t length = LastLength();
    const int64_t target = SeekTarget(c.bar, length);
    EXPECT_EQ(state.SampleBase, target);
    const int64_t heardBefore = Heard();
    Run(100);
    if (target + 4410 <= length) {
        EXPECT_TRUE(state.PlaybackActive);
        EXPECT_EQ(state.SampleTotal, target + 4410);
        EXPECT_EQ(Heard() - heardBefore, 4410);
        EXPECT_EQ(display.play_bar.position, PlayBarPosition(target + 4410, length));
    }
    Run(4000);
    EXPECT_TRUE(PlaybackIdle());
    // Only what lies after the target is heard after the seek.
    EXPECT_EQ(Heard() - heardBefore, length - target);
}

INSTANTIATE_TEST_SUITE_P(Bars, PlaybackSeek,
                         ::testing::Values(SeekCase{0, false}, SeekCase{490, false},
                                           SeekCase{978, false}, SeekCase{979, true},
                                           SeekCase{980, true}),
                         [](const ::testing::TestParamInfo<SeekCase>& info) {
                             return std::to_string(info.param.bar);
                         });

TEST_F(PlaybackEngine, HeldBarAndDraggedWindowStopTheDisplay) {
    engine.StartPlayback();
    Run(500);
    const int bar = display.play_bar.position;
    state.PlayBarTracking = false;
    Run(500);
    EXPECT_EQ(display.play_bar.position, bar);
    EXPECT_EQ(display.s_time.text, "Time: 00:00:01");

    state.PlayBarTracking = true;
    state.MainDragIdle = false;
    const int timeUpdates = display.s_time.texts.size();
    Run(1000);
    EXPECT_EQ(display.s_time.texts.size(), timeUpdates);
    EXPECT_EQ(display.play_bar.position, bar);
    EXPECT_EQ(state.SampleTotal, 2 * 44100); // the position is still followed
    state.MainDragIdle = true;
    Run(100);
    EXPECT_EQ(display.s_time.text, "Time: 00:00:02");
    EXPECT_EQ(display.play_bar.position, PlayBarPosition(2 * 44100 + 4410, LastLength()));
    engine.StopPlayback();
}

// Pause, seek while paused (the output runs again), pause (only clears the
// paused flag), pause (pauses).
TEST_F(PlaybackEngine, PauseSeekPauseSequence) {
    engine.StartPlayback();
    Run(1000);
    engine.PauseResumePlayback();
    EXPECT_FALSE(state.PlaybackNotPaused);
    EXPECT_EQ(state.SampleBase, 44100);
    int64_t heard = Heard();
    Run(1000);
    EXPECT_EQ(Heard(), heard);
    EXPECT_EQ(display.s_time.text, "Time: 00:00:01");

    display.play_bar.SetPosition(490);
    engine.SeekPlayback();
    const int64_t target = SeekTarget(490, LastLength());
    Run(500);
    EXPECT_EQ(Heard() - heard, 22050); // the sound runs again
    EXPECT_FALSE(state.PlaybackNotPaused);
    EXPECT_TRUE(state.PlaybackActive);
    EXPECT_EQ(state.SampleTotal, target + 22050);

    engine.PauseResumePlayback();
    EXPECT_TRUE(state.PlaybackNotPaused);
    heard = Heard();
    Run(200);
    EXPECT_EQ(Heard() - heard, 8820); // still running

    engine.PauseResumePlayback();
    EXPECT_FALSE(state.PlaybackNotPaused);
    heard = Heard();
    Run(500);
    EXPECT_EQ(Heard(), heard); // now paused

    engine.StartPlayback(); // "play" while paused resumes
    EXPECT_TRUE(state.PlaybackNotPaused);
    Run(300);
    EXPECT_EQ(Heard() - heard, 13230);
    EXPECT_EQ(state.SampleTotal, target + 22050 + 8820 + 13230);
    engine.StopPlayback();
}

// The player drops its queue when paused; nothing of the file is skipped on resume.
TEST_F(PlaybackEngine, PauseAndResumeSkipNothing) {
    engine.StartPlayback();
    Run(1000);
    engine.PauseResumePlayback();
    Run(700);
    engine.PauseResumePlayback();
    Run(1000);
    EXPECT_EQ(display.s_time.text, "Time: 00:00:02");
    Run(2000);
    EXPECT_TRUE(PlaybackIdle());
    EXPECT_EQ(Heard(), LastLength());
}

TEST_F(PlaybackEngine, RefusedWhileRecording) {
    engine.StartRecording();
    engine.StartPlayback();
    EXPECT_EQ(boxes.texts, QStringList{"Please stop recording first."});
    EXPECT_TRUE(PlaybackIdle());
    EXPECT_EQ(display.s_filename.text, "File Name: ZEV.OGG");
    engine.StopRecording();
}

TEST_F(PlaybackEngine, NothingDuringAJoin) {
    state.JoinActive = true;
    engine.StartPlayback();
    EXPECT_TRUE(PlaybackIdle());
    state.JoinActive = false;
    engine.StartPlayback();
    state.JoinActive = true;
    engine.StopPlayback();
    EXPECT_TRUE(state.PlaybackActive);
    state.JoinActive = false;
    engine.StopPlayback();
    EXPECT_TRUE(PlaybackIdle());
}

TEST_F(PlaybackEngine, DeletedFileReachesTheHandlerWhichStops) {
    ASSERT_TRUE(QFile::remove(last));
    Handle([&] { engine.StartPlayback(); });
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(last)) << errors[0].toStdString();
    EXPECT_TRUE(PlaybackIdle());
    EXPECT_TRUE(display.AllTextsEmpty());
    EXPECT_FALSE(display.play_bar.enabled);
    EXPECT_FALSE(visual.IsVisible());
}

TEST_F(PlaybackEngine, UnreadableFileReachesTheHandlerWhichStops) {
    QFile junk(last);
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly | QIODevice::Truncate));
    junk.write(QByteArray(5000, 'x'));
    junk.close();
    Handle([&] { engine.StartPlayback(); });
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(last)) << errors[0].toStdString();
    EXPECT_TRUE(PlaybackIdle());
    EXPECT_FALSE(AudioFilepaly.IsOpen());
    EXPECT_TRUE(display.AllTextsEmpty());
}

// A FLAC whose stream information promises three seconds and whose data
// stops after about one: it opens, plays, then fails in the middle.
void WriteCutFlac(const QString& whole, const QString& cut) {
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", {"-v", "error", "-y", "-f", "lavfi", "-i",
                            "sine=frequency=440:sample_rate=44100:duration=3", "-ac", "2", whole});
    ASSERT_TRUE(ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0);
    QFile in(whole);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    QFile out(cut);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(in.readAll().left(int(in.size() / 3)));
}

// The player keeps asking for blocks while the error box is open: the
// playback must end at the first block that cannot be read, so the user sees
// one box, not one per request.
TEST_F(PlaybackEngine, FileCutOffInTheMiddleEndsThePlaybackWithOneMessage) {
    const QString cut = dir.filePath("cut.flac");
    WriteCutFlac(dir.filePath("whole.flac"), cut);
    playlist.paths = {cut};
    RouteComponentEventsThroughErrorHandler(engine, state, recorder, player, errors,
                                            HandlerBox::StaysOpen);
    Handle([&] { engine.StartPlayback(); });
    ASSERT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
    Run(3000);
    ASSERT_EQ(errors.size(), 1) << errors.join("; ").toStdString();
    EXPECT_TRUE(errors[0].contains(cut)) << errors[0].toStdString();
    EXPECT_TRUE(PlaybackIdle());
    EXPECT_FALSE(AudioFilepaly.IsOpen());
    EXPECT_TRUE(display.AllTextsEmpty());
    EXPECT_GT(Heard(), 0); // it played until the cut
}

// An empty file has Length 0: the bar stays at 0 instead of -1.
TEST_F(PlaybackEngine, EmptyFileKeepsTheBarAtZero) {
    const QString empty = dir.filePath("empty.raw");
    QFile file(empty);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    playlist.paths = {empty};
    Handle([&] { engine.StartPlayback(); });
    ASSERT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
    EXPECT_EQ(AudioFilepaly.Length(), 0);
    display.play_bar.SetPosition(700);
    engine.AudioPlayer21Timer(4410, 0, 0);
    EXPECT_EQ(display.play_bar.position, 0);
    Run(500);
    EXPECT_TRUE(PlaybackIdle()); // its end comes at once
}

TEST_F(PlaybackEngine, OutputEndedByTheServerStopsThePlayback) {
    engine.StartPlayback();
    Run(300);
    emit player.OnError(QStringLiteral("The sound output was lost."));
    EXPECT_TRUE(PlaybackIdle());
    EXPECT_EQ(boxes.texts, QStringList{"The sound output was lost."});
    EXPECT_FALSE(AudioFilepaly.IsOpen());
    EXPECT_TRUE(display.AllTextsEmpty());
}

TEST_F(PlaybackEngine, FinishAtCloseStopsAPausedPlayback) {
    engine.StartPlayback();
    Run(300);
    engine.PauseResumePlayback();
    engine.FinishAtClose();
    EXPECT_TRUE(PlaybackIdle());
    EXPECT_FALSE(AudioFilepaly.IsOpen());
}

} // namespace
} // namespace varnelo::testing
