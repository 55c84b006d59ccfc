#include "economy/economy_bookings.h"

#include "state/game_state.h"

namespace {

// Statistics words are 32-bit and wrap.
int32_t Word(int64_t v) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v)));
}

// Cash borrows and carries across its 64 bits.
void AddCash(int32_t player, int64_t amount) {
    if (g_pGameState == nullptr) return;
    int64_t& cash = g_pGameState->cash[player];
    cash = static_cast<int64_t>(static_cast<uint64_t>(cash) + static_cast<uint64_t>(amount));
}

bool IsPlayer(int32_t player) {
    return player >= 0 && player < kPlayerCount;
}

void BookProfit(int32_t player, int64_t amount) {
    g_Statistics.Book(StatSeries::AnnualProfit, player, Word(amount));
    g_Statistics.Book(StatSeries::OverallProfit, player, Word(amount));
    g_Statistics.BookPair(kPairAnnualProfit, player, Word(amount));
    g_Statistics.BookPair(kPairOverallProfit, player, Word(amount));
}

}  // namespace

void ChargeCost(int32_t player, int64_t amount, StatPair kind) {
    if (!IsPlayer(player)) return;
    AddCash(player, -amount);
    g_Statistics.Book(StatSeries::TotalCosts, player, Word(amount));
    g_Statistics.BookPair(kind, player, Word(amount));
    BookProfit(player, -amount);
}

void BookSalesIncome(int32_t player, int64_t amount, StatSeries revenue) {
    if (!IsPlayer(player)) return;
    AddCash(player, amount);
    g_Statistics.BookPair(kPairReceipts, player, Word(amount));
    g_Statistics.Book(StatSeries::TotalReceipts, player, Word(amount));
    g_Statistics.Book(revenue, player, Word(amount));
    BookProfit(player, amount);
}

void BookBuildingInvestment(int32_t player, int32_t price, int32_t sign) {
    if (!IsPlayer(player)) return;
    g_Statistics.Book(StatSeries::CompanyWorth, player, Word(int64_t{price} * sign));
    g_Statistics.Book(StatSeries::BuildingCount, player, sign);
}
