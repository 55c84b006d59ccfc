#pragma once
// Buying and scrapping a vehicle for a player: what the purchase screens' OK
// and the schedule screen's scrap do, for any player (the human player's
// screens and the computer opponents alike).

#include <cstdint>

class CVehicle;

// A new vehicle of `model` for `player`: a truck (models 0..9) on the truck
// depot field (x, y), or a train (models 10..18) on the station field (x, y)
// of `way_type` (4 rails, 5 monorail, 6 superconductor). The price is taken
// from the player's cash and booked with the vehicle count; the vehicle gets
// the owner and runs. Null (nothing changes) for a model that does not exist
// by the date, a price above the player's cash or a player outside 0..3.
CVehicle* BuyVehicle(int32_t player, int32_t model, int32_t x, int32_t y, int32_t way_type = 0);

// A new model for the player's vehicle (its body replaced): the full new
// price is taken from the player's cash and booked as a purchase, but the
// company worth rises only by the difference to the old model's price and
// the vehicle count stays. The vehicle gets the model and its speed (trucks
// the model whose speeds they use, trains the model's top speed) and stands
// until its schedule screen lets it run again. False (nothing changes) for a
// model not on sale, of the other kind (truck or train), a price above the
// cash or another player's vehicle.
bool ReplaceVehicleModel(int32_t player, CVehicle* vehicle, int32_t model);

// Whether `model` is on sale by the game date (from July of its year).
bool IsModelAvailable(int32_t model);

// Takes the player's vehicle out of the list and deletes it (no money back);
// the player's vehicle count falls by one.
// False (nothing changes) when the vehicle is not listed or another player's.
bool ScrapVehicle(int32_t player, CVehicle* vehicle);
