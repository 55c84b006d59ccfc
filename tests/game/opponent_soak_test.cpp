// Opponents play a generated world through the main loop (profiles 0, 3 and
// 4, 150-frame tick, no autosave) for 20 game years: each keeps a running
// chain that delivers and earns every year, spends only down to its reserve
// and never ends a month in debt; the way graph matches the map every year;
// at years 10 and 20 a save and load keeps every building and vehicle, a
// second save is the same file, and play goes on.

#include "app/level_file.h"
#include "economy/store.h"
#include "game/opponent_roster.h"
#include "game/opponent_style.h"
#include "landscape_templates.h"
#include "opponent_world.h"
#include "platform/random.h"
#include "platform/temp_folder.h"
#include "support/way_graph_check.h"
#include "transport/vehicle.h"
#include "world/map_reset.h"

namespace fvtest {
namespace {

constexpr int32_t kSummer = 2;
constexpr int32_t kYears = 20;
constexpr int32_t kOpponents = 3;

// What a save and load must keep: buildings (number, type, owner) and
// vehicles (number, owner, model, schedule).
struct Property {
    std::vector<std::tuple<int32_t, int32_t, int32_t>> buildings;
    std::vector<std::tuple<int32_t, int32_t, int32_t, std::string>> vehicles;
    bool operator==(const Property&) const = default;
};

class OpponentSoak : public OpponentWorld {
  protected:
    void SetUp() override {
        const std::vector<uint8_t> bytes =
            standin::EncodeLandscapeFile(standin::MakeLandscapeStamps(kSummer));
        folder_.Write("summer/2berge", std::string(bytes.begin(), bytes.end()));
        for (auto& path : GS().data_paths) {
            std::snprintf(path, kDataPathLength, "%s", folder_.Path().c_str());
        }
        GS().install_index = 0;
        GS().season = kSummer;
        plat::Srand(11);
        ResetMapFields();
        terrain_->GenerateLandscape();
        RecreateOpponents({0, 3, 4});
    }

    int64_t Reserve(int32_t slot) {
        return StyleOfProfile(GS().opponent_profiles[Opponent(slot).profile_index]).reserve;
    }
    int64_t& Cash(int32_t slot) { return GS().cash[Opponent(slot).player_number]; }

    // One game month, pass by pass: a turn that spent money leaves at least
    // the reserve (passes where the game tick also ran are not judged: the
    // tick books running costs after the turn).
    void PlayMonth() {
        const int32_t end = GameMonth() + 1;
        while (GameMonth() < end) {
            int64_t cash[kOpponents];
            int32_t countdown[kOpponents];
            for (int32_t s = 0; s < kOpponents; ++s) {
                cash[s] = Cash(s);
                countdown[s] = Opponent(s).turn_countdown;
            }
            const uint32_t tick = GS().timers.tick_time;
            host_.AdvanceClock(26);
            app_.OnIdle(0);
            for (int32_t s = 0; s < kOpponents; ++s) {
                const bool turn = countdown[s] < 1 && Opponent(s).turn_countdown >= 1;
                turns_[s] += turn ? 1 : 0;
                if (!turn || Cash(s) >= cash[s] || GS().timers.tick_time != tick) continue;
                ++spending_turns_;
                ASSERT_GE(Cash(s), Reserve(s)) << "slot " << s << " in month " << GameMonth();
            }
        }
    }

    // Units of the chain's product its store took in the last three
    // completed months.
    int32_t Delivered(const Chain& chain) {
        CBuilding* store = buildings_.At(chain.store);
        int32_t sum = 0;
        for (int32_t m = kCurrentMonth - 3; m < kCurrentMonth && store != nullptr; ++m) {
            sum += store->GetMonthlyDeliveries(m, chain.product);
        }
        return sum;
    }

    Property Snapshot() {
        Property p;
        for (int32_t n = kFirstBuildingSlot; n <= kLastBuildingSlot; ++n) {
            const CBuilding* b = buildings_.At(n);
            if (b != nullptr) p.buildings.emplace_back(n, b->type, b->owner);
        }
        for (const VehicleListNode* node = g_pVehicleList; node != nullptr; node = node->next) {
            const CVehicle& v = *node->vehicle;
            if (v.number < 1) continue;  // city cars
            std::string schedule(reinterpret_cast<const char*>(v.schedule), sizeof v.schedule);
            schedule += std::to_string(v.stop_count);
            p.vehicles.emplace_back(v.number, v.owner, v.model, schedule);
        }
        return p;
    }

    // Save, load, save: the game comes back whole and the second file is
    // the first. A plan naming a store its opponent does not own is damage.
    void SaveLoadSave(int32_t year) {
        SCOPED_TRACE(year);
        const std::string first = folder_.Path() + "/first.lvl";
        const std::string second = folder_.Path() + "/second.lvl";
        const Property before = Snapshot();
        ASSERT_TRUE(SaveGameFile(first));
        ASSERT_EQ(LoadSavedGame(first), LevelLoadResult::Loaded);
        EXPECT_TRUE(Snapshot() == before);
        ASSERT_TRUE(SaveGameFile(second));
        EXPECT_TRUE(folder_.Read("second.lvl") == folder_.Read("first.lvl"))
            << "the second save differs";

        for (const Chain& chain : Chains(0)) {
            CBuilding* store = buildings_.At(chain.store);
            if (chain.state != ChainState::Running || store == nullptr) continue;
            // A building's owner is read back from its anchor field.
            MapField& anchor = *FieldAt(store->anchor_x, store->anchor_y);
            anchor.set_spieler(0);
            ASSERT_TRUE(SaveGameFile(second));
            anchor.set_spieler(Opponent(0).player_number);
            EXPECT_EQ(LoadSavedGame(second), LevelLoadResult::Rejected);
            EXPECT_TRUE(Snapshot() == before);
            break;
        }
    }

    TempFolder folder_;
    int32_t spending_turns_ = 0;
    int32_t turns_[kOpponents] = {};
};

TEST_F(OpponentSoak, TwentyYearsOfThreeOpponents) {
    for (int32_t year = 1; year <= kYears; ++year) {
        for (int32_t month = 0; month < 12; ++month) {
            PlayMonth();
            if (HasFatalFailure()) return;
            for (int32_t s = 0; s < kOpponents; ++s) ASSERT_GE(Cash(s), 0) << "slot " << s;
        }
        ASSERT_TRUE(GraphMatchesMap(*g_pWayNetwork, 0, 0, 255, 255, false)) << "year " << year;
        if (year > kYears - 10) {
            for (int32_t s = 0; s < kOpponents; ++s) {
                const int32_t p = Opponent(s).player_number;
                EXPECT_GT(g_Statistics.PairLast(kPairReceipts, p), 0)
                    << "slot " << s << " in year " << year;
            }
        }
        if (year == 10 || year == kYears) SaveLoadSave(year);
    }
    EXPECT_GT(spending_turns_, 0);
    for (int32_t s = 0; s < kOpponents; ++s) {
        bool delivering = false;
        for (const Chain& chain : Chains(s)) {
            delivering = delivering || (chain.state == ChainState::Running && Delivered(chain) > 0);
        }
        EXPECT_TRUE(delivering) << "slot " << s;
    }
    // Play goes on after the last load: every opponent takes turns.
    const std::vector<int32_t> turns(std::begin(turns_), std::end(turns_));
    for (int32_t month = 0; month < 3; ++month) PlayMonth();
    for (int32_t s = 0; s < kOpponents; ++s) EXPECT_GT(turns_[s], turns[s]) << "slot " << s;
}

}  // namespace
}  // namespace fvtest
