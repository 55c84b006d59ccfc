#pragma once
// Level and saved-game files: one flat sequence of records (no header, no
// checksum) holds a whole game. Saved games, the yearly autosave, the game
// left by the player and the levels made in the editor are written here; the
// prepared mission, scenario and career levels are read with the same code:
// missions and scenarios whole (LoadSavedGame), career levels as a level
// start (LoadLevel).
//
// Saving never leaves a cut file: the records go through a FileReplacement
// (a temporary file in the same folder, flushed and renamed over the file
// only when every write and the close succeeded); a failed save keeps the
// older file and tells the player.
//
// Loading checks before it destroys: the file is walked once with every
// check of the reader before the running game is touched. A missing file
// (Cancel in the retry box) or a damaged one leaves the running game as it
// was; a damaged file is reported with a box naming it.
//
// The control panel's commands call these; none of them needs the panel.

#include <string>

#include "state/game_files.h"

// The last year a level file can hold. The calendar stops counting here, so
// that every game can be saved and loaded again.
constexpr int32_t kLastGameYear = 1000000;

// Writes the whole game to `path` (a Windows path). In the editor the level
// is first normalised to a level start (year 1960, fresh opponents, empty
// statistics, ...). When the file cannot be created the retry box asks again
// until the player cancels, which abandons the save only. A short write
// keeps the older file and shows the write-error box. What was written is
// walked with the loader's checks before it replaces the older file: a file
// the loader would refuse is dropped with a box. The career record beside it
// (app/career_record.h) is written with it. True when the game was written.
bool SaveGameFile(const std::string& path);

// Replaces the running game by the file's game (every record), and the
// career's difficulty and assignment by those of the career record beside it
// when there is a sound one (app/career_record.h).
LevelLoadResult LoadSavedGame(const std::string& path);
// The same for a mission or a scenario. Such a file may end early between two
// records from the calendar on, as a saved game may: the records it lacks
// read as missing (the take-over terms of a new game, no bookmarks, new
// opponents). One that ends before the calendar (in or before the season,
// buildings, vehicles or cities), or inside a record, was cut and is refused
// with the damaged-file box.
LevelLoadResult LoadPreparedGame(const std::string& path);
// Replaces the running game by a career level's start state: the file is
// read up to and including the market events, the rest is reset. Company
// names and board votes of the running game stay.
LevelLoadResult LoadLevel(const std::string& path);

// "lastsave.lvl" in the saved-games folder: the game left by the player.
bool SaveLastGame();
// Continues the game left by the player; on success the game no longer
// counts as started fresh (start_marker 0).
LevelLoadResult LoadLastGame();
// "autosave.lvl" in the saved-games folder; the main loop writes it at every
// new year while automatic saving is on.
bool SaveAutosave();

// "<saved-games folder>\<name>".
std::string SavedGamePath(const std::string& name);

// Picture reloading that a read asks of the graphics engine. Start-up points
// these at the loaders; while they are null (in tests) a read loads no
// pictures.
struct LevelPictureHooks {
    // The season's terrain tile sheet, after the season was read.
    void (*load_season_tiles)() = nullptr;
    // The object and tree images for the settings just read.
    void (*load_object_images)() = nullptr;
};
LevelPictureHooks& GetLevelPictureHooks();
// Points the hooks at the graphics engine's loaders.
void InstallLevelPictureLoaders();

// The game's write-error box for any file that could not be written.
void ShowWriteErrorBox(const std::string& path);

// The box texts (Windows-1252 bytes); the path in them is the host's.
std::string MissingLevelText(const std::string& path);
std::string UnwritableLevelText(const std::string& path);
std::string WriteErrorText(const std::string& path);
std::string UnloadableSaveText(const std::string& path);
std::string DamagedLevelText(const std::string& path);
