#pragma once
// The economy tests' world: the real building table and city manager, cities
// made by hand, footprints written as construction does, view pan 7.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "cities/city_manager.h"
#include "economy/building_kinds.h"
#include "economy/building_table.h"
#include "economy/factory.h"
#include "economy/goods_slot.h"
#include "economy/mine.h"
#include "economy/steel_mill.h"
#include "economy/store.h"
#include "economy/train_station.h"
#include "economy/warehouse.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/lookup_tables.h"
#include "support/file_bytes.h"
#include "support/game_scope.h"
#include "transport/vehicle.h"

namespace econ {

struct TestVehicle : CVehicle {
    TestVehicle() : CVehicle(VehicleLoadOnly{}) {}
};

// A slot's fraction as {numerator, denominator}, to compare in one check.
using Fraction = std::pair<int32_t, int32_t>;
inline Fraction Frac(const GoodsSlot& s) {
    return {s.numerator, s.denominator};
}

// The table's record: what a call that must change nothing must leave.
inline std::string Snapshot(const CBuildingTable& table) {
    return fvtest::Written([&](plat::FileHandle f) { table.Save(f); });
}

// Load (CheckRecord without a table) on a file of `bytes`.
inline bool LoadBytes(CBuildingTable* table, const std::string& bytes) {
    return fvtest::ReadBack(bytes, [&](plat::FileHandle f) {
        return table != nullptr ? table->Load(f) : CBuildingTable::CheckRecord(f);
    });
}

class EconomyTest : public ::testing::Test {
  protected:
    EconomyTest() {
        InitGoodsTable();
        InitBuildingTypes();
        GS().cash[0] = 10000000;
        GS().year = 1960;
        game_.Set(g_pLookupTables, &tables_);
        game_.Set(g_ppBuildings, &table_);
        game_.Set(g_pCityManager, &cities_);
        view_.sound_pan = 7;
    }
    ~EconomyTest() override { table_.FreeAll(); }
    CGameState& GS() { return game_.state(); }
    CBuildingTable& Table() { return table_; }
    int64_t Cash() { return GS().cash[0]; }
    template <typename T>
    T& B(int32_t number) {
        return *static_cast<T*>(table_.At(number));
    }
    // A building of `type` (with the orientation of depots and stations) at
    // (x, y), footprint written; its number.
    int32_t Place(int32_t type, int32_t x, int32_t y) {
        const int32_t base = IsTruckDepotType(type) ? kTypeTruckDepot
                             : IsStationType(type)  ? kTypeTrainStation
                                                    : type;
        GS().selected_building_type = base;
        GS().build_orientation = type - base;
        const int32_t number = table_.PlaceBuilding(x, y);
        if (number > 0) MarkFootprint(number);
        return number;
    }
    // A forest field with its two tree counts.
    static void Forest(int32_t x, int32_t y, uint32_t upper, uint32_t lower) {
        FieldAt(x, y)->set_forest_flag(true);
        FieldAt(x, y)->set_data_word((upper << 7) | lower);
    }
    // Writes a building's footprint (a station's with all its rows).
    void MarkFootprint(int32_t number) {
        CBuilding* b = table_.At(number);
        if (b == nullptr) return;
        int32_t x = b->anchor_x;
        int32_t y = b->anchor_y;
        Floor floor = FloorOfType(b->type);
        if (IsStationType(b->type)) {
            const auto* s = static_cast<CTrainStation*>(b);
            const int32_t lines = s->length + 1;
            floor = b->type == 6 || b->type == 8 ? Floor{4, lines} : Floor{lines, 4};
            if (b->type == 6) y -= s->length;
            if (b->type == 9) x -= s->length;
        }
        for (int32_t fx = x; fx < x + floor.width; ++fx) {
            for (int32_t fy = y; fy < y + floor.depth; ++fy) {
                MapField* f = FieldAt(fx, fy);
                if (f == nullptr) continue;
                f->set_forest_flag(false);
                f->set_geb_num(static_cast<uint32_t>(number));
                f->set_geb_typ(static_cast<uint32_t>(b->type));
                f->set_building_flag(true);
                f->set_spieler(b->owner < 4 ? b->owner : 0);
            }
        }
    }
    // Product k (0 the first) of the family the industry of `type` makes, by
    // the goods table; -1 when it has fewer.
    static int32_t FamilyProduct(int32_t type, int32_t k) {
        for (int32_t g = 0; g < kGoodsCount; ++g) {
            if (GoodsAt(g)->producer_kind == GetBuildingGroup(type) && k-- == 0) return g;
        }
        return -1;
    }
    // One building of every class with state in every part of its record.
    void PlaceEveryType() {
        int32_t x = 4;
        int32_t y = 4;
        for (int32_t type = 0; type < kBuildingTypeCount; ++type) {
            if (!HasBuildingClass(type)) continue;
            if (type == kTypeLumberMill) Forest(x + 1, y - 2, 3, 4);
            CBuilding* b = Table().At(Place(type, x, y));
            ASSERT_NE(b, nullptr) << type;
            if (auto* t = dynamic_cast<CTerminal*>(b)) t->SetName("Testtown North");
            if (auto* s = dynamic_cast<CTrainStation*>(b)) s->length = 3;
            if (auto* f = dynamic_cast<CFactory*>(b)) {
                f->SetProduct(FamilyProduct(type, 1));
                ASSERT_GE(f->GetProduct(), 0) << type;
                f->stock[0] = {4, 7, 3};
                f->stock[1] = {f->GetProduct(), 0, 1};  // bound, nothing made yet
                f->stock[f->slot_count() - 1] = {1, 5, 1};
            }
            if (auto* w = dynamic_cast<CDepot*>(b)) {
                w->stock[14] = {43, 9, 4};
                w->stock[13] = {-1, 0, 0};  // empty as built
            }
            if (auto* s = dynamic_cast<CStore*>(b)) {
                s->stock[1] = {s->kind().first_product + 1, 11, 6};
                s->SetPriceSteps(s->kind().first_product, -2);
                s->SetAdvertising(1);
                s->profit_total = 123456;
                s->profit_month = -789;
                s->deliveries[11][2] = 6;
                s->profit_monthly[3][1] = 42;
                s->demand_monthly[10][0] = 17;
                s->sold_month[2] = 5;
                s->profit_product[0] = -12;
                s->customers = 321;
                s->delivered_last[1] = {0, 7, 2};
                s->SetProduct(s->kind().first_product + 2);
            }
            if (auto* m = dynamic_cast<CMine*>(b)) m->stock = {m->product, 31, 2};
            if (auto* s = dynamic_cast<CSteelMill*>(b)) s->stock[1] = {3, 13, 4};
            x += 8;
            if (x > 240) x = 4, y += 8;
        }
    }
    // A city with its area at (ox, oy), with `fields` its number on them.
    CCity& AddCity(int32_t number, int32_t ox, int32_t oy, bool fields = true) {
        CCity& city = *city_objects_.emplace_back(std::make_unique<CCity>());
        std::tie(city.number, city.origin_x, city.origin_y) = std::tuple(number, ox, oy);
        cities_.cities[number - 1] = &city;
        if (fields) {
            for (int32_t fx = ox; fx < ox + kCityAreaSize; ++fx) {
                for (int32_t fy = oy; fy < oy + kCityAreaSize; ++fy) {
                    if (MapField* f = FieldAt(fx, fy))
                        f->set_stadtnum(static_cast<uint32_t>(number));
                }
            }
        }
        return city;
    }
    void PutCityBuilding(int32_t x, int32_t y, int32_t city, int32_t stadtb) {
        MapField* f = FieldAt(x, y);
        f->set_stadtnum(static_cast<uint32_t>(city));
        f->set_building_flag(false);
        f->set_stadtb(static_cast<uint32_t>(stadtb));
    }
    // The shared city grid as a store refresh prepares it: 0 on the city.
    void PrepareGrid(const CCity& city) {
        for (int32_t dx = 0; dx < kCityAreaSize; ++dx) {
            for (int32_t dy = 0; dy < kCityAreaSize; ++dy) {
                const MapField* f = FieldAt(city.origin_x + dx, city.origin_y + dy);
                GS().shared_city_grid[dx][dy] =
                    f != nullptr && f->stadtnum() == city.number ? 0 : -1;
            }
        }
    }
    TestVehicle& AddVehicle() {  // in the vehicle list, without stops
        TestVehicle& v = *vehicles_.emplace_back(std::make_unique<TestVehicle>());
        for (ScheduleStop& s : v.schedule) s = Stop({});
        nodes_.push_back(std::make_unique<VehicleListNode>(VehicleListNode{&v, g_pVehicleList}));
        g_pVehicleList = nodes_.back().get();
        return v;
    }
    static ScheduleStop Stop(std::initializer_list<std::pair<int32_t, int32_t>> fields) {
        ScheduleStop stop = EmptyScheduleStop();
        int32_t k = 0;
        for (const auto& [x, y] : fields) {
            stop.x[k] = static_cast<uint8_t>(x);
            stop.y[k++] = static_cast<uint8_t>(y);
        }
        return stop;
    }
    static GoodsSlot Slot(int32_t p, int32_t n, int32_t d) { return {p, n, d}; }

    fvtest::GameScope game_;
    CLookupTables tables_;
    CBuildingTable table_;
    CCityManager cities_;
    std::vector<std::unique_ptr<CCity>> city_objects_;
    fvtest::RecordingView& view_ = game_.UseView();
    std::vector<std::unique_ptr<TestVehicle>> vehicles_;
    std::vector<std::unique_ptr<VehicleListNode>> nodes_;
};

}  // namespace econ
