#pragma once

#include <QString>
#include <cstdint>

namespace varnelo {

// A duration in milliseconds as the join list shows it: hours, minutes and
// whole seconds, each at least two digits, joined by ":". Partial seconds are
// dropped (1999 ms reads 00:00:01); 100 hours and more give three-digit hours.
// A negative duration (a component that cannot tell) reads as zero.
QString DurationText(int64_t milliseconds);

} // namespace varnelo
