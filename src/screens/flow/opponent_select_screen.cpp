#include "screens/flow/opponent_select_screen.h"

#include <string>

#include "game/opponent_roster.h"
#include "gfx/blit_dc.h"
#include "gfx/palette.h"
#include "platform/colour.h"
#include "platform/gdi.h"
#include "platform/input.h"
#include "screens/flow/flow_screen_layout.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "state/statistics.h"

namespace fs = flow_screens;

namespace {

constexpr int32_t kPageWidth = 640;
constexpr int32_t kPageHeight = 480;
constexpr uint8_t kEnter = 13;
constexpr int32_t kFramePenWidth = 2;

constexpr ButtonLayout kButtons[] = {{.x = 516,
                                      .y = 424,
                                      .command = kCmdOpponentSelectCancel,
                                      .width = fs::kButtonWidth,
                                      .height = fs::kButtonHeight,
                                      .normal = {0, 0},
                                      .pressed = {0, fs::kPressedFaceY}}};

// The frame colours by a player's colour number.
constexpr plat::ColourRef kFrameColours[4] = {
    plat::PaletteRgb(255, 0, 0), plat::PaletteRgb(90, 198, 90), plat::PaletteRgb(0, 90, 231),
    plat::PaletteRgb(255, 255, 8)};

}  // namespace

FS_SELECT_GEGNER::FS_SELECT_GEGNER() : FullScreen(kMsgOpponentSelectDone) {}

FS_SELECT_GEGNER::~FS_SELECT_GEGNER() {
    if (IsWindow()) Blacken();
    background.Free();
    portraits.Free();
}

bool FS_SELECT_GEGNER::Open(plat::Window* parent) {
    CGameState& gs = *g_pGameState;
    const std::string folder = gs.DataPath(kPathBase);
    if (!background.LoadJgd(folder + "\\" + fs::kOpponentPicture)) return false;
    if (!portraits.LoadJgd(folder + "\\" + fs::kPortraits)) return false;
    if (!sheet.Load(folder + "\\" + fs::kOpponentSheet, nullptr, 1)) return false;
    // Over the world view: a top-most window of its own.
    if (!CreateScreen(
            parent,
            {.area = {kPageWidth, kPageHeight}, .free_cursor = true, .buttons = kButtons})) {
        return false;
    }
    if (gs.screen_width > kPageWidth && gs.images.tile.Loaded()) {
        plat::DcHandle dc = plat::GetWindowDC(*this);
        BlitDCInBlocks(*dc, 0, 0, gs.screen_width, gs.screen_height, *gs.images.tile.dc);
    }
    for (int32_t i = 0; i < fs::kPortraitCount; ++i) {
        const int32_t left = origin_x + fs::kPortraitX;
        const int32_t top = origin_y + fs::kPortraitTop + fs::kPortraitStep * i;
        portrait_rects[i] = {left, top, left + fs::kPortraitWidth, top + fs::kPortraitHeight};
    }
    return true;
}

plat::LResult FS_SELECT_GEGNER::OnMessage(uint32_t message, plat::WParam wParam,
                                          plat::LParam lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_LBUTTONDOWN: {
            const plat::Point p{plat::XFromLParam(lParam), plat::YFromLParam(lParam)};
            for (int32_t i = 0; i < fs::kPortraitCount; ++i) {
                if (portrait_rects[i].Contains(p)) TogglePortrait(i);
            }
            return 0;
        }
        case WM_CHAR:
            if (wParam != kEnter) return 0;
            if (!buttons.empty()) {
                buttons[0]->state = 1;
                buttons[0]->Redraw();
            }
            SendMessage(WM_COMMAND, kCmdOpponentSelectCancel, 0);
            return 0;
        case WM_COMMAND:
            if (plat::LoWord(wParam) == kCmdOpponentSelectCancel) OnOk();
            return 0;
        default:
            return FullScreen::OnMessage(message, wParam, lParam);
    }
}

