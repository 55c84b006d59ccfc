// Entry point of the game: reads the start options, opens the host back end
// and runs the application object on it.

#include <cstdio>
#include <string>

#include "app/game_app.h"
#include "platform/host_backend.h"
#include "platform/screen.h"
#include "screens/panel/debug_window.h"

namespace {

// The one application object.
CGameApp theApp;

}  // namespace

int main(int argc, char** argv) {
    plat::LaunchOptions options;
    std::string error;
    if (!plat::ParseLaunchOptions(argc, argv, &options, &error)) {
        std::fprintf(stderr, "ferrovane: %s\n", error.c_str());
        return 2;
    }
    if (options.help) {
        std::fputs("Usage: ferrovane [--screen WxH] [--window] [--debug-window] [--help]\n",
                   stdout);
        std::fputs(plat::LaunchOptionsHelp(), stdout);
        return 0;
    }
    DebugWindowRequested() = options.debug_window;
    auto backend = plat::CreateHostBackend(options, &error);
    if (!backend) {
        std::fprintf(stderr, "ferrovane: %s\n", error.c_str());
        return 1;
    }
    return plat::RunApplication(theApp, *backend);
}
