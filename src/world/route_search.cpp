// Single-source cheapest-path search over the way network. The vehicles read
// prev and dir of the route records afterwards, so the order in which this
// search settles nodes is part of the game's behaviour: the open list is a
// linked list kept in insertion order by cost (equal costs behind), a lowered
// entry keeps its place, and directions are relaxed N, E, S, W.

#include <cstdint>

#include "world/way_network.h"

void CWayNetwork::InsertOpenList(int32_t node, int32_t cost) {
    if (node < 1 || node >= kWayNodeSlots || listed_[node]) return;
    OpenListEntry* entry = &open_entries_[node];
    entry->node = node;
    entry->cost = cost;
    listed_[node] = true;
    if (open_list == nullptr || cost < open_list->cost) {
        entry->next = open_list;
        open_list = entry;
        return;
    }
    OpenListEntry* before = open_list;
    while (before->next != nullptr && before->next->cost <= cost) before = before->next;
    entry->next = before->next;
    before->next = entry;
}

int32_t CWayNetwork::UpdateOpenList(int32_t node, int32_t cost) {
    if (node < 1 || node >= kWayNodeSlots) return 0;
    if (listed_[node]) {
        OpenListEntry& entry = open_entries_[node];
        if (entry.cost < cost) return 0;
        entry.cost = cost;  // lowered in place: the entry keeps its position
        return 1;
    }
    InsertOpenList(node, cost);
    return 1;
}

int32_t CWayNetwork::PopOpenList() {
    OpenListEntry* first = open_list;
    if (first == nullptr) return 0;
    open_list = first->next;
    first->next = nullptr;
    listed_[first->node] = false;
    return first->node;
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
    while (open_list != nullptr) {
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
            if (UpdateOpenList(v, newcost) == 1) {
                routes[v] = {-newcost, u, i};
            }
        }
    }
}
