// Automatic path planning of the road and track tools.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "construction_fixture.h"
#include "world/path_evaluation.h"
#include "world/way_piece_tables.h"

namespace {

using Cells = std::vector<std::pair<int32_t, int32_t>>;

class PlannerTest : public ConstructionTest {
  protected:
    Cells Path() {
        Cells cells;
        for (const PathCell* c = Net().path_list; c != nullptr; c = c->next) {
            cells.emplace_back(c->x, c->y);
        }
        return cells;
    }
    // Every consecutive pair of the path (from the start) are neighbours.
    static bool IsContinuous(std::pair<int32_t, int32_t> start, const Cells& cells) {
        auto prev = start;
        for (auto cell : cells) {
            if (std::abs(cell.first - prev.first) + std::abs(cell.second - prev.second) != 1) {
                return false;
            }
            prev = cell;
        }
        return true;
    }
    void Water(int32_t x, int32_t y) { F(x, y).set_teile_art(0); }
};

TEST_F(PlannerTest, PathsFollowTheFloodAndTraceOrderWithinTheBox) {
    Net().PushPathCell(1, 1);  // an old path is dropped
    EXPECT_EQ(Net().PlanRoadPath(40, 40, 40, 40), 1);
    EXPECT_TRUE(Path().empty());
    ASSERT_EQ(Net().PlanRoadPath(50, 50, 52, 52), 1);
    EXPECT_EQ(Path(), (Cells{{50, 51}, {50, 52}, {51, 52}, {52, 52}}));
    ASSERT_EQ(Net().PlanRoadPath(52, 52, 50, 50), 1);
    EXPECT_EQ(Path(), (Cells{{52, 51}, {52, 50}, {51, 50}, {50, 50}}));

    // A goal ringed by water, or off the plannable map, leaves no path.
    for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) Water(70 + dx, 70 + dy);
    EXPECT_EQ(Net().PlanRoadPath(60, 70, 70, 70), 0);
    EXPECT_TRUE(Path().empty());
    EXPECT_EQ(Net().PlanRoadPath(-1, 70, 70, 70), 0);
    EXPECT_EQ(Net().PlanRoadPath(250, 70, 255, 70), 0);  // column 255 is never planned
    // A wall of water across the box (x 80..99) with a gap at its west edge;
    // closed inside the box, the way round lies outside it.
    for (int32_t x = 81; x <= 100; ++x) Water(x, 120);
    EXPECT_EQ(Net().PlanRoadPath(90, 115, 90, 125), 1);
    for (int32_t x = 75; x <= 110; ++x) Water(x, 120);
    EXPECT_EQ(Net().PlanRoadPath(90, 115, 90, 125), 0);
}

TEST_F(PlannerTest, WaysCrossStraightWaysButNeverRunAlongThem) {
    LayLine(60, 30, 60, 70, kWayGravelRoad);
    ASSERT_EQ(F(60, 50).wegteil(), 1);
    Net().current_way_type = kWayRail;
    ASSERT_EQ(Net().PlanTrackPath(55, 50, 65, 50), 1);
    EXPECT_EQ(Path().size(), 10u);  // straight across
    ASSERT_EQ(Net().PlanTrackPath(60, 44, 60, 56), 1);
    const Cells cells = Path();
    EXPECT_TRUE(IsContinuous({60, 44}, cells));
    for (size_t k = 0; k + 1 < cells.size(); ++k) EXPECT_NE(cells[k].first, 60);
    EXPECT_GT(cells.size(), 12u);
    // Monorail crosses no other way; a road crosses a straight rail only.
    Net().current_way_type = kWayMonorail;
    EXPECT_EQ(Net().PlanTrackPath(55, 50, 65, 50), 0);
    LayLine(140, 30, 140, 70, kWayRail);
    ASSERT_EQ(Net().PlanRoadPath(135, 50, 145, 50), 1);
    EXPECT_EQ(Path().size(), 10u);
    LayLine(120, 30, 120, 70, kWayMonorail);
    EXPECT_EQ(Net().PlanRoadPath(115, 50, 125, 50), 0);
}

