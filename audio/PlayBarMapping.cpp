#include "audio/PlayBarMapping.h"

#include <algorithm>

namespace varnelo {

int64_t MulDiv(int64_t a, int64_t b, int64_t c) {
    if (c == 0)
        return -1;
    __extension__ using Wide = __int128;
    Wide product = static_cast<Wide>(a) * b;
    Wide divisor = c;
    if (divisor < 0) {
        product = -product;
        divisor = -divisor;
    }
    const Wide half = divisor / 2;
    const Wide result = product >= 0 ? (product + half) / divisor : -((-product + half) / divisor);
    return static_cast<int64_t>(result);
}

int PlayBarPosition(int64_t sampleTotal, int64_t length) {
    if (length <= 0)
        return 0;
    const int64_t bar = MulDiv(sampleTotal, PlayBarMax, length);
    return static_cast<int>(std::clamp<int64_t>(bar, 0, PlayBarMax));
}

int64_t SeekTarget(int barPosition, int64_t length) {
    if (length <= 0)
        return 0;
    return std::max<int64_t>(0, MulDiv(barPosition, length, PlayBarMax));
}

} // namespace varnelo
