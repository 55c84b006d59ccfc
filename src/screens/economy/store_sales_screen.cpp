#include "screens/economy/store_sales_screen.h"

#include <string>

#include "cities/city.h"
#include "economy/attraction_rings.h"
#include "economy/building.h"
#include "economy/store.h"
#include "gfx/blit_dc.h"
#include "gfx/font_tables.h"
#include "panel/control_panel.h"
#include "panel/list_box.h"
#include "platform/gdi.h"
#include "screens/economy/economy_figures.h"
#include "screens/economy/economy_layout.h"
#include "screens/panel/popup_list.h"
#include "sound/sound_manager.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"

namespace es = economy_screens;

FS_VERKAUF* g_pStoreSalesScreen = nullptr;

namespace {

constexpr int32_t kSalesPopupPicture = 3;
constexpr int32_t kFirstStoreType = 21;
constexpr int32_t kLastStoreType = 26;
constexpr int32_t kRangeSize = 9;
constexpr int32_t kNeverOffered = 38;  // electronic components: no store sells them
constexpr uint32_t kAdvertisingListId = 1021;
constexpr int32_t kIconSize = 32;

struct StoreRange {
    int32_t first;
    const char* title;
};
// By store type 21..26.
constexpr StoreRange kRanges[6] = {{8, "Toys"},     {17, "Sports equip."}, {26, "Lumber"},
                                   {29, "Jewelry"}, {35, "Electronics"},   {32, "Cars"}};

constexpr const char* kAdvertisingRows[4] = {"No  commercials", "Few (15,000 / Month)",
                                             "Middle (30,000 / Month)", "Many (45,000 / Month)"};

constexpr ButtonLayout kButtons[] = {
    {.x = es::kSalesOkButton.x,
     .y = es::kSalesOkButton.y,
     .command = kCmdOk,
     .width = es::kBigButtonWidth,
     .height = es::kBigButtonHeight,
     .normal = {es::kOkFaceX, 0},
     .pressed = {es::kOkFaceX, es::kPressedY}},
    {.x = es::kSalesStatisticsButton.x,
     .y = es::kSalesStatisticsButton.y,
     .command = kCmdSalesStatistics,
     .width = es::kBigButtonWidth,
     .height = es::kBigButtonHeight,
     .normal = {es::kStatisticsFaceX, 0},
     .pressed = {es::kStatisticsFaceX, es::kPressedY}},
    {.x = es::kSalesCancelButton.x,
     .y = es::kSalesCancelButton.y,
     .command = kCmdBack,
     .width = es::kBigButtonWidth,
     .height = es::kBigButtonHeight,
     .normal = {es::kCancelFaceX2, 0},
     .pressed = {es::kCancelFaceX2, es::kPressedY}},
    {.x = es::kPriceUpButton.x,
     .y = es::kPriceUpButton.y,
     .command = kCmdPriceUp,
     .width = es::kSmallButtonWidth,
     .height = es::kSmallButtonHeight,
     .normal = {es::kUpFaceX, 0},
     .pressed = {es::kUpFaceX, es::kPressedY}},
    {.x = es::kPriceDownButton.x,
     .y = es::kPriceDownButton.y,
     .command = kCmdPriceDown,
     .width = es::kSmallButtonWidth,
     .height = es::kSmallButtonHeight,
     .normal = {es::kDownFaceX, 0},
     .pressed = {es::kDownFaceX, es::kPressedY}},
};

const GoodsRecord& Good(int32_t good) {
    static const GoodsRecord kNone{};
    return good >= 0 && good < kGoodsCount ? g_pGameState->goods[good] : kNone;
}

}  // namespace

FS_VERKAUF::FS_VERKAUF() : BuildingScreen(kMsgStoreSalesDone) {}

FS_VERKAUF::~FS_VERKAUF() {
    delete m_advertisingList;
    m_productPopup.reset();
    if (g_pSound != nullptr) g_pSound->NextPlaylistTrack();
}

int32_t FS_VERKAUF::StepOf(int32_t product) const {
    const int32_t i = product - m_firstProduct;
    return i >= 0 && i < kRangeSize ? m_priceSteps[i] : 0;
}

bool FS_VERKAUF::Open(plat::Window* parent, int32_t building) {
    m_storeType = TakeBuilding(building);
    if (m_storeType < kFirstStoreType || m_storeType > kLastStoreType) return false;
    const int32_t page = m_storeType + es::kSalesPageOffset;
    if (!LoadPage("scr_" + std::to_string(page) + ".jgd", "scb_" + std::to_string(page) + ".jgd")) {
        return false;
    }
    CBuilding* store = Building();
    m_product = store->GetProduct();
    m_advertising = store->GetAdvertising();
    if (!CreatePage(parent, kButtons, kCmdOk, false)) return false;
    m_productPopup = std::make_unique<FS_POPUP_LIST>();
    m_productPopup->Create(this, kSalesPopupPicture, sheet.palette);
    m_productPopup->closable = 0;  // a store always sells some product
    FillProducts();
    m_advertisingList =
        MakeList(es::kAdvertisingList, kAdvertisingListId, true, kMsgAdvertisingClicked);
    FillAdvertisingList(m_advertising);
    DrawStockColumn();
    if (g_pSound != nullptr) g_pSound->PlaySalesMusic();
    return true;
}

