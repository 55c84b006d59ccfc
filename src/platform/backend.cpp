// The current back end, and the fallback used while none is installed.

#include "platform/backend.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/window_system.h"

namespace plat {

namespace {

class FallbackBackend : public Backend {
  public:
    uint32_t Now() override {
        using namespace std::chrono;
        return static_cast<uint32_t>(
            duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }
    void PumpEvents(InputSink& /*sink*/) override {}
    void WaitForEvents(uint32_t maxMs) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min<uint32_t>(maxMs, 10)));
    }
    Size ScreenSize() override { return {1024, 768}; }
    int32_t ShowMessageBox(const std::string& text, const std::string& caption,
                           uint32_t /*flags*/) override {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        return IDCANCEL;
    }
};

}  // namespace

void SetCurrentBackend(Backend* backend) {
    WindowSystem::Get().backend = backend;
}

Backend& CurrentBackend() {
    static FallbackBackend fallback;
    Backend* b = WindowSystem::Get().backend;
    return b != nullptr ? *b : fallback;
}

}  // namespace plat
