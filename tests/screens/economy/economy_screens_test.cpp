// The economy screens in the main frame, driven by clicks and keys: what they
// offer, what OK and cancel write, their limits, and one picture each.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

#include "economy/factory.h"
#include "economy/store.h"
#include "panel/list_box.h"
#include "platform/accelerators.h"
#include "screens/economy/building_purchase_screen.h"
#include "screens/economy/depot_screen.h"
#include "screens/economy/economy_figures.h"
#include "screens/economy/economy_screen_host.h"
#include "screens/economy/product_help_screen.h"
#include "screens/economy/production_screen.h"
#include "screens/economy/store_sales_screen.h"
#include "screens/panel/popup_list.h"

namespace {

namespace es = economy_screens;
using econscreens::ScreenHost;

int32_t IconCount(const std::string& row) {
    return static_cast<int32_t>(std::count(row.begin(), row.end(), '{'));
}

// The hash of the composed screen, also written as PNG under FV_GOLDEN_PNG.
uint64_t Picture(const std::string& name) {
    fvtest::MaybeSaveScreen(name);
    return fvtest::ScreenHash(1024, 768);
}

using EconomyScreens = ScreenHost;

TEST_F(EconomyScreens, BuildingTypesAreOfferedFromJulyOfTheirYear) {
    gs().building_types[28].intro_year = 1990;
    const std::tuple<int32_t, int32_t, bool> cases[] = {
        {1989, 11, false}, {1990, 5, false}, {1990, 6, true}, {1991, 0, true}};
    for (const auto& [year, month, offered] : cases) {
        gs().year = year, gs().month = month;
        EXPECT_EQ(BuildingTypeOffered(28), offered) << year << "/" << month;
    }
}

TEST_F(EconomyScreens, PurchaseRowsFollowTheCashAndBuyNeedsTheMoney) {
    gs().selected_building_type = 15;  // wood industry, 136,000
    auto* s = OpenBy<FS_GEBAUDE_KAUF>(kMsgOpenBuildingPurchase, FrameScreen::BuildingPurchase);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(std::tuple(s->m_category, s->m_typeIndex, s->HighlightedType(),
                         gs().selected_building_type, s->m_previousType),
              std::tuple(1, 1, 15, -1, 15));
    EXPECT_EQ(Picture("building_purchase"), 16827340805470981598ull);
    // The cash falls below the motor industry's 1,130,000: its row greys, the
    // highlight stays; back up, the row is normal again, also at the price.
    for (const auto& [cash, colour] :
         {std::pair{1000000, 28}, {2000000, 10}, {1129999, 28}, {1130000, 10}}) {
        gs().cash[0] = cash;
        h.frame->SendMessage(kMsgCashChanged);
        EXPECT_EQ(std::tuple(s->m_rowColours[0], s->m_rowColours[1], s->m_typeIndex),
                  std::tuple(colour, 10, 1));
    }
    // Buy and Enter on a type the player cannot afford do nothing.
    gs().cash[0] = 100000;
    Click(*s, es::kTypeList.left + 20, es::kTypeList.top + 3);  // row 0, the motor industry
    EXPECT_EQ(s->HighlightedType(), 14);
    Press(*s, kCmdBuildingBuy);
    s->SendMessage(WM_CHAR, 13);
    h.Run();
    EXPECT_EQ(
        std::pair(h.frame->Screen(FrameScreen::BuildingPurchase), gs().selected_building_type),
        std::pair(static_cast<plat::Window*>(s), -1));
    // Affordable: Enter buys, the screen closes and the game goes on.
    gs().cash[0] = 2000000;
    s->SendMessage(WM_CHAR, 13);
    h.Run();
    EXPECT_EQ(std::tuple(h.frame->Screen(FrameScreen::BuildingPurchase),
                         gs().selected_building_type, gs().screen_open),
              std::tuple(nullptr, 14, 0));
}

TEST_F(EconomyScreens, PurchaseCancelAndTheCityCategoryRows) {
    // A city building of a later year is not listed: the selected race track
    // is the category's fourth row, not type - 27.
    gs().building_types[28].intro_year = 2000;
    gs().selected_building_type = 31;
    auto* s = OpenBy<FS_GEBAUDE_KAUF>(kMsgOpenBuildingPurchase, FrameScreen::BuildingPurchase);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(std::tuple(s->m_category, s->m_rowCount, s->m_typeIndex, s->HighlightedType()),
              std::tuple(3, 4, 3, 31));
    // Another category highlights its first row.
    Click(*s, es::kCategoryList.left + 20, es::kCategoryList.top + 17 * 2 + 3);
    EXPECT_EQ(std::tuple(s->m_category, s->m_typeIndex, s->HighlightedType()),
              std::tuple(2, 0, 21));
    // Cancel puts the previous type back.
    Press(*s, kCmdBuildingPurchaseCancel);
    EXPECT_EQ(gs().selected_building_type, 31);
    EXPECT_EQ(h.frame->Screen(FrameScreen::BuildingPurchase), nullptr);
    // Opened with no type: terminals, the truck depot; cancel leaves no tool.
    gs().selected_building_type = -1;
    view_->tool = 11;
    s = OpenBy<FS_GEBAUDE_KAUF>(kMsgOpenBuildingPurchase, FrameScreen::BuildingPurchase);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(std::pair(s->m_category, s->HighlightedType()), std::pair(0, 0));
    Press(*s, kCmdBuildingPurchaseCancel);
    EXPECT_EQ(std::tuple(gs().selected_building_type, view_->tool, gs().pending_view_code),
              std::tuple(-1, 99, 7));
}

TEST_F(EconomyScreens, PurchaseOfARawMaterialSiteTypeOrAnEmptyList) {
    // A type without a picture (a mine) opens as no type does.
    gs().selected_building_type = 12;
    auto* s = OpenBy<FS_GEBAUDE_KAUF>(kMsgOpenBuildingPurchase, FrameScreen::BuildingPurchase);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(std::tuple(s->m_category, s->HighlightedType(), s->m_previousType),
              std::tuple(0, 0, 12));
    // No city building on the market yet: the list is empty; Buy and Enter
    // do nothing.
    for (int32_t t = 27; t <= 31; ++t) gs().building_types[t].intro_year = 2000;
    Click(*s, es::kCategoryList.left + 20, es::kCategoryList.top + 17 * 3 + 3);
    EXPECT_EQ(std::tuple(s->m_category, s->m_rowCount, s->HighlightedType()), std::tuple(3, 0, -1));
    Press(*s, kCmdBuildingBuy);
    s->SendMessage(WM_CHAR, 13);
    h.Run();
    EXPECT_EQ(h.frame->Screen(FrameScreen::BuildingPurchase), s);
    Press(*s, kCmdBuildingPurchaseCancel);
    EXPECT_EQ(gs().selected_building_type, 12);
}

TEST_F(EconomyScreens, NothingToShowLeavesTheGameAsItWas) {
    Select(40, 40);  // open land
    for (uint32_t message : {kMsgOpenProduction, kMsgOpenStoreSales, kMsgOpenDepot}) {
        h.frame->SendMessage(message);
        EXPECT_EQ(std::tuple(gs().screen_open, h.frame->accelerators != nullptr,
                             panel_->screen_open_flag),
                  std::tuple(0, true, 0))
            << message;
    }
    // A store's field asks for the production screen: nothing either.
    Place(21, 10, 10);
    EXPECT_EQ(OpenBy<FS_PRODUKTION>(kMsgOpenProduction, FrameScreen::Production), nullptr);
    EXPECT_EQ(gs().screen_open, 0);
}

class SalesScreen : public ScreenHost {
  protected:
    SalesScreen() {
        store = Place(21, 10, 10);
        B<CStore>(store).SetProduct(9);
        B<CStore>(store).SetPriceSteps(16, 4);
        B<CStore>(store).stock[1] = {9, 12, 1};
    }
    FS_VERKAUF* Open() { return OpenBy<FS_VERKAUF>(kMsgOpenStoreSales, FrameScreen::StoreSales); }
    int32_t store = 0;
};

TEST_F(SalesScreen, StepsStopAtFiveAndOkWritesWhatTheScreenHolds) {
    FS_VERKAUF* s = Open();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(g_pStoreSalesScreen, s);
    // A second request only shows it again.
    s->ShowWindow(SW_HIDE);
    EXPECT_EQ(Open(), s);
    EXPECT_TRUE(s->IsWindowVisible());
    EXPECT_EQ(std::tuple(s->m_firstProduct, s->m_product, s->m_priceSteps[8]), std::tuple(8, 9, 4));
    EXPECT_EQ(Picture("store_sales"), 5834200944365875844ull);
    for (int32_t i = 0; i < 7; ++i) Press(*s, kCmdPriceUp);
    EXPECT_EQ(s->m_priceSteps[1], 5);
    for (const auto& [step, text] : {std::pair{3, "Suggested price + 15%"},
                                     {0, "Suggested price"},
                                     {-2, "Suggested price - 10%"}}) {
        while (s->m_priceSteps[1] > step) Press(*s, kCmdPriceDown);
        EXPECT_EQ(s->SuggestedPriceText(), text);
    }
    for (int32_t i = 0; i < 7; ++i) Press(*s, kCmdPriceDown);
    EXPECT_EQ(s->m_priceSteps[1], -5);
    // The price at -5: 25 % below the store price.
    EXPECT_EQ(s->Price(), gs().goods[9].price - gs().goods[9].price * 25 / 100);
    // A product from the popup, the middle advertising, OK.
    Click(*s, es::kSalesProductArea.left + 10, es::kSalesProductArea.top + 5);
    ASSERT_TRUE(s->m_productPopup->IsWindowVisible());
    const plat::Point cell = s->m_productPopup->ClientToScreen(plat::Point{120 + 128, 50});
    h.host.AdvanceClock(1000);
    h.host.InjectClick(cell);  // the third good of the group: dolls
    h.Run();
    EXPECT_EQ(std::pair(s->m_product, s->m_productPopup->IsWindowVisible()), std::pair(10, false));
    Click(*s, es::kAdvertisingList.left + 20, es::kAdvertisingList.top + 17 * 2 + 3);
    EXPECT_EQ(s->m_advertising, 2);
    Press(*s, kCmdOk);
    CStore& b = B<CStore>(store);
    EXPECT_EQ(std::tuple(b.GetProduct(), b.advertising, b.price_step[1], b.price_step[8],
                         g_pStoreSalesScreen),
              std::tuple(10, 2, -5, 4, nullptr));
}

TEST_F(SalesScreen, CancelAndAnotherOwnersStoreWriteNothing) {
    for (const bool other : {false, true}) {
        B<CStore>(store).owner = other ? 1 : 0;
        FS_VERKAUF* s = Open();
        ASSERT_NE(s, nullptr);
        Press(*s, kCmdPriceUp);
        Click(*s, es::kAdvertisingList.left + 20, es::kAdvertisingList.top + 17 * 3 + 3);
        EXPECT_EQ(std::pair(s->m_priceSteps[1], s->m_advertising),
                  other ? std::pair(0, 0) : std::pair(1, 3));
        Press(*s, other ? kCmdOk : kCmdBack);
        const CStore& b = B<CStore>(store);
        EXPECT_EQ(std::tuple(b.price_step[1], b.advertising, b.price_step[8]), std::tuple(0, 0, 4));
    }
}

TEST_F(SalesScreen, DemandFigureIsZeroWithoutADivisor) {
    FS_VERKAUF* s = Open();
    ASSERT_NE(s, nullptr);
    B<CStore>(store).customers = 5000;
    for (const int32_t per : {0, 4, -10}) {
        gs().goods[9].demand_per_1000 = per;
        EXPECT_EQ(s->DemandFigure(), 0) << per;
    }
}

class ProductionScreen : public ScreenHost {
  protected:
    ProductionScreen() {
        factory = Place(18, 20, 20);  // toy industry
        B<CFactory>(factory).SetProduct(8);
    }
    FS_PRODUKTION* Open() {
        return OpenBy<FS_PRODUKTION>(kMsgOpenProduction, FrameScreen::Production);
    }
    void Choose(FS_PRODUKTION& s, plat::Point popup_point) {
        Click(s, es::kProductionNameArea.left + 20, es::kProductionNameArea.top + 5);
        ASSERT_TRUE(s.m_productPopup->IsWindowVisible());
        h.host.AdvanceClock(1000);
        h.host.InjectClick(s.m_productPopup->ClientToScreen(popup_point));
        h.Run();
    }
    int32_t factory = 0;
};

TEST_F(ProductionScreen, NoneStopsTheProductionAndTheSameProductWritesNothing) {
    FS_PRODUKTION* s = Open();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(Picture("production"), 9224847741284029156ull);
    Choose(*s, {50, 60});  // the close box: no production
    EXPECT_EQ(std::pair(s->m_product, s->m_costList->GetLine(0)),
              std::pair(-1, std::string("Costs / Unit: 0")));
    Press(*s, kCmdOk);
    EXPECT_EQ(B<CFactory>(factory).GetProduct(), -1);
    // The product it makes already: OK leaves the factory alone.
    B<CFactory>(factory).SetProduct(8);
    B<CFactory>(factory).stock[0] = {0, 7, 1};
    s = Open();
    ASSERT_NE(s, nullptr);
    Choose(*s, {120, 50});  // good 8 again
    view_->redraws = 0;
    Press(*s, kCmdOk);
    EXPECT_EQ(std::pair(view_->redraws, B<CFactory>(factory).stock[0].numerator), std::pair(0, 7));
}

TEST_F(ProductionScreen, AnotherOwnersFactoryIsOnlyShown) {
    B<CFactory>(factory).owner = 2;
    FS_PRODUKTION* s = Open();
    ASSERT_NE(s, nullptr);
    Click(*s, es::kProductionNameArea.left + 20, es::kProductionNameArea.top + 5);
    EXPECT_FALSE(s->m_productPopup->IsWindowVisible());
    s->m_product = 9;  // as if chosen: OK still writes nothing
    s->SendMessage(WM_CHAR, 13);
    h.Run();
    EXPECT_EQ(std::pair(B<CFactory>(factory).GetProduct(), gs().screen_open), std::pair(8, 0));
}

TEST_F(ProductionScreen, InputRowsAndStockScrolling) {
    gs().goods[15].input_amounts[0] = 30;  // model airplane: 30 of its first input
    B<CFactory>(factory).SetProduct(15);
    CFactory& f = B<CFactory>(factory);
    for (int32_t i = 0; i < 8; ++i) f.stock[i] = {i, 3 + i, 1};
    FS_PRODUKTION* s = Open();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->m_costList->LineCount(), 7);  // header rows and three inputs
    EXPECT_EQ(std::pair(IconCount(s->m_costList->GetLine(4)), UnitIconSpacing(30, 6, 12)),
              std::pair(24, 4));
    EXPECT_EQ(s->m_costList->GetLine(4).substr(0, 8), "30 (30) ");
    ASSERT_EQ(s->m_stockList->LineCount(), 8);
    for (int32_t i = 0; i < 4; ++i) Press(*s, kCmdStockDown);
    EXPECT_EQ(s->m_stockList->top_line, 2);
    for (int32_t i = 0; i < 4; ++i) Press(*s, kCmdStockUp);
    EXPECT_EQ(s->m_stockList->top_line, 0);
    Press(*s, kCmdBack);
    EXPECT_EQ(f.GetProduct(), 15);
    EXPECT_EQ(h.frame->Screen(FrameScreen::Production), nullptr);
}

