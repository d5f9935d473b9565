#pragma once

#include <QString>

namespace varnelo {

struct EngineState;

// What the skin's commands act on. The main window implements it; the
// dispatch below decides, by object name and engine state, what is called.
class SkinCommandTargets {
public:
    virtual ~SkinCommandTargets() = default;
    virtual void StartRecording() = 0;
    virtual void StopRecording() = 0;
    virtual void PauseResumeRecording() = 0;
    virtual void StartPlayback() = 0;
    virtual void StopPlayback() = 0;
    virtual void PauseResumePlayback() = 0;
    virtual void SeekPlayback() = 0;
    virtual void AddFiles() = 0;
    virtual void RemoveSelected() = 0;
    virtual void MoveSelectedUp() = 0;
    virtual void MoveSelectedDown() = 0;
    virtual void JoinFiles() = 0;
    virtual void FocusJoinList() = 0;
    virtual void ShowJoinList() = 0;
    virtual void CloseJoinList() = 0;
    virtual void ShowScheduleDialog() = 0;
    virtual void ShowSourceDialog() = 0;
    virtual void ShowSettingsDialog() = 0;
    virtual void ShowTagEditor() = 0;
    virtual void OpenHelp() = 0;
};

// A click on the skin object `name` (exact, case-sensitive; names of both
// skin forms). Names that are no command do nothing.
void DispatchSkinClick(const QString& name, EngineState& state, SkinCommandTargets& targets);

// A press on the skin object `name`: marks a press on a command object
// (SkinControlPressed) and, for the play bar, stops it following playback.
void MarkSkinPress(const QString& name, EngineState& state);

// A release over the skin object `name`: seeks when it is the play bar and a
// playback is active or paused.
void HandleSkinRelease(const QString& name, const EngineState& state, SkinCommandTargets& targets);

} // namespace varnelo
