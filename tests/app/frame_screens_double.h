#pragma once
// A stand-in full screen for the main-frame tests: it records the commands
// it gets, answers its cancel command (40000 + its slot) by sending its done
// message to the frame, as every screen does, and counts its deletions.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/frame_screens.h"
#include "app/main_frame.h"
#include "platform/window.h"
#include "state/messages.h"

namespace fvtest {

class TestScreen : public plat::Window {
  public:
    explicit TestScreen(FrameScreen slot) : slot(slot) {}
    ~TestScreen() override { ++deletions; }

    FrameScreen slot;
    int32_t points = 0;  // what an end-of-game screen would report
    // Runs on every command instead of the cancel answer when set.
    std::function<void(TestScreen&, uint16_t)> on_command;

    static inline int deletions = 0;
    // Every command any test screen got, as "slot:command".
    static inline std::vector<std::string> log;
    static inline uint32_t done_message[kFrameScreenCount] = {};  // 0: no answer

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam w, plat::LParam l) override {
        if (message != WM_COMMAND) return DefaultMessage(message, w, l);
        const uint16_t command = plat::LoWord(w);
        const int i = static_cast<int>(slot);
        log.push_back(std::to_string(i) + ":" + std::to_string(command));
        if (on_command) {
            on_command(*this, command);
        } else if (command == 40000 + i && done_message[i] != 0) {
            plat::SendMessage(MainFrameWindow(), done_message[i], 0, 1);
        }
        return 0;
    }
};

// Registers a test screen in the frame's table.
template <FrameScreen Slot>
ScreenEntry TestEntry(uint32_t open_message, uint32_t done_message,
                      uint32_t open_steps = kOpenCommon, uint32_t done_steps = kDoneCommon) {
    TestScreen::done_message[static_cast<int>(Slot)] = done_message;
    ScreenEntry e;
    e.slot = Slot;
    e.open_message = open_message;
    e.done_message = done_message;
    e.cancel_command = static_cast<uint16_t>(40000 + static_cast<int>(Slot));
    e.open_steps = open_steps;
    e.done_steps = done_steps;
    e.open = [](plat::Window& frame, plat::WParam, plat::LParam) -> plat::Window* {
        auto* screen = new TestScreen(Slot);
        if (screen->Create(&frame, {100, 100, 300, 200}, WS_POPUP | WS_CHILD | WS_VISIBLE,
                           WS_EX_TOPMOST))
            return screen;
        delete screen;
        return nullptr;
    };
    return e;
}

inline void ResetTestScreens() {
    TestScreen::deletions = 0;
    TestScreen::log.clear();
    for (uint32_t& m : TestScreen::done_message) m = 0;
}

}  // namespace fvtest
