#include "world/construction_costs.h"

#include "cities/city.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/sound_events.h"
#include "state/view_events.h"

namespace {

bool ValidPlayer(int32_t player) {
    return player >= 0 && player < kPlayerCount && g_pGameState != nullptr;
}

int32_t Negated(int32_t amount) {
    return static_cast<int32_t>(0u - static_cast<uint32_t>(amount));
}

}  // namespace

bool IsEditor() {
    return g_pGameState != nullptr && g_pGameState->game_mode == kModeEditor;
}

int32_t WayFieldPrice(int32_t wayType) {
    switch (wayType) {
        case kWayAsphaltRoad:
            return 220;
        case kWayRail:
            return 290;
        case kWayMonorail:
            return 360;
        case kWaySuperconductor:
            return 420;
        default:
            return 0;
    }
}

int32_t WayRemovalPrice(int32_t wegtyp) {
    switch (wegtyp) {
        case kWayCityStreet:
        case kWayGravelRoad:
            return IsEditor() ? 0 : kStreetRemovalPrice;
        default:
            return WayFieldPrice(wegtyp);
    }
}

int32_t CityBuildingPrice(int32_t stadtb) {
    constexpr int32_t kPriceClasses = 7;  // geb_einw entries 0..6
    int32_t q = GetCityBuildingClass(stadtb);
    if (q == 7) q = stadtb - 48;
    if (q < 0 || q >= kPriceClasses || g_pGameState == nullptr) return -1;
    return g_pGameState->geb_einw[q] * 1000;
}

int32_t RunRemovalRate(int32_t wegtyp) {
    switch (wegtyp) {
        case kWayCityStreet:
            return 160;
        case kWayGravelRoad:
            return IsEditor() ? 0 : 160;
        default:
            return WayFieldPrice(wegtyp);
    }
}

int32_t BridgeFieldPrice(int32_t wayType) {
    switch (wayType) {
        case kWayGravelRoad:
            return IsEditor() ? 0 : 640;
        case kWayAsphaltRoad:
            return 880;
        case kWayRail:
            return 1160;
        case kWayMonorail:
            return 1440;
        case kWaySuperconductor:
            return 1680;
        default:
            return 0;
    }
}

int32_t TunnelFieldPrice(int32_t wayType) {
    return 2 * BridgeFieldPrice(wayType);
}

void ChargeWayConstruction(int32_t player, int32_t amount, int32_t fields) {
    if (!ValidPlayer(player)) return;
    g_pGameState->cash[player] -= amount;
    BookWayConstruction(amount, fields, player);
}

void ChargeWayRemoval(int32_t player, int32_t amount, int32_t fields) {
    if (!ValidPlayer(player)) return;
    g_pGameState->cash[player] -= amount;
    BookWayConstruction(amount, 0, player);
    for (StatPeriod period : {StatPeriod::Monthly, StatPeriod::Yearly}) {
        int32_t& length =
            g_Statistics.Series(StatSeries::NetworkLength, period, player, kCurrentSlot);
        length = length > fields ? length - fields : 0;
    }
}

void ChargeCost(int32_t player, int32_t amount, StatPair pair) {
    if (!ValidPlayer(player)) return;
    g_pGameState->cash[player] -= amount;
    g_Statistics.Book(StatSeries::TotalCosts, player, amount);
    g_Statistics.BookPair(pair, player, amount);
    g_Statistics.Book(StatSeries::AnnualProfit, player, Negated(amount));
    g_Statistics.Book(StatSeries::OverallProfit, player, Negated(amount));
    g_Statistics.BookPair(StatPair::J, player, Negated(amount));
    g_Statistics.BookPair(StatPair::K, player, Negated(amount));
}

bool IsFieldInView(int32_t x, int32_t y) {
    return Views().IsTileInView(x, y);
}

void ClearForestAt(int32_t x, int32_t y) {
    MapField* field = FieldAt(x, y);
    if (field == nullptr || !field->forest_flag()) return;
    field->set_data_word(0);
    field->set_forest_flag(false);
    if (IsFieldInView(x, y)) g_pGameState->redraw_objects = 1;
}

void PlayBuildEffect(int32_t effect) {
    Sounds().PlayEffect(effect, 0, 0);
}
