// The vehicle screens driven through the real frame: buying trucks and
// trains, editing schedules on the network map, the overview's lists.

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "platform/message_queue.h"
#include "screens/vehicles/vehicle_layout.h"
#include "screens/vehicles/vehicle_screen_host.h"
#include "state/statistics.h"
#include "transport/train.h"
#include "world/field_queries.h"

namespace {

namespace vs = vehicle_screens;
using vehscreens::VehicleHost;

class VehicleScreens : public VehicleHost {};

TEST_F(VehicleScreens, TruckBoughtAtADepotOpensItsOwnSchedule) {
    Depot(40, 40, 1);
    gs().cash[0] = 10000;
    auto* buy = OpenBy<FS_FAHRZEUG_KAUF_LKW>(kMsgOpenTruckPurchase, FrameScreen::TruckPurchase);
    ASSERT_NE(buy, nullptr);
    EXPECT_EQ(buy->row_count, 1);             // 1960: only the first type
    EXPECT_EQ(FieldAt(40, 40)->belegt(), 1);  // the depot is held for the new truck
    const int32_t vehicles_before = g_Statistics.Monthly(StatSeries::VehicleCount, 0);
    Press(*buy, kCmdVehicleBuy);
    ASSERT_EQ(CountVehicles(), 1);
    CVehicle* truck = g_pVehicleList->vehicle;
    EXPECT_EQ(gs().cash[0], 10000 - 2400);
    EXPECT_EQ(g_Statistics.Monthly(StatSeries::VehicleCount, 0), vehicles_before + 1);
    EXPECT_EQ(h.frame->Screen(FrameScreen::TruckPurchase), nullptr);
    FS_FAHRPLAN_NEU* schedule = Schedule();
    ASSERT_NE(schedule, nullptr);
    EXPECT_EQ(schedule->vehicle, truck);
    EXPECT_EQ(truck->running_flag, 0);  // stands while its schedule is edited
    EXPECT_EQ(gs().screen_open, 1);
    EXPECT_EQ(g_pScheduleEditor, schedule);
    Press(*schedule, kCmdScheduleCancel);
    EXPECT_EQ(Schedule(), nullptr);
    EXPECT_EQ(truck->running_flag, 1);
    EXPECT_EQ(gs().screen_open, 0);
    EXPECT_EQ(g_pScheduleEditor, nullptr);
}

TEST_F(VehicleScreens, CancelGivesBackOnlyTheLaneTheScreenTook) {
    Depot(40, 40, 0);  // exit north: the second lane bit
    for (const int mark : {0, 1}) {
        FieldAt(40, 40)->set_belegt(static_cast<uint32_t>(mark));
        auto* buy = OpenBy<FS_FAHRZEUG_KAUF_LKW>(kMsgOpenTruckPurchase, FrameScreen::TruckPurchase);
        ASSERT_NE(buy, nullptr);
        EXPECT_EQ(FieldAt(40, 40)->belegt(), mark == 0 ? 2 : 1) << mark;
        Press(*buy, kCmdVehiclePurchaseCancel);
        EXPECT_EQ(FieldAt(40, 40)->belegt(), mark) << mark;
        EXPECT_EQ(h.frame->Screen(FrameScreen::TruckPurchase), nullptr);
        EXPECT_EQ(gs().screen_open, 0);
    }
    EXPECT_EQ(CountVehicles(), 0);
}

TEST_F(VehicleScreens, TruckRowsFollowTheDateAndTheRememberedVariant) {
    Depot(40, 40, 1);
    struct Case {
        int32_t year, month, last_model, rows, row;
    };
    const Case cases[] = {
        {1965, 5, 3, 1, 0},  // type 1 not yet on sale: the remembered row falls back
        {1965, 6, 3, 2, 1},  // on sale from July
        {1999, 0, 9, 4, 3},  // the last type with variant 0
        {1999, 0, 4, 3, 1},  // not with variant 1
    };
    for (const Case& c : cases) {
        gs().year = c.year;
        gs().month = c.month;
        gs().last_truck_model = c.last_model;
        auto* buy = OpenBy<FS_FAHRZEUG_KAUF_LKW>(kMsgOpenTruckPurchase, FrameScreen::TruckPurchase);
        ASSERT_NE(buy, nullptr);
        EXPECT_EQ(std::tuple(buy->row_count, buy->row), std::tuple(c.rows, c.row))
            << c.year << "/" << c.month << " model " << c.last_model;
        Press(*buy, kCmdVehiclePurchaseCancel);
    }
}

TEST_F(VehicleScreens, RowsRegreyWhenTheCashChangesAndEnterNeedsTheCash) {
    Depot(40, 40, 1);
    gs().year = 1970;
    gs().cash[0] = 3000;
    gs().last_truck_model = 3;
    auto* buy = OpenBy<FS_FAHRZEUG_KAUF_LKW>(kMsgOpenTruckPurchase, FrameScreen::TruckPurchase);
    ASSERT_NE(buy, nullptr);
    EXPECT_EQ(std::tuple(buy->row_colours[0], buy->row_colours[1]), std::tuple(10, 28));
    // Enter with too little cash for the highlighted type does nothing.
    h.host.InjectKeyPress(13, 13);
    h.Run();
    EXPECT_EQ(CountVehicles(), 0);
    ASSERT_EQ(h.frame->Screen(FrameScreen::TruckPurchase), buy);
    gs().cash[0] = 5000;
    h.frame->SendMessage(kMsgCashChanged);
    EXPECT_EQ(buy->row_colours[1], 10);
    gs().cash[0] = 2000;
    h.frame->SendMessage(kMsgCashChanged);
    EXPECT_EQ(std::tuple(buy->row_colours[0], buy->row_colours[1]), std::tuple(28, 28));
    // One below the price greys the row; the price itself affords it.
    for (const auto& [cash, colour] : {std::pair{3099, 28}, {3100, 10}}) {
        gs().cash[0] = cash;
        h.frame->SendMessage(kMsgCashChanged);
        EXPECT_EQ(buy->row_colours[1], colour) << cash;
    }
    gs().cash[0] = 5000;
    h.host.InjectKeyPress(13, 13);
    h.Run();
    EXPECT_EQ(CountVehicles(), 1);
    EXPECT_EQ(gs().cash[0], 5000 - 3100);
    EXPECT_EQ(gs().last_truck_model, 3);
    // The schedule of the new truck is open: Enter with exactly the price
    // replaces its model, leaving nothing.
    ASSERT_NE(Schedule(), nullptr);
    auto* again = OpenBy<FS_FAHRZEUG_KAUF_LKW>(kMsgOpenTruckPurchase, FrameScreen::TruckPurchase);
    ASSERT_NE(again, nullptr);
    gs().cash[0] = 3100;
    h.host.InjectKeyPress(13, 13);
    h.Run();
    EXPECT_EQ(std::tuple(CountVehicles(), gs().cash[0]), std::tuple(1, 0));
}

TEST_F(VehicleScreens, TrainStartsOnThePlatformRowInEveryOrientation) {
    struct Case {
        int32_t type, x, y, dx, dy;  // the start field from the anchor
    };
    // Head-line click: the first field of platform row 1.
    const Case cases[] = {
        {6, 20, 30, 0, -1}, {7, 60, 30, 1, 0}, {8, 100, 30, 0, 1}, {9, 140, 30, -1, 0}};
    for (const Case& c : cases) {
        CTrainStation* st = Station(c.x, c.y, c.type, 2);
        ASSERT_NE(st, nullptr);
        const StationGeometry g = st->geometry();
        int32_t sx = 0, sy = 0;
        CTrainStation* found = nullptr;
        ASSERT_TRUE(TrainStartField(g.line_x(0, 2), g.line_y(0, 2), &sx, &sy, &found)) << c.type;
        EXPECT_EQ(std::tuple(sx, sy, found),
                  std::tuple(st->anchor_x + c.dx, st->anchor_y + c.dy, st))
            << c.type;
        // A platform field is used as it is.
        ASSERT_TRUE(TrainStartField(g.line_x(2, 3), g.line_y(2, 3), &sx, &sy, &found));
        EXPECT_EQ(std::tuple(sx, sy), std::tuple(g.line_x(2, 3), g.line_y(2, 3))) << c.type;
    }
    int32_t sx = 0, sy = 0;
    CTrainStation* found = nullptr;
    CTrainStation* theirs = Station(200, 200, 7, 1, 2);
    ASSERT_NE(theirs, nullptr);
    EXPECT_FALSE(TrainStartField(201, 200, &sx, &sy, &found));  // another player's
    EXPECT_FALSE(TrainStartField(5, 5, &sx, &sy, &found));      // no station
}

TEST_F(VehicleScreens, RailScreenBuysOnTheStationAndRemembersTheRow) {
    CTrainStation* st = Station(60, 30, 7, 2);
    ASSERT_NE(st, nullptr);
    Select(60, 31);  // a head-line field
    gs().year = 1965;
    gs().last_rail_model_row = 7;  // not listed: row 0
    auto* buy = OpenBy<FS_FAHRZEUG_KAUF>(kMsgOpenRailPurchase, FrameScreen::RailPurchase);
    ASSERT_NE(buy, nullptr);
    EXPECT_EQ(std::tuple(buy->kind, buy->row_count, buy->row), std::tuple(2, 2, 0));
    const int64_t cash = gs().cash[0];
    Press(*buy, kCmdVehicleBuy);
    ASSERT_EQ(CountVehicles(), 1);
    CVehicle* train = g_pVehicleList->vehicle;
    EXPECT_EQ(std::tuple(train->model, train->vehicle_class, train->owner), std::tuple(10, 2, 0));
    EXPECT_EQ(std::tuple(int(train->pos_x), int(train->pos_y)), std::tuple(61, 30));
    EXPECT_EQ(gs().cash[0], cash - 12500);
    EXPECT_EQ(gs().last_rail_model_row, 0);
    ASSERT_NE(Schedule(), nullptr);
    EXPECT_EQ(Schedule()->vehicle, train);
    EXPECT_EQ(Schedule()->screen_kind, kScheduleKindTrain);
}

TEST_F(VehicleScreens, PickedStationWritesTheFirstFieldOfEveryRow) {
    CTrainStation* st = Station(50, 60, 7, 2);
    ASSERT_NE(st, nullptr);
    ScheduleStop stop = EmptyScheduleStop();
    stop.spare_a = 7;
    ASSERT_TRUE(WriteStopFields(*st, stop));
    EXPECT_EQ(std::vector<int>(std::begin(stop.x), std::end(stop.x)),
              (std::vector<int>{51, 52, 255, 255}));
    EXPECT_EQ(std::vector<int>(std::begin(stop.y), std::end(stop.y)),
              (std::vector<int>{60, 60, 255, 255}));
    EXPECT_EQ(stop.spare_a, 7);
}

// A truck between depots at (30, 50) and (40, 50) joined by a road.
class ScheduleOnRoad : public VehicleHost {
  protected:
    ScheduleOnRoad() {
        RoadAlongX(30, 40, 50);
        a = Depot(30, 50, 1);
        b = Depot(40, 50, 3);
        gs().goods[8].available = 1;
    }
    FS_FAHRPLAN_NEU* OpenFor(CVehicle* v) {
        (void)v;
        return OpenBy<FS_FAHRPLAN_NEU>(kMsgOpenSchedule, FrameScreen::Schedule);
    }
    // A click on the map view over buffer pixel (px, py).
    void ClickMap(FS_FAHRPLAN_NEU& s, int32_t px, int32_t py) {
        Click(s, vs::kMapView.x + px - 128 * s.page_x, vs::kMapView.y + py - 128 * s.page_y);
    }
    int32_t a = 0, b = 0;
};

TEST_F(ScheduleOnRoad, FillReachesBothDepotsAndAPickAppendsAStop) {
    CVehicle* truck = Truck(35, 50);
    FS_FAHRPLAN_NEU* s = OpenFor(truck);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->pick_count, 1);  // both depots pickable
    EXPECT_EQ(gs().path_exit_mask[40 * 256 + 50], 1);
    EXPECT_EQ(s->stop_count, 0);
    ClickMap(*s, 2 * 30 + 3, 2 * 50 + 3);
    ClickMap(*s, 2 * 30 + 3, 2 * 50 + 3);  // nothing selected beyond the count: stop 0 again
    Click(*s, vs::kStopRowLeft + 10, vs::kStopRowTop + vs::kStopRowStep * 5 + 5);
    EXPECT_EQ(s->selected_stop, 1);  // row 5 selects the first free stop
    ClickMap(*s, 2 * 40 + 3, 2 * 50 + 3);
    EXPECT_EQ(s->stop_count, 2);
    EXPECT_EQ(std::tuple(int(gs().schedule_edit[0].x[0]), int(gs().schedule_edit[1].x[0])),
              std::tuple(30, 40));
    Press(*s, kCmdScheduleOk);
    EXPECT_EQ(Schedule(), nullptr);
    EXPECT_EQ(std::tuple(int(truck->schedule[1].x[0]), truck->stop_count), std::tuple(40, 2));
}

