#include "joiner/DurationText.h"

namespace varnelo {

QString DurationText(int64_t milliseconds) {
    const int64_t s = milliseconds > 0 ? milliseconds / 1000 : 0;
    const int64_t h = s / 3600;
    const int64_t m = (s - 3600 * h) / 60;
    const int64_t r = s % 60;
    return QStringLiteral("%1:%2:%3")
        .arg(h, 2, 10, QLatin1Char('0'))
        .arg(m, 2, 10, QLatin1Char('0'))
        .arg(r, 2, 10, QLatin1Char('0'));
}

} // namespace varnelo
