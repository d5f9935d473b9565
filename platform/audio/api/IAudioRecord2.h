#pragma once

#include "platform/audio/api/SampleArray.h"

#include <QObject>
#include <QString>
#include <cstdint>

namespace varnelo {

// The recorder: devices, their input lines (sources/ports of the sound
// server) and capture. Methods are called on the GUI thread only; signals are
// always delivered on the GUI thread (queued from the sound server's thread).
// Failures throw AppError.
class IAudioRecord2 : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~IAudioRecord2() override = default;

    virtual int DeviceLastIndex() = 0; // -1 when there is no device
    virtual void SelectDevice(int index) = 0;
    virtual QString DeviceName() = 0;
    virtual int DeviceLineCount() = 0;
    // 1-based; 0 or out of range selects no line (LineVolume then reads 0).
    virtual void SelectLine(int line) = 0;
    virtual QString LineName() = 0;
    virtual bool LineSelected() = 0;
    virtual void SetLineSelected(bool selected) = 0;
    virtual int LineVolume() = 0; // 0..65536 is 0..100 %
    virtual void SetLineVolume(int volume) = 0;

    virtual void SetRecordFormat(int sampleRate, int channels) = 0;
    virtual int64_t MsToSamples(int64_t ms) = 0;
    virtual int64_t SamplesToMs(int64_t samples) = 0;
    virtual void SetBlockSize(int samples) = 0;
    // Starts or resumes capture; CurrentSamples counts from 0 after every start.
    virtual void StartRecord() = 0;
    virtual void StopRecord() = 0;
    // The oldest completed block; called inside OnEndArrayRecord.
    virtual SampleArray GetRecordArray() = 0;
    // 0 when capture started normally; otherwise RecordStatusText() says why.
    virtual int RecordStatus() = 0;
    virtual QString RecordStatusText() = 0;

signals:
    void OnEndArrayRecord(int nBlock);
    void OnTimer(qint64 currentSamples, int levelLeft, int levelRight);
    // Capture ended by the sound server (lost connection, vanished source).
    void OnError(const QString& message);
};

} // namespace varnelo
