// The factory and store overviews in the main frame: the rows and their
// order, scrolling, the kind filter, and the screens a row opens, with one
// picture each.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "cities/city.h"
#include "economy/factory.h"
#include "economy/store.h"
#include "panel/list_box.h"
#include "platform/compositor.h"
#include "screens/economy/economy_screen_host.h"
#include "screens/economy/factory_overview_screen.h"
#include "screens/economy/production_screen.h"
#include "screens/economy/statistics_layout.h"
#include "screens/economy/store_overview_screen.h"
#include "screens/economy/store_sales_screen.h"

namespace {

namespace ss = statistics_screens;

uint64_t Picture(const std::string& name) {
    fvtest::MaybeSaveScreen(name);
    return fvtest::ScreenHash(1024, 768);
}

class Overviews : public econscreens::ScreenHost {
  protected:
    ~Overviews() override {
        h.frame->DeleteScreen(FrameScreen::FactoryOverview);
        h.frame->DeleteScreen(FrameScreen::StoreOverview);
        for (CCity*& city : cities_.cities) city = nullptr;
    }
    CCity& AddCity(int32_t slot, int32_t ox, int32_t oy, const char* name, bool fields = false) {
        CCity& city = *cities.emplace_back(std::make_unique<CCity>());
        std::tie(city.number, city.origin_x, city.origin_y) = std::tuple(slot + 1, ox, oy);
        std::snprintf(city.name, sizeof city.name, "%s", name);
        cities_.cities[slot] = &city;
        for (int32_t fx = ox; fields && fx < ox + 26; ++fx) {
            for (int32_t fy = oy; fy < oy + 26; ++fy) {
                FieldAt(fx, fy)->set_stadtnum(static_cast<uint32_t>(slot + 1));
            }
        }
        return city;
    }
    int32_t Factory(int32_t type, int32_t x, int32_t y, int32_t product) {
        const int32_t n = Place(type, x, y);
        if (product >= 0) B<CFactory>(n).SetProduct(product);
        return n;
    }
    FS_FA_UEBER* OpenFactories() {
        return OpenBy<FS_FA_UEBER>(kMsgOpenFactoryOverview, FrameScreen::FactoryOverview);
    }
    FS_KH_UEBER* OpenStores() {
        return OpenBy<FS_KH_UEBER>(kMsgOpenStoreOverview, FrameScreen::StoreOverview);
    }
    std::vector<std::unique_ptr<CCity>> cities;
};

TEST_F(Overviews, NearestCityTiesGoToTheLowerSlotAndNoCityIsMinusOne) {
    EXPECT_EQ(NearestCity(50, 50), -1);
    AddCity(4, 87, 87, "East");    // centre (100, 100)
    AddCity(2, 87, 107, "South");  // centre (100, 120)
    EXPECT_EQ(NearestCity(100, 110), 2);
    EXPECT_EQ(NearestCity(100, 101), 4);
    std::vector<int32_t> order{0, 1, 2, 3, 4};
    const std::vector<int64_t> keys{5, 3, 5, 3, 1};
    SelectionSortByKey(order, keys);
    // The selection sort's own order among equal keys: 0 was swapped behind 2.
    EXPECT_EQ(order, (std::vector<int32_t>{4, 1, 3, 2, 0}));
}

TEST_F(Overviews, FactoryRowsSortScrollAndShowTwelveGoods) {
    AddCity(0, 20, 20, "Northfield");
    AddCity(1, 60, 60, "Southport");
    const int32_t a = Factory(18, 66, 66, 10);  // toys, near Southport
    const int32_t b = Factory(15, 22, 22, 26);  // wood, near Northfield
    const int32_t c = Factory(18, 30, 30, 9);   // toys, near Northfield
    const int32_t d = Factory(16, 70, 70, -1);  // no product
    auto& stocked = B<CFactory>(c);
    for (int32_t i = 0; i < 14; ++i) stocked.stock[i] = {i, 5 * (i + 1), 1};
    Place(18, 90, 90, 1);  // an opponent's factory is not listed
    FS_FA_UEBER* s = OpenFactories();
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(s->row_count, 4);
    const auto building = [&](int32_t sort, int32_t i) {
        return s->rows[s->row_order[sort][i]].building;
    };
    EXPECT_EQ(std::tuple(building(0, 0), building(0, 1), building(0, 2), building(0, 3)),
              std::tuple(d, c, a, b));
    EXPECT_EQ(std::tuple(building(1, 0), building(1, 1), building(1, 2), building(1, 3)),
              std::tuple(b, c, a, d));
    const FactoryRow& row = s->rows[s->row_order[0][1]];
    EXPECT_EQ(std::tuple(row.goods[0], row.goods[11], row.amounts[11]), std::tuple(0, 11, 60));
    EXPECT_EQ(Picture("factory_overview"), 16797495497088687538ull);
    // Scrolling stops at both ends.
    for (int32_t i = 0; i < 3; ++i) Press(*s, kCmdOverviewOn);
    EXPECT_EQ(s->first_row, 1);
    for (int32_t i = 0; i < 3; ++i) Press(*s, kCmdOverviewBack);
    EXPECT_EQ(s->first_row, 0);
    // "Location", then the second row's location button.
    Click(*s, ss::kSortList.left + 20, ss::kSortList.top + 17 + 5);
    EXPECT_EQ(s->sort, 1);
    Press(*s, kCmdOverviewGoTo + 1);
    EXPECT_EQ(std::tuple(h.frame->Screen(FrameScreen::FactoryOverview), view_->cursor_x,
                         view_->cursor_y, gs().factory_overview_sort),
              std::tuple(nullptr, 30, 30, 1));
}

TEST_F(Overviews, ProductionFromARowAndBackRefreshed) {
    const int32_t a = Factory(18, 30, 30, 9);
    Factory(18, 40, 40, 10);
    view_->cursor_x = view_->cursor_y = 0;
    FS_FA_UEBER* s = OpenFactories();
    ASSERT_NE(s, nullptr);
    Press(*s, kCmdOverviewOpen);  // the first row: product 9
    auto* p = dynamic_cast<FS_PRODUKTION*>(h.frame->Screen(FrameScreen::Production));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(std::pair(p->m_building, s->IsWindowVisible()), std::pair(a, false));
    p->m_product = 12;
    Press(*p, kCmdOk);
    EXPECT_EQ(std::tuple(h.frame->Screen(FrameScreen::Production), s->IsWindowVisible(),
                         s->rows[s->opened_row].product, gs().screen_open),
              std::tuple(nullptr, true, 12, 1));
    Press(*s, kCmdOk);
    EXPECT_EQ(gs().screen_open, 0);
}

// The cost beside a factory's product is the product's own cost per unit
// (what the production screen shows), not the factory price.
TEST_F(Overviews, AFactoryRowShowsTheProductsOwnCost) {
    Factory(18, 30, 30, 9);
    GoodsRecord& good = gs().goods[9];
    // The pixels of the cost line of the first row.
    const auto cost_pixels = [&] {
        FS_FA_UEBER* s = OpenFactories();
        EXPECT_NE(s, nullptr);
        if (s == nullptr) return std::vector<uint8_t>{};
        const plat::Rect window = s->GetWindowRect();
        const int32_t left = window.left + s->origin_x + 20 + 194;
        const int32_t top = window.top + s->origin_y + 51 + 34 - 16;
        const plat::Surface& screen = plat::ComposeScreen();
        std::vector<uint8_t> pixels;
        for (int32_t row = top; row < top + 16; ++row) {
            const uint8_t* line = screen.Row(row);
            pixels.insert(pixels.end(), line + left, line + left + 120);
        }
        Press(*s, kCmdOk);
        return pixels;
    };
    std::tie(good.own_cost, good.production_cost) = std::pair(1234, 5678);
    const std::vector<uint8_t> shown = cost_pixels();
    good.production_cost = 98765;
    EXPECT_EQ(cost_pixels(), shown);
    good.own_cost = 4321;
    EXPECT_NE(cost_pixels(), shown);
}

TEST_F(Overviews, ClosingAnOverviewHandsTheMusicBackAtOnce) {
    for (const bool factories : {true, false}) {
        SCOPED_TRACE(factories);
        FullScreen* s = factories ? static_cast<FullScreen*>(OpenFactories()) : OpenStores();
        ASSERT_NE(s, nullptr);
        h.sound->calls.clear();
        h.sound->music_wait = -1;
        Press(*s, kCmdOk);
        EXPECT_EQ(std::tuple(h.frame->Screen(FrameScreen::FactoryOverview),
                             h.frame->Screen(FrameScreen::StoreOverview), h.sound->calls,
                             h.sound->music_wait, gs().screen_open),
                  std::tuple(nullptr, nullptr,
                             std::vector<std::string>{"ResumeEffects", "ResumeMusic"}, -1, 0));
    }
}

TEST_F(Overviews, StoreKindsFilterTheColumns) {
    AddCity(3, 10, 10, "Riverton", true);
    gs().building_types[26].intro_year = 2000;  // no car dealers yet
    const int32_t toys = Place(21, 14, 14);
    const int32_t jeweler = Place(24, 12, 20);
    const int32_t outside = Place(22, 80, 80);  // outside every city
    Place(26, 16, 24);                          // a kind without a list line
    FS_KH_UEBER* s = OpenStores();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(std::pair(s->row_count, s->kind_list->LineCount()), std::pair(4, 5));
    // The purchase and sales screens name the electronics store as this list does.
    EXPECT_EQ(s->kind_list->GetLine(4), gs().building_types[25].type_name);
    EXPECT_EQ(s->shown_count, 3);
    // Outside every city (slot -1) first, then the city's stores by type.
    EXPECT_EQ(std::tuple(s->stores[s->shown[0]].building, s->stores[s->shown[1]].building,
                         s->stores[s->shown[2]].building, s->stores[s->shown[0]].city),
              std::tuple(outside, toys, jeweler, -1));
    EXPECT_EQ(Picture("store_overview"), 8957744069101452976ull);
    // Every kind deselected: no column; scrolling does nothing.
    for (int32_t line = 0; line < 5; ++line) {
        Click(*s, ss::kKindList.left + 20, ss::kKindList.top + 17 * line + 5);
    }
    EXPECT_EQ(std::pair(s->shown_count, s->shown[0]), std::pair(0, -1));
    Press(*s, kCmdOverviewOn);
    EXPECT_EQ(s->first_column, 0);
    // The toy stores back; their sales screen and back.
    Click(*s, ss::kKindList.left + 20, ss::kKindList.top + 5);
    ASSERT_EQ(s->shown_count, 1);
    Press(*s, kCmdOverviewOpen);
    ASSERT_NE(g_pStoreSalesScreen, nullptr);
    EXPECT_EQ(std::pair(g_pStoreSalesScreen->m_building, s->IsWindowVisible()),
              std::pair(toys, false));
    Press(*g_pStoreSalesScreen, kCmdOk);
    EXPECT_EQ(std::pair(g_pStoreSalesScreen == nullptr, s->IsWindowVisible()),
              std::pair(true, true));
    Press(*s, kCmdOk);
    EXPECT_EQ(std::vector<int32_t>(gs().store_overview_filter, gs().store_overview_filter + 6),
              (std::vector<int32_t>{1, 0, 0, 0, 0, 1}));
    // The car dealers come in July of their year: a line, and their store.
    gs().building_types[26].intro_year = gs().year;
    for (const auto& [month, lines, shown] : {std::tuple{5, 5, 1}, {6, 6, 2}}) {
        gs().month = month;
        s = OpenStores();
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(std::pair(s->kind_list->LineCount(), s->shown_count), std::pair(lines, shown))
            << month;
        Press(*s, kCmdOk);
    }
}

}  // namespace
