#pragma once
// The vehicles of an opponent's chains: buying trucks for a chain with their
// schedule, releasing trucks the store halted, scrapping a chain's vehicles,
// and claiming the vehicles named by the plans after a load.

#include <cstdint>
#include <functional>
#include <set>
#include <vector>

#include "game/opponent_chain.h"

class COpponent;
class CVehicle;

// The available variant-0 truck model with the lowest running cost per
// field (the lower model on a tie), -1 when none.
int32_t CheapestTruckModel();

// The available rail model (models 10..14) with the highest speed (the
// lower model on a tie), -1 when none.
int32_t FastestRailModel();

// Buys a truck for the chain and records it in the opponent's vehicle plans.
// A road chain's truck starts on the site depot with the stops [store depot:
// none, site depot: r, factory depot: q]; a rail chain's (the product leg)
// on the factory depot with [store depot: none, factory depot: q]. It waits
// to load where it loads. Null when the purchase would take the cash below
// `reserve` or was refused.
CVehicle* BuyChainTruck(COpponent& opponent, const Chain& chain, int64_t reserve);
// Buys the train of a rail chain on the factory station with the stops
// [factory station: none, site station: r in six columns], waiting to load
// at the site; recorded like a truck, on the rail leg.
CVehicle* BuyChainTrain(COpponent& opponent, const Chain& chain, int64_t reserve);

// The listed vehicles of a chain, all or those of one leg.
std::vector<CVehicle*> ChainVehicles(const COpponent& opponent, int32_t chain_id);
std::vector<CVehicle*> ChainVehicles(const COpponent& opponent, int32_t chain_id, ChainLeg leg);

// Lets the chain's trucks leave the store again while this month's
// deliveries of the product are below the store's demand.
void ReleaseHaltedTrucks(const COpponent& opponent, const Chain& chain);

// A rail chain's train brings raw material (bought where it loads) only as
// fast as the product leaves: it stays at the factory's station while the
// factory holds a trainload of raw material and product, or while the
// opponent is short of cash, and goes again when neither holds.
void PaceChainTrain(const COpponent& opponent, const Chain& chain, bool short_of_cash);

// Scraps every vehicle of the chain (their plan nodes go with them).
void ScrapChainVehicles(COpponent& opponent, int32_t chain_id);

// After a load: every vehicle named by the opponent's vehicle plans gets the
// opponent as owner. False when a plan names a vehicle that cannot be the
// opponent's (a city car, or one another opponent claimed) or a chain names
// a building of another owner.
bool ClaimPlannedProperty(COpponent& opponent);

// The same test on a level file before it is read: `owner_of` gives the
// owner the file gives a building number (-1 for none) and `claimed` holds
// the vehicles earlier opponents' plans named (the opponent's are added).
// A building the file does not have is no damage: upkeep gives the chain up.
bool PlannedPropertySound(const COpponent& opponent,
                          const std::function<int32_t(int32_t)>& owner_of,
                          std::set<const CVehicle*>& claimed);
