#include "audio/TimeText.h"

namespace varnelo {

QString TimeText(int64_t ms) {
    const int64_t seconds = ms / 1000;
    const int64_t hours = seconds / 3600;
    const int64_t minutes = (seconds - 3600 * hours) / 60;
    const int64_t secs = seconds % 60;
    const auto two = [](int64_t value) {
        return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
    };
    return two(hours) + QLatin1Char(':') + two(minutes) + QLatin1Char(':') + two(secs);
}

} // namespace varnelo
