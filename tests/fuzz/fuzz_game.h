#pragma once
// The running game of the level-reader fuzzer and its seed writer: a game
// state with lookup tables, way network and opponents, a way to fill it with
// a varied game, and the fuzzer's input format.
//
// Input format: byte 0 holds flags (bit 0: read as a level start, bit 1: the
// editor runs, bit 2: the rest is a whole file). Without bit 2 the rest is a
// file whose field grid was left out; the fuzzer puts a fixed grid back after
// the first 32 bytes, so that mutations fall on the records with structure.

#include <cstdint>
#include <string>
#include <vector>

namespace plat {
class HeadlessBackend;
}

namespace fvfuzz {

constexpr uint8_t kFlagLevelStart = 1;
constexpr uint8_t kFlagEditor = 2;
constexpr uint8_t kFlagWholeFile = 4;
constexpr size_t kHeadBytes = 32;
constexpr size_t kGridBytes = 786432;

// Creates the game state and everything a load needs (once per process).
void SetUpGame();
// The headless back end that answers the message boxes.
plat::HeadlessBackend& Host();
// Fills the running game with a game of its own for `seed`.
void MakeGame(int32_t seed);
// The fixed grid put into inputs without one.
const std::vector<uint8_t>& FixedGrid();

// The file an input stands for, and the input a file and flags make.
std::vector<uint8_t> FileOfInput(const uint8_t* data, size_t size);
std::vector<uint8_t> InputOfFile(const std::vector<uint8_t>& file, uint8_t flags);

std::vector<uint8_t> ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace fvfuzz
