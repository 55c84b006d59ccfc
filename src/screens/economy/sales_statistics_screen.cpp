#include "screens/economy/sales_statistics_screen.h"

#include <algorithm>
#include <array>
#include <string>

#include "economy/building.h"
#include "economy/building_table.h"
#include "gfx/blit_dc.h"
#include "gfx/font_tables.h"
#include "gfx/text.h"
#include "panel/list_box.h"
#include "platform/gdi.h"
#include "screens/economy/economy_figures.h"
#include "screens/economy/economy_layout.h"
#include "screens/economy/statistics_chart.h"
#include "screens/economy/statistics_layout.h"
#include "screens/economy/store_sales_screen.h"
#include "screens/panel/popup_list.h"
#include "sound/sound_manager.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"

namespace es = economy_screens;
namespace ss = statistics_screens;

FS_VERKAUF_STATISTIK* g_pSalesStatisticsScreen = nullptr;

namespace {

constexpr int32_t kFirstStoreType = 21;
constexpr int32_t kLastStoreType = 26;
constexpr int32_t kSalesPopupPicture = 3;
constexpr int32_t kNeverOffered = 38;  // electronic components: no store sells them
constexpr uint32_t kModeListId = 1020;
constexpr int32_t kIntroMonth = 6;
constexpr int32_t kMonths = 12;
constexpr uint8_t kShadow = 0;
constexpr uint8_t kDemandColour = 195;
constexpr uint8_t kSuppliedColour = 28;
constexpr uint8_t kPlayerIndex[4] = {28, 195, 234, 141};

struct ProductGroup {
    int32_t first;
    int32_t last;
    const char* caption;
    int32_t factory_type;  // whose year opens the group
};
// By store type 21..26.
constexpr ProductGroup kGroups[6] = {{8, 16, "Toys", 18},         {17, 25, "Sports equip.", 17},
                                     {26, 28, "Lumber", 15},      {29, 31, "Jewelry", 19},
                                     {35, 43, "Electronics", 16}, {32, 34, "Cars", 14}};

constexpr const char* kMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

constexpr ButtonLayout kButtons[] = {
    {.x = ss::kSalesStatisticsBack.x,
     .y = ss::kSalesStatisticsBack.y,
     .command = kCmdSalesStatistics,
     .width = es::kBigButtonWidth,
     .height = es::kBigButtonHeight,
     .normal = {ss::kBackFaceX, 0},
     .pressed = {ss::kBackFaceX, es::kPressedY}},
    {.x = ss::kSalesStatisticsOk.x,
     .y = ss::kSalesStatisticsOk.y,
     .command = kCmdOk,
     .width = es::kBigButtonWidth,
     .height = es::kBigButtonHeight,
     .normal = {0, 0},
     .pressed = {0, es::kPressedY}},
    {.x = ss::kSalesStatisticsClose.x,
     .y = ss::kSalesStatisticsClose.y,
     .command = kCmdSalesStatisticsCancel,
     .width = es::kBigButtonWidth,
     .height = es::kBigButtonHeight,
     .normal = {ss::kCloseFaceX, 0},
     .pressed = {ss::kCloseFaceX, es::kPressedY}},
};

const GoodsRecord& Good(int32_t good) {
    static const GoodsRecord kNone{};
    return good >= 0 && good < kGoodsCount ? g_pGameState->goods[good] : kNone;
}

}  // namespace

FS_VERKAUF_STATISTIK::FS_VERKAUF_STATISTIK() : EconomyScreen(kMsgSalesStatisticsDone) {}

FS_VERKAUF_STATISTIK::~FS_VERKAUF_STATISTIK() {
    delete mode_list;
    product_popup.reset();
    chart_image.Free();
}

CBuilding* FS_VERKAUF_STATISTIK::Store() const {
    return g_ppBuildings != nullptr ? g_ppBuildings->At(building) : nullptr;
}

std::string FS_VERKAUF_STATISTIK::PeriodCaption(int32_t month, int32_t year) {
    const int32_t first = month == 11 ? 0 : (month + 1) % kMonths;
    const int32_t first_year = month == 11 ? year : year - 1;
    return std::string(kMonthNames[first]) + " " + std::to_string(first_year) + " - " +
           kMonthNames[month % kMonths] + " " + std::to_string(year);
}

int32_t FS_VERKAUF_STATISTIK::PeriodCaptionX(const std::string& caption) {
    // The caption belongs at its place, where the game's own font fits it
    // into the chart. Our stand-in font draws some captions wider, so such a
    // caption moves left just enough to end inside the chart rather than be
    // cut off at its right edge.
    const auto width = static_cast<int32_t>(GetTextWidth(caption.c_str(), kFont1Advances));
    return std::max<int32_t>(0, std::min(ss::kBarCaption.x, ss::kBarChartSize.width - width));
}

