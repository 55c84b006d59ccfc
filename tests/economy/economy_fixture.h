#pragma once
// A small world for the economy tests: a fresh game state with its goods and
// building-type tables, the lookup tables, a real building table in
// g_ppBuildings, a city manager with cities made by hand, and the kit's
// recording world view (answering with pan 7). Helpers place buildings through the
// table and write their footprints into the field grid as the construction
// code does.

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
#include "support/game_scope.h"
#include "transport/vehicle.h"

namespace econ {

// The city manager with cities made by the tests; the monthly update runs
// the cities' own only when asked to.
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

    // Places a building of `type` (orientation included for depots and
    // stations) with the north-west field of its footprint on (x, y) through
    // the table, and writes its footprint into the grid. Returns its number.
    int32_t Place(int32_t type, int32_t x, int32_t y);
    // The building of a number, as its class.
    template <typename T>
    T& B(int32_t number) {
        return *static_cast<T*>(table_.At(number));
    }
    // Writes the footprint of building `number` (a station with all its
    // rows) into the grid: building word, building flag and owner bits.
    void MarkFootprint(int32_t number);
    // One building of every type with a class, in rows from (4, 4), each
    // holding state of its own in every part of its record.
    void PlaceEveryType();
    void Dirty(CBuilding& b);
    // A city of number 1..63 with its area at (ox, oy); `fields` gives its
    // city number to every field of the area.
    CCity& AddCity(int32_t number, int32_t ox, int32_t oy, bool fields = true);
    // A city building `stadtb` of city `city` on (x, y).
    void PutCityBuilding(int32_t x, int32_t y, int32_t city, int32_t stadtb);
    // The shared city grid as a city's store refresh prepares it: -1 outside
    // the city, 0 on its fields.
    void PrepareGrid(const CCity& city);
    // A vehicle in the list with its stops.
    TestVehicle& AddVehicle();
    // A stop naming the fields (x[i], y[i]); unused fields 255.
    static ScheduleStop Stop(std::initializer_list<std::pair<int32_t, int32_t>> fields);
    // A goods slot as {product, numerator, denominator}.
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

// Every goods slot of every building, as "type@slot:product n/d" lines, and
// the table's file record: what a call that must change nothing must leave.
std::string Snapshot(const CBuildingTable& table);
// The table's record as written to a file.
std::vector<uint8_t> SavedBytes(const CBuildingTable& table);
// A table read from bytes; false when Load refused them.
bool LoadBytes(CBuildingTable& table, const std::vector<uint8_t>& bytes);
// Walks the bytes with CheckRecord.
bool CheckBytes(const std::vector<uint8_t>& bytes);

}  // namespace econ
