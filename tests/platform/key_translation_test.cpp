#include <gtest/gtest.h>

#include "platform/key_translation.h"

namespace {

// USB keyboard usage numbers of a few keys.
constexpr uint32_t kUsageA = 0x04;
constexpr uint32_t kUsageQ = 0x14;
constexpr uint32_t kUsage1 = 0x1E;
constexpr uint32_t kUsage0 = 0x27;

TEST(KeyTranslation, LettersAndDigitsFollowTheLayout) {
    EXPECT_EQ(plat::VirtualKeyFromHostKey(kUsageA, 'a'), 'A');
    // The key in the Q position carries "a" on a French layout.
    EXPECT_EQ(plat::VirtualKeyFromHostKey(kUsageQ, 'a'), 'A');
    EXPECT_EQ(plat::VirtualKeyFromHostKey(kUsageQ, 0), 'Q');
    EXPECT_EQ(plat::VirtualKeyFromHostKey(kUsage1, '1'), '1');
    EXPECT_EQ(plat::VirtualKeyFromHostKey(kUsage0, '0'), '0');
    // The French top row carries "&" unshifted: still the digit key.
    EXPECT_EQ(plat::VirtualKeyFromHostKey(kUsage1, '&'), '1');
}

TEST(KeyTranslation, KeysTheGameUses) {
    struct {
        uint32_t usage;
        int32_t virtualKey;
    } const cases[] = {
        {0x50, 37},  {0x52, 38},  {0x4F, 39},  {0x51, 40},   // arrows
        {0x3A, 112}, {0x43, 121}, {0x45, 123},               // F1, F10, F12
        {0x28, 13},  {0x29, 27},  {0x2A, 8},   {0x2B, 9},    // Enter, Escape, Backspace, Tab
        {0x2C, 32},  {0x57, 107}, {0x56, 109}, {0x55, 106},  // space, keypad + - *
        {0x58, 13},  {0x62, 96},  {0x61, 105},               // keypad Enter, 0, 9
        {0xE1, 16},  {0xE5, 16},  {0xE0, 17},  {0xE4, 17},   // Shift, Ctrl
        {0xE2, 18},  {0xE6, 18},                             // Alt
        {0x00, 0},   {0xFF, 0},                              // unknown
    };
    for (const auto& c : cases) {
        EXPECT_EQ(plat::VirtualKeyFromHostKey(c.usage, 0), c.virtualKey) << std::hex << c.usage;
    }
}

TEST(KeyTranslation, ControlKeysSendTheirOwnCharacters) {
    EXPECT_EQ(plat::CharacterOfControlKey(8), 8);
    EXPECT_EQ(plat::CharacterOfControlKey(13), 13);
    EXPECT_EQ(plat::CharacterOfControlKey(27), 27);
    EXPECT_EQ(plat::CharacterOfControlKey('A'), -1);
    EXPECT_EQ(plat::CharacterOfControlKey(37), -1);
}

}  // namespace