bool FS_VERKAUF_STATISTIK::Open(plat::Window* parent, int32_t building_id, int32_t shown_product) {
    building = building_id;
    product = shown_product;
    const CBuilding* store = Store();
    if (store == nullptr) return false;
    const MapField* anchor = FieldAt(store->anchor_x, store->anchor_y);
    store_type = anchor != nullptr ? static_cast<int32_t>(anchor->geb_typ()) : store->type;
    if (store_type < kFirstStoreType || store_type > kLastStoreType) return false;
    const std::string page = std::to_string(store_type + ss::kSalesStatisticsPageOffset) + ".jgd";
    if (!LoadPage("scr_" + page, "scb_" + page)) return false;
    if (!chart_image.Create(sheet, ss::kBarChartSize.width, ss::kBarChartSize.height)) {
        return false;
    }
    if (!CreatePage(parent, kButtons, kCmdOk, false)) return false;
    product_popup = std::make_unique<FS_POPUP_LIST>();
    product_popup->Create(this, kSalesPopupPicture, sheet.palette);
    FillPopup();
    mode_list = MakeList(ss::kModeList, kModeListId, true, kMsgFirstListClicked);
    mode_list->AddLine("Profit");
    mode_list->AddLine("Demand/Supplied units");
    mode_list->SelectLine(0);
    if (g_pGameState->install_index == 0 && g_pSound != nullptr) g_pSound->PlaySalesMusicIfIdle();
    HideSalesScreen();
    return true;
}

void FS_VERKAUF_STATISTIK::HideSalesScreen() {
    if (g_pStoreSalesScreen != nullptr && g_pStoreSalesScreen->IsWindow()) {
        g_pStoreSalesScreen->ShowWindow(SW_HIDE);
    }
}

void FS_VERKAUF_STATISTIK::FillPopup() {
    const CGameState& gs = *g_pGameState;
    FS_POPUP_LIST& popup = *product_popup;
    popup.Reset();
    if (store_type < kFirstStoreType || store_type > kLastStoreType) return;
    const ProductGroup& group = kGroups[store_type - kFirstStoreType];
    first_product = group.first;
    const int32_t intro = gs.building_types[group.factory_type].intro_year;
    if (intro > gs.year || (intro == gs.year && gs.month < kIntroMonth)) return;
    popup.AddItem(0, group.caption);
    for (int32_t good = group.first; good <= group.last; ++good) {
        if (good != kNeverOffered && Good(good).available == 1) popup.AddToGroup(0, good);
    }
    popup.choice = kPopupNoChoice;
}

void FS_VERKAUF_STATISTIK::DrawChart() {
    const CGameState& gs = *g_pGameState;
    CBuilding* store = Store();
    if (store == nullptr) return;
    std::array<int64_t, kMonths> first{};
    std::array<int64_t, kMonths> second{};
    std::array<int64_t, 2 * kMonths> all{};
    for (int32_t m = 0; m < kMonths; ++m) {
        if (mode == 0) {
            first[m] = store->GetMonthlyProfit(m, product);
        } else {
            first[m] = store->GetMonthlyDemand(m, product);
            second[m] = store->GetMonthlyDeliveries(m, product);
        }
        all[m] = first[m];
        all[kMonths + m] = second[m];
    }
    const stat_chart::BarAxis axis = stat_chart::BarChartAxis(all);
    if (!axis.drawn) return;
    plat::BitBlt(*chart_image.dc, 0, 0, ss::kBarChartSize.width, ss::kBarChartSize.height,
                 background.dc.get(), ss::kBarChartAt.x, ss::kBarChartAt.y,
                 plat::RasterOp::SrcCopy);
    const PaletteImage& font = gs.images.main_font;
    const auto labels = stat_chart::BarLabels(axis.top);
    for (int32_t k = 0; k < 10; ++k) {
        const std::string text = Amount(labels[k]);
        const auto width = static_cast<int32_t>(GetTextWidth(text.c_str(), kFont1Advances));
        chart_image.DrawText(text.c_str(), kFont1Advances, ss::kBarLabelRight - width, 5 + 20 * k,
                             font, 16, 16, 10);
    }
    const std::string period = PeriodCaption(gs.month, gs.year);
    chart_image.DrawText(period.c_str(), kFont1Advances, PeriodCaptionX(period), ss::kBarCaption.y,
                         font, 16, 16, 10);
    const uint8_t owner_colour =
        store->owner < 4 ? kPlayerIndex[gs.player_colors[store->owner] % 4] : kPlayerIndex[0];
    const auto bar = [&](int32_t x, int32_t w, int64_t value, uint8_t colour) {
        const auto h = static_cast<int32_t>(stat_chart::BarHeight(value, axis.top));
        chart_image.FillRect(x + 2, 214 - h, w, h - 2, kShadow);
        chart_image.FillRect(x, 212 - h, w, h, colour);
    };
    for (int32_t m = 0; m < kMonths; ++m) {
        const int32_t x = ss::kFirstBarX + ss::kBarStep * m;
        if (mode == 0) {
            bar(x, 8, first[m], owner_colour);
        } else {
            bar(x, 4, first[m], kDemandColour);
            bar(x + 4, 4, second[m], kSuppliedColour);
        }
    }
    BlitDC(*canvas.dc, ss::kBarChartAt.x, ss::kBarChartAt.y, ss::kBarChartSize.width,
           ss::kBarChartSize.height, *chart_image.dc, 0, 0);
}

