#pragma once
// Windows-1252 text: character classes as the game's text entry uses them,
// and conversion to and from UTF-8 for the host (message boxes, window
// titles, typed text). Game strings stay Windows-1252 bytes everywhere else.

#include <cstdint>
#include <string>
#include <string_view>

namespace plat {

// Letters of Windows-1252: A-Z, a-z and the accented and other letters
// above 127 (S/s/Z/z with caron, OE/oe, Y with diaeresis, f with hook, the
// ordinal indicators, micro sign and 0xC0-0xFF except the multiplication and
// division signs).
bool IsCharAlpha(uint8_t c);
// Letters and digits: the above plus 0-9 and the superscripts one, two and
// three.
bool IsCharAlphaNumeric(uint8_t c);

// Unassigned Windows-1252 codes (0x81, 0x8D, 0x8F, 0x90, 0x9D) become U+FFFD.
std::string Cp1252ToUtf8(std::string_view text);
// Characters without a Windows-1252 code become '?'; bad UTF-8 too.
std::string Utf8ToCp1252(std::string_view text);

}  // namespace plat
