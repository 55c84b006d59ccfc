#include "screens/panel/structure_info_screen.h"

#include <algorithm>
#include <cstdio>

#include "economy/building.h"
#include "economy/building_table.h"
#include "gfx/font_tables.h"
#include "gfx/palette.h"
#include "screens/panel/dialog_layout.h"
#include "sound/sound_manager.h"
#include "state/game_state.h"
#include "state/messages.h"

namespace dl = dialog_layout;

namespace {

constexpr int32_t kFirstSiteType = 10;  // the mine
constexpr int32_t kLastSiteType = 13;   // the steel mill
constexpr int32_t kMinePicture = 3;     // the diamond mine's, also for an unknown mineral
constexpr int32_t kFirstMineral = 5;    // gold, silver, diamonds: pictures 1..3
constexpr int32_t kLastMineral = 7;
constexpr int32_t kStripWidth = 64;

constexpr ButtonLayout kCloseButton[] = {{.x = dl::kInfoClose.x,
                                          .y = dl::kInfoClose.y,
                                          .command = kCmdOk,
                                          .width = dl::kButtonWidth,
                                          .height = dl::kButtonHeight,
                                          .normal = {0, 0},
                                          .pressed = {0, dl::kPressedFaceY}}};
constexpr ButtonLayout kSteelCloseButton[] = {{.x = dl::kInfoSteelClose.x,
                                               .y = dl::kInfoSteelClose.y,
                                               .command = kCmdOk,
                                               .width = dl::kButtonWidth,
                                               .height = dl::kButtonHeight,
                                               .normal = {0, 0},
                                               .pressed = {0, dl::kPressedFaceY}}};

}  // namespace

int32_t StructureInfoScreen::PictureOf(CBuilding* building) {
    if (building == nullptr) return 0;
    const int32_t type = building->type;
    if (type < kFirstSiteType || type > kLastSiteType) return 0;
    if (type != kFirstSiteType) return type - 7;
    const int32_t product = building->GetProduct();
    return product >= kFirstMineral && product <= kLastMineral ? product - kFirstMineral + 1
                                                               : kMinePicture;
}

bool StructureInfoScreen::Create(plat::Window* parent, int32_t number, const plat::Rect& view) {
    CBuilding* building = g_ppBuildings != nullptr ? g_ppBuildings->At(number) : nullptr;
    picture = PictureOf(building);
    if (picture == 0) return false;
    shown_building = number;
    panel_ = parent;
    const bool steel = picture == dl::kInfoSteelPicture;
    if (!OpenOver(parent, view,
                  {.picture = picture,
                   .buttons = steel ? std::span<const ButtonLayout>(kSteelCloseButton)
                                    : std::span<const ButtonLayout>(kCloseButton)})) {
        return false;
    }
    strip_.Create(sheet, kStripWidth, dl::kFigureHeight);
    if (g_pSound != nullptr) g_pSound->ResumeMusic();
    return true;
}

bool StructureInfoScreen::Open(HAUPTDIALOG& panel, const PopupRequest& request) {
    return Create(&panel, static_cast<int32_t>(request.wParam), request.rect);
}

plat::LResult StructureInfoScreen::OnMessage(uint32_t message, plat::WParam wParam,
                                             plat::LParam lParam) {
    if (message == WM_COMMAND && plat::LoWord(wParam) == kCmdOk) {
        OnCloseButton();
        return 0;
    }
    return PanelScreen::OnMessage(message, wParam, lParam);
}

void StructureInfoScreen::OnPaint() {
    ClipCursorToWindow();
    PanelScreen::OnPaint();
    DrawFigures();
}

void StructureInfoScreen::DrawFigure(int32_t value, int32_t src_x, int32_t src_y, int32_t width,
                                     int32_t x, int32_t y) {
    if (!strip_.Loaded() || !background.Loaded()) return;
    const int32_t w = std::min(width, kStripWidth);
    plat::BitBlt(*strip_.dc, 0, 0, w, dl::kFigureHeight, background.dc.get(), src_x, src_y,
                 plat::RasterOp::SrcCopy);
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    strip_.DrawText(text, kFont1Advances, 0, 0, g_pGameState->images.main_font);
    Present(strip_, x, y, w, dl::kFigureHeight, 0, 0);
}

void StructureInfoScreen::DrawFigures() {
    CBuilding* building = g_ppBuildings != nullptr ? g_ppBuildings->At(shown_building) : nullptr;
    if (building == nullptr || !IsWindow()) return;
    auto stock = [building](int32_t product) {
        int32_t numerator = 0;
        int32_t denominator = 1;
        return building->GetStock(product, numerator, denominator);
    };
    auto put = [this](int32_t value, const dl::FigurePlace& p, int32_t dy) {
        DrawFigure(value, p.src_x, p.src_y + dy, p.width, p.x, p.y + dy);
    };
    if (picture == dl::kInfoSteelPicture) {
        for (int32_t block = 0; block < 3; ++block) {
            const int32_t dy = block * dl::kSteelBlockStep;
            put(building->GetCapacity(block), dl::kOutputPlace, dy);
            put(stock(block + 2), dl::kStockPlace, dy);
        }
        return;
    }
    put(building->GetCapacity(0), dl::kOutputPlace, 0);
    put(stock(building->GetProduct()), dl::kStockPlace, 0);
    if (picture == dl::kLumberPicture) put(building->GetPeriodFigure(), dl::kForestPlace, 0);
}

void StructureInfoScreen::OnCloseButton() {
    FreeCursor();
    // The panel deletes this window while it handles the message.
    plat::SendMessage(panel_, kMsgPanelStructureInfoDone, 0, 0);
}

plat::Window* OpenStructureInfo(HAUPTDIALOG& panel, const PopupRequest& request) {
    return OpenPopupScreen<StructureInfoScreen>(panel, request);
}
