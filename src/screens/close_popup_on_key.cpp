#include "screens/close_popup_on_key.h"

#include "gfx/buttons.h"
#include "state/messages.h"

namespace {
constexpr plat::WParam kEnter = 13;
}

bool ClosePopupOnKey(plat::Window& popup, BUTTONS* close_button, plat::WParam character) {
    if (character != kEnter) return false;
    if (close_button != nullptr) {
        close_button->state = 1;
        close_button->Redraw();
    }
    popup.SendMessage(WM_COMMAND, kCmdOk, 0);
    return true;
}
