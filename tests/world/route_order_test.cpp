// The route search's open list takes entries out in exactly the order of a
// plain linked list (a new entry in front of the first that costs more, a
// lowered entry keeping its place), and the search over random networks
// settles the same nodes in the same order, with the same route records, as
// a plain search over such a list.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/random.h"
#include "world/route_open_list.h"
#include "world/way_network.h"

namespace {

// The open list as a plain singly linked list, walked on every insertion.
class PlainOpenList {
  public:
    bool Empty() const { return first_ == 0; }
    bool Listed(int32_t node) const { return listed_[node]; }
    int32_t Cost(int32_t node) const { return cost_[node]; }
    void Insert(int32_t node, int32_t cost) {
        cost_[node] = cost;
        listed_[node] = true;
        if (first_ == 0 || cost < cost_[first_]) {
            next_[node] = first_;
            first_ = node;
            return;
        }
        int32_t before = first_;
        while (next_[before] != 0 && cost_[next_[before]] <= cost) before = next_[before];
        next_[node] = next_[before];
        next_[before] = node;
    }
    void Lower(int32_t node, int32_t cost) { cost_[node] = cost; }
    int32_t Pop() {
        const int32_t node = first_;
        first_ = next_[node];
        listed_[node] = false;
        return node;
    }

  private:
    int32_t first_ = 0;
    std::vector<int32_t> next_ = std::vector<int32_t>(kWayNodeSlots);
    std::vector<int32_t> cost_ = std::vector<int32_t>(kWayNodeSlots);
    std::vector<bool> listed_ = std::vector<bool>(kWayNodeSlots);
};

int32_t RandBetween(int32_t low, int32_t high) {
    const int64_t span = int64_t{high} - low + 1;
    const int64_t r = int64_t{plat::Rand()} << 15 | plat::Rand();
    return static_cast<int32_t>(low + r % span);
}

// Costs drawn from a narrow band (many equal costs), a wide one, or the
// ends of the range.
int32_t RandomCost(int32_t kind) {
    switch (kind) {
        case 0:
            return RandBetween(0, 6);
        case 1:
            return RandBetween(0, 100000);
        default:
            return plat::Rand() % 2 == 0 ? RandBetween(INT32_MIN, INT32_MIN + 3)
                                         : RandBetween(INT32_MAX - 3, INT32_MAX);
    }
}

TEST(RouteOpenListTest, RandomOperationsTakeEntriesOutInThePlainListsOrder) {
    plat::Srand(41);
    for (int32_t round = 0; round < 60; ++round) {
        auto fast = std::make_unique<RouteOpenList>();
        PlainOpenList plain;
        const int32_t kind = round % 3;
        const int32_t nodes = round % 2 == 0 ? 40 : kMaxWayNodes;
        std::vector<int32_t> listed;
        for (int32_t step = 0; step < 6000; ++step) {
            const int32_t op = plat::Rand() % 10;
            if (op < 4) {
                const int32_t node = RandBetween(1, nodes);
                if (plain.Listed(node)) continue;
                const int32_t cost = RandomCost(kind);
                fast->Insert(node, cost);
                plain.Insert(node, cost);
                listed.push_back(node);
            } else if (op < 7 && !listed.empty()) {
                const int32_t node = listed[plat::Rand() % listed.size()];
                if (!plain.Listed(node)) continue;
                const int32_t cost = plat::Rand() % 4 == 0
                                         ? plain.Cost(node)
                                         : RandBetween(std::min(RandomCost(kind), plain.Cost(node)),
                                                       plain.Cost(node));
                fast->Lower(node, cost);
                plain.Lower(node, cost);
            } else if (!plain.Empty()) {
                ASSERT_EQ(fast->Pop(), plain.Pop()) << "round " << round << " step " << step;
            }
            ASSERT_EQ(fast->Empty(), plain.Empty());
        }
        while (!plain.Empty()) ASSERT_EQ(fast->Pop(), plain.Pop()) << "round " << round;
        EXPECT_TRUE(fast->Empty());
        EXPECT_EQ(fast->Pop(), 0);
    }
}

// The search loop of the network over a given open list, as it settles
// nodes; route records as the network keeps them.
template <typename List>
std::vector<int32_t> PlainSearch(const CWayNetwork& network, int32_t start, int32_t excluded,
                                 List& list, std::vector<RouteRecord>& routes) {
    routes.assign(kWayNodeSlots, RouteRecord{kUnreachedDist, 0, -1});
    std::vector<int32_t> settled;
    list.Insert(start, 0);
    while (!list.Empty()) {
        const int32_t u = list.Pop();
        settled.push_back(u);
        routes[u].dist = u == start ? 0 : -routes[u].dist;
        const WayNode* node = network.Node(u);
        if (node == nullptr) continue;
        for (int32_t i = 0; i < 4; ++i) {
            const int32_t v = node->ziel[i];
            if (v <= 0 || v >= kWayNodeSlots) continue;
            if (excluded != 0 && (v == excluded || (u == excluded && node->belegt[i] == 1))) {
                continue;
            }
            if (routes[v].dist >= 0) continue;
            const int64_t sum = int64_t{node->cost[i]} + routes[u].dist;
            const int32_t cost = sum > INT32_MAX ? INT32_MAX : static_cast<int32_t>(sum);
            if (list.Listed(v)) {
                if (list.Cost(v) < cost) continue;
                list.Lower(v, cost);
            } else {
                list.Insert(v, cost);
            }
            routes[v] = {-cost, u, i};
        }
    }
    return settled;
}

// The network's own open-list operations, for the loop above.
struct NetworkOpenList {
    CWayNetwork& network;
    std::vector<bool> listed = std::vector<bool>(kWayNodeSlots);
    std::vector<int32_t> cost = std::vector<int32_t>(kWayNodeSlots);
    int32_t count = 0;
    bool Empty() const { return count == 0; }
    bool Listed(int32_t node) const { return listed[node]; }
    int32_t Cost(int32_t node) const { return cost[node]; }
    void Insert(int32_t node, int32_t c) {
        network.InsertOpenList(node, c);
        listed[node] = true;
        cost[node] = c;
        ++count;
    }
    void Lower(int32_t node, int32_t c) {
        EXPECT_EQ(network.UpdateOpenList(node, c), 1);
        cost[node] = c;
    }
    int32_t Pop() {
        const int32_t node = network.PopOpenList();
        listed[node] = false;
        --count;
        return node;
    }
};

// A random network: `count` nodes, each link joining two free direction
// slots, with costs of one kind and some links flagged.
std::unique_ptr<CWayNetwork> RandomNetwork(int32_t count, int32_t links, int32_t kind) {
    auto network = std::make_unique<CWayNetwork>();
    for (int32_t n = 1; n <= count; ++n) {
        network->nodes[n] =
            new WayNode{{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {255, 255, 255, 255}};
    }
    for (int32_t k = 0; k < links; ++k) {
        const int32_t a = RandBetween(1, count);
        const int32_t b = RandBetween(1, count);
        const int32_t i = plat::Rand() % 4;
        const int32_t j = plat::Rand() % 4;
        if (network->Node(a)->ziel[i] != 0 || network->Node(b)->ziel[j] != 0) continue;
        const int32_t cost = kind == 2 ? RandBetween(INT32_MAX / 4, INT32_MAX) : RandomCost(kind);
        network->LinkNodes(a, i, b, j, cost, plat::Rand() % 5 == 0 ? 1 : 0);
    }
    return network;
}

TEST(RouteOrderTest, RandomNetworksSettleLikeThePlainSearchNodeByNode) {
    plat::Srand(8191);
    for (int32_t round = 0; round < 90; ++round) {
        const int32_t kind = round % 3;
        const int32_t count = round % 10 == 9 ? kMaxWayNodes : RandBetween(2, 300);
        auto network = RandomNetwork(count, count * 2, kind);
        const int32_t start = RandBetween(1, count);
        const int32_t excluded = round % 4 == 1   ? start
                                 : round % 4 == 2 ? RandBetween(1, count)
                                                  : 0;

        std::vector<RouteRecord> expected;
        PlainOpenList plain;
        const std::vector<int32_t> order = PlainSearch(*network, start, excluded, plain, expected);
        std::vector<RouteRecord> own;
        NetworkOpenList list{*network};
        ASSERT_EQ(PlainSearch(*network, start, excluded, list, own), order) << "round " << round;

        if (excluded == 0) {
            network->FindRoutes(start);
        } else {
            network->FindRoutesExcluding(start, excluded);
        }
        for (int32_t n = 1; n < kWayNodeSlots; ++n) {
            const RouteRecord& r = network->Route(n);
            ASSERT_EQ(std::tuple(r.dist, r.prev, r.dir),
                      std::tuple(expected[n].dist, expected[n].prev, expected[n].dir))
                << "round " << round << " node " << n;
        }
    }
}

}  // namespace
