#include "screens/world/gen_progress_screen.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "cities/city_manager.h"
#include "gfx/blit_dc.h"
#include "gfx/font_tables.h"
#include "gfx/palette.h"
#include "platform/gdi.h"
#include "state/game_state.h"
#include "state/messages.h"

namespace {

constexpr const char* kCaptions[kGenStages] = {"Generating land", "Generating cities",
                                               "Generating woods", "Generating industries"};
// Lamp positions in the picture, by stage.
constexpr plat::Point kLampPositions[kGenStages] = {{44, 111}, {44, 135}, {164, 111}, {164, 135}};
constexpr int32_t kLampSize = 16;
constexpr int32_t kLitLampX = 0;
constexpr int32_t kUnlitLampX = 16;
constexpr plat::Point kCaptionPosition = {56, 52};
constexpr plat::Point kBarPosition = {52, 77};
constexpr int32_t kBarWidth = 200;
constexpr int32_t kBarHeight = 17;
constexpr uint8_t kBarColour = 195;

std::string BaseFile(const char* name) {
    return std::string(g_pGameState->DataPath(kPathBase)) + "\\" + name;
}

}  // namespace

FS_GEN_FORTSCHRITT::FS_GEN_FORTSCHRITT() {
    for (int32_t s = 0; s < kGenStages; ++s) {
        std::snprintf(captions[s], kGenCaptionLength, "%s", kCaptions[s]);
    }
}

FS_GEN_FORTSCHRITT::~FS_GEN_FORTSCHRITT() {
    if (&Progress() == this) {
        SetProgressEvents(nullptr);
        if (g_pCityManager != nullptr) g_pCityManager->traffic_held = 0;
    }
    back_buffer.Free();
    picture.Free();
    scratch.Free();
}

bool FS_GEN_FORTSCHRITT::Show(plat::Window* parent) {
    picture.LoadJgd(BaseFile("scr_42.jgd"));
    sheet.Load(BaseFile("scb_42.jgd"), nullptr, 1);
    if (picture.Loaded() && sheet.Loaded()) {
        back_buffer.Create(sheet, picture.width, picture.Rows());
        scratch.Create(sheet, kLampSize, kLampSize);
    }
    if (!CreateScreen(parent, {.area = {picture.width, picture.Rows()}, .centre_always = true})) {
        return false;
    }
    for (int32_t s = 0; s < kGenStages; ++s) {
        const plat::Point p = kLampPositions[s];
        lamp_rects[s] = {origin_x + p.x, origin_y + p.y, origin_x + p.x + kLampSize,
                         origin_y + p.y + kLampSize};
    }
    SetProgressEvents(this);
    if (g_pCityManager != nullptr) g_pCityManager->traffic_held = 1;
    return true;
}

plat::LResult FS_GEN_FORTSCHRITT::OnMessage(uint32_t message, plat::WParam wParam,
                                            plat::LParam lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_COMMAND:
            if (plat::LoWord(wParam) == kCmdOk) {
                OnOk();
                return 0;
            }
            break;
        default:
            break;
    }
    return FullScreen::OnMessage(message, wParam, lParam);
}

void FS_GEN_FORTSCHRITT::OnPaint() {
    plat::PaintDC dc(*this);
    CGameState& gs = *g_pGameState;
    // The tiled background behind the picture.
    if (gs.images.tile.Loaded()) {
        RealizeSheetPalette(dc);
        BlitDCInBlocks(dc, 0, 0, gs.screen_width, gs.screen_height, *gs.images.tile.dc);
        RestoreDefaultPalette(dc);
    }
    if (total == 0) total = 1;
    DrawProgress(dc);
}

void FS_GEN_FORTSCHRITT::UpdateProgress() {
    if (!IsWindow()) return;
    plat::DcHandle dc = plat::GetWindowDC(*this);
    DrawProgress(*dc);
}

void FS_GEN_FORTSCHRITT::DrawProgress(plat::DeviceContext& dc) {
    if (!back_buffer.Loaded() || !picture.Loaded()) return;
    SelectPictureOutputPalette(dc, back_buffer.dc.get(), sheet.palette);
    plat::BitBlt(*back_buffer.dc, 0, 0, picture.width, picture.Rows(), picture.dc.get(), 0, 0,
                 plat::RasterOp::SrcCopy);
    for (int32_t s = 0; s < kGenStages; ++s) {
        back_buffer.BlitImageKeyed(
            sheet, lamp_rects[s].left - origin_x, lamp_rects[s].top - origin_y,
            stage_done[s] > 0 ? kLitLampX : kUnlitLampX, 0, kLampSize, kLampSize);
    }
    const int32_t shown_stage = std::clamp(stage, 0, kGenStages - 1);
    back_buffer.DrawText(captions[shown_stage], kFont1Advances, kCaptionPosition.x,
                         kCaptionPosition.y, g_pGameState->images.main_font);
    // The bar may grow past its 200 pixels when a phase counts more steps
    // than its total; the back buffer clips it.
    const int64_t divisor = total > 0 ? total : 1;
    const int64_t width = static_cast<int64_t>(current) * kBarWidth / divisor;
    back_buffer.FillRect(kBarPosition.x, kBarPosition.y,
                         static_cast<int32_t>(std::clamp<int64_t>(width, -1, 1 << 20)), kBarHeight,
                         kBarColour);
    BlitDC(dc, origin_x, origin_y, picture.width, picture.Rows(), *back_buffer.dc, 0, 0);
    RestoreDefaultPalette(dc);
}

void FS_GEN_FORTSCHRITT::OnOk() {
    CGameState& gs = *g_pGameState;
    {
        plat::DcHandle dc = plat::GetWindowDC(*this);
        plat::BitBlt(*dc, 0, 0, gs.screen_width, gs.screen_height, nullptr, 0, 0,
                     plat::RasterOp::Blackness);
        // The game's own palettes back in the screen and in the view's buffer.
        if (gs.images.palette_a) {
            plat::SelectPalette(*dc, gs.images.palette_a, false);
            plat::RealizePalette(*dc);
        }
        if (gs.images.composite_buffer.dc && gs.images.palette_b) {
            plat::SelectPalette(*gs.images.composite_buffer.dc, gs.images.palette_b, false);
            plat::RealizePalette(*gs.images.composite_buffer.dc);
        }
    }
    ShowWindow(SW_HIDE);
}

const ScreenEntry kGenProgressScreenEntry = {
    .slot = FrameScreen::GenProgress,
    .open_message = kMsgOpenGenProgress,
    .done_message = kMsgGenProgressDone,
    .open = [](plat::Window& frame, plat::WParam, plat::LParam) -> plat::Window* {
        auto* screen = new FS_GEN_FORTSCHRITT;
        screen->Show(&frame);
        screen->ShowWindow(SW_SHOW);
        screen->SendMessage(WM_PAINT);
        return screen;
    },
    .before_delete = [](plat::Window&, plat::Window* screen, plat::WParam,
                        plat::LParam) { screen->SendMessage(WM_COMMAND, kCmdOk, 0); },
};
