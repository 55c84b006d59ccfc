// Growing a city to a target size: the initial layout of a new city (street
// plan, start street, name, start size) and the editor's growth of a city by
// one size stage.

#include <algorithm>
#include <cstdio>

#include "cities/city.h"
#include "cities/city_area.h"
#include "cities/city_growth_rules.h"
#include "cities/city_manager.h"
#include "cities/city_network.h"
#include "platform/random.h"
#include "state/game_state.h"
#include "state/view_events.h"
#include "world/way_piece_tables.h"

namespace {

constexpr int32_t kMaxFailedSteps = 50;

// Plan values a ramp may carry as a street: those running along the ramp.
bool RampTakesPlanValue(int32_t slope, int32_t plan) {
    if (slope == 1 || slope == 3) {
        return plan == 1 || plan == 4 || plan == 5 || plan == 6 || plan == 11;
    }
    if (slope == 2 || slope == 4) {
        return plan == 2 || plan == 3 || plan == 5 || plan == 6 || plan == 11;
    }
    return false;
}

// A field the start street may be laid on.
bool IsFreeStartField(int32_t x, int32_t y, const MapField& f) {
    return f.wegtyp() == 0 && f.teile_art() > 0 && f.stadtnum() == 0 && x <= 254 && y <= 254 &&
           f.teile_diff() < 5 && !HasTableBuilding(f);
}

// The street piece (`wegteil`) of a plan value on a field of slope shape
// `slope`; 0 when the ramp does not take it.
int32_t StartPiece(int32_t slope, int32_t plan) {
    if (slope == 0) return plan;
    if (!RampTakesPlanValue(slope, plan)) return 0;
    return RampWayPiece[slope - 1];
}

int32_t LayoutTarget(int32_t sizeChoice) {
    const int32_t* t = g_pGameState->size_class_thresholds;
    // A size threshold plus up to two fifths of it; the smallest size is the
    // first threshold less up to a tenth.
    const auto spread = [](int32_t threshold, int32_t divisor) {
        return plat::Rand() % std::max(1, threshold * (divisor == 10 ? 1 : 2) / divisor);
    };
    switch (std::clamp(sizeChoice, 0, 4)) {
        case 0:
            return t[0] - spread(t[0], 10);
        case 1:
            return t[0] + spread(t[0], 5);
        case 2:
            return t[1] + spread(t[1], 5);
        case 3:
            return t[2] + spread(t[2], 5);
        default:
            return t[3] + spread(t[3], 5);
    }
}

int32_t StageTarget(int32_t residents) {
    const int32_t* t = g_pGameState->size_class_thresholds;
    int32_t stage = 0;
    for (int32_t i = 0; i < 4; ++i) stage += residents > t[i] ? 1 : 0;
    switch (stage) {
        case 0:
            return 1500 - plat::Rand() % 150;
        case 1:
            return 3000 - plat::Rand() % 300;
        case 2:
            return 6000 - plat::Rand() % 600;
        case 3:
            return 6000 + plat::Rand() % 6000;
        default:
            return 150000;
    }
}

}  // namespace

void CCity::ChooseName() {
    CCityManager* manager = g_pCityManager;
    if (manager == nullptr) return;
    int32_t freeNames = 0;
    int32_t freeNamed = 0;
    for (int32_t i = 0; i < kCityNameCount; ++i) {
        if (manager->name_used[i] != 0) continue;
        ++freeNames;
        if (manager->names[i][0] != '\0') ++freeNamed;
    }
    // Every name taken (only a damaged level can say so): keep the default,
    // or the draw below would never end.
    if (freeNames == 0) return;
    // A names file shorter than the list leaves empty entries. Without
    // skipping them while a free name with text is left, a city could draw
    // one and go without a name on the map and in its terminals' names.
    int32_t r = 0;
    do {
        r = plat::Rand() % kCityNameCount;
    } while (manager->name_used[r] != 0 || (freeNamed > 0 && manager->names[r][0] == '\0'));
    std::snprintf(name, sizeof name, "%s", manager->names[r]);
    manager->name_used[r] = 1;
    name_index = r;
}

int32_t CCity::LayOut() {
    origin_x -= 13;
    origin_y -= 13;
    residents = 0;
    PrepareStreetGrid();

    // Try a street on each planned central cell; remember the last one from
    // which the city could grow. A trial clears the field's forest for good.
    int32_t startDx = -1;
    int32_t startDy = -1;
    for (int32_t dx = 11; dx <= 15; ++dx) {
        for (int32_t dy = 11; dy <= 15; ++dy) {
            const int32_t plan = street_grid[dx][dy];
            MapField* f = FieldAt(origin_x + dx, origin_y + dy);
            if (plan == 0 || f == nullptr || !IsFreeStartField(origin_x + dx, origin_y + dy, *f)) {
                continue;
            }
            const int32_t piece = StartPiece(f->teile_diff(), plan);
            if (piece == 0) continue;
            const uint32_t savedPiece = f->wegteil();
            f->set_wegtyp(kWayCityStreet);
            f->set_wegteil(static_cast<uint32_t>(piece));
            f->set_stadtnum(static_cast<uint32_t>(number));
            ClearForest(*f);
            if (ScanArea() != -6) {
                startDx = dx;
                startDy = dy;
            }
            f->set_wegtyp(0);
            f->set_stadtnum(0);
            // Without its old piece back, the field would keep a street piece
            // with no way under it.
            f->set_wegteil(savedPiece);
        }
    }
    if (startDx < 0) return 0;

    const int32_t x = origin_x + startDx;
    const int32_t y = origin_y + startDy;
    MapField& start = *FieldAt(x, y);
    start.set_feldchange(true);
    start.set_wegtyp(kWayCityStreet);
    start.set_stadtnum(static_cast<uint32_t>(number));
    if (ClearForest(start)) MarkObjectsChanged(x, y);
    const int32_t slope = start.teile_diff();
    start.set_wegteil(static_cast<uint32_t>(slope == 0 ? street_grid[startDx][startDy]
                                                       : RampWayPiece[slope - 1]));
    RefitAndRelinkFields({{x, y}, {x, y - 1}, {x + 1, y}, {x, y + 1}, {x - 1, y}});

    const int32_t target = LayoutTarget(g_pGameState->city_size_choice);
    g_pGameState->growth_target = target;
    ChooseName();
    ScanArea();
    failed_steps = 0;
    placements = 0;
    while (residents < target && failed_steps < kMaxFailedSteps) {
        countdown = 0;
        if (Tick() != 1) break;
    }
    FinishBuildingSite();
    evaluation = Evaluate();
    countdown = CountdownFor(evaluation);
    return 1;
}

void CCity::GrowOneStage() {
    ScanArea();
    const int32_t target = StageTarget(residents);
    failed_steps = 0;
    placements = 0;
    while (residents < target && failed_steps < kMaxFailedSteps) {
        if (Tick() != 1) break;
        if (placements == 1) {
            Views().RedrawView();
            placements = 0;
        }
    }
    FinishBuildingSite();
    g_pGameState->redraw_terrain = 1;
    g_pGameState->redraw_objects = 1;
    Views().RedrawView();
}