TEST_F(ScheduleOnRoad, AnotherPlayersRoadEndsTheFillAndItsDepotIsNotPickable) {
    RoadAlongX(41, 45, 50, 1);
    RoadAlongX(46, 50, 50);
    Road(40, 50, kDirE | kDirW);
    Depot(50, 50, 3);
    FieldAt(50, 50)->set_richtung(kDirW);
    CVehicle* truck = Truck(35, 50);
    (void)truck;
    FS_FAHRPLAN_NEU* s = OpenFor(truck);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(gs().path_exit_mask[41 * 256 + 50], 0);
    EXPECT_EQ(gs().path_exit_mask[47 * 256 + 50], 0);
    EXPECT_EQ(s->pick_count, 1);  // the two depots on this side
    // The far depot's square keeps the not-pickable colour.
    EXPECT_EQ(s->map.pixels[(2 * 50 + 3) * s->map.Stride() + 2 * 50 + 3], 139);
}

TEST_F(ScheduleOnRoad, OfTwoOverlappingSquaresTheLaterFieldIsOnTopAndPicked) {
    Road(30, 50, kDirE | kDirN);
    const int32_t c = Depot(30, 49, 2);  // a later number, an earlier field than a
    ASSERT_GT(c, a);
    FS_FAHRPLAN_NEU* s = OpenFor(Truck(35, 50));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(std::tuple(s->pick_count, s->picks[0].building, s->picks[1].building),
              std::tuple(2, c, a));
    ClickMap(*s, 2 * 30 + 3, 2 * 50 + 1);  // inside both squares
    EXPECT_EQ(std::tuple(int(gs().schedule_edit[0].x[0]), int(gs().schedule_edit[0].y[0])),
              std::tuple(30, 50));
}

