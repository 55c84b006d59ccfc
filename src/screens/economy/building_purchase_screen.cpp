#include "screens/economy/building_purchase_screen.h"

#include <string>

#include "gfx/blit_dc.h"
#include "panel/control_panel.h"
#include "panel/list_box.h"
#include "platform/gdi.h"
#include "screens/economy/economy_layout.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "view/world_view.h"

namespace es = economy_screens;

namespace {

constexpr int32_t kCategoryStart[5] = {0, 14, 21, 27, 32};
constexpr int32_t kTerminalTypes[2] = {0, 6};
constexpr int32_t kCityCategory = 3;
constexpr uint8_t kNormalColour = 10;
constexpr uint8_t kGreyColour = 28;
constexpr int32_t kPendingNoTool = 7;
constexpr uint32_t kCategoryListId = 1022;
constexpr uint32_t kTypeListId = 1019;
constexpr uint32_t kInfoListId = 1021;
constexpr int32_t kBuildingHeading = 11;  // the panel's building heading

constexpr ButtonLayout kButtons[] = {
    {.x = es::kBuyButton.x,
     .y = es::kBuyButton.y,
     .command = kCmdBuildingBuy,
     .width = es::kBigButtonWidth,
     .height = es::kBigButtonHeight,
     .normal = {es::kBuyFaceX, 0},
     .pressed = {es::kBuyFaceX, es::kPressedY}},
    {.x = es::kCancelButton.x,
     .y = es::kCancelButton.y,
     .command = kCmdBuildingPurchaseCancel,
     .width = es::kBigButtonWidth,
     .height = es::kBigButtonHeight,
     .normal = {es::kCancelFaceX, 0},
     .pressed = {es::kCancelFaceX, es::kPressedY}},
};

// The category of a type; -1 for a type no category lists.
int32_t CategoryOf(int32_t type) {
    if (type >= kCategoryStart[4] || type < 0) return -1;
    if (type >= kCategoryStart[3]) return 3;
    if (type >= kCategoryStart[2]) return 2;
    if (type >= kCategoryStart[1]) return 1;
    return 0;
}

bool HasPicture(int32_t type) {
    return type >= 0 && type < kBuildingTypeCount && es::kTypePictures[type] >= 0;
}

// The attraction row of a type outside the terminals; null for none.
const char* AttractionText(int32_t type) {
    if (type >= 14 && type <= 20) return "Attraction: -250";
    switch (type) {
        case 26:
            return "Attraction: +150";
        case 28:
            return "Attraction: +200";
        case 29:
            return "Attraction: +300";
        case 30:
            return "Attraction: +400";
        case 31:
            return "Attraction: +500";
        default:
            return type >= 21 && type <= 27 ? "Attraction: +100" : nullptr;
    }
}

}  // namespace

bool BuildingTypeOffered(int32_t type) {
    const CGameState& gs = *g_pGameState;
    if (type < 0 || type >= kBuildingTypeCount) return false;
    const int32_t year = gs.building_types[type].intro_year;
    return gs.year > year || (gs.year == year && gs.month >= 6);
}

bool BuildingTypeAffordable(int32_t type) {
    const CGameState& gs = *g_pGameState;
    if (type < 0 || type >= kBuildingTypeCount) return false;
    return gs.cash[0] >= gs.building_types[type].build_price;
}

FS_GEBAUDE_KAUF::FS_GEBAUDE_KAUF() : EconomyScreen(kMsgBuildingPurchaseDone) {
    const int32_t type = g_pGameState->selected_building_type;
    // A type without a picture (the raw-material sites) opens as no type.
    m_category = HasPicture(type) ? CategoryOf(type) : 0;
}

FS_GEBAUDE_KAUF::~FS_GEBAUDE_KAUF() {
    delete m_typeList;
    delete m_infoList;
    delete m_categoryList;
    m_picture.Free();
}

