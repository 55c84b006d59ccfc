#include "screens/flow/city_growth_screen.h"

#include <algorithm>

#include "gfx/blit_dc.h"
#include "gfx/font_tables.h"
#include "gfx/palette.h"
#include "platform/gdi.h"
#include "platform/input.h"
#include "screens/flow/flow_screen_layout.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "view/world_view.h"

namespace fs = flow_screens;

namespace {

constexpr int32_t kTextX = 56;
constexpr int32_t kTextY = 52;
constexpr int32_t kBarX = 52;
constexpr int32_t kBarY = 77;
constexpr int32_t kBarWidth = 200;
constexpr int32_t kBarHeight = 17;
constexpr uint8_t kBarColour = 195;
constexpr uint8_t kTextColour = 10;

constexpr ButtonLayout kButtons[] = {{.x = 102,
                                      .y = 178,
                                      .command = kCmdStopGrowth,
                                      .width = fs::kButtonWidth,
                                      .height = fs::kButtonHeight,
                                      .normal = {0, 0},
                                      .pressed = {0, fs::kPressedFaceY}}};

}  // namespace

CityGrowthScreen::CityGrowthScreen() : FlowPopup(0) {}

CityGrowthScreen::~CityGrowthScreen() {
    back_buffer.Free();
    window_image.Free();
}

bool CityGrowthScreen::Open(plat::Window* owner, const plat::Rect& view, int32_t ticks) {
    finished = 0;
    step_count = 0;
    total = std::max(ticks, 1);
    if (!LoadPictures(fs::kGrowthPicture, fs::kGrowthSheet)) return false;
    // The buffers take the picture's own size: the stop button lies below
    // the first 200 rows.
    const int32_t w = background.width;
    const int32_t h = background.Rows();
    if (!back_buffer.Create(sheet, w, h) || !window_image.Create(sheet, w, h)) return false;
    BlitDC(*back_buffer.dc, 0, 0, w, h, *background.dc, 0, 0);
    if (!CreatePopup(owner, view, kButtons)) return false;
    CentreCursor();
    return true;
}

void CityGrowthScreen::Draw(bool with_text) {
    if (!window_image.Loaded()) return;
    const int32_t w = window_image.width;
    const int32_t h = window_image.Rows();
    BlitDC(*window_image.dc, 0, 0, w, h, *back_buffer.dc, 0, 0);
    const GameImages& images = g_pGameState->images;
    if (with_text && images.main_font.Loaded()) {
        window_image.DrawText(texts[finished != 0 ? 1 : 0], kFont1Advances, kTextX, kTextY,
                              images.main_font, 16, 16, kTextColour);
    }
    // A stopped growth runs one tick past the total: the bar stays full.
    const int64_t bar = static_cast<int64_t>(step_count) * kBarWidth / std::max(total, 1);
    window_image.FillRect(kBarX, kBarY, static_cast<int32_t>(std::min<int64_t>(bar, kBarWidth)),
                          kBarHeight, kBarColour);
    if (!IsWindow()) return;
    plat::DcHandle dc = plat::GetWindowDC(*this);
    SelectPictureOutputPalette(*dc, window_image.dc.get(), sheet.palette);
    BlitDC(*dc, 0, 0, w, h, *window_image.dc, 0, 0);
    RestoreDefaultPalette(*dc);
}

void CityGrowthScreen::DrawProgress() {
    // The text is the state's before the last tick ends the growth.
    Draw(true);
    if (step_count == total) finished = 1;
}

plat::LResult CityGrowthScreen::OnMessage(uint32_t message, plat::WParam wParam,
                                          plat::LParam lParam) {
    switch (message) {
        case WM_PAINT:
            BeginPaint();
            EndPaint();
            Draw(false);
            return 0;
        case WM_COMMAND:
            if (plat::LoWord(wParam) == kCmdStopGrowth) {
                finished = 1;
                DrawProgress();
                step_count = total;
            }
            return 0;
        default:
            return DefaultMessage(message, wParam, lParam);
    }
}

FS_CITY_GROWTH* OpenCityGrowthScreen(HAUPTDIALOG& panel, int32_t steps) {
    const CGameState& gs = *g_pGameState;
    plat::Rect view{gs.origin_x, gs.origin_y, gs.origin_x + gs.screen_width,
                    gs.origin_y + gs.screen_height};
    if (g_pSpielFeld != nullptr && g_pSpielFeld->IsWindow()) view = g_pSpielFeld->GetWindowRect();
    auto* screen = new CityGrowthScreen;
    if (screen->Open(&panel, view, steps)) return screen;
    delete screen;
    return nullptr;
}
