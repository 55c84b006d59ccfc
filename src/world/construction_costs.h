#pragma once
// Prices of ways, bridges, tunnels and their removal, the bookings that the
// builders write after changing a player's cash, and the small field edits
// that several builders share.

#include <cstdint>

#include "state/statistics.h"

// Price of one newly laid way field of a way type (gravel 0, asphalt 220,
// rail 290, monorail 360, superconductor 420), the same in every game mode.
int32_t WayFieldPrice(int32_t wayType);
// What removing a field of city street or gravel road costs in a game.
constexpr int32_t kStreetRemovalPrice = 440;
// Price of removing the way of one field by its `wegtyp` (city street and
// gravel kStreetRemovalPrice, free in the editor; asphalt 220; rail 290;
// monorail 360; superconductor 420).
int32_t WayRemovalPrice(int32_t wegtyp);
// Per-field price of removing a tunnel or a bridge by the `wegtyp` of its end
// (160 for city street and gravel, gravel free in the editor; 220, 290, 360,
// 420 for the others).
int32_t RunRemovalRate(int32_t wegtyp);
// Per-field price of building a bridge or a tunnel of a way type; gravel is
// free in the editor.
int32_t BridgeFieldPrice(int32_t wayType);
int32_t TunnelFieldPrice(int32_t wayType);
// What clearing a city building of number `stadtb` costs: the residents of
// its size class x 1000 (a building site takes the entry `stadtb` - 48), or
// -1 when that entry lies outside the residents table (it cannot go).
int32_t CityBuildingPrice(int32_t stadtb);

bool IsEditor();

// Takes `amount` from the player's cash and books it as way construction of
// `fields` new way fields.
void ChargeWayConstruction(int32_t player, int32_t amount, int32_t fields);
// Takes `amount` from the player's cash, books it as way construction and
// lowers the player's "Long distance network" by `fields` (not below 0).
void ChargeWayRemoval(int32_t player, int32_t amount, int32_t fields);
// Takes `amount` from the player's cash and books it as a cost in the pair
// given (terrain changes, displaced city buildings): "Total costs" and the
// pair rise, the profit series and pairs fall.
void ChargeCost(int32_t player, int32_t amount, StatPair pair);

// 1 when the world view shows field (x, y).
bool IsFieldInView(int32_t x, int32_t y);
// Removes the forest of a field (its forest data and flag); a visible field
// asks for the objects to be redrawn.
void ClearForestAt(int32_t x, int32_t y);
// Plays a sound effect on channel 0 when a sound manager exists.
void PlayBuildEffect(int32_t effect);
