#pragma once

#include "platform/audio/api/SampleArray.h"

#include <QObject>
#include <cstdint>

namespace varnelo {

// The player. Methods are called on the GUI thread only, also from inside its
// own signals; signals are always delivered on the GUI thread.
class IAudioPlayer2 : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~IAudioPlayer2() override = default;

    virtual void SetPlayFormat(int sampleRate, int channels) = 0;
    // Starts or resumes output; CurrentSamples counts from 0 after every start.
    virtual void StartPlay() = 0;
    // Stops output and drops what is queued, so a seek is heard at once.
    virtual void StopPlay() = 0;
    // Queues the samples; an empty array marks the end (OnEndPlay follows
    // once everything before it has been heard).
    virtual void PlayArray(const SampleArray& array) = 0;
    virtual int64_t SamplesToMs(int64_t samples) = 0;

signals:
    void OnRequestOnLoadArray();
    void OnEndArrayPlay();
    void OnTimer(qint64 currentSamples, int levelLeft, int levelRight);
    void OnEndPlay();
    void OnError(const QString& message);
};

} // namespace varnelo