void FS_VERKAUF::FillProducts() {
    const StoreRange& range = kRanges[m_storeType - kFirstStoreType];
    m_firstProduct = range.first;
    FS_POPUP_LIST& popup = *m_productPopup;
    popup.Reset();
    popup.AddItem(0, range.title);
    CBuilding* store = Building();
    for (int32_t i = 0; i < kRangeSize; ++i) {
        const int32_t good = m_firstProduct + i;
        m_priceSteps[i] = store != nullptr ? store->GetProductCost(good) : 0;
        if (good >= kGoodsCount || Good(good).store_type != m_storeType) continue;
        if (Good(good).available == 1 && good != kNeverOffered) popup.AddToGroup(0, good);
    }
}

void FS_VERKAUF::FillAdvertisingList(int32_t level) {
    m_advertisingList->Clear();
    for (const char* row : kAdvertisingRows) m_advertisingList->AddLine(row);
    m_advertisingList->SelectLine(level);
}

void FS_VERKAUF::DrawStockColumn() {
    CBuilding* store = Building();
    const PaletteImage& font = g_pGameState->images.main_font;
    const WinGBitmap* icons = g_pHauptDialog != nullptr ? &g_pHauptDialog->goods_icons : nullptr;
    int32_t y = es::kSalesStock.y;
    for (int32_t i = 0; i < kRangeSize && store != nullptr; ++i) {
        const int32_t good = m_firstProduct + i;
        if (good >= kGoodsCount) break;
        const GoodsRecord& g = Good(good);
        if (g.available != 1 || g.store_type != m_storeType) continue;
        int32_t numerator = 0;
        int32_t denominator = 1;
        const int32_t stock = store->GetStock(good, numerator, denominator);
        if (stock <= 0) continue;
        if (icons != nullptr && icons->Loaded()) {
            BlitDC(*background.dc, es::kSalesStock.x, y, kIconSize, kIconSize, *icons->dc,
                   (good + 1) * kIconSize, 0);
        }
        const int32_t text_x = es::kSalesStock.x + 40;
        background.DrawText(Amount(stock).c_str(), kFont1Advances, text_x, y, font, 16, 16, 10);
        background.DrawText(g.name, kFont1Advances, text_x, y + 17, font, 16, 16, 10);
        y += es::kSalesStockStep;
    }
    RestoreCanvas();
}

int64_t FS_VERKAUF::Price() const {
    const int64_t base = CurrentStorePrice(m_product);
    return base + StepOf(m_product) * base * 5 / 100;
}

int64_t FS_VERKAUF::DemandFigure() const {
    CBuilding* store = Building();
    if (store == nullptr) return 0;
    const MapField* anchor = FieldAt(store->anchor_x, store->anchor_y);
    const int32_t city_number = anchor != nullptr ? anchor->stadtnum() : 0;
    if (CCity* city = city_number > 0 ? CityOfSlot(city_number - 1) : nullptr; city != nullptr) {
        city->RefreshStores(m_storeType);
    }
    const int64_t customers = store->RecalcCustomers();
    const int64_t percent =
        PriceStepChange(StepOf(m_product)) + 100 + AdvertisingChange(m_advertising);
    const int64_t divisor = percent * Good(m_product).demand_per_1000 / 100;
    return divisor > 0 ? customers / divisor : 0;
}

std::string FS_VERKAUF::SuggestedPriceText() const {
    const int32_t s = StepOf(m_product);
    if (s < 0) return "Suggested price - " + std::to_string(-5 * s) + "%";
    if (s > 0) return "Suggested price + " + std::to_string(5 * s) + "%";
    return "Suggested price";
}

void FS_VERKAUF::DrawFigures() {
    CBuilding* store = Building();
    Text(SuggestedPriceText(), es::kSalesSuggested.x, es::kSalesSuggested.y);
    const int64_t price = Price();
    Text(Amount(price), es::kSalesPrice.x, es::kSalesPrice.y);
    Text(Amount(price - Good(m_product).production_cost), es::kSalesMargin.x, es::kSalesMargin.y);
    Text(Amount(DemandFigure()), es::kSalesDemand.x, es::kSalesDemand.y);
    const int32_t last = store != nullptr ? store->GetDeliveredUnits(0, m_product) : 0;
    const int32_t now = store != nullptr ? store->GetDeliveredUnits(1, m_product) : 0;
    Text("Delivered in the previous month: " + std::to_string(last), es::kSalesDelivered.x,
         es::kSalesDelivered.y);
    Text("Current delivery: " + std::to_string(now), es::kSalesCurrent.x, es::kSalesCurrent.y);
}

