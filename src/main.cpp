// Entry point of the game: reads the start options, opens the host back end
// and runs the application on it.
//
// For now the application only opens the main window, captioned "Ferrovane"
// over the whole virtual screen, and ends when it is closed.

#include <cstdio>
#include <string>

#include "platform/app.h"
#include "platform/host_backend.h"
#include "platform/screen.h"
#include "platform/window.h"

namespace {

class MainFrame : public plat::Window {
  protected:
    plat::LResult OnMessage(uint32_t msg, plat::WParam wParam, plat::LParam lParam) override {
        return DefaultMessage(msg, wParam, lParam);
    }
};

class GameApp : public plat::Application {
  public:
    bool InitInstance() override {
        const plat::Size screen = plat::GetScreenSize();
        frame_ = new MainFrame;
        if (!frame_->Create(nullptr, {0, 0, screen.width, screen.height}, WS_POPUP | WS_VISIBLE,
                            WS_EX_TOPMOST, "Ferrovane")) {
            return false;
        }
        mainWindow = frame_;
        return true;
    }

    int ExitInstance() override {
        delete frame_;
        frame_ = nullptr;
        return plat::Application::ExitInstance();
    }

  private:
    MainFrame* frame_ = nullptr;
};

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
    GameApp app;
    return plat::RunApplication(app, *backend);
}
