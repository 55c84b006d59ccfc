#include "app/game_tick.h"

#include "app/level_file.h"
#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "game/opponent.h"
#include "panel/control_panel.h"
#include "sound/sound_manager.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/market_events.h"
#include "state/messages.h"
#include "state/statistics.h"
#include "transport/vehicle.h"
#include "view/world_view.h"

namespace {

constexpr int32_t kNewsEffect = 30;
constexpr int32_t kNewsChannel = 5;
constexpr int32_t kMarch = 2;
constexpr int32_t kJuly = 6;
constexpr int32_t kLastNewsYear = 2060;
// The annual accounts open on their own at the turn of each year below this
// one; later the player opens them from their heading.
constexpr int32_t kAccountsOpenBelowYear = 1965;

// Vehicle models that get a news when their year comes, in this order.
constexpr int32_t kAnnouncedModels[] = {3, 6, 9, 11, 12, 13, 14, 15, 16, 17, 18};

struct BuildingNews {
    int32_t type;
    int32_t news;
};
constexpr BuildingNews kAnnouncedBuildings[] = {{kTypeMotorIndustry, 9},
                                                {kTypeElectronicsIndustry, 11}};

void PlayNewsSound() {
    if (g_pSound != nullptr) g_pSound->PlayEffect(kNewsEffect, kNewsChannel, 0);
}

void SendNews(uint32_t message, int32_t parameter) {
    plat::SendMessage(g_pHauptDialog, message, static_cast<plat::WParam>(parameter), 0);
    PlayNewsSound();
}

int32_t Wrap(int64_t v) {
    return static_cast<int32_t>(static_cast<uint32_t>(v));
}

void ClearMonthlyVehicleCounters() {
    for (VehicleListNode* node = g_pVehicleList; node != nullptr; node = node->next) {
        CVehicle* v = node->vehicle;
        if (v == nullptr || v->monthly_flag != 1) continue;
        v->monthly_flag = 0;
        v->monthly_counters[0] = 0;
        v->monthly_counters[1] = 0;
    }
}

void RunMonthStart(CGameState& gs) {
    for (COpponent* opponent : gs.opponents) {
        if (opponent != nullptr && opponent->turn_pending != 0 && opponent->takeover_percent > 0) {
            opponent->takeover_percent -= 2;
        }
    }
    ClearMonthlyVehicleCounters();
    gs.month = (gs.month + 1) % 12;
    if (gs.month < 0) gs.month = 0;
    ChargeInterest();
    MonthlyRollOver();
    if (gs.month == 0) {
        YearlyRollOver();
        if (gs.year < kLastGameYear) gs.year += 1;
    }
    if (static_cast<int8_t>(gs.event_pause) > 0) --gs.event_pause;
    if (g_pHauptDialog != nullptr) g_pHauptDialog->DrawSidebarDate();
    if (g_pCityManager != nullptr) g_pCityManager->MonthlyUpdate();
    if (g_ppBuildings != nullptr) g_ppBuildings->UpdateRawMaterialSites();
}

}  // namespace

void ChargeInterest() {
    CGameState* gs = g_pGameState;
    if (gs == nullptr || g_Credit <= 0) return;
    const int32_t interest = g_Credit / 100;
    const int32_t minus = Wrap(-static_cast<int64_t>(interest));
    g_Statistics.BookPair(kPairInterest, 0, interest);
    g_Statistics.Book(StatSeries::AnnualProfit, 0, minus);
    g_Statistics.Book(StatSeries::OverallProfit, 0, minus);
    g_Statistics.BookPair(kPairAnnualProfit, 0, minus);
    g_Statistics.BookPair(kPairOverallProfit, 0, minus);
    gs->cash[0] -= interest;
}

void RunNewYearNews() {
    CGameState* gs = g_pGameState;
    if (gs == nullptr) return;
    if (gs->year < kAccountsOpenBelowYear) plat::SendMessage(g_pHauptDialog, kMsgYearSummary);
    PlayNewsSound();
    if (gs->opt_autosave == 1) SaveAutosave();
}

void AnnounceNewGoods() {
    CGameState* gs = g_pGameState;
    if (gs == nullptr || gs->year == 1960 || gs->year > kLastNewsYear) return;
    for (int32_t i = 0; i < kGoodsCount; ++i) {
        GoodsRecord& good = gs->goods[i];
        if (good.intro_year != gs->year) continue;
        const int32_t counter = AnnounceCounterWord(good.producer_kind);
        if (counter < 0 || g_NewGameCounters.words[counter] < 0) continue;
        good.available = 1;
        SendNews(kMsgProductNews, i);
    }
}

void AnnounceNewModels() {
    CGameState* gs = g_pGameState;
    if (gs == nullptr) return;
    for (int32_t m : kAnnouncedModels) {
        if (static_cast<int64_t>(gs->vehicle_models[m].model_year) == gs->year) {
            SendNews(kMsgVehicleNews, m);
        }
    }
    for (const BuildingNews& b : kAnnouncedBuildings) {
        if ((gs->year & 0xFFFF) == gs->building_types[b.type].intro_year) {
            SendNews(kMsgBuildingNews, b.news);
        }
    }
}

void MarkGoodsAvailableByDate() {
    CGameState* gs = g_pGameState;
    if (gs == nullptr) return;
    for (GoodsRecord& good : gs->goods) {
        if (good.intro_year < gs->year || (good.intro_year == gs->year && gs->month >= kMarch)) {
            good.available = 1;
        }
    }
}

void RunGameTick(plat::Window* mainFrame) {
    CGameState* gs = g_pGameState;
    if (gs == nullptr) return;
    gs->week = ((gs->week + 1) % 4 + 4) % 4;
    for (COpponent* opponent : gs->opponents) {
        if (opponent != nullptr && opponent->turn_pending != 0) opponent->turn_countdown -= 1;
    }
    if (gs->week == 0) RunMonthStart(*gs);

    gs->redraw_terrain = 0;
    gs->redraw_objects = 0;
    if (g_pCityManager != nullptr) g_pCityManager->Tick();
    if (gs->week == 0 && gs->show_trees == 1 && gs->opt_seasons == 1) gs->redraw_objects = 1;
    if (g_pSpielFeld != nullptr) g_pSpielFeld->RedrawView();
    gs->timers.tick_time = gs->timers.tick_now;
    if (g_pSpielFeld != nullptr && g_pSpielFeld->tool == kInformationTool) {
        plat::SendMessage(g_pHauptDialog, kMsgRefreshInfoPanel);
    }
    plat::SendMessage(mainFrame, kMsgGameTick);
    if (gs->week != 0) return;

    // The rest runs once a month, at its first tick.
    if (gs->month == 0) RunNewYearNews();
    if (gs->month == kMarch) AnnounceNewGoods();
    if (gs->month == kJuly) AnnounceNewModels();
    CountDownMarketEvent();
    MaybeStartRandomMarketEvent();
}
