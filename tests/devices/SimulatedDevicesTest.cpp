#include "platform/audio/sim/SimAudioPlayer.h"
#include "platform/audio/sim/SimAudioRecord.h"
#include "platform/audio/sim/SimulatedSoundServer.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QThread>
#include <algorithm>
#include <gtest/gtest.h>

using namespace varnelo;

namespace {

// Collects every block the recorder announces and checks it continues the
// line's signal exactly where the previous block ended.
struct ContinuityChecker {
    ContinuityChecker(SimAudioRecord& r, SimulatedSoundServer& s, int rateHz, int channelCount)
        : recorder(r), server(s), rate(rateHz), channels(channelCount) {}
    SimAudioRecord& recorder;
    SimulatedSoundServer& server;
    int rate, channels;
    int64_t position = 0;
    int64_t blocks = 0;
    double worst = 0;
    std::vector<float> expected;

    void take() {
        const SampleArray block = recorder.GetRecordArray();
        const int64_t frames = block.Frames();
        expected.resize(block.samples.size());
        server.render(position, frames, rate, channels, expected.data());
        for (size_t i = 0; i < expected.size(); ++i)
            worst = std::max(worst, double(std::abs(expected[i] - block.samples[i])));
        position += frames;
        ++blocks;
    }
};

TEST(SimulatedDevices, LinesVolumesAndTheActiveLine) {
    auto server = std::make_shared<SimulatedSoundServer>(SimulatedSoundServer::Clock::Manual);
    SimAudioRecord rec(server);
    EXPECT_EQ(rec.DeviceLastIndex(), 0);
    EXPECT_EQ(rec.DeviceName(), "Simulated Sound Card");
    ASSERT_EQ(rec.DeviceLineCount(), 3);
    rec.SelectLine(2);
    EXPECT_EQ(rec.LineName(), "Sine 1000 Hz");
    EXPECT_FALSE(rec.LineSelected());
    rec.SetLineSelected(true);
    EXPECT_TRUE(rec.LineSelected());
    rec.SetLineVolume(12345);
    EXPECT_EQ(rec.LineVolume(), 12345);
    for (int none : {0, 4, -1}) {
        rec.SelectLine(none);
        EXPECT_EQ(rec.LineVolume(), 0);
        EXPECT_EQ(rec.LineName(), "");
        EXPECT_FALSE(rec.LineSelected());
        rec.SetLineSelected(true); // selects nothing
    }
    rec.SelectLine(2);
    EXPECT_TRUE(rec.LineSelected());
}

TEST(SimulatedDevices, AnHourOfCaptureLosesAndRepeatsNothing) {
    auto server = std::make_shared<SimulatedSoundServer>(SimulatedSoundServer::Clock::Manual);
    SimAudioRecord rec(server);
    rec.SetRecordFormat(44100, 2);
    rec.SetBlockSize(8820);
    ContinuityChecker check(rec, *server, 44100, 2);
    int64_t lastTimer = 0, timers = 0;
    QObject::connect(&rec, &IAudioRecord2::OnEndArrayRecord, [&] { check.take(); });
    QObject::connect(&rec, &IAudioRecord2::OnTimer, [&](qint64 samples) {
        EXPECT_GT(samples, lastTimer);
        lastTimer = samples;
        ++timers;
    });
    rec.StartRecord();
    ASSERT_EQ(rec.RecordStatus(), 0);
    // Uneven steps, as a real clock gives them.
    for (int64_t t = 0; t < 3600LL * 1000000; t += 37000 + (t / 37000) % 50000)
        server->advance(37000 + (t / 37000) % 50000);
    rec.StopRecord();
    EXPECT_EQ(check.worst, 0.0);
    EXPECT_GE(check.position, 3600LL * 44100);
    EXPECT_EQ(check.position, check.blocks * 8820);
    EXPECT_NEAR(double(timers), 36000, 10);
}

TEST(SimulatedDevices, PauseAndResumeContinueWithoutGapOrRepeat) {
    auto server = std::make_shared<SimulatedSoundServer>(SimulatedSoundServer::Clock::Manual);
    SimAudioRecord rec(server);
    rec.SetRecordFormat(22050, 1);
    rec.SetBlockSize(4410);
    ContinuityChecker check(rec, *server, 22050, 1);
    QObject::connect(&rec, &IAudioRecord2::OnEndArrayRecord, [&] { check.take(); });
    QSignalSpy timers(&rec, &IAudioRecord2::OnTimer);
    rec.StartRecord();
    server->advance(1'030'000);
    rec.StopRecord();
    server->advance(5'000'000); // paused: nothing is captured
    const int64_t beforeResume = check.position;
    rec.StartRecord();
    server->advance(2'000'000);
    EXPECT_EQ(check.worst, 0.0);
    // 1.03 s and 2 s were captured; every full block of them was handed on.
    const int64_t captured = 1'030'000LL * 22050 / 1'000'000 + 2 * 22050;
    EXPECT_EQ(check.position, captured / 4410 * 4410);
    EXPECT_GT(check.position, beforeResume);
    // The counter starts again from 0 after the resume.
    ASSERT_FALSE(timers.isEmpty());
    EXPECT_LE(timers.last().at(0).toLongLong(), 2 * 22050);
}

TEST(SimulatedDevices, ATwoSecondStallOfTheGuiThreadLosesNothing) {
    auto server = std::make_shared<SimulatedSoundServer>(SimulatedSoundServer::Clock::RealTime);
    SimAudioRecord rec(server);
    rec.SetRecordFormat(44100, 2);
    rec.SetBlockSize(8820);
    ContinuityChecker check(rec, *server, 44100, 2);
    const Qt::HANDLE gui = QThread::currentThreadId();
    bool offThread = false;
    QObject::connect(&rec, &IAudioRecord2::OnEndArrayRecord, [&] {
        offThread |= QThread::currentThreadId() != gui;
        check.take();
    });
    QObject::connect(&rec, &IAudioRecord2::OnTimer,
                     [&] { offThread |= QThread::currentThreadId() != gui; });
    QSignalSpy blocks(&rec, &IAudioRecord2::OnEndArrayRecord);
    rec.StartRecord();
    ASSERT_TRUE(blocks.wait(5000));
    QThread::msleep(2000); // the GUI thread is busy: no event is handled
    QElapsedTimer t;
    t.start();
    while (check.position < 3 * 44100 && t.elapsed() < 10000)
        blocks.wait(1000);
    rec.StopRecord();
    EXPECT_EQ(check.worst, 0.0);
    EXPECT_GE(check.position, 3 * 44100);
    EXPECT_FALSE(offThread);
}

// What the program does inside the recorder's own events: pause, or stop and
// start again at the length limit.
enum class Inside { BlockStops, TimerStops, TimerStopsAndStarts };

class SimulatedRecorderHandler : public ::testing::TestWithParam<Inside> {};

TEST_P(SimulatedRecorderHandler, StopsAndStartsFromItsOwnEvents) {
    auto server = std::make_shared<SimulatedSoundServer>(SimulatedSoundServer::Clock::Manual);
    SimAudioRecord rec(server);
    rec.SetRecordFormat(8000, 1);
    rec.SetBlockSize(1600);
    ContinuityChecker check(rec, *server, 8000, 1);
    std::vector<qint64> timers;
    int afterStop = 0, restarts = 0;
    bool stopped = false;
    auto act = [&] {
        if (stopped) {
            ++afterStop; // nothing may follow a stop inside the same tick
            return;
        }
        rec.StopRecord();
        if (GetParam() == Inside::TimerStopsAndStarts && restarts < 3) {
            ++restarts;
            rec.StartRecord();
            return;
        }
        stopped = true;
    };
    QObject::connect(&rec, &IAudioRecord2::OnEndArrayRecord, [&] {
        check.take();
        if (GetParam() == Inside::BlockStops)
            act();
    });
    QObject::connect(&rec, &IAudioRecord2::OnTimer, [&](qint64 samples) {
        timers.push_back(samples);
        if (GetParam() != Inside::BlockStops && samples >= 4000)
            act();
    });
    rec.StartRecord();
    for (int tick = 0; tick < 100; ++tick)
        server->advance(100'000);
    EXPECT_EQ(afterStop, 0);
    EXPECT_EQ(check.worst, 0.0);
    ASSERT_FALSE(timers.empty());
    if (GetParam() == Inside::TimerStopsAndStarts) {
        // Each new run counts from 0 again and the signal goes on seamlessly.
        EXPECT_EQ(restarts, 3);
        EXPECT_EQ(std::count(timers.begin(), timers.end(), 800), 4);
        EXPECT_GT(check.blocks, 5);
    } else {
        EXPECT_TRUE(stopped);
        const int64_t heldBack = check.position;
        server->advance(1'000'000); // stopped: nothing more
        EXPECT_EQ(check.position, heldBack);
        stopped = false; // the resumed run may stop itself again
        rec.StartRecord();
        server->advance(1'000'000);
        EXPECT_EQ(afterStop, 0);
        EXPECT_EQ(check.worst, 0.0);
        EXPECT_GT(check.position, heldBack);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SimulatedRecorderHandler,
                         ::testing::Values(Inside::BlockStops, Inside::TimerStops,
                                           Inside::TimerStopsAndStarts));

TEST(SimulatedDevices, PlayerEndsAfterTheEmptyArrayAndStopDropsTheQueue) {
    auto server = std::make_shared<SimulatedSoundServer>(SimulatedSoundServer::Clock::Manual);
    SimAudioPlayer player(server);
    player.SetPlayFormat(8000, 1);
    QSignalSpy ended(&player, &IAudioPlayer2::OnEndPlay);
    QSignalSpy finished(&player, &IAudioPlayer2::OnEndArrayPlay);
    QSignalSpy requests(&player, &IAudioPlayer2::OnRequestOnLoadArray);
    SampleArray block;
    block.channels = 1;
    block.sampleRate = 8000;
    block.samples.assign(4000, 0.25f);
    player.StartPlay();
    player.PlayArray(block);
    player.PlayArray(block);
    player.PlayArray(SampleArray{});
    server->advance(900'000);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_TRUE(ended.isEmpty());
    server->advance(200'000);
    EXPECT_EQ(finished.count(), 2);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(player.heard().size(), 8000u);

    // A seek: StopPlay drops the queue; the next start plays only the new data.
    player.StopPlay();
    player.PlayArray(block);
    player.StopPlay();
    block.samples.assign(800, -0.5f);
    player.PlayArray(block);
    player.StartPlay();
    server->advance(100'000);
    EXPECT_EQ(player.heard().size(), 8800u);
    EXPECT_EQ(player.heard().back(), -0.5f);
    server->advance(100'000);
    EXPECT_GE(requests.count(), 1); // starved: asks for more
}

} // namespace