bool FS_GEBAUDE_KAUF::Open(plat::Window* parent) {
    if (!LoadPage(es::kPurchasePicture, es::kPurchaseSheet)) return false;
    m_previousType = g_pGameState->selected_building_type;
    if (!CreatePage(parent, kButtons, kCmdBuildingBuy, false)) return false;
    m_categoryList = MakeList(es::kCategoryList, kCategoryListId, true, kMsgFirstListClicked);
    m_typeList = MakeList(es::kTypeList, kTypeListId, true, kMsgSecondListClicked);
    m_infoList = MakeList(es::kInfoList, kInfoListId, false, 0);
    FillTypeList(true);
    ShowBuildingInfo();
    FillCategoryList();
    LoadTypePicture();
    RedrawLists();
    return true;
}

int32_t FS_GEBAUDE_KAUF::HighlightedType() const {
    return m_typeIndex >= 0 && m_typeIndex < m_rowCount ? m_rowTypes[m_typeIndex] : -1;
}

void FS_GEBAUDE_KAUF::FillTypeList(bool reset) {
    CGameState& gs = *g_pGameState;
    m_typeList->Clear();
    m_rowCount = 0;
    int32_t remembered = -1;
    auto add = [&](int32_t type) {
        if (!BuildingTypeOffered(type) || m_rowCount >= 7) return;
        const uint8_t colour = BuildingTypeAffordable(type) ? kNormalColour : kGreyColour;
        m_typeList->AddLine(gs.building_types[type].type_name);
        m_typeList->SetLineColour(m_rowCount, colour);
        m_rowColours[m_rowCount] = colour;
        if (type == gs.selected_building_type) remembered = m_rowCount;
        m_rowTypes[m_rowCount++] = type;
    };
    if (m_category == 0) {
        for (int32_t type : kTerminalTypes) add(type);
    } else {
        for (int32_t t = kCategoryStart[m_category]; t < kCategoryStart[m_category + 1]; ++t) {
            add(t);
        }
    }
    if (reset) {
        // While the screen is open no type is selected.
        gs.selected_building_type = -1;
        m_typeIndex = remembered >= 0 ? remembered : 0;
    }
    if (m_typeIndex < m_rowCount) m_typeList->SelectLine(m_typeIndex);
}

void FS_GEBAUDE_KAUF::ShowBuildingInfo() {
    m_infoList->Clear();
    m_infoList->SetTopLine(0);
    const int32_t type = HighlightedType();
    if (type < 0) return;
    const BuildingType& info = g_pGameState->building_types[type];
    m_infoList->AddLine(("Selling Price : " + Amount(info.build_price)).c_str());
    m_infoList->AddLine("");
    m_infoList->AddLine(("Floor space : " + std::to_string(info.floor_width) + " x " +
                         std::to_string(info.floor_depth))
                            .c_str());
    if (info.zone_size != 0) {
        const std::string side = std::to_string(info.zone_size);
        m_infoList->AddLine(("Commercial zone : " + side + " x " + side).c_str());
    }
    if (m_category >= 1) {
        if (const char* attraction = AttractionText(type); attraction != nullptr) {
            m_infoList->AddLine(attraction);
        }
    }
}

void FS_GEBAUDE_KAUF::FillCategoryList() {
    m_categoryList->Clear();
    for (const char* name : {"Terminals", "Production", "Sales", "Buildings (city)"}) {
        m_categoryList->AddLine(name);
    }
    m_categoryList->SelectLine(m_category);
}

void FS_GEBAUDE_KAUF::LoadTypePicture() {
    const int32_t type = HighlightedType();
    RestoreCanvas();
    if (HasPicture(type)) {
        const std::string name = std::string(g_pGameState->DataPath(kPathBase)) + "\\gks_" +
                                 std::to_string(es::kTypePictures[type]) + ".jgd";
        if (m_picture.ReloadJgd(name)) {
            BlitDC(*canvas.dc, es::kTypePicture.x, es::kTypePicture.y, es::kTypePictureSize.width,
                   es::kTypePictureSize.height, *m_picture.dc, 0, 0);
        }
    }
    ShowCanvas({es::kTypePicture.x, es::kTypePicture.y,
                es::kTypePicture.x + es::kTypePictureSize.width,
                es::kTypePicture.y + es::kTypePictureSize.height});
}

void FS_GEBAUDE_KAUF::RedrawLists() {
    m_typeList->Redraw(true);
    m_infoList->Redraw(true);
    m_categoryList->Redraw(true);
}