TEST_F(ScheduleOnRoad, AVehicleInATunnelCanPickNothing) {
    CVehicle* truck = Truck(35, 50);
    truck->draw_layer = 1;
    FS_FAHRPLAN_NEU* s = OpenFor(truck);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->pick_count, -1);
    EXPECT_EQ(gs().path_exit_mask[35 * 256 + 50], 0);
}

TEST_F(ScheduleOnRoad, DeletingStopZeroMovesGoodsAndWaitFlagsButNotHaltFlags) {
    CVehicle* truck = Truck(35, 50, {{30, 50}, {40, 50}, {30, 50}});
    for (int i = 0; i < 3; ++i) {
        truck->cargo_plan[i][0][0] = static_cast<uint8_t>(i);
        truck->wait_until_loaded[i] = i == 1 ? 1 : 0;
        truck->halt_at_stop[i] = i == 0 ? 1 : 0;
    }
    truck->target_stop = 2;
    FS_FAHRPLAN_NEU* s = OpenFor(truck);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->selected_stop, 0);
    Press(*s, kCmdDeleteStop);
    EXPECT_EQ(s->stop_count, 2);
    EXPECT_EQ(s->selected_stop, 0);
    Press(*s, kCmdScheduleOk);
    EXPECT_EQ(std::tuple(int(truck->schedule[0].x[0]), int(truck->schedule[1].x[0]),
                         int(truck->schedule[2].x[0])),
              std::tuple(40, 30, 255));
    EXPECT_EQ(std::tuple(int(truck->cargo_plan[0][0][0]), int(truck->cargo_plan[1][0][0])),
              std::tuple(1, 2));
    EXPECT_EQ(std::tuple(truck->wait_until_loaded[0], truck->wait_until_loaded[1]),
              std::tuple(1, 0));
    EXPECT_EQ(std::tuple(truck->halt_at_stop[0], truck->halt_at_stop[1]), std::tuple(1, 0));
    EXPECT_EQ(truck->stop_count, 2);
    // Stop 2, the one driven to, became empty: the truck starts again.
    EXPECT_EQ(truck->schedule_changed, 1);
}

