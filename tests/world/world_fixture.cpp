#include "world_fixture.h"

#include <algorithm>

#include "world/way_piece_tables.h"

WorldTest::WorldTest() : network_(std::make_unique<CWayNetwork>()) {
    game_.Set(g_pWayNetwork, network_.get());
    for (int32_t i = 0; i < kMapFieldCount; ++i) {
        game_.state().fields[i].set_teile_art(1);
        game_.state().fields[i].set_hoehe(2);
    }
}

WorldTest::~WorldTest() = default;

void WorldTest::LayWay(const std::vector<std::pair<int32_t, int32_t>>& cells, int32_t wayType,
                       int32_t player) {
    int32_t x0 = 255, y0 = 255, x1 = 0, y1 = 0;
    for (auto [x, y] : cells) {
        MapField& field = F(x, y);
        field.set_wegtyp(static_cast<uint32_t>(wayType));
        if (field.wegteil() == 0) field.set_wegteil(1);
        field.set_spieler(static_cast<uint32_t>(player));
        x0 = std::min(x0, x);
        y0 = std::min(y0, y);
        x1 = std::max(x1, x);
        y1 = std::max(y1, y);
    }
    RefitBox(x0 - 1, y0 - 1, x1 + 1, y1 + 1);
}

void WorldTest::LayLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType) {
    std::vector<std::pair<int32_t, int32_t>> cells;
    const int32_t dx = (x2 > x1) - (x2 < x1);
    const int32_t dy = (y2 > y1) - (y2 < y1);
    for (int32_t x = x1, y = y1;; x += dx, y += dy) {
        cells.emplace_back(x, y);
        if (x == x2 && y == y2) break;
    }
    LayWay(cells, wayType);
}

void WorldTest::RefitBox(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    for (int32_t x = std::max(0, x0); x <= std::min(255, x1); ++x) {
        for (int32_t y = std::max(0, y0); y <= std::min(255, y1); ++y) {
            UpdateRoadPieceShape(x, y);
            UpdateTrackPieceShape(x, y);
        }
    }
    for (int32_t x = std::max(0, x0); x <= std::min(255, x1); ++x) {
        for (int32_t y = std::max(0, y0); y <= std::min(255, y1); ++y) {
            helper_.UpdateWayPiecesAround(x, y);
        }
    }
}

void WorldTest::LinkBox(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    for (int32_t x = std::max(0, x0); x <= std::min(255, x1); ++x) {
        for (int32_t y = std::max(0, y0); y <= std::min(255, y1); ++y) {
            const MapField& field = F(x, y);
            if (!field.knoten()) continue;
            const uint8_t bits = field.richtung() | field.gleisr();
            for (int32_t i = 0; i < 4; ++i) {
                if (bits & DirBitFromIndex(i)) Net().LinkFromField(x, y, DirBitFromIndex(i));
            }
        }
    }
}

int32_t WorldTest::LinkTarget(int32_t x, int32_t y, int32_t i) {
    const WayNode* node = Net().Node(NodeAt(x, y));
    return node != nullptr ? node->ziel[i] : -1;
}

int32_t WorldTest::LinkCost(int32_t x, int32_t y, int32_t i) {
    const WayNode* node = Net().Node(NodeAt(x, y));
    return node != nullptr ? node->cost[i] : -1;
}
