#include "font_tables.h"

namespace standin {

uint8_t FontCodeToCharacter(int code) {
    static constexpr uint8_t kUmlauts[6] = {0xC4, 0xD6, 0xDC, 0xE4, 0xF6, 0xFC};
    if (code >= 26 && code < 32) return kUmlauts[code - 26];
    return static_cast<uint8_t>(code);
}

}  // namespace standin