TEST_F(ScheduleOnRoad, OnlyAChangedTargetStopRestartsTheVehicle) {
    CVehicle* truck = Truck(35, 50, {{30, 50}, {40, 50}});
    truck->target_stop = 1;
    FS_FAHRPLAN_NEU* s = OpenFor(truck);
    ASSERT_NE(s, nullptr);
    ClickMap(*s, 2 * 40 + 3, 2 * 50 + 3);  // stop 0 changed, not the target
    Press(*s, kCmdScheduleOk);
    EXPECT_EQ(truck->schedule_changed, 0);
    EXPECT_EQ(truck->schedule[0].x[0], 40);
}

TEST_F(ScheduleOnRoad, AGoodChosenInThePopupGoesIntoTheCell) {
    CVehicle* truck = Truck(35, 50, {{30, 50}});
    for (int32_t g = 35; g <= 43; ++g) gs().goods[g].available = 1;
    FS_FAHRPLAN_NEU* s = OpenFor(truck);
    ASSERT_NE(s, nullptr);
    Click(*s, vs::kGoodsCellLeft + 5, vs::kGoodsCellTop + 5);
    EXPECT_EQ(s->selected_stop, kNoGoodsRow);
    ASSERT_TRUE(s->popup->IsWindowVisible());
    // The electronics, electronic components (38) among them: nine goods.
    const int32_t last = s->popup->group_count - 1;
    EXPECT_EQ(std::tuple(std::string(s->popup->group_names[last]), s->popup->ids_per_group[last],
                         s->popup->ids[last][3]),
              std::tuple(std::string("Electronics"), 9, 38));
    s->popup->choice = 3;
    s->SendMessage(kMsgPopupChosen);
    h.Run();
    EXPECT_EQ(s->stop_goods[0][0], 3);
    Click(*s, vs::kGoodsCellLeft + 36 + 5, vs::kGoodsCellTop + 5);  // column 1: not a truck's
    EXPECT_EQ(s->goods_column, 1);
    EXPECT_EQ(s->edited_column, 0);
    Press(*s, kCmdScheduleOk);
    EXPECT_EQ(truck->cargo_plan[0][0][0], 3);
}