void FS_VERKAUF_STATISTIK::Draw() {
    CBuilding* store = Store();
    RestoreCanvas();
    if (product_popup != nullptr && product_popup->items.Loaded() && product >= 0) {
        BlitDC(*canvas.dc, ss::kProductPicture.x, ss::kProductPicture.y, 64, 64,
               *product_popup->items.dc, product * 64, 0);
    }
    const char* name = Good(product).name;
    Text(name, ss::kProductField.left + 12, ss::kProductField.top, 0);
    Text(name, ss::kProductName.x, ss::kProductName.y);
    if (store != nullptr) {
        Text(Amount(store->GetPeriodFigure()), ss::kStoreProfit.x, ss::kStoreProfit.y);
        Text(Amount(store->GetProductProfitTotal(product)), ss::kProductProfit.x,
             ss::kProductProfit.y);
    }
    mode_list->Redraw(true);
    DrawChart();
    if (mode == 1) {
        canvas.FillRect(ss::kDemandLegend.x, ss::kDemandLegend.y, 8, 8, kDemandColour);
        canvas.FillRect(ss::kSuppliedLegend.x, ss::kSuppliedLegend.y, 8, 8, kSuppliedColour);
        Text("Demand", ss::kDemandLegend.x + 14, ss::kDemandLegend.y - 5);
        Text("Supplied units", ss::kSuppliedLegend.x + 14, ss::kSuppliedLegend.y - 5);
    }
    ShowCanvas({0, 0, es::kPageWidth, es::kPageHeight});
}

void FS_VERKAUF_STATISTIK::OnPaint(plat::DeviceContext& dc) {
    TileMargin(dc);
    Draw();
}

bool FS_VERKAUF_STATISTIK::OnCommand(uint16_t command) {
    switch (command) {
        case kCmdSalesStatistics:
            // Back to the sales screen; this screen waits hidden.
            Blacken();
            ShowWindow(SW_HIDE);
            plat::SendMessage(Frame(), kMsgOpenStoreSales, 0, 0);
            return true;
        case kCmdOk:
        case kCmdSalesStatisticsCancel:
            // OK and Close both leave through the sales screen's OK: the
            // price steps set there before the statistics were opened are
            // kept, and both screens close.
            FinishBlack(0);
            return true;
        default:
            return false;
    }
}

bool FS_VERKAUF_STATISTIK::OnScreenMessage(uint32_t message, plat::WParam wParam,
                                           plat::LParam lParam) {
    switch (message) {
        case kMsgFirstListClicked: {
            const int32_t line = mode_list->last_clicked;
            if (line == 0 || line == 1) mode = line;
            Draw();
            return true;
        }
        case kMsgPopupChosen:
            if (product_popup->choice >= 0) product = product_popup->choice;
            product_popup->Hide();
            Invalidate();
            UpdateWindow();
            return true;
        case WM_SHOWWINDOW:
            if (wParam != 0) HideSalesScreen();
            return false;
        case WM_LBUTTONDOWN: {
            const plat::Point p{plat::XFromLParam(lParam) - origin_x,
                                plat::YFromLParam(lParam) - origin_y};
            if (ss::kProductField.Contains(p)) {
                FillPopup();
                if (product_popup->ids_per_group[0] > 0) product_popup->ShowCentred();
            }
            return true;
        }
        default:
            return false;
    }
}

const ScreenEntry kSalesStatisticsScreenEntry = {
    .slot = FrameScreen::SalesStatistics,
    .open_message = kMsgOpenSalesStatistics,
    .done_message = kMsgSalesStatisticsDone,
    .cancel_command = kCmdSalesStatisticsCancel,
    .open_steps = kOpenShowAgain,
    .open = [](plat::Window& frame, plat::WParam, plat::LParam) -> plat::Window* {
        // The store and product of the sales screen, else the selected store.
        int32_t building = 0;
        int32_t product = 0;
        if (g_pStoreSalesScreen != nullptr) {
            building = g_pStoreSalesScreen->m_building;
            product = g_pStoreSalesScreen->m_product;
        } else {
            building = SelectedBuildingOfTypes(kFirstStoreType, kLastStoreType);
            CBuilding* store = g_ppBuildings != nullptr ? g_ppBuildings->At(building) : nullptr;
            if (store == nullptr) return nullptr;
            product = store->GetProduct();
        }
        auto* screen = new FS_VERKAUF_STATISTIK;
        if (screen->Open(&frame, building, product)) return screen;
        delete screen;
        return nullptr;
    },
    .before_delete =
        [](plat::Window&, plat::Window*, plat::WParam, plat::LParam) {
            // The sales screen closes with its OK: its changes are kept.
            if (g_pStoreSalesScreen != nullptr) {
                plat::SendMessage(g_pStoreSalesScreen, WM_COMMAND, kCmdOk, 0);
            }
        },
    .publish =
        [](plat::Window* screen) {
            g_pSalesStatisticsScreen = static_cast<FS_VERKAUF_STATISTIK*>(screen);
        },
};
