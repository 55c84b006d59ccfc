#include "platform/termination.h"

#include <atomic>
#include <mutex>

namespace plat {
namespace {

std::atomic<int> g_signal{0};
std::mutex g_wakerMutex;  // held while the waker runs or changes
TerminationWaker g_waker = nullptr;

}  // namespace

void RequestTermination(int signal) {
    int none = 0;
    g_signal.compare_exchange_strong(none, signal);
    std::lock_guard<std::mutex> lock(g_wakerMutex);
    if (g_waker != nullptr) g_waker();
}

void SetTerminationWaker(TerminationWaker waker) {
    std::lock_guard<std::mutex> lock(g_wakerMutex);
    g_waker = waker;
}

int TerminationSignal() {
    return g_signal.load();
}

void ClearTermination() {
    g_signal.store(0);
}

}  // namespace plat
