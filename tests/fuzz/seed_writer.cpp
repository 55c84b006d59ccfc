// seed_writer <target> <folder>: the seed corpus of <target>_fuzz. Level
// reader: busy and random-field games, level starts and an editor level by the
// game's own writer, the older layout and a short market-event table; settings
// and high scores: the game's writers; the rest: stand-in data files.

#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "app/level_file.h"
#include "app/settings.h"
#include "fuzz_game.h"
#include "game/high_scores.h"
#include "standin.h"
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

int g_written = 0;
std::string g_folder;

void Put(const Bytes& bytes) {
    fvfuzz::WriteFile(g_folder + "/seed-" + std::to_string(g_written++), bytes);
}

// The stand-in data files whose path contains `part`, at most `limit` of them
// and none above `max_size` bytes.
int PutStandinFiles(const std::string& part, int limit, size_t max_size) {
    for (const standin::FileRecipe& recipe : standin::DataFileRecipes()) {
        if (g_written >= limit || recipe.path.find(part) == std::string::npos) continue;
        const Bytes bytes = recipe.make();
        if (bytes.size() <= max_size) Put(bytes);
    }
    return 0;
}

// Two small pictures of the other layouts the reader takes: 4-bit rows and
// 8-bit runs, both 5 x 3 with 16 colours.
int PictureSeeds() {
    const int status = PutStandinFiles(".jgd", 14, 65536);
    const Bytes four = {0x12, 0x34, 0x50, 0, 0xAB, 0xCD, 0xE0, 0, 0x01, 0x23, 0x40, 0};
    const Bytes runs = {2, 7, 0, 3, 9, 8, 6, 0, 0, 0, 0, 2, 1, 1, 1, 5, 0, 1};
    for (const auto& [bits, bit_count, compression] :
         {std::tuple(four, 4, 0), std::tuple(runs, 8, 1)}) {
        Bytes file = {'B', 'M'};
        auto put32 = [&file](uint32_t v) {
            for (int i = 0; i < 4; ++i) file.push_back(uint8_t(v >> (8 * i)));
        };
        put32(uint32_t(14 + 40 + 64 + bits.size()));
        put32(0);
        put32(14 + 40 + 64);
        for (uint32_t v : {40u, 5u, 3u, 1u | uint32_t(bit_count) << 16, uint32_t(compression),
                           uint32_t(bits.size()), 0u, 0u, 16u, 0u})
            put32(v);
        for (uint32_t i = 0; i < 16; ++i) put32(i * 0x0F0F0F);
        file.insert(file.end(), bits.begin(), bits.end());
        Put(file);
    }
    return status;
}

int LevelSeeds() {
    const std::string scratch = g_folder + "/scratch.lvl";
    auto put = [&](const Bytes& file, uint8_t flags) { Put(fvfuzz::InputOfFile(file, flags)); };
    // Busy games: whole games and level starts over the busy grid.
    for (int32_t seed = 1; seed <= 3; ++seed) {
        fvfuzz::MakeBusyGame(seed);
        const Bytes file = fvfuzz::SaveRunningGame(scratch);
        if (file.empty()) return 1;
        put(file, fvfuzz::kFlagBusyGrid);
        put(file, fvfuzz::kFlagBusyGrid | fvfuzz::kFlagLevelStart);
        put(file, fvfuzz::kFlagBusyGrid | fvfuzz::kFlagPrepared);
    }
    for (int32_t seed = 1; seed <= 3; ++seed) {
        fvfuzz::MakeGame(seed);
        const Bytes file = fvfuzz::SaveRunningGame(scratch);
        if (file.empty()) return 1;
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
    const Bytes editor = fvfuzz::SaveRunningGame(scratch);
    put(editor, fvfuzz::kFlagEditor);
    return editor.empty() ? 1 : 0;
}

int SettingsSeeds() {
    const std::string ini = g_folder + "/scratch.ini";
    CGameState& gs = *g_pGameState;
    for (int32_t variant = 0; variant < 3; ++variant) {
        gs.opt_scroll_speed = 10 + variant * 30;
        gs.opt_music = variant % 2;
        if (!WriteSettingsFile(ini)) return 1;
        // The last with the installation section, as set up by hand.
        const std::string install = variant == 2 ? "[INSTALL]\r\nInstallation=1\r\n" : "";
        Bytes file(install.begin(), install.end());
        for (uint8_t b : fvfuzz::ReadFile(ini)) file.push_back(b);
        Put(file);
    }
    std::remove(ini.c_str());
    return 0;
}

int HighScoreSeeds() {
    CGameState& gs = *g_pGameState;
    const std::string saves = g_folder + "/scratch-save";
    std::snprintf(gs.data_paths[kPathSave * kDataPathCopies + gs.install_index], kDataPathLength,
                  "%s", saves.c_str());
    for (int32_t points : {500, 70000, -3, 1 << 30}) {
        std::snprintf(gs.company_names[0], kCompanyNameLength, "Company %d", points % 1000);
        InsertHighScore(gs, points);
        if (!SaveHighScores(gs)) return 1;
        Put(fvfuzz::ReadFile(saves + "/best.sav"));
    }
    std::filesystem::remove_all(saves);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: seed_writer <target> <corpus folder>\n");
        return 2;
    }
    const std::string target = argv[1];
    g_folder = argv[2];
    std::filesystem::create_directories(g_folder);
    fvfuzz::SetUpGame();
    const std::map<std::string, std::function<int()>> writers = {
        {"level_reader", LevelSeeds},
        {"settings", SettingsSeeds},
        {"high_scores", HighScoreSeeds},
        {"picture", PictureSeeds},
        {"landscape", [] { return PutStandinFiles("berge", 8, 1 << 20); }},
        {"city_names", [] { return PutStandinFiles("names", 8, 1 << 20); }},
    };
    const auto writer = writers.find(target);
    const int status = writer == writers.end() ? 2 : writer->second();
    if (status != 0 || g_written == 0) {
        std::fprintf(stderr, "seed_writer: no seeds for %s\n", target.c_str());
        return status != 0 ? status : 1;
    }
    std::printf("%d seeds written for %s\n", g_written, target.c_str());
    return status;
}
