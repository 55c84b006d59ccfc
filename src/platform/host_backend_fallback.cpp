// Stand-in for the SDL back end's factory, used only when the program is
// linked without that library: the SDL library's own definition replaces it.

#include "platform/host_backend.h"

namespace plat {

__attribute__((weak)) std::unique_ptr<Backend> CreateHostBackend(const LaunchOptions& /*options*/,
                                                                 std::string* error) {
    if (error != nullptr) *error = "this build has no display back end";
    return nullptr;
}

}  // namespace plat
