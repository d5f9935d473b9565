
// Against the private PulseAudio daemon of the "pulse" test fixture, whose
// null sink "varnelo_null" has the monitor source "varnelo_null.monitor".
#include "../support/PulseTestSupport.h"
#include "platform/audio/pulse/PulseAudioPlayer.h"
#include "platform/audio/pulse/PulseAudioRecord.h"
#include "platform/core/AppError.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <numbers>

using namespace varnelo;
using varnelo::testing::LineNamed;
using varnelo::testing::LoadNullSink;
using varnelo::testing::Pactl;

namespace {

SampleArray Tone(double hz, int rate, int frames, int64_t first) {
    SampleArray a;
    a.channels = 2;
    a.sampleRate = rate;
    a.samples.resize(size_t(frames) * 2);
    for (int i = 0; i < frames; ++i)
        a.samples[size_t(2 * i)] = a.samples[size_t(2 * i + 1)] =
            float(0.5 * std::sin(2 * std::numbers::pi * hz * double(first + i) / rate));
    return a;
}

// The tone's frequency from the median spacing of rising zero crossings, so
// that a gap in the sound (an output underrun on a loaded machine) does not
// bend the figure.
double ZeroCrossingFrequency(const std::vector<float>& mono, int rate) {
    std::vector<int64_t> spacing;
    int64_t last = -1;
    for (size_t i = 1; i < mono.size(); ++i)
        if (mono[i - 1] < 0 && mono[i] >= 0) {
            if (last >= 0)
                spacing.push_back(int64_t(i) - last);
            last = int64_t(i);
        }
    if (spacing.size() < 10)
        return 0;
    // Spacings alternate between two neighbouring integers; average the middle half.
    std::sort(spacing.begin(), spacing.end());
    const size_t from = spacing.size() / 4, to = spacing.size() * 3 / 4;
    double sum = 0;
    for (size_t i = from; i < to; ++i)
        sum += double(spacing[i]);
    return rate / (sum / double(to - from));
}

TEST(PulseDevices, TheServerIsOneDeviceWithItsSourcesAsLines) {
    PulseAudioRecord rec;
    ASSERT_EQ(rec.DeviceLastIndex(), 0);
    rec.SelectDevice(0);
    EXPECT_FALSE(rec.DeviceName().isEmpty());
    const int monitor = LineNamed(rec, "Monitor of Null_Output");
    ASSERT_GT(monitor, 0) << "lines: " << rec.DeviceLineCount();
    rec.SelectLine(monitor);
    EXPECT_TRUE(rec.LineSelected()); // the daemon's only source is its default
    for (int none : {0, rec.DeviceLineCount() + 1}) {
        rec.SelectLine(none);
        EXPECT_EQ(rec.LineVolume(), 0);
        EXPECT_FALSE(rec.LineSelected());
    }
}

TEST(PulseDevices, LineVolumeRoundTripAndTheDefaultSourceSwitch) {
    const QString module = LoadNullSink("varnelo_second", "Second_Output");
    ASSERT_FALSE(module.isEmpty());
    {
        PulseAudioRecord rec;
        const int first = LineNamed(rec, "Monitor of Null_Output");
        const int second = LineNamed(rec, "Monitor of Second_Output");
        ASSERT_GT(first, 0);
        ASSERT_GT(second, 0);

        rec.SelectLine(second);
        rec.SetLineVolume(32768);
        EXPECT_NEAR(rec.LineVolume(), 32768, 2);
        rec.SetLineVolume(65536);
        EXPECT_NEAR(rec.LineVolume(), 65536, 2);

        rec.SetLineSelected(true);
        EXPECT_TRUE(rec.LineSelected());
        EXPECT_EQ(Pactl({"get-default-source"}), "varnelo_second.monitor");
        rec.SelectLine(first);
        EXPECT_FALSE(rec.LineSelected());
        rec.SetLineSelected(true);
        EXPECT_TRUE(rec.LineSelected());
        EXPECT_EQ(Pactl({"get-default-source"}), "varnelo_null.monitor");
    }
    Pactl({"unload-module", module});
}

TEST(PulseDevices, RecordsWhatThePlayerPlaysIntoTheSink) {
    PulseAudioRecord rec;
    PulseAudioPlayer player;
    const int monitor = LineNamed(rec, "Monitor of Null_Output");
    ASSERT_GT(monitor, 0);
    rec.SelectLine(monitor);
    rec.SetLineVolume(65536);

    // Keep about two blocks queued in the player, as playback does.
    int64_t fed = 0;
    auto feed = [&] {
        player.PlayArray(Tone(1000, 44100, 4100, fed));
        fed += 4100;
    };
    const Qt::HANDLE gui = QThread::currentThreadId();
    bool offThread = false;
    QObject::connect(&player, &IAudioPlayer2::OnEndArrayPlay, [&] {
        offThread |= QThread::currentThreadId() != gui;
        feed();
    });
    QObject::connect(&player, &IAudioPlayer2::OnRequestOnLoadArray, [&] { feed(); });
    player.SetPlayFormat(44100, 2);
    player.StartPlay();
    feed();
    feed();

    std::vector<float> left;
    std::vector<int64_t> blockFrames;
    rec.SetRecordFormat(44100, 2);
    rec.SetBlockSize(8820);
    QObject::connect(&rec, &IAudioRecord2::OnEndArrayRecord, [&] {
        offThread |= QThread::currentThreadId() != gui;
        const SampleArray block = rec.GetRecordArray();
        blockFrames.push_back(block.Frames());
        for (int64_t i = 0; i < block.Frames(); ++i)
            left.push_back(block.samples[size_t(2 * i)]);
    });
    QSignalSpy timer(&rec, &IAudioRecord2::OnTimer);
    rec.StartRecord();
    ASSERT_EQ(rec.RecordStatus(), 0) << rec.RecordStatusText().toStdString();

    QElapsedTimer t;
    t.start();
    while (blockFrames.size() < 10 && t.elapsed() < 15000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    rec.StopRecord();
    player.StopPlay();

    ASSERT_GE(blockFrames.size(), 10u);
    for (int64_t frames : blockFrames)
        EXPECT_EQ(frames, 8820);
    EXPECT_FALSE(offThread);
    EXPECT_GE(timer.count(), 5);
    // The tone arrives after the output's latency; look at the last second.
    const std::vector<float> tail(left.end() - 44100, left.end());
    EXPECT_NEAR(ZeroCrossingFrequency(tail, 44100), 1000, 10);
}

TEST(PulseDevices, PauseAndResumeHandOnEveryCapturedBlockOnce) {
    PulseAudioRecord rec;
    rec.SetRecordFormat(8000, 1);
    rec.SetBlockSize(800);
    int64_t frames = 0;
    QObject::connect(&rec, &IAudioRecord2::OnEndArrayRecord,
                     [&] { frames += rec.GetRecordArray().Frames(); });
    QSignalSpy blocks(&rec, &IAudioRecord2::OnEndArrayRecord);
    QSignalSpy timer(&rec, &IAudioRecord2::OnTimer);
    rec.StartRecord();
    ASSERT_EQ(rec.RecordStatus(), 0);
    while (blocks.count() < 5)
        ASSERT_TRUE(blocks.wait(5000));
    rec.StopRecord();
    const int64_t atPause = frames;
    QElapsedTimer paused;
    paused.start();
    while (paused.elapsed() < 500)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    // Blocks wait while paused.
    EXPECT_EQ(frames, atPause);
    rec.StartRecord();
    timer.clear();
    while (blocks.count() < 12)
        ASSERT_TRUE(blocks.wait(5000));
    rec.StopRecord();
    EXPECT_EQ(frames, blocks.count() * 800);
    // The paused half second was not captured: about 1.2 s of blocks in all.
    EXPECT_LT(frames, 8000 * 2);
    ASSERT_FALSE(timer.isEmpty());
    EXPECT_LT(timer.first().at(0).toLongLong(), 8000); // counts from 0 after the resume
}

TEST(PulseDevices, AVanishedSourceEndsCaptureWithAnError) {
    const QString module = LoadNullSink("varnelo_gone", "Gone_Output");
    ASSERT_FALSE(module.isEmpty());
    PulseAudioRecord rec;
    const int line = LineNamed(rec, "Monitor of Gone_Output");
    ASSERT_GT(line, 0);
    rec.SelectLine(line);
    rec.SetRecordFormat(44100, 2);
    rec.SetBlockSize(4410);
    QSignalSpy blocks(&rec, &IAudioRecord2::OnEndArrayRecord);
    QSignalSpy errors(&rec, &IAudioRecord2::OnError);
    QObject::connect(&rec, &IAudioRecord2::OnEndArrayRecord, [&] { rec.GetRecordArray(); });
    rec.StartRecord();
    ASSERT_EQ(rec.RecordStatus(), 0);
    ASSERT_TRUE(blocks.wait(5000));
    Pactl({"unload-module", module});
    ASSERT_TRUE(errors.wait(5000));
    EXPECT_TRUE(errors.first().at(0).toString().startsWith("Recording stopped: "));
    // Stopping after the loss is harmless.
    rec.StopRecord();
    // The line's own operations name the line that went away.
    const std::function<void()> calls[] = {[&] { rec.LineVolume(); },
                                           [&] { rec.SetLineVolume(1000); },
                                           [&] { rec.SetLineSelected(true); }};
    for (const auto& call : calls) {
        try {
            call();
            ADD_FAILURE() << "no error";
        } catch (const AppError& e) {
            EXPECT_EQ(e.message(),
                      "The recording line \"Monitor of Gone_Output\" is no longer available.");
        }
    }
    EXPECT_FALSE(rec.LineSelected());
}

TEST(PulseDevices, ASourceThatVanishesWhilePausedIsReportedAtTheResume) {
    const QString module = LoadNullSink("varnelo_gone", "Gone_Output");
    ASSERT_FALSE(module.isEmpty());
    PulseAudioRecord rec;
    rec.SelectLine(LineNamed(rec, "Monitor of Gone_Output"));
    rec.SetRecordFormat(44100, 2);
    rec.SetBlockSize(4410);
    QSignalSpy blocks(&rec, &IAudioRecord2::OnEndArrayRecord);
    QSignalSpy errors(&rec, &IAudioRecord2::OnError);
    QObject::connect(&rec, &IAudioRecord2::OnEndArrayRecord, [&] { rec.GetRecordArray(); });
    rec.StartRecord();
    ASSERT_EQ(rec.RecordStatus(), 0);
    ASSERT_TRUE(blocks.wait(5000));
    rec.StopRecord();
    Pactl({"unload-module", module});
    // The server's notice may reach the recorder before or after the resume:
    // either the resume throws, or the resumed capture ends with OnError. It
    // never goes on silently or from another source.
    QCoreApplication::processEvents();
    try {
        rec.StartRecord();
        ASSERT_TRUE(errors.wait(5000));
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().startsWith("Recording stopped: ") ||
                    e.message().startsWith("Recording cannot go on: "))
            << e.message().toStdString();
    }
}

TEST(PulseDevices, ATwoSecondStallOfTheGuiThreadLosesNothing) {
    PulseAudioRecord rec;
    rec.SetRecordFormat(8000, 1);
    rec.SetBlockSize(400);
    int64_t frames = 0;
    QObject::connect(&rec, &IAudioRecord2::OnEndArrayRecord,
                     [&] { frames += rec.GetRecordArray().Frames(); });
    QSignalSpy blocks(&rec, &IAudioRecord2::OnEndArrayRecord);
    rec.StartRecord();
    ASSERT_EQ(rec.RecordStatus(), 0);
    // The source's data flows from its first block on (a null sink starts late).
    ASSERT_TRUE(blocks.wait(5000));
    const int64_t first = frames;
    QElapsedTimer clock;
    clock.start();
    QThread::msleep(2000); // the GUI thread is busy; the server's thread captures on
    // What was captured meanwhile arrives once the GUI thread runs again:
    // all of it (up to the source's latency), and nothing twice.
    while (frames - first < clock.elapsed() * 8 - 2400 && clock.elapsed() < 10000)
        blocks.wait(1000);
    ASSERT_GE(frames - first, clock.elapsed() * 8 - 2400) << "after " << clock.elapsed() << " ms";
    rec.StopRecord();
    EXPECT_LE(frames - first, clock.elapsed() * 8 + 4000);
}

TEST(PulseDevices, DestroyingARecorderWhileItCapturesIsSafe) {
    int oldBlocks = 0;
    {
        auto rec = std::make_unique<PulseAudioRecord>();
        rec->SetRecordFormat(44100, 2);
        rec->SetBlockSize(441);
        QObject::connect(rec.get(), &IAudioRecord2::OnEndArrayRecord, [&, r = rec.get()] {
            r->GetRecordArray();
            ++oldBlocks;
        });
        QSignalSpy blocks(rec.get(), &IAudioRecord2::OnEndArrayRecord);
        rec->StartRecord();
        ASSERT_EQ(rec->RecordStatus(), 0);
        ASSERT_TRUE(blocks.wait(5000));
        QThread::msleep(200); // the server's thread queues data and events meanwhile
        rec.reset();          // still capturing, with events pending
    }
    const int atDestruction = oldBlocks;
    // The old recorder's pending events die with it; a new one records.
    PulseAudioRecord rec;
    rec.SetRecordFormat(44100, 2);
    rec.SetBlockSize(441);
    QObject::connect(&rec, &IAudioRecord2::OnEndArrayRecord, [&] { rec.GetRecordArray(); });
    QSignalSpy blocks(&rec, &IAudioRecord2::OnEndArrayRecord);
    rec.StartRecord();
    ASSERT_EQ(rec.RecordStatus(), 0);
    while (blocks.count() < 3)
        ASSERT_TRUE(blocks.wait(5000));
    EXPECT_EQ(oldBlocks, atDestruction);
}

TEST(PulseDevices, PlayerEndsAfterTheEmptyArrayAndCountsWhatWasHeard) {
    PulseAudioPlayer player;
    player.SetPlayFormat(44100, 2);
    QSignalSpy ended(&player, &IAudioPlayer2::OnEndPlay);
    QSignalSpy finished(&player, &IAudioPlayer2::OnEndArrayPlay);
    QSignalSpy timer(&player, &IAudioPlayer2::OnTimer);
    player.StartPlay();
    for (int i = 0; i < 5; ++i)
        player.PlayArray(Tone(440, 44100, 8820, i * 8820));
    player.PlayArray(SampleArray{});
    ASSERT_TRUE(ended.wait(10000));
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(finished.count(), 5);
    ASSERT_FALSE(timer.isEmpty());
    EXPECT_LE(timer.last().at(0).toLongLong(), 5 * 8820 + 4410);
    EXPECT_GT(timer.last().at(0).toLongLong(), 2 * 8820);

    // Stop drops the queue: a second run starts from nothing queued.
    player.StopPlay();
    ended.clear();
    player.StartPlay();
    player.PlayArray(Tone(440, 44100, 4410, 0));
    player.PlayArray(SampleArray{});
    ASSERT_TRUE(ended.wait(10000));
}

} // namespace
