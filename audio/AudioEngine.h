#pragma once

#include "audio/DisplayObjects.h"
#include "audio/EngineHost.h"
#include "audio/EngineState.h"
#include "audio/OutputNaming.h"
#include "audio/Playlist.h"

#include <QObject>

class QWidget;

namespace varnelo {

class SettingsFile;
class IAudioRecord2;
class IAudioFile2;
class IAudioPlayer2;
class IAudioVisualizationEx2;

// The main window's recording and playback operations. Connects itself to
// the recorder's and player's signals. Errors propagate as AppError to the
// application-wide handler. GUI thread only.
class AudioEngine : public QObject {
    Q_OBJECT
public:
    AudioEngine(EngineState& state, SettingsFile& settings, IAudioRecord2& AudioRecord1,
                IAudioFile2& AudioFileWrite, IAudioFile2& AudioFilepaly,
                IAudioPlayer2& AudioPlayer21, IAudioVisualizationEx2& AudioVisualization21,
                DisplayObjects& display, IPlaylist& playlist, IEngineHost& host,
                QObject* parent = nullptr);
    ~AudioEngine() override;

    void StartRecording();
    void StopRecording();
    void PauseResumeRecording();

    void StartPlayback();
    void StopPlayback();
    void PauseResumePlayback();
    void SeekPlayback();
    void FeedPlayerBlock();

    // Finishes a running or paused recording (its file is closed, listed and
    // tagged) and stops a playback; for the closing main window. A running
    // join must have been ended first.
    void FinishAtClose();

public slots:
    void AudioRecord1EndArrayRecord(int nBlock);
    void AudioRecord1Timer(qint64 CurrentSamples, int LevelLeft, int LevelRight);
    void AudioPlayer21RequestOnLoadArray();
    void AudioPlayer21EndArrayPlay();
    void AudioPlayer21Timer(qint64 CurrentSamples, int LevelLeft, int LevelRight);
    void AudioPlayer21EndPlay();
    // The sound server ended capture or output on its own.
    void AudioRecord1Error(const QString& message);
    void AudioPlayer21Error(const QString& message);

private:
    void ResetDisplay();
    EngineState& state_;
    SettingsFile& settings_;
    IAudioRecord2& AudioRecord1;
    IAudioFile2& AudioFileWrite;
    IAudioFile2& AudioFilepaly;
    IAudioPlayer2& AudioPlayer21;
    IAudioVisualizationEx2& AudioVisualization21;
    DisplayObjects& display_;
    IPlaylist& playlist_;
    IEngineHost& host_;

    void ApplyLengthLimit(int64_t seconds);
    // Stop a recording or playback that is running or paused.
    void EndRunningRecording();
    void EndRunningPlayback();
    void FeedPlayingBlock();
    void StartRecorder();
    void StopRecorder();
    void StartPlayer();
    void ResumePlayer();
    void StopPlayer();
    void ShowFileSize(const QString& path);
    QWidget* BoxParent() const;

    // Names already given to parts of the current recording (roll-overs).
    OutputNameRun nameRun_;
    bool rollingOver_ = false;
    // Whether the components currently run: timer events that arrive after a
    // stop or pause (queued before it) are stale and ignored.
    bool recorderRunning_ = false;
    bool playerRunning_ = false;
};

} // namespace varnelo
