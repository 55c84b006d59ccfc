// The builders at the map's edges: rows and columns 0, 1, 254 and 255. Every
// neighbour read there goes through the bounds-checked field accessor (the
// sanitizer build catches any other read), and the graph keeps matching the
// map.

#include <cstdlib>

#include "construction_fixture.h"
#include "platform/random.h"

namespace {

class MapEdgeBuilders : public ConstructionTest {
  protected:
    int32_t R(int32_t n) { return plat::Rand() % n; }
    // A coordinate within six fields of either edge.
    int32_t EdgeCoord() { return R(2) == 0 ? R(7) : 249 + R(7); }
    int32_t AnyCoord() { return R(256); }
    void Pick(int32_t& x, int32_t& y) {
        if (R(2) == 0) {
            x = EdgeCoord();
            y = AnyCoord();
        } else {
            x = AnyCoord();
            y = EdgeCoord();
        }
    }
    int32_t Clip(int32_t v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

    void Way() {
        int32_t x = 0, y = 0;
        Pick(x, y);
        const int32_t length = R(6) - 3;
        const bool alongX = R(2) == 0;
        static constexpr int32_t kTypes[] = {kWayGravelRoad, kWayAsphaltRoad, kWayRail,
                                             kWayMonorail};
        const int32_t type = kTypes[R(4)];
        const int32_t x2 = alongX ? Clip(x + length) : x;
        const int32_t y2 = alongX ? y : Clip(y + length);
        if (x2 == x && y2 == y) return;
        if (IsRoadWay(type)) {
            DragRoad(x, y, x2, y2, type);
        } else {
            DragTrack(x, y, x2, y2, type);
        }
    }

    void Bridge() {
        int32_t x = 0, y = 0;
        Pick(x, y);
        const int32_t length = R(8) - 4;
        Net().SetWayType(static_cast<uint8_t>(kWayGravelRoad + R(3) - 1));
        if (R(2) == 0) {
            Net().BuildBridge(x, y, Clip(x + length), y, 0);
        } else {
            Net().BuildBridge(x, y, x, Clip(y + length), 0);
        }
    }

    void Tunnel() {
        int32_t x = 0, y = 0;
        Pick(x, y);
        Net().SetWayType(static_cast<uint8_t>(kWayGravelRoad + R(3) - 1));
        Net().BuildTunnel(x, y);
    }

    void Land() {
        int32_t x = 0, y = 0;
        Pick(x, y);
        const bool raise = R(3) == 0;
        const int32_t preview =
            raise ? Terrain().PreviewRaiseCost(x, y) : Terrain().PreviewLowerCost(x, y);
        const int64_t cash = Cash();
        if (raise) {
            Terrain().RaiseLand(x, y, 0);
        } else {
            Terrain().LowerLand(x, y, 0);
        }
        EXPECT_EQ(preview < 0 ? 0 : preview * 1000, cash - Cash()) << x << ", " << y;
    }

    void Demolish() {
        int32_t x = 0, y = 0;
        Pick(x, y);
        int32_t cx = x + R(7) - 3, cy = y + R(7) - 3;
        Terrain().DemolishArea(x, y, cx, cy);
    }

    void Building() {
        int32_t x = 0, y = 0;
        Pick(x, y);
        const int32_t type = R(10);
        const int32_t w = type >= 6 ? (type == 6 || type == 8 ? 4 : 2) : 1;
        const int32_t h = type >= 6 ? 6 - w : 1;
        GS().selected_building_type = type >= 6 ? 6 : type <= 3 ? 0 : type;
        GS().build_orientation = type >= 6 ? type - 6 : type <= 3 ? type : 0;
        if (Helper().CanBuildHere(x, y, w, h) == 1 && type != 4 && type != 5) {
            int32_t slot = 1;
            while (slot < kBuildingSlots - 1 && Services().buildings.buildings[slot] != nullptr) {
                ++slot;
            }
            Place(slot, type, x, y);
            placed_.emplace_back(x, y);
        }
        if (!placed_.empty()) {
            const auto [sx, sy] = placed_[R(static_cast<int32_t>(placed_.size()))];
            Helper().ExtendStation(sx, sy);
            Helper().ExtendStation(sx + 1, sy + 1);
        }
        for (const int32_t kind : {21, 27, 28, 31}) {
            GS().selected_building_type = kind;
            Helper().CanBuildHere(x, y, 2, 2);
            Helper().CheckAttractionSite(x, y);
        }
    }

    // Every corner within one step of its eight neighbours, edges included.
    ::testing::AssertionResult HeightsSmooth() {
        for (int32_t x = 0; x < 256; ++x) {
            for (int32_t y = 0; y < 256; ++y) {
                const int32_t h = F(x, y).hoehe();
                for (const auto& [dx, dy] :
                     {std::pair{1, -1}, std::pair{1, 0}, std::pair{1, 1}, std::pair{0, 1}}) {
                    const MapField* n = FieldAt(x + dx, y + dy);
                    if (n != nullptr && std::abs(n->hoehe() - h) > 1) {
                        return ::testing::AssertionFailure()
                               << "corner (" << x << ", " << y << ") jumps";
                    }
                }
            }
        }
        return ::testing::AssertionSuccess();
    }

    std::vector<std::pair<int32_t, int32_t>> placed_;
};

TEST_F(MapEdgeBuilders, RandomConstructionAlongTheEdgesStaysInsideTheMap) {
    GS().cash[0] = 1000000000;
    // Ridges along every edge, one touching it: ramps for tunnels, some of
    // which would reach the border.
    SetHeights(0, 2, 255, 3, 3);
    SetHeights(0, 252, 255, 253, 3);
    SetHeights(2, 0, 3, 255, 3);
    SetHeights(252, 0, 253, 255, 3);
    SetHeights(0, 0, 120, 0, 3);
    SetHeights(0, 0, 0, 120, 3);
    for (const uint32_t seed : {7u, 4242u}) {
        plat::Srand(seed);
        for (int32_t op = 0; op < 1500; ++op) {
            switch (R(6)) {
                case 0:
                    Way();
                    break;
                case 1:
                    Bridge();
                    break;
                case 2:
                    Tunnel();
                    break;
                case 3:
                    Land();
                    break;
                case 4:
                    Demolish();
                    break;
                default:
                    Building();
                    break;
            }
            if (op % 50 == 49) {
                ASSERT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255))
                    << "seed " << seed << " op " << op;
                ASSERT_TRUE(HeightsSmooth()) << "seed " << seed << " op " << op;
            }
        }
    }
}

}  // namespace
