// The growth step of a city: every growth tick counts down, and when the
// countdown runs out the city shrinks a building too large for its zone,
// puts up or enlarges a city building next to its streets, or extends its
// street net; then it evaluates itself, which sets the next countdown.
//
// Zone values: a cell of zone value z (read capped at 5) holds buildings of
// class z at most. A class-c building is enlarged only in zones c+1..5, and a
// building whose class exceeds its zone value (after an attraction was taken
// away) is shrunk one class per step that picks it, down to removal.

#include <algorithm>

#include "cities/city.h"
#include "cities/city_area.h"
#include "cities/city_growth_rules.h"
#include "platform/random.h"
#include "state/game_state.h"

namespace {

// How often each city-building number 1..53 stands in the city stepping now;
// refilled before every step.
int32_t g_CityBuildingCounts[kCityBuildingNumbers + 1] = {};

// The number range of each building class 0..5.
constexpr int32_t kClassFirst[6] = {1, 11, 21, 29, 35, 39};
constexpr int32_t kClassLast[6] = {10, 20, 28, 34, 38, 41};

int32_t ZoneValue(const CCity& city, int32_t dx, int32_t dy) {
    return std::min(city.zone_grid[dx][dy], 5);
}

int32_t& ScratchCell(int32_t dx, int32_t dy) {
    return g_pGameState->shared_city_grid[dx][dy];
}

// A field next to a track or the map edge, or near a bridge, takes no building.
bool IsBlockedForBuilding(int32_t x, int32_t y) {
    for (int32_t i = 0; i < 4; ++i) {
        const MapField* n = AreaField(x + DirDx(i), y + DirDy(i));
        if (n == nullptr || IsTrackWay(n->wegtyp()) || n->gleisr() != 0) return true;
    }
    for (int32_t bx = x - 1; bx <= x + 1; ++bx) {
        for (int32_t by = y - 1; by <= y + 1; ++by) {
            const MapField* f = AreaField(bx, by);
            if (f != nullptr && f->bridge_flag()) return true;
        }
    }
    return false;
}

// Some city building of number 25 or more stands around (x, y).
bool HasTallNeighbour(int32_t x, int32_t y) {
    for (int32_t bx = x - 1; bx <= x + 1; ++bx) {
        for (int32_t by = y - 1; by <= y + 1; ++by) {
            if (bx == x && by == y) continue;
            const MapField* f = AreaField(bx, by);
            if (f != nullptr && CityBuildingOf(*f) >= 25) return true;
        }
    }
    return false;
}

// Whether list `list` holds a cell whose scratch class is `wanted` (-1 for
// an empty cell).
bool ListHolds(const CCity& city, int32_t list, int32_t wanted) {
    for (int32_t i = 0; i <= city.candidate_last[list]; ++i) {
        const CityCell& cell = city.candidates[list][i];
        if (ScratchCell(cell.dx, cell.dy) == wanted) return true;
    }
    return false;
}

bool ZonesHold(const CCity& city, int32_t firstZone, int32_t wanted) {
    for (int32_t z = std::max(firstZone, 0); z < kCandidateLists; ++z) {
        if (ListHolds(city, z, wanted)) return true;
    }
    return false;
}

}  // namespace

int32_t CCity::LeastCountedNumber(int32_t first, int32_t last) const {
    int32_t best = first;
    for (int32_t b = first + 1; b <= last; ++b) {
        if (g_CityBuildingCounts[b] < g_CityBuildingCounts[best]) best = b;
    }
    return best;
}

void CCity::PutBuilding(int32_t x, int32_t y, int32_t b) {
    MapField* f = AreaField(x, y);
    if (f == nullptr) return;
    // The small buildings 42..47 go up here as well, and candidate cells may
    // be forest. Left standing, the forest flag would hide the new building
    // from every reader (the city would still count the cell as free, and
    // build over it), and the trees would be drawn from the building's word.
    ClearForest(*f);
    f->set_data_word(CityBuildingWord(b, number));
    f->set_building_flag(false);
    f->set_stadtnum(static_cast<uint32_t>(number));
    MarkObjectsChanged(x, y);
}

int32_t CCity::Tick() {
    FinishBuildingSite();
    countdown -= 1;
    if (countdown >= 0) {
        Evaluate();
        MakeTrafficByTick();
        return 1;
    }

    ResetCandidateLists();
    bool placed = false;
    bool streetFound = false;
    if (step_mode < 0) {
        const int32_t scan = ScanArea();
        if (scan != -6 && PlaceBuildings() == 1) {
            placed = true;
            step_count += 1;
        } else {
            ExtendStreets();
            if (new_street_last >= 0) {
                UpdateStreets();
                streetFound = true;
                step_count += 1;
            }
        }
    } else {
        ShrinkOversizedBuilding();
    }

    if (placed) {
        placements += 1;
        failed_steps = 0;
    } else if (streetFound) {
        failed_steps = 0;
    } else {
        failed_steps += 1;
    }
    evaluation = Evaluate();
    countdown = CountdownFor(evaluation);
    MakeTrafficByTick();
    return 1;
}

