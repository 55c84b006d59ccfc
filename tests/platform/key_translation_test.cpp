#include <gtest/gtest.h>

#include "platform/key_translation.h"
#include "platform/messages.h"

namespace {

// Host keys arrive as USB usage numbers with the layout's character.
TEST(KeyTranslation, LettersFollowTheLayoutOtherKeysTheirPosition) {
    const std::tuple<uint32_t, uint32_t, int32_t> cases[] = {
        {0x04, 'a', 'A'},
        {0x14, 'a', 'A'},  // the key in the Q position carries "a" on a French layout
        {0x14, 0, 'Q'},
        {0x1E, '&', '1'},      // the French top row: still the digit key
        {0x50, 0, 37},         // arrows are their numbers
        {0x58, 0, VK_RETURN},  // the keypad's Enter is Return
        {0x61, 0, VK_NUMPAD0 + 9},
        {0xE5, 0, VK_SHIFT},  // both sides' modifiers
        {0xE6, 0, VK_MENU},
        {0xFF, 0, 0},
    };
    for (const auto& [usage, character, key] : cases) {
        EXPECT_EQ(plat::VirtualKeyFromHostKey(usage, character), key) << std::hex << usage;
    }
    EXPECT_EQ(plat::CharacterOfControlKey(VK_BACK), 8);
    EXPECT_EQ(plat::CharacterOfControlKey('A'), -1);
}

}  // namespace
