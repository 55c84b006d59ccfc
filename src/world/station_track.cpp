// Laying the four track fields of a train station's track row and joining
// them to the way network, and the count of what that laying would charge.

#include <set>

#include "economy/building_table.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/statistics.h"
#include "world/build_helper.h"
#include "world/construction_costs.h"
#include "world/field_queries.h"
#include "world/way_network.h"

namespace {

constexpr int32_t kStationRowLength = 4;

// The four fields of a station's track row, in row order.
struct StationRow {
    int32_t firstX = 0;
    int32_t firstY = 0;
    bool alongY = false;
    int32_t X(int32_t k) const { return firstX + (alongY ? 0 : k); }
    int32_t Y(int32_t k) const { return firstY + (alongY ? k : 0); }
};

// The track row through (x, y); false when (x, y) is not a track field of a
// station or the row leaves the map.
bool FindStationRow(int32_t x, int32_t y, StationRow& row) {
    const int32_t kind = GetBuildingTypeAt(x, y);
    if (kind != 4 && kind != 5) return false;
    const CBuilding* station =
        g_ppBuildings != nullptr ? g_ppBuildings->At(FieldAt(x, y)->geb_num()) : nullptr;
    if (station == nullptr) return false;
    // Kind 4: the row runs along y from the anchor row; kind 5: along x.
    row.alongY = kind == 4;
    row.firstX = row.alongY ? x : station->anchor_x;
    row.firstY = row.alongY ? station->anchor_y : y;
    const int32_t last = kStationRowLength - 1;
    return InMap(row.firstX, row.firstY) && InMap(row.X(last), row.Y(last));
}

enum class RowMode { Lay, Count };

// The one walk that gives the row its way type and prices its fields
// without a way. Laying writes the track and charges `player`; counting
// changes nothing and takes the fields of `laying` that have no way yet as
// carrying `laidType`: the drag pays for each of its own fields where it
// lays it, whether before the row or after it, so the row is priced only
// for the fields the drag does not lay. Each field is paid once, by
// whichever step lays it, and the preview's total is the release's. A
// count of its own would drift from what laying charges, and a drag's
// preview would show another price than the release takes. Gives
// the amount, or -1 when no field of the row has a way (nothing is laid).
int32_t WalkStationRow(const StationRow& row, RowMode mode, int32_t player,
                       const std::set<int32_t>& laying, uint32_t laidType) {
    auto wayTypeOf = [&](int32_t k) {
        const uint32_t wegtyp = FieldAt(row.X(k), row.Y(k))->wegtyp();
        if (wegtyp != 0 || laying.count(FieldIndex(row.X(k), row.Y(k))) == 0) return wegtyp;
        return laidType;
    };
    uint32_t wayType = 0;
    for (int32_t k = 0; k < kStationRowLength && wayType == 0; ++k) wayType = wayTypeOf(k);
    if (wayType == 0) return -1;

    // A new track field under a station costs what a laid track field costs.
    const int32_t price = IsTrackWay(static_cast<int32_t>(wayType))
                              ? WayFieldPrice(static_cast<int32_t>(wayType))
                              : 0;
    const bool payer = player >= 0 && player < kPlayerCount && g_pGameState != nullptr;
    int32_t amount = 0;
    for (int32_t k = 0; k < kStationRowLength; ++k) {
        const bool charged = wayTypeOf(k) == 0;
        if (charged) amount += price;
        if (mode == RowMode::Count) continue;
        MapField* field = FieldAt(row.X(k), row.Y(k));
        if (charged && payer) {
            g_pGameState->cash[player] -= price;
            BookWayConstruction(price, 1, player);
        }
        field->set_wegteil(row.alongY ? 1 : 2);
        field->set_wegtyp(wayType);
        field->set_feldchange(true);
    }
    return amount;
}

}  // namespace

void CWayNetwork::LayStationTrack(int32_t x, int32_t y, int32_t player) {
    StationRow row;
    if (!FindStationRow(x, y, row)) return;
    if (WalkStationRow(row, RowMode::Lay, player, {}, 0) < 0) return;

    const int32_t lastX = row.X(kStationRowLength - 1);
    const int32_t lastY = row.Y(kStationRowLength - 1);
    CBuildHelper helper;
    for (int32_t k = -1; k <= kStationRowLength; ++k) {
        helper.UpdateWayPiecesAround(row.X(k), row.Y(k));
    }

    if (FieldAt(row.firstX, row.firstY)->knotennummer() == 0) CreateNode(row.firstX, row.firstY);
    if (FieldAt(lastX, lastY)->knotennummer() == 0) CreateNode(lastX, lastY);

    // N then S along y, E then W along x.
    const int32_t firstDir = row.alongY ? kDirN : kDirE;
    const int32_t secondDir = row.alongY ? kDirS : kDirW;
    LinkFromField(row.firstX, row.firstY, firstDir);
    LinkFromField(row.firstX, row.firstY, secondDir);
    LinkFromField(lastX, lastY, firstDir);
    LinkFromField(lastX, lastY, secondDir);
}

int32_t CWayNetwork::StationTrackCharge(int32_t x, int32_t y, const std::set<int32_t>& laying,
                                        uint8_t wayType, int32_t& row) {
    row = -1;
    StationRow found;
    if (!FindStationRow(x, y, found)) return 0;
    row = FieldIndex(found.firstX, found.firstY);
    const int32_t amount = WalkStationRow(found, RowMode::Count, -1, laying, wayType);
    return amount > 0 ? amount : 0;
}
