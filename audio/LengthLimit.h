#pragma once

#include <cstdint>
#include <optional>

class QString;

namespace varnelo {

class SettingsFile;

// The length limit of a recording, read from [file] at every timer event.
struct LengthLimit {
    int64_t seconds = 0;  // each file is cut when its time reaches this
    bool stop = false;    // "limit_s"
    bool newFile = false; // "limit_n"
};

// The limit in force, or nothing when limitation is off or "timet" holds no
// whole number of seconds (such a value is ignored rather than failing the
// recording at every timer event).
std::optional<LengthLimit> ReadLengthLimit(const SettingsFile& settings);

// "timet" as whole seconds; nothing when it is not a decimal integer.
std::optional<int64_t> ParseLimitSeconds(const QString& text);

} // namespace varnelo
