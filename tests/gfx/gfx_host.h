#pragma once
// A headless host for the graphics tests: an application whose main window
// counts the "abort the load" messages, message boxes that can run a test action.

#include <functional>

#include "platform/app.h"
#include "platform/headless/headless_backend.h"
#include "platform/messages.h"
#include "platform/palette.h"
#include "platform/window.h"

namespace gfxtest {

constexpr uint32_t kAbortLoadMessage = WM_USER + 0x73;

class FrameWindow : public plat::Window {
  public:
    int aborts = 0;

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam w, plat::LParam l) override {
        if (message == kAbortLoadMessage) ++aborts;
        return DefaultMessage(message, w, l);
    }
};

// Runs `on_box` (when set) before a message box takes its queued answer.
class ScriptedBackend : public plat::HeadlessBackend {
  public:
    std::function<void()> on_box;
    int32_t ShowMessageBox(const std::string& text, const std::string& caption,
                           uint32_t flags) override {
        if (on_box) on_box();
        return HeadlessBackend::ShowMessageBox(text, caption, flags);
    }
};

class GfxHost {
  public:
    GfxHost() : stepper_(app_, host) {
        plat::ResetSystemPalette();
        stepper_.Start();
        frame = new FrameWindow;
        frame->Create(nullptr, {0, 0, 1024, 768}, WS_POPUP | WS_VISIBLE);
        app_.mainWindow = frame;
    }
    ~GfxHost() {
        app_.mainWindow = nullptr;
        delete frame;
        stepper_.Finish();
    }
    GfxHost(const GfxHost&) = delete;
    GfxHost& operator=(const GfxHost&) = delete;
    ScriptedBackend host;
    FrameWindow* frame = nullptr;

  private:
    plat::Application app_;
    plat::ApplicationStepper stepper_;
};

}  // namespace gfxtest
