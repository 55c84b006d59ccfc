// Forests: the woods phase of the world generator, planting one forest (also
// the editor's tree tool) and clearing all of them.

#include <algorithm>
#include <cstdlib>

#include "platform/random.h"
#include "state/game_state.h"
#include "state/lookup_tables.h"
#include "state/map_field.h"
#include "state/progress_events.h"
#include "world/land_passes.h"
#include "world/terrain.h"

namespace {

constexpr int32_t kForestAttempts = 50;
constexpr int32_t kMaxWetPercent = 70;
constexpr int32_t kTreeStyles = 5;

// Tree layers of a forest field: bits 7-13 layer 1, bits 0-6 layer 2.
int32_t TreeLayer1(const MapField& f) {
    return f.forest_flag() ? (f.data_word() >> 7) & 0x7F : 0;
}
int32_t TreeLayer2(const MapField& f) {
    return f.forest_flag() ? f.data_word() & 0x7F : 0;
}

// Tree style by ground kind: 0 low ground, 1 its edge, 2 middle ground, 3
// its edge, 4 high ground; kind 15 keeps the style of the previous field.
int32_t TreeStyle(int32_t teile_art, int32_t previous) {
    if (teile_art <= 3) return 0;
    if (teile_art == 4) return 1;
    if (teile_art <= 7) return 2;
    if (teile_art == 8) return 3;
    if (teile_art <= 14) return 4;
    return previous;
}

// A field that takes no trees: a building, a road, a track, a level
// crossing or other special piece, water, or a bridge.
bool RefusesTrees(const MapField& f) {
    if (f.BuildingNumber() != 0) return true;
    if (IsRoadWay(f.wegtyp()) && f.wegteil() != 0) return true;
    if (IsTrackWay(f.wegtyp())) return true;
    if (f.wegteil() >= 16) return true;
    return f.teile_art() == 0 || f.bridge_flag();
}

// A new tree of the season's distribution for the style: 3 t + v + 1.
int32_t NewTree(const CLookupTables& tables, int32_t season, int32_t style) {
    const int32_t row = (std::clamp(season, 1, 3) - 1) * kTreeStyles + style;
    const int32_t type = tables.pick_tables[row][plat::Rand() % kPickTableSize];
    return 3 * type + plat::Rand() % 3 + 1;
}

// Wet fields of the square of radius r around (x, y).
int32_t WetFields(int32_t x, int32_t y, int32_t r) {
    int32_t wet = 0;
    for (int32_t fx = x - r; fx <= x + r; ++fx) {
        for (int32_t fy = y - r; fy <= y + r; ++fy) {
            if (IsWetField(fx, fy)) ++wet;
        }
    }
    return wet;
}

struct ForestSite {
    int32_t x;
    int32_t y;
    int32_t r;
};

// A forest site: up to 50 candidates, the first with a radius above 5 whose
// square is at most 70 % wet; after 50 refusals the last candidate.
ForestSite DrawForestSite() {
    ForestSite site{};
    for (int32_t attempt = 0; attempt < kForestAttempts; ++attempt) {
        site.x = plat::Rand() % 255;
        site.y = plat::Rand() % 255;
        site.r = plat::Rand() % 10 + 5;
        if (site.x - site.r < 0) site.r = site.x;
        if (site.y - site.r < 0) site.r = site.y;
        if (site.x + site.r > 255) site.r = 255 - site.x;
        if (site.y + site.r > 255) site.r = 255 - site.y;
        if (site.r <= 5) continue;
        const int32_t wet = WetFields(site.x, site.y, site.r);
        if (wet * 100 / (4 * site.r * site.r) <= kMaxWetPercent) break;
    }
    return site;
}

}  // namespace

void CTerrain::GenerateWoods() {
    CGameState* gs = g_pGameState;
    if (gs == nullptr) return;
    const int32_t saved_density = gs->forest_density;
    // The setting is a level 0..4 (100 forests each); others are taken as
    // the nearest level.
    const int32_t n = std::clamp(gs->ng_forests, 0, 4) * 100;
    Progress().Stage(2, n);
    for (int32_t forest = 0; forest < n; ++forest) {
        const ForestSite site = DrawForestSite();
        gs->forest_density = plat::Rand() % 4;
        PlantForest(site.x, site.y, site.x + site.r, site.y + site.r);
        Progress().Step();
    }
    gs->forest_density = saved_density;
    Progress().StageDone(2);
}

void CTerrain::PlantForest(int32_t x, int32_t y, int32_t x2, int32_t y2) {
    CGameState* gs = g_pGameState;
    if (gs == nullptr || g_pLookupTables == nullptr) return;
    const int32_t r = std::max(std::abs(x2 - x), std::abs(y2 - y));
    if (r == 0 || x - r < 0 || y - r < 0 || x + r >= 255 || y + r >= 255) return;
    // Planting chance falls from the centre (by density class) to the rim.
    const int32_t density = std::clamp(gs->forest_density, 0, 3);
    const int32_t inner = g_pLookupTables->balance_percents[density];
    const int32_t outer = g_pLookupTables->balance_percents[12 + density];
    const int32_t step = (outer - inner) / r;
    int32_t style = gs->forest_style;
    for (int32_t i = 0; i <= 2 * r; ++i) {
        for (int32_t j = 0; j <= 2 * r; ++j) {
            MapField& f = *FieldAt(x - r + i, y - r + j);
            if (RefusesTrees(f)) continue;
            style = std::clamp(TreeStyle(f.teile_art(), style), 0, kTreeStyles - 1);
            const int32_t ring = std::max(std::abs(i - r), std::abs(j - r));
            const int32_t threshold = inner + ring * step;
            int32_t layer1 = TreeLayer1(f);
            int32_t layer2 = TreeLayer2(f);
            if (plat::Rand() % 100 > threshold && layer1 == 0) {
                layer1 = NewTree(*g_pLookupTables, gs->season, style);
            }
            if (plat::Rand() % 100 > threshold && layer2 == 0) {
                layer2 = NewTree(*g_pLookupTables, gs->season, style);
            }
            if (layer1 == 0 && layer2 == 0) continue;
            f.set_forest_flag(true);
            f.set_data_word(static_cast<uint32_t>(layer1 << 7 | layer2));
        }
    }
}

void CTerrain::ClearForests() {
    if (g_pGameState == nullptr) return;
    for (int32_t x = 0; x < kMapSize - 1; ++x) {
        for (int32_t y = 0; y < kMapSize - 1; ++y) {
            MapField& f = *FieldAt(x, y);
            if (!f.forest_flag()) continue;
            f.set_forest_flag(false);
            f.set_data_word(0);
            f.set_building_flag(false);
        }
    }
}
