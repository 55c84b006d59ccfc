#include "panel/amount_text.h"

#include <cinttypes>
#include <cstdio>

std::string FormatAmount(int64_t value, AmountGroups groups) {
    // The magnitude in unsigned arithmetic, so that the most negative values
    // print their true digits.
    const uint64_t magnitude =
        value < 0 ? uint64_t{0} - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    const int32_t most = static_cast<int32_t>(groups);
    int32_t count = 1;
    uint64_t scale = 1;  // 1000^(count - 1)
    while (count < most && magnitude / scale >= 1000) {
        scale *= 1000;
        ++count;
    }
    char text[48];
    int length =
        std::snprintf(text, sizeof text, "%s%" PRIu64, value < 0 ? "-" : "", magnitude / scale);
    for (uint64_t unit = scale / 1000; unit > 0; unit /= 1000) {
        length += std::snprintf(text + length, sizeof text - static_cast<size_t>(length),
                                ",%03" PRIu64, magnitude / unit % 1000);
    }
    return text;
}
