// A free game on a generated world with the real frame, world view and
// control panel, played by clicks and keys: every jump of the view draws the
// same frame a full redraw of that place draws, a renamed terminal shows its
// new plate at once, and the sidebar below the legend is clean again when
// the view leaves the 1:16 overview.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/interface_hooks.h"
#include "app/main_frame.h"
#include "economy/building_table.h"
#include "game/opponent.h"
#include "game/opponent_build.h"
#include "panel/control_panel.h"
#include "platform/compositor.h"
#include "platform/input.h"
#include "screens/economy/factory_overview_screen.h"
#include "screens/flow/opponent_screens.h"
#include "screens/vehicles/vehicle_overview_screen.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "state/tree_images.h"
#include "state/world_images.h"
#include "support/frame_host.h"
#include "support/generated_free_game.h"
#include "support/player_building.h"
#include "support/player_clicks.h"
#include "transport/truck.h"
#include "transport/vehicle_list.h"
#include "view/world_view.h"
#include "world/terrain.h"

namespace {

constexpr int32_t kRenameHeading = 9;
constexpr int32_t kViewHeading = 10;
constexpr int32_t kLegendTop = 252;

// A running free game on the world of a fixed seed, started with the offered
// choices, with cash to build.
struct PlayedGame : fvtest::PlayerClicks {
    PlayedGame() : h({1024, 768}, false), start_(h) {
        Panel().SendMessage(kMsgPanelCompanyNameDone, 0, 1);
        h.Run();
        h.host.InjectChar('\r');  // the offered rivals
        h.Run();
        Panel().popup_result.choice = 0;
        Panel().SendMessage(kMsgPanelCityGrowthDone, 0, 0);
        h.Run();
        h.gs->cash[0] = 5000000;
        h.gs->sim_halted = 0;
    }
    SPIEL_FELD& View() { return *g_pSpielFeld; }
    HAUPTDIALOG& Panel() { return *g_pHauptDialog; }
    CGameState& Gs() { return *h.gs; }

    // The view far from (x, y), fully drawn there.
    void LookAway(int32_t x, int32_t y) {
        const int32_t far_x = x < kMapSize / 2 ? kMapSize - 40 : 40;
        const int32_t far_y = y < kMapSize / 2 ? kMapSize - 60 : 60;
        View().centre_x = (far_x - far_y) / 2.0;
        View().centre_y = (far_x + far_y) / 2.0 - View().view_origin;
        View().SetupProjection();
        View().ForceFullRedraw();
        h.Run();
    }
    void Key(int32_t key, bool shift = false) {
        if (shift) h.host.InjectKey(VK_SHIFT, true);
        h.host.InjectKeyPress(key);
        if (shift) h.host.InjectKey(VK_SHIFT, false);
        h.Run();
    }
    // The view's composed picture and the whole screen as shown.
    std::vector<uint8_t> Composite() const {
        const WinGBitmap& c = g_pGameState->images.composite_buffer;
        return {c.pixels, c.pixels + static_cast<ptrdiff_t>(c.Stride()) * c.Rows()};
    }
    static uint64_t Screen() { return fvtest::ScreenHash(1024, 768); }
    // How many bytes of the frame now differ from a full redraw of the same
    // place, and whether the screen differs.
    std::pair<int32_t, bool> DifferenceFromFullRedraw() {
        const std::vector<uint8_t> shown = Composite();
        const uint64_t screen = Screen();
        View().ForceFullRedraw();
        h.Run();
        const std::vector<uint8_t> full = Composite();
        int32_t differ = 0;
        for (size_t i = 0; i < shown.size() && i < full.size(); ++i) differ += shown[i] != full[i];
        return {differ, screen != Screen()};
    }

    // Opens the vehicle overview and presses its Go to on the first row;
    // false when the overview does not open.
    bool GoToFirstVehicle() {
        h.frame->SendMessage(kMsgOpenVehicleOverview);
        h.Run();
        auto* overview =
            dynamic_cast<VehicleOverviewPage*>(h.frame->Screen(FrameScreen::VehicleOverview));
        if (overview == nullptr) return false;
        Press(*overview, kCmdOverviewGoTo);
        return true;
    }

    fvtest::FrameHost h;

  private:
    fvtest::GeneratedFreeGameStart start_;

