#pragma once
// A stand-in full screen for the main-frame tests: a window that records the
// commands it gets, answers its cancel command by sending its done message to
// the frame (as every screen does), and counts its deletions.

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

    bool Open(plat::Window* parent) {
        return Create(parent, {100, 100, 300, 200}, WS_POPUP | WS_CHILD | WS_VISIBLE,
                      WS_EX_TOPMOST);
    }

    FrameScreen slot;
    std::vector<uint16_t> commands;
    int32_t points = 0;  // what an end-of-game screen would report
    // Runs on every command instead of the cancel answer when set.
    std::function<void(TestScreen&, uint16_t)> on_command;

    static inline int deletions = 0;
    // Every command any test screen got, as "slot:command".
    static inline std::vector<std::string> log;
    // The done message and the cancel command per slot (0: the screen does
    // not answer).
    static inline uint32_t done_message[kFrameScreenCount] = {};
    static inline uint16_t cancel_command[kFrameScreenCount] = {};

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam w, plat::LParam l) override {
        if (message != WM_COMMAND) return DefaultMessage(message, w, l);
        const uint16_t command = plat::LoWord(w);
        commands.push_back(command);
        log.push_back(std::to_string(static_cast<int>(slot)) + ":" + std::to_string(command));
        if (on_command) {
            on_command(*this, command);
        } else if (command == cancel_command[static_cast<int>(slot)] &&
                   done_message[static_cast<int>(slot)]) {
            plat::SendMessage(MainFrameWindow(), done_message[static_cast<int>(slot)], 0, 1);
        }
        return 0;
    }
};

template <FrameScreen Slot>
plat::Window* OpenTestScreen(plat::Window& frame, plat::WParam, plat::LParam) {
    auto* screen = new TestScreen(Slot);
    if (screen->Open(&frame)) return screen;
    delete screen;
    return nullptr;
}

// The cancel commands the screens of these slots answer.
inline uint16_t CancelCommandOf(FrameScreen slot) {
    switch (slot) {
        case FrameScreen::NewGame:
        case FrameScreen::Production:
        case FrameScreen::StoreSales:
            return kCmdBack;
        case FrameScreen::GameEnd:
        case FrameScreen::HighScores:
        case FrameScreen::ProductHelp:
        case FrameScreen::Depot:
            return kCmdClose;
        case FrameScreen::Schedule:
            return kCmdScheduleCancel;
        case FrameScreen::Statistics:
            return kCmdOk;
        case FrameScreen::SalesStatistics:
            return kCmdSalesStatisticsCancel;
        default:
            return 0;
    }
}

// Registers a test screen in the frame's table.
template <FrameScreen Slot>
ScreenEntry TestEntry(uint32_t open_message, uint32_t done_message,
                      uint32_t open_steps = kOpenCommon, uint32_t done_steps = kDoneCommon) {
    TestScreen::done_message[static_cast<int>(Slot)] = done_message;
    TestScreen::cancel_command[static_cast<int>(Slot)] = CancelCommandOf(Slot);
    ScreenEntry e;
    e.slot = Slot;
    e.open_message = open_message;
    e.done_message = done_message;
    e.cancel_command = CancelCommandOf(Slot);
    e.open_steps = open_steps;
    e.done_steps = done_steps;
    e.open = &OpenTestScreen<Slot>;
    return e;
}

inline void ResetTestScreens() {
    TestScreen::deletions = 0;
    TestScreen::log.clear();
    for (uint32_t& m : TestScreen::done_message) m = 0;
    for (uint16_t& c : TestScreen::cancel_command) c = 0;
}

}  // namespace fvtest
