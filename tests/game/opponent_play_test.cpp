// Opponents play whole turns on a small flat world: they build chains from
// their own cash, run, repair and give them up; and twenty generated years.

#include <gtest/gtest.h>

#include <map>

#include "app/app_globals.h"
#include "app/game_app.h"
#include "app/game_tick.h"
#include "app/level_file.h"
#include "cities/city.h"
#include "cities/city_manager.h"
#include "economy/building_kinds.h"
#include "economy/building_table.h"
#include "economy/store.h"
#include "game/opponent.h"
#include "game/opponent_chain.h"
#include "game/opponent_fleet.h"
#include "game/opponent_roster.h"
#include "game/opponent_steps.h"
#include "game/opponent_style.h"
#include "game/opponent_survey.h"
#include "landscape_templates.h"
#include "platform/headless/headless_backend.h"
#include "platform/random.h"
#include "platform/temp_folder.h"
#include "state/acting_player.h"
#include "state/data_tables.h"
#include "state/lookup_tables.h"
#include "support/file_bytes.h"
#include "support/game_scope.h"
#include "support/unchecked_level.h"
#include "support/way_graph_check.h"
#include "transport/vehicle.h"
#include "transport/vehicle_list.h"
#include "transport/vehicle_purchase.h"
#include "world/field_queries.h"
#include "world/map_reset.h"
#include "world/terrain.h"

