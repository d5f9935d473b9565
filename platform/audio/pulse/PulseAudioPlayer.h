#pragma once

#include "platform/audio/api/IAudioPlayer2.h"
#include "platform/audio/pulse/PulseServer.h"

#include <QTimer>
#include <deque>
#include <mutex>

namespace varnelo {

// The player on the sound server's default output. The server's thread
// takes queued arrays as the output asks for data and tells the GUI thread
// what finished; the GUI thread may queue, stop and restart from inside
// every signal.
class PulseAudioPlayer : public IAudioPlayer2 {
    Q_OBJECT
public:
    explicit PulseAudioPlayer(QObject* parent = nullptr);
    ~PulseAudioPlayer() override;

    void SetPlayFormat(int sampleRate, int channels) override;
    void StartPlay() override;
    void StopPlay() override;
    void PlayArray(const SampleArray& array) override;
    int64_t SamplesToMs(int64_t samples) override { return samples * 1000 / rate_; }

private:
    void openStream();
    void closeStream();
    int64_t playedFrames(); // frames heard since the stream began (GUI thread, locks)
    // Server thread.
    static void streamWrite(pa_stream* s, size_t bytes, void* self);
    static void streamState(pa_stream* s, void* self);
    static void drained(pa_stream* s, int success, void* self);
    void writeQueued(size_t bytes); // with the loop locked
    // GUI thread: what the server thread reported.
    void deliver();

    std::shared_ptr<PulseServer> server_;
    int rate_ = 44100;
    int channels_ = 2;
    pa_stream* stream_ = nullptr;
    bool playing_ = false;
    int64_t startFrames_ = 0; // playedFrames() at the last StartPlay
    QTimer timer_;

    std::mutex mutex_; // guards everything below
    std::deque<SampleArray> queue_;
    size_t frontOffset_ = 0;
    int finishedArrays_ = 0;
    bool wantData_ = false;
    bool draining_ = false;
    bool ended_ = false;
    QString failure_;
    int generation_ = 0; // bumped by StopPlay: reports of older data are dropped
    int drainGeneration_ = -1;
    int64_t writtenFrames_ = 0; // handed to the server since the last StartPlay
};

} // namespace varnelo
