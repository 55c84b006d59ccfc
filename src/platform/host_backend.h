#pragma once
// The game's own back end: the SDL window, input, cursor, message boxes,
// clock, audio and music. Defined in src/platform/sdl (the only place that
// sees SDL). When it cannot start (no display) it answers null and puts one
// clear line for stderr into `error`.

#include <memory>
#include <string>

#include "platform/backend.h"
#include "platform/screen.h"

namespace plat {

std::unique_ptr<Backend> CreateHostBackend(const LaunchOptions& options, std::string* error);

}  // namespace plat
