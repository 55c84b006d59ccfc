#include <gtest/gtest.h>

#include "platform/key_translation.h"
#include "platform/messages.h"

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

TEST(KeyTranslation, KeysTheGameUsesAndTheirCharacters) {
    // One key of each group: arrows (their numbers), function keys, editing
    // keys, the keypad (its Enter is Return), both sides' modifiers, unknown.
    const std::pair<uint32_t, int32_t> cases[] = {{0x50, 37},          {0x52, 38},
                                                  {0x4F, 39},          {0x51, 40},
                                                  {0x3A, VK_F1},       {0x43, VK_F10},
                                                  {0x45, VK_F12},      {0x28, VK_RETURN},
                                                  {0x29, VK_ESCAPE},   {0x2A, VK_BACK},
                                                  {0x2B, VK_TAB},      {0x2C, VK_SPACE},
                                                  {0x57, VK_ADD},      {0x56, VK_SUBTRACT},
                                                  {0x55, VK_MULTIPLY}, {0x58, VK_RETURN},
                                                  {0x62, VK_NUMPAD0},  {0x61, VK_NUMPAD0 + 9},
                                                  {0xE1, VK_SHIFT},    {0xE5, VK_SHIFT},
                                                  {0xE0, VK_CONTROL},  {0xE4, VK_CONTROL},
                                                  {0xE2, VK_MENU},     {0xE6, VK_MENU},
                                                  {0x00, 0},           {0xFF, 0}};
    for (const auto& [usage, key] : cases) {
        EXPECT_EQ(plat::VirtualKeyFromHostKey(usage, 0), key) << std::hex << usage;
    }
    // Control keys send their own characters (Return is checked with the input).
    for (const auto& [key, c] :
         {std::pair{VK_BACK, 8}, {VK_ESCAPE, 27}, {VK_TAB, 9}, {'A', -1}, {37, -1}}) {
        EXPECT_EQ(plat::CharacterOfControlKey(key), c) << key;
    }
}

}  // namespace
