// Making opponents from their profiles and their turn schedule as the main
// loop runs it on the fake clock: the weekly countdown of the game tick, the
// choice of the next opponent in an idle pass and the reset of its turn.

#include <cstring>

#include "app/app_globals.h"
#include "app/game_app.h"
#include "game/opponent_fixture.h"
#include "platform/headless/headless_backend.h"

namespace fvtest {
namespace {

class OpponentTurnTest : public OpponentTest {
  protected:
    void SetUp() override {
        OpponentTest::SetUp();
        state().game_mode = kModeGame;
    }
    // An idle pass after the opponents' 11 ms have passed.
    void Pass() {
        host_.AdvanceClock(11);
        app_.OnIdle(0);
    }
    // An idle pass after a tick length: the opponent step, then a game week.
    void PassWeek() {
        host_.AdvanceClock(g_TickLength + 1);
        app_.OnIdle(0);
    }

    plat::HeadlessBackend host_;
    CGameApp app_;
};

TEST_F(OpponentTurnTest, NewOpponentsTakeMoneyNameAndIntervalFromTheirProfile) {
    for (int32_t slot = 0; slot < 3; ++slot) {
        const COpponent& o = opponent(slot);
        const OpponentProfile& profile = state().opponent_profiles[slot];
        EXPECT_EQ(o.player_number, slot + 1);
        EXPECT_EQ(o.profile_index, slot);
        EXPECT_EQ(o.turn_countdown, profile.turn_interval);
        EXPECT_EQ(o.turn_pending, 1000);
        EXPECT_EQ(o.in_use, 1);
        EXPECT_EQ(o.takeover_year, 2060);
        EXPECT_EQ(o.takeover_percent, 100);
        EXPECT_EQ(state().cash[slot + 1], profile.start_capital);
        EXPECT_STREQ(state().company_names[slot + 1], profile.name);
        for (int32_t word : o.slot_table.words) EXPECT_EQ(word, -1);
    }
    EXPECT_EQ(opponent(0).turn_countdown, 2);
}

TEST_F(OpponentTurnTest, LongProfileNameIsCutToTheCompanyNameField) {
    OpponentProfile& profile = state().opponent_profiles[4];
    std::memset(profile.name, 'x', sizeof(profile.name) - 1);
    profile.name[sizeof(profile.name) - 1] = '\0';
    std::memset(state().company_names[2], 'y', sizeof(state().company_names[2]));
    std::memset(state().company_names[3], 'z', sizeof(state().company_names[3]));
    COpponent o(1, 4);
    EXPECT_EQ(std::strlen(state().company_names[2]), sizeof(state().company_names[2]) - 1);
    EXPECT_EQ(state().company_names[2][0], 'x');
    EXPECT_EQ(state().company_names[3][0], 'z');  // the next player's name is untouched
}

TEST_F(OpponentTurnTest, ProfileZeroTurnsEveryTwoGameWeeksAndKeepsTakingPart) {
    PassWeek();
    EXPECT_EQ(opponent(0).turn_countdown, 1);
    PassWeek();
    EXPECT_EQ(opponent(0).turn_countdown, 0);  // the step of that pass came before the tick

    Pass();
    EXPECT_EQ(state().active_opponent, -1);
    EXPECT_EQ(opponent(0).turn_pending, 1000);
    EXPECT_EQ(opponent(0).turn_countdown, 2);

    // Its countdown runs on; profile 1 turns after its four weeks.
    PassWeek();
    PassWeek();
    EXPECT_EQ(opponent(0).turn_countdown, 0);
    EXPECT_EQ(opponent(1).turn_countdown, 0);
    Pass();
    Pass();
    EXPECT_EQ(opponent(0).turn_countdown, 2);
    EXPECT_EQ(opponent(1).turn_countdown, 4);
    EXPECT_EQ(opponent(2).turn_countdown, 2);
    EXPECT_EQ(opponent(1).turn_pending, 1000);
}

TEST_F(OpponentTurnTest, MinusOneBeatsZeroAndTiesGoToTheLowerSlot) {
    opponent(0).turn_countdown = 0;
    opponent(1).turn_countdown = -1;
    opponent(2).turn_countdown = 0;
    Pass();
    EXPECT_EQ(opponent(1).turn_countdown, 4);
    EXPECT_EQ(opponent(0).turn_countdown, 0);
    EXPECT_EQ(opponent(2).turn_countdown, 0);
    // One turn per pass: then the lower of the two at 0.
    Pass();
    EXPECT_EQ(opponent(0).turn_countdown, 2);
    EXPECT_EQ(opponent(2).turn_countdown, 0);
    Pass();
    EXPECT_EQ(opponent(2).turn_countdown, 6);
    EXPECT_EQ(state().active_opponent, -1);
}

TEST_F(OpponentTurnTest, ActiveOpponentHasItsTurnAndDropsItsReferences) {
    opponent(1).plan_list_a.push_back(PlanNode{});
    opponent(1).turn_ref_2 = &opponent(1).plan_list_a.front();
    opponent(0).turn_countdown = -5;
    state().active_opponent = 1;
    Pass();
    EXPECT_EQ(opponent(1).turn_countdown, 4);
    EXPECT_EQ(opponent(1).turn_ref_2, nullptr);
    EXPECT_EQ(opponent(0).turn_countdown, -5);
    EXPECT_EQ(state().active_opponent, -1);
}

TEST_F(OpponentTurnTest, ForgettingAVehicleDropsItsVehiclePlansAndClearsOtherReferences) {
    FakeVehicleList vehicles;
    CVehicle* gone = vehicles.Add(1);
    CVehicle* kept = vehicles.Add(2);
    PlanNode node;
    node.vehicle = gone;
    opponent(0).plan_list_a.push_back(node);
    opponent(2).plan_list_b.push_back(node);
    node.vehicle = kept;
    opponent(2).plan_list_b.push_back(node);
    ForgetVehicleInOpponents(gone);
    EXPECT_TRUE(opponent(0).plan_list_a.empty());
    EXPECT_EQ(opponent(2).plan_list_b.front().vehicle, nullptr);
    EXPECT_EQ(opponent(2).plan_list_b.back().vehicle, kept);
}

}  // namespace
}  // namespace fvtest