TEST_F(ScheduleOnRoad, TheTruckMemoryIsAppliedAtOpeningEvenOnCancel) {
    gs().schedule_source = 1;
    Select(30, 50);
    CVehicle* first = Truck(30, 50, {{30, 50}, {40, 50}});
    first->cargo_plan[1][0][0] = 5;
    FS_FAHRPLAN_NEU* s = OpenFor(first);
    ASSERT_NE(s, nullptr);
    Press(*s, kCmdScheduleOk);  // remembered for the depot and the variant
    EXPECT_EQ(gs().truck_schedule_memory.goods[2 * 6], 5);
    DeleteAllVehicles();
    CVehicle* second = Truck(30, 50);
    s = OpenFor(second);
    ASSERT_NE(s, nullptr);
    Press(*s, kCmdScheduleCancel);
    EXPECT_EQ(std::tuple(int(second->schedule[1].x[0]), int(second->cargo_plan[1][0][0])),
              std::tuple(40, 5));
}

TEST_F(ScheduleOnRoad, GroupEditGivesTheNewGoodsToTrucksWithTheSameStops) {
    CVehicle* same = Truck(36, 50, {{30, 50}, {40, 50}});
    CVehicle* other = Truck(37, 50, {{30, 50}, {30, 50}});
    CVehicle* edited = Truck(35, 50, {{30, 50}, {40, 50}});
    gs().group_edit = 1;
    FS_FAHRPLAN_NEU* s = OpenFor(edited);
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(s->vehicle, edited);
    s->stop_goods[0][0] = 2;
    Press(*s, kCmdScheduleOk);
    EXPECT_EQ(std::tuple(int(edited->cargo_plan[0][0][0]), int(same->cargo_plan[0][0][0]),
                         int(other->cargo_plan[0][0][0])),
              std::tuple(2, 2, int(kNoProduct)));
}

TEST_F(ScheduleOnRoad, AVehicleDeletedWhileItsScheduleIsOpenIsLeftAlone) {
    CVehicle* truck = Truck(35, 50, {{30, 50}});
    FS_FAHRPLAN_NEU* s = OpenFor(truck);
    ASSERT_NE(s, nullptr);
    Press(*s, kCmdScrapVehicle);  // scrapped: no money back, the screen closes
    EXPECT_EQ(CountVehicles(), 0);
    EXPECT_EQ(Schedule(), nullptr);
    CVehicle* next = Truck(35, 50, {{30, 50}});
    s = OpenFor(next);
    ASSERT_NE(s, nullptr);
    DeleteAllVehicles();  // e.g. a load under the screen
    EXPECT_EQ(s->vehicle, nullptr);
    Press(*s, kCmdScheduleOk);  // writes nothing, closes
    EXPECT_EQ(Schedule(), nullptr);
}

TEST_F(ScheduleOnRoad, AClickOnTheLastPixelOfPageTwoReadsNothingBeyondTheBuffer) {
    CVehicle* truck = Truck(35, 50);
    FS_FAHRPLAN_NEU* s = OpenFor(truck);
    ASSERT_NE(s, nullptr);
    for (int k = 0; k < 2; ++k) {
        Press(*s, kCmdMapRight);
        Press(*s, kCmdMapDown);
    }
    EXPECT_EQ(std::tuple(int(s->page_x), int(s->page_y)), std::tuple(2, 2));
    Click(*s, 276, 342);
    s->SendMessage(WM_MOUSEMOVE, 0, plat::MakeLParam(s->origin_x + 276, s->origin_y + 342));
    EXPECT_EQ(gs().schedule_edit[0].x[0], 255);
}

TEST_F(ScheduleOnRoad, TheLabelFlipsLeftNearTheRightEdgeAndStaysInTheView) {
    CVehicle* truck = Truck(35, 50);
    FS_FAHRPLAN_NEU* s = OpenFor(truck);
    ASSERT_NE(s, nullptr);
    s->picks[0] = {250, 252, 258, 260, a};
    s->pick_count = 0;
    s->ShowTerminalLabel(0);
    EXPECT_LT(s->label_box[2], 256);
    EXPECT_EQ(s->label_box[2], 250);
    EXPECT_EQ(s->label_box[1], 246);
}