  protected:
    plat::HeadlessBackend& Host() override { return h.host; }
};

// Each jump, started the way the player starts it; it moves the view to the
// field it names.
struct Jump {
    const char* name;
    std::function<plat::Point(PlayedGame&)> go;
};

TEST(NothingBreaks, EveryJumpOfTheViewDrawsTheFrameAFullRedrawDraws) {
    PlayedGame g;
    const int32_t depot = fvtest::BuildForThePlayer(kTypeTruckDepot, 60, 60);
    const int32_t factory = fvtest::BuildForThePlayer(14, 150, 110);
    ASSERT_GT(depot, 0);
    ASSERT_GT(factory, 0);
    const CBuilding& depot_building = *g_ppBuildings->At(depot);
    const CBuilding& factory_building = *g_ppBuildings->At(factory);
    // A truck near the map's corner, so that the jump shows the map's edge.
    auto* truck = new CTruck(4, 3, "Edge", 0);
    truck->running_flag = 0;
    COpponent& rival = *g.Gs().opponents[0];
    rival.turn_pending = 1000;

    const Jump jumps[] = {
        {"go to in the vehicle overview",
         [](PlayedGame& p) {
             return p.GoToFirstVehicle() ? plat::Point{4, 3} : plat::Point{-1, -1};
         }},
        {"the factory overview's location",
         [&](PlayedGame& p) {
             p.h.frame->SendMessage(kMsgOpenFactoryOverview);
             p.h.Run();
             auto* overview =
                 dynamic_cast<FS_FA_UEBER*>(p.h.frame->Screen(FrameScreen::FactoryOverview));
             if (overview == nullptr) return plat::Point{-1, -1};
             p.Press(*overview, kCmdOverviewGoTo);
             return plat::Point{factory_building.anchor_x, factory_building.anchor_y};
         }},
        {"find",
         [&](PlayedGame& p) {
             p.Heading(kViewHeading);
             p.PanelRow(kCmdZoom1);
             p.PanelRow(kCmdFind);
             auto* find = p.Panel().Popup(PanelPopup::Find);
             if (find == nullptr) return plat::Point{-1, -1};
             p.h.host.InjectChar('\r');
             p.h.Run();
             return plat::Point{depot_building.anchor_x, depot_building.anchor_y};
         }},
        {"a click on the 1:16 overview",
         [](PlayedGame& p) {
             p.Heading(kViewHeading);
             p.PanelRow(kCmdZoomOverview);
             p.PanelRow(kCmdZoom1);
             p.ClickAt(p.View().ClientToScreen(plat::Point{120, 90}));
             return plat::Point{p.View().cursor_x, p.View().cursor_y};
         }},
        {"a bookmark recalled",
         [](PlayedGame& p) {
             p.View().JumpToField(6, 200);
             p.Key(VK_F1, true);
             p.LookAway(6, 200);
             p.Key(VK_F1);
             return plat::Point{6, 200};
         }},
        {"the opponent news' show",
         [&](PlayedGame& p) {
             PlanNode node;
             node.value_1[0] = 60;
             node.value_1[1] = 90;
             rival.plan_list_b.assign(1, node);
             p.Panel().OpponentNews(0);
             p.h.Run();
             auto* news =
                 dynamic_cast<FS_OPPONENT_NEWS*>(p.Panel().Popup(PanelPopup::OpponentNews));
             if (news == nullptr) return plat::Point{-1, -1};
             p.Press(news->buttons, kCmdDialogCancel);  // "Show"
             return plat::Point{60, 90};
         }},
    };
    for (const Jump& jump : jumps) {
        SCOPED_TRACE(jump.name);
        // Far away first, so that nothing of the place jumped to is drawn.
        g.LookAway(100, 100);
        const auto away = std::pair(g.View().CentreP(), g.View().CentreQ());
        const plat::Point target = jump.go(g);
        ASSERT_GE(target.x, 0) << "the jump's screen did not open";
        EXPECT_NE(std::pair(g.View().CentreP(), g.View().CentreQ()), away);
        EXPECT_EQ(g.Gs().screen_open, 0);
        EXPECT_EQ(g.DifferenceFromFullRedraw(), std::pair(0, false));
    }
}

TEST(NothingBreaks, ARenamedTerminalShowsItsNewPlateAtOnce) {
    PlayedGame g;
    const int32_t depot = fvtest::BuildForThePlayer(kTypeTruckDepot, 60, 60);
    ASSERT_GT(depot, 0);
    CBuilding& b = *g_ppBuildings->At(depot);
    ASSERT_NE(g.Gs().show_building_names, 0);
    g.View().JumpToField(b.anchor_x, b.anchor_y);
    g.h.Run();
    // Picked with the rename heading's tool, renamed by typing.
    g.Heading(kRenameHeading);
    g.ClickField(b.anchor_x, b.anchor_y);
    if (g.Panel().Popup(PanelPopup::TerminalRename) == nullptr) g.PanelRow(kCmdRename);
    ASSERT_NE(g.Panel().Popup(PanelPopup::TerminalRename), nullptr);
    for (char c : std::string("Harbour Yard")) g.h.host.InjectChar(static_cast<uint8_t>(c));
    g.h.host.InjectChar('\r');
    g.h.Run();
    ASSERT_EQ(g.Panel().Popup(PanelPopup::TerminalRename), nullptr);
    EXPECT_EQ(std::string(b.GetName()), "Harbour Yard");
    EXPECT_EQ(g.DifferenceFromFullRedraw(), std::pair(0, false));
}

// Whether the sidebar below the legend's top shows its clean background.
bool SidebarClean(const HAUPTDIALOG& panel) {
    const WinGBitmap& shown = panel.back_buffer;
    const WinGBitmap& clean = panel.clean_background;
    for (int32_t y = kLegendTop; y < shown.Rows() && y < clean.Rows(); ++y) {
        const uint8_t* a = &shown.pixels[static_cast<size_t>(y) * shown.Stride()];
        const uint8_t* b = &clean.pixels[static_cast<size_t>(y) * clean.Stride()];
        if (!std::equal(a, a + shown.width, b)) return false;
    }
    return true;
}

TEST(NothingBreaks, LeavingTheOverviewMapWipesItsLegendFromTheSidebar) {
    PlayedGame g;
    const int32_t depot = fvtest::BuildForThePlayer(kTypeTruckDepot, 60, 60);
    ASSERT_GT(depot, 0);
    new CTruck(70, 80, "Lorry", 0);
    COpponent& rival = *g.Gs().opponents[0];
    rival.turn_pending = 1000;
    PlanNode node;
    node.value_1[0] = 90;
    node.value_1[1] = 120;
    rival.plan_list_b.assign(1, node);
    g.View().JumpToField(100, 100);
    g.Key(VK_F1, true);  // a bookmark here

    const Jump ways[] = {
        {"a click on the map with 1:1 asked for",
         [](PlayedGame& p) {
             p.PanelRow(kCmdZoom1);
             p.ClickAt(p.View().ClientToScreen(plat::Point{200, 150}));
             return plat::Point{};
         }},
        {"a bookmark recalled",
         [](PlayedGame& p) {
             p.Key(VK_F1);
             return plat::Point{};
         }},
        {"find",
         [](PlayedGame& p) {
             p.PanelRow(kCmdFind);
             if (p.Panel().Popup(PanelPopup::Find) == nullptr) return plat::Point{-1, -1};
             p.h.host.InjectChar('\r');
             p.h.Run();
             return plat::Point{};
         }},
        {"go to in the vehicle overview",
         [](PlayedGame& p) {
             return p.GoToFirstVehicle() ? plat::Point{} : plat::Point{-1, -1};
         }},
        {"the opponent news' show",
         [](PlayedGame& p) {
             p.Panel().OpponentNews(0);
             p.h.Run();
             auto* news =
                 dynamic_cast<FS_OPPONENT_NEWS*>(p.Panel().Popup(PanelPopup::OpponentNews));
             if (news == nullptr) return plat::Point{-1, -1};
             p.Press(news->buttons, kCmdDialogCancel);
             return plat::Point{};
         }},
    };
    for (const Jump& way : ways) {
        SCOPED_TRACE(way.name);
        g.Heading(kViewHeading);
        g.PanelRow(kCmdZoomOverview);
        ASSERT_EQ(std::pair(g.View().zoom, g.View().tool),
                  std::pair(kOverviewZoomLevel, kToolOverviewZoom));
        EXPECT_FALSE(SidebarClean(g.Panel())) << "no legend at 1:16";
        ASSERT_GE(way.go(g).x, 0) << "the screen did not open";
        g.h.Run();
        EXPECT_NE(g.View().zoom, kOverviewZoomLevel);
        EXPECT_EQ(g.View().tool, kToolOverviewZoom);
        EXPECT_TRUE(SidebarClean(g.Panel()));
    }
}

TEST(NothingBreaks, TheIndustriesOverviewLeavesAPlaceWithoutAFactoryEmpty) {
    PlayedGame g;
    const int32_t factory = fvtest::BuildForThePlayer(14, 150, 110);
    ASSERT_GT(factory, 0);
    g.h.frame->SendMessage(kMsgOpenFactoryOverview);
    g.h.Run();
    auto* overview = dynamic_cast<FS_FA_UEBER*>(g.h.frame->Screen(FrameScreen::FactoryOverview));
    ASSERT_NE(overview, nullptr);
    ASSERT_EQ(overview->row_count, 1);
    // Every place has its two buttons, the empty places too.
    for (int32_t place = 0; place < 3; ++place) {
        for (const uint16_t first : {kCmdOverviewOpen, kCmdOverviewGoTo}) {
            const auto command = static_cast<uint16_t>(first + place);
            int32_t shown = 0;
            for (const auto& button : overview->buttons) {
                shown += button->command_id == command && button->IsWindowVisible();
            }
            EXPECT_EQ(shown, 1) << "place " << place << ", command " << command;
        }
    }
    // The empty places show the page's plain rows left of their buttons.
    const plat::Surface& screen = plat::ComposeScreen();
    const plat::Point page = overview->ClientToScreen(plat::Point{0, 0});
    const int32_t left = page.x + (1024 - 640) / 2 + 20;
    for (int32_t place = 1; place < 3; ++place) {
        const int32_t top = page.y + (768 - 480) / 2 + 51 + 116 * place;
        const uint8_t ground = screen.Row(top + 40)[left + 10];
        int32_t other = 0;
        for (int32_t y = top + 4; y < top + 108; ++y) {
            for (int32_t x = left + 4; x < left + 476; ++x) other += screen.Row(y)[x] != ground;
        }
        EXPECT_EQ(other, 0) << "place " << place;
    }
}

}  // namespace
