// Opponents play a generated world through the main loop (profiles 0, 3 and
// 4, no autosave): none ever ends a month in debt, and the first keeps a
// running chain that delivers. FV_SOAK_YEARS sets the game years played
// (default 3, a few seconds under the sanitizers).

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "economy/building.h"
#include "economy/store.h"
#include "game/opponent_roster.h"
#include "landscape_templates.h"
#include "opponent_world.h"
#include "platform/random.h"
#include "platform/temp_folder.h"
#include "world/map_reset.h"

namespace fvtest {
namespace {

constexpr int32_t kSummer = 2;

int32_t SoakYears() {
    const char* text = std::getenv("FV_SOAK_YEARS");
    const int32_t years = text != nullptr ? std::atoi(text) : 0;
    return years > 0 ? years : 3;
}

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
    // Units of the chain's product its store took in the last three months.
    int32_t Delivered(const Chain& chain) {
        CBuilding* store = buildings_.At(chain.store);
        int32_t sum = 0;
        for (int32_t m = kCurrentMonth - 3; m <= kCurrentMonth && store != nullptr; ++m) {
            sum += store->GetMonthlyDeliveries(m, chain.product);
        }
        return sum;
    }
    TempFolder folder_;
};

TEST_F(OpponentSoak, OpponentsPlayWithinTheirMeansAndTheFirstDelivers) {
    const int32_t years = SoakYears();
    for (int32_t month = 1; month <= years * 12; ++month) {
        Months(1);
        for (int32_t p = 1; p <= 3; ++p) ASSERT_GE(GS().cash[p], 0) << "player " << p;
    }
    bool delivering = false;
    for (const Chain& chain : Chains(0)) {
        delivering = delivering || (chain.state == ChainState::Running && Delivered(chain) > 0);
    }
    EXPECT_TRUE(delivering);
}

}  // namespace
}  // namespace fvtest
