#pragma once
// The survey of a computer opponent: the most profitable chain from a
// raw-material site through a new factory to a new store in a city that it
// can pay for, with the sites of its factory and store. No random numbers:
// ties go to the lower site number, city slot and product.

#include <cstdint>
#include <optional>

#include "game/opponent_build.h"
#include "game/opponent_chain.h"
#include "game/opponent_style.h"

class COpponent;

struct ChainChoice {
    int32_t site = 0;       // building number of the raw-material site
    int32_t raw = 0;        // r
    int32_t product = 0;    // q
    int32_t city_slot = 0;  // 0..63
    int32_t haul = 0;       // site to city centre, in fields
    int64_t cost = 0;       // estimated cost of the whole chain
    int64_t monthly_net = 0;
    ChainMode mode = ChainMode::Road;
    int32_t trucks = 2;  // trucks the chain starts with
    Placement store;
    Placement factory;
    int32_t store_number = 0;  // a store of the opponent's used again, 0: a new one
    int32_t factory_number = 0;
};

// The estimate of one combination; the choice is the one with the lowest
// payback (cost / monthly_net).
struct ChainEstimate {
    int64_t cost = 0;
    int64_t units = 0;  // units a month
    int64_t monthly_net = 0;
};
ChainEstimate EstimateRoadChain(int32_t product, int32_t haul, int32_t site_units,
                                int32_t residents, int32_t trucks);
// A rail chain: two stations, the track and a train more; the train carries
// six units a trip and runs 200 fields a month.
ChainEstimate EstimateRailChain(int32_t product, int32_t haul, int32_t site_units,
                                int32_t residents);

// The best chain for the opponent now, or none. `has_running` lowers the
// bar to a payback within the style's cap. The survey leaves alone what the
// other opponents serve or build for (a site, a town's store of a type),
// shares a town's demand with the other companies' stores of the type there,
// and uses the opponent's own idle store or factory again where one fits.
// The ranking follows the style (haul it likes, care for the price). When
// nothing runs and nothing can be paid, the cheapest chain down to the lean
// reserve is taken, with one truck. The site looks take the turn's checks
// and plans: when they run out the survey ends without a choice; a
// combination whose look finds no sites is set aside in step_list_c.
std::optional<ChainChoice> SurveyChains(COpponent& opponent, const OpponentStyle& style,
                                        bool has_running, TurnBudget& budget);
// Whether the last survey ended because the turn's limits ran out.
bool SurveyCutShort(const TurnBudget& budget);

// Another store site in the city, when the chosen one was taken before the
// store was placed (another company built there first).
std::optional<Placement> FindNewStoreSite(int32_t city_slot, int32_t type, TurnBudget& turn);
// Another factory site for the chain whose store stands: near its
// raw-material site (a rail chain's near the store).
std::optional<Placement> FindNewFactorySite(const Chain& chain, int32_t type, TurnBudget& turn);