void CCity::ResetCandidateLists() {
    for (int32_t& last : candidate_last) last = -1;
    for (int32_t& count : g_CityBuildingCounts) count = 0;
    step_mode = -1;
    ForEachAreaField(*this, [&](int32_t dx, int32_t dy, int32_t, int32_t, MapField& f) {
        if (f.stadtnum() != number) return;
        const int32_t b = CityBuildingOf(f);
        if (b < 1) return;
        if (b <= kCityBuildingNumbers) g_CityBuildingCounts[b] += 1;
        // Too large means a class above the zone value. Counting class + 1
        // against it would call every class-c building in zone c too large,
        // just where growth puts them: each step would shrink what the last
        // one enlarged, and founding a city would loop for ever short of its
        // start size.
        if (b <= kLastResidentialBuilding && ZoneValue(*this, dx, dy) < GetCityBuildingClass(b) &&
            step_mode + 1 < kOversizeListCap) {
            oversize_list[++step_mode] = {dx, dy};
        }
    });
}

int32_t CCity::ScanArea() {
    for (int32_t& last : candidate_last) last = -1;
    for (auto& row : class_matrix) std::fill(std::begin(row), std::end(row), 0);
    std::fill(std::begin(zone_cell_counts), std::end(zone_cell_counts), 0);
    cell_total = 0;
    residents = 0;
    for (auto& row : g_pGameState->shared_city_grid) std::fill(std::begin(row), std::end(row), -1);

    const auto append = [&](int32_t list, int32_t dx, int32_t dy) {
        if (candidate_last[list] + 1 < kCandidateListCap) {
            candidates[list][++candidate_last[list]] = {dx, dy};
        }
    };
    ForEachAreaField(*this, [&](int32_t dx, int32_t dy, int32_t x, int32_t y, MapField& f) {
        if (HasTableBuilding(f) || f.wegtyp() != 0) return;
        const int32_t slope = f.teile_diff();
        if (f.teile_art() == 0 && (slope < 1 || slope > 4)) return;
        if (x > 254 || y > 254 || slope > 4) return;
        if (f.stadtnum() != 0 && f.stadtnum() != number) return;
        const bool besideStreet = (dy >= 1 && IsCityStreetOf(AreaField(x, y - 1), number)) ||
                                  (dx < 26 && IsCityStreetOf(AreaField(x + 1, y), number)) ||
                                  (dy < 26 && IsCityStreetOf(AreaField(x, y + 1), number)) ||
                                  (dx >= 1 && IsCityStreetOf(AreaField(x - 1, y), number));
        if (!besideStreet || zone_grid[dx][dy] < 1) return;
        const int32_t zone = ZoneValue(*this, dx, dy);

        const int32_t b = CityBuildingOf(f);
        if (b == 0) {
            // Cells planned as streets stay free for the street net. Built
            // on, they would block the plan beside the start street, and every
            // city would stop at one street field and three or four houses.
            if (street_grid[dx][dy] > 0 || IsBlockedForBuilding(x, y)) return;
            zone_cell_counts[zone] += 1;
            cell_total += 1;
            append(zone, dx, dy);
            return;
        }
        zone_cell_counts[zone] += 1;
        cell_total += 1;
        const bool residential = b <= kLastResidentialBuilding;
        const int32_t c = residential ? GetCityBuildingClass(b) : 0;
        class_matrix[zone][c] += 1;
        ScratchCell(dx, dy) = c;
        if (residential) {
            residents += g_pGameState->geb_einw[c];
            append(zone, dx, dy);
        }
    });
    int32_t sum = 0;
    for (int32_t last : candidate_last) sum += last;
    return sum;
}

int32_t CCity::DrawListCell(int32_t list, int32_t wanted) const {
    const int32_t length = candidate_last[list] + 1;
    for (int32_t k = 0; k < length; ++k) {
        const int32_t i = plat::Rand() % length;
        const CityCell& cell = candidates[list][i];
        if (ScratchCell(cell.dx, cell.dy) == wanted) return i;
    }
    for (int32_t i = 0; i < length; ++i) {
        const CityCell& cell = candidates[list][i];
        if (ScratchCell(cell.dx, cell.dy) == wanted) return i;
    }
    return -1;
}