TEST_F(EconomyScreens, ProductHelpPagesEventPricesAndGood38) {
    // A running event sells wooden trains (8) for 5,000.
    gs().active_event = 2;
    MarketEvent& event = gs().market_events[2];
    std::fill(std::begin(event.event_goods), std::end(event.event_goods), kNoGood);
    event.event_goods[4] = 8;
    event.event_prices[4] = 5000;
    auto* s = OpenBy<FS_PRODUKT_HILFE>(kMsgOpenProductHelp, FrameScreen::ProductHelp);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(Picture("product_help"), 16437734435246940435ull);
    EXPECT_EQ(s->MarginText(),
              "Profit margin / sales unit: " +
                  FormatAmount(5000 - gs().goods[8].production_cost, AmountGroups::UpToMillions));
    Press(*s, kCmdPagePrevious);
    EXPECT_EQ(s->m_firstRow, 8);
    for (int32_t i = 0; i < 6; ++i) Press(*s, kCmdPageNext);
    EXPECT_EQ(s->m_firstRow, 40);
    Press(*s, kCmdPagePrevious);
    Click(*s, 400, es::kHelpListTop + es::kHelpListStep * 6 + 5);  // row 6: good 38
    EXPECT_EQ(std::pair(s->m_selectedGood, s->DemandText()),
              std::pair(38, std::string("Demand / 1000 residents: 0")));
    Click(*s, 400, es::kHelpListTop + es::kHelpListStep * 8 + 5);  // below the list
    EXPECT_EQ(s->m_selectedGood, 38);
    view_->tool = 11;
    Press(*s, kCmdClose);
    EXPECT_EQ(
        std::tuple(view_->tool, gs().pending_view_code, h.frame->Screen(FrameScreen::ProductHelp)),
        std::tuple(99, 7, nullptr));
}

