// Opponents play whole turns on a small world (a gold mine 40 fields west of
// a city): they build chains from their own cash, run, repair and give them up.

#include "economy/store.h"
#include "game/opponent_fleet.h"
#include "game/opponent_roster.h"
#include "game/opponent_steps.h"
#include "opponent_world.h"
#include "platform/temp_folder.h"
#include "state/acting_player.h"
#include "state/data_tables.h"
#include "support/way_graph_check.h"
#include "transport/vehicle_list.h"
#include "transport/vehicle_purchase.h"

namespace fvtest {
namespace {

constexpr int32_t kGoldJewelry = 29;

class OpponentPlayTest : public OpponentWorld {
  protected:
    void SetUp() override {
        site_ = PlaceSite(kTypeMine, 60, 100);
        city_ = FoundCity(100, 100, 1500);
        ASSERT_GE(city_, 0);
        Opponent(1).turn_pending = 0;  // only slot 0 (profile 0) plays
        Opponent(2).turn_pending = 0;
    }
    // Slot 0's chain, built and running.
    Chain Running() {
        EXPECT_TRUE(TurnUntilRunning(0, 6));
        return Chains(0).front();
    }
    int32_t site_ = 0;
    int32_t city_ = -1;
};

// One chain through its life: built from the opponent's own cash (leaving
// the player's tool state as it was), a halted truck released, its plans
// through the record, a cut road repaired, and given up once it loses.
TEST_F(OpponentPlayTest, ChainIsBuiltDeliversSurvivesTheRecordIsRepairedAndGivenUp) {
    const int64_t playerCash = GS().cash[0];
    GS().selected_building_type = 22;
    GS().build_orientation = 3;
    GS().mine_kind = 2;
    GS().placement_city = 7;
    g_pWayNetwork->current_way_type = kWayRail;
    g_pWayNetwork->PushPathCell(5, 6);
    g_pWayNetwork->PushPathCell(4, 6);
    const Chain chain = Running();
    EXPECT_EQ(std::tuple(GS().selected_building_type, GS().build_orientation, GS().mine_kind,
                         GS().placement_city, g_pWayNetwork->current_way_type),
              std::tuple(22, 3, 2, 7, kWayRail));
    const PathCell* c = g_pWayNetwork->path_list;
    ASSERT_TRUE(c != nullptr && c->next != nullptr);
    EXPECT_EQ(c->x * 1000 + c->next->x, 4005);
    EXPECT_EQ(g_ActingPlayer, 0);
    EXPECT_EQ(GS().active_opponent, -1);
    EXPECT_EQ(Opponent(0).turn_pending, 1000);  // it keeps taking part

    EXPECT_EQ(std::tuple(chain.product, chain.site, chain.city_slot),
              std::tuple(kGoldJewelry, site_, city_));
    for (const int32_t n : {chain.store, chain.factory, chain.terminals[kStoreDepot],
                            chain.terminals[kSiteDepot], chain.terminals[kFactoryDepot]}) {
        const CBuilding* b = buildings_.At(n);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->owner, 1);
        EXPECT_EQ(FieldAt(b->anchor_x, b->anchor_y)->spieler(), 1);
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
    for (const CVehicle* truck : trucks) {
        EXPECT_EQ(truck->owner, 1);
        EXPECT_EQ(truck->cargo_plan[1][0][0], 5);  // gold at the mine's depot
        EXPECT_EQ(truck->cargo_plan[2][0][0], kGoldJewelry);
    }

    // A halted truck is released while the store wants more.
    trucks[0]->halted = 1;
    trucks[0]->halt_at_stop[0] = 1;
    ASSERT_LT(Delivered(chain, 0),
              buildings_.At(chain.store)->GetMonthlyDemand(kCurrentMonth, chain.product));
    Opponent(0).TakeTurn();
    EXPECT_EQ(std::pair(trucks[0]->halted, trucks[0]->halt_at_stop[0]), std::pair(0, 0));

    // The record: a load claims the planned vehicles again; a plan naming a
    // vehicle another opponent claimed, or a building of another owner, is
    // damage.
    TempFolder folder;
    const auto save = [&](const COpponent& o) {
        plat::FileHandle file = plat::OpenFile(folder.Path() + "/rec", plat::OpenMode::Create);
        o.Save(file);
        plat::CloseFile(file);
        return folder.Read("rec");
    };
    const std::string first = save(Opponent(0));
    for (CVehicle* v : trucks) v->owner = 0;  // as a load leaves them
    COpponent loaded(0, 0, COpponent::Detached{});
    plat::FileHandle file = plat::OpenFile(folder.Path() + "/rec", plat::OpenMode::Read);
    ASSERT_EQ(loaded.Load(file), OpponentLoadResult::Loaded);
    plat::CloseFile(file);
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
    EXPECT_GT(Delivered(chain, 3), 0);
    EXPECT_GT(g_Statistics.PairThis(kPairReceipts, 1) + g_Statistics.PairLast(kPairReceipts, 1), 0);
    EXPECT_EQ(g_Statistics.PairThis(kPairReceipts, 0), 0);

    // Cut the road between mine and factory in the middle of a straight.
    int32_t fx = 0;
    int32_t fy = 0;
    ASSERT_TRUE(DepotFront(chain.terminals[kSiteDepot], fx, fy));
    int32_t cx = -1;
    int32_t cy = -1;
    for (int32_t x = fx + 4; x < fx + 14 && cx < 0; ++x) {
        for (int32_t y = fy - 14; y <= fy && cx < 0; ++y) {
            const MapField& f = *FieldAt(x, y);
            if (f.wegtyp() == kWayAsphaltRoad && f.spieler() == 1 && !f.knoten()) cx = x, cy = y;
        }
    }
    ASSERT_GE(cx, 0);
    g_pWayNetwork->DemolishWayField(cx, cy, 1);
    ASSERT_FALSE(DepotsJoined(chain.terminals[kSiteDepot], chain.terminals[kFactoryDepot]));
    Months(8);
    EXPECT_TRUE(DepotsJoined(chain.terminals[kSiteDepot], chain.terminals[kFactoryDepot]));
    EXPECT_EQ(DecodeChain(Opponent(0).plan_list_b.front()).state, ChainState::Running);
    EXPECT_GT(Delivered(chain, 1), 0);
    EXPECT_TRUE(GraphMatchesMap(*g_pWayNetwork, 0, 0, 255, 255));

    // Priced into loss: given up after the patience checks; what stands stays.
    GoodsRecord& jewelry = GS().goods[kGoldJewelry];
    jewelry.price = jewelry.production_cost / 4;
    Months(4 + 6 + 3);
    const Chain after = Chains(0).back();
    ASSERT_EQ(after.id, chain.id);
    EXPECT_EQ(after.state, ChainState::GivenUp);
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
        int64_t cash[4];
        for (int32_t q = 0; q < 4; ++q) cash[q] = GS().cash[q] = 500000;
        int32_t number = 0;
        ASSERT_EQ(PlaceForActingPlayer(depot, 0, number), ActionResult::Done);
        const int64_t road = PlanRoadForActingPlayer(x + 1, 40, x + 1, 50);
        ASSERT_EQ(LayRoadForActingPlayer(x + 1, 40, x + 1, 50, 0), ActionResult::Done);
        EXPECT_EQ(road, 11 * 220);
        EXPECT_EQ(std::tuple(buildings_.At(number)->owner, FieldAt(x, 40)->spieler(),
                             FieldAt(x + 1, 45)->spieler()),
                  std::tuple(p, p, p));
        for (int32_t q = 0; q < 4; ++q) {
            EXPECT_EQ(GS().cash[q], cash[q] - (q == p ? price + road : 0)) << q;
        }
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

// A bold opponent (profile 4) brings gold 60 fields by rail to its factory
// and the jewelry on by truck.
TEST_F(OpponentWorld, LongHaulOfABoldOpponentBecomesARailChainThatDelivers) {
    PlaceSite(kTypeSteelMill, 40, 100);
    const int32_t city = FoundCity(100, 100, 1500);
    ASSERT_GE(city, 0);
    RecreateOpponents({4, -1, -1});
    ASSERT_TRUE(TurnUntilRunning(0, 8));
    const Chain chain = Chains(0).front();
    EXPECT_EQ(chain.mode, ChainMode::Rail);
    const std::vector<CVehicle*> trains = ChainVehicles(Opponent(0), chain.id, ChainLeg::Rail);
    ASSERT_EQ(trains.size(), 1u);
    EXPECT_EQ(trains[0]->owner, 1);
    EXPECT_TRUE(DepotsJoined(chain.terminals[kSiteStation], chain.terminals[kFactoryStation]));
    EXPECT_TRUE(MirrorInvariantHolds(*g_pWayNetwork));  // the train holds its platform link
    Months(8);
    EXPECT_GT(Delivered(chain, 3), 0);
}

}  // namespace
}  // namespace fvtest
