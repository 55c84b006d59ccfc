#include "app/busy_game.h"

#include <memory>
#include <tuple>
#include <vector>

#include "app/game_app.h"
#include "cities/city.h"
#include "economy/building_kinds.h"
#include "economy/factory.h"
#include "game/opponent.h"
#include "game/opponent_fill.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "transport/train.h"
#include "transport/truck.h"
#include "transport/vehicle_list.h"
#include "world/way_network.h"

namespace fvtest {

namespace {

constexpr int32_t kGoldJewelry = 29;
constexpr int32_t kBicycles = 18;

void Mark(int32_t x, int32_t y, int32_t number, int32_t type) {
    MapField& f = *FieldAt(x, y);
    f.set_geb_num(static_cast<uint32_t>(number));
    f.set_geb_typ(static_cast<uint32_t>(type));
    f.set_building_flag(true);
}

ScheduleStop StopAt(int32_t x, int32_t y) {
    ScheduleStop stop = EmptyScheduleStop();
    stop.x[0] = static_cast<uint8_t>(x);
    stop.y[0] = static_cast<uint8_t>(y);
    return stop;
}

}  // namespace

std::array<CTruck*, 2> BusyGame::AddDepotTrucks() {
    std::array<CTruck*, 2> trucks{};
    int32_t i = 0;
    for (auto [from, to] : {std::pair{103, 121}, std::pair{121, 103}}) {
        auto* truck = new CTruck(from, 103, "T", 0);
        truck->schedule[0] = StopAt(from, 103);
        truck->schedule[1] = StopAt(to, 103);
        std::tie(truck->stop_count, truck->needs_route) = std::tuple(2, 1);
        truck->cargo_plan[0][0][0] = 5;  // gold
        trucks[i++] = truck;
    }
    return trucks;
}

BusyGame::BusyGame() {
    g_ppBuildings = &buildings;
    g_pCityManager = &cities;
}

BusyGame::~BusyGame() {
    DeleteAllVehicles();
    buildings.FreeAll();
    cities.FreeAll();
    g_ppBuildings = nullptr;
    g_pCityManager = nullptr;
}

int32_t BusyGame::Place(int32_t type, int32_t x, int32_t y) {
    CGameState& gs = *g_pGameState;
    const bool depot = IsTruckDepotType(type);
    gs.selected_building_type = depot ? kTypeTruckDepot : type;
    gs.build_orientation = depot ? type - kTypeTruckDepot : 0;
    const int32_t number = buildings.PlaceBuilding(x, y);
    if (number <= 0) return number;
    const Floor floor = FloorOfType(type);
    for (int32_t fx = x; fx < x + floor.width; ++fx)
        for (int32_t fy = y; fy < y + floor.depth; ++fy) Mark(fx, fy, number, type);
    return number;
}

void BusyGame::Way(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t way_type, int32_t city) {
    const int32_t dx = (x2 > x1) - (x2 < x1);
    const int32_t dy = (y2 > y1) - (y2 < y1);
    for (int32_t x = x1, y = y1;; x += dx, y += dy) {
        MapField& field = *FieldAt(x, y);
        field.set_wegtyp(static_cast<uint32_t>(way_type));
        if (field.wegteil() == 0) field.set_wegteil(1);
        if (city != 0) field.set_stadtnum(static_cast<uint32_t>(city));
        if (x == x2 && y == y2) break;
    }
}

void BusyGame::FinishWays(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    CWayNetwork& net = *g_pWayNetwork;
    // Four passes over the box, each after the one before is complete.
    for (int32_t pass = 0; pass < 4; ++pass) {
        for (int32_t x = x0; x <= x1; ++x) {
            for (int32_t y = y0; y <= y1; ++y) {
                const MapField& field = *FieldAt(x, y);
                if (pass == 0 && IsRoadWay(field.wegtyp())) UpdateRoadPieceShape(x, y);
                if (pass == 0 && IsTrackWay(field.wegtyp())) UpdateTrackPieceShape(x, y);
                if (pass == 1) helper_.UpdateWayPiecesAround(x, y);
                const bool depot = field.building_flag() && IsTruckDepotType(field.geb_typ()) &&
                                   IsRoadWay(field.wegtyp());
                if (pass == 2 && depot && field.knotennummer() == 0) net.CreateNode(x, y);
                if (pass != 3 || !field.knoten()) continue;
                const uint8_t dirs = IsTrackWay(field.wegtyp()) ? field.gleisr() : field.richtung();
                for (int32_t i = 0; i < 4; ++i) {
                    if (dirs & DirBitFromIndex(i)) net.LinkFromField(x, y, DirBitFromIndex(i));
                }
            }
        }
    }
}

// A station of type 6 with one platform row on y (the head) and its
// building line south of it.
int32_t BusyGame::PlaceStation(int32_t x, int32_t y) {
    CGameState& gs = *g_pGameState;
    gs.selected_building_type = kTypeTrainStation;
    gs.build_orientation = 0;
    const int32_t number = buildings.PlaceBuilding(x, y);
    for (int32_t k = 0; k < 4; ++k) {
        Mark(x + k, y, number, 6);
        Mark(x + k, y + 1, number, 6);
        FieldAt(x + k, y)->set_wegtyp(kWayRail);
    }
    g_pWayNetwork->LayStationTrack(x + 1, y, 0);
    return number;
}

void BusyGame::Build(int32_t seed) {
    CGameState& gs = *g_pGameState;
    InitGoodsTable();
    InitBuildingTypes();
    InitVehicleModels();
    DeleteAllVehicles();
    buildings.FreeAll();
    cities.FreeAll();
    g_pWayNetwork->FreeAllNodes();
    for (MapField& field : gs.fields) {
        field = MapField{};
        field.set_teile_art(1);
        field.set_hoehe(2);
    }
    std::tie(gs.game_mode, gs.year, gs.month, gs.week) =
        std::tuple(kModeGame, 1960 + seed, seed % 12, seed % 4);
    gs.cash[0] = 10000000 + seed;
    // A building of every class outside the city and the transport lines.
    int32_t x = 8;
    for (int32_t type = 0; type < kBuildingTypeCount; ++type) {
        if (!HasBuildingClass(type) || IsTruckDepotType(type) || IsStationType(type) ||
            IsStoreType(type))
            continue;
        if (type == kTypeLumberMill) {  // a mill with forest keeps its capacity
            MapField* forest = FieldAt(x + 1, 177);
            forest->set_forest_flag(true);
            forest->set_data_word((2u << 7) | 5u);
        }
        gs.mine_kind = seed % 3;
        Place(type, x, 180);
        x += 8;
    }
    // City 1 with a cross of streets, houses beside them and a store of every
    // type.
    auto* city = new CCity(1, 20, 20);
    cities.cities[0] = city;
    for (int32_t fx = 20; fx < 20 + kCityAreaSize; ++fx)
        for (int32_t fy = 20; fy < 20 + kCityAreaSize; ++fy) FieldAt(fx, fy)->set_stadtnum(1);
    Way(22, 30, 44, 30, kWayCityStreet, 1);
    Way(30, 22, 30, 44, kWayCityStreet, 1);
    for (int32_t fx = 22; fx <= 28; ++fx) {
        MapField& house = *FieldAt(fx, 29);
        house.set_building_flag(false);
        house.set_stadtb(static_cast<uint32_t>(1 + fx % 5));
    }
    gs.placement_city = 1;
    int32_t store_x = 32;
    for (int32_t type = 0; type < kBuildingTypeCount; ++type) {
        if (!IsStoreType(type)) continue;
        Place(type, store_x, type % 2 == 0 ? 32 : 36);
        store_x += type % 2 == 0 ? 0 : 4;
    }
    gs.placement_city = 0;
    // Two trucks between a gold mine and a jewellery factory.
    gs.mine_kind = 0;
    Place(kTypeMine, 100, 100);
    Place(kTypeTruckDepot + 2, 103, 103);
    const int32_t factory = Place(kTypeJewelryIndustry, 123, 99);
    Place(kTypeTruckDepot + 2, 121, 103);
    static_cast<CFactory*>(buildings.At(factory))->SetProduct(kGoldJewelry);
    Way(98, 104, 130, 104, kWayGravelRoad);
    Way(103, 103, 103, 103, kWayGravelRoad);
    Way(121, 103, 121, 103, kWayGravelRoad);
    FinishWays(18, 18, 140, 120);
    // A train between a steel mill and a sports factory.
    Place(kTypeSteelMill, 100, 130);
    const int32_t sports = Place(kTypeSportsIndustry, 130, 130);
    static_cast<CFactory*>(buildings.At(sports))->SetProduct(kBicycles);
    Way(104, 134, 129, 134, kWayRail);
    FinishWays(98, 128, 140, 140);
    PlaceStation(100, 134);
    PlaceStation(130, 134);
    std::vector<CVehicle*> vehicles;
    for (CTruck* truck : AddDepotTrucks()) vehicles.push_back(truck);
    auto* train = new CTrain(100, 134, "Z", 12, kWayRail);
    train->schedule[1] = StopAt(130, 134);
    train->stop_count = 2;
    for (int32_t k = 0; k < 3; ++k) train->cargo_plan[0][k][0] = 4;  // steel
    vehicles.push_back(train);
    // The first opponent's plans name the vehicles (which makes them its
    // own); a vehicle belongs to one opponent at most.
    for (int32_t slot = 0; slot < kOpponentCount; ++slot) {
        if (gs.opponents[slot] == nullptr) continue;
        FillOpponent(*gs.opponents[slot], slot + seed,
                     slot == 0 ? vehicles : std::vector<CVehicle*>{});
    }
    // What every load does last: the fields marked changed, the city
    // evaluated and its residents counted, its traffic cars out.
    MarkAllFieldsChanged();
    city->Evaluate();
    city->CountResidents();
    cities.SpawnAllTrafficCars();
}

void BusyGame::Run(plat::HeadlessBackend& host, int32_t frames) {
    CGameApp app;
    for (int32_t i = 0; i < frames; ++i, app.UpdateFrame()) host.AdvanceClock(26);
}

}  // namespace fvtest
