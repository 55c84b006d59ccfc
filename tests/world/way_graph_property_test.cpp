// The graph always matches the map: after random laying and removing of
// roads and tracks, kept up to date field by field through the linking
// operations, a graph built from scratch from the same map (same node
// fields) has exactly the same links.

#include <gtest/gtest.h>

#include "platform/random.h"
#include "world/way_piece_tables.h"
#include "world_fixture.h"

namespace {

constexpr int32_t kX0 = 100, kY0 = 100, kSize = 24;

class GraphPropertyTest : public WorldTest {
  protected:
    int32_t R(int32_t n) { return plat::Rand() % n; }

    // Roads change between gravel and asphalt in place; a track is never
    // laid over a track of another kind.
    static bool MayLayOver(int32_t present, int32_t laid) {
        return present == 0 || present == laid || (IsRoadWay(present) && IsRoadWay(laid));
    }

    // Lays a straight run of `wayType`, skipping fields it may not cover,
    // then re-fits and re-links every field around it.
    void LayRandomRun() {
        static constexpr int32_t kTypes[] = {kWayGravelRoad, kWayAsphaltRoad, kWayRail,
                                             kWayMonorail};
        const int32_t wayType = kTypes[R(4)];
        const bool alongX = R(2) == 0;
        const int32_t length = 1 + R(6);
        int32_t x = kX0 + 1 + R(kSize - 2), y = kY0 + 1 + R(kSize - 2);
        int32_t x0 = x, y0 = y, x1 = x, y1 = y;
        for (int32_t k = 0; k < length; ++k) {
            if (x >= kX0 + kSize - 1 || y >= kY0 + kSize - 1) break;
            MapField& field = F(x, y);
            if (MayLayOver(field.wegtyp(), wayType)) {
                if (field.wegtyp() != wayType) field.set_wegtyp(static_cast<uint32_t>(wayType));
                if (field.wegteil() == 0) field.set_wegteil(1);
            }
            x1 = x;
            y1 = y;
            alongX ? ++x : ++y;
        }
        RefitBox(x0 - 1, y0 - 1, x1 + 1, y1 + 1);
        RelinkBox(x0 - 1, y0 - 1, x1 + 1, y1 + 1);
    }

    // Links every way field of the box: node fields in all their directions,
    // plain fields through the nodes at the ends of their stretch.
    void RelinkBox(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
        for (int32_t x = x0; x <= x1; ++x) {
            for (int32_t y = y0; y <= y1; ++y) {
                const MapField& field = F(x, y);
                const uint8_t bits = field.richtung() | field.gleisr();
                for (int32_t i = 0; i < 4; ++i) {
                    if ((bits & DirBitFromIndex(i)) == 0) continue;
                    if (field.knoten()) {
                        Net().LinkFromField(x, y, DirBitFromIndex(i));
                    } else {
                        Net().RelinkField(x, y, DirBitFromIndex(i));
                    }
                }
            }
        }
    }

    // Removes the way of one field as demolition does: the node goes, or the
    // stretch is unlinked at both ends; then the neighbours are re-fitted.
    void RemoveRandomField() {
        const int32_t x = kX0 + 1 + R(kSize - 2), y = kY0 + 1 + R(kSize - 2);
        MapField& field = F(x, y);
        if (field.wegtyp() == 0) return;
        if (field.knoten() && field.knotennummer() != 0) {
            Net().DeleteNode(field.knotennummer());
        } else {
            for (const uint8_t bits : {field.gleisr(), field.richtung()}) {
                for (int32_t i = 0; i < 4; ++i) {
                    if (bits & DirBitFromIndex(i)) Net().UnlinkFromField(x, y, DirBitFromIndex(i));
                }
            }
        }
        field.set_wegteil(0);
        field.set_wegtyp(0);
        field.set_richtung(0);
        field.set_gleisr(0);
        field.set_knoten(false);
        field.set_knotennummer(0);
        RefitBox(x - 1, y - 1, x + 1, y + 1);
    }

    // Compares the kept graph with one built from the map alone.
    ::testing::AssertionResult MatchesRebuild() {
        return GraphMatchesMap(Net(), kX0 - 1, kY0 - 1, kX0 + kSize, kY0 + kSize);
    }
};

TEST_F(GraphPropertyTest, IncrementalGraphMatchesAFreshBuild) {
    for (uint32_t seed : {1u, 77u, 4242u, 90210u, 31337u}) {
        plat::Srand(seed);
        for (int32_t op = 0; op < 2000; ++op) {
            if (R(3) == 0) {
                RemoveRandomField();
            } else {
                LayRandomRun();
            }
            if (op % 25 == 24) {
                ASSERT_TRUE(MatchesRebuild()) << "seed " << seed << " op " << op;
            }
        }
        // Clear the area for the next seed.
        for (int32_t x = kX0; x < kX0 + kSize; ++x) {
            for (int32_t y = kY0; y < kY0 + kSize; ++y) {
                if (F(x, y).knotennummer() != 0) Net().DeleteNode(F(x, y).knotennummer());
                F(x, y) = MapField{};
                F(x, y).set_teile_art(1);
            }
        }
        ASSERT_EQ(Net().NodeCount(), 0);
    }
}

}  // namespace