void FS_GEBAUDE_KAUF::OnPaint(plat::DeviceContext& dc) {
    TileMargin(dc);
    ShowCanvas(dc);
    RedrawLists();
}

void FS_GEBAUDE_KAUF::OnTypeSelected() {
    const int32_t row = m_typeList->last_clicked;
    if (row == m_typeIndex || row < 0 || row >= m_rowCount) {
        // A click on the highlighted row keeps it highlighted.
        if (m_typeIndex < m_rowCount) m_typeList->SelectLine(m_typeIndex);
        m_typeList->Redraw(true);
        return;
    }
    m_typeIndex = row;
    LoadTypePicture();
    ShowBuildingInfo();
    RedrawLists();
}

void FS_GEBAUDE_KAUF::OnCategorySelected() {
    const int32_t row = m_categoryList->last_clicked;
    if (row == m_category || row < 0 || row > kCityCategory) {
        m_categoryList->SelectLine(m_category);
        m_categoryList->Redraw(true);
        return;
    }
    m_category = row;
    m_typeIndex = 0;
    FillTypeList(true);
    LoadTypePicture();
    ShowBuildingInfo();
    RedrawLists();
}

void FS_GEBAUDE_KAUF::UpdateAvailability() {
    bool changed = false;
    for (int32_t row = 0; row < m_rowCount; ++row) {
        const uint8_t colour =
            BuildingTypeAffordable(m_rowTypes[row]) ? kNormalColour : kGreyColour;
        changed = changed || colour != m_rowColours[row];
    }
    if (!changed) return;
    FillTypeList(false);
    m_typeList->Redraw(true);
}

void FS_GEBAUDE_KAUF::OnBuy() {
    CGameState& gs = *g_pGameState;
    gs.build_orientation = 0;
    const int32_t type = HighlightedType();
    if (!BuildingTypeAffordable(type)) return;
    gs.selected_building_type = type;
    Close(0);
}

void FS_GEBAUDE_KAUF::OnCancel() {
    CGameState& gs = *g_pGameState;
    gs.selected_building_type = m_previousType;
    if (m_previousType == -1) {
        if (g_pSpielFeld != nullptr) g_pSpielFeld->tool = kToolNone;
        gs.pending_view_code = kPendingNoTool;
    }
    Close(1);
}

void FS_GEBAUDE_KAUF::OnEnter() {
    if (BuildingTypeAffordable(HighlightedType())) PressButton(kCmdBuildingBuy);
}

bool FS_GEBAUDE_KAUF::OnCommand(uint16_t command) {
    if (command == kCmdBuildingBuy) {
        OnBuy();
    } else if (command == kCmdBuildingPurchaseCancel) {
        OnCancel();
    } else {
        return false;
    }
    return true;
}

bool FS_GEBAUDE_KAUF::OnScreenMessage(uint32_t message, plat::WParam, plat::LParam) {
    if (message == kMsgSecondListClicked) {
        OnTypeSelected();
    } else if (message == kMsgFirstListClicked) {
        OnCategorySelected();
    } else {
        return false;
    }
    return true;
}

const ScreenEntry kBuildingPurchaseScreenEntry = {
    .slot = FrameScreen::BuildingPurchase,
    .open_message = kMsgOpenBuildingPurchase,
    .done_message = kMsgBuildingPurchaseDone,
    .cancel_command = kCmdBuildingPurchaseCancel,
    .open_steps = kOpenCommon,
    .done_steps = kDoneCommonResumeMusic,
    .open = [](plat::Window& frame, plat::WParam,
               plat::LParam) { return OpenNew<FS_GEBAUDE_KAUF>(frame); },
    .after_done =
        [](plat::Window&, plat::WParam, plat::LParam) {
            // With a type chosen the panel's building heading shows its single
            // "new buildings" row and the view places that type.
            if (g_pGameState->selected_building_type >= 0 && g_pHauptDialog != nullptr) {
                g_pHauptDialog->PressHeading(kBuildingHeading);
            }
        },
    .notify =
        [](plat::Window* screen, FrameNotice notice) {
            if (notice == FrameNotice::CashChanged) {
                static_cast<FS_GEBAUDE_KAUF*>(screen)->UpdateAvailability();
            }
        },
};
