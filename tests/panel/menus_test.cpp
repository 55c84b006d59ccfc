// The control panel's menus, driven by clicks on the real panel beside a
// real world view at 800x600: which rows each heading lists, and what the
// rows do to the game.

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

// The real panel, noting the commands and requests it gets.
class MenuPanel : public HAUPTDIALOG {
  public:
    std::vector<uint32_t> commands;
    std::vector<uint64_t> requests;  // message << 32 | wParam

  protected:
    plat::LResult OnMessage(uint32_t m, plat::WParam w, plat::LParam l) override {
        if (m == WM_COMMAND) commands.push_back(static_cast<uint32_t>(w));
        if (m >= WM_USER) requests.push_back(uint64_t{m} << 32 | w);
        return HAUPTDIALOG::OnMessage(m, w, l);
    }
};

// A vehicle as the list holds it.
class TestVehicle : public CVehicle {
  public:
    explicit TestVehicle(int32_t vehicle_class) : CVehicle(VehicleLoadOnly{}) {
        this->vehicle_class = vehicle_class;
        owner = 1;
    }
};

HAUPTDIALOG* MakePanel(SPIEL_FELD& view) {
    auto* panel = new MenuPanel;
    panel->LoadImages();
    if (panel->CreatePanel(&view)) return panel;
    delete panel;
    return nullptr;
}

class PanelMenus : public ::testing::Test {
  protected:
    PanelMenus() {
        static const fvtest::TempFolder world;
        static const bool written = (fvtest::WriteWorldPictures(world.Path()), true);
        (void)written;
        for (char(&path)[kDataPathLength] : h.gs->data_paths) {
            std::snprintf(path, kDataPathLength, "%s", world.Path().c_str());
        }
        GetFrameHooks().create_world_view = &MakeWorldView;
        GetViewHooks().create_panel = &MakePanel;
    }
    ~PanelMenus() override { GetViewHooks().create_panel = nullptr; }

    MenuPanel& Start(int32_t mode) {
        h.frame->StartWorldView(mode);
        h.Run();
        return *static_cast<MenuPanel*>(g_pHauptDialog);
    }
    void Click(const plat::Rect& r) {
        h.host.InjectClick(
            g_pHauptDialog->ClientToScreen(plat::Point{(r.left + r.right) / 2, r.top + 5}));
        h.Run();
    }
    void Press(int32_t heading) { Click(g_pHauptDialog->heading_rects[heading]); }
    Labels Shown() const {
        const HAUPTDIALOG& p = *g_pHauptDialog;
        Labels out;
        for (int32_t r = 0; r < p.entry_count; ++r) {
            out.emplace_back(p.entry_labels[p.current_heading][p.entry_label[r]]);
        }
        return out;
    }

    fvtest::FrameHost h{{800, 600}};
};

TEST_F(PanelMenus, FirstHeadingListsTheGameRowsOfTheModeAndTheEditorAsksToEnd) {
    const Labels start = {"End", "New Game", "New Mission", "New Scenario"};
    struct Case {
        int32_t mode;
        Labels tail;
        size_t requests;
    } cases[] = {{kModeGame, {"Retire", "Pause"}, 0},
                 {kModeCareer, {"Next Level", "Pause"}, 0},
                 {kModeMission, {"Pause"}, 0},
                 {kModeEditor, {}, 1}};
    MenuPanel& panel = Start(kModeGame);
    for (const Case& c : cases) {
        h.gs->game_mode = c.mode;
        Press(14);
        panel.requests.clear();
        Press(0);  // the editor's end heading stands in the same cell
        Labels want = c.mode == kModeEditor ? Labels{} : start;
        want.insert(want.end(), c.tail.begin(), c.tail.end());
        EXPECT_EQ(Shown(), want) << c.mode;
        const std::vector<uint64_t> asked(c.requests, uint64_t{kMsgPanelConfirmEnd} << 32);
        EXPECT_EQ(panel.requests, asked) << c.mode;
        EXPECT_EQ(panel.answer_code, c.mode == kModeEditor ? 0 : 0xFF);
    }
}

