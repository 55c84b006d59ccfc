// A free game on a generated world with the real frame, world view and
// control panel, played by clicks: a truck bought at a depot, given its
// schedule on the network map and driving it; the vehicle overview with a
// schedule edited from it and "go to"; the truck scrapped. Each screen is
// written as a PNG into FV_GOLDEN_PNG.

#include <gtest/gtest.h>

#include "../economy/free_game_by_clicks.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <tuple>
#include <vector>

#include "app/main_frame.h"
#include "economy/building_table.h"
#include "economy/train_station.h"
#include "game/opponent_build.h"
#include "panel/control_panel.h"
#include "platform/temp_folder.h"
#include "screens/panel/popup_list.h"
#include "screens/vehicles/rail_purchase_screen.h"
#include "screens/vehicles/schedule_screen.h"
#include "screens/vehicles/truck_purchase_screen.h"
#include "screens/vehicles/vehicle_layout.h"
#include "screens/vehicles/vehicle_overview_screen.h"
#include "standin.h"
#include "state/acting_player.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "state/tree_images.h"
#include "state/world_images.h"
#include "support/frame_host.h"
#include "transport/vehicle_list.h"
#include "transport/vehicle_references.h"
#include "view/world_view.h"
#include "world/terrain.h"

namespace {

namespace vs = vehicle_screens;

constexpr int32_t kInformationHeading = 6;

class VehicleScreensAcceptance : public fvtest::FreeGameByClicks {
  protected:
    // Two depots of the player ten fields apart on one row, joined by an
    // asphalt road, built with the player's own builders; the west one.
    std::optional<plat::Point> DepotPair() {
        const ActingPlayerScope acting(0);
        for (int32_t y = 40; y < 210; y += 3) {
            for (int32_t x = 40; x < 200; x += 3) {
                if (PreviewPlacement({kTypeTruckDepot + 1, x, y}) <= 0 ||
                    PreviewPlacement({kTypeTruckDepot + 3, x + 10, y}) <= 0) {
                    continue;
                }
                bool clear = true;
                for (int32_t fx = x; fx <= x + 10 && clear; ++fx) {
                    const MapField* f = FieldAt(fx, y);
                    clear = f->data_word() == 0 && f->wegtyp() == 0 && f->stadtnum() == 0;
                }
                if (!clear || PlanRoadForActingPlayer(x + 1, y, x + 9, y) < 0) continue;
                int32_t a = 0;
                int32_t b = 0;
                if (PlaceForActingPlayer({kTypeTruckDepot + 1, x, y}, 0, a) != ActionResult::Done ||
                    PlaceForActingPlayer({kTypeTruckDepot + 3, x + 10, y}, 0, b) !=
                        ActionResult::Done ||
                    LayRoadForActingPlayer(x + 1, y, x + 9, y, 0) != ActionResult::Done) {
                    return std::nullopt;
                }
                JoinDepotToRoad(x, y, x + 1, y);
                JoinDepotToRoad(x + 10, y, x + 9, y);
                return plat::Point{x, y};
            }
        }
        return std::nullopt;
    }
    // Two stations of the player (rows along x) twelve fields apart, joined
    // by rail track between their platform rows; the west one's anchor.
    std::optional<plat::Point> StationPair() {
        const ActingPlayerScope acting(0);
        const int32_t type = kTypeTrainStation + 2;
        for (int32_t y = 40; y < 210; y += 3) {
            for (int32_t x = 40; x < 200; x += 3) {
                bool clear = true;
                for (int32_t fx = x - 1; fx <= x + 16 && clear; ++fx) {
                    for (int32_t fy = y; fy <= y + 1 && clear; ++fy) {
                        const MapField* f = FieldAt(fx, fy);
                        clear = f->data_word() == 0 && f->wegtyp() == 0 && f->stadtnum() == 0;
                    }
                }
                if (!clear) continue;
                // Levelled, as a player would level it first.
                const uint32_t height = FieldAt(x, y)->hoehe();
                for (int32_t fx = x - 2; fx <= x + 17; ++fx) {
                    for (int32_t fy = y - 2; fy <= y + 3; ++fy) {
                        FieldAt(fx, fy)->set_teile_diff(0);
                        FieldAt(fx, fy)->set_hoehe(height);
                    }
                }
                if (!clear || PreviewPlacement({type, x, y}) <= 0 ||
                    PreviewPlacement({type, x + 12, y}) <= 0) {
                    continue;
                }
                int32_t a = 0;
                int32_t b = 0;
                const ActionResult ra = PlaceForActingPlayer({type, x, y}, 0, a);
                const ActionResult rb = PlaceForActingPlayer({type, x + 12, y}, 0, b);
                const ActionResult rt = LayTrackForActingPlayer(x + 3, y + 1, x + 12, y + 1, 0);
                if (ra != ActionResult::Done || rb != ActionResult::Done ||
                    rt != ActionResult::Done) {
                    ADD_FAILURE() << int(ra) << " " << int(rb) << " " << int(rt) << " at " << x
                                  << "," << y;
                    return std::nullopt;
                }
                return plat::Point{x, y};
            }
        }
        return std::nullopt;
    }
    // The player's trucks and trains (the cities' traffic cars left out).
    static std::vector<CVehicle*> PlayerVehicles() {
        std::vector<CVehicle*> found;
        for (VehicleListNode* n = g_pVehicleList; n != nullptr; n = n->next) {
            const CVehicle* v = n->vehicle;
            if (v->owner == 0 && v->vehicle_class >= kVehicleTruck &&
                v->vehicle_class <= kVehicleSuperconductor) {
                found.push_back(n->vehicle);
            }
        }
        return found;
    }
    // Frames of the running game.
    template <typename Done>
    bool RunUntil(Done done, int32_t turns) {
        for (int32_t i = 0; i < turns; ++i) {
            if (done()) return true;
            h.host.AdvanceClock(30);
            h.Turn();
        }
        return done();
    }
};

TEST_F(VehicleScreensAcceptance, BuyScheduleDriveOverviewAndScrapATruck) {
    StartPlaying();
    const std::optional<plat::Point> west = DepotPair();
    ASSERT_TRUE(west.has_value());
    const int32_t x = west->x;
    const int32_t y = west->y;

    // 1. A click on the depot, the first truck type, OK.
    ClickPanel(panel().heading_rects[kHeadingNoTool]);
    ClickField(x, y);
    auto* buy = dynamic_cast<FS_FAHRZEUG_KAUF_LKW*>(h.frame->Screen(FrameScreen::TruckPurchase));
    ASSERT_NE(buy, nullptr);
    ClickPage(*buy, vs::kTruckModelList.left + 30, vs::kTruckModelList.top + 5);
    fvtest::MaybeSaveScreen("accept_truck_purchase");
    const int64_t cash = gs().cash[0];
    Press(*buy, kCmdVehicleBuy);
    ASSERT_EQ(PlayerVehicles().size(), 1u);
    CVehicle* truck = PlayerVehicles()[0];
    EXPECT_EQ(cash - gs().cash[0], gs().vehicle_models[truck->model].model_price);

    // Its schedule: the two depots on the map, a good for stop 0, OK.
    FS_FAHRPLAN_NEU* s = dynamic_cast<FS_FAHRPLAN_NEU*>(h.frame->Screen(FrameScreen::Schedule));
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(s->vehicle, truck);
    EXPECT_EQ(s->pick_count, 1);
    ClickMapField(*s, x, y);
    ClickPage(*s, vs::kStopRowLeft + 20, vs::kStopRowTop + vs::kStopRowStep + 5);
    ClickMapField(*s, x + 10, y);
    ClickPage(*s, vs::kGoodsCellLeft + 5, vs::kGoodsCellTop + 5);
    ASSERT_TRUE(s->popup->IsWindowVisible());
    ClickAt(s->popup->ClientToScreen(plat::Point{108 + 20, 42 + 20}));  // the first good
    EXPECT_EQ(s->stop_goods[0][0], 0);
    fvtest::MaybeSaveScreen("accept_schedule");
    Press(*s, kCmdScheduleOk);
    ASSERT_EQ(h.frame->Screen(FrameScreen::Schedule), nullptr);
    EXPECT_EQ(
        std::tuple(truck->stop_count, int(truck->schedule[0].x[0]), int(truck->schedule[1].x[0])),
        std::tuple(2, x, x + 10));
    EXPECT_EQ(std::tuple(gs().screen_open, truck->running_flag), std::tuple(0, 1));
    // The truck leaves the first depot and reaches the second.
    EXPECT_TRUE(RunUntil([&] { return truck->pos_x != x; }, 4000));
    EXPECT_TRUE(RunUntil([&] { return truck->pos_x == x + 10; }, 8000))
        << int(truck->pos_x) << "," << int(truck->pos_y);

    // 3. "Vehicles", the schedule of the truck, OK: the overview returns.
    ClickPanel(panel().heading_rects[kInformationHeading]);
    int32_t row = -1;
    for (int32_t r = 0; r < panel().entry_count; ++r) {
        if (panel().entry_command[r] == kCmdVehicleOverview) row = r;
    }
    ASSERT_GE(row, 0);
    ClickPanel(panel().row_rects[row]);
    auto* overview =
        dynamic_cast<VehicleOverviewPage*>(h.frame->Screen(FrameScreen::VehicleOverview));
    ASSERT_NE(overview, nullptr);
    EXPECT_EQ(overview->counts[0], 1);
    fvtest::MaybeSaveScreen("accept_vehicle_overview");
    Press(*overview, kCmdOverviewOpen);
    s = dynamic_cast<FS_FAHRPLAN_NEU*>(h.frame->Screen(FrameScreen::Schedule));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->vehicle, truck);
    Press(*s, kCmdScheduleOk);
    EXPECT_TRUE(overview->IsWindowVisible());
    // Go-to: the view's selected field is the truck's field, the camera on
    // it, and the overview zoom gives way to zoom 1.
    view().zoom = 16;
    Press(*overview, kCmdOverviewGoTo);
    EXPECT_EQ(h.frame->Screen(FrameScreen::VehicleOverview), nullptr);
    EXPECT_EQ(std::tuple(view().cursor_x, view().cursor_y),
              std::tuple(int(truck->pos_x), int(truck->pos_y)));
    EXPECT_EQ(std::tuple(view().zoom, view().centre_x, view().centre_y),
              std::tuple(1, (truck->pos_x - truck->pos_y) / 2.0,
                         (truck->pos_x + truck->pos_y) / 2.0 - view().view_origin));

