// The screens that hold a text field answer Enter and Escape themselves:
// Escape leaves the screen as it was (none of them has a cancel for it) and
// Enter is OK, whether the field or the screen has the focus. A jump to a
// found place without a requested zoom keeps the view's own.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <tuple>

#include "cities/city.h"
#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "economy/truck_depot.h"
#include "game/opponent.h"
#include "game/opponent_roster.h"
#include "panel/control_panel.h"
#include "platform/input.h"
#include "screens/flow/flow_host.h"
#include "screens/flow/save_game_screen.h"
#include "screens/panel/find_screen.h"
#include "screens/panel/name_entry_screen.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "view/world_view.h"

namespace {

constexpr uint8_t kEnter = 13;
constexpr uint8_t kEscape = 27;
constexpr uint8_t kBackspace = 8;

// A running game with a terminal of the player's and a city to rename.
struct EntryGame {
    EntryGame() {
        EXPECT_TRUE(f.h.frame->StartWorldView(kModeGame));
        f.h.Run();
        auto* depot = new CTruckDepot(40, 50);
        depot->type = 0;
        depot->owner = 0;
        depot->SetName("Old Yard");
        delete g_ppBuildings->buildings[kDepot];
        g_ppBuildings->buildings[kDepot] = depot;
        delete g_pCityManager->cities[kCity];
        g_pCityManager->cities[kCity] = new CCity(kCity + 1, 30, 30);
        std::snprintf(g_pCityManager->cities[kCity]->name, kCityNameLength, "%s", "Elmwood");
    }
    plat::Window* Open(uint32_t message, PanelPopup slot, plat::LParam target = 0) {
        plat::SendMessage(g_pHauptDialog, message, 0, target);
        f.h.Run();
        return g_pHauptDialog->Popup(slot);
    }
    void Type(const std::string& text) {
        for (int32_t i = 0; i < 35; ++i) f.Char(kBackspace);
        for (char c : text) f.Char(static_cast<uint8_t>(c));
    }
    // Escape as the key sends it, then the character alone.
    void Escape() {
        f.h.host.InjectKeyPress(VK_ESCAPE, kEscape);
        f.h.Run();
        f.Char(kEscape);
    }
    static constexpr int32_t kDepot = 5;
    static constexpr int32_t kCity = 4;
    flowtest::FlowHost f;
};

TEST(NothingBreaks, EscapeAndEnterInEveryScreenWithAnEditField) {
    struct NameCase {
        uint32_t open;
        PanelPopup slot;
        plat::LParam target;
        const char* (*stored)();
    };
    const NameCase names[] = {
        {kMsgPanelOpenCompanyName, PanelPopup::CompanyName, 0,
         [] { return static_cast<const char*>(g_pGameState->company_names[0]); }},
        {kMsgPanelOpenRenameTerminal, PanelPopup::TerminalRename, EntryGame::kDepot,
         [] { return g_ppBuildings->At(EntryGame::kDepot)->GetName(); }},
        {kMsgPanelOpenRenameCity, PanelPopup::CityRename, EntryGame::kCity,
         [] { return static_cast<const char*>(g_pCityManager->cities[EntryGame::kCity]->name); }},
    };
    EntryGame g;
    for (const NameCase& c : names) {
        for (const bool screen_focus : {false, true}) {
            SCOPED_TRACE(std::to_string(static_cast<int>(c.slot)) +
                         (screen_focus ? " screen" : ""));
            auto* screen = dynamic_cast<NameEntryScreen*>(g.Open(c.open, c.slot, c.target));
            ASSERT_NE(screen, nullptr);
            if (screen_focus) plat::SetFocus(screen);
            const std::string name = screen_focus ? "Typed Here" : "Typed There";
            g.Type(name);
            g.Escape();
            ASSERT_EQ(g_pHauptDialog->Popup(c.slot), screen);
            EXPECT_EQ(screen->field->GetText(), name);
            EXPECT_EQ(g.f.gs().sim_halted, 1);
            g.f.Char('s');  // still typing
            g.f.Char(kEnter);
            EXPECT_EQ(g_pHauptDialog->Popup(c.slot), nullptr);
            EXPECT_EQ(std::string(c.stored()), name + "s");
        }
    }

    // Find: Escape changes nothing, Enter finds the terminal.
    ASSERT_NE(g.Open(kMsgPanelOpenFind, PanelPopup::Find), nullptr);
    g.Escape();
    ASSERT_NE(g_pHauptDialog->Popup(PanelPopup::Find), nullptr);
    g.f.Char(kEnter);
    EXPECT_EQ(g_pHauptDialog->Popup(PanelPopup::Find), nullptr);
    EXPECT_EQ(std::tuple(g_pSpielFeld->cursor_x, g_pSpielFeld->cursor_y), std::tuple(40, 50));

    // The save description: Escape changes nothing, Enter saves what was typed.
    auto* save = dynamic_cast<FS_SAVE_GAME*>(g.Open(kMsgPanelOpenSaveGame, PanelPopup::SaveGame));
    ASSERT_NE(save, nullptr);
    g.Type("Before the rush");
    g.Escape();
    ASSERT_EQ(g_pHauptDialog->Popup(PanelPopup::SaveGame), save);
    EXPECT_EQ(save->field->GetText(), "Before the rush");
    g.f.Char(kEnter);
    EXPECT_EQ(g_pHauptDialog->Popup(PanelPopup::SaveGame), nullptr);
    EXPECT_STREQ(g_pHauptDialog->popup_result.text, "Before the rush");
}

// The find result and the opponent news' OK: 1:1, 1:2 and 1:4 as asked, the
// overview as 1:1, and otherwise (the panel asks none at first) the view's
// own zoom; the view list checks the row of the zoom taken.
TEST(NothingBreaks, AJumpWithoutARequestedZoomKeepsTheViewsZoom) {
    struct Case {
        int32_t requested;
        int32_t view_zoom;
        int32_t zoom;  // taken
        int32_t row;   // checked
    };
    const Case cases[] = {{0, 2, 2, 1}, {0, 4, 4, 2},  {0, 1, 1, 0}, {0, 16, 1, 0},
                          {7, 2, 2, 1}, {16, 4, 1, 0}, {2, 1, 2, 1}, {4, 2, 4, 2}};
    EntryGame g;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.requested) + " over " + std::to_string(c.view_zoom));
        g.f.gs().zoom_request = c.requested;
        g_pSpielFeld->zoom = c.view_zoom;
        ASSERT_NE(g.Open(kMsgPanelOpenFind, PanelPopup::Find), nullptr);
        g.f.Char(kEnter);
        EXPECT_EQ(std::tuple(g_pSpielFeld->zoom, g.f.gs().zoom_request,
                             g_pHauptDialog->entry_checked[c.row]),
                  std::tuple(c.zoom, c.zoom, 1));
        EXPECT_TRUE(std::isfinite(g_pSpielFeld->centre_x) && std::isfinite(g_pSpielFeld->centre_y));
    }
    // The news of an opponent's new production, its place shown.
    RecreateOpponents();
    PlanNode production;
    production.value_1[0] = 60;
    production.value_1[1] = 70;
    g.f.gs().opponents[0]->plan_list_b.push_front(production);
    for (const Case& c : {Case{0, 4, 4, 2}, Case{0, 16, 1, 0}, Case{0, 2, 2, 1}}) {
        SCOPED_TRACE("news over " + std::to_string(c.view_zoom));
        g_pSpielFeld->zoom = c.view_zoom;
        plat::Window* news = g.Open(kMsgOpponentNews, PanelPopup::OpponentNews);
        ASSERT_NE(news, nullptr);
        plat::SendMessage(news, WM_COMMAND, kCmdDialogCancel);  // its show button
        ASSERT_EQ(g_pHauptDialog->Popup(PanelPopup::OpponentNews), nullptr);
        EXPECT_EQ(std::tuple(g_pSpielFeld->cursor_x, g_pSpielFeld->cursor_y), std::tuple(60, 70));
        EXPECT_EQ(std::tuple(g_pSpielFeld->zoom, g.f.gs().zoom_request),
                  std::tuple(c.zoom, c.zoom));
    }
}

}  // namespace
