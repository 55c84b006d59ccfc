#include "screens/economy/production_screen.h"

#include <algorithm>
#include <string>

#include "economy/building.h"
#include "gfx/blit_dc.h"
#include "panel/list_box.h"
#include "screens/economy/economy_figures.h"
#include "screens/economy/economy_layout.h"
#include "screens/panel/popup_list.h"
#include "sound/sound_manager.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "view/world_view.h"

namespace es = economy_screens;

namespace {

constexpr int32_t kProductionPopupPicture = 2;
constexpr int32_t kFirstFactoryType = 14;
constexpr int32_t kLastFactoryType = 19;
constexpr int32_t kFirstProducerKind = 9;
constexpr uint32_t kCostListId = 1021;
constexpr uint32_t kStockListId = 1022;
constexpr int32_t kMostInputIcons = 24;
constexpr int32_t kMostStockIcons = 39;
constexpr char kUnitIcon = '{';  // character 123: the unit icon of font 1

// Popup group titles by producer kind 9..14.
constexpr const char* kGroupTitles[6] = {"Cars",          "Lumber", "Electronics",
                                         "Sports equip.", "Toys",   "Jewelry"};

constexpr ButtonLayout kButtons[] = {
    {.x = es::kProductionOkButton.x,
     .y = es::kProductionOkButton.y,
     .command = kCmdOk,
     .width = es::kBigButtonWidth,
     .height = es::kBigButtonHeight,
     .normal = {es::kOkFaceX, 0},
     .pressed = {es::kOkFaceX, es::kPressedY}},
    {.x = es::kProductionCancelButton.x,
     .y = es::kProductionCancelButton.y,
     .command = kCmdBack,
     .width = es::kBigButtonWidth,
     .height = es::kBigButtonHeight,
     .normal = {es::kCancelFaceX2, 0},
     .pressed = {es::kCancelFaceX2, es::kPressedY}},
    {.x = es::kStockUpButton.x,
     .y = es::kStockUpButton.y,
     .command = kCmdStockUp,
     .width = es::kSmallButtonWidth,
     .height = es::kSmallButtonHeight,
     .normal = {es::kUpFaceX, 0},
     .pressed = {es::kUpFaceX, es::kPressedY}},
    {.x = es::kStockDownButton.x,
     .y = es::kStockDownButton.y,
     .command = kCmdStockDown,
     .width = es::kSmallButtonWidth,
     .height = es::kSmallButtonHeight,
     .normal = {es::kDownFaceX, 0},
     .pressed = {es::kDownFaceX, es::kPressedY}},
};

const GoodsRecord* Good(int32_t good) {
    return good >= 0 && good < kGoodsCount ? &g_pGameState->goods[good] : nullptr;
}

}  // namespace

int32_t UnitIconSpacing(int32_t units, int32_t wide, int32_t narrow) {
    if (units > narrow) return 4;
    return units > wide ? 8 : 16;
}

std::string UnitIcons(int32_t units, int32_t most) {
    return std::string(static_cast<size_t>(std::clamp(units, 0, most)), kUnitIcon);
}

FS_PRODUKTION::FS_PRODUKTION() : BuildingScreen(kMsgProductionDone) {}

FS_PRODUKTION::~FS_PRODUKTION() {
    delete m_costList;
    delete m_stockList;
    m_productPopup.reset();
    m_productPicture.Free();
    if (g_pSound != nullptr) g_pSound->NextPlaylistTrack();
}

bool FS_PRODUKTION::Open(plat::Window* parent, int32_t building) {
    const int32_t type = TakeBuilding(building);
    if (type < kFirstFactoryType || type > kLastFactoryType) return false;
    m_pageNumber = type - es::kProductionPageOffset;
    const std::string n = std::to_string(m_pageNumber);
    if (!LoadPage("scr_" + n + ".jgd", "scb_" + n + ".jgd")) return false;
    m_product = Building()->GetProduct();
    LoadProductPicture();
    if (!CreatePage(parent, kButtons, kCmdOk, false)) return false;
    m_productPopup = std::make_unique<FS_POPUP_LIST>();
    m_productPopup->Create(this, kProductionPopupPicture, sheet.palette);
    m_productPopup->MoveWindow(
        {origin_x + es::kProductionPopup.x, origin_y + es::kProductionPopup.y,
         origin_x + es::kProductionPopup.x + kPopupWidth,
         origin_y + es::kProductionPopup.y + kPopupHeight},
        false);
    FillProductPopup(GetBuildingGroup(type));
    m_costList = MakeList(es::kCostList, kCostListId, false, 0);
    m_stockList = MakeList(es::kStockList, kStockListId, false, 0);
    for (LISTBOX* list : {m_costList, m_stockList}) {
        list->value_column = 1;
        list->value_column_right = 1;
    }
    FillCostList();
    FillStockList();
    if (g_pSound != nullptr) g_pSound->PlayProductionMusic();
    return true;
}

void FS_PRODUKTION::LoadProductPicture() {
    // The picture of good g is "fps_<g + 1>.jgd"; no production shows none.
    const int32_t n = m_product >= 0 ? m_product + 1 : 9;
    m_productPicture.ReloadJgd(std::string(g_pGameState->DataPath(kPathBase)) + "\\fps_" +
                               std::to_string(n) + ".jgd");
}