    // 4. Scrapped from its schedule: gone from the list, cash unchanged.
    const int64_t before = gs().cash[0];
    ClickPanel(panel().heading_rects[kInformationHeading]);
    ClickPanel(panel().row_rects[row]);
    overview = dynamic_cast<VehicleOverviewPage*>(h.frame->Screen(FrameScreen::VehicleOverview));
    ASSERT_NE(overview, nullptr);
    Press(*overview, kCmdOverviewOpen);
    s = dynamic_cast<FS_FAHRPLAN_NEU*>(h.frame->Screen(FrameScreen::Schedule));
    ASSERT_NE(s, nullptr);
    Press(*s, kCmdScrapVehicle);
    EXPECT_TRUE(PlayerVehicles().empty());
    EXPECT_EQ(overview->counts[0], 0);
    EXPECT_EQ(gs().cash[0], before);
    Press(*overview, kCmdOk);
    EXPECT_EQ(gs().screen_open, 0);
}

TEST_F(VehicleScreensAcceptance, BuyAndScheduleATrainThatRunsToTheOtherStation) {
    StartPlaying();
    const std::optional<plat::Point> west = StationPair();
    ASSERT_TRUE(west.has_value());
    const int32_t x = west->x;
    const int32_t y = west->y;

    // Buy and cancel: the row is held while the screen is open and given
    // back whole each time.
    ClickPanel(panel().heading_rects[kHeadingNoTool]);
    const MapField* head = FieldAt(x, y);
    auto* station = dynamic_cast<CTrainStation*>(g_ppBuildings->At(head->geb_num()));
    ASSERT_NE(station, nullptr);
    for (int32_t round = 0; round < 2; ++round) {
        ClickField(x, y + 1);
        auto* shown = dynamic_cast<FS_FAHRZEUG_KAUF*>(h.frame->Screen(FrameScreen::RailPurchase));
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(station->IsTileOccupied(x, y + 1), 1) << round;
        Press(*shown, kCmdVehiclePurchaseCancel);
        EXPECT_EQ(station->IsTileOccupied(x, y + 1), 0) << round;
    }

    // 2. A click on the first field of the platform row, the first model, OK.
    ClickField(x, y + 1);
    auto* buy = dynamic_cast<FS_FAHRZEUG_KAUF*>(h.frame->Screen(FrameScreen::RailPurchase));
    ASSERT_NE(buy, nullptr);
    EXPECT_EQ(buy->kind, 2);
    fvtest::MaybeSaveScreen("accept_rail_purchase");
    Press(*buy, kCmdVehicleBuy);
    ASSERT_EQ(PlayerVehicles().size(), 1u);
    CVehicle* train = PlayerVehicles()[0];
    // On the clicked platform row (the train takes its place along it).
    EXPECT_EQ(std::tuple(int(train->pos_y), train->vehicle_class), std::tuple(y + 1, 2));
    EXPECT_TRUE(train->pos_x >= x && train->pos_x <= x + 3) << int(train->pos_x);
    EXPECT_EQ(FieldAt(train->pos_x, train->pos_y)->wegtyp(), kWayRail);

    // Its schedule: both stations, the first good in every wagon (right
    // button), OK.
    auto* s = dynamic_cast<FS_FAHRPLAN_NEU*>(h.frame->Screen(FrameScreen::Schedule));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->pick_count, 1);
    ClickMapField(*s, x, y + 1);
    ClickPage(*s, vs::kStopRowLeft + 20, vs::kStopRowTop + vs::kStopRowStep + 5);
    ClickMapField(*s, x + 12, y + 1);
    ClickPage(*s, vs::kGoodsCellLeft + 5, vs::kGoodsCellTop + 5);
    ASSERT_TRUE(s->popup->IsWindowVisible());
    ClickAt(s->popup->ClientToScreen(plat::Point{108 + 20, 42 + 20}), plat::MouseButton::Right);
    EXPECT_EQ(std::tuple(s->stop_goods[0][0], s->stop_goods[0][5]), std::tuple(0, 0));
    Press(*s, kCmdScheduleOk);
    ASSERT_EQ(h.frame->Screen(FrameScreen::Schedule), nullptr);
    EXPECT_EQ(std::tuple(train->stop_count, int(train->schedule[1].x[0]), train->running_flag),
              std::tuple(2, x + 12, 1));
    // It runs to the other station (a registered reference: the game may
    // delete it).
    RegisterVehicleReference(&train);
    const bool arrived = RunUntil([&] { return train == nullptr || train->pos_x >= x + 12; }, 8000);
    ASSERT_NE(train, nullptr);
    EXPECT_TRUE(arrived) << int(train->pos_x) << "," << int(train->pos_y);
    UnregisterVehicleReference(&train);
}

}  // namespace
