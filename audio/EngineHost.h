#pragma once

#include <QString>

namespace varnelo {

// What the recording and playback operations need of the other windows.
// Implemented by the main window. GUI thread only.
class IEngineHost {
public:
    virtual ~IEngineHost() = default;
    // The settings dialog's OK operation (saves the dialog's control values).
    virtual void SaveSettingsDialog() = 0;
    // The join list's AddFiles (takes CurrentFileName while AddRecordingToList).
    virtual void AddFilesToJoinList() = 0;
    virtual void WriteTagsToFile(const QString& path) = 0;
};

} // namespace varnelo
