// The city names: 128 names read from a names file of the base data folder.

#include <cstdio>
#include <string>

#include "cities/city_manager.h"
#include "platform/file.h"
#include "state/game_state.h"

namespace {

constexpr size_t kNameLineLength = 99;

}  // namespace

void CCityManager::LoadNames() {
    if (g_pGameState == nullptr) return;
    char path[400];
    std::snprintf(path, sizeof path, "%s\\Names%d.txt", g_pGameState->DataPath(kPathBase),
                  g_pGameState->names_list_number + 1);
    plat::TextFile file;
    if (!file.Open(path)) return;
    std::string line;
    for (int32_t i = 0; i < kCityNameCount; ++i) {
        name_used[i] = 0;
        // A file that ends early leaves the remaining names empty.
        // A longer line is one name, cut; the next line is the next name.
        if (!file.ReadLineCut(line, kNameLineLength)) line.clear();
        const size_t cut = line.find_first_of("\n`");
        if (cut != std::string::npos) line.resize(cut);
        std::snprintf(names[i], kCityNameSize, "%s", line.c_str());
    }
}