TEST_F(EconomyScreens, DepotListsItsGoodsInColumnsOfFive) {
    const int32_t depot = Place(20, 30, 30);
    CProducer& d = B<CProducer>(depot);
    for (int32_t i = 0; i < 6; ++i) d.stock[i] = {8 + i, i == 5 ? 40 : 2, 1};
    auto* s = OpenBy<FS_LAGERHALLE>(kMsgOpenDepot, FrameScreen::Depot);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(Picture("depot"), 16902880455358045135ull);
    EXPECT_EQ(s->m_entries, 6);
    EXPECT_FALSE(s->m_goodsPictures.Loaded());
    // Column 1 holds the sixth entry in its first row only.
    auto differs = [&](int32_t x, int32_t y) {
        const uint8_t* shown = s->m_content.pixels + y * s->m_content.Stride() + x;
        const uint8_t* page = s->background.pixels +
                              (y + es::kDepotContent.top) * s->background.Stride() + x +
                              es::kDepotContent.left;
        return !std::equal(shown, shown + 32, page);
    };
    EXPECT_EQ(
        std::tuple(differs(16, 4 * 65 + 20), differs(224 + 16, 20), differs(224 + 16, 65 + 20)),
        std::tuple(true, true, false));
    EXPECT_EQ(std::tuple(DepotStockText(40), DepotStockText(1250), UnitIcons(40, 29).size(),
                         UnitIconSpacing(40, 8, 15)),
              std::tuple("40 (40)", "1,250 (1250)", 29u, 4));
    s->SendMessage(WM_CHAR, 13);
    h.Run();
    EXPECT_EQ(h.frame->Screen(FrameScreen::Depot), nullptr);
}

