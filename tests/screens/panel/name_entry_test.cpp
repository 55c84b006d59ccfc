// The name-entry screens and find, driven by typed keys and clicks: the
// offered name is replaced by typing, the field keeps to 30 bytes and 192
// pixels and refuses what the font cannot draw, the chosen colour orders the
// players' colours, invalid targets open nothing, and find lists the
// player's terminals, pages within them and selects the chosen one.

#include <gtest/gtest.h>

#include <string>

#include "cities/city.h"
#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "economy/mine.h"
#include "economy/truck_depot.h"
#include "gfx/font_tables.h"
#include "gfx/text.h"
#include "screens/panel/dialog_layout.h"
#include "screens/panel/find_screen.h"
#include "screens/panel/name_entry_screen.h"
#include "state/messages.h"
#include "support/dialog_game.h"

namespace {

namespace dl = dialog_layout;

class NameEntry : public fvtest::DialogGame {
  protected:
    CTruckDepot& Depot(int32_t number, const char* name, uint8_t owner = 0) {
        auto* depot = new CTruckDepot(10 + number % 100, 20 + number / 100);
        depot->type = 0;
        depot->owner = owner;
        depot->SetName(name);
        delete g_ppBuildings->buildings[number];
        g_ppBuildings->buildings[number] = depot;
        return *depot;
    }
    NameEntryScreen* Shown(PanelPopup slot) { return dynamic_cast<NameEntryScreen*>(Open(slot)); }
    std::string Text(PanelPopup slot) { return Shown(slot)->field->GetText(); }
};

TEST_F(NameEntry, TypingReplacesTheOfferedNameAndEnterRenamesTheTerminal) {
    CTruckDepot& depot = Depot(5, "Old Yard");
    // The depot is the sidebar's: its panel follows the new name.
    std::tie(gs.selected_object_type, Panel().selected_structure) = std::tuple(16, 5);
    Panel().SendMessage(kMsgRefreshInfoPanel);
    Panel().SendMessage(kMsgPanelOpenRenameTerminal, 0, 5);
    h.Run();
    ASSERT_NE(Shown(PanelPopup::TerminalRename), nullptr);
    EXPECT_EQ(Text(PanelPopup::TerminalRename), "Old Yard");
    EXPECT_EQ(gs.sim_halted, 1);
    Type("North 2");
    Key(VK_BACK, 8);
    Type("3");
    fvtest::MaybeSaveScreen("rename_terminal");
    Key(VK_RETURN, 13);
    EXPECT_EQ(Shown(PanelPopup::TerminalRename), nullptr);
    EXPECT_EQ(std::string(depot.GetName()), "North 3");
    EXPECT_EQ(std::tuple(gs.sim_halted, gs.screen_open), std::tuple(0, 0));
    EXPECT_EQ(Panel().sidebar_shown.Values().substr(0, 20), "Truck-Depot|North 3|");
}

TEST_F(NameEntry, TheFieldKeepsToThirtyBytesAndTheStripsWidth) {
    Panel().SendMessage(kMsgPanelOpenCompanyName);
    h.Run();
    ASSERT_NE(Shown(PanelPopup::CompanyName), nullptr);
    Key(VK_BACK, 8);  // the offered name goes
    Type(std::string(35, 'i'));
    EXPECT_EQ(Text(PanelPopup::CompanyName), std::string(30, 'i'));
    Key(VK_BACK, 8);
    Type("W");  // the 30th byte is allowed again, if it fits
    const std::string narrow = Text(PanelPopup::CompanyName);
    EXPECT_LE(GetTextWidth(narrow.c_str(), kFont1Advances), 192u);
    for (int i = 0; i < 30; ++i) Key(VK_BACK, 8);
    Type(std::string(30, 'W'));
    const std::string wide = Text(PanelPopup::CompanyName);
    EXPECT_LT(wide.size(), 30u);
    EXPECT_LE(GetTextWidth(wide.c_str(), kFont1Advances), 192u);
    EXPECT_GT(GetTextWidth((wide + "W").c_str(), kFont1Advances), 192u);
}

TEST_F(NameEntry, OnlySpacesLettersAndDigitsTheFontDraws) {
    const std::pair<uint8_t, bool> cases[] = {
        {' ', true},   {'a', true},   {'Z', true},   {'0', true},   {'9', true},   {'-', false},
        {'.', false},  {'{', false},  {'~', false},  {0xDF, false}, {0xF6, false}, {0xE4, false},
        {0x98, false}, {0xD6, false}, {0xC4, false}, {0xDC, false}, {0xE9, false}, {0xB2, false}};
    for (const auto& [c, taken] : cases) EXPECT_EQ(NameField::NameByte(c), taken) << int(c);
    Depot(7, "Depot");
    Panel().SendMessage(kMsgPanelOpenRenameTerminal, 0, 7);
    h.Run();
    Type("A\xDF\xF6\xE4\x98\xD6\xC4\xDC-.{b\xE9");
    EXPECT_EQ(Text(PanelPopup::TerminalRename), "Ab");
}

TEST_F(NameEntry, TheChosenColourLeadsThePlayersColours) {
    for (int32_t k = 0; k < 4; ++k) {
        gs.player_colors[0] = 1;
        Panel().SendMessage(kMsgPanelOpenCompanyName);
        h.Run();
        NameEntryScreen* screen = Shown(PanelPopup::CompanyName);
        ASSERT_NE(screen, nullptr);
        EXPECT_EQ(screen->colour, 1);
        const plat::Point box = dl::kColourBoxes[k];
        ClickAt(screen, {box.x + 8, box.y + 8});
        EXPECT_EQ(screen->colour, k);
        Type("Firm " + std::to_string(k));  // after a click the field still types
        Key(VK_RETURN, 13);
        EXPECT_EQ(std::string(gs.company_names[0]), "Firm " + std::to_string(k));
        for (int32_t p = 0; p < 4; ++p) EXPECT_EQ(gs.player_colors[p], (k + p) % 4);
    }
}

TEST_F(NameEntry, InvalidTargetsOpenNothing) {
    CCity* city = g_pCityManager->cities[4];
    Depot(9, "Mine?");
    g_ppBuildings->buildings[9]->type = 10;  // not a terminal
    for (const int32_t target : {-1, -3, 63, 4}) {
        Panel().SendMessage(kMsgPanelOpenRenameCity, 0, target);
        EXPECT_EQ(Open(PanelPopup::CityRename), nullptr) << target;
    }
    for (const int32_t target : {0, 8, 9, 1024, -1}) {
        Panel().SendMessage(kMsgPanelOpenRenameTerminal, 0, target);
        EXPECT_EQ(Open(PanelPopup::TerminalRename), nullptr) << target;
    }
    EXPECT_EQ(std::tuple(gs.sim_halted, gs.screen_open, city), std::tuple(0, 0, nullptr));
    // A city that exists is renamed.
    g_pCityManager->cities[4] = new CCity(5, 30, 30);
    std::snprintf(g_pCityManager->cities[4]->name, kCityNameLength, "%s", "Elmwood");
    Panel().SendMessage(kMsgPanelOpenRenameCity, 0, 4);
    h.Run();
    ASSERT_NE(Shown(PanelPopup::CityRename), nullptr);
    EXPECT_EQ(Text(PanelPopup::CityRename), "Elmwood");
    Type("Oakdale");
    Key(VK_RETURN, 13);
    EXPECT_EQ(std::string(g_pCityManager->cities[4]->name), "Oakdale");
}

class Find : public NameEntry {
  protected:
    FindScreen* Shown() { return dynamic_cast<FindScreen*>(Open(PanelPopup::Find)); }
    FindScreen* Request() {
        Panel().SendMessage(kMsgPanelOpenFind);
        h.Run();
        return Shown();
    }
    void Press(FindScreen* s, plat::Point button) {
        h.Advance(600);  // not a double click
        ClickAt(s, {button.x + 10, button.y + 10});
    }
};

TEST_F(Find, WithoutTerminalsOkActsAsCancel) {
    Depot(3, "Theirs", 1);  // an opponent's
    View().cursor_x = View().cursor_y = 77;
    FindScreen* screen = Request();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->list->LineCount(), 0);
    const double centre = View().centre_x;
    Key(VK_RETURN, 13);
    EXPECT_EQ(Shown(), nullptr);
    EXPECT_EQ(std::tuple(View().cursor_x, View().cursor_y, View().centre_x),
              std::tuple(77, 77, centre));
}

