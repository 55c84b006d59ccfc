#include "platform/key_translation.h"

#include "platform/messages.h"

namespace plat {
namespace {

struct KeyPair {
    uint32_t usage;  // USB keyboard usage number
    int32_t virtualKey;
};

// Keys other than letters and digits, by their place on the keyboard.
constexpr KeyPair kKeys[] = {
    {0x28, VK_RETURN},  {0x29, VK_ESCAPE},   {0x2A, VK_BACK},     {0x2B, VK_TAB},
    {0x2C, VK_SPACE},   {0x2D, 189},  // - _
    {0x2E, 187},                      // = +
    {0x2F, 219},                      // [ {
    {0x30, 221},                      // ] }
    {0x31, 220},                      // \ |
    {0x32, 220},                      // # ~ beside Enter on international keyboards
    {0x33, 186},                      // ; :
    {0x34, 222},                      // ' "
    {0x35, 192},                      // ` ~
    {0x36, 188},                      // , <
    {0x37, 190},                      // . >
    {0x38, 191},                      // / ?
    {0x39, VK_CAPITAL}, {0x46, 44},   // Print Screen
    {0x47, 145},                      // Scroll Lock
    {0x48, VK_PAUSE},   {0x49, VK_INSERT},   {0x4A, VK_HOME},     {0x4B, VK_PRIOR},
    {0x4C, VK_DELETE},  {0x4D, VK_END},      {0x4E, VK_NEXT},     {0x4F, VK_RIGHT},
    {0x50, VK_LEFT},    {0x51, VK_DOWN},     {0x52, VK_UP},       {0x53, 144},  // Num Lock
    {0x54, VK_DIVIDE},  {0x55, VK_MULTIPLY}, {0x56, VK_SUBTRACT}, {0x57, VK_ADD},
    {0x58, VK_RETURN},                                     // keypad Enter
    {0x62, VK_NUMPAD0}, {0x63, VK_DECIMAL},  {0x64, 226},  // the extra key beside left Shift
    {0x65, 93},                                            // Menu
    {0xE0, VK_CONTROL}, {0xE1, VK_SHIFT},    {0xE2, VK_MENU},     {0xE3, 91},  // left system key
    {0xE4, VK_CONTROL}, {0xE5, VK_SHIFT},    {0xE6, VK_MENU},     {0xE7, 92},  // right system key
};

constexpr int32_t kVirtualKeyA = 'A';
constexpr int32_t kVirtualKey0 = '0';
constexpr int32_t kVirtualKeyF13 = VK_F12 + 1;

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
    if (usbUsage >= 0x3A && usbUsage <= 0x45) return VK_F1 + (usbUsage - 0x3A);
    if (usbUsage >= 0x68 && usbUsage <= 0x73) return kVirtualKeyF13 + (usbUsage - 0x68);
    if (usbUsage >= 0x59 && usbUsage <= 0x61) return VK_NUMPAD0 + 1 + (usbUsage - 0x59);
    for (const KeyPair& pair : kKeys) {
        if (pair.usage == usbUsage) return pair.virtualKey;
    }
    return 0;
}

int32_t CharacterOfControlKey(int32_t virtualKey) {
    switch (virtualKey) {
        case VK_BACK:
        case VK_TAB:
        case VK_RETURN:
        case VK_ESCAPE:
            return virtualKey;
        default:
            return -1;
    }
}

}  // namespace plat
