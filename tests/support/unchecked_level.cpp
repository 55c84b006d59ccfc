#include "support/unchecked_level.h"

#include "app/level_records.h"
#include "platform/file.h"
#include "state/game_state.h"

namespace fvtest {

bool WriteLevelUnchecked(const std::string& path) {
    if (g_pGameState == nullptr) return false;
    const plat::FileHandle file = plat::OpenFile(path, plat::OpenMode::Create);
    if (file == plat::kInvalidFile) return false;
    WriteLevelRecords(file, g_pGameState->game_mode);
    return plat::SyncAndCloseFile(file);
}

}  // namespace fvtest
