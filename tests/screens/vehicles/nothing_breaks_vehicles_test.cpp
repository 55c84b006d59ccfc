// The vehicle overview in a game where the computer opponents run trucks and
// trains of their own beside the player's: the overview lists the player's
// vehicles only, and its go-to takes the view to the player's vehicle.

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "screens/vehicles/vehicle_screen_host.h"
#include "transport/train.h"
#include "transport/vehicle_purchase.h"

namespace {

constexpr int32_t kRival = 1;
constexpr int32_t kTruckModel = 0;
constexpr int32_t kTrainModel = 10;

// The vehicle screens' host, outside a fixture so that the suite takes
// cases from other files.
struct OverviewHost : vehscreens::VehicleHost {
    void TestBody() override {}
    using vehscreens::VehicleHost::gs;
    using vehscreens::VehicleHost::h;
    using vehscreens::VehicleHost::Truck;
    VehicleOverviewPage* Open(int32_t kind) {
        gs().last_overview_kind = kind;
        return OpenBy<VehicleOverviewPage>(kMsgOpenVehicleOverview, FrameScreen::VehicleOverview);
    }
    void PressOn(const VehicleOverviewPage& page, uint16_t command) { Press(page, command); }
    std::pair<int32_t, int32_t> SelectedField() const { return {view_->cursor_x, view_->cursor_y}; }
};

TEST(NothingBreaks, TheVehicleOverviewListsOnlyThePlayersVehicles) {
    OverviewHost host;
    host.gs().cash[kRival] = 10000000;
    // The player's truck and train first; the rival buys later, so its
    // vehicles stand at the head of the vehicle list.
    CVehicle* my_truck = host.Truck(31, 50, {{30, 50}});
    CVehicle* my_train = new CTrain(20, 20, "A", kTrainModel, kWayRail);
    std::vector<CVehicle*> rivals;
    for (int32_t i = 0; i < 2; ++i) {
        rivals.push_back(BuyVehicle(kRival, kTruckModel, 40 + i, 50));
        rivals.push_back(BuyVehicle(kRival, kTrainModel, 30 + i, 20, kWayRail));
    }
    for (const CVehicle* v : rivals) ASSERT_NE(v, nullptr);

    struct Kind {
        int32_t kind;
        CVehicle* mine;
    };
    for (const Kind& k : {Kind{0, my_truck}, Kind{1, my_train}}) {
        SCOPED_TRACE(k.kind);
        VehicleOverviewPage* page = host.Open(k.kind);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->kind, k.kind);
        EXPECT_EQ(std::pair(page->counts[k.kind], page->lists[k.kind][0]), std::pair(1, k.mine));
        EXPECT_EQ(page->lists[k.kind][1], nullptr);
        EXPECT_EQ(page->counts[1 - k.kind], 1);
        // One vehicle: paging forward stays on it; the go-to moves the view
        // to the player's vehicle.
        host.PressOn(*page, kCmdOverviewOn);
        EXPECT_EQ(page->first, 0);
        host.PressOn(*page, kCmdOverviewGoTo);
        EXPECT_EQ(host.h.frame->Screen(FrameScreen::VehicleOverview), nullptr);
        const std::pair<int32_t, int32_t> at{k.mine->pos_x, k.mine->pos_y};
        EXPECT_EQ(host.SelectedField(), at);
    }
}

}  // namespace
