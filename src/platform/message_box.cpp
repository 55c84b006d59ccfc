// Message boxes go to the back end; the capture is given up first, as a
// modal box takes the mouse.

#include "platform/message_box.h"

#include "platform/backend.h"
#include "platform/input.h"
#include "platform/termination.h"

namespace plat {

int32_t MessageBox(Window* /*owner*/, const std::string& text, const std::string& caption,
                   uint32_t flags) {
    if (TerminationSignal() != 0) return MessageBoxCloseAnswer(flags);
    if (GetCapture() != nullptr) ReleaseCapture();
    return CurrentBackend().ShowMessageBox(text, caption, flags);
}

int32_t MessageBoxCloseAnswer(uint32_t flags) {
    switch (flags & MB_TYPEMASK) {
        case MB_OKCANCEL:
        case MB_YESNOCANCEL:
        case MB_RETRYCANCEL:
            return IDCANCEL;
        case MB_YESNO:
            return IDNO;
        case MB_ABORTRETRYIGNORE:
            return IDABORT;
        default:
            return IDOK;
    }
}

}  // namespace plat
