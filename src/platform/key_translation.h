#pragma once
// Host keyboard events in the terms the game understands: Windows virtual-key
// numbers for key messages and character codes for character messages.
// Keys are named by their USB keyboard usage number (the position on the
// keyboard) and, for letter and digit keys, by the character the keyboard
// layout puts on them, so that "Q" is the key labelled Q on any layout.

#include <cstdint>

namespace plat {

// 0 for keys the game has no number for. `layoutCharacter` is the unshifted
// character of the key in the current layout, or 0 when it has none.
int32_t VirtualKeyFromHostKey(uint32_t usbUsage, uint32_t layoutCharacter);

// The character message a key sends by itself (Backspace 8, Tab 9, Enter 13,
// Escape 27); -1 for keys whose characters come from text input instead.
int32_t CharacterOfControlKey(int32_t virtualKey);

}  // namespace plat
