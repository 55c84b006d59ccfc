// The graph always matches the map, now with the real builders: random
// sequences of laying roads and tracks along planned and straight paths,
// bridges, tunnels through raised hills, stations with their extension,
// truck depots and area demolition. After every few steps the kept graph is
// compared with one linked from scratch from the map.

#include "construction_fixture.h"
#include "platform/random.h"

namespace {

constexpr int32_t kLow = 50, kHigh = 90;         // where the builders act
constexpr int32_t kBoxLow = 25, kBoxHigh = 115;  // what is compared

class BuilderGraphProperty : public ConstructionTest {
  protected:
    int32_t R(int32_t n) { return plat::Rand() % n; }
    int32_t Coord() { return kLow + R(kHigh - kLow); }

    void PlannedWay() {
        const int32_t x1 = Coord(), y1 = Coord();
        const int32_t x2 = std::min(kHigh, x1 + R(9)), y2 = std::min(kHigh, y1 + R(9));
        const bool road = R(2) == 0;
        static constexpr int32_t kRoads[] = {kWayGravelRoad, kWayAsphaltRoad};
        static constexpr int32_t kTracks[] = {kWayRail, kWayRail, kWayMonorail};
        const int32_t type = road ? kRoads[R(2)] : kTracks[R(3)];
        Net().SetWayType(static_cast<uint8_t>(type - 1));
        const bool planned = road ? Net().PlanRoadPath(x1, y1, x2, y2) != 0
                                  : Net().PlanTrackPath(x1, y1, x2, y2) != 0;
        if (!planned) return;
        if (road) {
            Net().LayRoadAlongPath(x1, y1, x2, y2);
        } else {
            Net().LayTrackAlongPath(x1, y1, x2, y2);
        }
    }

    void StraightWay() {
        const int32_t x = Coord(), y = Coord(), length = 1 + R(7);
        const bool alongX = R(2) == 0;
        static constexpr int32_t kTypes[] = {kWayGravelRoad, kWayAsphaltRoad, kWayRail,
                                             kWayMonorail};
        const int32_t type = kTypes[R(4)];
        const int32_t x2 = alongX ? std::min(kHigh, x + length) : x;
        const int32_t y2 = alongX ? y : std::min(kHigh, y + length);
        if (IsRoadWay(type)) {
            DragRoad(x, y, x2, y2, type);
        } else {
            DragTrack(x, y, x2, y2, type);
        }
    }

    void Bridge() {
        const int32_t x = Coord(), y = Coord(), length = 1 + R(6);
        static constexpr int32_t kTypes[] = {kWayGravelRoad, kWayAsphaltRoad, kWayRail};
        Net().SetWayType(static_cast<uint8_t>(kTypes[R(3)] - 1));
        if (R(2) == 0) {
            Net().BuildBridge(x, y, std::min(kHigh, x + length), y, 0);
        } else {
            Net().BuildBridge(x, std::min(kHigh, y + length), x, y, 0);
        }
    }

    void Tunnel() {
        static constexpr int32_t kTypes[] = {kWayGravelRoad, kWayRail, kWayMonorail};
        Net().SetWayType(static_cast<uint8_t>(kTypes[R(3)] - 1));
        for (int32_t tries = 0; tries < 40; ++tries) {
            const int32_t x = Coord(), y = Coord();
            const int32_t slope = F(x, y).teile_diff();
            if (slope >= 1 && slope <= 4) {
                Net().BuildTunnel(x, y);
                return;
            }
        }
    }

    void Hill() {
        const int32_t x = Coord(), y = Coord();
        for (int32_t k = 0; k < 1 + R(3); ++k) {
            if (R(4) == 0) {
                Terrain().LowerLand(x, y, 0);
            } else {
                Terrain().RaiseLand(x, y, 0);
            }
        }
    }

    void Station() {
        const int32_t type = 6 + R(4);
        const int32_t x = Coord(), y = Coord();
        GS().selected_building_type = 6;
        GS().build_orientation = type - 6;
        const int32_t w = type == 6 || type == 8 ? 4 : 2;
        if (Helper().CanBuildHere(x, y, w, 6 - w) != 1) return;
        stations_.push_back({x, y});
        Place(next_building_++, type, x, y);
    }

    void Extend() {
        if (stations_.empty()) return;
        const auto [x, y] = stations_[R(static_cast<int32_t>(stations_.size()))];
        Helper().ExtendStation(x, y);
    }

    void Depot() {
        const int32_t type = R(4);
        const int32_t x = Coord(), y = Coord();
        GS().selected_building_type = 0;
        GS().build_orientation = type;
        if (Helper().CanBuildHere(x, y, 1, 1) != 1) return;
        Place(next_building_++, type, x, y);
    }

    void Demolish() {
        const int32_t x = Coord(), y = Coord();
        int32_t cx = x + R(5) - 2, cy = y + R(5) - 2;
        Terrain().DemolishArea(x, y, cx, cy);
    }

    ::testing::AssertionResult HeightsSmooth() {
        for (int32_t x = kBoxLow; x < kBoxHigh; ++x) {
            for (int32_t y = kBoxLow; y < kBoxHigh; ++y) {
                const int32_t h = F(x, y).hoehe();
                for (int32_t dx = 0; dx <= 1; ++dx) {
                    for (int32_t dy = -1; dy <= 1; ++dy) {
                        const int32_t d = F(x + dx, y + dy).hoehe() - h;
                        if (d > 1 || d < -1) {
                            return ::testing::AssertionFailure()
                                   << "corner (" << x << ", " << y << ") jumps";
                        }
                    }
                }
            }
        }
        return ::testing::AssertionSuccess();
    }

    std::vector<std::pair<int32_t, int32_t>> stations_;
    int32_t next_building_ = 1;
};

TEST_F(BuilderGraphProperty, KeptGraphMatchesTheMapAfterRandomConstruction) {
    GS().cash[0] = 1000000000;
    for (const uint32_t seed : {3u, 99u, 2024u}) {
        plat::Srand(seed);
        for (int32_t op = 0; op < 1200; ++op) {
            switch (R(12)) {
                case 0:
                case 1:
                    PlannedWay();
                    break;
                case 2:
                case 3:
                    StraightWay();
                    break;
                case 4:
                    Bridge();
                    break;
                case 5:
                    Tunnel();
                    break;
                case 6:
                    Hill();
                    break;
                case 7:
                    Station();
                    break;
                case 8:
                    Extend();
                    break;
                case 9:
                    Depot();
                    break;
                default:
                    Demolish();
                    break;
            }
            if (op % 5 == 4) {
                ASSERT_TRUE(GraphMatchesMap(Net(), kBoxLow, kBoxLow, kBoxHigh, kBoxHigh))
                    << "seed " << seed << " op " << op;
                ASSERT_TRUE(HeightsSmooth()) << "seed " << seed << " op " << op;
            }
        }
    }
}

}  // namespace
