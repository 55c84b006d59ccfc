#include "sound/ambient_sounds.h"

#include <array>

#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "platform/random.h"
#include "sound/sound_manager.h"
#include "sound/sound_view.h"
#include "state/data_tables.h"
#include "state/game_state.h"

int32_t g_AmbientCounter = 0;

namespace {

constexpr int32_t kGateBelow = 50;
constexpr int32_t kGatesPerDecision = 100;
constexpr int32_t kSurroundingsChannel = 3;
constexpr int32_t kCityCentreOffset = 13;
constexpr int32_t kSizeClasses = 5;

// Birds, wind or rain of spring, summer or autumn (effects 31..39).
void PlaySeasonSound(CSoundManager& sound) {
    const int32_t season = g_pGameState->season;
    if (season < 1 || season > 3) return;
    sound.PlayEffect(28 + 3 * season + plat::Rand() % 3, kSurroundingsChannel, 0);
}

// The saw of the first lumber mill in view, or the hammering of the first
// steel mill in view.
void PlayMillSound(CSoundManager& sound) {
    const bool steel = plat::Rand() % 2 == 1;
    const int32_t type = steel ? kTypeSteelMill : kTypeLumberMill;
    const int32_t effect = steel ? 24 : 22;
    if (g_ppBuildings == nullptr) return;
    for (const CBuilding* building : g_ppBuildings->buildings) {
        if (building == nullptr || building->type != type) continue;
        if (!sound_view::IsTileInView(building->anchor_x, building->anchor_y)) continue;
        sound.PlayEffect(effect, kSurroundingsChannel,
                         sound_view::Pan(building->anchor_x, building->anchor_y));
        return;
    }
}

// A town in view, louder for bigger towns: the first town in view of each
// size class is a candidate; one candidate is picked at random.
void PlayTownSound(CSoundManager& sound) {
    if (g_pCityManager == nullptr) return;
    const int32_t* t = g_pGameState->size_class_thresholds;
    struct Candidate {
        const CCity* city;
        int32_t size_class;
    };
    std::array<Candidate, kSizeClasses> candidates{};
    std::array<bool, kSizeClasses> taken{};
    int32_t count = 0;
    for (CCity* city : g_pCityManager->cities) {
        if (count == kSizeClasses) break;
        if (city == nullptr) continue;
        const int32_t x = city->origin_x + kCityCentreOffset;
        const int32_t y = city->origin_y + kCityCentreOffset;
        city->in_view = sound_view::IsTileInView(x, y) ? 1 : 0;
        if (city->in_view == 0) continue;
        const int32_t r = city->residents;
        const bool fits[kSizeClasses] = {r<t[0], r> t[0], r > t[1], r > t[2], r > t[3]};
        for (int32_t c = 0; c < kSizeClasses; ++c) {
            if (!fits[c] || taken[size_t(c)]) continue;
            taken[size_t(c)] = true;
            candidates[size_t(count++)] = {city, c};
        }
    }
    if (count == 0) return;
    const Candidate& chosen = candidates[size_t(plat::Rand() % count)];
    int32_t effect = 17;
    if (chosen.size_class == 2) effect = 18;
    if (chosen.size_class >= 3) effect = 19 + plat::Rand() % 3;
    const int32_t x = chosen.city->origin_x + kCityCentreOffset;
    const int32_t y = chosen.city->origin_y + kCityCentreOffset;
    sound.PlayEffect(effect, kSurroundingsChannel, sound_view::Pan(x, y));
}

}  // namespace

void CSoundManager::PlayAmbientSounds() {
    if (g_pGameState == nullptr || plat::Rand() >= kGateBelow) return;
    if (++g_AmbientCounter < kGatesPerDecision) return;
    g_AmbientCounter = 0;
    const int32_t r = plat::Rand() % 101;
    if (r < 40) {
        PlaySeasonSound(*this);
    } else if (r > 40 && r < 70) {
        PlayMillSound(*this);
    } else if (r > 70) {
        PlayTownSound(*this);
    }
}
