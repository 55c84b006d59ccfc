// A game at 800 x 600 on flat land, played by clicks only: the panel's
// headings and rows pick each tool, the view takes the drags and clicks, and
// after every step the map holds what was built and the cash fell by exactly
// what the sidebar showed (or by the building's price). With FV_GOLDEN_PNG
// naming a folder the panel is written there as panel-ways.png.

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <string>
#include <utility>

#include "app/interface_hooks.h"
#include "app/main_frame.h"
#include "economy/building_table.h"
#include "panel/control_panel.h"
#include "platform/compositor.h"
#include "platform/png_writer.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/world_images.h"
#include "support/fnv_hash.h"
#include "support/frame_host.h"
#include "support/player_clicks.h"
#include "world/build_helper.h"
#include "world/terrain.h"

namespace {

constexpr int32_t kCentre = 110;  // the view looks at about field (109, 110)

class PanelToolsAcceptance : public ::testing::Test, public fvtest::PlayerClicks {
  protected:
    PanelToolsAcceptance() : h({800, 600}) {
        fvtest::WriteWorldPictures(h.folder.Path());
        g_pTerrain = new CTerrain;  // the frame's shutdown deletes it
        GetFrameHooks().create_world_view = &MakeWorldView;
        GetViewHooks().create_panel = &CreateControlPanel;
        InitGoodsTable();
        InitBuildingTypes();
        LoadStartupImages();  // the fonts, as the program's start loads them
        EXPECT_TRUE(h.frame->StartWorldView(kModeGame));
        for (MapField& f : gs.fields) f.set_hoehe(2), f.set_teile_art(1);
        gs.cash[0] = 5000000;
        gs.year = 1980;
        SPIEL_FELD& view = View();
        view.centre_x = 0.0;
        view.centre_y = kCentre - view.view_origin;
        view.SetupProjection();
        MarkAllFieldsChanged();
        view.BlackenBackBuffers();
        gs.redraw_terrain = gs.redraw_objects = 1;
        view.RedrawView();
        h.Run();
    }
    ~PanelToolsAcceptance() override { GetViewHooks().create_panel = nullptr; }

    SPIEL_FELD& View() { return *g_pSpielFeld; }
    HAUPTDIALOG& Panel() { return *g_pHauptDialog; }
    MapField& Field(int32_t x, int32_t y) { return gs.fields[FieldIndex(x, y)]; }

    // Drags from one field to another; answers the amount the sidebar showed
    // before the button went up.
    int64_t DragCost(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
        DragStart(x1, y1);
        DragTo(x2, y2);
        const int64_t shown = ShownAmount(1);
        DragEnd();
        return shown;
    }
    // The amount the sidebar shows on feedback line `line` (-1: not a number).
    int64_t ShownAmount(size_t line) const {
        const auto& lines = g_pHauptDialog->tool_feedback.lines;
        if (line >= lines.size()) return -1;
        std::string digits;
        for (const char c : lines[line].text) {
            if (std::isdigit(static_cast<unsigned char>(c))) digits += c;
            if (c != ',' && !std::isdigit(static_cast<unsigned char>(c))) return -1;
        }
        return digits.empty() ? -1 : std::stoll(digits);
    }
    std::string ShownLine(size_t line) const {
        const auto& lines = g_pHauptDialog->tool_feedback.lines;
        return line < lines.size() ? lines[line].text : "";
    }
    // Clicks where the chosen building can stand among the candidates, and
    // answers the cash it took; the building's number on the field.
    std::pair<int64_t, int32_t> PlaceBuilding(
        std::initializer_list<std::pair<int32_t, int32_t>> at) {
        const int32_t type = gs.selected_building_type;
        const BuildingType& t = gs.building_types[type + gs.build_orientation];
        for (const auto& [x, y] : at) {
            if (g_pBuildHelper->CanBuildHere(x, y, t.floor_width, t.floor_depth) == 0) continue;
            const int64_t cash = gs.cash[0];
            ClickField(x, y);
            return {cash - gs.cash[0], Field(x, y).BuildingNumber()};
        }
        ADD_FAILURE() << "no site for type " << type;
        return {0, 0};
    }
    int32_t WayType(int32_t x, int32_t y) { return Field(x, y).wegtyp(); }

    plat::HeadlessBackend& Host() override { return h.host; }