TEST_F(ScheduleOnRoad, OverviewPagesListsAndForgetsScrappedVehicles) {
    for (int i = 0; i < 3; ++i) Truck(31 + i, 50, {{30, 50}});
    auto* o = OpenBy<VehicleOverviewPage>(kMsgOpenVehicleOverview, FrameScreen::VehicleOverview);
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(o->counts[0], 3);
    Press(*o, kCmdOverviewOn);
    Press(*o, kCmdOverviewOn);  // the last page shows the last two
    EXPECT_EQ(o->first, 1);
    CVehicle* last = o->lists[0][2];
    // The schedule of the right one, scrapped there: the overview closes the gap.
    Press(*o, kCmdOverviewOpen + 1);
    ASSERT_NE(Schedule(), nullptr);
    EXPECT_EQ(Schedule()->vehicle, last);
    EXPECT_FALSE(o->IsWindowVisible());
    Press(*Schedule(), kCmdScrapVehicle);
    EXPECT_EQ(o->counts[0], 2);
    EXPECT_TRUE(o->IsWindowVisible());
    EXPECT_EQ(gs().screen_open, 1);
    Press(*o, kCmdOverviewGoTo);
    EXPECT_EQ(h.frame->Screen(FrameScreen::VehicleOverview), nullptr);
    EXPECT_EQ(gs().screen_open, 0);
}

TEST_F(ScheduleOnRoad, TravelCostsPrintWithAThousandsComma) {
    EXPECT_EQ(TravelCostsText(999), "Travel costs: 999");
    EXPECT_EQ(TravelCostsText(1000), "Travel costs: 1,000");
    EXPECT_EQ(TravelCostsText(1250), "Travel costs: 1,250");
    EXPECT_EQ(PriceLine(12500), "Price: 12,500");
    EXPECT_EQ(TruckSpeedLine(0), "Speed: 50/30 mph");
    EXPECT_EQ(RailSpeedLine(10), "Speed:50/30 mph");
}

TEST_F(ScheduleOnRoad, ANewBodyFromTheScheduleIsBookedAsAReplacement) {
    gs().year = 1970;
    CVehicle* truck = Truck(35, 50, {{30, 50}, {40, 50}}, 1);  // type 0, variant 1
    truck->cargo_plan[0][0][0] = 4;
    FS_FAHRPLAN_NEU* s = OpenFor(truck);
    ASSERT_NE(s, nullptr);
    const int64_t cash = gs().cash[0];
    const int32_t worth = g_Statistics.Monthly(StatSeries::CompanyWorth, 0);
    const int32_t count = g_Statistics.Monthly(StatSeries::VehicleCount, 0);
    const int32_t costs = g_Statistics.Monthly(StatSeries::TotalCosts, 0);
    const char letter = g_VehicleNameCounter[0];
    Press(*s, kCmdNewVehicle);
    auto* buy = dynamic_cast<FS_FAHRZEUG_KAUF_LKW*>(h.frame->Screen(FrameScreen::TruckPurchase));
    ASSERT_NE(buy, nullptr);
    EXPECT_FALSE(s->IsWindowVisible());  // hidden while the purchase screen is up
    Click(*buy, vs::kTruckModelList.left + 30, vs::kTruckModelList.top + 17 + 5);  // type 1
    Press(*buy, kCmdVehicleBuy);
    EXPECT_EQ(CountVehicles(), 1);
    EXPECT_EQ(truck->model, 3);
    EXPECT_EQ(gs().cash[0], cash - 3100);
    EXPECT_EQ(g_Statistics.Monthly(StatSeries::CompanyWorth, 0), worth + 3100 - 2400);
    EXPECT_EQ(g_Statistics.Monthly(StatSeries::TotalCosts, 0), costs + 3100);
    EXPECT_EQ(g_Statistics.Monthly(StatSeries::VehicleCount, 0), count);
    EXPECT_EQ(g_VehicleNameCounter[0], letter + 1);
    // The variant changed: the truck's cargo choices are gone; the schedule
    // is back.
    ASSERT_EQ(Schedule(), s);
    EXPECT_TRUE(s->IsWindowVisible());
    EXPECT_EQ(s->stop_goods[0][0], -1);
    Press(*s, kCmdScheduleOk);
    EXPECT_EQ(truck->cargo_plan[0][0][0], kNoProduct);
    EXPECT_EQ(gs().screen_open, 0);
}

