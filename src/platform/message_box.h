#pragma once
// Message boxes. Texts are Windows-1252 (converted only at the host
// boundary); flags are the MB_ values of messages.h (type in the low four
// bits, icon, MB_SYSTEMMODAL); the answer is IDOK, IDCANCEL, IDRETRY, ...
// The headless back end answers from a queue that tests fill, and with an
// empty queue answers IDCANCEL and writes the text to stderr.

#include <cstdint>
#include <string>

namespace plat {

class Window;

// `owner` may be null.
int32_t MessageBox(Window* owner, const std::string& text, const std::string& caption,
                   uint32_t flags);

}  // namespace plat
