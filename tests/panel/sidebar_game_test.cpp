// The sidebar in a game at 800x600 with the real frame, view and panel on
// stand-in data: an object picked with the information heading's tool shows
// its figures, the status lines, and the building tool's placement panels,
// whose clearing cost is what placing the building then charges. With
// FV_GOLDEN_PNG the screens are written as PNGs.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "app/interface_hooks.h"
#include "app/main_frame.h"
#include "economy/building_table.h"
#include "economy/mine.h"
#include "gfx/blit_dc.h"
#include "gfx/font_tables.h"
#include "gfx/text.h"
#include "panel/amount_text.h"
#include "panel/control_panel.h"
#include "panel/sidebar_info.h"
#include "platform/random.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "state/world_images.h"
#include "support/frame_host.h"
#include "transport/vehicle.h"
#include "world/build_helper.h"
#include "world/construction_costs.h"
#include "world/terrain.h"
#include "world/way_network.h"

namespace {

constexpr plat::Point kAt{430, 300};  // a point of the view

struct TestVehicle : CVehicle {
    TestVehicle() : CVehicle(VehicleLoadOnly{}) {
        for (ScheduleStop& s : schedule) s = EmptyScheduleStop();
    }
};

class SidebarGame : public ::testing::Test {
  protected:
    SidebarGame() : h({800, 600}) {
        fvtest::WriteWorldPictures(h.folder.Path());
        g_pTerrain = new CTerrain;  // the frame's shutdown deletes it
        GetFrameHooks().create_world_view = &MakeWorldView;
        GetViewHooks().create_panel = &CreateControlPanel;
        EXPECT_TRUE(h.frame->StartWorldView(kModeGame));
        h.Run();
        LoadStartupImages();  // the panel font
        for (MapField& f : gs.fields) f.set_hoehe(2), f.set_teile_art(1);
        const struct {
            int32_t type, w, d, price;
            const char* name;
        } types[] = {{0, 1, 1, 6000, "Truck depot"},
                     {1, 1, 1, 6000, "Truck depot"},
                     {2, 1, 1, 6000, "Truck depot"},
                     {3, 1, 1, 6000, "Truck depot"},
                     {6, 4, 2, 20000, "Train station"},
                     {7, 2, 4, 20000, "Train station"},
                     {8, 4, 2, 20000, "Train station"},
                     {9, 2, 4, 20000, "Train station"},
                     {10, 2, 2, 0, "Mine"},
                     {14, 3, 3, 1130000, "Car factory"},
                     {21, 2, 2, 90000, "Toy store"},
                     {22, 2, 2, 95000, "Sports store"}};
        for (const auto& t : types) {
            BuildingType& b = gs.building_types[t.type];
            std::tie(b.floor_width, b.floor_depth, b.build_price) = std::tuple(t.w, t.d, t.price);
            std::snprintf(b.type_name, sizeof b.type_name, "%s", t.name);
        }
        for (int32_t i = 0; i < kGoodsCount; ++i) {
            std::snprintf(gs.goods[i].name, 50, "Goods %d", i);
            gs.goods[i].intro_year = 1959;
        }
        for (int32_t k = 0; k < 7; ++k) gs.geb_einw[k] = 4 * (k + 1);
        std::snprintf(gs.company_names[0], kCompanyNameLength, "Ferro Lines");
        gs.cash[0] = 100000000;
        gs.selected_building_type = -1;
        g_pTerrain->AssignGroundKinds();
        View().ForceFullRedraw();
        View().PickField(kAt.x, kAt.y);
        std::tie(x, y) = std::pair(View().cursor_x, View().cursor_y);
    }
    ~SidebarGame() override { GetViewHooks().create_panel = nullptr; }
    SPIEL_FELD& View() { return *g_pSpielFeld; }
    HAUPTDIALOG& Panel() { return *g_pHauptDialog; }
    const SidebarContent& Shown() { return Panel().sidebar_shown; }
    void PressHeading(int32_t heading) {
        const plat::Rect& r = Panel().heading_rects[heading];
        h.host.InjectClick(Panel().ClientToScreen(plat::Point{(r.left + r.right) / 2, r.top + 5}));
        h.Run();
    }
    void ClickView() {
        h.host.InjectClick(View().ClientToScreen(kAt));
        h.Run();
    }
    // Places `type` (depots and stations with their orientation) with its
    // north-west field on (bx, by) as the view's click does; 0 when refused.
    int32_t Place(int32_t type, int32_t bx, int32_t by, bool checked = true) {
        Choose(type);
        const BuildingType& t = gs.building_types[type];
        if (checked && g_pBuildHelper->CanBuildHere(bx, by, t.floor_width, t.floor_depth) == 0) {
            return 0;
        }
        const int32_t number = g_ppBuildings->PlaceBuilding(bx, by);
        if (number > 0) g_pTerrain->PlaceStructure(bx, by, number, t.floor_width, t.floor_depth);
        return number;
    }
    void Choose(int32_t type) {
        const bool oriented = type < 10;
        gs.selected_building_type = oriented ? type / 6 * 6 : type;
        gs.build_orientation = oriented ? type % 6 : 0;
    }
    // A way of type `way` (1..6) laid along the straight path.
    void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t way) {
        CWayNetwork& net = *g_pWayNetwork;
        net.SetWayType(static_cast<uint8_t>(way - 1));
        net.FreePath();
        const int32_t n = std::max({std::abs(x2 - x1), std::abs(y2 - y1), 1});
        for (int32_t i = n; i >= 0; --i) {
            net.PushPathCell(uint8_t(x1 + (x2 - x1) * i / n), uint8_t(y1 + (y2 - y1) * i / n));
        }
        way < 3 ? net.LayRoadAlongPath(x1, y1, x2, y2) : net.LayTrackAlongPath(x1, y1, x2, y2);
    }
    // The placement panel the view shows with the tool on (px, py).
    const SidebarContent& PlacementAt(int32_t px, int32_t py) {
        std::tie(View().cursor_x, View().cursor_y) = std::pair(px, py);
        const int32_t k = gs.selected_building_type;
        k >= 21 && k <= 26 ? Panel().DrawProductPricePanel() : Panel().DrawPricePanel();
        return Shown();
    }
    // The pixels of a panel box in the back buffer, and the same box of the
    // clean background with `text` written at (text_x, 0) of it.
    std::pair<std::vector<uint8_t>, std::vector<uint8_t>> Box(int32_t top, int32_t text_x,
                                                              const std::string& text) {
        const WinGBitmap& back = Panel().back_buffer;
        WinGBitmap expected;
        expected.Create(gs.images.main_font, kPanelWidth, 16);
        BlitDC(*expected.dc, 0, 0, kPanelWidth, 16, *Panel().clean_background.dc, 0, top);
        expected.DrawText(text.c_str(), kFont1Advances, text_x, 0, gs.images.main_font);
        std::vector<uint8_t> shown, wanted;
        for (int32_t row = 0; row < 16; ++row) {
            const uint8_t* s = back.pixels + (top + row) * back.Stride();
            const uint8_t* e = expected.pixels + row * expected.Stride();
            shown.insert(shown.end(), s, s + kPanelWidth);
            wanted.insert(wanted.end(), e, e + kPanelWidth);
        }
        return {shown, wanted};
    }