TEST_F(VehicleScreens, ARightButtonChoiceFillsTheTrainStopFromTheColumnOn) {
    CTrainStation* a = Station(60, 30, 7, 1);
    ASSERT_NE(a, nullptr);
    CVehicle* train = new CTrain(61, 30, "A", 10, kWayRail);
    train->running_flag = 1;
    for (ScheduleStop& stop : train->schedule) stop = EmptyScheduleStop();
    ASSERT_TRUE(WriteStopFields(*a, train->schedule[0]));
    auto* s = OpenBy<FS_FAHRPLAN_NEU>(kMsgOpenSchedule, FrameScreen::Schedule);
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(s->screen_kind, kScheduleKindTrain);
    Click(*s, vs::kGoodsCellLeft + 2 * vs::kGoodsCellStep + 5, vs::kGoodsCellTop + 5);
    EXPECT_EQ(std::tuple(s->goods_row, s->edited_column), std::tuple(0, 2));
    ASSERT_TRUE(s->popup->IsWindowVisible());
    // The popup's first item, chosen with the right button.
    h.host.AdvanceClock(1000);
    h.host.InjectClick(s->popup->ClientToScreen(plat::Point{108 + 20, 42 + 20}),
                       plat::MouseButton::Right);
    h.Run();
    EXPECT_EQ(std::vector<int>(std::begin(s->stop_goods[0]), std::end(s->stop_goods[0])),
              (std::vector<int>{-1, -1, 0, 0, 0, 0}));
    Press(*s, kCmdScheduleOk);
    EXPECT_EQ(train->cargo_plan[0][5][0], 0);
}

TEST_F(VehicleScreens, OpponentsTrainsAreNotListedAndCargoNoneShowsIconZero) {
    CVehicle* ours = new CTrain(20, 20, "A", 10, kWayRail);
    CVehicle* theirs = new CTrain(30, 20, "B", 10, kWayRail);
    theirs->owner = 1;
    CVehicle* their_truck = new CTruck(40, 20, "C", 0);
    their_truck->owner = 2;
    auto* o = OpenBy<VehicleOverviewPage>(kMsgOpenVehicleOverview, FrameScreen::VehicleOverview);
    ASSERT_NE(o, nullptr);
    // Neither the opponent's train nor its truck is listed.
    EXPECT_EQ(std::tuple(o->counts[0], o->counts[1], o->lists[1][0]), std::tuple(0, 1, ours));
    Press(*o, kCmdOverviewOn);  // one vehicle: paging does nothing
    EXPECT_EQ(o->first, 0);
    Press(*o, kCmdOverviewOpen + 1);  // an empty column does nothing
    EXPECT_EQ(Schedule(), nullptr);
}

// The overview shows a stop's cargo as the goods icon one past the goods
// number, and "none" as icon 0, the empty cell of the icon strip.
TEST_F(ScheduleOnRoad, TheOverviewShowsEachStopsCargoIconAndNoneAsIconZero) {
    constexpr int32_t kIconSize = 32;
    constexpr int32_t kStopRows[2] = {78, 134};  // below the canvas top
    CVehicle* truck = Truck(35, 50, {{30, 50}, {40, 50}});
    truck->cargo_plan[0][0][0] = 3;
    truck->cargo_plan[1][0][0] = kNoProduct;
    auto* o = OpenBy<VehicleOverviewPage>(kMsgOpenVehicleOverview, FrameScreen::VehicleOverview);
    ASSERT_NE(o, nullptr);
    ASSERT_NE(g_pHauptDialog, nullptr);
    const WinGBitmap& icons = g_pHauptDialog->goods_icons;
    ASSERT_TRUE(icons.Loaded());
    const auto cell_matches = [&](int32_t stop, int32_t icon) {
        for (int32_t dy = 0; dy < kIconSize; ++dy) {
            for (int32_t dx = 0; dx < kIconSize; ++dx) {
                const int32_t x = vs::kOverviewCanvas.x + dx;
                const int32_t y = vs::kOverviewCanvas.y + kStopRows[stop] + dy;
                if (o->canvas.pixels[y * o->canvas.Stride() + x] !=
                    icons.pixels[dy * icons.Stride() + icon * kIconSize + dx]) {
                    return false;
                }
            }
        }
        return true;
    };
    EXPECT_TRUE(cell_matches(0, 4));
    EXPECT_TRUE(cell_matches(1, 0));
    // The cells differ, so that the check tells them apart.
    EXPECT_FALSE(cell_matches(1, 4));
}

