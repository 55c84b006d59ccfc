#include "economy/terminal.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "cities/city_manager.h"
#include "economy/building_kinds.h"
#include "economy/building_table.h"
#include "economy/economy_notify.h"
#include "economy/record_io.h"
#include "state/map_field.h"
#include "world/field_queries.h"

namespace {

constexpr int64_t kMax32 = std::numeric_limits<int32_t>::max();

// A building of the catchment that holds the product, with its stock in
// portions of the common denominator and what it is to give.
struct Giver {
    CBuilding* building;
    bool warehouse;
    int64_t numerator;  // the stock it reported
    int64_t denominator;
    int64_t portions;  // left to give
    int64_t give;      // planned for this round
};

// Plans `want` portions over the givers as cyclic passes in list order would
// take them, one portion per giver and pass: after r whole passes each giver
// has given min(stock, r); the rest comes from the first givers that still
// hold more. Returns the portions planned.
int64_t PlanPortions(std::vector<Giver*>& givers, int64_t want) {
    // Portions taken after `passes` whole passes, counted no further than
    // one past `want`.
    auto takenAfter = [&](int64_t passes) {
        int64_t sum = 0;
        for (Giver* g : givers) {
            sum += std::min(g->portions, passes);
            if (sum > want) return want + 1;
        }
        return sum;
    };
    int64_t most = 0;
    for (Giver* g : givers) {
        g->give = 0;
        most = std::max(most, g->portions);
    }
    if (want <= 0 || most <= 0) return 0;
    const int64_t all = takenAfter(most);
    if (all <= want) {
        for (Giver* g : givers) g->give = g->portions;
        return all;
    }
    // The largest number of whole passes that does not exceed `want`.
    int64_t low = 0;
    int64_t high = most;
    while (low < high) {
        const int64_t mid = low + (high - low + 1) / 2;
        if (takenAfter(mid) <= want) {
            low = mid;
        } else {
            high = mid - 1;
        }
    }
    int64_t rest = want - takenAfter(low);
    for (Giver* g : givers) {
        g->give = std::min(g->portions, low);
        if (rest > 0 && g->portions > low) {
            ++g->give;
            --rest;
        }
    }
    return want;
}

// Takes the planned portions; a building that hands out less than asked
// counts as empty from then on. Returns the portions that left the buildings
// and notes the last building that gave.
int64_t TakePlanned(std::vector<Giver*>& givers, int32_t product, int32_t denominator,
                    int32_t buyer, CBuilding*& lastGiver) {
    int64_t taken = 0;
    for (Giver* g : givers) {
        int64_t want = g->give;
        while (want > 0) {
            const int32_t ask = static_cast<int32_t>(std::min(want, kMax32));
            const int32_t got = g->building->TakeGoods(product, ask, denominator, buyer);
            if (got > 0) {
                const int64_t counted = std::min<int64_t>(got, ask);
                taken += counted;
                g->portions -= counted;
                lastGiver = g->building;
            }
            if (got != ask) {
                g->portions = 0;
                break;
            }
            want -= ask;
        }
    }
    return taken;
}

// Takes `want` portions from the givers of one group (factories and stores,
// or warehouses), re-planning after refusals. Returns the portions taken.
int64_t TakeFromGroup(std::vector<Giver*> givers, int64_t want, int32_t product,
                      int32_t denominator, int32_t buyer, CBuilding*& lastGiver) {
    int64_t taken = 0;
    while (taken < want) {
        std::erase_if(givers, [](const Giver* g) { return g->portions <= 0; });
        if (PlanPortions(givers, want - taken) == 0) break;
        taken += TakePlanned(givers, product, denominator, buyer, lastGiver);
    }
    return taken;
}

}  // namespace

CTerminal::CTerminal(int32_t x, int32_t y, bool named) : CBuilding(x, y) {
    if (named && g_pCityManager != nullptr)
        g_pCityManager->MakeTerminalName(x, y, name, sizeof name);
    name[kTerminalNameSize - 1] = 0;
}

void CTerminal::SetName(const char* text) {
    if (text == nullptr) return;
    std::strncpy(name, text, kTerminalNameSize - 1);
    name[kTerminalNameSize - 1] = 0;
}

void CTerminal::SaveName(RecordWriter& out) const {
    out.PutBytes(name, kTerminalNameSize);
}

void CTerminal::LoadName(RecordReader& in) {
    in.GetBytes(name, kTerminalNameSize);
    name[kTerminalNameSize - 1] = 0;
}

