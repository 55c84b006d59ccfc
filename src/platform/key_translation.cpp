#include "platform/key_translation.h"

#include <iterator>

namespace plat {
namespace {

struct KeyPair {
    uint32_t usage;  // USB keyboard usage number
    int32_t virtualKey;
};

// Keys other than letters and digits, by their place on the keyboard.
constexpr KeyPair kKeys[] = {
    {0x28, 13},   // Enter
    {0x29, 27},   // Escape
    {0x2A, 8},    // Backspace
    {0x2B, 9},    // Tab
    {0x2C, 32},   // Space
    {0x2D, 189},  // - _
    {0x2E, 187},  // = +
    {0x2F, 219},  // [ {
    {0x30, 221},  // ] }
    {0x31, 220},  // \ |
    {0x32, 220},  // # ~ beside Enter on international keyboards
    {0x33, 186},  // ; :
    {0x34, 222},  // ' "
    {0x35, 192},  // ` ~
    {0x36, 188},  // , <
    {0x37, 190},  // . >
    {0x38, 191},  // / ?
    {0x39, 20},   // Caps Lock
    {0x46, 44},   // Print Screen
    {0x47, 145},  // Scroll Lock
    {0x48, 19},   // Pause
    {0x49, 45},   // Insert
    {0x4A, 36},   // Home
    {0x4B, 33},   // Page Up
    {0x4C, 46},   // Delete
    {0x4D, 35},   // End
    {0x4E, 34},   // Page Down
    {0x4F, 39},   // Right
    {0x50, 37},   // Left
    {0x51, 40},   // Down
    {0x52, 38},   // Up
    {0x53, 144},  // Num Lock
    {0x54, 111},  // keypad /
    {0x55, 106},  // keypad *
    {0x56, 109},  // keypad -
    {0x57, 107},  // keypad +
    {0x58, 13},   // keypad Enter
    {0x62, 96},   // keypad 0
    {0x63, 110},  // keypad .
    {0x64, 226},  // the extra key beside left Shift
    {0x65, 93},   // Menu
    {0xE0, 17},   // left Ctrl
    {0xE1, 16},   // left Shift
    {0xE2, 18},   // left Alt
    {0xE3, 91},   // left system key
    {0xE4, 17},   // right Ctrl
    {0xE5, 16},   // right Shift
    {0xE6, 18},   // right Alt
    {0xE7, 92},   // right system key
};

constexpr int32_t kVirtualKeyA = 65;
constexpr int32_t kVirtualKey0 = 48;
constexpr int32_t kVirtualKeyF1 = 112;
constexpr int32_t kVirtualKeyF13 = 124;
constexpr int32_t kVirtualKeyNumpad1 = 97;

}  // namespace

int32_t VirtualKeyFromHostKey(uint32_t usbUsage, uint32_t layoutCharacter) {
    // Letters and digits follow the layout.
    if (layoutCharacter >= 'a' && layoutCharacter <= 'z') {
        return kVirtualKeyA + static_cast<int32_t>(layoutCharacter - 'a');
    }
    if (layoutCharacter >= 'A' && layoutCharacter <= 'Z') {
        return kVirtualKeyA + static_cast<int32_t>(layoutCharacter - 'A');
    }
    if (layoutCharacter >= '0' && layoutCharacter <= '9') {
        return kVirtualKey0 + static_cast<int32_t>(layoutCharacter - '0');
    }
    // Everything else, and letter or digit keys that carry other characters
    // on this layout (the top row of some layouts), by position.
    if (usbUsage >= 0x04 && usbUsage <= 0x1D) return kVirtualKeyA + (usbUsage - 0x04);
    if (usbUsage >= 0x1E && usbUsage <= 0x26) return kVirtualKey0 + 1 + (usbUsage - 0x1E);
    if (usbUsage == 0x27) return kVirtualKey0;
    if (usbUsage >= 0x3A && usbUsage <= 0x45) return kVirtualKeyF1 + (usbUsage - 0x3A);
    if (usbUsage >= 0x68 && usbUsage <= 0x73) return kVirtualKeyF13 + (usbUsage - 0x68);
    if (usbUsage >= 0x59 && usbUsage <= 0x61) return kVirtualKeyNumpad1 + (usbUsage - 0x59);
    for (const KeyPair& pair : kKeys) {
        if (pair.usage == usbUsage) return pair.virtualKey;
    }
    return 0;
}

int32_t CharacterOfControlKey(int32_t virtualKey) {
    switch (virtualKey) {
        case 8:   // Backspace
        case 9:   // Tab
        case 13:  // Enter
        case 27:  // Escape
            return virtualKey;
        default:
            return -1;
    }
}

}  // namespace plat
