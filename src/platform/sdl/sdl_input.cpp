// Host input for the game: window pixels back to virtual-screen points, key
// positions and layouts to virtual-key numbers, typed text to Windows-1252.

#include <algorithm>
#include <string>
#include <vector>

#include "platform/charset.h"
#include "platform/key_translation.h"
#include "platform/sdl/sdl_backend.h"

namespace plat {
namespace {

// The Windows-1252 bytes of typed text; characters the code page cannot show
// are left out rather than typed as something else.
std::string TypedText(const char* utf8) {
    std::string typed;
    const std::string text(utf8);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = start + 1;
        while (end < text.size() && (static_cast<uint8_t>(text[end]) & 0xC0) == 0x80) ++end;
        const std::string character = text.substr(start, end - start);
        const std::string converted = Utf8ToCp1252(character);
        if (converted.size() == 1 && (converted != "?" || character == "?")) typed += converted;
        start = end;
    }
    return typed;
}

bool ButtonOf(uint8_t sdlButton, MouseButton* button) {
    switch (sdlButton) {
        case SDL_BUTTON_LEFT:
            *button = MouseButton::Left;
            return true;
        case SDL_BUTTON_RIGHT:
            *button = MouseButton::Right;
            return true;
        case SDL_BUTTON_MIDDLE:
            *button = MouseButton::Middle;
            return true;
        default:
            return false;
    }
}

}  // namespace

void SdlBackend::PumpEvents(InputSink& sink) {
    // Taken as a batch, so that a key press can claim the text it typed,
    // which SDL reports as the event right after it.
    std::vector<SDL_Event> events;
    SDL_Event event;
    while (SDL_PollEvent(&event)) events.push_back(event);
    for (size_t i = 0; i < events.size(); ++i) {
        const SDL_Event* next = i + 1 < events.size() ? &events[i + 1] : nullptr;
        bool nextTaken = false;
        HandleEvent(events[i], next, &nextTaken, sink);
        if (nextTaken) ++i;
    }
    RenderIfDue();
}

void SdlBackend::HandleEvent(const SDL_Event& event, const SDL_Event* next, bool* nextTaken,
                             InputSink& sink) {
    const uint32_t time = event.common.timestamp;
    switch (event.type) {
        case SDL_QUIT:  // the window's close button, or an interrupt signal
            sink.OnCloseRequest(time);
            break;
        case SDL_WINDOWEVENT:
            switch (event.window.event) {
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    OnWindowResized();
                    break;
                case SDL_WINDOWEVENT_EXPOSED:
                    wholeWindowDue_ = true;
                    renderPending_ = true;
                    break;
                case SDL_WINDOWEVENT_FOCUS_LOST:
                    ReleaseEverything(time, sink);
                    break;
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                    ApplyCursorClip();
                    break;
                default:
                    break;
            }
            break;
        case SDL_MOUSEMOTION:
            MoveTo(event.motion.x, event.motion.y, time, sink);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            MouseButton button;
            if (!ButtonOf(event.button.button, &button)) break;
            MoveTo(event.button.x, event.button.y, time, sink);
            const bool down = event.type == SDL_MOUSEBUTTONDOWN;
            if (down) {
                buttonsDown_.insert(button);
            } else {
                buttonsDown_.erase(button);
            }
            sink.OnMouseButton(button, down, time);
            break;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            HandleKey(event.key, next, nextTaken, sink);
            break;
        case SDL_TEXTINPUT:
            HandleText(event.text.text, time, sink);
            break;
        case SDL_RENDER_TARGETS_RESET:
            wholeWindowDue_ = true;
            renderPending_ = true;
            break;
        case SDL_RENDER_DEVICE_RESET:
            RebuildTexture();
            break;
        default:
            break;
    }
}

void SdlBackend::MoveTo(int32_t windowX, int32_t windowY, uint32_t time, InputSink& sink) {
    Point screen;
    if (warpPending_ && windowX == warpWindow_.x && windowY == warpWindow_.y) {
        // The move a warp causes: the point asked for, even where the window
        // is too small to tell neighbouring screen pixels apart.
        screen = warpScreen_;
        warpPending_ = false;
    } else {
        screen = WindowToScreen(WindowFit(), {windowX, windowY});
    }
    screen = ClampToClip(screen);
    if (screen == cursor_) return;
    cursor_ = screen;
    sink.OnMouseMove(screen, time);
}

void SdlBackend::HandleKey(const SDL_KeyboardEvent& key, const SDL_Event* next, bool* nextTaken,
                           InputSink& sink) {
    const SDL_Keycode code = key.keysym.sym;
    const uint32_t layoutCharacter = (code & SDLK_SCANCODE_MASK) ? 0 : static_cast<uint32_t>(code);
    const int32_t virtualKey = VirtualKeyFromHostKey(key.keysym.scancode, layoutCharacter);
    if (virtualKey == 0) return;  // its text, if any, still arrives as characters
    const int scancode = key.keysym.scancode;
    const bool down = key.type == SDL_KEYDOWN;

    if (!down) {
        keysDown_.erase(scancode);
        // Both Shift keys are VK_SHIFT: it goes up with the last of them.
        for (const auto& [otherScancode, otherKey] : keysDown_) {
            if (otherKey == virtualKey) return;
        }
        sink.OnKey(virtualKey, false, 0, key.timestamp);
        return;
    }

    keysDown_[scancode] = virtualKey;
    uint8_t character = 0;
    const int32_t control = CharacterOfControlKey(virtualKey);
    if (control >= 0) {
        character = static_cast<uint8_t>(control);
    } else if (next && next->type == SDL_TEXTINPUT) {
        const std::string typed = TypedText(next->text.text);
        if (typed.size() <= 1) {
            // One character belongs to this key: the layer types it only if no
            // accelerator takes the key. Untypable text is dropped.
            if (typed.size() == 1) character = static_cast<uint8_t>(typed[0]);
            *nextTaken = true;
        }
    }
    sink.OnKey(virtualKey, true, character, key.timestamp);
}

void SdlBackend::HandleText(const char* utf8, uint32_t time, InputSink& sink) {
    for (char c : TypedText(utf8)) sink.OnChar(static_cast<uint8_t>(c), time);
}

void SdlBackend::ReleaseEverything(uint32_t time, InputSink& sink) {
    // Keys and buttons let go while another window had the focus would
    // otherwise stay down for the game.
    std::vector<int32_t> released;
    for (const auto& [scancode, virtualKey] : keysDown_) {
        if (std::find(released.begin(), released.end(), virtualKey) == released.end()) {
            released.push_back(virtualKey);
        }
    }
    keysDown_.clear();
    for (int32_t virtualKey : released) sink.OnKey(virtualKey, false, 0, time);
    const std::set<MouseButton> buttons = buttonsDown_;
    buttonsDown_.clear();
    for (MouseButton button : buttons) sink.OnMouseButton(button, false, time);
}

}  // namespace plat
