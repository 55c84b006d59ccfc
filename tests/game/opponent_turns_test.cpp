// Making opponents from their profiles and their turn schedule as the main
// loop runs it on the fake clock: the weekly countdown of the game tick, the
// choice of the next opponent in an idle pass and the reset of its turn.

#include <cstring>
#include <tuple>

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
    void ExpectCountdowns(int32_t a, int32_t b, int32_t c) {
        EXPECT_EQ(std::tuple(opponent(0).turn_countdown, opponent(1).turn_countdown,
                             opponent(2).turn_countdown),
                  std::tuple(a, b, c));
    }

    plat::HeadlessBackend host_;
    CGameApp app_;
};

// A profile name longer than the company name field is cut to it, and the
// next player's name is untouched.
TEST_F(OpponentTurnTest, LongProfileNameIsCutToTheCompanyNameField) {
    OpponentProfile& profile = state().opponent_profiles[4];
    std::memset(profile.name, 'x', sizeof(profile.name) - 1);
    profile.name[sizeof(profile.name) - 1] = '\0';
    std::memset(state().company_names[2], 'y', sizeof(state().company_names[2]));
    std::memset(state().company_names[3], 'z', sizeof(state().company_names[3]));
    COpponent o(1, 4);
    EXPECT_EQ(std::strlen(state().company_names[2]), sizeof(state().company_names[2]) - 1);
    EXPECT_EQ(state().company_names[2][0], 'x');
    EXPECT_EQ(state().company_names[3][0], 'z');
}

TEST_F(OpponentTurnTest, ProfileZeroTurnsEveryTwoGameWeeksAndKeepsTakingPart) {
    ExpectCountdowns(2, 4, 6);  // each profile's interval
    PassWeek();
    EXPECT_EQ(opponent(0).turn_countdown, 1);
    PassWeek();
    EXPECT_EQ(opponent(0).turn_countdown, 0);  // the step of that pass came before the tick
    Pass();
    EXPECT_EQ(
        std::tuple(state().active_opponent, opponent(0).turn_pending, opponent(0).turn_countdown),
        std::tuple(-1, 1000, 2));
    // Its countdown runs on; profile 1 turns after its four weeks.
    PassWeek();
    PassWeek();
    ExpectCountdowns(0, 0, 2);
    Pass();
    Pass();
    ExpectCountdowns(2, 4, 2);
    EXPECT_EQ(opponent(1).turn_pending, 1000);
}

TEST_F(OpponentTurnTest, ActiveOpponentFirstThenMinusOneBeforeZeroAndTiesToTheLowerSlot) {
    opponent(1).plan_list_a.push_back(PlanNode{});
    opponent(1).turn_ref_2 = &opponent(1).plan_list_a.front();
    state().active_opponent = 1;
    ExpectCountdowns(2, 4, 6);
    opponent(0).turn_countdown = 0;
    opponent(1).turn_countdown = 3;
    opponent(2).turn_countdown = -1;
    Pass();  // the active one has its turn and drops its references
    ExpectCountdowns(0, 4, -1);
    EXPECT_EQ(opponent(1).turn_ref_2, nullptr);
    EXPECT_EQ(state().active_opponent, -1);
    opponent(1).turn_countdown = 0;
    Pass();  // one turn per pass
    ExpectCountdowns(0, 0, 6);
    Pass();
    ExpectCountdowns(2, 0, 6);
    Pass();
    ExpectCountdowns(2, 4, 6);
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
    EXPECT_EQ(
        std::pair(opponent(2).plan_list_b.front().vehicle, opponent(2).plan_list_b.back().vehicle),
        std::pair<CVehicle*, CVehicle*>(nullptr, kept));
}

}  // namespace
}  // namespace fvtest
