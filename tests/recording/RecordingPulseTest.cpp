// End to end on the real sound server: a 1000 Hz tone played into the private
// daemon's null sink is recorded from its monitor by the engine through the
// program's own components, tagged, read back by another decoder and played
// to its end.

#include "../support/PulseTestSupport.h"
#include "EngineFixture.h"
#include "platform/audio/factory/AudioComponents.h"
#include "platform/audio/visual/TAudioVisualizationEx2.h"
#include "settings/SettingsFile.h"
#include "tags/WriteTagsToFile.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace varnelo::testing {
namespace {

// Keeps a continuous sine queued on a player.
class TonePlayer {
public:
    TonePlayer(IAudioPlayer2& player, double frequency) : player_(player), frequency_(frequency) {
        QObject::connect(&player_, &IAudioPlayer2::OnRequestOnLoadArray, [this] { Feed(); });
        QObject::connect(&player_, &IAudioPlayer2::OnEndArrayPlay, [this] { Feed(); });
    }
    void Start() {
        player_.SetPlayFormat(44100, 2);
        player_.StartPlay();
        Feed();
        Feed();
    }
    void Stop() {
        stopped_ = true;
        player_.StopPlay();
    }

private:
    void Feed() {
        if (stopped_)
            return;
        SampleArray block;
        block.samples.resize(4410 * 2);
        for (size_t i = 0; i < 4410; ++i, ++position_) {
            const float v = static_cast<float>(
                0.5 * std::sin(2 * std::numbers::pi * frequency_ * position_ / 44100.0));
            block.samples[2 * i] = block.samples[2 * i + 1] = v;
        }
        player_.PlayArray(block);
    }
    IAudioPlayer2& player_;
    double frequency_;
    int64_t position_ = 0;
    bool stopped_ = false;
};

class RecordingOnTheSoundServer : public ::testing::Test, protected EngineStandIns {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        qunsetenv("VARNELO_SOUND_SERVER");
        settings.WriteString("output", "dir", dir.filePath("out"));
        settings.WriteString("info", "title", "Null Sink Tone");
        settings.WriteString("info", "arist", "Varnelo Tests");
        settings.WriteString("info", "year", "2024");
        host.onWriteTags = [this](const QString& path) {
            WriteTagsToFile(*info, settings, nullptr, path);
        };
        RouteComponentEventsThroughErrorHandler(engine, state, *recorder, *player, errors);
    }

    QTemporaryDir dir;
    SettingsFile settings{dir.filePath("Varn.ini")};
    std::unique_ptr<IAudioRecord2> recorder = CreateAudioRecord();
    std::unique_ptr<IAudioPlayer2> player = CreateAudioPlayer();
    std::unique_ptr<IAudioPlayer2> tonePlayer = CreateAudioPlayer();
    std::unique_ptr<IAudioFile2> writer = CreateAudioFile();
    std::unique_ptr<IAudioFile2> reader = CreateAudioFile();
    std::unique_ptr<IAudioFile2> checker = CreateAudioFile();
    std::unique_ptr<IAudioInformation2> info = CreateAudioInformation();
    TAudioVisualizationEx2 visual;
    AudioEngine engine{state,   settings, *recorder,       *writer,  *reader,
                       *player, visual,   display.objects, playlist, host};
};

