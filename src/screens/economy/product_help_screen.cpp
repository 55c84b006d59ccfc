#include "screens/economy/product_help_screen.h"

#include <string>

#include "gfx/blit_dc.h"
#include "panel/control_panel.h"
#include "screens/economy/economy_layout.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "view/world_view.h"

namespace es = economy_screens;

namespace {

constexpr int32_t kFirstProduct = 8;
constexpr int32_t kRowsPerPage = 8;
constexpr int32_t kLastPageFirst = 40;
constexpr int32_t kNotForSale = 38;  // electronic components
constexpr int32_t kFirstProducerKind = 5;
constexpr int32_t kPendingNoTool = 7;
constexpr int32_t kIconSize = 32;
constexpr int32_t kLine = 17;
constexpr uint8_t kNormal = 10;
constexpr uint8_t kSelected = 0;
constexpr uint8_t kUnavailable = 28;

// By producer kind 5..14.
constexpr const char* kProducerNames[10] = {
    "Mine",           "Lumber mill",     "Steel mill",           "Chemical plant",
    "Motor industry", "Lumber industry", "Electronics industry", "Sports industry",
    "Toys industry",  "Jewelry industry"};

const char* ProducerName(int32_t kind) {
    const int32_t i = kind - kFirstProducerKind;
    return i >= 0 && i < 10 ? kProducerNames[i] : "";
}

constexpr ButtonLayout kButtons[] = {
    {.x = es::kHelpOkButton.x,
     .y = es::kHelpOkButton.y,
     .command = kCmdClose,
     .width = es::kBigButtonWidth,
     .height = es::kBigButtonHeight,
     .normal = {es::kOkFaceX, 0},
     .pressed = {es::kOkFaceX, es::kPressedY}},
    {.x = es::kHelpPreviousButton.x,
     .y = es::kHelpPreviousButton.y,
     .command = kCmdPagePrevious,
     .width = es::kSmallButtonWidth,
     .height = es::kSmallButtonHeight,
     .normal = {es::kUpFaceX, 0},
     .pressed = {es::kUpFaceX, es::kPressedY}},
    {.x = es::kHelpNextButton.x,
     .y = es::kHelpNextButton.y,
     .command = kCmdPageNext,
     .width = es::kSmallButtonWidth,
     .height = es::kSmallButtonHeight,
     .normal = {es::kDownFaceX, 0},
     .pressed = {es::kDownFaceX, es::kPressedY}},
};

}  // namespace

FS_PRODUKT_HILFE::FS_PRODUKT_HILFE() : EconomyScreen(kMsgProductHelpDone) {}

FS_PRODUKT_HILFE::~FS_PRODUKT_HILFE() {
    m_goodsPictures.Free();
}

bool FS_PRODUKT_HILFE::Open(plat::Window* parent) {
    const CGameState& gs = *g_pGameState;
    for (int32_t g = 0; g < kGoodsCount; ++g) m_salesPrices[g] = gs.goods[g].price;
    // A running market event's prices hold while it runs.
    if (gs.active_event >= 0 && gs.active_event < kMarketEventSlots) {
        const MarketEvent& event = gs.market_events[gs.active_event];
        for (int32_t i = 0; i < 9; ++i) {
            const int32_t good = event.event_goods[i];
            if (good != kNoGood && good < kGoodsCount) m_salesPrices[good] = event.event_prices[i];
        }
    }
    if (!LoadPage(es::kHelpPicture, es::kHelpSheet)) return false;
    m_goodsPictures.LoadJgd(std::string(gs.DataPath(kPathBase)) + "\\" + es::kGoodsPictures);
    return CreatePage(parent, kButtons, kCmdClose, true);
}

std::string FS_PRODUKT_HILFE::MarginText() const {
    const int32_t g = m_selectedGood;
    const int64_t margin = int64_t{m_salesPrices[g]} - g_pGameState->goods[g].production_cost;
    return "Profit margin / sales unit: " + Amount(margin);
}

std::string FS_PRODUKT_HILFE::DemandText() const {
    const int32_t per = g_pGameState->goods[m_selectedGood].demand_per_1000;
    return "Demand / 1000 residents: " + Amount(per > 0 ? 1000 / per : 0);
}

void FS_PRODUKT_HILFE::DrawGoodsPicture(int32_t good, int32_t x, int32_t y) {
    if (!m_goodsPictures.Loaded()) return;
    BlitDC(*canvas.dc, x, y, es::kGoodsPictureSize, es::kGoodsPictureSize, *m_goodsPictures.dc,
           good * es::kGoodsPictureSize, 0);
}

