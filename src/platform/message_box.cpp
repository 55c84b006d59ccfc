// Message boxes go to the back end; the capture is given up first, as a
// modal box takes the mouse.

#include "platform/message_box.h"

#include "platform/backend.h"
#include "platform/input.h"

namespace plat {

int32_t MessageBox(Window* /*owner*/, const std::string& text, const std::string& caption,
                   uint32_t flags) {
    if (GetCapture() != nullptr) ReleaseCapture();
    return CurrentBackend().ShowMessageBox(text, caption, flags);
}

}  // namespace plat