TEST_F(RecordingOnTheSoundServer, RecordsTheMonitorTagsThePartAndPlaysItBack) {
    ASSERT_GE(recorder->DeviceLastIndex(), 0) << "no sound server";
    recorder->SelectDevice(0);
    const int monitor = LineNamed(*recorder, "Monitor of Null_Output");
    ASSERT_GT(monitor, 0);
    recorder->SelectLine(monitor);
    recorder->SetLineSelected(true);

    // The tone runs before the recording starts, so the file holds it throughout.
    TonePlayer tone(*tonePlayer, 1000);
    QSignalSpy toneTimer(tonePlayer.get(), &IAudioPlayer2::OnTimer);
    tone.Start();
    ASSERT_TRUE(toneTimer.wait(5000));

    engine.StartRecording();
    ASSERT_TRUE(state.RecordingActive) << errors.join("; ").toStdString();
    const QString path = state.CurrentFileName;
    EXPECT_EQ(path, dir.filePath("out/ZEV.OGG"));
    QSignalSpy recordTimer(recorder.get(), &IAudioRecord2::OnTimer);
    while (state.SampleTotal < 2 * 44100 && errors.isEmpty())
        ASSERT_TRUE(recordTimer.wait(5000)) << "the recorder's timer stopped";
    EXPECT_EQ(display.s_time.text, "Time: 00:00:02");
    EXPECT_TRUE(display.s_sizeson.text.startsWith("File Size: "));
    engine.StopRecording();
    tone.Stop();
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
    EXPECT_EQ(host.listed, QStringList{path});
    EXPECT_EQ(host.tagged, QStringList{path});

    // Length and frequency, decoded by the file component.
    const DecodedTone recorded = DecodeTone(*checker, path);
    const double seconds = static_cast<double>(recorded.frames) / recorded.sampleRate;
    EXPECT_EQ(recorded.sampleRate, 44100);
    EXPECT_GE(seconds, 1.7);
    EXPECT_LE(seconds, 2.6);
    EXPECT_NEAR(recorded.frequency, 1000, 10);
    EXPECT_GT(recorded.peak, 0.3);

    // The stored tags are in the file.
    info->ReadFromFile(path);
    EXPECT_EQ(info->infoTitle(), "Null Sink Tone");
    EXPECT_EQ(info->infoArtist(), "Varnelo Tests");
    EXPECT_EQ(info->infoYear(), 2024);

    // Another decoder reads the file, its length and its title.
    const QString ffprobe = QStandardPaths::findExecutable("ffprobe");
    if (!ffprobe.isEmpty()) {
        QProcess probe;
        probe.start(
            ffprobe,
            {"-v", "error", "-show_entries",
             "format=duration:format_tags=title:stream=codec_name,sample_rate:stream_tags=title",
             "-of", "default=noprint_wrappers=1", path});
        ASSERT_TRUE(probe.waitForFinished(30000));
        EXPECT_EQ(probe.exitCode(), 0) << probe.readAllStandardError().toStdString();
        const QString out = QString::fromUtf8(probe.readAllStandardOutput());
        EXPECT_TRUE(out.contains("codec_name=vorbis")) << out.toStdString();
        EXPECT_TRUE(out.contains("sample_rate=44100")) << out.toStdString();
        EXPECT_TRUE(out.contains(QRegularExpression("TAG:title=Null Sink Tone",
                                                    QRegularExpression::CaseInsensitiveOption)))
            << out.toStdString();
        const auto duration = QRegularExpression(R"(duration=([0-9.]+))").match(out);
        ASSERT_TRUE(duration.hasMatch()) << out.toStdString();
        EXPECT_NEAR(duration.captured(1).toDouble(), seconds, 0.05);
    }

    // Played back through the engine to its end.
    playlist.paths = {path};
    QSignalSpy ended(player.get(), &IAudioPlayer2::OnEndPlay);
    engine.StartPlayback();
    EXPECT_EQ(display.s_filename.text, "File Name: ZEV.OGG");
    EXPECT_TRUE(display.s_mono.text.startsWith("File Info: Stereo "))
        << display.s_mono.text.toStdString();
    ASSERT_TRUE(ended.wait(15000)) << errors.join("; ").toStdString();
    EXPECT_FALSE(state.PlaybackActive);
    EXPECT_TRUE(display.s_time.texts.contains("Time: 00:00:01"));
    EXPECT_TRUE(display.AllTextsEmpty());
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
}

} // namespace
} // namespace varnelo::testing
