// Plays one generated world headless: the landscape of a seed, three
// computer opponents of the given profiles, the player idle, the main loop on
// the headless clock for a number of game years. Prints one line per
// opponent (tab-separated):
//
//   seed slot profile cash years_with_receipts of_last_10 chains_running
//   trucks trains buildings first_receipt_month lost_vehicles debt_months
//
// first_receipt_month counts from the start (1 = the first month), 0 for
// never. lost_vehicles is the vehicle-count statistic minus the vehicles the
// opponent has in the list (a vehicle that left without being scrapped);
// debt_months the months that ended with the opponent's cash below zero.
// --trace prints the plans of one opponent whenever they change and its
// annual accounts (vehicle purchases, construction, ways, running costs,
// demolition, -, goods, interest, receipts, annual and overall profit).
//
// Usage: ferrovane-opponent-survey --seed N [--years Y] [--profiles a,b,c]
//        [--trace SLOT]

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "app/app_globals.h"
#include "app/game_app.h"
#include "app/game_tick.h"
#include "cities/city_manager.h"
#include "economy/building.h"
#include "economy/building_table.h"
#include "game/opponent.h"
#include "game/opponent_chain.h"
#include "game/opponent_roster.h"
#include "landscape_templates.h"
#include "platform/headless/headless_backend.h"
#include "platform/random.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/lookup_tables.h"
#include "state/statistics.h"
#include "transport/vehicle.h"
#include "transport/vehicle_list.h"
#include "world/map_reset.h"
#include "world/terrain.h"

namespace {

constexpr int32_t kSummer = 2;
constexpr uint32_t kFrameMs = 26;
constexpr uint32_t kFramesPerTick = 150;
constexpr int32_t kOpponents = 3;
constexpr int32_t kLastTruckModel = 9;

struct Options {
    uint32_t seed = 1;
    int32_t years = 20;
    int32_t profiles[kOpponents] = {0, 1, 2};
    int32_t trace = -1;  // a slot whose plans are traced month by month
};

bool ParseProfiles(const char* text, int32_t (&profiles)[kOpponents]) {
    int32_t n = 0;
    for (const char* c = text; *c != 0; ++c) {
        if (*c == ',') continue;
        if (*c < '0' || *c > '4' || n == kOpponents) return false;
        profiles[n++] = *c - '0';
    }
    return n == kOpponents;
}

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const char* value = argv[i + 1];
        if (name == "--seed") {
            options.seed = static_cast<uint32_t>(std::strtoul(value, nullptr, 10));
        } else if (name == "--years") {
            options.years = std::atoi(value);
        } else if (name == "--profiles") {
            if (!ParseProfiles(value, options.profiles)) return false;
        } else if (name == "--trace") {
            options.trace = std::atoi(value);
        } else {
            return false;
        }
    }
    return argc % 2 == 1 && options.years > 0;
}

// What the survey counts for one opponent.
struct Tally {
    int32_t years_with_receipts = 0;
    int32_t late_years_with_receipts = 0;
    int32_t first_receipt_month = 0;
    int32_t debt_months = 0;
};

// The generated world with its own data folder in the temporary folder.
class SurveyWorld {
  public:
    explicit SurveyWorld(const Options& options)
        : folder_(std::filesystem::temp_directory_path() /
                  ("ferrovane-survey-" + std::to_string(::getpid()))) {
        const std::vector<uint8_t> bytes =
            standin::EncodeLandscapeFile(standin::MakeLandscapeStamps(kSummer));
        std::filesystem::create_directories(folder_ / "summer");
        std::ofstream(folder_ / "summer" / "2berge", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));

        state_ = std::make_unique<CGameState>();
        g_pGameState = state_.get();
        tables_ = std::make_unique<CLookupTables>();
        g_pLookupTables = tables_.get();
        InitGoodsTable();
        InitBuildingTypes();
        InitVehicleModels();
        terrain_ = std::make_unique<CTerrain>();
        g_pTerrain = terrain_.get();
        g_ppBuildings = &buildings_;
        g_pCityManager = &cities_;
        CGameState& gs = *state_;
        for (auto& path : gs.data_paths) {
            std::snprintf(path, sizeof path, "%s", folder_.string().c_str());
        }
        gs.install_index = 0;
        gs.season = kSummer;
        gs.game_mode = kModeGame;
        gs.opt_city_traffic = 0;
        gs.opt_animations = 0;
        gs.opt_autosave = 0;
        gs.year = 1960;
        MarkGoodsAvailableByDate();
        g_TickLength = kFrameMs * kFramesPerTick;
        plat::Srand(options.seed);
        ResetMapFields();
        terrain_->GenerateLandscape();
        RecreateOpponents(options.profiles);
    }
    ~SurveyWorld() {
        DeleteAllVehicles();
        DeleteOpponents();
        cities_.FreeAll();
        buildings_.FreeAll();
        g_pCityManager = nullptr;
        g_ppBuildings = nullptr;
        g_pTerrain = nullptr;
        terrain_.reset();
        g_pLookupTables = nullptr;
        state_->Destroy();
        g_pGameState = nullptr;
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    SurveyWorld(const SurveyWorld&) = delete;
    SurveyWorld& operator=(const SurveyWorld&) = delete;

    void PlayMonth() {
        const int32_t end = GameMonth() + 1;
        while (GameMonth() < end) {
            host_.AdvanceClock(kFrameMs);
            app_.OnIdle(0);
        }
    }

  private:
    std::filesystem::path folder_;
    plat::HeadlessBackend host_;
    std::unique_ptr<CGameState> state_;
    std::unique_ptr<CLookupTables> tables_;
    std::unique_ptr<CTerrain> terrain_;
    CBuildingTable buildings_;
    CCityManager cities_;
    CGameApp app_;
};

