#include "platform/sdl/sdl_signals.h"

#include <SDL.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/termination.h"

namespace plat {
namespace {

constexpr int kBoxGraceMs = 2000;
constexpr int kBoxPollMs = 50;

std::atomic<bool> g_boxOpen{false};

// Ends the processes this one started (the message box's own process).
void EndChildProcesses() {
    std::error_code ec;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task", ec)) {
        std::ifstream children(task.path() / "children");
        long pid = 0;
        while (children >> pid) {
            if (pid > 0) ::kill(static_cast<pid_t>(pid), SIGKILL);
        }
    }
}

void Watch(sigset_t signals) {
    for (;;) {
        int signal = 0;
        if (::sigwait(&signals, &signal) != 0) continue;
        if (TerminationSignal() != 0) std::_Exit(128 + signal);  // asked twice
        RequestTermination(signal);  // wakes the event loop while SDL runs
        for (int waited = 0; g_boxOpen.load(); waited += kBoxPollMs) {
            if (waited >= kBoxGraceMs) std::_Exit(128 + signal);
            EndChildProcesses();
            std::this_thread::sleep_for(std::chrono::milliseconds(kBoxPollMs));
        }
    }
}

}  // namespace

void WatchTerminationSignals() {
    static bool started = false;
    if (started) return;
    started = true;
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    std::thread(Watch, signals).detach();
}

void SetMessageBoxOpen(bool open) {
    g_boxOpen.store(open);
}

}  // namespace plat
