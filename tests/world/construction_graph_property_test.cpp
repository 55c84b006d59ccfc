// Random sequences of every builder (ways along planned and straight paths,
// bridges, tunnels, land changes, stations and their extension, depots,
// attraction checks, demolition), in the middle of the map and along its
// edges where every neighbour read must be bounds-checked: the kept graph
// always matches one linked from scratch, masks are re-fitted, corners stay
// smooth, a refused action changes nothing and a preview prices exactly.

#include <algorithm>
#include <cstdlib>

#include "construction_fixture.h"
#include "platform/random.h"

namespace {

class BuilderGraphProperty : public ConstructionTest {
  protected:
    int32_t R(int32_t n) { return plat::Rand() % n; }
    int32_t Clip(int32_t v) { return std::clamp(v, lo_, hi_); }
    // Inside the box, or within six fields of an edge.
    void Pick(int32_t& x, int32_t& y) {
        if (!edges_) {
            x = lo_ + R(hi_ - lo_);
            y = lo_ + R(hi_ - lo_);
            return;
        }
        const int32_t edge = R(2) == 0 ? R(7) : 249 + R(7);
        const bool onX = R(2) == 0;
        x = onX ? edge : R(256);
        y = onX ? R(256) : edge;
    }
    int32_t WayType() {
        static constexpr int32_t kTypes[] = {kWayGravelRoad, kWayAsphaltRoad, kWayRail, kWayRail,
                                             kWayMonorail};
        return kTypes[R(5)];
    }
    // A builder answering 0 when it refuses must then leave the world as it
    // was (view marks aside where the builder sets them).
    template <typename Build>
    void Refusable(Build build, bool ignoreViewBits = false) {
        const WorldSnapshot before = TakeSnapshot();
        if (build() == 0) {
            EXPECT_TRUE(SameWorld(before, TakeSnapshot(), ignoreViewBits));
            ++refusal_checks_;
        }
    }
    void PlannedWay() {
        int32_t x1 = 0, y1 = 0;
        Pick(x1, y1);
        const int32_t x2 = Clip(x1 + R(9) - 4), y2 = Clip(y1 + R(9) - 4);
        const int32_t type = WayType();
        Net().SetWayType(static_cast<uint8_t>(type - 1));
        if (IsRoadWay(type) && Net().PlanRoadPath(x1, y1, x2, y2) != 0) {
            Net().LayRoadAlongPath(x1, y1, x2, y2);
        } else if (!IsRoadWay(type) && Net().PlanTrackPath(x1, y1, x2, y2) != 0) {
            Net().LayTrackAlongPath(x1, y1, x2, y2);
        }
    }
    // A straight drag, or a segment laid through one layer and then dragged
    // along the same fields, which joins it to the network as the path
    // driver does.
    void StraightWay() {
        int32_t x = 0, y = 0;
        Pick(x, y);
        const int32_t type = WayType();
        const bool alongX = R(2) == 0;
        int32_t x2 = x, y2 = y;
        (alongX ? x2 : y2) = Clip((alongX ? x : y) + R(15) - 7);
        if (R(3) == 0) {
            Net().SetWayType(static_cast<uint8_t>(type - 1));
            bool laid = false;
            Refusable([&] {
                const int32_t a = alongX ? x : y, b = alongX ? x2 : y2, c = alongX ? y : x;
                const int32_t done = IsRoadWay(type) ? (alongX ? Net().LayRoadAlongX(a, b, c)
                                                               : Net().LayRoadAlongY(a, b, c))
                                                     : (alongX ? Net().LayTrackAlongX(a, b, c, 0)
                                                               : Net().LayTrackAlongY(a, b, c, 0));
                laid = done != 0;
                return done;
            });
            if (!laid) return;
        }
        if (x2 == x && y2 == y) return;
        IsRoadWay(type) ? DragRoad(x, y, x2, y2, type) : DragTrack(x, y, x2, y2, type);
    }
    void BridgeOrTunnel() {
        int32_t x = 0, y = 0;
        Pick(x, y);
        if (R(2) == 0) {
            const int32_t length = R(13) - 6;
            Net().SetWayType(static_cast<uint8_t>(kWayGravelRoad + R(3) - 1));
            const bool alongX = R(2) == 0;
            Refusable([&] {
                return alongX ? Net().BuildBridge(x, y, Clip(x + length), y, 0)
                              : Net().BuildBridge(x, y, x, Clip(y + length), 0);
            });
            return;
        }
        static constexpr int32_t kTypes[] = {kWayGravelRoad, kWayRail, kWayMonorail};
        Net().SetWayType(static_cast<uint8_t>(kTypes[R(3)] - 1));
        for (int32_t tries = 0; tries < 40; ++tries, Pick(x, y)) {
            const int32_t slope = F(x, y).teile_diff();
            if (slope >= 1 && slope <= 4) {
                Refusable([&] { return Net().BuildTunnel(x, y); }, true);
                return;
            }
        }
    }
    void Land() {
        int32_t x = 0, y = 0;
        Pick(x, y);
        for (int32_t k = 0; k < 1 + R(3); ++k) {
            const bool raise = R(4) != 0;
            const int32_t preview =
                raise ? Terrain().PreviewRaiseCost(x, y) : Terrain().PreviewLowerCost(x, y);
            const int64_t cash = Cash();
            raise ? Terrain().RaiseLand(x, y, 0) : Terrain().LowerLand(x, y, 0);
            EXPECT_EQ(preview < 0 ? 0 : preview * 1000, cash - Cash()) << x << ", " << y;
        }
        Services().panel.brush_size = 2 + R(3);  // and a brush step
        const int32_t preview = Terrain().GetRaiseCost(x, y);
        const int64_t cash = Cash();
        Terrain().EditRaiseLand(x, y);
        EXPECT_TRUE(preview < 0 || preview * 1000 == cash - Cash()) << x << ", " << y;
        Services().panel.brush_size = 1;
    }
    // A depot (types 0..3) or a station (6..9) where the check allows it,
    // or the extension of a station; then the sites of stores and
    // attractions are checked there.
    void Building() {
        if (!stations_.empty() && R(2) == 0) {
            const auto [x, y] = stations_[R(static_cast<int32_t>(stations_.size()))];
            const int32_t d = R(2);
            Refusable([&] { return Helper().ExtendStation(x + d, y + d) == 0 ? 1 : 0; });
            return;
        }
        int32_t x = 0, y = 0;
        Pick(x, y);
        const int32_t type = R(10);
        const bool station = type >= 6;
        const int32_t w = station ? (type == 6 || type == 8 ? 4 : 2) : 1;
        GS().selected_building_type = station ? 6 : type <= 3 ? 0 : type;
        GS().build_orientation = station ? type - 6 : type <= 3 ? type : 0;
        if (Helper().CanBuildHere(x, y, w, station ? 6 - w : 1) == 1 && type != 4 && type != 5) {
            int32_t slot = 1;
            while (slot < kBuildingSlots - 1 && Services().buildings.buildings[slot]) ++slot;
            Place(slot, type, x, y);
            if (station) stations_.emplace_back(x, y);
        }
        for (const int32_t kind : {21, 27, 28, 31}) {
            GS().selected_building_type = kind;
            Helper().CanBuildHere(x, y, 2, 2);
            Helper().CheckAttractionSite(x, y);
        }
    }
    void Demolish() {
        int32_t x = 0, y = 0;
        Pick(x, y);
        int32_t cx = x + R(7) - 3, cy = y + R(7) - 3;  // the area's far corner
        Terrain().DemolishArea(x, y, cx, cy);
    }
    // Every direction mask and node mark is what a re-fit gives: no builder
    // leaves a neighbour's mask behind the change of a way beside it.
    ::testing::AssertionResult MasksAreRefitted() {
        const std::vector<MapField> kept(GS().fields, GS().fields + kMapFieldCount);
        for (int32_t x = lo_ - 25; x <= hi_ + 25; ++x) {
            for (int32_t y = lo_ - 25; y <= hi_ + 25; ++y) Helper().UpdateWayPiecesAround(x, y);
        }
        ::testing::AssertionResult result = ::testing::AssertionSuccess();
        for (int32_t i = 0; i < kMapFieldCount && result; ++i) {
            const MapField& a = kept[i];
            const MapField& b = GS().fields[i];
            if (a.richtung() != b.richtung() || a.gleisr() != b.gleisr() ||
                a.knoten() != b.knoten()) {
                result = ::testing::AssertionFailure() << "mask of field " << i << " not re-fitted";
            }
        }
        std::copy(kept.begin(), kept.end(), GS().fields);
        return result;
    }
    void Run(std::initializer_list<uint32_t> seeds, int32_t ops, int32_t every) {
        GS().cash[0] = 1000000000;
        using B = BuilderGraphProperty;
        static constexpr void (B::*kOps[])() = {
            &B::PlannedWay,  &B::PlannedWay,     &B::StraightWay,    &B::StraightWay,
            &B::StraightWay, &B::BridgeOrTunnel, &B::BridgeOrTunnel, &B::Land,
            &B::Building,    &B::Building,       &B::Demolish,       &B::Demolish};
        const int32_t box0 = edges_ ? 0 : lo_ - 25, box1 = edges_ ? 255 : hi_ + 25;
        for (const uint32_t seed : seeds) {
            plat::Srand(seed);
            for (int32_t op = 0; op < ops; ++op) {
                const int32_t kind = R(static_cast<int32_t>(std::size(kOps)));
                (this->*kOps[kind])();
                if (op % every != every - 1) continue;
                const auto where = ::testing::Message()
                                   << "seed " << seed << " op " << op << " kind " << kind;
                ASSERT_TRUE(GraphMatchesMap(Net(), box0, box0, box1, box1)) << where;
                ASSERT_TRUE(edges_ || MasksAreRefitted()) << where;
                ASSERT_TRUE(HeightsSmooth(box0, box0, box1, box1)) << where;
            }
        }
    }
    bool edges_ = false;
    int32_t lo_ = 50, hi_ = 90;  // where the builders act in the middle
    std::vector<std::pair<int32_t, int32_t>> stations_;
    int32_t refusal_checks_ = 0;
};

TEST_F(BuilderGraphProperty, KeptGraphMatchesTheMapAfterRandomConstruction) {
    Run({3u, 99u, 2024u}, 800, 5);
    EXPECT_GT(refusal_checks_, 100);
}

TEST_F(BuilderGraphProperty, RandomConstructionAlongTheEdgesStaysInsideTheMap) {
    // Ridges along every edge, one touching it: ramps for tunnels, some of
    // which would reach the border.
    SetHeights(0, 2, 255, 3, 3);
    SetHeights(0, 252, 255, 253, 3);
    SetHeights(2, 0, 3, 255, 3);
    SetHeights(252, 0, 253, 255, 3);
    SetHeights(0, 0, 120, 0, 3);
    SetHeights(0, 0, 0, 120, 3);
    edges_ = true;
    lo_ = 0;
    hi_ = 255;
    Run({7u, 4242u}, 1500, 50);
}

}  // namespace