void FS_PRODUKTION::FillProductPopup(int32_t producer_kind) {
    FS_POPUP_LIST& popup = *m_productPopup;
    popup.Reset();
    popup.closable = 1;  // the close box chooses no production
    const int32_t title = producer_kind - kFirstProducerKind;
    popup.AddItem(0, title >= 0 && title < 6 ? kGroupTitles[title] : "");
    for (int32_t good = 0; good < kGoodsCount; ++good) {
        const GoodsRecord& g = g_pGameState->goods[good];
        if (g.producer_kind == producer_kind && g.available == 1) popup.AddToGroup(0, good);
    }
}

void FS_PRODUKTION::FillCostList() {
    const GoodsRecord* g = Good(m_product);
    m_costList->Clear();
    m_costList->SetTopLine(0);
    m_costList->AddLine(("Costs / Unit: " + Amount(g != nullptr ? g->own_cost : 0)).c_str());
    m_costList->AddLine(("Profit margin / Unit: " + Amount(UnitMargin(m_product))).c_str());
    m_costList->AddLine("");
    m_costList->AddLine("Required products / Unit:");
    for (int32_t k = 0; k < 3 && g != nullptr; ++k) {
        const GoodsRecord* input = g->inputs[k] != kNoGood ? Good(g->inputs[k]) : nullptr;
        if (input == nullptr) break;
        const int32_t amount = g->input_amounts[k];
        const std::string row = Amount(amount) + " (" + std::to_string(amount) + ") " +
                                input->name + UnitIcons(amount, kMostInputIcons);
        m_costList->AddLineWithValue(row.c_str(), UnitIconSpacing(amount, 6, 12));
    }
}

void FS_PRODUKTION::FillStockList() {
    CBuilding* factory = Building();
    m_stockList->Clear();
    m_stockList->SetTopLine(0);
    for (int32_t good = 0; good < kGoodsCount && factory != nullptr; ++good) {
        int32_t numerator = 0;
        int32_t denominator = 1;
        const int32_t stock = factory->GetStock(good, numerator, denominator);
        if (stock <= 0) continue;
        const std::string row = Amount(stock) + " " + g_pGameState->goods[good].name +
                                UnitIcons(stock, kMostStockIcons);
        m_stockList->AddLineWithValue(row.c_str(), UnitIconSpacing(stock, 10, 19));
    }
}

void FS_PRODUKTION::DrawProductionPanel() {
    RestoreCanvas();
    if (m_product != -1 && m_productPicture.Loaded()) {
        BlitDC(*canvas.dc, es::kProductionPicture.x, es::kProductionPicture.y,
               es::kProductPictureSize, es::kProductPictureSize, *m_productPicture.dc, 0, 0);
    }
    const GoodsRecord* g = Good(m_product);
    Text(g != nullptr ? g->name : "No production", es::kProductionName.x, es::kProductionName.y, 0);
    ShowCanvas({0, 0, es::kPageWidth, es::kPageHeight});
    m_costList->Redraw(true);
    m_stockList->Redraw(true);
}

void FS_PRODUKTION::OnPaint(plat::DeviceContext& dc) {
    TileMargin(dc);
    DrawProductionPanel();
}

void FS_PRODUKTION::ScrollStock(int32_t by) {
    const int32_t top = m_stockList->top_line;
    const int32_t count = m_stockList->LineCount();
    if (by > 0 && top + es::kStockRowsShown < count) {
        m_stockList->SetTopLine(top + 1);
    } else if (by < 0 && count > es::kStockRowsShown && top > 0) {
        m_stockList->SetTopLine(top - 1);
    } else {
        return;
    }
    DrawProductionPanel();
}

void FS_PRODUKTION::OnProductChosen() {
    m_productPopup->Hide();
    const int32_t chosen = m_productPopup->choice;
    if (chosen != kPopupNoChoice && chosen != m_product) {
        m_product = chosen;
        LoadProductPicture();
        if (g_pSound != nullptr) g_pSound->ResumeMusic();
        FillCostList();
        FillStockList();
    }
    DrawProductionPanel();
}

void FS_PRODUKTION::OnOk() {
    CBuilding* factory = Building();
    if (factory != nullptr && factory->owner == 0 && factory->GetProduct() != m_product) {
        factory->SetProduct(m_product);
        g_pGameState->redraw_objects = 1;
        if (g_pSpielFeld != nullptr) g_pSpielFeld->RedrawView();
    }
    Close(0);
}

bool FS_PRODUKTION::OnCommand(uint16_t command) {
    switch (command) {
        case kCmdStockUp:
            ScrollStock(-1);
            return true;
        case kCmdStockDown:
            ScrollStock(1);
            return true;
        case kCmdOk:
            OnOk();
            return true;
        case kCmdBack:
            Close(0);
            return true;
        default:
            return false;
    }
}

bool FS_PRODUKTION::OnScreenMessage(uint32_t message, plat::WParam, plat::LParam lParam) {
    if (message == kMsgPopupChosen) {
        OnProductChosen();
        return true;
    }
    if (message != WM_LBUTTONDOWN) return false;
    const plat::Point p{plat::XFromLParam(lParam) - origin_x, plat::YFromLParam(lParam) - origin_y};
    // Only the player's own factory takes another product.
    if (OwnedByPlayer() && es::kProductionNameArea.Contains(p)) {
        DrawProductionPanel();
        m_productPopup->ShowCentred();
    }
    return true;
}

const ScreenEntry kProductionScreenEntry = {
    .slot = FrameScreen::Production,
    .open_message = kMsgOpenProduction,
    .done_message = kMsgProductionDone,
    .cancel_command = kCmdBack,
    .open_steps = kOpenCommon,
    .done_steps = kDoneCommon,
    .open = OpenForSelectedBuilding<FS_PRODUKTION, kFirstFactoryType, kLastFactoryType>,
};