TEST_F(ScheduleOnRoad, TheFillCrossesATunnelAndABridgeInOneStep) {
    // West of the depots: a tunnel from (20, 50) to (24, 50); beyond it a
    // road to a bridge from (12, 50) to (16, 50) and a road west of that.
    RoadAlongX(25, 29, 50);
    for (int32_t x : {25, 29, 30}) Road(x, 50, kDirE | kDirW);
    for (int32_t x = 20; x <= 24; ++x) {
        MapField* f = FieldAt(x, 50);
        f->set_tunnel(true);
        f->set_wegtyp(kWayGravelRoad);
        if (x == 20 || x == 24) {
            f->set_tportal(true);
            f->set_teile_diff(x == 20 ? 2 : 4);  // the east and the west portal
        }
    }
    RoadAlongX(17, 19, 50);
    for (int32_t x : {17, 19}) Road(x, 50, kDirE | kDirW);
    for (int32_t x = 12; x <= 16; ++x) {
        MapField* f = FieldAt(x, 50);
        f->set_bridge_flag(true);
        f->set_wegtyp(x == 12 || x == 16 ? kWayGravelRoad : 0);
        if (x == 12 || x == 16) {
            f->set_bridge_end(true);
            f->set_data_word(x == 12 ? 5 : 6);  // the west and the east end
        } else {
            f->set_data_word(11);
        }
    }
    RoadAlongX(8, 11, 50);
    Road(11, 50, kDirE | kDirW);
    CVehicle* truck = Truck(35, 50);
    FS_FAHRPLAN_NEU* s = OpenFor(truck);
    ASSERT_NE(s, nullptr);
    const uint8_t* mask = gs().path_exit_mask;
    for (int32_t x : {24, 22, 20, 19, 16, 14, 12, 11, 8}) {
        EXPECT_EQ(mask[x * 256 + 50], 1) << x;
    }
}

TEST_F(VehicleScreens, AStationIsReachableThroughAnyFieldOfItsBlock) {
    CTrainStation* st = Station(60, 30, 7, 2);
    ASSERT_NE(st, nullptr);
    // A train elsewhere on a lone track field: the schedule's fill marks only
    // its own field; the station counts once one of its fields is marked.
    CVehicle* train = new CTrain(100, 100, "A", 10, kWayRail);
    (void)train;
    auto* s = OpenBy<FS_FAHRPLAN_NEU>(kMsgOpenSchedule, FrameScreen::Schedule);
    ASSERT_NE(s, nullptr);
    const int32_t number = FieldAt(61, 30)->geb_num();
    EXPECT_EQ(s->IsStationReachable(number), 0);
    gs().path_exit_mask[62 * 256 + 33] = 1;  // the far corner of the block
    EXPECT_EQ(s->IsStationReachable(number), 1);
    gs().path_exit_mask[62 * 256 + 33] = 0;
    gs().path_exit_mask[65 * 256 + 30] = 1;  // beyond the block
    EXPECT_EQ(s->IsStationReachable(number), 0);
}

// The hash of the composed screen, also written as PNG under FV_GOLDEN_PNG.
uint64_t Picture(const std::string& name) {
    fvtest::MaybeSaveScreen(name);
    return fvtest::ScreenHash(1024, 768);
}

TEST_F(ScheduleOnRoad, GoldenPicturesOfTheScheduleThePurchaseAndTheOverview) {
    CVehicle* truck = Truck(35, 50, {{30, 50}, {40, 50}});
    truck->cargo_plan[0][0][0] = 3;
    truck->cost_last_trip = 1250;
    FS_FAHRPLAN_NEU* s = OpenFor(truck);
    ASSERT_NE(s, nullptr);
    s->Invalidate();
    h.Run();
    EXPECT_EQ(Picture("vehicle_schedule"), 777845717172863547ull);
    // The goods chooser over the schedule for the second stop: one paint each.
    for (int32_t row = 0; row < 2; ++row) {
        s->SendMessage(
            WM_LBUTTONDOWN, 0,
            plat::MakeLParam(s->origin_x + vs::kGoodsCellLeft + 5,
                             s->origin_y + vs::kGoodsCellTop + vs::kStopRowStep * row + 5));
        for (int32_t i = 0; i < 50 && plat::PumpMessage(); ++i) {
        }
    }
    EXPECT_FALSE(plat::HasPendingMessages());
    EXPECT_EQ(Picture("vehicle_schedule_goods"), 7759014923301946438ull);
    Press(*s, kCmdScheduleCancel);
    CTrainStation* st = Station(60, 60, 7, 2);
    ASSERT_NE(st, nullptr);
    Select(61, 60);
    auto* buy = OpenBy<FS_FAHRZEUG_KAUF>(kMsgOpenRailPurchase, FrameScreen::RailPurchase);
    ASSERT_NE(buy, nullptr);
    EXPECT_EQ(Picture("vehicle_rail_purchase"), 13995933800282112890ull);
    Press(*buy, kCmdVehiclePurchaseCancel);
    auto* o = OpenBy<VehicleOverviewPage>(kMsgOpenVehicleOverview, FrameScreen::VehicleOverview);
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(Picture("vehicle_overview"), 5659695183742961240ull);
}

}  // namespace
