#pragma once
// The base of the road and rail test worlds: flat ground, the vehicle models,
// a way network, test terminals, a city manager double, the world view double
// and the main loop's frame update on the headless back end's clock.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/game_app.h"
#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "platform/file.h"
#include "platform/headless/headless_backend.h"
#include "platform/temp_folder.h"
#include "state/map_field.h"
#include "support/game_scope.h"
#include "transport/vehicle.h"
#include "transport/vehicle_list.h"
#include "world/build_helper.h"
#include "world/way_network.h"

namespace transporttest {

// A depot or station with whole units of goods per product: it hands out
// what it has and takes every unit put to it.
class TestTerminal : public CBuilding {
  public:
    int32_t TakeGoods(int32_t product, int32_t amount, int32_t, int32_t buyer) override {
        ++takes;
        last_buyer = buyer;
        const int32_t given = std::max(0, std::min(amount, stock[product]));
        stock[product] -= given;
        return given;
    }
    int32_t PutGoods(int32_t product, int32_t amount, int32_t) override {
        ++puts;
        at_terminal_during_put.push_back(g_pVehicleAtTerminal);
        stock[product] += amount;
        return amount;
    }
    void Refresh() override { ++refreshes; }
    int32_t GetLength() const override { return length; }

    int32_t number = 0;
    int32_t length = 0;  // platform rows of a station
    std::map<int32_t, int32_t> stock;
    int32_t takes = 0, puts = 0, refreshes = 0, last_buyer = -1;
    std::vector<CVehicle*> at_terminal_during_put;
};

class TestBuildingTable : public CBuildingTable {
  public:
    void UpdateRawMaterialSites() override {}
};

class TestCityManager : public CCityManager {
  public:
    void Tick() override {
        if (onTick) onTick();
    }
    void MonthlyUpdate() override {}
    std::function<void()> onTick;
};

class TransportWorld : public ::testing::Test {
  protected:
    TransportWorld();

    MapField& F(int32_t x, int32_t y) { return *FieldAt(x, y); }
    CWayNetwork& Net() { return *network_; }
    // A way of `wayType` on the field (pieces are fitted when finished).
    void Way(int32_t x, int32_t y, int32_t wayType);
    // Calls `each(x, y)` for the fields from (x1, y1) to (x2, y2) (one row or
    // column).
    template <typename Each>
    static void EachOnLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Each each) {
        const int32_t dx = (x2 > x1) - (x2 < x1);
        const int32_t dy = (y2 > y1) - (y2 < y1);
        for (int32_t x = x1, y = y1;; x += dx, y += dy) {
            each(x, y);
            if (x == x2 && y == y2) break;
        }
    }
    // Runs frames through the main loop's frame update; FramesUntil stops
    // when `done` holds (at most `limit`) and tells whether it did.
    void Frames(int32_t n);
    template <typename Done>
    bool FramesUntil(Done done, int32_t limit) {
        for (int32_t i = 0; i < limit; ++i, Frames(1)) {
            if (done()) return true;
        }
        return done();
    }
    // What a writer puts into a new file, and a reader run on given bytes.
    std::string Path(const std::string& name) const { return folder_.Path() + "/" + name; }
    template <typename Writer>
    std::string WriteWith(const std::string& name, Writer writer) {
        plat::FileHandle file = plat::OpenFile(Path(name), plat::OpenMode::Create);
        writer(file);
        plat::CloseFile(file);
        return folder_.Read(name);
    }
    template <typename Reader>
    bool ReadWith(const std::string& bytes, Reader reader) {
        plat::FileHandle file = plat::OpenFile(folder_.Write("in", bytes), plat::OpenMode::Read);
        const bool ok = reader(file);
        plat::CloseFile(file);
        return ok;
    }
    // The listed vehicles in list order (of one class, or all for -1).
    static std::vector<CVehicle*> Listed(int32_t vehicleClass = -1) {
        std::vector<CVehicle*> all;
        for (VehicleListNode* n = g_pVehicleList; n != nullptr; n = n->next) {
            if (vehicleClass < 0 || n->vehicle->vehicle_class == vehicleClass)
                all.push_back(n->vehicle);
        }
        return all;
    }
    // Widens the box of built fields that the consistency checks scan.
    void Grow(int32_t x, int32_t y);
    // A flat bridge between its end fields or a straight tunnel between its
    // portals, the smaller coordinate first, as the builders leave them (way
    // type 0: the world's own); ways must lead to both ends. WayEnd adds what
    // a world keeps of each end.
    void Bridge(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType = 0);
    void Tunnel(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType = 0);
    virtual void WayEnd(int32_t x, int32_t y, MapField& field) = 0;

    plat::HeadlessBackend host_;
    fvtest::GameScope game_;
    std::unique_ptr<CWayNetwork> network_;
    CBuildHelper helper_;
    TestBuildingTable buildings_;
    TestCityManager cities_;
    fvtest::RecordingView& view_ = game_.UseView();
    CGameApp app_;
    fvtest::TempFolder folder_;
    int32_t box_x0_ = 255, box_y0_ = 255, box_x1_ = 0, box_y1_ = 0;
    int32_t default_way_ = kWayGravelRoad;
};

}  // namespace transporttest
