#pragma once

#include <QString>

class QWidget;

namespace varnelo {

class IAudioInformation2;
class SettingsFile;

// Writes the stored tags (settings section "info") into the file at `path`
// through the tag component. The stored year and track must be whole
// decimal numbers the component accepts; otherwise "Invalid Year Value" or
// "Invalid Track Value" is shown (parent: `parent`) and nothing is written.
// The stored "genre" is the genre's index (-1: none), handed over as the
// genre's name. Tag values
// the stored ones do not cover are whatever the component holds. Other
// failures of the component throw AppError. GUI thread only.
void WriteTagsToFile(IAudioInformation2& info, const SettingsFile& settings, QWidget* parent,
                     const QString& path);

// A whole decimal number within the 32-bit signed range, or nothing.
bool ParseTagNumber(const QString& text, int& value);

} // namespace varnelo