void FS_PRODUKT_HILFE::DrawProductInfo() {
    const CGameState& gs = *g_pGameState;
    const int32_t g = m_selectedGood;
    const GoodsRecord& good = gs.goods[g];
    RestoreCanvas();
    for (int32_t k = 0; k < 3; ++k) {
        const int32_t input = good.inputs[k];
        if (input == kNoGood || input >= kGoodsCount) continue;
        const int32_t y = es::kHelpInputY + es::kHelpInputStep * k;
        DrawGoodsPicture(input, es::kHelpInputX, y);
        Text(std::string(gs.goods[input].name) + " (" + std::to_string(good.input_amounts[k]) + ")",
             es::kHelpInputTextX, y + 15);
        Text(std::string("(") + ProducerName(gs.goods[input].producer_kind) + ")",
             es::kHelpInputTextX, y + 32);
    }
    DrawGoodsPicture(g, es::kHelpProduct.x, es::kHelpProduct.y);
    const int32_t x = es::kHelpFactsX;
    int32_t y = es::kHelpFactsY;
    Text(std::string("Manufactured in ") + ProducerName(good.producer_kind), x, y);
    Text("Manufacturing costs: " + Amount(good.own_cost), x, y += kLine);
    Text(MarginText(), x, y += kLine);
    Text(DemandText(), x, y += kLine);
    const int32_t store = good.store_type;
    const char* store_name =
        store > 0 && store < kBuildingTypeCount ? gs.building_types[store].type_name : "";
    Text(g == kNotForSale ? std::string("Sale not possible") : std::string("Sale in ") + store_name,
         x, y += kLine);
    const WinGBitmap* icons = g_pHauptDialog != nullptr ? &g_pHauptDialog->goods_icons : nullptr;
    for (int32_t r = 0; r < kRowsPerPage; ++r) {
        const int32_t h = m_firstRow + r;
        if (h >= kGoodsCount) break;
        const int32_t row_y = es::kHelpListTop + es::kHelpListStep * r;
        if (icons != nullptr && icons->Loaded()) {
            BlitDC(*canvas.dc, es::kHelpListIconX, row_y, kIconSize, kIconSize, *icons->dc,
                   (h + 1) * kIconSize, 0);
        }
        uint8_t colour = kNormal;
        if (h == g) {
            canvas.FillRect(es::kHelpListBarX, row_y, 200, kLine, kNormal);
            colour = kSelected;
        }
        if (gs.goods[h].available != 1) colour = kUnavailable;
        Text(gs.goods[h].name, es::kHelpListNameX, row_y, colour);
    }
    ShowCanvas(es::kHelpShownArea);
}

void FS_PRODUKT_HILFE::OnPaint(plat::DeviceContext& dc) {
    ShowCanvas(dc);
    DrawProductInfo();
}

bool FS_PRODUKT_HILFE::OnCommand(uint16_t command) {
    switch (command) {
        case kCmdPagePrevious:
            if (m_firstRow > kFirstProduct) m_firstRow -= kRowsPerPage;
            DrawProductInfo();
            return true;
        case kCmdPageNext:
            if (m_firstRow < kLastPageFirst - 1) m_firstRow += kRowsPerPage;
            DrawProductInfo();
            return true;
        case kCmdClose:
            if (g_pSpielFeld != nullptr) g_pSpielFeld->tool = kToolNone;
            g_pGameState->pending_view_code = kPendingNoTool;
            Close(0);
            return true;
        default:
            return false;
    }
}

bool FS_PRODUKT_HILFE::OnScreenMessage(uint32_t message, plat::WParam, plat::LParam lParam) {
    if (message != WM_LBUTTONDOWN) return false;
    const int32_t x = plat::XFromLParam(lParam) - origin_x;
    const int32_t y = plat::YFromLParam(lParam) - origin_y;
    if (x < es::kHelpListIconX || x > es::kHelpListRight || y < es::kHelpListTop) return true;
    const int32_t row = (y - es::kHelpListTop) / es::kHelpListStep;
    const int32_t good = m_firstRow + row;
    if (row >= kRowsPerPage || good >= kGoodsCount || good == m_selectedGood) return true;
    m_selectedGood = good;
    DrawProductInfo();
    return true;
}

const ScreenEntry kProductHelpScreenEntry = {
    .slot = FrameScreen::ProductHelp,
    .open_message = kMsgOpenProductHelp,
    .done_message = kMsgProductHelpDone,
    .cancel_command = kCmdClose,
    .open_steps = kOpenCommon,
    .done_steps = kDoneCommonResumeMusic,
    .open = [](plat::Window& frame, plat::WParam,
               plat::LParam) { return OpenNew<FS_PRODUKT_HILFE>(frame); },
};
