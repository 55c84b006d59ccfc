#pragma once
// The message queue and its pump.
//
// Order in which the pump hands out messages (as the game expects):
// posted messages (FIFO); then, once a quit is requested, nothing more; then
// input (mouse and keyboard, FIFO, each turned into a message for its window
// only when it is taken out: capture, focus and double clicks are decided at
// that moment); then WM_PAINT for a visible window with an update region;
// then WM_TIMER for a due timer. Each taken message goes through PreTranslateMessage (the
// window's, its parents' and owners', and the main window's), then keys are
// translated into WM_CHAR and the message is dispatched.
//
// Tests drive the pump with RunUntilIdle (also reachable through the
// headless back end); the application loop (app.h) uses the same pieces.

#include <cstdint>
#include <functional>

#include "platform/window.h"

namespace plat {

// Looks at the posted and input queues for the first message for `window`
// (nullptr = any window) with a number in [first, last] (both 0 = any).
// With `remove` it is taken out of the queue (input then counts as handled:
// key state, double clicks and WM_SETCURSOR happen as for a pumped message).
bool PeekMessage(Msg* out, Window* window, uint32_t first, uint32_t last, bool remove);

// Asks the back end for new input, then takes one message and handles it.
// False when there was nothing to do (or a quit is pending).
bool PumpMessage();
// Pumps until nothing is due at the current clock value. Does not run the
// application's idle handler.
void RunUntilIdle();
// True when a posted or input message, a paint or a due timer is waiting.
bool HasPendingMessages();
// Milliseconds until the earliest timer is due (0 when one is due now);
// UINT32_MAX without timers.
uint32_t TimeUntilNextTimer();

// Sends the WM_CHAR that belongs to a WM_KEYDOWN taken from the queue, if
// the key produced a character. The pump calls it after PreTranslateMessage.
void TranslateMessage(const Msg& msg);
LResult DispatchMessage(const Msg& msg);

// Observes the traffic (for the headless recorder and for debugging).
struct MessageTrace {
    enum class Kind { Sent, Posted, Dispatched };
    Kind kind = Kind::Sent;
    Window* window = nullptr;
    uint32_t message = 0;
    WParam wParam = 0;
    LParam lParam = 0;
};
using MessageObserver = std::function<void(const MessageTrace&)>;
void SetMessageObserver(MessageObserver observer);

}  // namespace plat
