// The panel in a game, over a real world view: amounts in comma groups, the
// tool feedback (the shown demolition cost is what the drag charges) and the
// menus (which rows each heading lists, and what they do to the game).

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "app/interface_hooks.h"
#include "app/main_frame.h"
#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "game/opponent.h"
#include "panel/amount_text.h"
#include "panel/control_panel.h"
#include "panel/popup_protocol.h"
#include "platform/message_queue.h"
#include "platform/random.h"
#include "state/messages.h"
#include "support/frame_host.h"
#include "transport/vehicle_list.h"
#include "world/build_helper.h"
#include "world/terrain.h"
#include "world/tile_marker.h"
#include "world/way_network.h"

namespace {

TEST(AmountText, GroupsDigitsByTheFamilysMostGroups) {
    constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();
    constexpr int64_t kInt64Min = std::numeric_limits<int64_t>::min();
    using enum AmountGroups;
    const std::tuple<int64_t, AmountGroups, const char*> cases[] = {
        {0, All, "0"},
        {999, All, "999"},
        {1000, All, "1,000"},
        {1005, All, "1,005"},
        {1500, All, "1,500"},
        {1000000, All, "1,000,000"},
        {-1234567, All, "-1,234,567"},
        {1000000000000, All, "1,000,000,000,000"},
        {kInt32Min, All, "-2,147,483,648"},
        {kInt64Min, All, "-9,223,372,036,854,775,808"},
        {1234567890, UpToMillions, "1234,567,890"},
        {kInt32Min, UpToMillions, "-2147,483,648"},
        {1500000, UpToThousands, "1500,000"},
        {999, UpToThousands, "999"}};
    for (const auto& [value, groups, text] : cases) EXPECT_EQ(FormatAmount(value, groups), text);
}

// A game's world view over the empty map, made the way the frame makes it.
class InGame : public ::testing::Test {
  protected:
    explicit InGame(plat::Size screen) : h(screen) {
        fvtest::WriteWorldPictures(h.folder.Path());
        g_pTerrain = new CTerrain;  // the frame's shutdown deletes it
        GetFrameHooks().create_world_view = &MakeWorldView;
    }
    fvtest::FrameHost h;
};

class ToolFeedback : public InGame {
  protected:
    ToolFeedback() : InGame({1024, 768}) {
        h.frame->StartWorldView(kModeGame);
        h.Run();
        panel->Create(h.frame, {0, 0, 10, 10}, WS_CHILD);
        SetControlPanel(panel);  // the view deletes it
        for (MapField& f : gs.fields) f.set_hoehe(2), f.set_teile_art(1);
        // Truck depots and stations in four orientations, one factory type.
        for (int32_t t : {0, 1, 2, 3, 6, 7, 8, 9, 14}) {
            const int32_t w = t < 4 ? 1 : t == 7 || t == 9 || t == 14 ? 2 : 4;
            const int32_t d = t < 4 ? 1 : t == 6 || t == 8 || t == 14 ? 2 : 4;
            gs.building_types[t] = {w, d, t < 4 ? 6000 : t < 10 ? 20000 : 90000, {}, {}, 0, 0, 0};
        }
        gs.cash[0] = 100000000;
        View().tool = kToolDemolish;
    }
    SPIEL_FELD& View() { return *g_pSpielFeld; }
    int32_t At() { return 40 + plat::Rand() % 40; }  // in the built-up square
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
    void Build(int32_t type, int32_t x, int32_t y) {
        gs.selected_building_type = type < 10 ? type / 6 * 6 : type;
        gs.build_orientation = type % 6;
        const BuildingType& t = gs.building_types[type];
        if (g_pBuildHelper->CanBuildHere(x, y, t.floor_width, t.floor_depth) == 0) return;
        const int32_t number = g_ppBuildings->PlaceBuilding(x, y);
        if (number > 0) g_pTerrain->PlaceStructure(x, y, number, t.floor_width, t.floor_depth);
    }
    // The cost the panel shows for a drag, and the cash the demolition then
    // takes (as after the confirmation; a refused area through the release).
    std::pair<int64_t, int64_t> Drag(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
        std::tie(View().drag_start_x, View().drag_start_y, View().cursor_x, View().cursor_y) =
            std::tuple(x1, y1, x2, y2);
        panel->DrawDemolitionCost();
        const int64_t shown = panel->demolition_cost, cash = gs.cash[0];
        if (shown >= 0) View().DemolishArea();
        if (shown < 0) View().SendMessage(WM_LBUTTONUP, 0, plat::MakeLParam(100, 100));
        return {shown, cash - gs.cash[0]};
    }
    // The lines the sidebar shows, joined by '|'.
    std::string Shown() const {
        std::string text;
        for (const FeedbackLine& line : panel->tool_feedback.lines) text += "|" + line.text;
        return text.empty() ? text : text.substr(1);
    }
    CGameState& gs = *h.gs;
    HAUPTDIALOG* panel = new HAUPTDIALOG;
};

TEST_F(ToolFeedback, TheShownDemolitionCostIsWhatTheDragCharges) {
    plat::Srand(4711);
    int32_t refused = 0;
    for (int32_t round = 0; round < 6; ++round) {
        for (int32_t k = 0; k < 8; ++k) {  // ways of every type, stations' tracks among them
            const int32_t a = At(), b = At(), c = At(), way = 1 + plat::Rand() % 6;
            k % 2 == 0 ? Line(a, b, c, b, way) : Line(b, a, b, c, way);
            if (k == 0 && round % 2 == 0) gs.fields[FieldIndex(a, b)].set_spieler(1);  // refuses
        }
        const int32_t bx = At();  // a bridge of gravel, asphalt or rail
        g_pWayNetwork->SetWayType(static_cast<uint8_t>(plat::Rand() % 3));
        g_pWayNetwork->BuildBridge(bx, 45, bx, 49 + plat::Rand() % 5, 0);
        for (int32_t k = 0; k < 30; ++k) {
            const int32_t x = At(), y = At();
            MapField& f = gs.fields[FieldIndex(x, y)];
            const int32_t kinds[] = {0, 1, 2, 3, 6, 7, 8, 9, 14};
            if (k < 12 && !f.building_flag() && f.wegtyp() == 0) {
                f.set_stadtnum(1), f.set_stadtb(1 + plat::Rand() % 54);  // all with a price
            } else {
                k < 15 ? f.set_forest_flag(true) : Build(kinds[plat::Rand() % 9], x, y);
            }
        }
        for (int32_t k = 0; k < 25; ++k) {
            const int32_t x = At(), y = At();
            const auto [shown, charged] =
                Drag(x, y, x + plat::Rand() % 13 - 6, y + plat::Rand() % 13 - 6);
            EXPECT_EQ(charged, shown < 0 ? 0 : shown) << "round " << round << " drag " << k;
            const std::string amount = FormatAmount(shown, AmountGroups::UpToMillions);
            EXPECT_EQ(Shown(), "Demolition costs:|" + (shown < 0 ? "Not possible" : amount));
            refused += shown < 0 ? 1 : 0;
        }
    }
    EXPECT_GT(refused, 0);
}

TEST_F(ToolFeedback, RefusalsHintsAndAmounts) {
    // A city building without a price makes the whole area not possible.
    for (const int32_t stadtb : {55, 63}) {
        for (int32_t x = 50; x <= 52; ++x) {
            gs.fields[FieldIndex(x, 50)].set_stadtnum(1);
            gs.fields[FieldIndex(x, 50)].set_stadtb(x == 51 ? stadtb : 5);  // class 0: 9,000
        }
        EXPECT_EQ(Drag(50, 50, 52, 50), (std::pair<int64_t, int64_t>{-1, 0})) << stadtb;
        // Nothing went.
        EXPECT_EQ(std::tuple(Shown(), gs.fields[FieldIndex(50, 50)].stadtb()),
                  std::tuple("Demolition costs:|Not possible", 5));
    }
    EXPECT_EQ(Drag(50, 50, 50, 50), (std::pair<int64_t, int64_t>{9000, 9000}));
    View().cursor_x = View().cursor_y = 60;
    for (const int32_t brush : {3, 1}) {
        panel->brush_size = brush;
        panel->DrawTerrainCost();
        EXPECT_EQ(Shown(), (brush == 1 ? "Costs:|Land lift:|1,000|Land sink:|1,000|" : "") +
                               std::string("Left MT = lift|Right MT = sink"));
    }
    g_pTileMarker->cost = 1000000;
    panel->DrawRoadCost();
    EXPECT_EQ(Shown(), "Road construction costs:|1,000,000");
    panel->ShowActionNotPossible(5);
    EXPECT_EQ(Shown(), "Action not possible:|Too close to|another Terminal");
}

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

// A game at 800x600 whose view made the panel.
class PanelMenus : public InGame {
  protected:
    PanelMenus() : InGame({800, 600}) {
        GetViewHooks().create_panel = [](SPIEL_FELD& view) -> HAUPTDIALOG* {
            auto* panel = new MenuPanel;
            if (panel->LoadImages() && panel->CreatePanel(&view)) return panel;
            delete panel;
            return nullptr;
        };
        EXPECT_TRUE(h.frame->StartWorldView(kModeGame));
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
        const bool editor = mode == kModeEditor;
        EXPECT_EQ(
            std::tuple(Shown(), panel().requests, panel().answer_code),
            std::tuple(rows, editor ? Asked{uint64_t{kMsgPanelOpenEndConfirm} << 32} : Asked{},
                       editor ? 0 : 0xFF));
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
        // The rails a game starts with are checked; the last kind row takes the mark.
        EXPECT_EQ(std::tuple(Shown(), g_pSpielFeld->tool, panel().entry_checked[1]),
                  std::tuple(rows, 3, 1));
        Click(panel().row_rects[1 + i]);
        EXPECT_EQ(std::pair(h.gs->way_kind, panel().entry_checked[1]),
                  std::pair(2 + i, i == 0 ? 1 : 0));
    }
}

// Bridge, tunnel and new platform exclude each other, each row showing its
// mode; choosing a kind of way ends the platform mode and checks the kind.
TEST_F(PanelMenus, BridgeTunnelAndPlatformRowsExcludeEachOtherAndAKindEndsThePlatform) {
    h.gs->year = 1960, h.gs->way_kind = 2;
    Open(12);
    ASSERT_EQ(Shown(), (Labels{"Street", "Rails", "Bridge", "Tunnel", "New platform"}));
    struct Step {
        int32_t row;
        std::tuple<int32_t, int32_t, int32_t> modes;  // bridge, tunnel, platform
        std::vector<int32_t> checked;
    };
    const Step steps[] = {{2, {1, 0, 0}, {0, 1, 1, 0, 0}}, {3, {0, 1, 0}, {0, 1, 0, 1, 0}},
                          {4, {0, 0, 1}, {0, 1, 0, 0, 1}}, {3, {0, 1, 0}, {0, 1, 0, 1, 0}},
                          {4, {0, 0, 1}, {0, 1, 0, 0, 1}}, {0, {0, 0, 0}, {1, 0, 0, 0, 0}},
                          {3, {0, 1, 0}, {1, 0, 0, 1, 0}}, {3, {0, 0, 0}, {1, 0, 0, 0, 0}}};
    for (const Step& step : steps) {
        Click(panel().row_rects[step.row]);
        const SPIEL_FELD& view = *g_pSpielFeld;
        EXPECT_EQ(std::tuple(view.bridge_mode, view.tunnel_mode, view.platform_mode), step.modes)
            << step.row;
        EXPECT_EQ(std::vector<int32_t>(panel().entry_checked, panel().entry_checked + 5),
                  step.checked)
            << step.row;
    }
}

TEST_F(PanelMenus, OpponentInformationOnlyWhileAnOpponentTakesTurns) {
    for (int32_t pending : {0, 1000, -1}) {
        for (COpponent* opponent : h.gs->opponents) opponent->turn_pending = 0;
        h.gs->opponents[2]->turn_pending = pending;
        Open(6);
        EXPECT_EQ(std::tuple(Shown()[2], panel().entry_count),
                  pending != 0 ? std::tuple("Opponent information", 6) : std::tuple("Stores", 5));
    }
}

TEST_F(PanelMenus, StatisticsAsksForItsScreenBeforeItsRowLosesTheMark) {
    Open(6);
    int32_t checked_when_asked = -1;
    plat::SetMessageObserver([&](const plat::MessageTrace& t) {
        if (t.message == kMsgOpenStatistics) checked_when_asked = panel().entry_checked[0];
    });
    Click(panel().row_rects[0]);
    plat::SetMessageObserver(nullptr);
    EXPECT_EQ(std::pair(checked_when_asked, panel().entry_checked[0]), std::pair(1, 0));
}

TEST_F(PanelMenus, CityTrafficOffRemovesOnlyTheCityCars) {
    CCity* city = g_pCityManager->cities[0] = new CCity(1, 100, 100);
    city->car_count = 2;
    for (int32_t kind : {kVehicleCityCar, 2, kVehicleCityCar})
        RegisterVehicle(new TestVehicle(kind));
    panel().SendMessage(WM_COMMAND, kCmdCityTraffic);
    EXPECT_EQ(std::pair(h.gs->opt_city_traffic, city->car_count), std::pair(0, 0));
    ASSERT_TRUE(g_pVehicleList != nullptr && g_pVehicleList->next == nullptr);
    EXPECT_EQ(g_pVehicleList->vehicle->vehicle_class, 2);
}

TEST_F(PanelMenus, NewsWithoutAnIdOnlyLosesItsMarkAndOtherwiseOpensTheNews) {
    h.gs->news_ids[1] = 7;
    // Only the request counts here: the news itself is not made.
    panel().SetPopupFactory(
        PanelPopup::VehicleNews,
        [](HAUPTDIALOG&, const PopupRequest&) -> plat::Window* { return nullptr; });
    Press(8);
    ASSERT_EQ(panel().entry_count, 5);  // the opponent news too, in a game
    for (int32_t row : {0, 1, 3, 4}) {
        panel().requests.clear();
        Click(panel().row_rects[row]);
        EXPECT_EQ(std::pair(panel().requests, panel().entry_checked[row]),
                  row == 1 ? std::pair(Asked{uint64_t{kMsgVehicleNews} << 32 | 7}, 1)
                           : std::pair(Asked{}, 0));
    }
}

TEST_F(PanelMenus, PressingThePressedHeadingSendsNothingButTheBuildHeadingWithoutAType) {
    for (int32_t heading : {12, 11}) {
        panel().commands.clear();
        Press(heading);
        // The build heading opened the purchase screen over the panel: it is
        // cancelled before the heading is pressed again.
        if (plat::Window* purchase = h.frame->Screen(FrameScreen::BuildingPurchase)) {
            purchase->SendMessage(WM_COMMAND, kCmdBuildingPurchaseCancel);
        }
        Press(heading);
        EXPECT_EQ(panel().commands, Asked(heading == 11 ? 2 : 1, kCmdHeadingFirst + heading));
    }
}

// Whether row r of the open list is drawn with the checked face (its left
// edge, where no label reaches, as the row strip has it).
bool DrawnChecked(const HAUPTDIALOG& panel, int32_t r) {
    const WinGBitmap& drawn = panel.back_buffer;
    const WinGBitmap& faces = panel.row_strip;
    auto same = [&](int32_t face_top) {
        for (int32_t y = 0; y < kPanelRowHeight; ++y) {
            for (int32_t x = 0; x < 10; ++x) {
                const int32_t row = panel.row_rects[r].top + y;
                if (drawn.pixels[row * drawn.Stride() + x] !=
                    faces.pixels[(face_top + y) * faces.Stride() + x])
                    return false;
            }
        }
        return true;
    };
    const bool checked = same(236 + kPanelRowHeight * r);
    EXPECT_NE(checked, same(96 + kPanelRowHeight * r)) << "the faces differ";
    return checked;
}

TEST_F(PanelMenus, ThePauseKeyLeavesThePauseRowShowingTheRealState) {
    for (const auto& [mode, row] : {std::pair(kModeGame, 5), std::pair(kModeMission, 4)}) {
        h.gs->game_mode = mode;
        h.gs->user_pause = 0;
        for (const int32_t paused : {1, 0}) {
            h.host.InjectKeyPress('P');
            h.Run();
            EXPECT_EQ(std::tuple(h.gs->user_pause, panel().entry_checked[row],
                                 DrawnChecked(panel(), row)),
                      std::tuple(paused, paused, paused == 1))
                << mode << " " << paused;
        }
        // A click on the row says the same.
        Click(panel().row_rects[row]);
        EXPECT_EQ(std::tuple(h.gs->user_pause, DrawnChecked(panel(), row)), std::tuple(1, true));
        Click(panel().row_rects[row]);
    }
}

// Which headings a click presses: on the overview (zoom 16) only 0-8 and
// 10; while the player pauses none of 11-14.
TEST_F(PanelMenus, HeadingsAnswerOnlyWhereTheZoomAndThePauseAllow) {
    struct Case {
        int32_t zoom, pause;
        std::vector<int32_t> pressed;
    };
    const Case cases[] = {{1, 0, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
                          {16, 0, {0, 1, 2, 3, 4, 5, 6, 7, 8, 10}},
                          {1, 1, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}}};
    for (const Case& c : cases) {
        std::vector<int32_t> pressed;
        for (int32_t heading = 0; heading < 15; ++heading) {
            std::tie(g_pSpielFeld->zoom, h.gs->user_pause) = std::pair(c.zoom, c.pause);
            panel().current_heading = kPanelHeadingCount;  // none pressed
            panel().commands.clear();
            Press(heading);
            if (panel().commands == Asked{kCmdHeadingFirst + heading}) pressed.push_back(heading);
            // Help, name and build open their screens over the panel: closed again.
            h.frame->CloseInfoWindows();
            for (int32_t i = 0; i < kPanelPopupCount; ++i) {
                if (panel().Popup(static_cast<PanelPopup>(i)) == nullptr) continue;
                plat::SendMessage(&panel(), PanelPopupTable()[i].open_message + 1, 0, 1);
            }
            h.Run();
        }
        EXPECT_EQ(pressed, c.pressed) << "zoom " << c.zoom << " pause " << c.pause;
    }
}

TEST_F(PanelMenus, AClickBelowTheLastRowOrWhileAScreenIsOpenSendsNothing) {
    Open(12);
    ASSERT_LT(panel().entry_count, kPanelRowCount);
    panel().commands.clear();
    Click(panel().row_rects[panel().entry_count]);
    h.gs->screen_open = 1;
    Click(panel().heading_rects[3]);
    Click(panel().row_rects[0]);
    EXPECT_EQ(std::tuple(panel().commands, panel().current_heading, panel().entry_checked[0]),
              std::tuple(Asked{}, 12, 0));
    h.gs->screen_open = 0;
}

// Whether the panel shows `rows` rows from y in the same pixels as the strip
// from strip_y in its legend half (left of the colour squares).
bool DrawnLikeStrip(const HAUPTDIALOG& panel, int32_t y, int32_t strip_y, int32_t rows) {
    const WinGBitmap& drawn = panel.back_buffer;
    const WinGBitmap& strip = panel.row_strip;
    for (int32_t r = 0; r < rows; ++r) {
        for (int32_t x = 0; x < 12; ++x) {
            if (drawn.pixels[(y + r) * drawn.Stride() + x] !=
                strip.pixels[(strip_y + r) * strip.Stride() + kPanelWidth + x])
                return false;
        }
    }
    return true;
}

// On the overview the sidebar shows the legend: an opponent not at work is
// switched off (and drawn dimmed), and clicks on its rows switch elements, in
// a game up to y 469, in the editor (elements 4-7) up to y 309.
TEST_F(PanelMenus, TheOverviewLegendHidesIdleOpponentsAndTogglesItsRows) {
    for (COpponent* opponent : h.gs->opponents) opponent->turn_pending = 100;
    h.gs->opponents[1]->turn_pending = 0;
    for (uint8_t& flag : panel().legend_flags) flag = 1;
    Open(10);
    Click(panel().row_rects[3]);  // 1:16-Overview
    ASSERT_EQ(std::pair(g_pSpielFeld->zoom, g_pSpielFeld->tool),
              std::pair(kOverviewZoomLevel, kToolOverviewZoom));
    EXPECT_EQ(std::tuple(panel().legend_flags[1], panel().legend_flags[2], panel().legend_flags[3]),
              std::tuple(1, 0, 1));
    // Player 2's row (element 2) dimmed, player 1's on.
    EXPECT_TRUE(DrawnLikeStrip(panel(), 290, 238 + 20, 10));
    EXPECT_TRUE(DrawnLikeStrip(panel(), 280, 18 + 10, 10));
    EXPECT_FALSE(DrawnLikeStrip(panel(), 290, 18 + 20, 10)) << "the two faces differ";
    const auto click_at = [&](int32_t y) {
        h.host.InjectClick(panel().ClientToScreen(plat::Point{80, y}));
        h.Run();
    };
    click_at(469);
    EXPECT_EQ(panel().legend_flags[19], 0);
    click_at(470);  // below the legend: nothing
    EXPECT_EQ(panel().legend_flags[19], 0);
    h.gs->game_mode = kModeEditor;
    Press(19);
    Click(panel().row_rects[3]);
    ASSERT_EQ(g_pSpielFeld->tool, kToolOverviewZoom);
    const std::vector<uint8_t> before(std::begin(panel().legend_flags),
                                      std::end(panel().legend_flags));
    click_at(309);
    click_at(310);
    std::vector<uint8_t> after(std::begin(panel().legend_flags), std::end(panel().legend_flags));
    EXPECT_EQ(after[7], before[7] != 0 ? 0 : 1);
    after[7] = before[7];
    EXPECT_EQ(after, before);
}

}  // namespace
