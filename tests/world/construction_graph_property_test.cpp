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

    // A segment laid straight through one layer; a refusal changes nothing.
    // A laid segment is dragged once more along the same fields, which
    // changes nothing more but joins it to the network as the path driver
    // does.
    void Segment() {
        const int32_t a = Coord(), c = Coord(), b = std::min(kHigh, a + R(6));
        static constexpr int32_t kTypes[] = {kWayGravelRoad, kWayAsphaltRoad, kWayRail,
                                             kWayMonorail};
        const int32_t type = kTypes[R(4)];
        const bool alongX = R(2) == 0;
        Net().SetWayType(static_cast<uint8_t>(type - 1));
        const WorldSnapshot before = TakeSnapshot();
        int32_t laid = 0;
        if (IsRoadWay(type)) {
            laid = alongX ? Net().LayRoadAlongX(a, b, c) : Net().LayRoadAlongY(a, b, c);
        } else {
            laid = alongX ? Net().LayTrackAlongX(a, b, c, 0) : Net().LayTrackAlongY(a, b, c, 0);
        }
        if (laid == 0) {
            EXPECT_TRUE(SameWorld(before, TakeSnapshot()));
            ++refusal_checks_;
            return;
        }
        const int32_t x1 = alongX ? a : c, y1 = alongX ? c : a;
        const int32_t x2 = alongX ? b : c, y2 = alongX ? c : b;
        if (IsRoadWay(type)) {
            DragRoad(x1, y1, x2, y2, type);
        } else {
            DragTrack(x1, y1, x2, y2, type);
        }
    }

    void Bridge() {
        const int32_t x = Coord(), y = Coord(), length = 1 + R(6);
        static constexpr int32_t kTypes[] = {kWayGravelRoad, kWayAsphaltRoad, kWayRail};
        Net().SetWayType(static_cast<uint8_t>(kTypes[R(3)] - 1));
        const WorldSnapshot before = TakeSnapshot();
        const int32_t built = R(2) == 0
                                  ? Net().BuildBridge(x, y, std::min(kHigh, x + length), y, 0)
                                  : Net().BuildBridge(x, std::min(kHigh, y + length), x, y, 0);
        if (built == 0) {
            EXPECT_TRUE(SameWorld(before, TakeSnapshot()));
            ++refusal_checks_;
        }
    }

    void Tunnel() {
        static constexpr int32_t kTypes[] = {kWayGravelRoad, kWayRail, kWayMonorail};
        Net().SetWayType(static_cast<uint8_t>(kTypes[R(3)] - 1));
        for (int32_t tries = 0; tries < 40; ++tries) {
            const int32_t x = Coord(), y = Coord();
            const int32_t slope = F(x, y).teile_diff();
            if (slope >= 1 && slope <= 4) {
                const WorldSnapshot before = TakeSnapshot();
                if (Net().BuildTunnel(x, y) == 0) {
                    EXPECT_TRUE(SameWorld(before, TakeSnapshot(), true));
                    ++refusal_checks_;
                }
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
        Place(FreeSlot(), type, x, y);
    }

    void Extend() {
        if (stations_.empty()) return;
        const auto [x, y] = stations_[R(static_cast<int32_t>(stations_.size()))];
        const WorldSnapshot before = TakeSnapshot();
        if (Helper().ExtendStation(x, y) != 0) {
            EXPECT_TRUE(SameWorld(before, TakeSnapshot()));
            ++refusal_checks_;
        }
    }

    void Depot() {
        const int32_t type = R(4);
        const int32_t x = Coord(), y = Coord();
        GS().selected_building_type = 0;
        GS().build_orientation = type;
        if (Helper().CanBuildHere(x, y, 1, 1) != 1) return;
        Place(FreeSlot(), type, x, y);
    }

    void Demolish() {
        const int32_t x = Coord(), y = Coord();
        int32_t cx = x + R(5) - 2, cy = y + R(5) - 2;
        Terrain().DemolishArea(x, y, cx, cy);
    }

    // Every direction mask and node mark is what a re-fit gives: no builder
    // leaves a neighbour's mask behind the change of a way beside it.
    ::testing::AssertionResult MasksAreRefitted() {
        const std::vector<MapField> kept(GS().fields, GS().fields + kMapFieldCount);
        for (int32_t x = kBoxLow; x <= kBoxHigh; ++x) {
            for (int32_t y = kBoxLow; y <= kBoxHigh; ++y) Helper().UpdateWayPiecesAround(x, y);
        }
        ::testing::AssertionResult result = ::testing::AssertionSuccess();
        for (int32_t x = kBoxLow; x <= kBoxHigh && result; ++x) {
            for (int32_t y = kBoxLow; y <= kBoxHigh && result; ++y) {
                const MapField& a = kept[FieldIndex(x, y)];
                const MapField& b = F(x, y);
                if (a.richtung() != b.richtung() || a.gleisr() != b.gleisr() ||
                    a.knoten() != b.knoten()) {
                    result = ::testing::AssertionFailure()
                             << "mask of (" << x << ", " << y << ") is not re-fitted";
                }
            }
        }
        std::copy(kept.begin(), kept.end(), GS().fields);
        return result;
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
    int32_t refusal_checks_ = 0;
    int32_t last_kind_ = 0;  // the operation last run, for the failure message
    // The lowest free slot of the building table (demolished ones come back).
    int32_t FreeSlot() {
        int32_t slot = 1;
        while (slot < kBuildingSlots - 1 && Services().buildings.buildings[slot] != nullptr) ++slot;
        return slot;
    }
};

TEST_F(BuilderGraphProperty, KeptGraphMatchesTheMapAfterRandomConstruction) {
    GS().cash[0] = 1000000000;
    for (const uint32_t seed : {3u, 99u, 2024u}) {
        plat::Srand(seed);
        for (int32_t op = 0; op < 800; ++op) {
            last_kind_ = R(13);
            switch (last_kind_) {
                case 12:
                    Segment();
                    break;
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
                    << "seed " << seed << " op " << op << " kind " << last_kind_;
                ASSERT_TRUE(MasksAreRefitted())
                    << "seed " << seed << " op " << op << " kind " << last_kind_;
                ASSERT_TRUE(HeightsSmooth()) << "seed " << seed << " op " << op;
            }
        }
    }
    EXPECT_GT(refusal_checks_, 100);
}

}  // namespace