void CTerminal::Refresh() {
    catchment_.clear();
    if (g_ppBuildings == nullptr) return;
    scan_mark = 1;
    int32_t x0 = 0;
    int32_t y0 = 0;
    int32_t x1 = 0;
    int32_t y1 = 0;
    GetScanRect(x0, y0, x1, y1);
    for (int32_t fx = x0; fx <= x1; ++fx) {
        for (int32_t fy = y0; fy <= y1; ++fy) {
            const int32_t t = GetBuildingTypeAt(fx, fy);
            if (t < kTypeMine) continue;
            CBuilding* b = BuildingOnField(fx, fy);
            if (b == nullptr || b->scan_mark != 0) continue;
            if (b->owner != owner && b->owner != kOwnerNobody) continue;
            b->scan_mark = 1;
            CatchmentNode node;
            node.building = FieldAt(fx, fy)->geb_num();
            node.is_warehouse = t == kTypeDepot ? 1 : 0;
            catchment_.push_back(node);
        }
    }
    // New buildings go to the front of the list.
    std::reverse(catchment_.begin(), catchment_.end());
    for (const CatchmentNode& node : catchment_) {
        if (CBuilding* b = g_ppBuildings->At(node.building)) b->scan_mark = 0;
    }
    scan_mark = 0;
}

void CTerminal::Update() {
    if (g_ppBuildings == nullptr) return;
    for (const CatchmentNode& node : catchment_) {
        CBuilding* b = g_ppBuildings->At(node.building);
        if (b != nullptr && node.is_warehouse == 0 && IsFactoryType(b->type)) b->Update();
    }
}

int32_t CTerminal::TakeGoods(int32_t product, int32_t amount, int32_t, int32_t buyer) {
    if (product < 0 || amount <= 0 || g_ppBuildings == nullptr) return 0;

    // 1. What each building of the catchment can give.
    std::vector<Giver> givers;
    givers.reserve(catchment_.size());
    int64_t commonDen = 1;
    for (CatchmentNode& node : catchment_) {
        node.stock_num = 0;
        node.stock_den = 1;
        CBuilding* b = g_ppBuildings->At(node.building);
        if (b == nullptr) continue;
        if (node.is_warehouse == 0 && b->AcceptsProduct(product) != 0 && !IsStoreType(b->type)) {
            continue;  // the factory consumes the product
        }
        int32_t num = 0;
        int32_t den = 1;
        b->GetStock(product, num, den);
        if (num <= 0 || den <= 0) continue;
        node.stock_num = num;
        node.stock_den = den;
        givers.push_back({b, node.is_warehouse != 0, num, den, 0, 0});
        commonDen = commonDen > 0 ? Lcm(commonDen, den) : commonDen;
    }

    // 2.-4. The portion 1/M: a multiple of every stock's denominator and of
    // the number of givers, so that the goods can come evenly from all. When
    // that does not fit, portions of 1/(givers) of what each holds.
    const int64_t giverCount = static_cast<int64_t>(givers.size());
    int64_t m = commonDen > 0 ? Lcm(commonDen, giverCount) : -1;
    if (m == 0) m = 1;
    if (m < 0 || m > kMax32) m = std::max<int64_t>(1, giverCount);
    const int64_t wanted = m * amount;
    int64_t total = 0;
    for (Giver& giver : givers) {
        // In portions; no giver needs to count more than the whole request.
        giver.portions = std::min(wanted, m * giver.numerator / giver.denominator);
        total = std::min(wanted, total + giver.portions);
    }

    // 5.-7. Whole units only; factories and stores before warehouses.
    const int64_t units = total / m;
    int64_t taken = 0;
    CBuilding* lastGiver = nullptr;
    if (units > 0) {
        const int64_t target = units * m;
        const auto denominator = static_cast<int32_t>(m);
        std::vector<Giver*> first;
        std::vector<Giver*> last;
        for (Giver& giver : givers) (giver.warehouse ? last : first).push_back(&giver);
        taken = TakeFromGroup(first, target, product, denominator, buyer, lastGiver);
        if (taken < target) {
            taken += TakeFromGroup(last, target - taken, product, denominator, buyer, lastGiver);
        }
        // Portions that do not make up a whole unit go back (only after a
        // building refused what it reported).
        const int64_t odd = taken % m;
        if (odd > 0 && lastGiver != nullptr) {
            lastGiver->PutGoods(product, static_cast<int32_t>(odd), denominator);
        }
    }
    NotifyGoodsMoved();
    return static_cast<int32_t>(taken / m);
}

int32_t CTerminal::PutGoods(int32_t product, int32_t amount, int32_t) {
    if (product < 0 || amount <= 0 || g_ppBuildings == nullptr) return 0;
    int32_t producers = 0;
    int32_t warehouses = 0;
    for (CatchmentNode& node : catchment_) {
        CBuilding* b = g_ppBuildings->At(node.building);
        node.accepted = b != nullptr ? b->AcceptsProduct(product) : 0;
        if (node.accepted <= 0) continue;
        if (node.is_warehouse != 0) {
            node.accepted = amount;
            ++warehouses;
        } else {
            ++producers;
        }
    }
    const bool toWarehouses = producers == 0;
    const int32_t sharers = toWarehouses ? warehouses : producers;
    for (const CatchmentNode& node : catchment_) {
        if (node.accepted <= 0 || (node.is_warehouse != 0) != toWarehouses) continue;
        if (CBuilding* b = g_ppBuildings->At(node.building)) b->PutGoods(product, amount, sharers);
    }
    return amount;
}
