#include "screens/flow/logo_screen.h"

#include <string>

#include "gfx/blit_dc.h"
#include "gfx/palette.h"
#include "platform/clock.h"
#include "platform/gdi.h"
#include "state/game_state.h"
#include "state/messages.h"

namespace {

constexpr uint32_t kLogoTimer = 1105;
constexpr uint32_t kLogoTimerPeriod = 10;
constexpr uint8_t kEscape = 27;

struct LogoSize {
    int32_t width, height, duration;
};
constexpr LogoSize kLogos[2] = {{350, 141, 4000}, {320, 98, 3000}};

uint16_t Clock16() {
    return static_cast<uint16_t>(plat::TimeGetTime());
}

}  // namespace

FS_LOGO::~FS_LOGO() {
    KillTimer(kLogoTimer);
    picture.Free();
}

bool FS_LOGO::Open(int32_t index, plat::Window* parent) {
    logo_index = index == 1 ? 1 : 0;
    // The logos always come from the first installation's picture folder.
    const std::string path =
        std::string(g_pGameState->data_paths[0]) + "\\logo" + std::to_string(logo_index) + ".jgd";
    picture.Load(path, nullptr, 1);
    const LogoSize& logo = kLogos[logo_index];
    if (!CreateScreen(parent, {.area = {logo.width, logo.height}})) return false;
    SendMessage(WM_PAINT);
    return true;
}

plat::LResult FS_LOGO::OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_TIMER:
            if (wParam == kLogoTimer) OnTimer();
            break;
        case WM_CHAR:
            if (wParam == kEscape) {
                End();
                return 0;
            }
            break;
        default:
            break;
    }
    return FullScreen::OnMessage(message, wParam, lParam);
}

void FS_LOGO::OnPaint() {
    plat::PaintDC dc(*this);
    SelectPictureOutputPalette(dc, picture.dc.get(), picture.palette);
    const plat::Rect client = GetClientRect();
    plat::BitBlt(dc, 0, 0, client.Width(), client.Height(), nullptr, 0, 0,
                 plat::RasterOp::Blackness);
    timer_id = SetTimer(kLogoTimer, kLogoTimerPeriod);
    if (picture.Loaded()) {
        BlitDC(dc, origin_x, origin_y, kLogos[logo_index].width, kLogos[logo_index].height,
               *picture.dc, 0, 0);
        plat::SelectPalette(*picture.dc, plat::StockDefaultPalette(), false);
    }
    RestoreDefaultPalette(dc);
    start_time = Clock16();
    now = start_time;
    elapsed = 0;
}

void FS_LOGO::OnTimer() {
    now = Clock16();
    elapsed = static_cast<uint16_t>(now - start_time);
    if (elapsed > kLogos[logo_index].duration) End();
}

void FS_LOGO::End() {
    KillTimer(kLogoTimer);
    // The frame closes this logo while handling the request.
    plat::SendMessage(Frame(), kMsgShowStartScreen);
}

const ScreenEntry kLogoScreenEntry = {
    .slot = FrameScreen::Logo,
    .open_message = kMsgOpenLogo,
    .done_message = kMsgLogoDone,
    .open = [](plat::Window& frame, plat::WParam logo, plat::LParam) -> plat::Window* {
        auto* screen = new FS_LOGO;
        if (screen->Open(logo == 1 ? 1 : 0, &frame)) return screen;
        delete screen;
        return nullptr;
    },
};
