// The control panel's menus, clicked on the real panel beside a real world
// view: which rows each heading lists, and what the rows do to the game.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/main_frame.h"
#include "cities/city_manager.h"
#include "game/opponent.h"
#include "panel/control_panel.h"
#include "state/messages.h"
#include "support/frame_host.h"
#include "transport/vehicle_list.h"

namespace {

using Labels = std::vector<std::string>;
using Asked = std::vector<uint64_t>;  // message << 32 | wParam

struct MenuPanel : HAUPTDIALOG {  // the real panel, noting the commands and requests it gets
    Asked commands, requests;
    plat::LResult OnMessage(uint32_t m, plat::WParam w, plat::LParam l) override {
        if (m == WM_COMMAND) commands.push_back(w);
        if (m >= WM_USER) requests.push_back(uint64_t{m} << 32 | w);
        return HAUPTDIALOG::OnMessage(m, w, l);
    }
};

struct TestVehicle : CVehicle {  // a vehicle of city 1 as the list holds it
    explicit TestVehicle(int32_t k) : CVehicle(VehicleLoadOnly{}) { vehicle_class = k, owner = 1; }
};

// A free game at 800x600 whose view made the panel.
class PanelMenus : public ::testing::Test {
  protected:
    PanelMenus() {
        static const fvtest::TempFolder world;
        static const bool written = (fvtest::WriteWorldPictures(world.Path()), true);
        for (auto& p : h.gs->data_paths) std::snprintf(p, sizeof p, "%s", world.Path().c_str());
        GetFrameHooks().create_world_view = &MakeWorldView;
        GetViewHooks().create_panel = [](SPIEL_FELD& view) -> HAUPTDIALOG* {
            auto* panel = new MenuPanel;
            if (panel->LoadImages() && panel->CreatePanel(&view)) return panel;
            delete panel;
            return nullptr;
        };
        EXPECT_TRUE(written && h.frame->StartWorldView(kModeGame));
    }
    ~PanelMenus() override { GetViewHooks().create_panel = nullptr; }

    void Click(const plat::Rect& r) {
        h.host.InjectClick(panel().ClientToScreen(plat::Point{(r.left + r.right) / 2, r.top + 5}));
        h.Run();
    }
    void Press(int32_t heading) { Click(panel().heading_rects[heading]); }
    // Opens a heading from the no-tool heading.
    void Open(int32_t heading) { Press(14), Press(heading); }
    Labels Shown() const {
        Labels out;
        for (int32_t r = 0; r < panel().entry_count; ++r) {
            out.emplace_back(panel().entry_labels[panel().current_heading][panel().entry_label[r]]);
        }
        return out;
    }

    MenuPanel& panel() const { return *static_cast<MenuPanel*>(g_pHauptDialog); }
    fvtest::FrameHost h{{800, 600}};
};

TEST_F(PanelMenus, FirstHeadingListsTheGameRowsOfTheModeAndTheEditorAsksToEnd) {
    const std::pair<int32_t, Labels> cases[] = {
        {kModeGame, {"End", "New Game", "New Mission", "New Scenario", "Retire", "Pause"}},
        {kModeCareer, {"End", "New Game", "New Mission", "New Scenario", "Next Level", "Pause"}},
        {kModeMission, {"End", "New Game", "New Mission", "New Scenario", "Pause"}},
        {kModeEditor, {}}};
    for (const auto& [mode, rows] : cases) {
        h.gs->game_mode = mode;
        panel().requests.clear();
        Open(0);  // the editor's end heading stands in the same cell
        EXPECT_EQ(Shown(), rows) << mode;
        const bool editor = mode == kModeEditor;
        EXPECT_EQ(panel().requests,
                  editor ? Asked{uint64_t{kMsgPanelOpenEndConfirm} << 32} : Asked{});
        EXPECT_EQ(panel().answer_code, editor ? 0 : 0xFF);
    }
}

TEST_F(PanelMenus, WaysListGainsMonorailInJuly1990AndSuperconductorInJuly2010) {
    const Labels all = {"Street", "Rails",  "Monorail",    "Super conductor",
                        "Bridge", "Tunnel", "New platform"};
    for (int32_t i = 0; i < 3; ++i) {  // June 1990, July 1990, July 2010
        h.gs->year = i == 2 ? 2010 : 1990, h.gs->month = i == 0 ? 5 : 6, h.gs->way_kind = 2;
        Open(12);
        Labels rows = all;
        rows.erase(rows.begin() + 2 + i, rows.begin() + 4);  // the kinds not yet there
        EXPECT_EQ(Shown(), rows) << i;
        EXPECT_EQ(g_pSpielFeld->tool, 3);  // the rails a game starts with, checked
        EXPECT_EQ(panel().entry_checked[1], 1);
        // The last kind row takes the mark from the rails.
        Click(panel().row_rects[1 + i]);
        EXPECT_EQ(h.gs->way_kind, 2 + i);
        EXPECT_EQ(panel().entry_checked[1], i == 0 ? 1 : 0) << i;
    }
}

TEST_F(PanelMenus, OpponentInformationOnlyWhileAnOpponentTakesTurns) {
    for (int32_t pending : {0, 1000, -1}) {
        for (COpponent* opponent : h.gs->opponents) opponent->turn_pending = 0;
        h.gs->opponents[2]->turn_pending = pending;
        Open(6);
        EXPECT_EQ(Shown()[2], pending != 0 ? "Opponent information" : "Stores") << pending;
        EXPECT_EQ(panel().entry_count, pending != 0 ? 6 : 5);
    }
}

TEST_F(PanelMenus, CityTrafficOffRemovesOnlyTheCityCars) {
    CCity* city = g_pCityManager->cities[0] = new CCity(1, 100, 100, 1);
    city->car_count = 2;
    for (int32_t kind : {kVehicleCityCar, 2, kVehicleCityCar}) AppendVehicle(new TestVehicle(kind));
    panel().SendMessage(WM_COMMAND, kCmdCityTraffic);
    EXPECT_EQ(h.gs->opt_city_traffic, 0);
    EXPECT_EQ(city->car_count, 0);
    ASSERT_TRUE(g_pVehicleList != nullptr && g_pVehicleList->next == nullptr);
    EXPECT_EQ(g_pVehicleList->vehicle->vehicle_class, 2);
}

TEST_F(PanelMenus, NewsWithoutAnIdOnlyLosesItsMarkAndOtherwiseOpensTheNews) {
    h.gs->news_ids[1] = 7;
    Press(8);
    for (int32_t row : {0, 1, 3}) {
        panel().requests.clear();
        Click(panel().row_rects[row]);
        const bool shown = row == 1;
        EXPECT_EQ(panel().requests, shown ? Asked{uint64_t{kMsgVehicleNews} << 32 | 7} : Asked{});
        EXPECT_EQ(panel().entry_checked[row], shown ? 1 : 0) << row;
    }
}

TEST_F(PanelMenus, PressingThePressedHeadingSendsNothingButTheBuildHeadingWithoutAType) {
    for (int32_t heading : {12, 11}) {
        panel().commands.clear();
        Press(heading);
        Press(heading);
        EXPECT_EQ(panel().commands, Asked(heading == 11 ? 2 : 1, kCmdHeadingFirst + heading));
    }
}

}  // namespace
