// Without a reachable sound server (this binary's PULSE_SERVER leads nowhere).
#include "platform/audio/factory/AudioComponents.h"
#include "platform/audio/pulse/PulseAudioPlayer.h"
#include "platform/audio/pulse/PulseAudioRecord.h"
#include "platform/core/AppError.h"

#include <gtest/gtest.h>

using namespace varnelo;

TEST(NoSoundServer, NoDeviceAClearRecordStatusAndAPlayerError) {
    PulseAudioRecord rec;
    EXPECT_EQ(rec.DeviceLastIndex(), -1);
    EXPECT_EQ(rec.DeviceLineCount(), 0);
    rec.SelectLine(1);
    EXPECT_EQ(rec.LineVolume(), 0);
    EXPECT_FALSE(rec.LineSelected());
    rec.SetRecordFormat(44100, 2);
    rec.StartRecord();
    EXPECT_NE(rec.RecordStatus(), 0);
    EXPECT_EQ(rec.RecordStatusText(),
              "No sound server is running: start PulseAudio or PipeWire to record.");

    PulseAudioPlayer player;
    player.SetPlayFormat(44100, 2);
    try {
        player.StartPlay();
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), "Cannot play: no sound server is running (start PulseAudio or "
                               "PipeWire).");
    }
}

// The factory picks the simulated server only when asked to, and then shares one.
TEST(NoSoundServer, TheFactoryUsesTheSimulatedServerOnlyWhenAskedTo) {
    qunsetenv("VARNELO_SOUND_SERVER");
    EXPECT_EQ(CreateAudioRecord()->DeviceLastIndex(), -1);
    EXPECT_THROW(CreateAudioPlayer()->StartPlay(), AppError);

    qputenv("VARNELO_SOUND_SERVER", "simulated");
    auto first = CreateAudioRecord();
    auto second = CreateAudioRecord();
    ASSERT_EQ(first->DeviceLastIndex(), 0);
    EXPECT_EQ(first->DeviceName(), "Simulated Sound Card");
    first->SelectLine(3);
    first->SetLineSelected(true);
    first->SetLineVolume(1234);
    second->SelectLine(3);
    EXPECT_TRUE(second->LineSelected());
    EXPECT_EQ(second->LineVolume(), 1234);
    auto player = CreateAudioPlayer();
    player->SetPlayFormat(44100, 2);
    EXPECT_NO_THROW(player->StartPlay());
    qunsetenv("VARNELO_SOUND_SERVER");
}
