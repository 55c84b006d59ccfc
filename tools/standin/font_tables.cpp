#include "font_tables.h"

namespace standin {

const std::array<uint8_t, 98> kFont1Advances = {
    9,  10, 10, 8,  8,  8,  6,  3,  7,  7, 7,  12, 0, 5,  4,  4,   // 26-41
    7,  7,  6,  5,  4,  5,  8,  8,  8,  8, 8,  8,  8, 8,  8,  8,   // 42-57
    4,  6,  8,  8,  8,  8,  13, 9,  10, 9, 10, 9,  8, 10, 10, 4,   // 58-73
    8,  9,  8,  12, 10, 10, 9,  10, 10, 8, 9,  10, 9, 15, 10, 11,  // 74-89
    10, 4,  5,  4,  0,  9,  0,  8,  8,  7, 8,  7,  5, 8,  8,  4,   // 90-105
    5,  7,  4,  12, 8,  8,  8,  8,  5,  7, 5,  8,  9, 11, 9,  9,   // 106-121
    7,  16,                                                        // 122, icon
};

const std::array<uint8_t, 70> kFont2Advances = {
    5, 5, 5, 0, 0, 0, 3, 2, 4, 0, 6, 5, 0, 0, 3, 3,  // 26-41
    6, 6, 3, 6, 2, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5,  // 42-57
    2, 0, 5, 5, 5, 5, 0, 5, 5, 5, 5, 5, 5, 5, 5, 2,  // 58-73
    5, 5, 4, 6, 5, 5, 5, 5, 5, 5, 4, 5, 6, 6, 6, 6,  // 74-89
    6, 3, 5, 3, 0, 5,                                // 90-95
};

uint8_t FontCodeToCharacter(int code) {
    static constexpr uint8_t kUmlauts[6] = {0xC4, 0xD6, 0xDC, 0xE4, 0xF6, 0xFC};
    if (code >= 26 && code < 32) return kUmlauts[code - 26];
    return static_cast<uint8_t>(code);
}

}  // namespace standin
