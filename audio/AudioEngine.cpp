#include "audio/AudioEngine.h"

#include "audio/EncoderSetup.h"
#include "audio/LengthLimit.h"
#include "audio/PlayBarMapping.h"
#include "audio/TimeText.h"
#include "platform/audio/api/IAudioFile2.h"
#include "platform/audio/api/IAudioPlayer2.h"
#include "platform/audio/api/IAudioRecord2.h"
#include "platform/audio/api/IAudioVisualizationEx2.h"
#include "platform/core/AppError.h"
#include "platform/shell/InfoBox.h"
#include "settings/SettingsFile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QWidget>
#include <exception>

namespace varnelo {

namespace {
// Runs `step`, keeping the first error for later, so that the steps after it
// still run (the state and display must be reset whatever fails).
template <typename Step> void Guarded(std::exception_ptr& firstError, Step&& step) {
    try {
        step();
    } catch (...) {
        if (!firstError)
            firstError = std::current_exception();
    }
}

// Runs `body`; when it fails, `end` finishes the activity before the error
// leaves for the application's handler. The handler's box is modal and the
// components' events go on while it is open: a recording or playback left
// running would fail again at every block and stack box upon box. The first
// error is the one shown; a second one from `end` adds nothing for the user.
template <typename Body, typename End> void EndOnError(Body&& body, End&& end) {
    try {
        body();
    } catch (...) {
        const std::exception_ptr error = std::current_exception();
        try {
            end();
        } catch (...) {
        }
        std::rethrow_exception(error);
    }
}

// The extension with its dot, "" when the file name has none.
QString Extension(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

QString ChannelText(int channels) {
    if (channels == 1)
        return QStringLiteral("Mono");
    if (channels == 2)
        return QStringLiteral("Stereo");
    return QStringLiteral("%1 Channels").arg(channels);
}
} // namespace

AudioEngine::AudioEngine(EngineState& state, SettingsFile& settings, IAudioRecord2& AudioRecord1,
                         IAudioFile2& AudioFileWrite, IAudioFile2& AudioFilepaly,
                         IAudioPlayer2& AudioPlayer21, IAudioVisualizationEx2& AudioVisualization21,
                         DisplayObjects& display, IPlaylist& playlist, IEngineHost& host,
                         QObject* parent)
    : QObject(parent), state_(state), settings_(settings), AudioRecord1(AudioRecord1),
      AudioFileWrite(AudioFileWrite), AudioFilepaly(AudioFilepaly), AudioPlayer21(AudioPlayer21),
      AudioVisualization21(AudioVisualization21), display_(display), playlist_(playlist),
      host_(host) {
    connect(&AudioRecord1, &IAudioRecord2::OnEndArrayRecord, this,
            &AudioEngine::AudioRecord1EndArrayRecord);
    connect(&AudioRecord1, &IAudioRecord2::OnTimer, this, &AudioEngine::AudioRecord1Timer);
    connect(&AudioRecord1, &IAudioRecord2::OnError, this, &AudioEngine::AudioRecord1Error);
    connect(&AudioPlayer21, &IAudioPlayer2::OnRequestOnLoadArray, this,
            &AudioEngine::AudioPlayer21RequestOnLoadArray);
    connect(&AudioPlayer21, &IAudioPlayer2::OnEndArrayPlay, this,
            &AudioEngine::AudioPlayer21EndArrayPlay);
    connect(&AudioPlayer21, &IAudioPlayer2::OnTimer, this, &AudioEngine::AudioPlayer21Timer);
    connect(&AudioPlayer21, &IAudioPlayer2::OnEndPlay, this, &AudioEngine::AudioPlayer21EndPlay);
    connect(&AudioPlayer21, &IAudioPlayer2::OnError, this, &AudioEngine::AudioPlayer21Error);
}

AudioEngine::~AudioEngine() = default;

QWidget* AudioEngine::BoxParent() const {
    return qobject_cast<QWidget*>(parent());
}

void AudioEngine::StartRecorder() {
    recorderRunning_ = true;
    AudioRecord1.StartRecord();
}

void AudioEngine::StopRecorder() {
    recorderRunning_ = false;
    AudioRecord1.StopRecord();
}

void AudioEngine::StartPlayer() {
    playerRunning_ = true;
    AudioPlayer21.StartPlay();
}

// Resuming after a pause: the player dropped what it had queued, so the
// reader goes back to where the shown time stopped and two blocks are queued
// again; nothing of the file is skipped. When the output already runs (after a
// seek while paused) this only leaves it running.
void AudioEngine::ResumePlayer() {
    if (playerRunning_)
        return;
    AudioFilepaly.Seek(state_.SampleBase, 3);
    StartPlayer();
    FeedPlayerBlock();
    FeedPlayerBlock();
}

void AudioEngine::StopPlayer() {
    playerRunning_ = false;
    AudioPlayer21.StopPlay();
}

// The size of the file as it stands on disk, in whole KB.
void AudioEngine::ShowFileSize(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(
            QStringLiteral("Cannot open the file \"%1\": %2").arg(path, file.errorString()));
    const qint64 kb = file.size() / 1024;
    file.close();
    DisplayObjects::SetText(display_.s_sizeson, QStringLiteral("File Size: %1 KB").arg(kb));
}

// ---------------------------------------------------------------- recording

void AudioEngine::StartRecording() {
    if (state_.JoinActive)
        return;
    if (!state_.RecordingActive && state_.RecordingNotPaused) {
        // The settings dialog's current values are stored first; whatever that
        // shows or fails, the start goes on.
        try {
            host_.SaveSettingsDialog();
        } catch (const AppError& error) {
            ShowInfoBox(BoxParent(), error.message());
        }
    }
    if (!state_.RecordingNotPaused) {
        // Paused: resume into the same file.
        state_.RecordingNotPaused = true;
        StartRecorder();
        return;
    }
    if (state_.RecordingActive)
        return;
    if (state_.PlaybackActive) {
        ShowInfoBox(BoxParent(), QStringLiteral("Please stop playing first."));
        return;
    }

    const OutputNameSettings names = ReadOutputNameSettings(settings_);
    EnsureOutputDirectory(names.dir);
    const EncoderSetup setup = ReadEncoderSetup(settings_, names.format, names.custom);
    if (!ApplyEncoderSetup(setup, AudioFileWrite)) {
        ShowInfoBox(BoxParent(), QStringLiteral("This OGG format is not supported."));
        return;
    }
    DisplayObjects::SetText(display_.s_mono, setup.infoText);
    if (!rollingOver_)
        nameRun_.Begin();
    state_.CurrentFileName = nameRun_.Claim(BuildOutputPath(names, QDateTime::currentDateTime()));

    if (AudioFileWrite.IsOpen())
        AudioFileWrite.CloseFile();
    const int sampleRate = AudioFileWrite.SampleRate();
    const int channels = AudioFileWrite.Channels();
    AudioFileWrite.SetInputFormat(sampleRate, channels);
    AudioFileWrite.CreateNewFile(state_.CurrentFileName, 0);

    state_.SampleTotal = 0;
    state_.RecordingActive = true;
    state_.RecordingNotPaused = true;
    AudioVisualization21.SetVisible(true);
    DisplayObjects::SetText(display_.s_filename,
                            QStringLiteral("File Name: ") +
                                ShownName(state_.CurrentFileName, names.mainName));

    AudioRecord1.SetRecordFormat(sampleRate, channels);
    state_.BlockSamples = static_cast<int>(AudioRecord1.MsToSamples(200));
    AudioRecord1.SetBlockSize(state_.BlockSamples);
    StartRecorder();
    if (const int status = AudioRecord1.RecordStatus(); status != 0) {
        QString reason = AudioRecord1.RecordStatusText();
        StopRecording();
        if (reason.isEmpty())
            reason = QStringLiteral("Recording could not start (status %1).").arg(status);
        throw AppError(reason);
    }
}

void AudioEngine::StopRecording() {
    if (state_.JoinActive)
        return;
    std::exception_ptr firstError;
    state_.SampleBase = 0;
    Guarded(firstError, [this] { StopRecorder(); });
    bool closed = true;
    Guarded(firstError, [&] {
        closed = false;
        if (AudioFileWrite.IsOpen())
            AudioFileWrite.CloseFile();
        closed = true;
    });
    state_.AddRecordingToList = true;
    // A file that could not be closed is not complete; it is not listed or tagged.
    if (closed && (state_.RecordingActive || !state_.RecordingNotPaused)) {
        Guarded(firstError, [this] {
            host_.AddFilesToJoinList();
            host_.WriteTagsToFile(state_.CurrentFileName);
        });
    }
    state_.RecordingActive = false;
    state_.AddRecordingToList = false;
    state_.RecordingNotPaused = true;
    Guarded(firstError, [this] { ResetDisplay(); });
    if (firstError)
        std::rethrow_exception(firstError);
}

// The display after a recording or playback: no texts, no level display, an
// inactive play bar that keeps its position.
void AudioEngine::ResetDisplay() {
    display_.ClearTexts();
    AudioVisualization21.SetVisible(false);
    DisplayObjects::SetEnabled(display_.play_bar, false);
}

void AudioEngine::PauseResumeRecording() {
    if (state_.RecordingNotPaused) {
        state_.SampleBase = state_.SampleTotal;
        StopRecorder();
    } else {
        StartRecorder();
    }
    state_.RecordingNotPaused = !state_.RecordingNotPaused;
}

void AudioEngine::AudioRecord1EndArrayRecord(int /*nBlock*/) {
    if (!state_.RecordingActive)
        return; // a block queued before the stop
    EndOnError(
        [this] {
            const SampleArray block = AudioRecord1.GetRecordArray();
            if (block.UpperBound() < 1)
                return;
            AudioFileWrite.WriteArray(block);
            AudioVisualization21.ShowArray(block);
            if (state_.MainDragIdle)
                ShowFileSize(state_.CurrentFileName);
        },
        [this] { EndRunningRecording(); });
}

void AudioEngine::AudioRecord1Timer(qint64 CurrentSamples, int /*LevelLeft*/, int /*LevelRight*/) {
    if (!state_.RecordingActive || !recorderRunning_)
        return; // stale: queued before a stop or pause
    state_.SampleTotal = state_.SampleBase + CurrentSamples;
    const int64_t ms = AudioRecord1.SamplesToMs(state_.SampleTotal);
    if (state_.MainDragIdle)
        DisplayObjects::SetText(display_.s_time, QStringLiteral("Time: ") + TimeText(ms));
    EndOnError([&] { ApplyLengthLimit(WholeSeconds(ms)); }, [this] { EndRunningRecording(); });
}

void AudioEngine::EndRunningRecording() {
    if (state_.RecordingActive || !state_.RecordingNotPaused)
        StopRecording();
}

void AudioEngine::ApplyLengthLimit(int64_t seconds) {
    const auto limit = ReadLengthLimit(settings_);
    if (!limit || seconds < limit->seconds)
        return;
    if (limit->stop)
        StopRecording();
    if (limit->newFile) {
        StopRecording();
        // A limit of 0 would cut every new part at its first timer event, an
        // endless stream of empty files: the recording ends instead.
        if (limit->seconds <= 0)
            return;
        rollingOver_ = true;
        try {
            StartRecording();
        } catch (...) {
            rollingOver_ = false;
            throw;
        }
        rollingOver_ = false;
    }
}

// The sound server ended the capture (lost connection, vanished source): the
// recording is finished with what it has, then the reason is shown. Handled
// here rather than thrown, so the error does not unwind through the
// component that reported it.
void AudioEngine::AudioRecord1Error(const QString& message) {
    if (!state_.RecordingActive)
        return;
    StopRecording();
    ShowInfoBox(BoxParent(), message);
}

// ----------------------------------------------------------------- playback

void AudioEngine::StartPlayback() {
    if (state_.JoinActive)
        return;
    if (!state_.PlaybackNotPaused) {
        ResumePlayer();
        state_.PlaybackNotPaused = true;
        return;
    }
    if (state_.PlaybackActive)
        return;
    if (state_.RecordingActive) {
        ShowInfoBox(BoxParent(), QStringLiteral("Please stop recording first."));
        return;
    }
    if (playlist_.Count() <= 0)
        return;
    if (playlist_.FirstSelectedIndex() < 0)
        playlist_.SelectItem(playlist_.Count() - 1);
    const QString path = playlist_.ItemPath(playlist_.FirstSelectedIndex());

    state_.SampleTotal = 0;
    state_.PlaybackActive = true;
    state_.PlaybackNotPaused = true;
    ShowFileSize(path);
    if (AudioFilepaly.IsOpen())
        AudioFilepaly.CloseFile();
    AudioFilepaly.OpenFile(path, 0, 1);
    DisplayObjects::SetText(display_.s_time, QStringLiteral("Time: ") + Extension(path));
    DisplayObjects::SetText(display_.s_mono, QStringLiteral("File Info: %1 %2K %3HZ")
                                                 .arg(ChannelText(AudioFilepaly.FileChannels()))
                                                 .arg(AudioFilepaly.Bitrate() / 1000)
                                                 .arg(AudioFilepaly.FileSampleRate()));
    state_.BlockSamples = 4100;
    AudioFilepaly.Seek(0, 3);
    AudioPlayer21.SetPlayFormat(AudioFilepaly.SampleRate(), AudioFilepaly.Channels());
    AudioVisualization21.SetVisible(true);
    StartPlayer();
    DisplayObjects::SetText(display_.s_filename,
                            QStringLiteral("File Name: ") + QFileInfo(path).fileName());
    DisplayObjects::SetEnabled(display_.play_bar, true);
    FeedPlayerBlock();
    FeedPlayerBlock();
}

void AudioEngine::FeedPlayerBlock() {
    const SampleArray block = AudioFilepaly.ReadArray(state_.BlockSamples);
    AudioPlayer21.PlayArray(block);
    AudioVisualization21.ShowArray(block);
}

void AudioEngine::StopPlayback() {
    if (state_.JoinActive)
        return;
    std::exception_ptr firstError;
    state_.SampleBase = 0;
    state_.PlaybackActive = false;
    state_.PlaybackNotPaused = true;
    Guarded(firstError, [this] { StopPlayer(); });
    Guarded(firstError, [this] {
        if (AudioFilepaly.IsOpen())
            AudioFilepaly.CloseFile();
    });
    Guarded(firstError, [this] { ResetDisplay(); });
    if (firstError)
        std::rethrow_exception(firstError);
}

void AudioEngine::PauseResumePlayback() {
    if (state_.PlaybackNotPaused) {
        state_.SampleBase = state_.SampleTotal;
        StopPlayer();
    } else {
        ResumePlayer();
    }
    state_.PlaybackNotPaused = !state_.PlaybackNotPaused;
}

void AudioEngine::SeekPlayback() {
    state_.PlayBarTracking = true;
    StopPlayer();
    const int p = display_.play_bar.slider ? display_.play_bar.slider->GetPosition() : 0;
    if (p >= PlayBarEnd) {
        StopPlayback();
        return;
    }
    const int64_t target = SeekTarget(p, AudioFilepaly.Length());
    AudioFilepaly.Seek(target, 3);
    state_.SampleBase = target;
    StartPlayer();
    // The player dropped its queue when it stopped: queue two blocks again, so
    // the output goes on from the target without a gap.
    FeedPlayerBlock();
    FeedPlayerBlock();
}

void AudioEngine::AudioPlayer21RequestOnLoadArray() {
    FeedPlayingBlock();
}

void AudioEngine::AudioPlayer21EndArrayPlay() {
    FeedPlayingBlock();
}

// The player asks for more while it plays; a block that cannot be read ends
// the playback before the error is shown.
void AudioEngine::FeedPlayingBlock() {
    if (!state_.PlaybackActive)
        return;
    EndOnError([this] { FeedPlayerBlock(); }, [this] { EndRunningPlayback(); });
}

void AudioEngine::AudioPlayer21Timer(qint64 CurrentSamples, int /*LevelLeft*/, int /*LevelRight*/) {
    if (!state_.PlaybackActive || !playerRunning_)
        return; // stale: queued before a stop, pause or seek
    state_.SampleTotal = state_.SampleBase + CurrentSamples;
    if (!state_.MainDragIdle)
        return;
    const int64_t ms = AudioPlayer21.SamplesToMs(state_.SampleTotal);
    DisplayObjects::SetText(display_.s_time, QStringLiteral("Time: ") + TimeText(ms));
    if (state_.PlayBarTracking)
        DisplayObjects::SetPosition(display_.play_bar,
                                    PlayBarPosition(state_.SampleTotal, AudioFilepaly.Length()));
}

void AudioEngine::AudioPlayer21EndPlay() {
    if (state_.PlaybackActive)
        StopPlayback();
}

void AudioEngine::AudioPlayer21Error(const QString& message) {
    if (!state_.PlaybackActive)
        return;
    StopPlayback();
    ShowInfoBox(BoxParent(), message);
}

void AudioEngine::EndRunningPlayback() {
    if (state_.PlaybackActive || !state_.PlaybackNotPaused)
        StopPlayback();
}

void AudioEngine::FinishAtClose() {
    EndRunningRecording();
    EndRunningPlayback();
}

} // namespace varnelo
