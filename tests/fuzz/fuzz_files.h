#pragma once
// Helpers of the file-reader fuzzers: a scratch folder of the process that
// the game state's data folders point into, and writing an input there.

#include <cstddef>
#include <cstdint>
#include <string>

namespace fvfuzz {

// Sets up the game (SetUpGame) and a scratch folder of this process, removed
// at exit; every data folder of the game state points at it.
void SetUpScratch();
// "<scratch folder>/<name>".
std::string ScratchPath(const std::string& name);
// Writes the input as the scratch file `name`; returns its path.
std::string WriteInput(const std::string& name, const uint8_t* data, size_t size);
// Ends the process with a message when `ok` is false (a broken property).
void Require(bool ok, const char* what);

}  // namespace fvfuzz
