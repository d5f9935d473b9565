#pragma once

#include "platform/audio/api/IAudioRecord2.h"
#include "platform/audio/pulse/PulseServer.h"
#include "platform/audio/sim/BlockQueue.h"

#include <QTimer>
#include <atomic>
#include <mutex>

namespace varnelo {

// The recorder on the sound server. Devices: one, the server itself. Lines:
// one per source port (a source without ports is one line), monitors of
// outputs included. Capture runs on the server's thread into a queue that the
// GUI thread empties; nothing is lost while the GUI thread is busy.
class PulseAudioRecord : public IAudioRecord2 {
    Q_OBJECT
public:
    explicit PulseAudioRecord(QObject* parent = nullptr);
    ~PulseAudioRecord() override;

    int DeviceLastIndex() override;
    void SelectDevice(int index) override;
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
    int RecordStatus() override { return status_; }
    QString RecordStatusText() override { return statusText_; }

private:
    struct Line {
        QString source;
        QString port; // empty: the source has no ports
        QString name;
    };

    void refreshLines();
    const Line* currentLine() const;
    // The source of a line as the server has it now; throws when it went away.
    PulseServer::Source liveSource(const Line& line);
    void closeStream();
    void dropStream(); // GUI thread with the loop locked
    // Server thread: the stream's callbacks.
    static void streamRead(pa_stream* s, size_t bytes, void* self);
    static void streamState(pa_stream* s, void* self);
    // GUI thread: takes what the server thread captured.
    void deliver();
    void fail(const QString& message);

    std::shared_ptr<PulseServer> server_;
    std::vector<Line> lines_;
    int line_ = 0;
    int rate_ = 44100;
    int channels_ = 2;
    pa_stream* stream_ = nullptr;
    bool capturing_ = false;
    int status_ = 0;
    QString statusText_;
    QString lostWhilePaused_; // why a paused capture cannot resume
    int64_t sinceStart_ = 0;
    int nBlock_ = 0;
    BlockQueue blocks_;
    QTimer timer_;

    std::mutex mutex_;            // guards captured_ and failure_
    std::vector<float> captured_; // filled on the server's thread
    QString failure_;
    std::atomic<bool> posted_{false};
};

} // namespace varnelo
