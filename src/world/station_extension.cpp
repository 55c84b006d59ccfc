// Lengthening a train station by one line of four fields beyond its last
// line. Every field is tested first; the station grows only when all pass,
// and the reason of a refusal goes to the control panel.

#include "economy/building_table.h"
#include "state/map_field.h"
#include "state/panel_events.h"
#include "world/build_helper.h"
#include "world/field_queries.h"
#include "world/way_network.h"

namespace {

constexpr int32_t kMaxStationLength = 4;

enum Refusal : int32_t {
    kNoRefusal = 0,
    kMaximumLength = 1,
    kBuildingInTheWay = 2,
    kRoadInTheWay = 3,
    kUnsuitableTerrain = 4,
    kTooCloseToTerminal = 5,
};

// Fields of a station by their place: k along its lines (0..3 are the
// station's own columns or rows) and dist lines away from the head line in
// the growth direction.
struct StationGeometry {
    int32_t sx, sy;
    int32_t ax, ay;  // one step along a line
    int32_t gx, gy;  // one step in the growth direction

    int32_t X(int32_t k, int32_t dist) const { return sx + ax * k + gx * dist; }
    int32_t Y(int32_t k, int32_t dist) const { return sy + ay * k + gy * dist; }
    MapField* Field(int32_t k, int32_t dist) const { return FieldAt(X(k, dist), Y(k, dist)); }
};

StationGeometry GeometryOf(int32_t head, int32_t sx, int32_t sy) {
    switch (head) {
        case 6:
            return {sx, sy, 1, 0, 0, -1};
        case 7:
            return {sx, sy, 0, 1, 1, 0};
        case 8:
            return {sx, sy, 1, 0, 0, 1};
        default:
            return {sx, sy, 0, 1, -1, 0};
    }
}

int32_t RawBuildingType(const MapField& f) {
    return f.building_flag() && !f.no_building_mask() ? f.geb_typ() : kOffMap;
}

bool InBuildArea(int32_t x, int32_t y) {
    return x >= 1 && x <= 254 && y >= 1 && y <= 254;
}

// The reason code of extending the station whose building `number` stands
// on the clicked field; 0 when it may grow.
int32_t TestExtension(const StationGeometry& g, int32_t length, int32_t head) {
    const int32_t line = length + 1;
    // Every field the test reads: the new line with one field more at each
    // end, and the four lines beyond it.
    for (int32_t k = -1; k <= kMaxStationLength; ++k) {
        for (int32_t dist = line; dist <= line + 4; ++dist) {
            if (!InBuildArea(g.X(k, dist), g.Y(k, dist))) return kUnsuitableTerrain;
        }
    }
    const int32_t straight = head == 6 || head == 8 ? 2 : 1;
    int32_t code = kNoRefusal;
    for (int32_t k = 0; k < kMaxStationLength; ++k) {
        const MapField& f = *g.Field(k, line);
        if (f.data_word() != 0 && !f.forest_flag()) code = kBuildingInTheWay;
        if (f.teile_diff() != 0 || f.teile_art() == 0) code = kUnsuitableTerrain;
        if (f.wegteil() != 0 && !(IsTrackWay(f.wegtyp()) && f.wegteil() == straight)) {
            code = kRoadInTheWay;
        }
        if (g.Field(k, line + 1)->bridge_flag()) code = kBuildingInTheWay;
    }
    for (const int32_t k : {-1, kMaxStationLength}) {
        for (const int32_t dist : {line, line + 1}) {
            if (g.Field(k, dist)->bridge_flag()) code = kBuildingInTheWay;
        }
    }
    if (code != kNoRefusal) return code;
    for (int32_t dist = line + 1; dist <= line + 4; ++dist) {
        for (int32_t k = -1; k <= kMaxStationLength; ++k) {
            const int32_t type = RawBuildingType(*g.Field(k, dist));
            if (type >= 4 && type <= 9) return kTooCloseToTerminal;
        }
    }
    return kNoRefusal;
}

}  // namespace

int32_t CBuildHelper::ExtendStation(int32_t x, int32_t y) {
    int32_t code = kNoRefusal;
    const MapField* clicked = FieldAt(x, y);
    const int32_t raw = clicked != nullptr ? RawBuildingType(*clicked) : kOffMap;
    const int32_t number = clicked != nullptr ? clicked->geb_num() : 0;
    CBuilding* station =
        raw >= 4 && raw <= 9 && g_ppBuildings != nullptr ? g_ppBuildings->At(number) : nullptr;
    if (station != nullptr) {
        const int32_t length = station->GetLength();
        const int32_t head = GetBuildingTypeAt(station->anchor_x, station->anchor_y);
        if (length >= kMaxStationLength) {
            code = kMaximumLength;
        } else if (head >= 6 && head <= 9 && length >= 0) {
            const StationGeometry g = GeometryOf(head, station->anchor_x, station->anchor_y);
            code = TestExtension(g, length, head);
            if (code == kNoRefusal) {
                station->Extend();
                const int32_t line = length + 1;
                for (int32_t k = 0; k < kMaxStationLength; ++k) {
                    MapField& f = *g.Field(k, line);
                    f.set_forest_flag(false);
                    f.set_building_flag(true);
                    f.set_data_word(static_cast<uint32_t>((head << 10) | number));
                    f.set_feldchange(true);
                }
                if (g_pWayNetwork != nullptr) {
                    g_pWayNetwork->LayStationTrack(g.X(0, line), g.Y(0, line), 0);
                }
                g_ppBuildings->RewriteStationStops(g.X(0, 1), g.Y(0, 1), head, number);
            }
        }
    }
    Panel().ShowActionNotPossible(code);
    return code;
}
