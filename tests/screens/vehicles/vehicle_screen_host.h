#pragma once
// The vehicle screens in the real main frame on the headless back end: the
// economy screens' host (building table, recording world view, goods icons)
// with the vehicle pictures and models, and helpers that lay roads, tracks
// and terminals by hand.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "economy/train_station.h"
#include "screens/economy/economy_screen_host.h"
#include "screens/vehicles/rail_purchase_screen.h"
#include "screens/vehicles/schedule_screen.h"
#include "screens/vehicles/truck_purchase_screen.h"
#include "screens/vehicles/vehicle_overview_screen.h"
#include "state/data_tables.h"
#include "transport/truck.h"
#include "transport/vehicle_list.h"

namespace vehscreens {

inline void WriteVehiclePictures(const std::string& folder) {
    static std::map<std::string, std::vector<uint8_t>> made;
    if (made.empty()) {
        for (const standin::FileRecipe& recipe : standin::DataFileRecipes()) {
            const std::string& p = recipe.path;
            if (p.rfind("uefs", 0) == 0 || p.rfind("fks_", 0) == 0) made[p] = recipe.make();
        }
    }
    for (const auto& [name, bytes] : made) {
        std::ofstream(std::filesystem::path(folder) / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
}

class VehicleHost : public econscreens::ScreenHost {
  protected:
    VehicleHost() {
        WriteVehiclePictures(h.folder.Path());
        InitVehicleModels();
        gs().year = 1960;
        gs().month = 0;
        gs().cash[0] = 100000;
        gs().last_truck_model = 0;
    }
    ~VehicleHost() override {
        for (FrameScreen slot : {FrameScreen::TruckPurchase, FrameScreen::RailPurchase,
                                 FrameScreen::Schedule, FrameScreen::VehicleOverview}) {
            h.frame->DeleteScreen(slot);
        }
        DeleteAllVehicles();
    }
    // A road field of the player with its direction bits.
    void Road(int32_t x, int32_t y, uint8_t dirs, uint8_t owner = 0) {
        MapField* f = FieldAt(x, y);
        f->set_wegtyp(kWayGravelRoad);
        f->set_wegteil(1);
        f->set_richtung(dirs);
        f->set_spieler(owner);
    }
    // A road from (x1, y) to (x2, y), x1 < x2.
    void RoadAlongX(int32_t x1, int32_t x2, int32_t y, uint8_t owner = 0) {
        for (int32_t x = x1; x <= x2; ++x) {
            const uint8_t dirs = (x > x1 ? kDirW : 0) | (x < x2 ? kDirE : 0);
            Road(x, y, dirs, owner);
        }
    }
    // A truck depot of `type` (exit N, E, S, W) on a road field.
    int32_t Depot(int32_t x, int32_t y, int32_t type, uint8_t owner = 0) {
        const int32_t number = Place(type, x, y, owner);
        FieldAt(x, y)->set_wegtyp(kWayGravelRoad);
        return number;
    }
    // A train station of `type` 6..9 with its anchor at (x, y), `length`
    // platform rows of track: head fields report the type, platform fields
    // 5 (rows along x) or 4 (along y).
    CTrainStation* Station(int32_t x, int32_t y, int32_t type, int32_t length, uint8_t owner = 0) {
        gs().selected_building_type = type;
        const int32_t number = table_.PlaceBuilding(x, y);
        gs().selected_building_type = -1;
        auto* st = dynamic_cast<CTrainStation*>(table_.At(number));
        if (st == nullptr) return nullptr;
        st->owner = owner;
        st->length = length;
        const StationGeometry g = st->geometry();
        const bool rows_along_x = type == 6 || type == 8;
        for (int32_t line = 0; line <= length; ++line) {
            for (int32_t k = 0; k < 4; ++k) {
                MapField* f = FieldAt(g.line_x(line, k), g.line_y(line, k));
                f->set_geb_num(static_cast<uint32_t>(number));
                f->set_geb_typ(static_cast<uint32_t>(line == 0 ? type : rows_along_x ? 5 : 4));
                f->set_building_flag(true);
                f->set_spieler(owner);
                if (line > 0) {
                    f->set_wegtyp(kWayRail);
                    f->set_gleisr(rows_along_x ? (kDirE | kDirW) : (kDirN | kDirS));
                }
            }
        }
        return st;
    }
    // A truck of the player at (x, y) with stops at the given fields.
    CVehicle* Truck(int32_t x, int32_t y, std::vector<std::pair<int, int>> stops = {},
                    int32_t model = 0) {
        auto* t = new CTruck(x, y, "A", model);
        for (ScheduleStop& s : t->schedule) s = EmptyScheduleStop();
        for (size_t i = 0; i < stops.size(); ++i) {
            t->schedule[i].x[0] = static_cast<uint8_t>(stops[i].first);
            t->schedule[i].y[0] = static_cast<uint8_t>(stops[i].second);
        }
        t->stop_count = static_cast<int32_t>(stops.size());
        t->running_flag = 1;
        return t;
    }
    FS_FAHRPLAN_NEU* Schedule() {
        return dynamic_cast<FS_FAHRPLAN_NEU*>(h.frame->Screen(FrameScreen::Schedule));
    }
    void Command(plat::Window* screen, uint16_t command) {
        screen->SendMessage(WM_COMMAND, command, 0);
        h.Run();
    }
};

}  // namespace vehscreens