    fvtest::FrameHost h;
    CGameState& gs = *h.gs;
    int32_t x = 0, y = 0;
};

using PanelSidebar = SidebarGame;
using SidebarPlacement = SidebarGame;

TEST_F(PanelSidebar, AMinePickedWithTheInformationHeadingsToolShowsItsFigures) {
    gs.mine_kind = 0;  // gold
    const int32_t number = Place(10, x, y, false);
    ASSERT_GT(number, 0);
    static_cast<CMine*>(g_ppBuildings->At(number))->stock = {5, 3, 1};
    PressHeading(9);
    ASSERT_EQ(View().tool, kInformationTool);
    ClickView();
    EXPECT_EQ(
        std::tuple(gs.selected_object_type, Panel().selected_structure, Panel().selected_type),
        std::tuple(1, number, 1));
    EXPECT_EQ(Shown().Labels(), "Gold mine|Produced:|Gold:|Demolition: Not poss.");
    EXPECT_EQ(Shown().Values(), "3/24");
    const auto [shown, wanted] = Box(180, 0, "");
    EXPECT_NE(shown, wanted);  // the line is written
    fvtest::MaybeSaveScreen("sidebar-mine");
    // The month's refill refreshes the figure in place.
    static_cast<CMine*>(g_ppBuildings->At(number))->Update();
    EXPECT_EQ(Shown().Values(), "24/24");
}

