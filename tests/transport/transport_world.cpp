#include "transport_world.h"

#include <algorithm>

#include "app/app_globals.h"
#include "state/data_tables.h"

namespace transporttest {

TransportWorld::TransportWorld() : network_(std::make_unique<CWayNetwork>()) {
    game_.Set(g_pWayNetwork, network_.get());
    game_.Set(g_ppBuildings, &buildings_);
    game_.Set(g_pCityManager, &cities_);
    view_.tile_in_view = 1;
    for (int32_t i = 0; i < kMapFieldCount; ++i) {
        game_.state().fields[i].set_teile_art(1);
        game_.state().fields[i].set_hoehe(2);
    }
    game_.state().game_mode = kModeGame;
    InitVehicleModels();
    host_.SetClock(1000000);
    game_.state().timers.frame_time = host_.Now();
}

void TransportWorld::Way(int32_t x, int32_t y, int32_t wayType) {
    Grow(x, y);
    MapField& field = F(x, y);
    field.set_wegtyp(static_cast<uint32_t>(wayType));
    if (field.wegteil() == 0) field.set_wegteil(1);
}

void TransportWorld::Frames(int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
        host_.AdvanceClock(26);
        app_.UpdateFrame();
    }
}

void TransportWorld::Grow(int32_t x, int32_t y) {
    box_x0_ = std::min(box_x0_, std::max(0, x - 1));
    box_y0_ = std::min(box_y0_, std::max(0, y - 1));
    box_x1_ = std::max(box_x1_, std::min(255, x + 1));
    box_y1_ = std::max(box_y1_, std::min(255, y + 1));
}

}  // namespace transporttest
