#pragma once
// The game's texts are Windows-1252 bytes; the host's are UTF-8. Conversion
// happens only where text crosses to or from the host (message boxes, typed
// characters).

#include <string>
#include <string_view>

namespace plat {

// Every byte has a character: the five bytes Windows-1252 leaves unassigned
// become the control characters of the same number, so nothing is lost.
std::string Cp1252ToUtf8(std::string_view text);

// Characters Windows-1252 cannot show and malformed UTF-8 are left out.
std::string Utf8ToCp1252(std::string_view text);

}  // namespace plat
