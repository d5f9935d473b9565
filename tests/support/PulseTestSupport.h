#pragma once

// Helpers for tests against the private PulseAudio daemon of the "pulse"
// fixture (PULSE_SERVER points at it inside the test binary).

#include "platform/audio/api/IAudioRecord2.h"

#include <QProcess>
#include <QString>
#include <QStringList>

namespace varnelo::testing {

// Runs pactl against the daemon; its trimmed standard output.
inline QString Pactl(const QStringList& args) {
    QProcess p;
    p.start("pactl", args);
    p.waitForFinished(10000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

// Adds a null sink (whose monitor becomes a new line); the module's index,
// empty when the daemon refused.
inline QString LoadNullSink(const QString& sinkName, const QString& description) {
    return Pactl({"load-module", "module-null-sink", "sink_name=" + sinkName,
                  "sink_properties=device.description=" + description});
}

// The number of the recorder's line called `name`, 0 when there is none. It
// leaves that line (or the last one) selected in the recorder.
inline int LineNamed(IAudioRecord2& recorder, const QString& name) {
    for (int line = 1; line <= recorder.DeviceLineCount(); ++line) {
        recorder.SelectLine(line);
        if (recorder.LineName() == name)
            return line;
    }
    return 0;
}

} // namespace varnelo::testing
