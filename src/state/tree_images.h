#pragma once

// Reloads the tree picture of the current season into the game state's tree
// holder: "baum.jgd" (seasonal rows) or "trees6.jgd" while trees are shown,
// "stumpf.jgd" while they are not. Called by the options screen, the level
// readers and the world image loader.
void LoadTreeImages();
