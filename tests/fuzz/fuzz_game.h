#pragma once
// The running game of the fuzzers and their seed writer (a varied or a busy
// game), the level-reader fuzzer's input format, and a scratch folder.
//
// Input format: byte 0 holds the flags below. Without kFlagWholeFile the rest
// is a file whose field grid was left out; the fuzzer puts a grid back after
// the first 32 bytes (the busy game's, or a fixed random one without
// references), so that mutations fall on the records with structure.

#include <cstdint>
#include <string>
#include <vector>

namespace plat {
class HeadlessBackend;
}

namespace fvfuzz {

constexpr uint8_t kFlagLevelStart = 1, kFlagEditor = 2, kFlagWholeFile = 4, kFlagBusyGrid = 8;
// Without kFlagLevelStart: read as a mission or scenario, not a saved game.
constexpr uint8_t kFlagPrepared = 16;
// Frames a busy game runs before it is saved or after a file was accepted.
constexpr int32_t kBusyFrames = 40;
constexpr size_t kHeadBytes = 32, kGridBytes = 786432;

// Creates the game state and everything a load needs (once per process).
void SetUpGame();
// The headless back end that answers the message boxes.
plat::HeadlessBackend& Host();
// A game of random fields without buildings, vehicles or cities; the busy
// game of `seed` (fvtest::BusyGame) after kBusyFrames.
void MakeGame(int32_t seed);
void MakeBusyGame(int32_t seed);
// The fixed grid put into inputs without one, and the busy game's grid.
const std::vector<uint8_t>& FixedGrid();
const std::vector<uint8_t>& BusyGrid();
// Writes the running game with the game's own writer and reads it back.
std::vector<uint8_t> SaveRunningGame(const std::string& path);
// The file an input stands for, and the input a file and flags make.
std::vector<uint8_t> FileOfInput(const uint8_t* data, size_t size);
std::vector<uint8_t> InputOfFile(const std::vector<uint8_t>& file, uint8_t flags);
std::vector<uint8_t> ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);

// SetUpGame and a scratch folder of this process, removed at exit, where
// every data folder points; a path in it; an input written there as `name`.
void SetUpScratch();
std::string ScratchPath(const std::string& name);
std::string WriteInput(const std::string& name, const uint8_t* data, size_t size);
// Ends the process with a message when `ok` is false (a broken property).
void Require(bool ok, const char* what);

}  // namespace fvfuzz