    fvtest::FrameHost h;
    CGameState& gs = *h.gs;
};

TEST_F(PanelToolsAcceptance,
       RoadRailStationDepotFactoryDemolitionAndTerrainCostWhatTheSidebarSays) {
    // A road from (102, 106) to (110, 106), picked in the ways list.
    Heading(12);
    PanelRow("Street");
    ASSERT_EQ(View().tool, kToolRoad);
    // The golden panel: the headings with the ways list open, "Street"
    // checked (the sidebar's painters below the list are not part of it).
    const WinGBitmap& panel = Panel().back_buffer;
    const int32_t list_bottom = kPanelRowTop + kPanelRowHeight * kPanelRowCount;
    const uint64_t hash = fvtest::PictureHash(
        panel.width, list_bottom - kPanelGridTop,
        [&](int32_t y) { return &panel.pixels[(kPanelGridTop + y) * panel.Stride()]; });
    EXPECT_EQ(hash, 0x1f43b2cc73cf658eull) << std::hex << hash;
    if (const char* folder = std::getenv("FV_GOLDEN_PNG"); folder != nullptr) {
        plat::PresentNow();
        const plat::Surface& screen = plat::ComposeScreen();
        const plat::Rect r = Panel().GetWindowRect();
        plat::Surface cut;
        cut.Resize(r.right - r.left, r.bottom - r.top);
        for (int32_t y = 0; y < cut.height; ++y) {
            std::copy_n(screen.Row(r.top + y) + r.left, cut.width, cut.Row(y));
        }
        EXPECT_TRUE(
            plat::WritePng(std::string(folder) + "/panel-ways.png", cut, plat::PresentedColours()));
    }

    int64_t cash = gs.cash[0];
    int64_t shown = DragCost(102, 106, 110, 106);
    EXPECT_EQ(ShownLine(0), "Road construction costs:");
    EXPECT_GT(shown, 0);
    EXPECT_EQ(cash - gs.cash[0], shown);
    for (int32_t x = 102; x <= 110; ++x) EXPECT_NE(WayType(x, 106), 0) << x;

    // A rail line from (108, 113) to (116, 113).
    PanelRow("Rails");
    ASSERT_EQ(View().tool, kToolTrack);
    cash = gs.cash[0];
    shown = DragCost(108, 113, 116, 113);
    EXPECT_GT(shown, 0);
    EXPECT_EQ(cash - gs.cash[0], shown);
    for (int32_t x = 108; x <= 116; ++x) EXPECT_NE(WayType(x, 113), 0) << x;

    // A station on the rail, chosen as the purchase screen chooses it.
    gs.selected_building_type = 6;
    gs.build_orientation = 0;
    Heading(11);
    ASSERT_EQ(View().tool, kToolBuilding);
    auto [paid, number] = PlaceBuilding({{111, 113}, {111, 112}, {112, 113}, {112, 112}});
    EXPECT_EQ(paid, gs.building_types[6].build_price);
    EXPECT_GT(number, 0);

    // A truck depot beside the road.
    gs.selected_building_type = 0;
    Heading(14);
    Heading(11);
    std::tie(paid, number) = PlaceBuilding({{105, 105}, {105, 107}, {104, 105}, {104, 107}});
    EXPECT_EQ(paid, gs.building_types[0].build_price);
    EXPECT_GT(number, 0);

    // A factory on open land.
    gs.selected_building_type = 14;
    Heading(14);
    Heading(11);
    std::tie(paid, number) = PlaceBuilding({{112, 108}, {113, 109}, {111, 109}});
    EXPECT_EQ(paid, gs.building_types[14].build_price);
    EXPECT_GT(number, 0);

    // A stretch of the road demolished.
    Heading(13);
    PanelRow("Demolish");
    ASSERT_EQ(View().tool, kToolDemolish);
    cash = gs.cash[0];
    shown = DragCost(107, 106, 109, 106);
    EXPECT_EQ(ShownLine(0), "Demolition costs:");
    EXPECT_GT(shown, 0);
    EXPECT_EQ(cash - gs.cash[0], shown);
    for (int32_t x = 107; x <= 109; ++x) EXPECT_EQ(WayType(x, 106), 0) << x;
    EXPECT_NE(std::pair(WayType(106, 106), WayType(110, 106)), std::pair(0, 0));

    // A field raised and lowered again, each at the cost shown over it.
    PanelRow("Lift / Sink");
    ASSERT_EQ(View().tool, kToolRaiseLower);
    const int32_t height = Field(104, 110).hoehe();
    MoveToField(104, 110);
    EXPECT_EQ(ShownLine(1), "Land lift:");
    shown = ShownAmount(2);
    cash = gs.cash[0];
    ClickField(104, 110);
    EXPECT_EQ(Field(104, 110).hoehe(), height + 1);
    EXPECT_EQ(cash - gs.cash[0], shown);
    EXPECT_EQ(ShownLine(3), "Land sink:");
    shown = ShownAmount(4);
    cash = gs.cash[0];
    ClickField(104, 110, plat::MouseButton::Right);
    EXPECT_EQ(Field(104, 110).hoehe(), height);
    EXPECT_EQ(cash - gs.cash[0], shown);
}

}  // namespace
