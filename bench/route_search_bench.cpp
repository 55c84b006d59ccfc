// A full route search over a network of 8191 nodes, against the time it
// takes to touch every link once (the floor for any search of the network).

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "platform/random.h"
#include "world/way_network.h"

namespace {

constexpr int32_t kColumns = 91;  // 91 x 90 nodes + 1 = 8191

// A grid of nodes joined to their east and south neighbours with link costs
// of 1..12 field steps, as a dense road network would give.
std::unique_ptr<CWayNetwork> MakeGridNetwork() {
    auto network = std::make_unique<CWayNetwork>();
    for (int32_t n = 1; n <= kMaxWayNodes; ++n) {
        network->nodes[n] =
            new WayNode{{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {255, 255, 255, 255}};
    }
    plat::Srand(8191);
    for (int32_t n = 1; n <= kMaxWayNodes; ++n) {
        const int32_t index = n - 1;
        if ((index % kColumns) + 1 < kColumns && n + 1 <= kMaxWayNodes) {
            network->LinkNodes(n, 1, n + 1, 3, 1 + plat::Rand() % 12, 0);
        }
        if (n + kColumns <= kMaxWayNodes) {
            network->LinkNodes(n, 2, n + kColumns, 0, 1 + plat::Rand() % 12, 0);
        }
    }
    return network;
}

void BM_FullRouteSearch(benchmark::State& state) {
    auto network = MakeGridNetwork();
    for (auto _ : state) {
        network->FindRoutes(1);
        benchmark::DoNotOptimize(network->Route(kMaxWayNodes).prev);
    }
    state.SetItemsProcessed(state.iterations() * kMaxWayNodes);
}
BENCHMARK(BM_FullRouteSearch);

void BM_FullRouteSearchFromTheMiddle(benchmark::State& state) {
    auto network = MakeGridNetwork();
    for (auto _ : state) {
        network->FindRoutes(kMaxWayNodes / 2);
        benchmark::DoNotOptimize(network->Route(1).prev);
    }
    state.SetItemsProcessed(state.iterations() * kMaxWayNodes);
}
BENCHMARK(BM_FullRouteSearchFromTheMiddle);

void BM_TouchEveryLinkOnce(benchmark::State& state) {
    auto network = MakeGridNetwork();
    for (auto _ : state) {
        int64_t sum = 0;
        for (int32_t n = 1; n <= kMaxWayNodes; ++n) {
            const WayNode* node = network->Node(n);
            for (int32_t i = 0; i < 4; ++i) {
                if (node->ziel[i] != 0) sum += node->cost[i] + network->Route(node->ziel[i]).dist;
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kMaxWayNodes);
}
BENCHMARK(BM_TouchEveryLinkOnce);

}  // namespace
