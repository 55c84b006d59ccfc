#include "screens/flow/save_slots.h"

#include <cstdio>

#include "platform/file.h"
#include "state/game_state.h"

namespace {

constexpr size_t kDescriptionBytes = 99;

}  // namespace

std::string SaveSlotFile(int32_t slot, const char* extension) {
    const CGameState& gs = *g_pGameState;
    char name[32];
    std::snprintf(name, sizeof name, gs.game_mode == kModeEditor ? "s_%d.%s" : "%d.%s", slot,
                  extension);
    return std::string(gs.DataPath(kPathSave)) + "\\" + name;
}

bool ReadDescription(const std::string& path, std::string& line) {
    plat::TextFile file;
    if (!file.Open(path)) return false;
    line.clear();
    file.ReadLineCut(line, kDescriptionBytes);
    file.Close();
    return true;
}

bool FileOpens(const std::string& path) {
    const plat::FileHandle file = plat::OpenFile(path, plat::OpenMode::ReadWrite);
    if (file == plat::kInvalidFile) return false;
    plat::CloseFile(file);
    return true;
}

std::string AutosaveFile() {
    return std::string(g_pGameState->DataPath(kPathSave)) + "\\autosave.lvl";
}

bool SlotLoadable(int32_t slot) {
    if (slot == kAutosaveSlot) {
        return g_pGameState->game_mode != kModeEditor && FileOpens(AutosaveFile());
    }
    std::string description;
    return slot >= 0 && slot < kSaveSlotCount &&
           ReadDescription(SaveSlotFile(slot, "dir"), description) &&
           FileOpens(SaveSlotFile(slot, "lvl"));
}
