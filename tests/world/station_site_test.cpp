// Train station sites and station extension. The spacing and band rules of
// the four orientations are not a rotation of each other, so each is pinned
// by a table of accepted sites around a station of each orientation.

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "construction_fixture.h"
#include "world/field_queries.h"

namespace {

// The site anchors x 92..108, y 94..107 that a station of length 2 at
// (100, 100) refuses: a box, less a few holes that are accepted.
struct Box {
    int32_t x0, y0, x1, y1;
    bool Holds(int32_t x, int32_t y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};
struct SiteTable {
    int32_t existing, site;
    Box refused;
    std::vector<Box> holes;
};
const SiteTable kSiteTables[] = {
    {6, 6, {96, 96, 104, 103}, {}},
    {6, 7, {95, 96, 104, 104}, {{104, 103, 104, 104}, {95, 104, 98, 104}, {103, 104, 103, 104}}},
    {6, 8, {96, 95, 104, 102}, {}},
    {6, 9, {96, 96, 104, 103}, {}},
    {7, 6, {96, 96, 105, 104}, {{96, 96, 96, 97}}},
    {7, 7, {95, 96, 104, 104}, {{95, 100, 95, 100}}},
    {7, 8, {96, 95, 105, 104}, {{96, 95, 96, 97}, {103, 104, 105, 104}}},
    {7, 9, {96, 96, 105, 104}, {{96, 100, 96, 100}}},
    {8, 6, {96, 96, 104, 105}, {{100, 96, 100, 96}}},
    {8, 7, {95, 96, 104, 105}, {{95, 96, 97, 96}, {104, 103, 104, 105}}},
    {8, 8, {96, 95, 104, 104}, {{100, 95, 100, 95}}},
    {8, 9, {96, 96, 104, 105}, {{96, 96, 97, 96}}},
    {9, 6, {96, 96, 104, 104}, {{104, 96, 104, 99}, {104, 104, 104, 104}}},
    {9, 7, {95, 96, 102, 104}, {}},
    {9, 8, {96, 95, 104, 104}, {{104, 95, 104, 98}, {104, 103, 104, 104}, {103, 104, 103, 104}}},
    {9, 9, {96, 96, 103, 104}, {}},
};

class StationSiteTest : public ConstructionTest {
  protected:
    int32_t Check(int32_t type, int32_t x, int32_t y) {
        GS().selected_building_type = 6;
        GS().build_orientation = type - 6;
        const bool alongX = type == 6 || type == 8;
        return Helper().CanBuildHere(x, y, alongX ? 4 : 2, alongX ? 2 : 4);
    }
    void ClearBuildings() {
        for (int32_t n = 1; n < kBuildingSlots; ++n) Services().buildings.buildings[n] = nullptr;
        for (MapField& f : GS().fields) {
            f.set_building_flag(false);
            f.set_data_word(0);
        }
    }
};

TEST_F(StationSiteTest, AcceptedSitesAroundAStationOfEachOrientation) {
    for (const SiteTable& t : kSiteTables) {
        ClearBuildings();
        Place(1, t.existing, 100, 100).length = 2;
        std::string expected = "\n", accepted = "\n";
        for (int32_t y = 94; y <= 107; ++y) {
            for (int32_t x = 92; x <= 108; ++x) {
                const bool hole = std::any_of(t.holes.begin(), t.holes.end(),
                                              [&](const Box& b) { return b.Holds(x, y); });
                expected += t.refused.Holds(x, y) && !hole ? '.' : '#';
                accepted += Check(t.site, x, y) ? '#' : '.';
            }
            expected += '\n';
            accepted += '\n';
        }
        EXPECT_EQ(accepted, expected) << "existing " << t.existing << " site " << t.site;
    }
}

TEST_F(StationSiteTest, SpacingAlongTheTrackLine) {
    // A type 7 station on the track row of a type 6 site, 5 or 6 columns away.
    Place(1, 7, 100, 100);  // head column 100, track column 101, rows 100..103
    EXPECT_EQ(std::tuple(Check(6, 105, 101), Check(6, 106, 101)), std::tuple(0, 1));
    // A type 8 station on the track column of a type 9 or 7 site: 5 rows
    // south of its anchor the band north of the site still refuses both, 6
    // rows south both pass.
    ClearBuildings();
    Place(2, 8, 100, 100);  // head row 100, track row 101, columns 100..103
    EXPECT_EQ(
        std::tuple(Helper().CheckStationSite9(101, 105), Helper().CheckStationSite7(100, 105),
                   Helper().CheckStationSite9(101, 106), Helper().CheckStationSite7(100, 106)),
        std::tuple(0, 0, 1, 1));
    // A truck depot directly beside the long side refuses, two fields off not.
    for (auto [y, ok] : {std::pair{99, 0}, {98, 1}}) {
        ClearBuildings();
        Place(3, 2, 102, y);
        EXPECT_EQ(Check(6, 100, 100), ok) << y;
    }
    // Another player's track on the track line refuses.
    DragTrack(90, 100, 110, 100, kWayRail);
    EXPECT_EQ(Check(6, 100, 100), 1);  // own straight track on row 100
    F(102, 100).set_spieler(2);
    EXPECT_EQ(Check(6, 100, 100), 0);
}

class StationExtensionTest : public ConstructionTest {
  protected:
    // The extension's answer and the code the panel shows.
    std::tuple<int32_t, int32_t> Extend(int32_t x, int32_t y) {
        const int32_t code = Helper().ExtendStation(x, y);
        const auto& shown = Services().panel.shown;
        return {code, shown.empty() ? -1 : shown.back()};
    }
    int32_t Code(int32_t x, int32_t y) { return std::get<0>(Extend(x, y)); }
};

TEST_F(StationExtensionTest, GrowsToFourLinesThenRefusesWithCodeOne) {
    GS().building_types[6].build_price = 40000;
    DragTrack(90, 100, 110, 100, kWayRail);
    doubles::TestBuilding& station = Place(1, 6, 100, 100);  // grows north from row 101
    DragTrack(90, 99, 110, 99, kWayRail);                    // track on the new line is kept
    for (int32_t line = 2; line <= 4; ++line) {
        const int64_t cash = Cash();
        EXPECT_EQ(Extend(101, 101), std::tuple(0, 0));
        EXPECT_EQ(std::tuple(station.length, F(102, 101 - line).data_word(),
                             GetBuildingTypeAt(103, 101 - line), cash - Cash()),
                  std::tuple(line, (6 << 10) | 1, 5, 20000));
        ASSERT_EQ(Services().buildings.rewrites.size(), size_t(line - 1));
        EXPECT_EQ(Services().buildings.rewrites.back().y, 100);
    }
    const WorldSnapshot before = TakeSnapshot();
    EXPECT_EQ(Extend(100, 101), std::tuple(1, 1));
    EXPECT_TRUE(SameWorld(before, TakeSnapshot()));
    EXPECT_EQ(std::tuple(F(101, 99).wegtyp(), F(101, 99).wegteil()), std::tuple(kWayRail, 2));
    EXPECT_NE(NodeAt(103, 99), 0);
    EXPECT_TRUE(GraphMatchesMap(Net(), 80, 80, 120, 120));
}

TEST_F(StationExtensionTest, RefusalCodesAndTheLastFailingOneIsKept) {
    Place(1, 7, 100, 100);  // grows east: the new line is column 102
    // A curve on the new line: code 3.
    DragTrack(102, 95, 102, 101, kWayRail);
    DragTrack(102, 101, 106, 101, kWayRail);
    ASSERT_EQ(F(102, 101).wegteil(), 7);
    WorldSnapshot before = TakeSnapshot();
    EXPECT_EQ(Extend(100, 101), std::tuple(3, 3));
    EXPECT_TRUE(SameWorld(before, TakeSnapshot()));
    // A building on a later field than the curve: its code 2 is the last.
    F(102, 103).set_building_flag(true);
    F(102, 103).set_data_word((14 << 10) | 9);
    EXPECT_EQ(Code(100, 101), 2);
    // A slope on the last field: code 4 comes last.
    F(102, 103).set_building_flag(false);
    F(102, 103).set_data_word(0);
    F(102, 103).set_teile_diff(6);
    EXPECT_EQ(Code(100, 101), 4);
    F(102, 103).set_teile_diff(0);
    // A bridge beyond the first field of the new line comes before the
    // curve (code 3 stays); beyond the last field, or next to the end of
    // the new line, it comes last (code 2).
    for (auto [x, y, code] : {std::tuple{103, 100, 3}, {103, 103, 2}, {102, 104, 2}}) {
        F(x, y).set_bridge_flag(true);
        EXPECT_EQ(Code(100, 101), code) << x << ", " << y;
        F(x, y).set_bridge_flag(false);
    }
    EXPECT_TRUE(SameWorld(before, TakeSnapshot()));
}

TEST_F(StationExtensionTest, AnotherTerminalInTheBandRefusesWithCodeFiveAForestDoesNot) {
    // The band is the four rows beyond the new line, one field wider than
    // the station at each end.
    Place(1, 8, 100, 100);  // grows south: new line row 102, band rows 103..106
    Place(2, 8, 100, 106);  // a station head at the band's far row
    Place(3, 8, 150, 100);
    Place(4, 7, 154, 103);  // columns 154..155: only column 154 lies in the band
    Place(5, 8, 200, 100);
    Place(6, 7, 205, 103);  // one column further: clear of the band
    const WorldSnapshot before = TakeSnapshot();
    EXPECT_EQ(std::tuple(Code(100, 100), Code(150, 100)), std::tuple(5, 5));
    EXPECT_TRUE(SameWorld(before, TakeSnapshot()));
    EXPECT_EQ(Code(200, 100), 0);
    // Forest on the new line and in the band is no terminal: tree values 32
    // and 33 in the high byte put 8 in bits 10-15.
    Place(7, 6, 100, 50);  // new line row 49, band rows 48..45
    for (int32_t x = 99; x <= 104; ++x) {
        F(x, 47).set_forest_flag(true);
        F(x, 47).set_data_word(x % 2 == 0 ? 32 << 8 : 33 << 8);
    }
    F(101, 49).set_forest_flag(true);
    F(101, 49).set_data_word(33 << 8);
    EXPECT_EQ(Code(100, 51), 0);
    EXPECT_EQ(F(101, 49).data_word(), (6 << 10) | 7);
}

TEST_F(StationExtensionTest, NearTheMapEdgeTheLineIsUnsuitable) {
    const WorldSnapshot empty = TakeSnapshot();
    EXPECT_EQ(Extend(50, 50), std::tuple(0, 0));  // no station: only the panel is redrawn
    EXPECT_TRUE(SameWorld(empty, TakeSnapshot()));
    Place(1, 6, 100, 6);  // head row 7; new line row 5, band up to row 1
    EXPECT_EQ(Code(100, 7), 0);
    const WorldSnapshot before = TakeSnapshot();
    EXPECT_EQ(Code(100, 7), 4);  // the band would reach row 0
    EXPECT_TRUE(SameWorld(before, TakeSnapshot()));
    Place(2, 9, 2, 100);  // head column 3, grows west: new line column 1
    EXPECT_EQ(Code(3, 100), 4);
}

// Station track is laid along the track row only, charged for new fields,
// and linked at both ends.
TEST_F(StationSiteTest, StationTrackLaysTheRowChargesNewFieldsAndLinksBothEnds) {
    Place(9, 6, 50, 50);                // track row 50, head row 51
    LayLine(46, 50, 50, 50, kWayRail);  // rail reaches the first row field
    Crossing(46, 50, kWayRail);
    const int64_t cash = Cash();
    Net().LayStationTrack(51, 50, 0);
    for (int32_t x = 50; x <= 53; ++x) {
        EXPECT_EQ(std::tuple(F(x, 50).wegtyp(), F(x, 50).wegteil()), std::tuple(kWayRail, 2));
    }
    EXPECT_EQ(std::tuple(cash - Cash(), NetworkLength()), std::tuple(3 * 290, 3));
    ASSERT_TRUE(NodeAt(53, 50) != 0 && NodeAt(46, 50) != 0);
    EXPECT_EQ(std::tuple(LinkTarget(50, 50, 1), LinkCost(50, 50, 1), LinkTarget(50, 50, 3),
                         LinkCost(50, 50, 3)),
              std::tuple(NodeAt(53, 50), 3, NodeAt(46, 50), 4));
    EXPECT_TRUE(MirrorInvariantHolds(Net()));
    Net().LayStationTrack(52, 50, 0);  // the complete row charges nothing
    EXPECT_EQ(cash - Cash(), 3 * 290);
    // A row without any way, or the head row, stays bare.
    Place(10, 6, 70, 70);
    Net().LayStationTrack(70, 70, 0);
    Net().LayStationTrack(70, 71, 0);
    EXPECT_EQ(std::tuple(F(71, 70).wegtyp(), F(71, 71).wegtyp()), std::tuple(0, 0));
}

}  // namespace