TEST(EconomyFigures, AmountsAsTheScreensPrintThem) {
    using enum AmountGroups;
    const std::tuple<int64_t, AmountGroups, const char*> cases[] = {
        {0, UpToMillions, "0"},
        {999, UpToMillions, "999"},
        {1000, UpToMillions, "1,000"},
        {1130000, UpToMillions, "1,130,000"},
        {-1, UpToMillions, "-1"},
        {-1234567, UpToMillions, "-1,234,567"},
        {1000000000, All, "1,000,000,000"},
        {1000000000, UpToMillions, "1000,000,000"},  // the form without billions
        {-4611686018427387904, All, "-4,611,686,018,427,387,904"}};
    for (const auto& [value, groups, text] : cases) EXPECT_EQ(Amount(value, groups), text);
}

TEST(EconomyFigures, MarginFollowsTheDeclinePhases) {
    fvtest::GameScope scope;
    InitGoodsTable();
    GoodsRecord& g = scope.state().goods[10];  // dolls: 80 % from 1980, 60 % from 1985
    const std::pair<int32_t, int64_t> cases[] = {
        {1979, g.price}, {1980, g.price * 80 / 100}, {1985, g.price * 60 / 100}};
    for (const auto& [year, price] : cases) {
        scope.state().year = year;
        EXPECT_EQ(CurrentStorePrice(10), price) << year;
        EXPECT_EQ(UnitMargin(10), price - g.production_cost) << year;
    }
    EXPECT_EQ(UnitMargin(-1), 0);
}

}  // namespace
