// Single-source cheapest-path search over the way network. The vehicles read
// prev and dir of the route records afterwards, so the order in which this
// search settles nodes is part of the game's behaviour: a new open-list entry
// goes in front of the first entry that costs more (equal costs behind), a
// lowered entry keeps its place, and directions are relaxed N, E, S, W.

#include <cstdint>

#include "world/way_network.h"

static_assert(RouteOpenList::kSlots == kWayNodeSlots);

void CWayNetwork::InsertOpenList(int32_t node, int32_t cost) {
    if (node < 1 || node >= kWayNodeSlots || open_list_.Listed(node)) return;
    open_list_.Insert(node, cost);
}

int32_t CWayNetwork::UpdateOpenList(int32_t node, int32_t cost) {
    if (node < 1 || node >= kWayNodeSlots) return 0;
    if (open_list_.Listed(node)) {
        if (open_list_.Cost(node) < cost) return 0;
        open_list_.Lower(node, cost);  // the entry keeps its position
        return 1;
    }
    open_list_.Insert(node, cost);
    return 1;
}

int32_t CWayNetwork::PopOpenList() {
    return open_list_.Pop();
}

void CWayNetwork::FindRoutes(int32_t start) {
    SearchRoutes(start, 0);
}

void CWayNetwork::FindRoutesExcluding(int32_t start, int32_t excluded) {
    SearchRoutes(start, excluded);
}

void CWayNetwork::SearchRoutes(int32_t start, int32_t excluded) {
    for (int32_t n = 1; n < kWayNodeSlots; ++n) routes[n] = {kUnreachedDist, 0, -1};
    if (start <= 0 || start >= kWayNodeSlots) return;

    UpdateOpenList(start, 0);
    routes[start].prev = 0;
    while (!open_list_.Empty()) {
        const int32_t u = PopOpenList();
        RouteRecord& settled = routes[u];
        settled.dist = (u == start) ? 0 : -settled.dist;
        const WayNode* node = nodes[u];
        if (node == nullptr) continue;
        for (int32_t i = 0; i < 4; ++i) {
            const int32_t v = node->ziel[i];
            if (v <= 0 || v >= kWayNodeSlots) continue;
            if (excluded != 0) {
                if (v == excluded) continue;
                if (u == excluded && node->belegt[i] == 1) continue;
            }
            if (routes[v].dist >= 0) continue;
            // Saturated so that no sum of costs overflows.
            const int64_t sum = int64_t{node->cost[i]} + settled.dist;
            const int32_t newcost = sum > INT32_MAX ? INT32_MAX : static_cast<int32_t>(sum);
            const bool listed = open_list_.Listed(v);
            if (UpdateOpenList(v, newcost) == 1) {
                routes[v] = {-newcost, u, i};
                // Its links are read when it is settled, some entries later.
                if (!listed) __builtin_prefetch(nodes[v]);
            }
        }
    }
}
