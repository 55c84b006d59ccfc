// A free game on a generated world with the real frame, world view and
// control panel, played by clicks: a toy industry bought and placed and set
// to a toy, a toy store in a city with its price and advertising, the
// product reference read, a warehouse looked into. Each screen is written as
// a PNG into FV_GOLDEN_PNG.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

#include "app/game_tick.h"
#include "app/main_frame.h"
#include "cities/city.h"
#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "economy/factory.h"
#include "economy/producer.h"
#include "economy/store.h"
#include "panel/control_panel.h"
#include "platform/temp_folder.h"
#include "screens/economy/building_purchase_screen.h"
#include "screens/economy/depot_screen.h"
#include "screens/economy/economy_layout.h"
#include "screens/economy/product_help_screen.h"
#include "screens/economy/production_screen.h"
#include "screens/economy/store_sales_screen.h"
#include "screens/panel/popup_list.h"
#include "standin.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "state/statistics.h"
#include "state/tree_images.h"
#include "state/world_images.h"
#include "support/frame_host.h"
#include "view/world_view.h"
#include "world/build_helper.h"
#include "world/terrain.h"

namespace {

namespace es = economy_screens;

constexpr int32_t kBuildingHeading = 11;
constexpr int32_t kProductHelpHeading = 4;

// The base pictures and autumn's, written once.
const std::string& PictureFolder() {
    static const fvtest::TempFolder temp;
    static const std::string folder = [] {
        const std::filesystem::path root = temp.Path();
        for (const standin::FileRecipe& recipe : standin::DataFileRecipes()) {
            const std::string& name = recipe.path;
            if (name.find('/') != std::string::npos && name.rfind("autumn/", 0) != 0) continue;
            const std::filesystem::path path = root / recipe.path;
            const std::vector<uint8_t> bytes = recipe.make();
            std::filesystem::create_directories(path.parent_path());
            std::ofstream(path, std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()),
                       static_cast<std::streamsize>(bytes.size()));
        }
        return root.string();
    }();
    return folder;
}

class EconomyScreensAcceptance : public ::testing::Test {
  protected:
    EconomyScreensAcceptance() : h({1024, 768}, false) {
        for (auto& path : h.gs->data_paths)
            std::snprintf(path, sizeof path, "%s", PictureFolder().c_str());
        h.gs->season = 3;
        LoadStartupImages();
        GetWorldImageHooks().load_tree_images = &LoadTreeImages;
        GetViewHooks().create_panel = &CreateControlPanel;
        g_pTerrain = new CTerrain;  // the frame's shutdown deletes it
        GetFrameHooks().create_world_view = &MakeWorldView;
        GetFrameHooks().new_game_seed = []() -> uint32_t { return 20260; };
        h.frame->SendMessage(kMsgStartGame, 0, 0);
        h.Run();
    }
    ~EconomyScreensAcceptance() override {
        GetFrameHooks().new_game_seed = nullptr;
        GetFrameHooks().create_world_view = nullptr;
        GetViewHooks().create_panel = nullptr;
        GetWorldImageHooks().load_tree_images = nullptr;
    }
    SPIEL_FELD& view() { return *g_pSpielFeld; }
    HAUPTDIALOG& panel() { return *g_pHauptDialog; }
    CGameState& gs() { return *h.gs; }