TEST_F(PanelSidebar, StatusLinesShowTheDateAndTheGroupedCapitalOutsideTheEditor) {
    std::tie(gs.month, gs.year) = std::pair(5, 1990);
    Panel().DrawSidebarDate();
    const auto [date, date_wanted] = Box(2, 8, "June 1990");
    EXPECT_EQ(date, date_wanted);
    gs.month = 11;  // the last month has its name too
    Panel().DrawSidebarDate();
    const auto [december, december_wanted] = Box(2, 8, "December 1990");
    EXPECT_EQ(december, december_wanted);
    for (const auto& [cash, text] : std::vector<std::pair<int64_t, std::string>>{
             {-1234567, "-1,234,567"},
             {1005, "1,005"},
             {999, "999"},
             {1000000000000, "1,000,000,000,000"},
             {std::numeric_limits<int64_t>::min(), "-9,223,372,036,854,775,808"}}) {
        gs.cash[0] = cash;
        Panel().DrawSidebarCapital();
        const auto [shown, wanted] = Box(19, 8, text);
        EXPECT_EQ(shown, wanted) << text;
    }
    // In the editor neither line changes.
    gs.game_mode = kModeEditor;
    Panel().back_buffer.FillRect(0, 0, kPanelWidth, 36, 77);
    gs.cash[0] = 5;
    Panel().DrawSidebarDate();
    Panel().DrawSidebarCapital();
    const auto [shown, wanted] = Box(19, 200, "");
    EXPECT_EQ(shown, std::vector<uint8_t>(shown.size(), 77));
    EXPECT_EQ(Box(2, 200, "").first, std::vector<uint8_t>(shown.size(), 77));
    gs.game_mode = kModeGame;
}

TEST_F(PanelSidebar, AStoreAVehicleAndAPlacementAsTheyLook) {
    for (int32_t i : {8, 9, 10, 11, 12}) gs.goods[i].store_type = 21;
    const int32_t store = Place(21, x, y, false);
    ASSERT_GT(store, 0);
    PressHeading(9);
    ClickView();
    EXPECT_EQ(gs.selected_object_type, 24);
    EXPECT_EQ(Shown().Labels(), "Total:|Month:|Customer stock:");
    EXPECT_EQ(Shown().icons.size(), GoodsOnSaleAt(21).size());
    EXPECT_GE(Shown().icons.size(), 5u);
    fvtest::MaybeSaveScreen("sidebar-store");

    std::snprintf(gs.vehicle_models[2].model_name, 50, "Hauler");
    TestVehicle train;
    std::tie(train.vehicle_class, train.model, train.number, train.cost_last_trip) =
        std::tuple(kVehicleRail, 2, 12, 12345);
    train.schedule[0].x[0] = static_cast<uint8_t>(x),
    train.schedule[0].y[0] = static_cast<uint8_t>(y);
    train.target_stop = 0;
    Panel().selected_vehicle = &train;
    gs.selected_object_type = 20;
    plat::SendMessage(&Panel(), kMsgRefreshInfoPanel);
    EXPECT_EQ(Shown().Values(), "Hauler|Vehicle number: 12|12,345|");
    EXPECT_EQ(Shown().marks.size(), 6u);
    fvtest::MaybeSaveScreen("sidebar-vehicle");
    Panel().selected_vehicle = nullptr;

    PressHeading(14);
    Line(x + 4, y, x + 4, y + 6, 4);
    Choose(14);
    const SidebarContent& placement = PlacementAt(x + 3, y + 1);
    EXPECT_EQ(placement.Values(), placement.values[0].text + "|Price: 1,130,000|870");
    EXPECT_EQ(placement.Labels(),
              "Demolition costs:|Adjustment alterations|with the arrow keys|or spacebar");
    fvtest::MaybeSaveScreen("sidebar-placement");
}

// A delivery to the store the sidebar shows redraws the sidebar, for every
// kind of store (the electronics store and the car dealership have their
// kinds the other way round).
TEST_F(PanelSidebar, ADeliveryRefreshesTheSidebarOfEveryKindOfStore) {
    const struct {
        int32_t type, kind, product;
    } stores[] = {{21, 24, 8},  {22, 25, 17}, {23, 26, 26},
                  {24, 27, 29}, {25, 29, 35}, {26, 28, 32}};
    PressHeading(9);
    ASSERT_EQ(View().tool, kInformationTool);
    for (const auto& c : stores) {
        SCOPED_TRACE(c.type);
        BuildingType& kind = gs.building_types[c.type];
        std::tie(kind.floor_width, kind.floor_depth) = std::pair(2, 2);
        const int32_t number = Place(c.type, x, y, false);
        ASSERT_GT(number, 0);
        ClickView();
        EXPECT_EQ(std::pair(gs.selected_object_type, Panel().selected_structure),
                  std::pair(c.kind, number));
        EXPECT_EQ(Shown().Labels(), "Total:|Month:|Customer stock:");
        Panel().sidebar_shown = {};
        EXPECT_EQ(g_ppBuildings->At(number)->PutGoods(c.product, 5, 1), 5);
        EXPECT_EQ(Shown().Labels(), "Total:|Month:|Customer stock:");
        int32_t end_x = x + 1, end_y = y + 1;
        g_pTerrain->DemolishArea(x, y, end_x, end_y);
        ASSERT_EQ(g_ppBuildings->At(number), nullptr);
    }
}

