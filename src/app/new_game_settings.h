#pragma once
// The new-game settings block of the game state: the set-up screen's choices
// and the world generator's working values, with `selected_building_type`.

class CGameState;

// Back to the values before any game: the first five words 0, the way-tool
// kind 2, the five set-up choices 2, the four regeneration switches 1 and no
// building type selected. The found-city size stays as it is.
void ResetNewGameSettings(CGameState& gs);