void FS_SELECT_GEGNER::DrawPortrait(plat::DeviceContext& dc, int32_t i) {
    const plat::Rect& r = portrait_rects[i];
    const int32_t source_y = fs::kPortraitHeight * (2 * i + (picked[i] != 0 ? 0 : 1));
    BlitDC(dc, r.left, r.top, fs::kPortraitWidth, fs::kPortraitHeight, *portraits.dc, 0, source_y);
    if (picked[i] == 0) return;
    for (const Selection& s : selections) {
        if (s.portrait != i + 1) continue;
        const int32_t colour = g_pGameState->player_colors[s.slot + 1] % 4;
        plat::PenHandle pen =
            plat::CreatePen(plat::PenStyle::Solid, kFramePenWidth, kFrameColours[colour]);
        plat::PenHandle old = dc.SelectPen(pen);
        const plat::Point points[] = {{r.left + 1, r.top + 1},
                                      {r.right - 1, r.top + 1},
                                      {r.right - 1, r.bottom - 1},
                                      {r.left + 1, r.bottom - 1},
                                      {r.left + 1, r.top + 1}};
        plat::Polyline(dc, points);
        dc.SelectPen(old);
    }
}

void FS_SELECT_GEGNER::OnPaint() {
    plat::PaintDC dc(*this);
    if (!background.Loaded() || !portraits.Loaded()) return;
    for (int32_t i = 0; i < fs::kPortraitCount; ++i) {
        const int32_t source_y = fs::kPortraitHeight * (2 * i + (picked[i] != 0 ? 0 : 1));
        BlitDC(*background.dc, fs::kPortraitX, fs::kPortraitTop + fs::kPortraitStep * i,
               fs::kPortraitWidth, fs::kPortraitHeight, *portraits.dc, 0, source_y);
    }
    SelectPictureOutputPalette(dc, background.dc.get(), sheet.palette);
    BlitDC(dc, origin_x, origin_y, kPageWidth, kPageHeight, *background.dc, 0, 0);
    // The frames too: a repaint with the pictures alone (another window
    // passing over, the screen shown again) would leave the picks without
    // their frames, and the player could no longer see which portraits are
    // picked or which opponent slot each took.
    for (int32_t i = 0; i < fs::kPortraitCount; ++i) {
        if (picked[i] != 0) DrawPortrait(dc, i);
    }
    RestoreDefaultPalette(dc);
}

void FS_SELECT_GEGNER::TogglePortrait(int32_t i) {
    if (i < 0 || i >= fs::kPortraitCount) return;
    if (picked[i] != 0) {
        for (Selection& s : selections) {
            if (s.portrait != i + 1) continue;
            if (s.slot >= 0 && s.slot < 3) slot_used[s.slot] = 0;
            s = Selection{};
        }
        picked[i] = 0;
        --pick_count;
    } else {
        if (pick_count >= 3) return;
        Selection* record = nullptr;
        for (Selection& s : selections) {
            if (s.portrait == 0) {
                record = &s;
                break;
            }
        }
        int32_t slot = 0;
        while (slot < 3 && slot_used[slot] != 0) ++slot;
        if (record == nullptr || slot >= 3) return;
        slot_used[slot] = 1;
        *record = {slot, i + 1, pick_count};
        picked[i] = 1;
        ++pick_count;
    }
    if (!IsWindow() || !portraits.Loaded()) return;
    plat::DcHandle dc = plat::GetWindowDC(*this);
    SelectPictureOutputPalette(*dc, portraits.dc.get(), sheet.palette);
    DrawPortrait(*dc, i);
    RestoreDefaultPalette(*dc);
}

void FS_SELECT_GEGNER::Picks(int32_t (&picks)[3]) const {
    for (int32_t& p : picks) p = -1;
    for (const Selection& s : selections) {
        if (s.portrait > 0 && s.slot >= 0 && s.slot < 3) picks[s.slot] = s.portrait - 1;
    }
}

void FS_SELECT_GEGNER::OnOk() {
    int32_t picks[3];
    Picks(picks);
    RecreateOpponents(picks);
    for (int32_t i = 0; i < 3; ++i) g_TakeOverCount[i] = 0;
    FinishBlackInWorldPalette(0);
}

const ScreenEntry kOpponentSelectScreenEntry = {
    .slot = FrameScreen::OpponentSelect,
    .open_message = kMsgOpenOpponentSelect,
    .done_message = kMsgOpponentSelectDone,
    .cancel_command = kCmdOpponentSelectCancel,
    .open_steps = kOpenCommon,
    .done_steps = kDoneRelease,
    .open = [](plat::Window& frame, plat::WParam,
               plat::LParam) { return OpenNew<FS_SELECT_GEGNER>(frame); },
};