    void ClickAt(plat::Point screen) {
        h.host.AdvanceClock(1000);  // never a double click
        h.host.InjectClick(screen);
        h.Run();
    }
    void ClickPanel(const plat::Rect& r) {
        ClickAt(panel().ClientToScreen(plat::Point{(r.left + r.right) / 2, r.top + 5}));
    }
    void Heading(int32_t heading) { ClickPanel(panel().heading_rects[heading]); }
    // A point of a screen's 640 x 480 page.
    void ClickPage(const FullScreen& s, int32_t x, int32_t y) {
        ClickAt(s.ClientToScreen(plat::Point{s.origin_x + x, s.origin_y + y}));
    }
    void Press(const FullScreen& s, uint16_t command) {
        for (const auto& b : s.buttons) {
            if (b->command_id != command) continue;
            const plat::Rect r = b->GetWindowRect();
            return ClickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
        }
        ADD_FAILURE() << "no button " << command;
    }
    // A row of a list of the purchase screen.
    void Row(const FS_GEBAUDE_KAUF& s, const plat::Rect& list, int32_t row) {
        ClickPage(s, list.left + 30, list.top + 17 * row + 5);
    }
    // The view's client point that picks the field, if one shows it.
    std::optional<plat::Point> PointOf(int32_t x, int32_t y) {
        const plat::Rect client = view().GetClientRect();
        for (int32_t py = 8; py < client.bottom - 8; py += 4) {
            for (int32_t px = 8; px < client.right - 8; px += 4) {
                view().PickField(px, py);
                if (view().cursor_x == x && view().cursor_y == y) return plat::Point{px, py};
            }
        }
        return std::nullopt;
    }
    // Clicks the field in the view.
    void ClickField(int32_t x, int32_t y) {
        const std::optional<plat::Point> p = PointOf(x, y);
        ASSERT_TRUE(p.has_value()) << x << "," << y;
        ClickAt(view().ClientToScreen(*p));
    }
    // A site for a w x d building of the selected type on empty land, nearest
    // the middle of the largest city: inside the city when asked (a store
    // stands by the streets), else without ways, so that placing it clears
    // nothing.
    std::optional<plat::Point> FreeSite(int32_t w, int32_t d, bool in_city) {
        const CCity* city = LargestCity();
        if (city == nullptr) return std::nullopt;
        const int32_t cx = city->origin_x + kCityAreaSize / 2;
        const int32_t cy = city->origin_y + kCityAreaSize / 2;
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
    // The camera over a field (as a bookmark recalls it).
    void LookAt(int32_t x, int32_t y) {
        view().centre_x = (x - y) / 2.0;
        view().centre_y = (x + y) / 2.0 - view().view_origin;
        view().SetupProjection();
        view().BlackenBackBuffers();
        gs().redraw_terrain = gs().redraw_objects = 1;
        view().RedrawView();
    }
    // Buys a type through the purchase screen: category row, type row, Buy.
    void Buy(int32_t category, int32_t row, int32_t type, const char* picture) {
        auto* s = dynamic_cast<FS_GEBAUDE_KAUF*>(h.frame->Screen(FrameScreen::BuildingPurchase));
        ASSERT_NE(s, nullptr);
        Row(*s, es::kCategoryList, category);
        Row(*s, es::kTypeList, row);
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

    fvtest::FrameHost h;
};

TEST_F(EconomyScreensAcceptance, BuildSetSellReadAndLookIntoADepot) {
    ASSERT_NE(g_pSpielFeld, nullptr);
    ASSERT_NE(g_pHauptDialog, nullptr);
    // The company name is left as offered, the rivals as offered, no growth.
    panel().SendMessage(kMsgPanelCompanyNameDone, 0, 1);
    h.Run();
    ASSERT_NE(h.frame->Screen(FrameScreen::OpponentSelect), nullptr);
    h.host.InjectChar('\r');
    h.Run();
    panel().popup_result.choice = 0;
    panel().SendMessage(kMsgPanelCityGrowthDone, 0, 0);
    h.Run();
    gs().cash[0] = 5000000;
    gs().sim_halted = 0;

    // 1. The building heading, "Production", "Toy industry", Buy; the panel
    // then offers the single "new buildings" row, and a click places it.
    Heading(kBuildingHeading);
    Buy(1, 4, 18, "accept_building_purchase");
    EXPECT_EQ(std::tuple(panel().entry_count, panel().entry_command[0], view().tool,
                         gs().selected_building_type),
              std::tuple(1, kCmdNewBuildings, 11, 18));
    const int32_t factory = Place(4, 4, false);
    ASSERT_NE(At(factory), nullptr);
    EXPECT_EQ(At(factory)->type, 18);

    // 2. No tool, a click on the factory, the product name, a toy, OK.
    Heading(kHeadingNoTool);
    ClickField(At(factory)->anchor_x, At(factory)->anchor_y);
    auto* production = dynamic_cast<FS_PRODUKTION*>(h.frame->Screen(FrameScreen::Production));
    ASSERT_NE(production, nullptr);
    ClickPage(*production, es::kProductionNameArea.left + 30, es::kProductionNameArea.top + 5);
    FS_POPUP_LIST& popup = *production->m_productPopup;
    ASSERT_TRUE(popup.IsWindowVisible());
    ASSERT_GE(popup.ids_per_group[0], 2);
    const int32_t toy = popup.ids[0][1];
    fvtest::MaybeSaveScreen("accept_production_popup");
    ClickAt(popup.ClientToScreen(plat::Point{108 + 64 + 20, 42 + 20}));
    EXPECT_EQ(production->m_product, toy);
    fvtest::MaybeSaveScreen("accept_production");
    Press(*production, kCmdOk);
    EXPECT_EQ(At(factory)->GetProduct(), toy);

    // 3. A toy store in a city: price up twice, middle advertising, OK; the
    // next month's first tick charges the advertising.
    ASSERT_NE(LargestCity(), nullptr);
    Heading(kBuildingHeading);
    ClickPanel(panel().row_rects[0]);  // "new buildings"
    Buy(2, 0, 21, nullptr);
    const int32_t store = Place(2, 2, true);
    ASSERT_NE(At(store), nullptr);
    Heading(kHeadingNoTool);
    ClickField(At(store)->anchor_x, At(store)->anchor_y);
    auto* sales = dynamic_cast<FS_VERKAUF*>(h.frame->Screen(FrameScreen::StoreSales));
    ASSERT_NE(sales, nullptr);
    Press(*sales, kCmdPriceUp);
    Press(*sales, kCmdPriceUp);
    ClickPage(*sales, es::kAdvertisingList.left + 30, es::kAdvertisingList.top + 17 * 2 + 5);
    fvtest::MaybeSaveScreen("accept_store_sales");
    const int32_t product = sales->m_product;
    Press(*sales, kCmdOk);
    const auto& s = *static_cast<CStore*>(At(store));
    EXPECT_EQ(std::pair(static_cast<int32_t>(s.price_step[product - s.kind().first_product]),
                        static_cast<int32_t>(s.advertising)),
              std::pair(2, 2));
    const int32_t advertising = g_Statistics.PairThis(StatPair::F, 0);
    const int32_t month = gs().month;
    while (gs().month == month) RunGameTick(h.frame);
    EXPECT_EQ(g_Statistics.PairThis(StatPair::F, 0) - advertising, 30000);

    // 4. The product help: next page, a row, OK; the goods stay as they were.
    GoodsRecord goods[kGoodsCount];
    std::memcpy(goods, gs().goods, sizeof goods);
    Heading(kProductHelpHeading);
    auto* help = dynamic_cast<FS_PRODUKT_HILFE*>(h.frame->Screen(FrameScreen::ProductHelp));
    ASSERT_NE(help, nullptr);
    Press(*help, kCmdPageNext);
    ClickPage(*help, es::kHelpListNameX + 10, es::kHelpListTop + es::kHelpListStep * 2 + 5);
    EXPECT_EQ(help->m_selectedGood, 18);
    fvtest::MaybeSaveScreen("accept_product_help");
    Press(*help, kCmdClose);
    EXPECT_EQ(std::pair(view().tool, std::memcmp(goods, gs().goods, sizeof goods)),
              std::pair(kToolNone, 0));

    // 5. A warehouse with goods in it, looked into.
    Heading(kBuildingHeading);
    ClickPanel(panel().row_rects[0]);
    Buy(1, 6, 20, nullptr);
    const int32_t depot = Place(4, 4, false);
    ASSERT_NE(At(depot), nullptr);
    auto& d = *static_cast<CProducer*>(At(depot));
    d.stock[0] = {toy, 12, 1};
    d.stock[1] = {product, 3, 1};
    Heading(kHeadingNoTool);
    ClickField(At(depot)->anchor_x, At(depot)->anchor_y);
    auto* stock = dynamic_cast<FS_LAGERHALLE*>(h.frame->Screen(FrameScreen::Depot));
    ASSERT_NE(stock, nullptr);
    EXPECT_EQ(stock->m_entries, 2);
    fvtest::MaybeSaveScreen("accept_depot");
    Press(*stock, kCmdClose);
    EXPECT_EQ(h.frame->Screen(FrameScreen::Depot), nullptr);
    EXPECT_EQ(gs().screen_open, 0);
}

}  // namespace
