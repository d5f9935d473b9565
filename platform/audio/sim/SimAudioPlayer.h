#pragma once

#include "platform/audio/api/IAudioPlayer2.h"

#include <deque>
#include <memory>

namespace varnelo {

class SimulatedSoundServer;

// The player on the simulated server: consumes queued arrays at the server's
// clock and keeps what it "played" for tests to inspect. GUI thread only.
class SimAudioPlayer : public IAudioPlayer2 {
    Q_OBJECT
public:
    explicit SimAudioPlayer(std::shared_ptr<SimulatedSoundServer> server,
                            QObject* parent = nullptr);

    void SetPlayFormat(int sampleRate, int channels) override;
    void StartPlay() override;
    void StopPlay() override;
    void PlayArray(const SampleArray& array) override;
    int64_t SamplesToMs(int64_t samples) override { return samples * 1000 / rate_; }

    // Everything heard since construction, interleaved. Kept only on a
    // manual clock (tests), so the program's memory does not grow while it plays.
    const std::vector<float>& heard() const { return heard_; }
    int channels() const { return channels_; }

private:
    void onTick(qint64 now);

    std::shared_ptr<SimulatedSoundServer> server_;
    int rate_ = 44100;
    int channels_ = 2;
    bool playing_ = false;
    bool ended_ = false;
    int run_ = 0;
    int64_t startedAt_ = 0;
    int64_t sinceStart_ = 0; // frames heard since the last StartPlay
    int64_t nextTimerAt_ = 0;
    std::deque<SampleArray> queue_;
    size_t frontOffset_ = 0; // elements of the front array already heard
    std::vector<float> heard_;
};

} // namespace varnelo
