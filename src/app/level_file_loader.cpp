// Loading level files: open (asking while the file is missing), walk the
// file once to check it, and only then tear the running game down and read.

#include "app/career_record.h"
#include "app/level_file.h"
#include "app/level_records.h"
#include "state/game_state.h"

namespace {

// Opens the file for reading; asks with the retry box until it opens or the
// player cancels.
plat::FileHandle OpenForReading(const std::string& path) {
    for (;;) {
        const plat::FileHandle file = plat::OpenFile(path, plat::OpenMode::Read);
        if (file != plat::kInvalidFile) return file;
        if (!AskRetryMissingLevel(path)) return plat::kInvalidFile;
    }
}

LevelLoadResult LoadGameFile(const std::string& path, LevelWalkPart part) {
    if (g_pGameState == nullptr) return LevelLoadResult::Rejected;
    const plat::FileHandle file = OpenForReading(path);
    if (file == plat::kInvalidFile) return LevelLoadResult::Cancelled;

    const bool sound = WalkLevelFile(file, LevelWalkMode::Check, part) &&
                       plat::SeekFile(file, 0, plat::SeekFrom::Begin) == 0;
    if (!sound) {
        plat::CloseFile(file);
        ShowDamagedLevelBox(path);
        return LevelLoadResult::Rejected;
    }

    TearDownForLevelRead(part);
    const bool read = WalkLevelFile(file, LevelWalkMode::Read, part);
    plat::CloseFile(file);
    if (!read) {
        ShowDamagedLevelBox(path);
        return LevelLoadResult::FailedMidway;
    }
    FinishLevelRead(part);
    return LevelLoadResult::Loaded;
}

LevelLoadResult LoadWholeGame(const std::string& path, LevelWalkPart part) {
    const LevelLoadResult result = LoadGameFile(path, part);
    // The career's difficulty and assignment, when the game has them beside.
    if (result == LevelLoadResult::Loaded) ReadCareerRecord(path);
    return result;
}

}  // namespace

LevelLoadResult LoadSavedGame(const std::string& path) {
    return LoadWholeGame(path, LevelWalkPart::WholeGame);
}

LevelLoadResult LoadPreparedGame(const std::string& path) {
    return LoadWholeGame(path, LevelWalkPart::PreparedGame);
}

LevelLoadResult LoadLevel(const std::string& path) {
    return LoadGameFile(path, LevelWalkPart::LevelStart);
}

LevelLoadResult LoadLastGame() {
    const LevelLoadResult result = LoadSavedGame(SavedGamePath("lastsave.lvl"));
    if (result == LevelLoadResult::Loaded) g_pGameState->start_marker = 0;
    return result;
}
