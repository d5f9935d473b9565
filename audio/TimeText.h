#pragma once

#include <QString>
#include <cstdint>

namespace varnelo {

// "hh:mm:ss" (at least two digits each) for a time in milliseconds.
QString TimeText(int64_t ms);

// Whole seconds of a time in milliseconds (what the length limit compares).
inline int64_t WholeSeconds(int64_t ms) {
    return ms / 1000;
}

} // namespace varnelo
