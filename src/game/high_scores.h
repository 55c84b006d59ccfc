#pragma once
// The high-score list: ten entries, best first, kept in the game state and
// stored in "best.sav" in the save folder as the 400 bytes of the ten
// records (a 36-byte zero-terminated name and 32-bit little-endian points
// each; points compare as signed numbers).

#include <cstdint>
#include <string>

class CGameState;

// "<save folder>\best.sav".
std::string HighScoreFilePath(const CGameState& gs);

// Reads best.sav over the list. A missing file keeps the list; an empty one
// resets every entry to "No entry" with 0 points; a short one replaces only
// as many bytes as it holds. Every name is cut at 35 characters.
void LoadHighScores(CGameState& gs);
// Writes the 400 bytes in one safe replacement of the file, creating the
// save folder when it is missing. False when it failed: the old file then
// stays as it was.
bool SaveHighScores(const CGameState& gs);

// Enters a finished game's points with the player's company name: above the
// first entry whose points are not above them, the last entry dropping out.
// Returns the place 0..9, or -1 when the points are below the tenth entry's.
int32_t InsertHighScore(CGameState& gs, int32_t points);
