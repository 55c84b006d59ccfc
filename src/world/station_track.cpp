// Laying the four track fields of a train station's track row and joining
// them to the way network.

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

}  // namespace

void CWayNetwork::LayStationTrack(int32_t x, int32_t y, int32_t player) {
    const int32_t kind = GetBuildingTypeAt(x, y);
    if (kind != 4 && kind != 5) return;
    const CBuilding* station =
        g_ppBuildings != nullptr ? g_ppBuildings->At(FieldAt(x, y)->geb_num()) : nullptr;
    if (station == nullptr) return;

    // Kind 4: the row runs along y from the anchor row; kind 5: along x.
    const bool alongY = kind == 4;
    const int32_t firstX = alongY ? x : station->anchor_x;
    const int32_t firstY = alongY ? station->anchor_y : y;
    const int32_t dx = alongY ? 0 : 1;
    const int32_t dy = alongY ? 1 : 0;
    const int32_t lastX = firstX + dx * (kStationRowLength - 1);
    const int32_t lastY = firstY + dy * (kStationRowLength - 1);
    if (!InMap(firstX, firstY) || !InMap(lastX, lastY)) return;

    int32_t wayType = 0;
    for (int32_t k = 0; k < kStationRowLength && wayType == 0; ++k) {
        wayType = FieldAt(firstX + dx * k, firstY + dy * k)->wegtyp();
    }
    if (wayType == 0) return;

    // A new track field under a station costs what a laid track field costs.
    const int32_t price = IsTrackWay(wayType) ? WayFieldPrice(wayType) : 0;
    const bool payer = player >= 0 && player < kPlayerCount && g_pGameState != nullptr;
    for (int32_t k = 0; k < kStationRowLength; ++k) {
        MapField* field = FieldAt(firstX + dx * k, firstY + dy * k);
        if (field->wegtyp() == 0 && payer) {
            g_pGameState->cash[player] -= price;
            BookWayConstruction(price, 1, player);
        }
        field->set_wegteil(alongY ? 1 : 2);
        field->set_wegtyp(static_cast<uint32_t>(wayType));
        field->set_feldchange(true);
    }

    CBuildHelper helper;
    for (int32_t k = -1; k <= kStationRowLength; ++k) {
        helper.UpdateWayPiecesAround(firstX + dx * k, firstY + dy * k);
    }

    if (FieldAt(firstX, firstY)->knotennummer() == 0) CreateNode(firstX, firstY);
    if (FieldAt(lastX, lastY)->knotennummer() == 0) CreateNode(lastX, lastY);

    // N then S along y, E then W along x.
    const int32_t firstDir = alongY ? kDirN : kDirE;
    const int32_t secondDir = alongY ? kDirS : kDirW;
    LinkFromField(firstX, firstY, firstDir);
    LinkFromField(firstX, firstY, secondDir);
    LinkFromField(lastX, lastY, firstDir);
    LinkFromField(lastX, lastY, secondDir);
}
