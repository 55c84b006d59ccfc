#include "support/way_graph_check.h"

#include "state/map_field.h"

::testing::AssertionResult GraphMatchesMap(const CWayNetwork& network, int32_t x0, int32_t y0,
                                           int32_t x1, int32_t y1, bool flags) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, kMapSize - 1);
    y1 = std::min(y1, kMapSize - 1);
    CWayNetwork rebuilt;
    for (int32_t x = x0; x <= x1; ++x) {
        for (int32_t y = y0; y <= y1; ++y) {
            const int32_t n = FieldAt(x, y)->knotennummer();
            if (n == 0) continue;
            if (network.Node(n) == nullptr || rebuilt.nodes[n] != nullptr) {
                return ::testing::AssertionFailure()
                       << "field node " << n << " at " << x << "," << y << " is not kept";
            }
            rebuilt.nodes[n] = new WayNode{{}, {}, {}, {255, 255, 255, 255}};
        }
    }
    const int32_t nodes = rebuilt.NodeCount();
    if (nodes != network.NodeCount()) {
        return ::testing::AssertionFailure()
               << network.NodeCount() << " nodes kept, " << nodes << " on the map";
    }
    for (int32_t x = x0; x <= x1; ++x) {
        for (int32_t y = y0; y <= y1; ++y) {
            const MapField& field = *FieldAt(x, y);
            const uint8_t bits = field.richtung() | field.gleisr();
            for (int32_t i = 0; i < 4 && field.knoten(); ++i) {
                if (bits & DirBitFromIndex(i)) rebuilt.LinkFromField(x, y, DirBitFromIndex(i));
            }
        }
    }
    if (rebuilt.NodeCount() != nodes) {
        return ::testing::AssertionFailure() << "the rebuild needed new nodes";
    }
    for (int32_t n = 1; n < kWayNodeSlots; ++n) {
        const WayNode* kept = network.Node(n);
        const WayNode* built = rebuilt.Node(n);
        for (int32_t i = 0; kept != nullptr && i < 4; ++i) {
            const bool same =
                kept->ziel[i] == built->ziel[i] &&
                (kept->ziel[i] == 0 ||
                 (kept->cost[i] == built->cost[i] && kept->back[i] == built->back[i] &&
                  (!flags || kept->belegt[i] == built->belegt[i])));
            if (!same) {
                return ::testing::AssertionFailure()
                       << "node " << n << " direction " << i << ": kept " << kept->ziel[i]
                       << " (cost " << kept->cost[i] << "), rebuilt " << built->ziel[i] << " (cost "
                       << built->cost[i] << ")";
            }
        }
    }
    return MirrorInvariantHolds(network, flags);
}

::testing::AssertionResult MirrorInvariantHolds(const CWayNetwork& network, bool flags) {
    for (int32_t a = 1; a < kWayNodeSlots; ++a) {
        const WayNode* node = network.Node(a);
        for (int32_t i = 0; node != nullptr && i < 4; ++i) {
            const int32_t b = node->ziel[i];
            if (b == 0) continue;
            const WayNode* other = network.Node(b);
            if (other == nullptr) {
                return ::testing::AssertionFailure() << "node " << a << " links to free " << b;
            }
            const int32_t j = node->back[i];
            if (j > 3 || other->ziel[j] != a || other->back[j] != i ||
                other->cost[j] != node->cost[i] || (flags && other->belegt[j] != node->belegt[i])) {
                return ::testing::AssertionFailure()
                       << "link " << a << "[" << i << "] -> " << b << " has no mirror";
            }
        }
    }
    return ::testing::AssertionSuccess();
}
