#pragma once
// What the interface asks of the level and saved-game files. The program
// installs the real files at start-up (app/game_files.cpp); until then, and
// in tests that install nothing, Files() answers with files that load and
// save nothing.

#include <string>

enum class LevelLoadResult {
    Loaded,     // the file's game now runs
    Cancelled,  // the file could not be opened and the player gave up; nothing changed
    Rejected,   // the file is damaged; the player was told, nothing changed
    // The file changed between the check and the reading and turned out
    // damaged on the second walk: the running game is lost (its state is
    // memory-safe but incomplete) and the caller must end it.
    FailedMidway,
};

class GameFiles {
  public:
    GameFiles() = default;
    // An installed object that goes away puts the do-nothing files back.
    virtual ~GameFiles();
    GameFiles(const GameFiles&) = delete;
    GameFiles& operator=(const GameFiles&) = delete;

    // Paths are Windows paths. A career level replaces the running game by
    // its start state; a saved game, a mission or a scenario by the whole
    // game the file holds.
    virtual LevelLoadResult LoadLevel(const std::string& /*path*/) {
        return LevelLoadResult::Cancelled;
    }
    virtual LevelLoadResult LoadSavedGame(const std::string& /*path*/) {
        return LevelLoadResult::Cancelled;
    }
    // A mission or scenario: read whole, and refused unless the file holds
    // every record.
    virtual LevelLoadResult LoadPreparedGame(const std::string& /*path*/) {
        return LevelLoadResult::Cancelled;
    }
    // True when written.
    virtual bool SaveGameFile(const std::string& /*path*/) { return false; }
    // The game the player leaves ("lastsave.lvl" of the saved-games folder).
    virtual bool SaveLastGame() { return false; }
    // A text file holding `text` as its only line (a saved game's description).
    virtual bool WriteDescription(const std::string& /*path*/, const std::string& /*text*/) {
        return false;
    }
};

// The installed files, or the do-nothing ones.
GameFiles& Files();
// Installs `files` (until its destruction); null puts the do-nothing files back.
void InstallGameFiles(GameFiles* files);
