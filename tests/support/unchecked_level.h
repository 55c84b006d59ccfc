#pragma once
// Damaged level files for the tests that check the loader refuses them: the
// saver no longer writes a game its loader would refuse, so these are written
// past its check.

#include <string>

namespace fvtest {

// Writes the running game's records to `path` (a Windows path) as they are.
// False when the file cannot be created.
bool WriteLevelUnchecked(const std::string& path);

}  // namespace fvtest
