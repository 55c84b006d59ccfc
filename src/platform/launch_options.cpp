// Command-line options that choose the virtual screen and the window mode.

#include <cstdio>
#include <string>

#include "platform/screen.h"

namespace plat {

namespace {

bool ParseSize(const std::string& text, Size* size) {
    int w = 0;
    int h = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%dx%d%c", &w, &h, &tail) != 2) return false;
    if (w <= 0 || h <= 0 || w > 16384 || h > 16384) return false;
    *size = {w, h};
    return true;
}

bool Acceptable(Size s) {
    if (s == Size{640, 480} || s == Size{800, 600} || s == Size{1024, 768}) return true;
    // Larger screens are passed on: the game itself refuses them.
    return s.width > 1024 || s.height > 768;
}

}  // namespace

const char* LaunchOptionsHelp() {
    return "Options:\n"
           "  --screen WxH   the size of the game screen: 640x480, 800x600 or 1024x768\n"
           "                 (the default)\n"
           "  --window       a resizable window instead of full screen\n"
           "  --debug-window a window at the right screen edge showing the mouse, the\n"
           "                 field under it and the tool while a tool picks fields\n"
           "  --help, -h     print these options and end\n";
}

bool ParseLaunchOptions(int argc, const char* const* argv, LaunchOptions* options,
                        std::string* error) {
    LaunchOptions result;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            result.help = true;
        } else if (arg == "--window") {
            result.windowed = true;
        } else if (arg == "--debug-window") {
            result.debug_window = true;
        } else if (arg == "--screen" || arg.rfind("--screen=", 0) == 0) {
            std::string value;
            if (arg == "--screen") {
                if (i + 1 >= argc) {
                    if (error) *error = "--screen needs a size such as 800x600";
                    return false;
                }
                value = argv[++i];
            } else {
                value = arg.substr(9);
            }
            Size size;
            if (!ParseSize(value, &size) || !Acceptable(size)) {
                if (error) {
                    *error = "unsupported screen size '" + value +
                             "' (use 640x480, 800x600 or 1024x768)";
                }
                return false;
            }
            result.screen = size;
        } else {
            if (error)
                *error = "unknown option '" + arg +
                         "' (options: --screen WxH, --window, --debug-window, --help)";
            return false;
        }
    }
    *options = result;
    return true;
}

}  // namespace plat
