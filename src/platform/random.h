#pragma once
// The game's one random generator: a seedable 15-bit generator (0..32767), so
// that every "Rand() % n" of the game has the range it was balanced for.

#include <cstdint>
#include <functional>

namespace plat {

constexpr int32_t kRandMax = 32767;

void Srand(uint32_t seed);
int32_t Rand();

// Test hook: while set, Rand() returns the values this function gives
// (each taken modulo 32768). Pass an empty function to go back.
void SetRandSourceForTests(std::function<int32_t()> source);

}  // namespace plat
