// Writes the seed corpus of the level-reader fuzzer into the folder given:
// saved games, a level start, an editor level, the older layout and a short
// market-event table, all made by the game's own writer.

#include <cstdio>
#include <string>
#include <vector>

#include "app/level_file.h"
#include "fuzz_game.h"
#include "state/game_state.h"
#include "state/le_io.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Offset of the market-event count (record 21) of a file from the writer.
size_t EventCountOffset(const Bytes& file) {
    const size_t network = fvfuzz::kHeadBytes + fvfuzz::kGridBytes;
    const uint32_t nodes = le::GetU32(&file[network]);
    const size_t cash = network + 4 + size_t{nodes} * 44;
    // cash, season, buildings, vehicles, cities, calendar, camera, rotation,
    // colour, names, event, pause, statistics, counters, news
    return cash + 32 + 4 + 4 + 4 + 2052 + 12 + 20 + 4 + 1 + 140 + 2 + 6608 + 80 + 8;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: level_seed_writer <corpus folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::string scratch = folder + "/scratch.lvl";
    fvfuzz::SetUpGame();
    int written = 0;
    auto put = [&](const Bytes& file, uint8_t flags) {
        fvfuzz::WriteFile(folder + "/seed-" + std::to_string(written++),
                          fvfuzz::InputOfFile(file, flags));
    };

    for (int32_t seed = 1; seed <= 3; ++seed) {
        fvfuzz::MakeGame(seed);
        if (!SaveGameFile(scratch)) return 1;
        const Bytes file = fvfuzz::ReadFile(scratch);
        put(file, 0);
        put(file, fvfuzz::kFlagLevelStart);
        if (seed == 1) {
            put(file, fvfuzz::kFlagWholeFile);
            // The older layout: no count, 27 records.
            const size_t count = EventCountOffset(file);
            Bytes older(file.begin(), file.begin() + count);
            older.insert(older.end(), file.begin() + count + 4, file.begin() + count + 4 + 27 * 92);
            older.insert(older.end(), file.begin() + count + 4 + 40 * 92, file.end());
            put(older, 0);
            // A count of 25.
            Bytes short_table(file.begin(), file.begin() + count + 4 + 25 * 92);
            le::PutU32(&short_table[count], 25);
            short_table.insert(short_table.end(), file.begin() + count + 4 + 40 * 92, file.end());
            put(short_table, 0);
        }
    }
    fvfuzz::MakeGame(4);
    g_pGameState->game_mode = kModeEditor;
    if (!SaveGameFile(scratch)) return 1;
    put(fvfuzz::ReadFile(scratch), fvfuzz::kFlagEditor);
    std::remove(scratch.c_str());
    std::printf("%d seeds written\n", written);
    return 0;
}
