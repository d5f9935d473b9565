#pragma once

#include "app/AudioComponentSet.h"
#include "app/SkinCommands.h"
#include "audio/DisplayObjects.h"
#include "audio/EngineHost.h"
#include "audio/EngineState.h"
#include "platform/skin/TSkin.h"

#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <memory>

class QDialog;

namespace varnelo {

class AudioEngine;
class SettingsFile;
class TAudioVisualizationEx2;
class Tfm_dev;
class Tfm_dir;
class Tfm_id3;
class Tfm_list;
class Tfm_sche;
class Tfm_set;

// The other windows, created after the main window in this order.
struct ProgramWindows {
    Tfm_sche* fm_sche = nullptr;
    Tfm_dev* fm_dev = nullptr;
    Tfm_id3* fm_id3 = nullptr;
    Tfm_set* fm_set = nullptr;
    Tfm_dir* fm_dir = nullptr;
    Tfm_list* fm_list = nullptr;
};

// The skinned main window (fm_main, "Varnelo"): holds the skin control and
// the audio components, runs the show sequence when first shown, turns skin
// clicks into commands, drags and docks itself and the join list window, and
// handles every error that escapes a handler. Closing it finishes what runs
// and ends the program. GUI thread only.
class Tfm_main : public QWidget, public IEngineHost, public SkinCommandTargets {
    Q_OBJECT
public:
    static constexpr int kLeft = 326;
    static constexpr int kTop = 227;
    static constexpr int kClientWidth = 383;
    static constexpr int kClientHeight = 207;

    // `skinPath`: the skin file; the program passes du3vor.dll beside the
    // executable.
    Tfm_main(SettingsFile& settings, AudioComponentSet components, const QString& skinPath,
             QWidget* parent = nullptr);
    ~Tfm_main() override;

    // Wires the windows created after this one; the show sequence and the
    // commands need them.
    void SetWindows(const ProgramWindows& windows);

    // FormCreate: the creation event.
    void FormCreate();
    // FormShow: the show sequence; an error stops it at the failing step and
    // propagates.
    void FormShow();
    void BindSkinObjects();

    // The application-wide error handler: shows the message, then stops a
    // running recording and a running playback.
    void ApplicationEvents1Exception(const QString& message);
    // The application-wide message hook: runs for every event taken from the
    // queue and on a heartbeat timer.
    void ApplicationEvents1Message();

    // Skin events.
    void Skin1Click(ISkinObject* Source);
    void Skin1MouseDown(ISkinObject* Source, int Button, int x, int y);
    void Skin1MouseUp(ISkinObject* Source, int Button, int x, int y);

    // The main window's own mouse events (client coordinates).
    void FormMouseDown(int x, int y);
    void FormMouseMove(int x, int y);
    void FormMouseUp(int x, int y);
    // The join list window's mouse events (its client coordinates).
    void ListFormMouseDown(int x, int y);
    void ListFormMouseMove(int x, int y);
    void ListFormMouseUp(int x, int y);

    // Recording and playback operations (the audio engine's).
    void StartRecording() override;
    void StopRecording() override;
    void PauseResumeRecording() override;
    void StartPlayback() override;
    void StopPlayback() override;
    void PauseResumePlayback() override;
    void SeekPlayback() override;
    void FeedPlayerBlock();

    // IEngineHost
    void SaveSettingsDialog() override;
    void AddFilesToJoinList() override;
    void WriteTagsToFile(const QString& path) override;

    // Commands of the skin (SkinCommandTargets).
    void AddFiles() override;
    void RemoveSelected() override;
    void MoveSelectedUp() override;
    void MoveSelectedDown() override;
    void JoinFiles() override;
    void FocusJoinList() override;
    void ShowJoinList() override;
    void CloseJoinList() override;
    void ShowScheduleDialog() override;
    void ShowSourceDialog() override;
    void ShowSettingsDialog() override;
    void ShowTagEditor() override;
    void OpenHelp() override;

    EngineState& State() { return state_; }
    DisplayObjects& Display() { return display_; }
    bool ShowSequenceRan() const { return showSequenceRan_; }

    // Components of the main window.
    TSkin Skin1;
    std::unique_ptr<IAudioRecord2> AudioRecord1;
    std::unique_ptr<IAudioPlayer2> AudioPlayer21;
    std::unique_ptr<IAudioFile2> AudioFileWrite;
    std::unique_ptr<IAudioFile2> AudioFilepaly;
    std::unique_ptr<IAudioInformation2> AudioInformation21;
    TAudioVisualizationEx2* AudioVisualization21 = nullptr;

signals:
    // The show sequence ran to its end (true) or an error stopped it (false,
    // after the error handler).
    void ShowSequenceEnded(bool completed);
    // The main window closed; the program ends.
    void MainFormClosed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RunShowSequence();
    // Places a dialog at the offset from this window and shows it modally.
    void ShowModalAt(QDialog& dialog, int dx);
    void MoveWindowTo(QWidget& window, QPoint topLeft);
    // The move rules shared by background and title bar drags. `delta`: the
    // pointer's position in the window's client coordinates less the press
    // position. `dragging`: a drag is armed and the left button is down.
    void MoveMainWindow(QPoint delta, bool dragging);
    // Returns whether the list window is held docked after the move.
    bool MoveListWindow(QPoint delta, bool heldDocked);
    static bool LeftButtonDown();

    SettingsFile& settings_;
    QString skinPath_;
    EngineState state_;
    DisplayObjects display_;
    ProgramWindows windows_;
    std::unique_ptr<AudioEngine> engine_;
    QTimer heartbeat_;
    bool showSequenceRan_ = false;
    QPoint MainDragAnchor;
    QPoint ListDragAnchor;
    // A title bar drag of the list window that started docked stays docked
    // (it slides) until it tears away, as one that snapped on during a drag.
    bool listBarHeldDocked_ = false;
};

} // namespace varnelo
