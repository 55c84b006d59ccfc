#include "fuzz_files.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "fuzz_game.h"
#include "state/game_state.h"

namespace fvfuzz {

namespace {

std::string g_scratch;

void RemoveScratch() {
    std::error_code ignored;
    std::filesystem::remove_all(g_scratch, ignored);
}

}  // namespace

void SetUpScratch() {
    SetUpGame();
    g_scratch =
        (std::filesystem::temp_directory_path() / ("ferrovane-fuzz-" + std::to_string(::getpid())))
            .string();
    std::filesystem::create_directories(g_scratch);
    std::atexit(RemoveScratch);
    CGameState& gs = *g_pGameState;
    for (auto& path : gs.data_paths) std::snprintf(path, kDataPathLength, "%s", g_scratch.c_str());
}

std::string ScratchPath(const std::string& name) {
    return g_scratch + "/" + name;
}

std::string WriteInput(const std::string& name, const uint8_t* data, size_t size) {
    const std::string path = ScratchPath(name);
    WriteFile(path, std::vector<uint8_t>(data, data + size));
    return path;
}

void Require(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

}  // namespace fvfuzz
