#pragma once

#include "platform/audio/api/IAudioRecord2.h"
#include "platform/audio/sim/BlockQueue.h"

#include <memory>

namespace varnelo {

class SimulatedSoundServer;

// The recorder on the simulated server. GUI thread only.
class SimAudioRecord : public IAudioRecord2 {
    Q_OBJECT
public:
    explicit SimAudioRecord(std::shared_ptr<SimulatedSoundServer> server,
                            QObject* parent = nullptr);

    int DeviceLastIndex() override { return 0; }
    void SelectDevice(int) override {}
    QString DeviceName() override;
    int DeviceLineCount() override;
    void SelectLine(int line) override;
    QString LineName() override;
    bool LineSelected() override;
    void SetLineSelected(bool selected) override;
    int LineVolume() override;
    void SetLineVolume(int volume) override;

    void SetRecordFormat(int sampleRate, int channels) override;
    int64_t MsToSamples(int64_t ms) override { return ms * rate_ / 1000; }
    int64_t SamplesToMs(int64_t samples) override { return samples * 1000 / rate_; }
    void SetBlockSize(int samples) override { blocks_.SetBlockFrames(samples); }
    void StartRecord() override;
    void StopRecord() override;
    SampleArray GetRecordArray() override;
    int RecordStatus() override { return 0; }
    QString RecordStatusText() override { return {}; }

private:
    void onTick(qint64 now);
    bool lineValid() const;

    std::shared_ptr<SimulatedSoundServer> server_;
    int line_ = 0; // 0: none
    int rate_ = 44100;
    int channels_ = 2;
    bool capturing_ = false;
    int run_ = 0;             // counts StartRecord calls
    int64_t startedAt_ = 0;   // server time of the last StartRecord
    int64_t sinceStart_ = 0;  // frames captured since the last StartRecord
    int64_t position_ = 0;    // frames captured over all runs (signal phase)
    int64_t nextTimerAt_ = 0; // frames since start at which OnTimer is due
    int nBlock_ = 0;
    BlockQueue blocks_;
    std::vector<float> chunk_; // rendered frames on their way into blocks_
};

} // namespace varnelo
