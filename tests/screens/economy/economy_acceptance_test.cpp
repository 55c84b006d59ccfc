// A free game on a generated world with the real frame, world view and
// control panel, played by clicks: a toy industry bought and placed and set
// to a toy, a toy store in a city with its price and advertising, the
// product reference read, a warehouse looked into. Each screen is written as
// a PNG into FV_GOLDEN_PNG.

#include <gtest/gtest.h>

#include "free_game_by_clicks.h"

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

class EconomyScreensAcceptance : public fvtest::FreeGameByClicks {};

TEST_F(EconomyScreensAcceptance, BuildSetSellReadAndLookIntoADepot) {
    StartPlaying();

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
