#pragma once
// The stand-in levels, made by the game's own code: the world generator runs
// on the stand-in landscape templates with fixed seeds, each level is set up
// (capital, season, rivals) and written with the level writer, together with
// its texts:
//   karriere/k0_0 .. k0_9.lvl with k0_N.txt (the assignment's goal),
//   mission/m0_0, m0_1, m1_0, m2_0.lvl with .dir (title) and .txt (briefing),
//   scenario/s0_0, s0_1.lvl with .dir.
// Texts are Windows-1252 with CR LF line ends. The same on every run.

#include <cstdint>
#include <string>

#include "game/level_goal.h"

namespace standin {

// Writes the levels into `folder`, which must already hold the stand-in data
// (templates and city names). Runs the game's code in-process on its own
// game state; nothing else of the game may be running. False with a message
// in *error on failure.
bool WriteStandinLevels(const std::string& folder, std::string* error);

// The goal of career assignment `a` (0..9) at a difficulty (50, 70, 100),
// and of every mission: the game's own targets, which the texts state.
int64_t AssignmentGoal(int32_t assignment, int32_t difficulty);
inline constexpr int64_t kMissionGoal = kMissionTarget;

}  // namespace standin
