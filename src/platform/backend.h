#pragma once
// The host behind the window layer. The layer asks it for the time, for
// input, for waiting, for message boxes, for the cursor and for the screen;
// the drawing and sound layer uses its Present, audio and music hooks.
//
// Two back ends exist: the headless one (src/platform/headless), used by every
// test, with a fake clock and injected input; and the SDL one
// (src/platform/sdl), used by the game. Exactly one is current at a time
// (SetCurrentBackend); without one, a fallback answers with the real clock,
// no input, a 1024 x 768 screen and Cancel for every message box.
//
// Input reaches the layer through InputSink, in virtual-screen coordinates
// (the SDL back end maps window pixels back to the scaled screen). Keys are
// Windows virtual-key numbers (messages.h); a key that produces a character
// passes it with the key press, so that the layer can make WM_CHAR only for
// keys that no accelerator consumed; OnChar is for text without a key. The
// layer itself gives Enter, Backspace, Escape and Tab their characters (13,
// 8, 27, 9): a back end passes 0 for them and does not send them as OnChar.
// Shift, Ctrl and Alt arrive as VK_SHIFT, VK_CONTROL and VK_MENU (either side).

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/geometry.h"
#include "platform/messages.h"
#include "platform/surface.h"

namespace plat {

enum class MouseButton : uint8_t { Left, Right, Middle };

// Where a back end delivers host input. `time` is the clock value (Now) at
// which the input happened.
class InputSink {
  public:
    virtual ~InputSink() = default;
    virtual void OnMouseMove(Point screen, uint32_t time) = 0;
    virtual void OnMouseButton(MouseButton button, bool down, uint32_t time) = 0;
    // `character`: the Windows-1252 code the key types, 0 for none.
    virtual void OnKey(int32_t virtualKey, bool down, uint8_t character, uint32_t time) = 0;
    virtual void OnChar(uint8_t character, uint32_t time) = 0;
    // The user closed the host window: WM_CLOSE goes to the main window.
    virtual void OnCloseRequest(uint32_t time) = 0;
};

// The CD-track music device (defined by the sound part of the layer).
class MusicDevice;

// Audio is pulled: the callback fills `frameCount` stereo frames (left,
// right interleaved) of signed 16-bit samples at kAudioRate. It may run on
// another thread; LockAudio/UnlockAudio keep it out while the caller changes
// what it reads.
inline constexpr int kAudioRate = 22050;
using AudioCallback = std::function<void(int16_t* stereoFrames, int frameCount)>;

class Backend {
  public:
    virtual ~Backend() = default;

    // Milliseconds; wraps at 2^32 (take differences unsigned).
    virtual uint32_t Now() = 0;
    // Delivers the input that arrived since the last call.
    virtual void PumpEvents(InputSink& sink) = 0;
    // Waits until input arrives or `maxMs` passed (the headless back end
    // returns at once).
    virtual void WaitForEvents(uint32_t maxMs) = 0;

    // The virtual screen: 640 x 480, 800 x 600 or 1024 x 768 (or a larger
    // size asked for on the command line, which the game refuses).
    virtual Size ScreenSize() = 0;

    // Shows a message box (Windows-1252 texts, MB_ flags) and answers
    // IDOK / IDCANCEL / IDRETRY / ...
    virtual int32_t ShowMessageBox(const std::string& text, const std::string& caption,
                                   uint32_t flags) = 0;

    // Cursor: shape (IDC_ARROW, IDC_WAIT or a game cursor id) and whether it
    // is shown; moving the pointer; confining it (nullptr frees it).
    virtual void SetCursorShape(CursorId /*id*/, bool /*visible*/) {}
    virtual void WarpCursor(Point /*screen*/) {}
    virtual void SetCursorClip(const Rect* /*screenRect*/) {}

    // The composed virtual screen changed: show it through the palette.
    // `changed` holds the parts that differ from the last present (the whole
    // screen at the first present, after a palette change or a new size); a
    // back end converts and shows only those.
    virtual void Present(const Surface& /*screen*/, const uint8_t /*rgb*/[256][3],
                         const std::vector<Rect>& /*changed*/) {}

    // Audio output; false when there is no device.
    virtual bool OpenAudio(AudioCallback /*callback*/) { return false; }
    virtual void CloseAudio() {}
    virtual void LockAudio() {}
    virtual void UnlockAudio() {}

    // CD-track music; null when the back end has none.
    virtual MusicDevice* Music() { return nullptr; }
};

// Installs the current back end (nullptr: the fallback).
void SetCurrentBackend(Backend* backend);
Backend& CurrentBackend();

}  // namespace plat