TEST_F(PlannerTest, DepotIsEnteredAndLeftOnlyThroughItsExit) {
    MapField& depot = F(80, 50);  // type 1: exit to the east
    depot.set_building_flag(true);
    depot.set_geb_num(3);
    depot.set_geb_typ(1);
    depot.set_wegtyp(kWayCityStreet);
    depot.set_wegteil(2);
    services_.AddBuilding(3, 80, 50);
    ASSERT_EQ(Net().PlanRoadPath(75, 50, 80, 50), 1);
    Cells cells = Path();
    ASSERT_GE(cells.size(), 2u);
    EXPECT_EQ(cells[cells.size() - 2], std::make_pair(81, 50));
    EXPECT_TRUE(IsContinuous({75, 50}, cells));
    ASSERT_EQ(Net().PlanRoadPath(80, 50, 75, 50), 1);
    EXPECT_EQ(Path().front(), std::make_pair(81, 50));
}

TEST_F(PlannerTest, LabelsWrapFrom126ToOneOnALongPath) {
    ASSERT_EQ(Net().PlanRoadPath(10, 100, 160, 100), 1);
    const Cells cells = Path();
    EXPECT_EQ(cells.size(), 150u);  // straight along the row
    EXPECT_EQ(cells.back(), std::make_pair(160, 100));
    EXPECT_EQ(F(135, 100).laenge(), 126);
    EXPECT_EQ(F(136, 100).laenge(), 1);
}

TEST_F(PlannerTest, TraceThatFindsNoWayBackIsNoPath) {
    // Labels 1, 2, 3 along a row, but the goal's exits do not lead back.
    for (int32_t x = 10; x <= 12; ++x) F(x, 10).set_laenge(static_cast<uint32_t>(x - 9));
    g_pGameState->path_exit_mask[FieldIndex(12, 10)] = kDirE;
    g_pGameState->path_exit_mask[FieldIndex(11, 10)] = kDirW;
    EXPECT_FALSE(Net().TracePlannedPath(10, 10, 12, 10, 3));
    EXPECT_EQ(Net().path_list, nullptr);
    g_pGameState->path_exit_mask[FieldIndex(12, 10)] = kDirW;
    EXPECT_TRUE(Net().TracePlannedPath(10, 10, 12, 10, 3));
    EXPECT_EQ(Path(), (Cells{{11, 10}, {12, 10}}));
}

TEST_F(PlannerTest, TraceIgnoresLabelsLeftOutsideTheBox) {
    // Water leaves only a way round along the box's west column (x = 10).
    for (int32_t x = 11; x <= 29; ++x) {
        for (int32_t y = 21; y <= 29; ++y) Water(x, y);
    }
    // Labels of an earlier plan just outside the box, each what the trace
    // looks for next on that column.
    for (int32_t y = 21; y <= 30; ++y) F(9, y).set_laenge(static_cast<uint32_t>(y - 10));
    ASSERT_EQ(Net().PlanRoadPath(20, 20, 20, 30), 1);
    const Cells cells = Path();
    EXPECT_TRUE(IsContinuous({20, 20}, cells));
    EXPECT_EQ(cells.back(), std::make_pair(20, 30));
    for (auto [x, y] : cells) EXPECT_GE(x, 10);
}

TEST_F(PlannerTest, PortalsAndBridgesOverrideTheExits) {
    MapField& portal = F(30, 30);
    portal.set_tportal(true);
    portal.set_teile_diff(1);  // the tunnel runs north: planned roads leave south
    portal.set_wegtyp(kWayGravelRoad);
    EXPECT_EQ(EvaluateRoadPathField(30, 30), kDirS);
    portal.set_wegtyp(kWayRail);
    EXPECT_EQ(EvaluateTrackPathField(30, 30, kWayRail), kDirS);
    EXPECT_NE(EvaluateTrackPathField(30, 30, kWayMonorail), kDirS);

    MapField& end = F(34, 34);
    end.set_bridge_flag(true);
    end.set_bridge_end(true);
    end.set_bridge_piece(5);  // west end: leaves west, off the bridge
    end.set_bridge_wegtyp(kWayRail);
    EXPECT_EQ(EvaluateRoadPathField(34, 34), 0);
    EXPECT_EQ(EvaluateTrackPathField(34, 34, kWayRail), kDirW);
    // Neighbour bridges: a road may step onto a road bridge end from its
    // open side only.
    end.set_bridge_wegtyp(kWayGravelRoad);
    EXPECT_TRUE(EvaluateRoadPathField(33, 34) & kDirE);
    EXPECT_FALSE(EvaluateRoadPathField(35, 34) & kDirW);
}

}  // namespace
