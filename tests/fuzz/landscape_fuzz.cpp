// The landscape-template parser: a set that parses is stamped onto the map,
// each of its first templates where the land passes would draw a place for it.

#include <cstdint>
#include <cstring>
#include <span>

#include "fuzz_game.h"
#include "platform/random.h"
#include "state/game_state.h"
#include "world/land_passes.h"
#include "world/landscape_templates.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LandscapeTemplateSet set;
    if (!ParseLandscapeTemplates(std::span<const uint8_t>(data, size), &set)) return 0;
    for (const LandscapeTemplate& t : set.entries) {
        const size_t cells = size_t(t.size_x) * size_t(t.size_y);
        fvfuzz::Require(size_t(t.data_offset) + cells <= set.heights.size(),
                        "every cell lies in the height data");
    }
    std::memset(g_pGameState->fields, 0, sizeof g_pGameState->fields);
    plat::Srand(static_cast<uint32_t>(size));
    const int32_t season = 1 + static_cast<int32_t>(size % 3);
    for (size_t i = 0; i < set.entries.size() && i < 6; ++i) {
        const LandscapeTemplate& t = set.entries[i];
        const StampAttempt attempt = DrawStampAttempt(set, t, season, 1 + static_cast<int32_t>(i));
        if (attempt.fits) ApplyStamp(set, t, attempt);
    }
    return 0;
}
