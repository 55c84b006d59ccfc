// The dialog screens of a running game, headless at 800 x 600 on the stand-in
// data with the real frame, world view and control panel, driven by injected
// clicks and keys: structure information, the demolition question, renaming,
// find, options and the end question. With FV_GOLDEN_PNG each screen is
// written as a PNG.

#include <gtest/gtest.h>

#include <string>

#include "economy/building.h"
#include "economy/building_table.h"
#include "screens/panel/confirm_screen.h"
#include "screens/panel/dialog_layout.h"
#include "screens/panel/find_screen.h"
#include "screens/panel/name_entry_screen.h"
#include "screens/panel/options_screen.h"
#include "screens/panel/structure_info_screen.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "support/dialog_game.h"
#include "world/terrain.h"

namespace {

namespace dl = dialog_layout;

constexpr plat::Point kAt{400, 300};  // a point of the view (client)

class PanelDialogsAcceptance : public fvtest::DialogGame {
  protected:
    PanelDialogsAcceptance() {
        for (MapField& f : gs.fields) f.set_hoehe(2), f.set_teile_art(1);
        const BuildingType depot{1, 1, 6000, {}, {}, 0, 0, 0};
        const BuildingType mine{2, 2, 0, {}, {}, 0, 0, 0};
        if (gs.building_types[0].floor_width == 0) gs.building_types[0] = depot;
        if (gs.building_types[10].floor_width == 0) gs.building_types[10] = mine;
        gs.cash[0] = 100000000;
        Redraw();
        View().PickField(kAt.x, kAt.y);
        field = {View().cursor_x, View().cursor_y};
    }
    void Redraw() {
        gs.redraw_terrain = gs.redraw_objects = 1;
        View().RedrawView();
        h.Run();
    }
    // Places a building of `type` with its north-west field at (x, y).
    int32_t Build(int32_t type, int32_t x, int32_t y) {
        gs.selected_building_type = type;
        gs.build_orientation = 0;
        const BuildingType& t = gs.building_types[type];
        const int32_t number = g_ppBuildings->PlaceBuilding(x, y);
        if (number > 0) g_pTerrain->PlaceStructure(x, y, number, t.floor_width, t.floor_depth);
        Redraw();
        return number;
    }
    void ClickView(plat::Point p) {
        h.Advance(600);
        h.host.InjectClick(View().ClientToScreen(p));
        h.Run();
    }
    void ClickPanel(const plat::Rect& r) {
        h.Advance(600);
        h.host.InjectClick(Panel().ClientToScreen(plat::Point{(r.left + r.right) / 2, r.top + 5}));
        h.Run();
    }
    void Heading(int32_t heading) {
        ClickPanel(Panel().heading_rects[kHeadingNoTool]);
        ClickPanel(Panel().heading_rects[heading]);
    }
    void Row(int32_t row) { ClickPanel(Panel().row_rects[row]); }
    void ClickIn(plat::Window* w, plat::Point p) {
        h.Advance(600);
        ClickAt(w, p);
    }
    plat::Point field;  // the field under kAt
};

TEST_F(PanelDialogsAcceptance, AMinePickedAndThenClickedWithNoToolShowsItsStructureInfo) {
    gs.mine_kind = 1;  // silver
    const int32_t mine = Build(10, field.x, field.y);
    ASSERT_GT(mine, 0);
    // Picked with heading 9's tool the panel takes the mine; the figures the
    // sidebar shows for it are checked with the sidebar panels.
    Heading(9);
    ClickView(kAt);
    EXPECT_EQ(std::tuple(Panel().selected_structure, gs.selected_object_type), std::tuple(mine, 2));
    ClickPanel(Panel().heading_rects[kHeadingNoTool]);
    EXPECT_EQ(View().tool, kToolNone);
    ClickView(kAt);
    auto* info = dynamic_cast<StructureInfoScreen*>(Open(PanelPopup::StructureInfo));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(std::tuple(info->shown_building, info->picture), std::tuple(mine, 2));
    fvtest::MaybeSaveScreen("dialogs_structure_info");
    Key(VK_RETURN, 13);
    EXPECT_EQ(Open(PanelPopup::StructureInfo), nullptr);
    EXPECT_EQ(gs.screen_open, 0);
}

TEST_F(PanelDialogsAcceptance, ADemolitionOverTenThousandAsksFirstAndOkDemolishes) {
    // City buildings of 9,000 each on the fields around the point.
    for (int32_t y = field.y - 3; y <= field.y + 3; ++y) {
        for (int32_t x = field.x - 3; x <= field.x + 3; ++x) {
            MapField& f = gs.fields[FieldIndex(x, y)];
            f.set_stadtnum(1), f.set_stadtb(5);
        }
    }
    Redraw();
    View().tool = kToolDemolish;
    const plat::Point end{kAt.x + 20, kAt.y + 12};
    h.host.InjectMouseMove(View().ClientToScreen(kAt));
    h.Advance(300);
    h.host.InjectMouseButton(plat::MouseButton::Left, true);
    h.Advance(300);
    h.host.InjectMouseMove(View().ClientToScreen(end));
    h.Advance(300);
    h.host.InjectMouseButton(plat::MouseButton::Left, false);
    h.Run();
    auto* ask = dynamic_cast<FS_CONFIRM*>(Open(PanelPopup::Demolition));
    ASSERT_NE(ask, nullptr) << "cost shown " << Panel().demolition_cost;
    EXPECT_EQ(ask->Picture(), 14);
    const int64_t cost = Panel().demolition_cost, cash = gs.cash[0];
    EXPECT_GT(cost, 10000);
    fvtest::MaybeSaveScreen("dialogs_demolition");
    ClickIn(ask, {dl::kConfirmOk.x + 30, dl::kConfirmOk.y + 20});
    EXPECT_EQ(Open(PanelPopup::Demolition), nullptr);
    EXPECT_EQ(gs.cash[0], cash - cost);
    EXPECT_EQ(gs.fields[FieldIndex(field.x, field.y)].stadtb(), 0);
    // The drag is over; of its marks only the selected field's is left.
    int32_t marked = 0;
    for (const MapField& f : gs.fields) marked += f.cursor() != 0;
    EXPECT_EQ(std::tuple(View().drag_start_x, View().drag_start_y, marked,
                         gs.fields[FieldIndex(View().cursor_x, View().cursor_y)].cursor()),
              std::tuple(-1, -1, 1, 1u));
}

TEST_F(PanelDialogsAcceptance, ATerminalIsRenamedByTypingAndFindCentresTheViewOnIt) {
    const int32_t depot = Build(0, field.x, field.y);
    ASSERT_GT(depot, 0);
    // The rename entry for the selected terminal.
    View().cursor_x = field.x, View().cursor_y = field.y;
    Panel().selected_type = 16;
    Panel().SendMessage(WM_COMMAND, kCmdRename);
    h.Run();
    auto* rename = dynamic_cast<NameEntryScreen*>(Open(PanelPopup::TerminalRename));
    ASSERT_NE(rename, nullptr);
    Type("Harbour Yard");
    fvtest::MaybeSaveScreen("dialogs_rename");
    Key(VK_RETURN, 13);
    EXPECT_EQ(std::string(g_ppBuildings->At(depot)->GetName()), "Harbour Yard");
    // Find it from the view heading, somewhere else on the map.
    View().cursor_x = View().cursor_y = 20;
    Heading(10);
    Row(4);
    auto* find = dynamic_cast<FindScreen*>(Open(PanelPopup::Find));
    ASSERT_NE(find, nullptr);
    EXPECT_EQ(find->list->GetLine(0), "Harbour Yard");
    fvtest::MaybeSaveScreen("dialogs_find");
    ClickIn(find, {dl::kFindOk.x + 30, dl::kFindOk.y + 20});
    EXPECT_EQ(Open(PanelPopup::Find), nullptr);
    const CBuilding& b = *g_ppBuildings->At(depot);
    EXPECT_EQ(std::tuple(View().cursor_x, View().cursor_y), std::tuple(b.anchor_x, b.anchor_y));
    EXPECT_DOUBLE_EQ(View().centre_x, (b.anchor_x - b.anchor_y) / 2.0);
    EXPECT_DOUBLE_EQ(View().centre_y, (b.anchor_x + b.anchor_y) / 2.0 - View().view_origin);
}

TEST_F(PanelDialogsAcceptance, OptionsSwitchTheMusicOff) {
    gs.opt_music = 1;
    Heading(2);
    auto* options = dynamic_cast<OptionsScreen*>(Open(PanelPopup::Options));
    ASSERT_NE(options, nullptr);
    ClickIn(options, {dl::kOptionMarks[0].x + 4, dl::kOptionMarks[0].y + 4});
    fvtest::MaybeSaveScreen("dialogs_options");
    ClickIn(options, {dl::kOptionsOk.x + 30, dl::kOptionsOk.y + 20});
    EXPECT_EQ(Open(PanelPopup::Options), nullptr);
    EXPECT_EQ(gs.opt_music, 0);
    // The panel is back at no tool.
    EXPECT_EQ(std::pair(Panel().current_heading, View().tool),
              std::pair(kHeadingNoTool, kToolNone));
}

TEST_F(PanelDialogsAcceptance, EndThenNoKeepsTheGame) {
    Heading(0);
    Row(0);  // End
    auto* ask = dynamic_cast<FS_CONFIRM*>(Open(PanelPopup::EndConfirm));
    ASSERT_NE(ask, nullptr);
    EXPECT_EQ(std::tuple(ask->Picture(), gs.sim_halted), std::tuple(32, 1));
    fvtest::MaybeSaveScreen("dialogs_end");
    ClickIn(ask, {dl::kConfirmCancel.x + 30, dl::kConfirmCancel.y + 20});
    EXPECT_EQ(Open(PanelPopup::EndConfirm), nullptr);
    EXPECT_NE(g_pSpielFeld, nullptr);
    EXPECT_EQ(std::tuple(gs.sim_halted, gs.screen_open), std::tuple(0, 0));
}

}  // namespace
