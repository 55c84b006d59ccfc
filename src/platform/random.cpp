#include "platform/random.h"

#include <utility>

namespace plat {
namespace {

// The classic linear congruential generator of the C library's reference
// implementation: the same seed gives the same sequence on every machine.
uint32_t g_state = 1;
std::function<int32_t()> g_testSource;

}  // namespace

void Srand(uint32_t seed) {
    g_state = seed;
}

int32_t Rand() {
    if (g_testSource) return g_testSource() & kRandMax;
    g_state = g_state * 1103515245u + 12345u;
    return static_cast<int32_t>((g_state >> 16) & kRandMax);
}

void SetRandSourceForTests(std::function<int32_t()> source) {
    g_testSource = std::move(source);
}

}  // namespace plat
