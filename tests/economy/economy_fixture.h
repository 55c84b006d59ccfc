#pragma once
// A small world for the economy tests: a fresh game state with its tables, a
// real building table, a city manager with cities made by hand and the kit's
// recording world view (pan 7). Buildings are placed through the table with
// their footprints written into the grid as the construction code does.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "economy/goods_slot.h"
#include "state/game_state.h"
#include "state/lookup_tables.h"
#include "support/file_bytes.h"
#include "support/game_scope.h"
#include "transport/vehicle.h"

namespace econ {

// Runs the cities' own monthly update only when asked to.
class TestCityManager : public CCityManager {
  public:
    void Tick() override {}
    void MonthlyUpdate() override {
        if (run_cities) CCityManager::MonthlyUpdate();
    }
    bool run_cities = false;
};

class TestVehicle : public CVehicle {
  public:
    TestVehicle() : CVehicle(VehicleLoadOnly{}) {}
};

// A slot's fraction as {numerator, denominator}, to compare in one check.
using Fraction = std::pair<int32_t, int32_t>;
inline Fraction Frac(const GoodsSlot& s) {
    return {s.numerator, s.denominator};
}

constexpr int64_t kStartCash = 10000000;

class EconomyTest : public ::testing::Test {
  protected:
    EconomyTest();
    ~EconomyTest() override;

    CGameState& GS() { return game_.state(); }
    CBuildingTable& Table() { return table_; }
    int64_t Cash(int32_t player = 0) { return GS().cash[player]; }

    // A building of `type` (depot and station types carry their orientation)
    // with its north-west field on (x, y), footprint written; its number.
    int32_t Place(int32_t type, int32_t x, int32_t y);
    template <typename T>
    T& B(int32_t number) {
        return *static_cast<T*>(table_.At(number));
    }
    // Writes a building's footprint (a station's with all its rows).
    void MarkFootprint(int32_t number);
    // One building of every type with a class, each holding state of its own
    // in every part of its record.
    void PlaceEveryType();
    // A city with its area at (ox, oy), with `fields` its number on them.
    CCity& AddCity(int32_t number, int32_t ox, int32_t oy, bool fields = true);
    void PutCityBuilding(int32_t x, int32_t y, int32_t city, int32_t stadtb);
    // The shared city grid as a store refresh prepares it: 0 on the city.
    void PrepareGrid(const CCity& city);
    TestVehicle& AddVehicle();  // in the vehicle list, without stops
    static ScheduleStop Stop(std::initializer_list<std::pair<int32_t, int32_t>> fields);
    static GoodsSlot Slot(int32_t p, int32_t n, int32_t d) { return {p, n, d}; }

    fvtest::GameScope game_;
    CLookupTables tables_;
    CBuildingTable table_;
    TestCityManager cities_;
    std::vector<std::unique_ptr<CCity>> city_objects_;
    fvtest::RecordingView& view_ = game_.UseView();
    std::vector<std::unique_ptr<TestVehicle>> vehicles_;
    std::vector<std::unique_ptr<VehicleListNode>> nodes_;
};

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

}  // namespace econ