TEST_F(SidebarPlacement, ClearingCostsOfOpenLandWaysAndTheNameCentred) {
    Choose(14);
    const SidebarContent& open = PlacementAt(60, 60);
    const int32_t width = static_cast<int32_t>(GetTextWidth("Car factory", kFont1Advances));
    EXPECT_EQ(std::tuple(open.values[0].x, open.values[0].y, open.Values()),
              std::tuple((160 - width) / 2, 164, "Car factory|Price: 1,130,000|0"));

    // A store over two asphalt fields; outside every city no customers, no cells.
    Line(70, 70, 71, 70, 3);
    for (int32_t i : {8, 9}) gs.goods[i].store_type = 22;
    gs.building_types[22].build_price = 1130000;
    gs.placement_city = -1;
    Choose(22);
    const SidebarContent& store = PlacementAt(70, 70);
    EXPECT_EQ(store.Values(), "Sports store|Price: 1130,000|Customer stock: 0|440");
    EXPECT_EQ(std::tuple(store.Labels(), store.icons.size()),
              std::tuple("Demand for:|Demolition costs:", size_t{0}));

    // A depot over one rail field, in every orientation.
    Line(80, 70, 80, 74, 4);
    for (int32_t turn = 0; turn < 4; ++turn) {
        Choose(turn);
        EXPECT_EQ(PlacementAt(80, 72).Values(), "Truck depot|Price: 6,000|290") << turn;
    }
    // A station keeps a fitting track line and clears the road of its platform line.
    Line(88, 90, 95, 90, 4);
    Line(88, 91, 95, 91, 3);
    Choose(6);
    EXPECT_EQ(PlacementAt(90, 90).Values(), "Train station|Price: 20,000|880");
    // Over a road on its track line it clears that road as well.
    Choose(8);
    EXPECT_EQ(PlacementAt(90, 90).Values(), "Train station|Price: 20,000|2,040");
}

TEST_F(SidebarPlacement, TheShownClearingCostIsWhatPlacingCharges) {
    plat::Srand(2024);
    const int32_t kinds[] = {0, 1, 2, 3, 6, 7, 8, 9, 14, 21, 22};
    int32_t placed = 0, paid = 0;
    const auto at = [] { return 40 + plat::Rand() % 60; };
    for (int32_t round = 0; round < 5; ++round) {
        for (int32_t k = 0; k < 10; ++k) {  // ways of every type
            const int32_t a = at(), b = at(), c = at(), way = 1 + plat::Rand() % 6;
            k % 2 == 0 ? Line(a, b, c, b, way) : Line(b, a, b, c, way);
        }
        for (int32_t k = 0; k < 60; ++k) {  // city buildings of every number, some forest
            MapField& f = gs.fields[FieldIndex(at(), at())];
            if (f.building_flag() || f.wegtyp() != 0) continue;
            if (k % 5 == 0) {
                f.set_forest_flag(true);
            } else {
                f.set_stadtnum(1), f.set_stadtb(1 + plat::Rand() % 60);
            }
        }
        for (int32_t k = 0; k < 30; ++k) {
            const int32_t type = kinds[plat::Rand() % 11];
            const int32_t bx = at(), by = at();
            Choose(type);
            const std::string shown = PlacementAt(bx, by).values.back().text;
            const BuildingType& t = gs.building_types[type];
            // Stores are placed without the city check; they go on free ground.
            bool free = true;
            for (int32_t i = 0; i < t.floor_width; ++i) {
                for (int32_t j = 0; j < t.floor_depth; ++j) {
                    free = free && !gs.fields[FieldIndex(bx + i, by + j)].building_flag();
                }
            }
            if (type >= 21 && !free) continue;
            uint8_t before[8][8] = {};
            for (int32_t i = 0; i < 8; ++i) {
                for (int32_t j = 0; j < 8; ++j) {
                    before[i][j] =
                        static_cast<uint8_t>(gs.fields[FieldIndex(bx + i, by + j)].wegtyp());
                }
            }
            const int64_t cash = gs.cash[0];
            if (Place(type, bx, by, type < 21) == 0) continue;
            // A station lays the missing fields of a kept track line: that is
            // building, not clearing.
            int64_t laid = 0;
            for (int32_t i = 0; i < 8; ++i) {
                for (int32_t j = 0; j < 8; ++j) {
                    const int32_t now = gs.fields[FieldIndex(bx + i, by + j)].wegtyp();
                    if (before[i][j] == 0 && IsTrackWay(now)) laid += WayFieldPrice(now);
                }
            }
            const int64_t clearing = cash - gs.cash[0] - t.build_price - laid;
            EXPECT_EQ(shown, FormatAmount(clearing, AmountGroups::UpToMillions))
                << "round " << round << " type " << type << " at " << bx << "," << by;
            ++placed;
            paid += clearing > 0 ? 1 : 0;
        }
    }
    EXPECT_GT(placed, 40);
    EXPECT_GT(paid, 10);
}

}  // namespace
