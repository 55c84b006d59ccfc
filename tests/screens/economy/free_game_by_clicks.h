#pragma once
// A free game on a generated world with the real frame, world view and
// control panel, for tests that play it by a player's clicks: the stand-in
// pictures, the start through the offered choices, a type bought on the
// purchase screen and placed on a free site.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <vector>

#include "app/game_tick.h"
#include "app/main_frame.h"
#include "cities/city.h"
#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "economy/factory.h"
#include "economy/producer.h"
#include "economy/store.h"
#include "panel/control_panel.h"
#include "platform/compositor.h"
#include "platform/input.h"
#include "screens/economy/annual_accounts_window.h"
#include "screens/economy/building_purchase_screen.h"
#include "screens/economy/depot_screen.h"
#include "screens/economy/economy_layout.h"
#include "screens/economy/factory_overview_screen.h"
#include "screens/economy/product_help_screen.h"
#include "screens/economy/production_screen.h"
#include "screens/economy/store_overview_screen.h"
#include "screens/economy/store_sales_screen.h"
#include "screens/panel/popup_list.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "state/statistics.h"
#include "state/tree_images.h"
#include "state/world_images.h"
#include "support/frame_host.h"
#include "support/generated_free_game.h"
#include "support/player_clicks.h"
#include "view/world_view.h"
#include "world/build_helper.h"
#include "world/terrain.h"

namespace fvtest {

namespace es = economy_screens;

class FreeGameByClicks : public ::testing::Test, public PlayerClicks {
  protected:
    FreeGameByClicks() : h({1024, 768}, false), start_(h) {}
    SPIEL_FELD& view() { return *g_pSpielFeld; }
    HAUPTDIALOG& panel() { return *g_pHauptDialog; }
    CGameState& gs() { return *h.gs; }

    // A site for a w x d building of the selected type on empty land, nearest
    // the middle of the largest city that has one: inside the city when asked
    // (a store stands by the streets), else without ways, so that placing it
    // clears nothing.
    std::optional<plat::Point> FreeSite(int32_t w, int32_t d, bool in_city) {
        std::vector<const CCity*> cities;
        for (const CCity* c : g_pCityManager->cities) {
            if (c != nullptr) cities.push_back(c);
        }
        std::stable_sort(cities.begin(), cities.end(), [](const CCity* a, const CCity* b) {
            return a->residents > b->residents;
        });
        for (const CCity* city : cities) {
            if (auto site = FreeSiteNear(*city, w, d, in_city)) return site;
        }
        return std::nullopt;
    }
    std::optional<plat::Point> FreeSiteNear(const CCity& city, int32_t w, int32_t d, bool in_city) {
        const int32_t cx = city.origin_x + kCityAreaSize / 2;
        const int32_t cy = city.origin_y + kCityAreaSize / 2;
        for (int32_t r = 0; r < 80; ++r) {
            for (int32_t x = cx - r; x <= cx + r; ++x) {
                for (int32_t y = cy - r; y <= cy + r; ++y) {
                    if (std::max(std::abs(x - cx), std::abs(y - cy)) != r) continue;
                    bool clear = true;
                    for (int32_t fx = x; fx < x + w && clear; ++fx) {
                        for (int32_t fy = y; fy < y + d && clear; ++fy) {
                            const MapField* f = FieldAt(fx, fy);
                            clear = f != nullptr && f->data_word() == 0 &&
                                    (in_city || f->wegtyp() == 0) &&
                                    (!in_city || f->stadtnum() != 0);
                        }
                    }
                    if (clear && g_pBuildHelper->CanBuildHere(x, y, w, d) != 0) {
                        return plat::Point{x, y};
                    }
                }
            }
        }
        return std::nullopt;
    }
    const CCity* LargestCity() const {
        const CCity* city = nullptr;
        for (const CCity* c : g_pCityManager->cities) {
            if (c != nullptr && (city == nullptr || c->residents > city->residents)) city = c;
        }
        return city;
    }
    // Buys a type through the purchase screen: category row, type row, Buy.
    void Buy(int32_t category, int32_t row, int32_t type, const char* picture) {
        auto* s = dynamic_cast<FS_GEBAUDE_KAUF*>(h.frame->Screen(FrameScreen::BuildingPurchase));
        ASSERT_NE(s, nullptr);
        PurchaseRow(*s, es::kCategoryList, category);
        PurchaseRow(*s, es::kTypeList, row);
        ASSERT_EQ(s->HighlightedType(), type);
        if (picture != nullptr) fvtest::MaybeSaveScreen(picture);
        Press(*s, kCmdBuildingBuy);
        EXPECT_EQ(h.frame->Screen(FrameScreen::BuildingPurchase), nullptr);
    }
    // Places the bought type on a free site by a click; its building number.
    int32_t Place(int32_t w, int32_t d, bool in_city) {
        const std::optional<plat::Point> site = FreeSite(w, d, in_city);
        if (!site.has_value()) {
            ADD_FAILURE() << "no site";
            return 0;
        }
        const int64_t cash = gs().cash[0];
        LookAt(site->x, site->y);
        ClickField(site->x, site->y);
        const MapField* f = FieldAt(site->x, site->y);
        const int32_t price = gs().building_types[gs().selected_building_type].build_price;
        if (in_city) {
            EXPECT_GE(cash - gs().cash[0], price);  // with the ways it cleared
        } else {
            EXPECT_EQ(cash - gs().cash[0], price);
        }
        return f != nullptr && f->building_flag() ? f->geb_num() : 0;
    }
    CBuilding* At(int32_t number) { return g_ppBuildings->At(number); }
    // The company name, the rivals and the city growth left as offered.
    void TakeTheOfferedStart() {
        panel().SendMessage(kMsgPanelCompanyNameDone, 0, 1);
        h.Run();
        ASSERT_NE(h.frame->Screen(FrameScreen::OpponentSelect), nullptr);
        h.host.InjectChar('\r');
        h.Run();
        panel().popup_result.choice = 0;
        panel().SendMessage(kMsgPanelCityGrowthDone, 0, 0);
        h.Run();
    }
    // The offered start, then a running game with cash enough.
    void StartPlaying() {
        ASSERT_NE(g_pSpielFeld, nullptr);
        ASSERT_NE(g_pHauptDialog, nullptr);
        TakeTheOfferedStart();
        gs().cash[0] = 5000000;
        gs().sim_halted = 0;
    }

    fvtest::FrameHost h;

  private:
    GeneratedFreeGameStart start_;

  protected:
    plat::HeadlessBackend& Host() override { return h.host; }
};

}  // namespace fvtest
