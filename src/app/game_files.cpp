// The level and saved-game files behind the interface's GameFiles hook.

#include "app/game_files.h"

#include "app/level_file.h"
#include "platform/file.h"

namespace {

class LevelFiles : public GameFiles {
  public:
    LevelLoadResult LoadLevel(const std::string& path) override { return ::LoadLevel(path); }
    LevelLoadResult LoadSavedGame(const std::string& path) override {
        return ::LoadSavedGame(path);
    }
    LevelLoadResult LoadPreparedGame(const std::string& path) override {
        return ::LoadPreparedGame(path);
    }
    bool SaveGameFile(const std::string& path) override { return ::SaveGameFile(path); }
    bool SaveLastGame() override { return ::SaveLastGame(); }
    // The description exactly as typed, with no line end. One that cannot
    // be written is reported as a level that cannot be written is: the slot
    // would otherwise keep its old description beside the new game.
    bool WriteDescription(const std::string& path, const std::string& text) override {
        if (plat::ReplaceFile(path, text.data(), static_cast<uint32_t>(text.size()))) return true;
        ShowWriteErrorBox(path);
        return false;
    }
};

}  // namespace

void InstallLevelFiles() {
    static LevelFiles files;
    InstallGameFiles(&files);
}