void FS_VERKAUF::ComposeCanvas() {
    RestoreCanvas();
    if (m_productPopup != nullptr && m_productPopup->items.Loaded() && m_product >= 0) {
        BlitDC(*canvas.dc, es::kSalesIcon.x, es::kSalesIcon.y, es::kGoodsPictureSize,
               es::kGoodsPictureSize, *m_productPopup->items.dc, m_product * es::kGoodsPictureSize,
               0);
    }
    Text(Good(m_product).name, es::kSalesProductName.x, es::kSalesProductName.y, 0);
    DrawFigures();
}

void FS_VERKAUF::DrawSalesPanel() {
    ComposeCanvas();
    ShowCanvas({0, 0, es::kPageWidth, es::kPageHeight});
    m_advertisingList->Redraw(true);
}

void FS_VERKAUF::RedrawFigures() {
    ComposeCanvas();
    // Only the six figure lines go to the screen.
    constexpr int32_t kLine = 17;
    for (const plat::Rect& area :
         {plat::Rect{32, 151, 32 + 184, 151 + kLine}, plat::Rect{80, 249, 80 + 136, 249 + kLine},
          plat::Rect{60, 266, 60 + 144, 266 + kLine}, plat::Rect{100, 283, 100 + 116, 283 + kLine},
          plat::Rect{16, 300, 16 + 200, 300 + kLine}, plat::Rect{16, 317, 16 + 200, 317 + kLine}}) {
        ShowCanvas(area);
    }
}

void FS_VERKAUF::OnPaint(plat::DeviceContext& dc) {
    TileMargin(dc);
    DrawSalesPanel();
}

void FS_VERKAUF::ChangeStep(int32_t by) {
    const int32_t i = m_product - m_firstProduct;
    if (!OwnedByPlayer() || i < 0 || i >= kRangeSize) return;
    const int32_t step = m_priceSteps[i] + by;
    if (step < kMinPriceStep || step > kMaxPriceStep) return;
    m_priceSteps[i] = step;
    RedrawFigures();
}

void FS_VERKAUF::OnAdvertisingSelected() {
    if (!OwnedByPlayer()) {
        m_advertising = 0;
        FillAdvertisingList(0);
    } else if (m_advertisingList->last_clicked >= 0) {
        m_advertising = m_advertisingList->last_clicked;
    } else {
        // A click on the chosen row keeps it chosen.
        m_advertisingList->SelectLine(m_advertising);
    }
    m_advertisingList->Redraw(true);
    RedrawFigures();
}

void FS_VERKAUF::OnProductChosen() {
    if (m_productPopup->choice >= 0) m_product = m_productPopup->choice;
    m_productPopup->Hide();
    Invalidate();
    UpdateWindow();
}

void FS_VERKAUF::OnOk() {
    if (CBuilding* store = Building(); store != nullptr && store->owner == 0) {
        store->SetProduct(m_product);
        store->SetAdvertising(m_advertising);
        for (int32_t i = 0; i < kRangeSize; ++i) {
            store->SetPriceSteps(m_firstProduct + i, m_priceSteps[i]);
        }
    }
    Close(0);
}

bool FS_VERKAUF::OnCommand(uint16_t command) {
    switch (command) {
        case kCmdPriceUp:
            ChangeStep(1);
            return true;
        case kCmdPriceDown:
            ChangeStep(-1);
            return true;
        case kCmdOk:
            OnOk();
            return true;
        case kCmdBack:
            Close(0);
            return true;
        case kCmdSalesStatistics:
            Blacken();
            plat::SendMessage(Frame(), kMsgOpenSalesStatistics, 0, 0);
            // Without a statistics screen to go to the page comes back.
            if (IsWindow() && IsWindowVisible()) {
                Invalidate();
                UpdateWindow();
            }
            return true;
        default:
            return false;
    }
}

bool FS_VERKAUF::OnScreenMessage(uint32_t message, plat::WParam, plat::LParam lParam) {
    switch (message) {
        case kMsgAdvertisingClicked:
            OnAdvertisingSelected();
            return true;
        case kMsgPopupChosen:
            OnProductChosen();
            return true;
        case WM_LBUTTONDOWN: {
            const plat::Point p{plat::XFromLParam(lParam) - origin_x,
                                plat::YFromLParam(lParam) - origin_y};
            if (es::kSalesProductArea.Contains(p) && m_productPopup->ids_per_group[0] > 0) {
                m_productPopup->ShowCentred();
            }
            return true;
        }
        default:
            return false;
    }
}

const ScreenEntry kStoreSalesScreenEntry = {
    .slot = FrameScreen::StoreSales,
    .open_message = kMsgOpenStoreSales,
    .done_message = kMsgStoreSalesDone,
    .cancel_command = kCmdBack,
    .open_steps = kOpenCommon | kOpenShowAgain,
    .done_steps = kDoneCommon,
    .open = OpenForSelectedBuilding<FS_VERKAUF, kFirstStoreType, kLastStoreType>,
    .publish = [](plat::Window* screen) { g_pStoreSalesScreen = static_cast<FS_VERKAUF*>(screen); },
};