struct Fleet {
    int32_t trucks = 0;
    int32_t trains = 0;
};

Fleet FleetOf(int32_t player) {
    Fleet fleet;
    for (const VehicleListNode* n = g_pVehicleList; n != nullptr; n = n->next) {
        const CVehicle* v = n->vehicle;
        if (v == nullptr || v->vehicle_class == kVehicleCityCar || v->owner != player) continue;
        (v->model <= kLastTruckModel ? fleet.trucks : fleet.trains) += 1;
    }
    return fleet;
}

int32_t BuildingsOf(int32_t player) {
    int32_t count = 0;
    for (int32_t n = kFirstBuildingSlot; n <= kLastBuildingSlot; ++n) {
        const CBuilding* b = g_ppBuildings->At(n);
        count += b != nullptr && b->owner == player ? 1 : 0;
    }
    return count;
}

int32_t ChainsIn(const COpponent& o, ChainState state) {
    int32_t count = 0;
    for (const PlanNode& node : o.plan_list_b) count += DecodeChain(node).state == state ? 1 : 0;
    return count;
}

// Prints what changed in the traced opponent's plans since the last month:
// chains started, running or given up, the step it works on, its cash.
class PlanTrace {
  public:
    void Month(const COpponent& o, int32_t month) {
        const int32_t p = o.player_number;
        std::string now;
        for (const PlanNode& node : o.plan_list_b) {
            const Chain c = DecodeChain(node);
            char line[200];
            std::snprintf(line, sizeof line,
                          "  chain %d state %d mode %d raw %d product %d site %d city %d "
                          "factory %d store %d strikes %d vehicles %zu\n",
                          c.id, static_cast<int>(c.state), static_cast<int>(c.mode), c.raw,
                          c.product, c.site, c.city_slot, c.factory, c.store, c.strikes,
                          ChainVehicleCount(o, c.id));
            now += line;
        }
        for (const StepList* steps : {&o.step_lists[0], &o.step_lists[1]}) {
            if (steps->empty()) continue;
            const BuildStep step = DecodeStep(steps->front());
            char line[120];
            std::snprintf(line, sizeof line,
                          "  step kind %d at %d,%d args %d %d chain %d refused %d\n",
                          static_cast<int>(step.kind), step.x, step.y, step.args[0], step.args[1],
                          step.args[2], step.refusals);
            now += line;
        }
        if (now == last_) return;
        last_ = now;
        std::fprintf(stderr, "month %d slot %d cash %lld receipts-last-month %d\n%s", month, p - 1,
                     static_cast<long long>(g_pGameState->cash[p]),
                     g_Statistics.Monthly(StatSeries::TotalReceipts, p, kLastSlot), now.c_str());
    }

  private:
    static size_t ChainVehicleCount(const COpponent& o, int32_t id) {
        size_t n = 0;
        for (const PlanNode& node : o.plan_list_a) n += node.number == id ? 1 : 0;
        return n;
    }
    std::string last_;
};

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: %s --seed N [--years Y] [--profiles a,b,c] [--trace SLOT]\n"
                     "  profiles are three numbers 0..4\n",
                     argv[0]);
        return 2;
    }
    SurveyWorld world(options);
    CGameState& gs = *g_pGameState;
    Tally tally[kOpponents];
    PlanTrace trace;
    const int32_t months = options.years * 12;
    for (int32_t month = 1; month <= months; ++month) {
        const int32_t year_before = gs.year;
        world.PlayMonth();
        for (int32_t s = 0; s < kOpponents; ++s) {
            const int32_t p = gs.opponents[s]->player_number;
            Tally& t = tally[s];
            if (t.first_receipt_month == 0 &&
                g_Statistics.Monthly(StatSeries::TotalReceipts, p, kLastSlot) > 0) {
                t.first_receipt_month = month;
            }
            if (gs.cash[p] < 0) ++t.debt_months;
            if (s == options.trace) trace.Month(*gs.opponents[s], month);
            if (gs.year == year_before) continue;
            if (s == options.trace) {
                std::fprintf(stderr, "year-end slot %d cash %lld accounts:", s,
                             static_cast<long long>(gs.cash[p]));
                for (int32_t i = 0; i < kStatPairCount; ++i) {
                    std::fprintf(stderr, " %d", g_Statistics.PairLast(static_cast<StatPair>(i), p));
                }
                std::fprintf(stderr, "\n");
            }
            const int32_t year = month / 12;  // the year just ended, 1 = the first
            const bool earned = g_Statistics.PairLast(kPairReceipts, p) > 0;
            t.years_with_receipts += earned ? 1 : 0;
            if (year > options.years - 10) t.late_years_with_receipts += earned ? 1 : 0;
        }
    }
    for (int32_t s = 0; s < kOpponents; ++s) {
        const COpponent& o = *gs.opponents[s];
        const int32_t p = o.player_number;
        const Fleet fleet = FleetOf(p);
        const int32_t counted = g_Statistics.Monthly(StatSeries::VehicleCount, p);
        const Tally& t = tally[s];
        std::printf("%u\t%d\t%d\t%lld\t%d\t%d\t%d\t%d\t%d\t%d\t%d\t%d\t%d\n", options.seed, s,
                    o.profile_index, static_cast<long long>(gs.cash[p]), t.years_with_receipts,
                    t.late_years_with_receipts, ChainsIn(o, ChainState::Running), fleet.trucks,
                    fleet.trains, BuildingsOf(p), t.first_receipt_month,
                    counted - fleet.trucks - fleet.trains, t.debt_months);
    }
    return 0;
}
