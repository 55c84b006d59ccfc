#pragma once
// The typed view of an opponent's plan and step nodes. The node layout is the
// level file's; these records name what the opponent keeps in it:
//
// - a chain (a node of plan_list_b): raw-material site -> factory -> store,
// - a chain vehicle (a node of plan_list_a),
// - a build or repair step (step_lists[0], step_lists[1]),
// - a combination set aside (step_list_c).

#include <array>
#include <cstdint>

#include "game/opponent_plans.h"

enum class ChainState : uint8_t { Building = 1, Running = 2, GivenUp = 3 };
enum class ChainMode : uint8_t { Road = 0, Rail = 1 };

// The terminals of a chain, by their place in the chain's terminal block.
enum ChainTerminal : int32_t {
    kStoreDepot = 0,
    kSiteDepot = 1,
    kFactoryDepot = 2,
    kSiteStation = 3,
    kFactoryStation = 4,
    kChainTerminals = 6,
};

struct Chain {
    int32_t id = 0;
    ChainState state = ChainState::Building;
    ChainMode mode = ChainMode::Road;
    int32_t raw = 0;      // raw material r
    int32_t product = 0;  // product q
    int32_t factory_x = 0;
    int32_t factory_y = 0;
    int32_t site = 0;  // building numbers
    int32_t factory = 0;
    int32_t store = 0;
    int32_t city_slot = -1;  // 0..63, -1 none
    std::array<int32_t, kChainTerminals> terminals{};
    int32_t start_month = 0;  // year x 12 + month
    int32_t last_check = 0;
    int32_t strikes = 0;
    int32_t repairs = 0;  // repairs tried since the chain last delivered
    bool lean = false;    // started with little cash: it spends down to the lean reserve
};

Chain DecodeChain(const PlanNode& node);
void EncodeChain(const Chain& chain, PlanNode& node);

// The leg of a chain vehicle.
enum class ChainLeg : uint8_t { Road = 0, Rail = 1 };

// A build or repair step.
enum class StepKind : int32_t {
    Store = 1,    // field: the store's site; args: store type
    Factory = 2,  // field: the factory's site; args: factory type, product
    Depot = 3,    // args: terminal, building the depot serves
    Road = 4,     // args: two terminals to join
    Trucks = 5,   // args: trucks to buy
    Station = 6,  // args: terminal (the site's or the factory's station)
    Track = 7,    // args: two station terminals to join
    Train = 8,    // args: trains to buy
};

struct BuildStep {
    StepKind kind = StepKind::Store;
    int32_t x = 0;
    int32_t y = 0;
    std::array<int32_t, 3> args{};
    int32_t refusals = 0;
};

BuildStep DecodeStep(const StepNode& node);
StepNode EncodeStep(const BuildStep& step);

// Why a combination is set aside, and so for how long.
enum class SetAside : int32_t {
    Lost = 0,        // a chain that ran and did not pay, or lost its buildings
    Unfinished = 1,  // a chain given up while it was being built
    NoSites = 2,     // the survey found no store site, factory site or road for it
};

// A combination of site, city and product set aside, with the month it was.
struct GivenUpCombination {
    int32_t site = 0;
    int32_t city_slot = 0;
    int32_t product = 0;
    int32_t month = 0;
    SetAside reason = SetAside::Lost;
};
// The months a combination stays set aside.
int32_t SetAsideMonths(SetAside reason);

GivenUpCombination DecodeGivenUp(const StepNode& node);
StepNode EncodeGivenUp(const GivenUpCombination& combination);

// The game month as year x 12 + month.
int32_t GameMonth();