TEST_F(PanelMenus, WaysListGainsMonorailInJuly1990AndSuperconductorInJuly2010) {
    const Labels rest = {"Bridge", "Tunnel", "New platform"};
    struct Case {
        int32_t year, month;
        Labels kinds;
    } cases[] = {{1990, 5, {"Street", "Rails"}},
                 {1990, 6, {"Street", "Rails", "Monorail"}},
                 {2010, 6, {"Street", "Rails", "Monorail", "Super conductor"}}};
    MenuPanel& panel = Start(kModeGame);
    for (const Case& c : cases) {
        h.gs->year = c.year;
        h.gs->month = c.month;
        Press(14);
        Press(12);
        Labels want = c.kinds;
        want.insert(want.end(), rest.begin(), rest.end());
        EXPECT_EQ(Shown(), want) << c.year;
        EXPECT_EQ(g_pSpielFeld->tool, 3);  // rails, the kind a game starts with
        EXPECT_EQ(panel.entry_checked[1], 1);
        // The last kind row takes the mark and the tool.
        Click(panel.row_rects[c.kinds.size() - 1]);
        EXPECT_EQ(h.gs->way_kind, static_cast<int32_t>(c.kinds.size()));
        EXPECT_EQ(panel.entry_checked[1], c.kinds.size() == 2 ? 1 : 0) << c.year;
        h.gs->way_kind = 2;
    }
}

TEST_F(PanelMenus, OpponentInformationOnlyWhileAnOpponentTakesTurns) {
    MenuPanel& panel = Start(kModeGame);
    // The turns pending of the three opponents (every slot holds one).
    for (int32_t last : {0, 1000, -1}) {
        for (COpponent* opponent : h.gs->opponents) opponent->turn_pending = 0;
        h.gs->opponents[2]->turn_pending = last;
        Press(14);
        Press(6);
        const bool listed = Shown().size() == 6 && Shown()[2] == "Opponent information";
        EXPECT_EQ(listed, last != 0) << last;
        EXPECT_EQ(panel.entry_count, last != 0 ? 6 : 5);
    }
}

TEST_F(PanelMenus, CityTrafficOffRemovesOnlyTheCityCars) {
    MenuPanel& panel = Start(kModeGame);
    auto* city = new CCity(1, 100, 100, 1);
    g_pCityManager->cities[0] = city;
    city->car_count = 2;
    for (int32_t vehicle_class : {kVehicleCityCar, 2, kVehicleCityCar}) {
        AppendVehicle(new TestVehicle(vehicle_class));
    }
    panel.SendMessage(WM_COMMAND, kCmdCityTraffic);
    EXPECT_EQ(h.gs->opt_city_traffic, 0);
    EXPECT_EQ(city->car_count, 0);
    ASSERT_NE(g_pVehicleList, nullptr);
    EXPECT_EQ(g_pVehicleList->vehicle->vehicle_class, 2);
    EXPECT_EQ(g_pVehicleList->next, nullptr);
}

TEST_F(PanelMenus, NewsWithoutAnIdOnlyLosesItsMarkAndOtherwiseOpensTheNews) {
    MenuPanel& panel = Start(kModeGame);
    h.gs->news_ids[1] = 7;
    struct Case {
        int32_t row;
        uint64_t request;  // 0: none
    } cases[] = {{0, 0}, {1, uint64_t{kMsgVehicleNews} << 32 | 7}, {3, 0}};
    Press(8);
    for (const Case& c : cases) {
        panel.requests.clear();
        Click(panel.row_rects[c.row]);
        EXPECT_EQ(panel.requests, (std::vector<uint64_t>(c.request != 0 ? 1 : 0, c.request)));
        EXPECT_EQ(panel.entry_checked[c.row], c.request != 0 ? 1 : 0) << c.row;
    }
}

TEST_F(PanelMenus, PressingThePressedHeadingSendsNothingButTheBuildHeadingWithoutAType) {
    MenuPanel& panel = Start(kModeGame);
    for (int32_t heading : {12, 11}) {
        panel.commands.clear();
        Press(heading);
        Press(heading);
        const std::vector<uint32_t> once(heading == 11 ? 2 : 1, kCmdHeadingFirst + heading);
        EXPECT_EQ(panel.commands, once) << heading;
    }
}

}  // namespace