int32_t CCity::PlaceBuildings() {
    size_class = SizeClassOf(residents);
    const uint8_t* target = g_pGameState->target_mix[size_class];
    int32_t share[6] = {};
    int32_t built = 0;
    for (int32_t c = 0; c < 6; ++c) {
        int32_t count = 0;
        for (int32_t z = 0; z < 6; ++z) count += class_matrix[z][c];
        share[c] = cell_total > 0 ? count * 100 / cell_total : 0;
        built += count;
    }

    int32_t pick = -1;
    if (size_class <= 3) {
        if (share[0] > target[0]) {
            pick = 4;
            for (int32_t c = 0; c <= 3; ++c) {
                if (share[c + 1] <= target[c + 1]) {
                    pick = c;
                    break;
                }
            }
        }
    } else {
        bool possible = false;
        for (int32_t c = 4; c >= 0; --c) {
            if (share[c + 1] < target[c + 1] && ZonesHold(*this, c + 1, c)) {
                pick = c;
                possible = true;
            }
        }
        if ((share[0] < target[0] || built + 1 < cell_total) && ZonesHold(*this, 1, -1)) {
            pick = -1;
            possible = true;
        }
        if (!possible) return -2;
    }
    if (built < 11) pick = -1;

    int32_t list = -1;
    if (pick == -1) {
        if (ZonesHold(*this, 0, -1)) {
            do {
                list = plat::Rand() % kCandidateLists;
            } while (!ListHolds(*this, list, -1));
        } else if (built > 10) {
            pick = 0;
        } else {
            return 0;
        }
    }
    for (int32_t c = 0; c <= 4 && list < 0; ++c) {
        if (pick != c) continue;
        if (share[c + 1] > target[c + 1] || target[c + 1] == 0) break;
        if (ZonesHold(*this, c + 1, c)) {
            do {
                list = c + 1 + plat::Rand() % (5 - c);
            } while (!ListHolds(*this, list, c));
        } else {
            pick = c + 1;
        }
    }
    if (list < 0) return 0;

    const int32_t index = DrawListCell(list, pick);
    if (index < 0) return 0;
    const CityCell cell = candidates[list][index];
    const int32_t x = origin_x + cell.dx;
    const int32_t y = origin_y + cell.dy;
    MapField* f = AreaField(x, y);
    if (f == nullptr) return 0;

    int32_t b = 0;
    if (pick == -1) {
        if (plat::Rand() % 100 < 11 && !HasTallNeighbour(x, y)) {
            // A small building without residents, put up at once.
            PutBuilding(x, y, LeastCountedNumber(42, 47));
            return 1;
        }
        b = LeastCountedNumber(kClassFirst[0], kClassLast[0]);
    } else {
        b = LeastCountedNumber(kClassFirst[pick + 1], kClassLast[pick + 1]);
    }
    if (ClearForest(*f)) MarkObjectsChanged(x, y);
    f->set_data_word(CityBuildingWord(kFirstBuildingSite + pick + 1, number));
    f->set_building_flag(false);
    f->set_stadtnum(static_cast<uint32_t>(number));
    pending_site_x = x;
    pending_site_y = y;
    pending_site_value = b;
    MarkObjectsChanged(x, y);
    return 1;
}

void CCity::ShrinkOversizedBuilding() {
    if (step_mode < 0) return;
    const CityCell cell = oversize_list[plat::Rand() % (step_mode + 1)];
    const int32_t x = origin_x + cell.dx;
    const int32_t y = origin_y + cell.dy;
    MapField* f = AreaField(x, y);
    if (f == nullptr) return;
    const int32_t b = CityBuildingOf(*f);
    if (b < 1) return;
    const int32_t c = GetCityBuildingClass(b);
    if (c == 0 || b > kLastResidentialBuilding) {
        f->set_data_word(0);
        MarkObjectsChanged(x, y);
        return;
    }
    PutBuilding(x, y, LeastCountedNumber(kClassFirst[c - 1], kClassLast[c - 1]));
}

bool CCity::FinishBuildingSite() {
    bool finished = false;
    if (pending_site_x >= 0 || pending_site_y >= 0) {
        const MapField* f = AreaField(pending_site_x, pending_site_y);
        if (f != nullptr) {
            const int32_t b = CityBuildingOf(*f);
            if (b >= kFirstBuildingSite && b <= kLastBuildingSite) {
                PutBuilding(pending_site_x, pending_site_y, pending_site_value);
                finished = true;
            }
        }
    }
    pending_site_x = -1;
    pending_site_y = -1;
    return finished;
}
