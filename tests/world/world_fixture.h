#pragma once
// A small synthetic world for the way-network tests: a fresh game state with
// flat ground everywhere, the service doubles, and a way network installed in
// g_pWayNetwork. Helpers lay ways straight into the grid and re-fit them the
// way the builders do.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "state/map_field.h"
#include "support/game_scope.h"
#include "support/way_graph_check.h"
#include "world/build_helper.h"
#include "world/way_network.h"
#include "world_doubles.h"

class WorldTest : public ::testing::Test {
  protected:
    WorldTest();
    ~WorldTest() override;

    MapField& F(int32_t x, int32_t y) { return *FieldAt(x, y); }
    CWayNetwork& Net() { return *network_; }

    // Ways of `wayType` on the listed fields; then every field of the
    // surrounding box gets its piece chosen and its masks re-fitted.
    void LayWay(const std::vector<std::pair<int32_t, int32_t>>& cells, int32_t wayType,
                int32_t player = 0);
    // A straight run from (x1, y1) to (x2, y2) (same row or column).
    void LayLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType);
    // A crossing at (x, y): the field and its four neighbours.
    void Crossing(int32_t x, int32_t y, int32_t wayType = kWayGravelRoad) {
        LayWay({{x, y - 1}, {x, y}, {x, y + 1}, {x - 1, y}, {x + 1, y}}, wayType);
    }
    // Piece choice and mask re-fit over a box.
    void RefitBox(int32_t x0, int32_t y0, int32_t x1, int32_t y1);
    // Links every node field of the box in each of its way directions.
    void LinkBox(int32_t x0, int32_t y0, int32_t x1, int32_t y1);

    int32_t NodeAt(int32_t x, int32_t y) { return F(x, y).knotennummer(); }
    // The link of the node on (x, y) in direction index i.
    int32_t LinkTarget(int32_t x, int32_t y, int32_t i);
    int32_t LinkCost(int32_t x, int32_t y, int32_t i);

    fvtest::GameScope game_;
    doubles::Scope services_{game_};
    std::unique_ptr<CWayNetwork> network_;
    CBuildHelper helper_;
};
