#include "transport_world.h"

#include <algorithm>

#include "app/app_globals.h"
#include "state/data_tables.h"
#include "world/way_piece_tables.h"

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

void TransportWorld::Bridge(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType) {
    wayType = wayType != 0 ? wayType : default_way_;
    const bool alongY = x1 == x2;
    // Flat end codes: south 1, north 2, west 5, east 6; spans 9 (N-S) or 11.
    const uint32_t typeBits = static_cast<uint32_t>(wayType) << 4;
    const int32_t length = alongY ? y2 - y1 : x2 - x1;
    for (int32_t k = 0; k <= length; ++k) {
        const int32_t x = alongY ? x1 : x1 + k;
        const int32_t y = alongY ? y1 + k : y1;
        Grow(x, y);
        MapField& field = F(x, y);
        field.set_bridge_flag(true);
        field.set_data_word((alongY ? 9u : 11u) + typeBits);
        if (k == 0 || k == length) {
            const uint32_t code = alongY ? (k == 0 ? 2 : 1) : (k == 0 ? 5 : 6);
            field.set_data_word(code + typeBits);
            field.set_bridge_end(true);
            field.set_wegtyp(static_cast<uint32_t>(wayType));
            field.set_wegteil(BridgeEndWayPiece[code - 1]);
            WayEnd(x, y, field);
        }
    }
}

void TransportWorld::Tunnel(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType) {
    wayType = wayType != 0 ? wayType : default_way_;
    const bool alongY = x1 == x2;
    const int32_t length = alongY ? y2 - y1 : x2 - x1;
    for (int32_t k = 0; k <= length; ++k) {
        const int32_t x = alongY ? x1 : x1 + k;
        const int32_t y = alongY ? y1 + k : y1;
        Grow(x, y);
        MapField& field = F(x, y);
        field.set_tunnel(true);
        field.set_tunnel_hoehe(2);
        if (k == 0 || k == length) {
            // The low portal's ramp rises towards the high one (slope S or
            // E), the high portal's towards the low one (N or W).
            field.set_tportal(true);
            field.set_teile_diff(alongY ? (k == 0 ? 3 : 1) : (k == 0 ? 2 : 4));
            field.set_wegtyp(static_cast<uint32_t>(wayType));
            field.set_wegteil(alongY ? 1 : 2);
            WayEnd(x, y, field);
        }
    }
}

}  // namespace transporttest