namespace fvtest {
namespace {

constexpr uint32_t kFrameMs = 26;
constexpr int32_t kGoldJewelry = 29;

class OpponentWorld : public ::testing::Test {
  protected:
    OpponentWorld() {
        InitGoodsTable();
        InitBuildingTypes();
        InitVehicleModels();
        game_.Set(g_pLookupTables, &tables_);
        terrain_ = std::make_unique<CTerrain>();  // resets the grid
        for (MapField& field : GS().fields) {
            field = MapField{};
            field.set_teile_art(1);
            field.set_hoehe(2);
        }
        game_.Set(g_pTerrain, terrain_.get());
        game_.Set(g_ppBuildings, &buildings_);
        game_.Set(g_pCityManager, &cities_);
        GS().game_mode = kModeGame;
        GS().opt_city_traffic = GS().opt_animations = GS().opt_autosave = 0;
        GS().year = 1960;
        MarkGoodsAvailableByDate();
        g_TickLength = kFrameMs * 150;
        plat::Srand(7);
        RecreateOpponents();
    }
    ~OpponentWorld() override {
        DeleteAllVehicles();
        DeleteOpponents();
        cities_.FreeAll();
        buildings_.FreeAll();
    }
    CGameState& GS() { return game_.state(); }
    COpponent& Opponent(int32_t slot) { return *GS().opponents[slot]; }
    // A raw-material site (mines dig gold) at (x, y); its building number.
    int32_t PlaceSite(int32_t type, int32_t x, int32_t y) {
        GS().selected_building_type = type;
        GS().build_orientation = GS().mine_kind = 0;
        const int32_t number = buildings_.PlaceBuilding(x, y);
        const BuildingType& kind = GS().building_types[type];
        terrain_->PlaceStructure(x, y, number, kind.floor_width, kind.floor_depth);
        GS().selected_building_type = -1;
        buildings_.UpdateRawMaterialSites();
        return number;
    }
    // A city founded on (x, y), grown to `residents`; its slot. A seed whose
    // street plan finds no start is followed by another.
    int32_t FoundCity(int32_t x, int32_t y, int32_t residents, uint32_t first_seed = 1) {
        GS().city_size_choice = 4;
        int32_t slot = -1;
        for (uint32_t seed = first_seed; seed < first_seed + 19 && slot < 0; ++seed) {
            plat::Srand(seed);
            slot = cities_.GetOrCreateCityAt(x, y);
        }
        if (slot < 0) return slot;
        CCity& city = *cities_.cities[slot];
        for (int32_t tick = 0; tick < 48 * 20 && city.residents < residents; ++tick) city.Tick();
        return slot;
    }
    void Months(int32_t months) {  // idle passes of the main loop
        const int32_t end = GameMonth() + months;
        while (GameMonth() < end) {
            host_.AdvanceClock(kFrameMs);
            app_.OnIdle(0);
        }
    }
    // Turns of `slot` a month apart until its chain runs; true when it does.
    bool TurnUntilRunning(int32_t slot, int32_t turns) {
        for (int32_t i = 0; i < turns; ++i) {
            Opponent(slot).TakeTurn();
            for (const Chain& chain : Chains(slot)) {
                if (chain.state == ChainState::Running) return true;
            }
            Months(1);
        }
        return false;
    }
    std::vector<Chain> Chains(int32_t slot) {
        std::vector<Chain> chains;
        for (const PlanNode& node : Opponent(slot).plan_list_b) chains.push_back(DecodeChain(node));
        return chains;
    }
    // Units of the chain's product its store took in months `from` to `to`.
    int32_t Delivered(const Chain& chain, int32_t from, int32_t to = kCurrentMonth) {
        CBuilding* store = buildings_.At(chain.store);
        int32_t sum = 0;
        for (int32_t m = from; m <= to && store != nullptr; ++m)
            sum += store->GetMonthlyDeliveries(m, chain.product);
        return sum;
    }
    plat::HeadlessBackend host_;
    GameScope game_;
    CLookupTables tables_;
    std::unique_ptr<CTerrain> terrain_;
    CBuildingTable buildings_;
    CCityManager cities_;
    CGameApp app_;
};

class OpponentPlayTest : public OpponentWorld {
  protected:
    void SetUp() override {
        site_ = PlaceSite(kTypeMine, 60, 100);
        city_ = FoundCity(100, 100, 1500);
        ASSERT_GE(city_, 0);
        Opponent(1).turn_pending = Opponent(2).turn_pending = 0;  // only slot 0 plays
    }
    int32_t site_ = 0;
    int32_t city_ = -1;
};

// One chain through its life: built from the opponent's own cash (leaving
// the player's tool state as it was), a halted truck released, its plans
// through the record, a cut road repaired, and given up once it loses.
TEST_F(OpponentPlayTest, ChainIsBuiltDeliversSurvivesTheRecordIsRepairedAndGivenUp) {
    const int64_t playerCash = GS().cash[0];
    std::tie(GS().selected_building_type, GS().build_orientation, GS().mine_kind,
             GS().placement_city) = std::tuple(22, 3, 2, 7);
    g_pWayNetwork->current_way_type = kWayRail;
    g_pWayNetwork->PushPathCell(5, 6);
    g_pWayNetwork->PushPathCell(4, 6);
    ASSERT_TRUE(TurnUntilRunning(0, 6));
    const Chain chain = Chains(0).front();
    EXPECT_EQ(std::tuple(GS().selected_building_type, GS().build_orientation, GS().mine_kind,
                         GS().placement_city, g_pWayNetwork->current_way_type),
              std::tuple(22, 3, 2, 7, kWayRail));
    const PathCell* c = g_pWayNetwork->path_list;
    ASSERT_TRUE(c != nullptr && c->next != nullptr);
    EXPECT_EQ(c->x * 1000 + c->next->x, 4005);
    // No acting player or active opponent left; it keeps taking part.
    EXPECT_EQ(std::tuple(g_ActingPlayer, GS().active_opponent, Opponent(0).turn_pending),
              std::tuple(0, -1, 1000));
    EXPECT_EQ(std::tuple(chain.product, chain.site, chain.city_slot),
              std::tuple(kGoldJewelry, site_, city_));
    for (const int32_t n : {chain.store, chain.factory, chain.terminals[kStoreDepot],
                            chain.terminals[kSiteDepot], chain.terminals[kFactoryDepot]}) {
        const CBuilding* b = buildings_.At(n);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ((std::pair<int, int>(b->owner, FieldAt(b->anchor_x, b->anchor_y)->spieler())),
                  std::pair(1, 1));
    }
    // The news points at the factory that now stands.
    EXPECT_EQ(Opponent(0).plan_list_b.front().value_1[0], buildings_.At(chain.factory)->anchor_x);
    EXPECT_EQ(GS().cash[0], playerCash);
    EXPECT_GE(GS().cash[1], StyleOfProfile(GS().opponent_profiles[0]).reserve);
    EXPECT_TRUE(DepotsJoined(chain.terminals[kSiteDepot], chain.terminals[kFactoryDepot]));
    EXPECT_TRUE(DepotsJoined(chain.terminals[kFactoryDepot], chain.terminals[kStoreDepot]));
    EXPECT_TRUE(GraphMatchesMap(*g_pWayNetwork, 0, 0, 255, 255));
    const std::vector<CVehicle*> trucks = ChainVehicles(Opponent(0), chain.id);
    ASSERT_EQ(trucks.size(), 2u);
    for (const CVehicle* truck : trucks) {  // gold at the mine's depot, jewelry on
        EXPECT_EQ(std::tuple(truck->owner, truck->cargo_plan[1][0][0], truck->cargo_plan[2][0][0]),
                  std::tuple(1, 5, kGoldJewelry));
    }
    // A halted truck is released while the store wants more.
    trucks[0]->halted = trucks[0]->halt_at_stop[0] = 1;
    ASSERT_LT(Delivered(chain, kCurrentMonth),
              buildings_.At(chain.store)->GetMonthlyDemand(kCurrentMonth, chain.product));
    Opponent(0).TakeTurn();
    EXPECT_EQ(std::pair(trucks[0]->halted, trucks[0]->halt_at_stop[0]), std::pair(0, 0));
    // A load claims the planned vehicles again; a plan naming another's
    // vehicle or building is damage.
    const auto save = [](const COpponent& o) {
        return Written([&](plat::FileHandle f) { o.Save(f); });
    };
    const std::string first = save(Opponent(0));
    for (CVehicle* v : trucks) v->owner = 0;  // as a load leaves them
    COpponent loaded(0, 0, COpponent::Detached{});
    ASSERT_EQ(ReadBack(first, [&](plat::FileHandle f) { return loaded.Load(f); }),
              OpponentLoadResult::Loaded);
    ASSERT_TRUE(ClaimPlannedProperty(loaded));
    for (const CVehicle* v : ChainVehicles(loaded, chain.id)) EXPECT_EQ(v->owner, 1);
    EXPECT_EQ(save(loaded), first);
    COpponent other(1, 1, COpponent::Detached{});
    other.plan_list_a = loaded.plan_list_a;
    EXPECT_FALSE(ClaimPlannedProperty(other));
    buildings_.At(chain.store)->owner = 0;
    loaded.plan_list_a.clear();
    EXPECT_FALSE(ClaimPlannedProperty(loaded));
    buildings_.At(chain.store)->owner = 1;
    Months(6);
    EXPECT_GT(Delivered(chain, kCurrentMonth - 3), 0);
    EXPECT_GT(g_Statistics.PairThis(kPairReceipts, 1) + g_Statistics.PairLast(kPairReceipts, 1), 0);
    EXPECT_EQ(g_Statistics.PairThis(kPairReceipts, 0), 0);
    // Cut the road between mine and factory: follow it from the mine's
    // depot to the first field that is no junction.
    int32_t fx = 0, fy = 0, cx = -1, cy = -1;
    ASSERT_TRUE(DepotFront(chain.terminals[kSiteDepot], fx, fy));
    const CBuilding& siteDepot = *buildings_.At(chain.terminals[kSiteDepot]);
    int32_t px = siteDepot.anchor_x, py = siteDepot.anchor_y;
    for (int32_t step = 0; step < 30 && cx < 0; ++step) {
        int32_t nx = -1, ny = -1;
        for (int32_t d = 0; d < 4 && nx < 0; ++d) {
            const int32_t x = fx + DirDx(d), y = fy + DirDy(d);
            const MapField& f = *FieldAt(x, y);
            if ((x != px || y != py) && f.wegtyp() == kWayAsphaltRoad && f.spieler() == 1 &&
                !f.building_flag())
                nx = x, ny = y;
        }
        ASSERT_GE(nx, 0);
        std::tie(px, py, fx, fy) = std::tuple(fx, fy, nx, ny);
        if (step >= 1 && !FieldAt(fx, fy)->knoten()) cx = fx, cy = fy;
    }
    ASSERT_GE(cx, 0);
    g_pWayNetwork->DemolishWayField(cx, cy, 1);
    ASSERT_FALSE(DepotsJoined(chain.terminals[kSiteDepot], chain.terminals[kFactoryDepot]));
    Months(8);
    EXPECT_TRUE(DepotsJoined(chain.terminals[kSiteDepot], chain.terminals[kFactoryDepot]));
    EXPECT_EQ(DecodeChain(Opponent(0).plan_list_b.front()).state, ChainState::Running);
    EXPECT_GT(Delivered(chain, kCurrentMonth - 3), 0);  // trucks wait for the mine's output
    EXPECT_TRUE(GraphMatchesMap(*g_pWayNetwork, 0, 0, 255, 255));
    // Priced into loss: given up after the patience checks; what stands stays.
    GoodsRecord& jewelry = GS().goods[kGoldJewelry];
    jewelry.price = jewelry.production_cost / 4;
    Months(4 + 6 + 3);
    const Chain after = Chains(0).back();
    EXPECT_EQ(std::pair(after.id, after.state), std::pair(chain.id, ChainState::GivenUp));
    EXPECT_TRUE(ChainVehicles(Opponent(0), chain.id).empty());
    EXPECT_EQ(buildings_.At(chain.factory)->owner, 1);
    ASSERT_FALSE(Opponent(0).step_list_c.empty());
    const GivenUpCombination given = DecodeGivenUp(Opponent(0).step_list_c.front());
    EXPECT_EQ(std::pair(given.site, given.product), std::pair(site_, kGoldJewelry));
}

// Builder actions for players 0..3: only the actor pays, its number marks
// what it built, the preview is what is charged, refusals change nothing.
TEST_F(OpponentPlayTest, BuilderActionsActForTheActingPlayer) {
    for (int32_t p = 0; p < 4; ++p) {
        SCOPED_TRACE(p);
        const ActingPlayerScope acting(p);
        const int32_t x = 30 + 20 * p;
        const Placement depot{kTypeTruckDepot + 1, x, 40};
        const int64_t price = PreviewPlacement(depot);
        ASSERT_GT(price, 0);
        for (int32_t q = 0; q < 4; ++q) GS().cash[q] = 500000;
        int32_t number = 0;
        ASSERT_EQ(PlaceForActingPlayer(depot, 0, number), ActionResult::Done);
        const int64_t road = PlanRoadForActingPlayer(x + 1, 40, x + 1, 50);
        ASSERT_EQ(LayRoadForActingPlayer(x + 1, 40, x + 1, 50, 0), ActionResult::Done);
        EXPECT_EQ(road, 11 * 220);
        EXPECT_EQ(std::tuple(buildings_.At(number)->owner, FieldAt(x, 40)->spieler(),
                             FieldAt(x + 1, 45)->spieler()),
                  std::tuple(p, p, p));
        for (int32_t q = 0; q < 4; ++q)
            EXPECT_EQ(GS().cash[q], 500000 - (q == p ? price + road : 0)) << q;
        // Too little cash: refused or waiting, nothing changes.
        GS().cash[p] = 100;
        EXPECT_NE(PlaceForActingPlayer({kTypeTruckDepot, x, 60}, 0, number), ActionResult::Done);
        EXPECT_EQ(LayRoadForActingPlayer(x, 61, x, 70, 0), ActionResult::Wait);
        EXPECT_EQ(std::tuple(GS().cash[p], FieldAt(x, 60)->building_flag()),
                  std::tuple(100, false));
        // Vehicles: bought and scrapped only by their owner.
        GS().cash[p] = 10000;
        CVehicle* truck = BuyVehicle(p, 0, x, 40);
        ASSERT_NE(truck, nullptr);
        EXPECT_EQ(std::tuple(truck->owner, GS().cash[p],
                             g_Statistics.Monthly(StatSeries::VehicleCount, p)),
                  std::tuple(p, 10000 - 2400, 1));
        EXPECT_FALSE(ScrapVehicle((p + 1) % 4, truck));
        EXPECT_TRUE(ScrapVehicle(p, truck));
        // Scrapping is how a vehicle leaves: the count falls with it.
        EXPECT_EQ(g_Statistics.Monthly(StatSeries::VehicleCount, p), 0);
        GS().cash[p] = 2399;
        EXPECT_EQ(BuyVehicle(p, 0, x, 40), nullptr);
    }
    EXPECT_TRUE(GraphMatchesMap(*g_pWayNetwork, 0, 0, 255, 255));
    // Every check takes one of the turn's; with none left nothing is built.
    TurnBudget turn;
    turn.checks = 1;
    EXPECT_GT(PreviewPlacement({kTypeTruckDepot, 30, 80}, &turn), 0);
    int32_t number = -1;
    EXPECT_EQ(PlaceForActingPlayer({kTypeTruckDepot, 30, 80}, 0, number, &turn),
              ActionResult::OutOfTurn);
    EXPECT_EQ(std::tuple(number, FieldAt(30, 80)->building_flag()), std::tuple(0, false));
}

// The rivals' construction checks select the kind they look at; the
// player's building and its orientation stay in hand through every
// preview, site search and turn, and are what the player then places.
TEST_F(OpponentPlayTest, ThePlayersBuildingStaysInHandThroughTheRivalsChecks) {
    std::tie(GS().selected_building_type, GS().build_orientation) = std::pair(kTypeTruckDepot, 2);
    const auto in_hand = [&] {
        return std::pair(GS().selected_building_type, GS().build_orientation);
    };
    const std::pair<int32_t, int32_t> held(kTypeTruckDepot, 2);
    {
        const ActingPlayerScope acting(1);
        TurnBudget turn;
        EXPECT_GT(PreviewPlacement({kTypeJewelryIndustry, 30, 40}, &turn), 0);
        EXPECT_EQ(in_hand(), held);
        EXPECT_EQ(PreviewPlacement({kTypeJeweler, 60, 100}, &turn), -1);  // on the mine
        EXPECT_EQ(in_hand(), held);
        EXPECT_TRUE(FindNewStoreSite(city_, kTypeJeweler, turn).has_value());
        EXPECT_EQ(in_hand(), held);
        turn.checks = 0;
        EXPECT_EQ(PreviewPlacement({kTypeToyStore, 30, 40}, &turn), kNoCheckLeft);
        EXPECT_EQ(in_hand(), held);
        int32_t number = 0;
        EXPECT_EQ(PlaceForActingPlayer({kTypeTruckDepot + 1, 30, 60}, 0, number),
                  ActionResult::Done);
        EXPECT_EQ(std::pair(buildings_.At(number)->type, in_hand()),
                  std::pair(int32_t{kTypeTruckDepot + 1}, held));
    }
    // The player places between the rivals' turns, which build their chain.
    for (int32_t i = 0; i < 4; ++i) {
        Opponent(0).TakeTurn();
        Months(1);
        const int32_t number = buildings_.PlaceBuilding(20 + 3 * i, 20);
        const CBuilding* b = buildings_.At(number);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(std::tuple(b->type, int32_t{b->owner}, in_hand()),
                  std::tuple(kTypeTruckDepot + 2, 0, held));
    }
    EXPECT_FALSE(Chains(0).empty());
}

TEST_F(OpponentPlayTest, UnpickedSlotNeverTurnsAndPickedOnesTurnEachInterval) {
    RecreateOpponents({0, -1, 4});
    EXPECT_EQ(
        std::tuple(Opponent(1).profile_index, Opponent(1).turn_pending, Opponent(2).turn_pending),
        std::tuple(1, 0, 1000));
    Months(3);
    EXPECT_TRUE(Chains(1).empty());
    EXPECT_EQ(GS().cash[2], GS().opponent_profiles[1].start_capital);
    EXPECT_FALSE(Chains(0).empty());  // profile 0 turned every two weeks
}

TEST(OpponentChainCodec, RoundTripsEveryField) {
    const Chain chain{
        70000, ChainState::Running,    ChainMode::Rail, 6,     30, 201, 17, 1023, 512, 3,
        63,    {1, 2, 3, 1022, -1, 0}, 23520,           23999, 2,  1};
    PlanNode node;
    EncodeChain(chain, node);
    const auto fields = [](const Chain& c) {
        return std::tuple(c.id, c.state, c.mode, c.raw, c.product, c.factory_x, c.factory_y, c.site,
                          c.factory, c.store, c.city_slot, c.terminals, c.start_month, c.last_check,
                          c.strikes, c.repairs);
    };
    EXPECT_TRUE(fields(DecodeChain(node)) == fields(chain));
    const BuildStep step{StepKind::Road, 4, 5, {kSiteDepot, kFactoryDepot, 9}, 1};
    const BuildStep again = DecodeStep(EncodeStep(step));
    EXPECT_TRUE(std::tuple(again.kind, again.x, again.y, again.args, again.refusals) ==
                std::tuple(step.kind, step.x, step.y, step.args, step.refusals));
}

// The two month counts of a turn, one short of each, at it and one past it:
// a running chain is checked from its fourth month on (its store delivered
// nothing: a strike, and the strike that reaches the opponent's patience
// gives the chain up), and a chain still waiting for money after twelve
// months of building is given up and its combination set aside.
TEST_F(OpponentWorld, ChainChecksBeginInTheFourthMonthAndAYearOfWaitingGivesUp) {
    int32_t store = 0;
    const int32_t patience =
        StyleOfProfile(GS().opponent_profiles[Opponent(0).profile_index]).patience;
    ASSERT_GE(patience, 2);
    struct Row {
        bool running;
        int32_t months;   // since the chain started
        int32_t strikes;  // before the turn
        bool acted;
        bool given_up;
    };
    const Row rows[] = {{true, 3, 0, false, false},          {true, 4, 0, true, false},
                        {true, 5, 0, true, false},           {true, 4, patience - 2, true, false},
                        {true, 4, patience - 1, true, true}, {true, 3, patience - 1, false, false},
                        {false, 11, 0, false, false},        {false, 12, 0, true, true},
                        {false, 13, 0, true, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.months << " months, " << row.strikes << " strikes");
        // A given-up chain's store without a depot is demolished in the
        // next turn: each row stands on a store of its own.
        if (buildings_.At(store) == nullptr) store = PlaceSite(kTypeToyStore, 40, 40);
        ASSERT_NE(buildings_.At(store), nullptr);
        buildings_.At(store)->owner = 1;
        COpponent& o = Opponent(0);
        o.plan_list_b.clear();
        o.step_lists[0].clear();
        o.step_list_c.clear();
        o.turn_pending = 1000;
        o.state_9 = GameMonth();  // surveyed this month already
        Chain chain;
        chain.id = 7;
        chain.state = row.running ? ChainState::Running : ChainState::Building;
        chain.product = kGoldJewelry;
        chain.store = store;
        chain.start_month = chain.last_check = GameMonth() - row.months;
        chain.strikes = row.strikes;
        chain.repairs = 1;  // tried already: a strike, no second repair
        PlanNode node;
        node.number = chain.id;
        EncodeChain(chain, node);
        o.plan_list_b.push_back(node);
        // Trucks for a chain without depots: the step waits.
        if (!row.running)
            o.step_lists[0].push_back(EncodeStep({StepKind::Trucks, 0, 0, {1, 0, 7}}));
        o.TakeTurn();
        ASSERT_EQ(o.plan_list_b.size(), 1u);
        const Chain after = DecodeChain(o.plan_list_b.front());
        const ChainState kept = row.running ? ChainState::Running : ChainState::Building;
        EXPECT_EQ(std::tuple(after.state, o.step_lists[0].size(), o.step_list_c.size()),
                  std::tuple(row.given_up ? ChainState::GivenUp : kept,
                             row.running || row.given_up ? 0u : 1u, row.given_up ? 1u : 0u));
        if (row.running) {
            EXPECT_EQ(std::tuple(after.last_check == GameMonth(), after.strikes),
                      std::tuple(row.acted, row.strikes + (row.acted ? 1 : 0)));
        }
    }
}

// A chain's halted trucks leave again while its store got less than this
// month's demand; as much as the demand or more keeps them waiting.
TEST_F(OpponentWorld, HaltedTrucksLeaveWhileTheStoreGotLessThanItsDemand) {
    const int32_t number = PlaceSite(kTypeJeweler, 40, 40);
    auto* store = dynamic_cast<CStore*>(buildings_.At(number));
    ASSERT_NE(store, nullptr);
    GS().cash[1] = 100000;
    CVehicle* truck = BuyVehicle(1, 0, 60, 60);
    ASSERT_NE(truck, nullptr);
    Chain chain;
    chain.id = 9;
    chain.state = ChainState::Running;
    chain.product = kGoldJewelry;
    chain.store = number;
    PlanNode node;
    node.number = chain.id;
    node.byte_1 = static_cast<uint8_t>(ChainLeg::Road);
    node.vehicle = truck;
    Opponent(0).plan_list_a.push_back(node);
    const int32_t i = kGoldJewelry - store->kind().first_product;
    for (const auto& [delivered, released] :
         {std::pair{4, true}, std::pair{5, false}, std::pair{6, false}}) {
        store->deliveries[kCurrentMonth][i] = delivered;
        store->demand_monthly[kCurrentMonth][i] = 5;
        truck->halted = truck->halt_at_stop[0] = 1;
        ReleaseHaltedTrucks(Opponent(0), chain);
        EXPECT_EQ(std::pair(truck->halted, truck->halt_at_stop[0]),
                  released ? std::pair(0, 0) : std::pair(1, 1))
            << delivered;
    }
}

// A bold opponent (profile 4) brings gold 60 fields by rail to its factory
// and the jewelry on by truck.
TEST_F(OpponentWorld, LongHaulOfABoldOpponentBecomesARailChainThatDelivers) {
    const int32_t city = FoundCity(100, 100, 1500);
    ASSERT_GE(city, 0);
    RecreateOpponents({4, -1, -1});
    // The dearer rail chain waits until a road chain earns: first a mine
    // near the town, then the long haul from the steel mill.
    const CCity& town = *cities_.cities[city];
    PlaceSite(kTypeMine, town.origin_x - 12, town.origin_y + kCityAreaSize / 2);
    GS().cash[1] = 2000000;
    ASSERT_TRUE(TurnUntilRunning(0, 8));
    EXPECT_EQ(Chains(0).front().mode, ChainMode::Road);
    PlaceSite(kTypeSteelMill, 40, 100);
    bool rail = false;
    for (int32_t month = 0; month < 12 && !rail; ++month) {
        Months(1);
        Opponent(0).TakeTurn();
        for (const Chain& c : Chains(0))
            rail = rail || (c.mode == ChainMode::Rail && c.state == ChainState::Running);
    }
    ASSERT_TRUE(rail);
    const Chain chain = Chains(0).front();
    EXPECT_EQ(chain.mode, ChainMode::Rail);
    const std::vector<CVehicle*> trains = ChainVehicles(Opponent(0), chain.id, ChainLeg::Rail);
    ASSERT_EQ(trains.size(), 1u);
    EXPECT_EQ(trains[0]->owner, 1);
    EXPECT_TRUE(DepotsJoined(chain.terminals[kSiteStation], chain.terminals[kFactoryStation]));
    EXPECT_TRUE(MirrorInvariantHolds(*g_pWayNetwork));  // the train holds its platform link
    Months(8);
    EXPECT_GT(Delivered(chain, kCurrentMonth - 3), 0);
}

// The small world of the causes that stalled opponents: towns and gold mines
// 25 fields west of a town's centre (a haul a one-truck chain may take too).
class OpponentCauses : public OpponentWorld {
  protected:
    struct Town {
        int32_t slot = -1;
        int32_t cx = 0;
        int32_t cy = 0;
    };
    Town FoundTown(int32_t x, int32_t y, uint32_t seed = 1) {
        Town town;
        town.slot = FoundCity(x, y, 1500, seed);
        if (town.slot < 0) return town;
        const CCity& city = *cities_.cities[town.slot];
        town.cx = city.origin_x + kCityAreaSize / 2;
        town.cy = city.origin_y + kCityAreaSize / 2;
        return town;
    }
    int32_t MineWestOf(const Town& town, int32_t dy = 0) {
        return PlaceSite(kTypeMine, town.cx - 25, town.cy + dy);
    }
    // Turns of `slot` a month apart until `done`; true when it is.
    template <typename Done>
    bool TurnsUntil(int32_t slot, int32_t turns, Done done) {
        for (int32_t i = 0; i < turns; ++i) {
            Opponent(slot).TakeTurn();
            if (done()) return true;
            Months(1);
        }
        return false;
    }
    bool Runs(int32_t slot) {
        for (const Chain& chain : Chains(slot)) {
            if (chain.state == ChainState::Running) return true;
        }
        return false;
    }
};

// Two opponents that want the same mine and town: the second leaves what
// the first builds for alone and takes the other mine and town.
TEST_F(OpponentCauses, TwoOpponentsWantingTheSameSiteAndTownPickDifferentOnes) {
    const Town north = FoundTown(100, 60);
    const Town south = FoundTown(100, 180);
    ASSERT_TRUE(north.slot >= 0 && south.slot >= 0);
    const int32_t north_mine = MineWestOf(north);
    const int32_t south_mine = MineWestOf(south);
    Opponent(2).turn_pending = 0;
    Opponent(0).TakeTurn();
    Opponent(1).TakeTurn();
    ASSERT_EQ(Chains(0).size(), 1u);
    ASSERT_EQ(Chains(1).size(), 1u);
    const Chain first = Chains(0).front();
    const Chain second = Chains(1).front();
    EXPECT_NE(first.site, second.site);
    EXPECT_NE(first.city_slot, second.city_slot);
    EXPECT_TRUE((first.site == north_mine && second.site == south_mine) ||
                (first.site == south_mine && second.site == north_mine));
    // Both are built and run.
    Opponent(1).turn_pending = 1000;
    ASSERT_TRUE(TurnsUntil(0, 8, [&] { return Runs(0); }));
    ASSERT_TRUE(TurnsUntil(1, 8, [&] { return Runs(1); }));
}

// The store's site is taken before the store is placed: the step moves to
// the next site of the town and the chain goes on without a refusal.
TEST_F(OpponentCauses, ARefusedSiteIsReplacedByTheNext) {
    const Town town = FoundTown(100, 100);
    ASSERT_GE(town.slot, 0);
    MineWestOf(town);
    Opponent(1).turn_pending = Opponent(2).turn_pending = 0;
    Opponent(0).TakeTurn();
    ASSERT_FALSE(Opponent(0).step_lists[0].empty());
    const BuildStep store = DecodeStep(Opponent(0).step_lists[0].front());
    ASSERT_EQ(store.kind, StepKind::Store);
    {
        // The player builds a depot on the store's site first.
        const ActingPlayerScope player(0);
        int32_t number = 0;
        ASSERT_EQ(PlaceForActingPlayer({kTypeTruckDepot, store.x, store.y}, 0, number),
                  ActionResult::Done);
    }
    const bool runs = TurnsUntil(0, 8, [&] { return Runs(0); });
    ASSERT_TRUE(runs);
    const Chain chain = Chains(0).front();
    const CBuilding* built = buildings_.At(chain.store);
    ASSERT_NE(built, nullptr);
    EXPECT_NE(std::pair(built->anchor_x, built->anchor_y), std::pair(store.x, store.y));
    EXPECT_EQ(FieldAt(built->anchor_x, built->anchor_y)->stadtnum(), town.slot + 1);
    EXPECT_TRUE(Opponent(0).step_list_c.empty());  // nothing given up
}

// A chain given up leaves its store and factory standing; the next chain of
// that town uses them again instead of paying for new ones.
TEST_F(OpponentCauses, AGivenUpChainsStoreIsUsedAgain) {
    // A town that leaves the store a depot front the factory's road can
    // reach (seed 1's town grows around it).
    const Town town = FoundTown(100, 100, 2);
    ASSERT_GE(town.slot, 0);
    MineWestOf(town, -6);
    Opponent(1).turn_pending = Opponent(2).turn_pending = 0;
    ASSERT_TRUE(TurnsUntil(0, 8, [&] { return Runs(0); }));
    const Chain first = Chains(0).front();
    {
        const OpponentStyle style = StyleOfProfile(GS().opponent_profiles[0]);
        TurnBudget budget;
        OpponentSteps steps(Opponent(0), style, budget);
        steps.GiveUp(Opponent(0).plan_list_b.front());
    }
    EXPECT_TRUE(ChainVehicles(Opponent(0), first.id).empty());
    // A second mine: the combination given up is set aside, this one is new.
    const int32_t second_mine = MineWestOf(town, 6);
    const int64_t cash = GS().cash[1];
    Months(1);
    ASSERT_TRUE(TurnsUntil(0, 8, [&] { return Chains(0).size() == 2 && Runs(0); }));
    const Chain next = Chains(0).front();
    EXPECT_EQ(next.site, second_mine);
    EXPECT_EQ(std::pair(next.store, next.factory), std::pair(first.store, first.factory));
    // Depots, a road and trucks, but no store or factory were paid for.
    EXPECT_GT(GS().cash[1], cash - GS().building_types[kTypeToyStore].build_price);
}

// A chain given up before its store had a depot leaves a store no chain
// could serve: the opponent demolishes it through the area demolition and
// pays the demolition as the player would; the player still may not.
TEST_F(OpponentCauses, AGivenUpChainsStoreWithoutADepotIsDemolished) {
    const Town town = FoundTown(100, 100);
    ASSERT_GE(town.slot, 0);
    MineWestOf(town);
    Opponent(1).turn_pending = Opponent(2).turn_pending = 0;
    Opponent(0).TakeTurn();
    ASSERT_EQ(Chains(0).size(), 1u);
    // No depot site at the store could be reached: its step never succeeds.
    Opponent(0).step_lists[0].remove_if([](const StepNode& node) {
        const BuildStep step = DecodeStep(node);
        return step.kind == StepKind::Depot && step.args[0] == kStoreDepot;
    });
    Months(1);
    ASSERT_TRUE(TurnsUntil(0, 8, [&] {
        const std::vector<Chain> chains = Chains(0);
        return !chains.empty() && chains.front().store != 0 && chains.front().factory != 0;
    }));
    Chain chain = Chains(0).front();
    ASSERT_EQ(chain.terminals[kStoreDepot], 0);
    {
        const OpponentStyle style = StyleOfProfile(GS().opponent_profiles[0]);
        TurnBudget budget;
        OpponentSteps steps(Opponent(0), style, budget);
        steps.GiveUp(Opponent(0).plan_list_b.front());
    }
    const CBuilding* store = buildings_.At(chain.store);
    ASSERT_NE(store, nullptr);
    const int32_t type = store->type;
    const int32_t x = store->anchor_x;
    const int32_t y = store->anchor_y;
    int32_t x1 = x + GS().building_types[type].floor_width - 1;
    int32_t y1 = y + GS().building_types[type].floor_depth - 1;
    EXPECT_EQ(terrain_->DemolitionCost(x, y, x1, y1), -1);  // not the player's
    EXPECT_EQ(terrain_->DemolitionCost(x, y, x1, y1, 1), DemolitionPriceOfType(type));
    const int64_t cash = GS().cash[1];
    const int64_t player_cash = GS().cash[0];
    Months(1);
    Opponent(0).TakeTurn();
    EXPECT_EQ(buildings_.At(chain.store), nullptr);
    EXPECT_EQ(GetBuildingTypeAt(x, y), kOffMap);
    EXPECT_EQ(FieldAt(x, y)->spieler(), 0);
    EXPECT_EQ(GS().cash[1], cash - DemolitionPriceOfType(type));
    EXPECT_EQ(GS().cash[0], player_cash);
    // The record forgets the number; the factory stands for the next chain.
    chain = Chains(0).back();
    EXPECT_EQ(chain.state, ChainState::GivenUp);
    EXPECT_EQ(chain.store, 0);
    ASSERT_NE(buildings_.At(chain.factory), nullptr);
    EXPECT_EQ(buildings_.At(chain.factory)->owner, 1);
}

// With little cash left and nothing running, the opponent starts the
// cheapest chain with one truck, spending down to its lean reserve.
TEST_F(OpponentCauses, AnOpponentWithLittleCashStartsAOneTruckChain) {
    const Town town = FoundTown(100, 100);
    ASSERT_GE(town.slot, 0);
    MineWestOf(town);
    Opponent(1).turn_pending = Opponent(2).turn_pending = 0;
    const OpponentStyle style = StyleOfProfile(GS().opponent_profiles[0]);
    // Cash minus reserve pays for no jewelry chain (a factory and a store
    // alone cost 373,000); cash minus the lean reserve does.
    GS().cash[1] = style.reserve + 300000;
    ASSERT_TRUE(TurnsUntil(0, 8, [&] { return Runs(0); }));
    const Chain chain = Chains(0).front();
    EXPECT_TRUE(chain.lean);
    EXPECT_EQ(ChainVehicles(Opponent(0), chain.id).size(), 1u);
    EXPECT_LT(GS().cash[1], style.reserve);
    EXPECT_GE(GS().cash[1], LeanReserve(style));
    Months(6);
    EXPECT_GT(Delivered(chain, kCurrentMonth - 3), 0);
}

// Three opponents play a generated world for 20 years: each earns in every
// one of the last ten years from a delivering chain, spends only to its
// reserve (the lean reserve while it builds a one-truck chain), never ends a
// month in debt; the graph matches the map; saves at years 10 and 20 keep
// the game. Three worlds: profiles 0, 3, 4; 1, 2, 0; 2, 4, 1.
constexpr int32_t kSummer = 2;
constexpr int32_t kYears = 20;
constexpr int32_t kOpponents = 3;

class OpponentSoak : public OpponentWorld {
  protected:
    // The world of `seed` with opponents of the `profiles`.
    void Generate(uint32_t seed, const int32_t (&profiles)[kOpponents]) {
        const std::vector<uint8_t> bytes =
            standin::EncodeLandscapeFile(standin::MakeLandscapeStamps(kSummer));
        folder_.Write("summer/2berge", std::string(bytes.begin(), bytes.end()));
        for (auto& path : GS().data_paths)
            std::snprintf(path, kDataPathLength, "%s", folder_.Path().c_str());
        GS().install_index = 0;
        GS().season = kSummer;
        plat::Srand(seed);
        ResetMapFields();
        terrain_->GenerateLandscape();
        RecreateOpponents(profiles);
    }
    // The cash a spending turn keeps: the reserve, or the lean reserve while
    // a one-truck chain is built.
    int64_t Reserve(int32_t slot) {
        const OpponentStyle style =
            StyleOfProfile(GS().opponent_profiles[Opponent(slot).profile_index]);
        for (const Chain& chain : Chains(slot)) {
            if (chain.state == ChainState::Building && chain.lean) return LeanReserve(style);
        }
        return style.reserve;
    }
    int64_t& Cash(int32_t slot) { return GS().cash[Opponent(slot).player_number]; }
    // One month: a spending turn leaves the reserve (not judged where the
    // tick, which books running costs, ran too).
    void PlayMonth() {
        const int32_t end = GameMonth() + 1;
        while (GameMonth() < end) {
            int64_t cash[kOpponents], countdown[kOpponents];
            for (int32_t s = 0; s < kOpponents; ++s)
                std::tie(cash[s], countdown[s]) = std::pair(Cash(s), Opponent(s).turn_countdown);
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
    // What a save and load must keep: buildings (number, type, owner) and
    // vehicles (number, owner, model, schedule), by number.
    std::string Snapshot() {
        std::string p;
        for (int32_t n = kFirstBuildingSlot; n <= kLastBuildingSlot; ++n) {
            if (const CBuilding* b = buildings_.At(n))
                p += std::to_string(n) + ' ' + std::to_string(b->type * 10 + b->owner) + ';';
        }
        std::map<int32_t, std::string> vehicles;
        for (const VehicleListNode* node = g_pVehicleList; node != nullptr; node = node->next) {
            const CVehicle& v = *node->vehicle;
            if (v.number < 1) continue;  // city cars
            vehicles[v.number] =
                std::to_string(v.owner * 1000 + v.model) + ' ' + std::to_string(v.stop_count) +
                std::string(reinterpret_cast<const char*>(v.schedule), sizeof v.schedule);
        }
        for (const auto& [number, v] : vehicles) p += std::to_string(number) + ' ' + v;
        return p;
    }
    // Save, load, save, load, save: the game comes back whole and the third
    // file is the first (a load lists the vehicles in the reverse of the
    // file's order). A plan naming a store its opponent does not own is damage.
    void SaveLoadSave(int32_t year) {
        SCOPED_TRACE(year);
        const std::string first = folder_.Path() + "/first.lvl";
        const std::string second = folder_.Path() + "/second.lvl";
        const std::string before = Snapshot();
        fvtest::EvaluateCitiesForSave();
        ASSERT_TRUE(SaveGameFile(first));
        ASSERT_EQ(LoadSavedGame(first), LevelLoadResult::Loaded);
        EXPECT_TRUE(Snapshot() == before);
        ASSERT_TRUE(SaveGameFile(second));
        ASSERT_EQ(LoadSavedGame(second), LevelLoadResult::Loaded);
        ASSERT_TRUE(SaveGameFile(second));
        EXPECT_TRUE(folder_.Read("second.lvl") == folder_.Read("first.lvl"))
            << "the third save differs";
        for (const Chain& chain : Chains(0)) {
            CBuilding* store = buildings_.At(chain.store);
            if (chain.state != ChainState::Running || store == nullptr) continue;
            // A building's owner is read back from its anchor field.
            MapField& anchor = *FieldAt(store->anchor_x, store->anchor_y);
            anchor.set_spieler(0);
            ASSERT_TRUE(fvtest::WriteLevelUnchecked(second));  // the saver would not write it
            anchor.set_spieler(Opponent(0).player_number);
            EXPECT_EQ(LoadSavedGame(second), LevelLoadResult::Rejected);
            EXPECT_TRUE(Snapshot() == before);
            break;
        }
    }
    TempFolder folder_;
    int32_t spending_turns_ = 0;
    int32_t turns_[kOpponents] = {};

    void PlayTwentyYears();
};

void OpponentSoak::PlayTwentyYears() {
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
            delivering = delivering || (chain.state == ChainState::Running &&
                                        Delivered(chain, kCurrentMonth - 3, kCurrentMonth - 1) > 0);
        }
        EXPECT_TRUE(delivering) << "slot " << s;
    }
    // Play goes on after the last load: every opponent takes turns.
    const std::vector<int32_t> turns(std::begin(turns_), std::end(turns_));
    for (int32_t month = 0; month < 3; ++month) PlayMonth();
    for (int32_t s = 0; s < kOpponents; ++s) EXPECT_GT(turns_[s], turns[s]) << "slot " << s;
}

TEST_F(OpponentSoak, TwentyYearsOfThreeOpponents) {
    Generate(11, {0, 3, 4});
    PlayTwentyYears();
}

TEST_F(OpponentSoak, TwentyYearsOfProfilesOneTwoAndZero) {
    Generate(12, {1, 2, 0});
    PlayTwentyYears();
}

TEST_F(OpponentSoak, TwentyYearsOfProfilesTwoFourAndOne) {
    Generate(13, {2, 4, 1});
    PlayTwentyYears();
}

}  // namespace
}  // namespace fvtest
