#pragma once
// Money of the buildings: every cost and income changes the player's cash and
// the matching statistics at the same moment.

#include <cstdint>

#include "state/statistics.h"

// Kinds of cost (the yearly pair each is booked into).
constexpr StatPair kCostConstruction = StatPair::B;  // placement prices, station rows
constexpr StatPair kCostDemolition = StatPair::E;
constexpr StatPair kCostAdvertising = StatPair::F;
constexpr StatPair kCostGoods = StatPair::G;  // production and purchase of goods
// Buying out a computer opponent; the annual accounts show it with demolition.
constexpr StatPair kCostTakeOver = StatPair::F;

// Takes `amount` from the cash of player 0..3 and books it as a cost of the
// kind: total costs up, annual and overall profit down, the kind's pair up.
// Nothing happens for another player number.
void ChargeCost(int32_t player, int64_t amount, StatPair kind);
// Adds a store's sales income to the cash of player 0..3: receipts, the
// revenue series of the store's goods and both profits go up.
void BookSalesIncome(int32_t player, int64_t amount, StatSeries revenue);
// Company worth by the price and the number of buildings by one, up for a
// placed building (sign +1), down for a demolished one (sign -1).
void BookBuildingInvestment(int32_t player, int32_t price, int32_t sign);
