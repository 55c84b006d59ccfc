#include "platform/termination.h"

#include <atomic>

namespace plat {
namespace {

std::atomic<int> g_signal{0};

}  // namespace

void RequestTermination(int signal) {
    int none = 0;
    g_signal.compare_exchange_strong(none, signal);
}

int TerminationSignal() {
    return g_signal.load();
}

void ClearTermination() {
    g_signal.store(0);
}

}  // namespace plat
