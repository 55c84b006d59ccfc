// Removing ways: one way field, the track under a station row, and whole
// tunnels and bridges. Every removal is unlinked from the network first, then
// the fields are cleared, their neighbours re-fitted and the price charged.

#include "economy/building_table.h"
#include "state/map_field.h"
#include "transport/vehicle_services.h"
#include "world/build_helper.h"
#include "world/construction_costs.h"
#include "world/field_queries.h"
#include "world/way_network.h"
#include "world/way_piece_tables.h"

namespace {

constexpr int32_t kStationRowLength = 4;

// Clears the way of a tunnel portal or bridge end (its node goes with it).
void ClearRunEnd(CWayNetwork& network, MapField& field) {
    if (field.knotennummer() != 0) network.DeleteNode(field.knotennummer());
    field.set_wegtyp(kWayNone);
    field.set_wegteil(0);
    field.set_knoten(false);
    field.set_knotennummer(0);
    field.set_gleisr(0);
    field.set_richtung(0);
    field.set_ende(false);
    field.set_feldchange(true);
}

}  // namespace

void CWayNetwork::DemolishWayField(int32_t x, int32_t y, int32_t player) {
    MapField* field = FieldAt(x, y);
    if (field == nullptr) return;
    field->set_feldchange(true);
    if (field->knotennummer() != 0) {
        DeleteNode(field->knotennummer());
    } else {
        for (const uint8_t bits : {field->gleisr(), field->richtung()}) {
            for (int32_t i = 0; i < 4; ++i) {
                if (bits & DirBitFromIndex(i)) UnlinkFromField(x, y, DirBitFromIndex(i));
            }
        }
    }
    const int32_t wegtyp = field->wegtyp();
    const int32_t price = WayRemovalPrice(wegtyp);

    field->set_wegteil(0);
    field->set_wegtyp(kWayNone);
    field->set_richtung(0);
    field->set_gleisr(0);
    field->set_knoten(false);
    field->set_knotennummer(0);
    field->set_belegt(0);
    field->set_spieler(0);
    field->set_ende(false);

    CBuildHelper helper;
    for (int32_t i = 0; i < 4; ++i) helper.UpdateWayPiecesAround(x + DirDx(i), y + DirDy(i));
    ChargeWayRemoval(player, price, wegtyp >= kWayGravelRoad ? 1 : 0);
}

void CWayNetwork::DemolishStation(int32_t x, int32_t y, int32_t player) {
    const int32_t kind = GetBuildingTypeAt(x, y);
    if (kind != 4 && kind != 5) return;
    const CBuilding* station =
        g_ppBuildings != nullptr ? g_ppBuildings->At(FieldAt(x, y)->geb_num()) : nullptr;
    if (station == nullptr) return;
    for (int32_t k = 0; k < kStationRowLength; ++k) {
        if (kind == 4) {
            DemolishWayField(x, station->anchor_y + k, player);
        } else {
            DemolishWayField(station->anchor_x + k, y, player);
        }
    }
}

int32_t CWayNetwork::DemolishTunnel(int32_t x, int32_t y) {
    RunSpan span;
    if (!FindTunnelSpan(x, y, span)) return 0;
    MapField* portal = FieldAt(x, y);
    const uint8_t d = span.dir;
    const int32_t farX = span.farX;
    const int32_t farY = span.farY;
    const int32_t length = span.length;
    if (g_pVehicleList != nullptr && IsVehicleOnColumn(farX, farY, x, y) != 0) return 0;

    const int32_t price = (length + 1) * RunRemovalRate(portal->wegtyp());
    const uint8_t back = OppositeDirBits(d);
    UnlinkFromField(x, y, back);
    UnlinkFromField(farX, farY, d);
    MapField* farPortal = FieldAt(farX, farY);
    for (MapField* end : {portal, farPortal}) {
        ClearRunEnd(*this, *end);
        end->set_tportal(false);
    }
    const int32_t index = DirIndexFromBit(d);
    for (int32_t k = 0; k <= length; ++k) {
        MapField* field = FieldAt(x + DirDx(index) * k, y + DirDy(index) * k);
        field->set_tunnel(false);
        field->set_tunnel_hoehe(0);
    }
    CBuildHelper helper;
    helper.UpdateWayPiecesAround(x - DirDx(index), y - DirDy(index));
    helper.UpdateWayPiecesAround(farX + DirDx(index), farY + DirDy(index));
    ChargeWayRemoval(0, price, length);
    return 1;
}

int32_t CWayNetwork::DemolishBridge(int32_t x, int32_t y) {
    RunSpan span;
    if (!FindBridgeSpan(x, y, span)) return 0;
    MapField* end = FieldAt(x, y);
    const uint8_t d = span.dir;
    const int32_t farX = span.farX;
    const int32_t farY = span.farY;
    const int32_t length = span.length;
    if (g_pVehicleList != nullptr && IsVehicleOnRow(farX, farY, x, y) != 0) return 0;

    const int32_t price = (length + 1) * RunRemovalRate(end->wegtyp());
    UnlinkFromField(x, y, OppositeDirBits(d));
    UnlinkFromField(farX, farY, d);
    MapField* farEnd = FieldAt(farX, farY);
    for (MapField* field : {end, farEnd}) {
        ClearRunEnd(*this, *field);
        field->set_bridge_end(false);
        field->set_spieler(0);
    }
    const int32_t index = DirIndexFromBit(d);
    for (int32_t k = 0; k <= length; ++k) {
        MapField* field = FieldAt(x + DirDx(index) * k, y + DirDy(index) * k);
        field->set_bridge_flag(false);
        field->set_data_word(0);
        field->set_feldchange(true);
    }
    CBuildHelper helper;
    helper.UpdateWayPiecesAround(x - DirDx(index), y - DirDy(index));
    helper.UpdateWayPiecesAround(farX + DirDx(index), farY + DirDy(index));
    // The bridge's fields leave the network length, as many as it added.
    ChargeWayRemoval(0, price, length + 1);
    return 1;
}