TEST_F(Find, PagingStopsAtTheLastLine) {
    for (int32_t n = 1; n <= 25; ++n) Depot(n, ("Depot " + std::to_string(n)).c_str());
    FindScreen* screen = Request();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->list->LineCount(), 25);
    std::vector<int32_t> tops;
    for (int i = 0; i < 3; ++i) {
        Press(screen, dl::kFindPageDown);
        tops.push_back(screen->list->top_line);
    }
    for (int i = 0; i < 3; ++i) {
        Press(screen, dl::kFindPageUp);
        tops.push_back(screen->list->top_line);
    }
    EXPECT_EQ(tops, (std::vector<int32_t>{10, 20, 20, 10, 0, 0}));
}

TEST_F(Find, TheFirstClickKeepsLineZeroAndOkSelectsTheChosenTerminal) {
    Depot(2, "Alpha");
    Depot(4, "Beta", 2);
    Depot(6, "Gamma");
    FindScreen* screen = Request();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->numbers, (std::vector<int32_t>{2, 6}));
    const plat::Point list{dl::kFindList.left + 30, dl::kFindList.top + 8};
    ClickAt(screen, list);
    EXPECT_EQ(std::tuple(screen->chosen, screen->list->IsLineSelected(0)), std::tuple(0, true));
    ClickAt(screen, {list.x, list.y + 17});
    EXPECT_EQ(screen->chosen, 1);
    fvtest::MaybeSaveScreen("find");
    Press(screen, dl::kFindOk);
    EXPECT_EQ(Shown(), nullptr);
    const CBuilding& gamma = *g_ppBuildings->At(6);
    EXPECT_EQ(std::tuple(View().cursor_x, View().cursor_y),
              std::tuple(gamma.anchor_x, gamma.anchor_y));
    // OK shows the terminal at the zoom asked for, the overview's as the
    // closest zoom: the view's zoom, its row alone checked, the camera on it.
    struct Row {
        int32_t asked, zoom, row;
    };
    for (const Row& r : {Row{16, 1, 0}, Row{1, 1, 0}, Row{2, 2, 1}, Row{4, 4, 2}}) {
        gs.zoom_request = r.asked;
        for (int32_t& check : Panel().entry_checked) check = 1;
        View().cursor_x = View().cursor_y = 5;
        screen = Request();
        ASSERT_NE(screen, nullptr);
        Press(screen, dl::kFindOk);  // line 0: Alpha
        const CBuilding& alpha = *g_ppBuildings->At(2);
        EXPECT_EQ(std::tuple(gs.zoom_request, View().zoom, View().cursor_x, View().cursor_y),
                  std::tuple(r.zoom, r.zoom, alpha.anchor_x, alpha.anchor_y))
            << r.asked;
        std::vector<int32_t> checked(kPanelRowCount, 0);
        checked[r.row] = 1;
        EXPECT_EQ(std::vector<int32_t>(std::begin(Panel().entry_checked),
                                       std::end(Panel().entry_checked)),
                  checked);
        EXPECT_EQ(std::pair(View().centre_x, View().centre_y),
                  std::pair((alpha.anchor_x - alpha.anchor_y) / 2.0,
                            (alpha.anchor_x + alpha.anchor_y) / 2.0 - View().view_origin));
        EXPECT_EQ(std::tuple(View().tool, gs.pending_view_code), std::tuple(85, 7));
    }
}

}  // namespace
