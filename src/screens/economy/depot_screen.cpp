#include "screens/economy/depot_screen.h"

#include <algorithm>
#include <array>
#include <string>

#include "economy/building.h"
#include "gfx/blit_dc.h"
#include "gfx/font_tables.h"
#include "gfx/palette.h"
#include "platform/gdi.h"
#include "screens/economy/economy_layout.h"
#include "screens/economy/production_screen.h"
#include "state/game_state.h"
#include "state/messages.h"

namespace es = economy_screens;

namespace {

constexpr int32_t kDepotType = 20;
constexpr int32_t kRowsPerColumn = 5;
constexpr int32_t kMostIcons = 29;
constexpr int32_t kTextIndent = 66;

constexpr ButtonLayout kButtons[] = {
    {.x = es::kDepotOkButton.x,
     .y = es::kDepotOkButton.y,
     .command = kCmdClose,
     .width = es::kBigButtonWidth,
     .height = es::kBigButtonHeight,
     .normal = {0, 0},
     .pressed = {0, es::kPressedY}},
};

}  // namespace

std::string DepotStockText(int32_t units) {
    return Amount(units) + " (" + std::to_string(units) + ")";
}

FS_LAGERHALLE::FS_LAGERHALLE() : BuildingScreen(kMsgDepotDone) {}

FS_LAGERHALLE::~FS_LAGERHALLE() {
    m_content.Free();
    m_goodsPictures.Free();
}

bool FS_LAGERHALLE::Open(plat::Window* parent, int32_t building) {
    m_building = building;
    const CBuilding* depot = Building();
    if (depot == nullptr || depot->type != kDepotType) return false;
    if (!LoadPage(es::kDepotPicture, es::kDepotSheet)) return false;
    m_goodsPictures.LoadJgd(std::string(g_pGameState->DataPath(kPathBase)) + "\\" +
                            es::kGoodsPictures);
    const plat::Rect area = es::kDepotContent;
    if (!m_content.Create(sheet, area.Width(), area.Height())) return false;
    if (!CreatePage(parent, kButtons, kCmdClose, true)) return false;
    FillContent();
    return true;
}

void FS_LAGERHALLE::FillContent() {
    const plat::Rect area = es::kDepotContent;
    plat::BitBlt(*m_content.dc, 0, 0, area.Width(), area.Height(), background.dc.get(), area.left,
                 area.top, plat::RasterOp::SrcCopy);
    CBuilding* depot = Building();
    const PaletteImage& font = g_pGameState->images.main_font;
    m_entries = 0;
    for (int32_t good = 0; good < kGoodsCount && depot != nullptr; ++good) {
        int32_t numerator = 0;
        int32_t denominator = 1;
        const int32_t stock = depot->GetStock(good, numerator, denominator);
        if (stock <= 0) continue;
        const int32_t column = m_entries / kRowsPerColumn;
        if (column >= 3) break;  // the content holds three columns
        const int32_t x = es::kDepotColumns[column];
        const int32_t y = es::kDepotRowStep * (m_entries % kRowsPerColumn);
        if (m_goodsPictures.Loaded()) {
            BlitDC(*m_content.dc, x, y, es::kGoodsPictureSize, es::kGoodsPictureSize,
                   *m_goodsPictures.dc, good * es::kGoodsPictureSize, 0);
        }
        m_content.DrawText(g_pGameState->goods[good].name, kFont1Advances, x + kTextIndent, y, font,
                           16, 16, 10);
        m_content.DrawText(DepotStockText(stock).c_str(), kFont1Advances, x + kTextIndent, y + 17,
                           font, 16, 16, 10);
        std::array<uint8_t, kFont1Advances.size()> advances = kFont1Advances;
        advances[kIconAdvanceEntry] = static_cast<uint8_t>(UnitIconSpacing(stock, 8, 15));
        m_content.DrawIcons(UnitIcons(stock, kMostIcons).c_str(), advances, x + 64, y + 34, font);
        ++m_entries;
    }
    // The content is complete: the pictures are not needed any more.
    if (m_entries > 0) m_goodsPictures.Free();
}

void FS_LAGERHALLE::OnPaint(plat::DeviceContext& dc) {
    ShowCanvas(dc);
    if (!m_content.Loaded()) return;
    SelectPictureOutputPalette(dc, m_content.dc.get(), sheet.palette);
    BlitDC(dc, origin_x + es::kDepotContent.left, origin_y + es::kDepotContent.top, m_content.width,
           m_content.Rows(), *m_content.dc, 0, 0);
    RestoreDefaultPalette(dc);
}

bool FS_LAGERHALLE::OnCommand(uint16_t command) {
    if (command != kCmdClose) return false;
    Close(0);
    return true;
}

const ScreenEntry kDepotScreenEntry = {
    .slot = FrameScreen::Depot,
    .open_message = kMsgOpenDepot,
    .done_message = kMsgDepotDone,
    .cancel_command = kCmdClose,
    .open_steps = kOpenCommon,
    .done_steps = kDoneCommonResumeMusic,
    .open = OpenForSelectedBuilding<FS_LAGERHALLE, kDepotType, kDepotType>,
};
