#pragma once

#include <QString>
#include <cstdint>

namespace varnelo {

// The program's shared run-time state: the engine's state machines and the
// shell's flags. One instance, owned by the main window, read and written on
// the GUI thread only.
struct EngineState {
    // recording and playback state machines
    bool RecordingActive = false;
    bool RecordingNotPaused = true;
    bool PlaybackActive = false;
    bool PlaybackNotPaused = true;
    bool AddRecordingToList = false;
    QString CurrentFileName;
    int BlockSamples = 0;
    int64_t SampleBase = 0;
    int64_t SampleTotal = 0;

    // a join is running
    bool JoinActive = false;

    // shell flags
    bool MainDragIdle = true; // starts true so a scheduled recording shows its time
    bool ListDragIdle = false;
    bool SkinControlPressed = false;
    bool ListWindowShown = false;
    bool PlayBarTracking = true;
};

} // namespace varnelo
