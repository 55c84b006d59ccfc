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

// `owner` may be null. Once the program is asked to end (termination.h) the
// box is not shown and answers MessageBoxCloseAnswer.
int32_t MessageBox(Window* owner, const std::string& text, const std::string& caption,
                   uint32_t flags);

// The answer of a box of `flags` closed without a button: IDCANCEL where the
// box has Cancel, IDNO for Yes/No, IDABORT for Abort/Retry/Ignore, else IDOK.
int32_t MessageBoxCloseAnswer(uint32_t flags);

}  // namespace plat
