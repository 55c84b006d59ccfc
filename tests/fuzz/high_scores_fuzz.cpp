// best.sav: an input is loaded over the high-score list, a finished game's
// points are entered, the list is saved and must load back as saved.

#include <cstdint>
#include <cstring>

#include "fuzz_game.h"
#include "game/high_scores.h"
#include "state/game_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CGameState& gs = *g_pGameState;
    fvfuzz::WriteInput("best.sav", data, size);
    LoadHighScores(gs);
    for (const HighScoreEntry& entry : gs.high_scores) {
        fvfuzz::Require(std::memchr(entry.name, 0, sizeof entry.name) != nullptr,
                        "names end within their field");
    }
    int32_t points = static_cast<int32_t>(size * 997);
    if (size >= 4) std::memcpy(&points, data + size - 4, 4);
    InsertHighScore(gs, points);
    fvfuzz::Require(SaveHighScores(gs), "list saved");
    HighScoreEntry saved[kHighScoreCount];
    std::memcpy(saved, gs.high_scores, sizeof saved);
    std::memset(gs.high_scores, 0x5A, sizeof gs.high_scores);
    LoadHighScores(gs);
    fvfuzz::Require(std::memcmp(saved, gs.high_scores, sizeof saved) == 0, "list read back");
    return 0;
}
