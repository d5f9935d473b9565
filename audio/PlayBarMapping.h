#pragma once

#include <cstdint>

namespace varnelo {

// The play bar's scale: position p stands for p/980 of the file's length.
inline constexpr int PlayBarMax = 980;
// Releasing the bar at this position or beyond ends the playback.
inline constexpr int PlayBarEnd = 979;

// a * b / c rounded to the nearest integer (halves away from zero) with a
// wide intermediate; -1 when c is 0 (as the Win32 operation does).
int64_t MulDiv(int64_t a, int64_t b, int64_t c);

// Bar position for a playing position: 0 for an empty file, at most 980.
int PlayBarPosition(int64_t sampleTotal, int64_t length);

// Playing position for a bar position.
int64_t SeekTarget(int barPosition, int64_t length);

} // namespace varnelo
