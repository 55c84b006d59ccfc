// Real message boxes. The game's texts are Windows-1252; SDL wants UTF-8.

#include <cstdio>
#include <vector>

#include "platform/charset.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/sdl_signals.h"
#include "platform/termination.h"

namespace plat {
namespace {

struct BoxButtons {
    std::vector<SDL_MessageBoxButtonData> buttons;
    int32_t closeAnswer;  // the answer when the box is closed without a button
};

BoxButtons ButtonsFor(uint32_t flags) {
    // The first button answers Enter, as the default button does.
    auto button = [](int32_t answer, const char* label, bool first) {
        SDL_MessageBoxButtonData data{};
        data.buttonid = answer;
        data.text = label;
        if (first) data.flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
        if (answer == IDCANCEL) data.flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
        return data;
    };
    switch (flags & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return {{button(IDOK, "OK", true), button(IDCANCEL, "Cancel", false)}, IDCANCEL};
        case MB_ABORTRETRYIGNORE:
            return {{button(IDABORT, "Abort", true), button(IDRETRY, "Retry", false),
                     button(IDIGNORE, "Ignore", false)},
                    IDABORT};
        case MB_YESNOCANCEL:
            return {{button(IDYES, "Yes", true), button(IDNO, "No", false),
                     button(IDCANCEL, "Cancel", false)},
                    IDCANCEL};
        case MB_YESNO:
            return {{button(IDYES, "Yes", true), button(IDNO, "No", false)}, IDNO};
        case MB_RETRYCANCEL:
            return {{button(IDRETRY, "Retry", true), button(IDCANCEL, "Cancel", false)}, IDCANCEL};
        default: {
            BoxButtons ok{{button(IDOK, "OK", true)}, IDOK};
            ok.buttons[0].flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
            return ok;
        }
    }
}

Uint32 KindFor(uint32_t flags) {
    switch (flags & MB_ICONMASK) {
        case MB_ICONSTOP:
            return SDL_MESSAGEBOX_ERROR;
        case MB_ICONEXCLAMATION:
            return SDL_MESSAGEBOX_WARNING;
        default:
            return SDL_MESSAGEBOX_INFORMATION;
    }
}

}  // namespace

int32_t SdlBackend::ShowMessageBox(const std::string& text, const std::string& caption,
                                   uint32_t flags) {
    const std::string message = Cp1252ToUtf8(text);
    const std::string title = Cp1252ToUtf8(caption);
    const BoxButtons choice = ButtonsFor(flags);

    SDL_MessageBoxData box{};
    box.flags = KindFor(flags) | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
    box.window = window_;
    box.title = title.c_str();
    box.message = message.c_str();
    box.numbuttons = static_cast<int>(choice.buttons.size());
    box.buttons = choice.buttons.data();

    // The pointer must be free and visible to reach the box.
#if SDL_VERSION_ATLEAST(2, 0, 18)
    if (window_) SDL_SetWindowMouseRect(window_, nullptr);
#endif
    SDL_ShowCursor(SDL_ENABLE);
    int pressed = -1;
    // Marked open before the last look at the request: a signal from now on
    // finds the box open and ends it.
    SetMessageBoxOpen(true);
    const bool shown = TerminationSignal() == 0 && SDL_ShowMessageBox(&box, &pressed) == 0;
    SetMessageBoxOpen(false);
    SDL_ShowCursor(cursorVisible_ ? SDL_ENABLE : SDL_DISABLE);
    ApplyCursorClip();

    if (!shown && TerminationSignal() != 0) return choice.closeAnswer;  // box ended for it
    if (!shown) {
        std::fprintf(stderr, "%s: %s\n", title.c_str(), message.c_str());
        return choice.closeAnswer;
    }
    return pressed < 0 ? choice.closeAnswer : pressed;
}

}  // namespace plat
