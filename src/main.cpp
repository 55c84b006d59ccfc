// Entry point of the game: reads the start options, opens the host back end
// and runs the application object on it.

#include <cstdio>
#include <string>

#include "app/game_app.h"
#include "platform/host_backend.h"
#include "platform/screen.h"
#include "platform/window.h"

namespace {

// The main window until the game's own main frame exists: one window over
// the whole screen, captioned "Ferrovane"; closing it ends the program.
class MainFrame : public plat::Window {
  protected:
    plat::LResult OnMessage(uint32_t msg, plat::WParam wParam, plat::LParam lParam) override {
        return DefaultMessage(msg, wParam, lParam);
    }
};

class FerrovaneApp : public CGameApp {
  public:
    int ExitInstance() override {
        const int code = CGameApp::ExitInstance();
        delete frame_;
        frame_ = nullptr;
        return code;
    }

  protected:
    plat::Window* CreateMainFrame() override {
        const plat::Size screen = plat::GetScreenSize();
        frame_ = new MainFrame;
        if (!frame_->Create(nullptr, {0, 0, screen.width, screen.height}, WS_POPUP | WS_VISIBLE,
                            WS_EX_TOPMOST, "Ferrovane")) {
            delete frame_;
            frame_ = nullptr;
        }
        return frame_;
    }

  private:
    MainFrame* frame_ = nullptr;
};

// The one application object.
FerrovaneApp theApp;

}  // namespace

int main(int argc, char** argv) {
    plat::LaunchOptions options;
    std::string error;
    if (!plat::ParseLaunchOptions(argc, argv, &options, &error)) {
        std::fprintf(stderr, "ferrovane: %s\n", error.c_str());
        return 2;
    }
    auto backend = plat::CreateHostBackend(options, &error);
    if (!backend) {
        std::fprintf(stderr, "ferrovane: %s\n", error.c_str());
        return 1;
    }
    return plat::RunApplication(theApp, *backend);
}
