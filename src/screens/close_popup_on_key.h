#pragma once
// The Enter key of the popups that close with it: the close button is shown
// pressed and its command (40112) is sent to the popup itself. Every other
// character, Escape included, does nothing.

#include <cstdint>

#include "platform/window.h"

class BUTTONS;

// True when the character was Enter and the popup was told to close.
bool ClosePopupOnKey(plat::Window& popup, BUTTONS* close_button, plat::WParam character);
