#include "view/scroll_strip.h"

#include "platform/input.h"
#include "state/game_state.h"
#include "view/world_view.h"

namespace {

constexpr int32_t kCorner = 20;
constexpr int32_t kThin = 2;

struct StripInfo {
    plat::CursorId cursor;
    int32_t vertical;    // -1 up, 1 down, 0 none
    int32_t horizontal;  // -1 left, 1 right, 0 none
};

StripInfo Info(StripSide side) {
    switch (side) {
        case StripSide::Top:
            return {153, -1, 0};
        case StripSide::Bottom:
            return {152, 1, 0};
        case StripSide::Left:
            return {151, 0, -1};
        case StripSide::Right:
            return {154, 0, 1};
        case StripSide::TopLeft:
            return {155, -1, -1};
        case StripSide::TopRight:
            return {156, -1, 1};
        case StripSide::BottomLeft:
            return {157, 1, -1};
        default:
            return {158, 1, 1};
    }
}

}  // namespace

plat::Rect ScrollStrip::Place(StripSide side, int32_t x0, int32_t y0, int32_t w, int32_t h) {
    switch (side) {
        case StripSide::Top:
            return {x0 + kCorner, y0, x0 + w - kCorner, y0 + kThin};
        case StripSide::Bottom:
            return {x0 + kCorner, y0 + h - kThin, x0 + w - kCorner, y0 + h};
        case StripSide::Left:
            return {x0, y0 + kCorner, x0 + kThin, y0 + h - kCorner};
        case StripSide::Right:
            return {x0 + w - kThin, y0 + kCorner, x0 + w, y0 + h - kCorner};
        case StripSide::TopLeft:
            return {x0, y0, x0 + kCorner, y0 + kCorner};
        case StripSide::TopRight:
            return {x0 + w - kCorner, y0, x0 + w, y0 + kCorner};
        case StripSide::BottomLeft:
            return {x0, y0 + h - kCorner, x0 + kCorner, y0 + h};
        default:
            return {x0 + w - kCorner, y0 + h - kCorner, x0 + w, y0 + h};
    }
}

bool ScrollStrip::CreateStrip(plat::Window* parent) {
    const CGameState& gs = *g_pGameState;
    const plat::Rect rect =
        Place(side_, gs.origin_x, gs.origin_y, gs.screen_width, gs.screen_height);
    return Create(parent, rect, WS_POPUP | WS_CHILD | WS_VISIBLE,
                  WS_EX_TRANSPARENT | WS_EX_TOPMOST | WS_EX_NOPARENTNOTIFY);
}

plat::CursorId ScrollStrip::ClassCursor() const {
    return Info(side_).cursor;
}

void ScrollStrip::Step(bool page) {
    SPIEL_FELD* view = g_pSpielFeld;
    if (view == nullptr) return;
    const StripInfo info = Info(side_);
    const int32_t speed = page ? 0 : g_pGameState->opt_scroll_speed;
    if (info.vertical != 0) {
        const int32_t code = (info.vertical < 0 ? SB_LINEUP : SB_LINEDOWN) + (page ? 2 : 0);
        view->SendMessage(WM_VSCROLL, plat::MakeWParam(code, speed), 0);
    }
    if (info.horizontal != 0) {
        const int32_t code = (info.horizontal < 0 ? SB_LINELEFT : SB_LINERIGHT) + (page ? 2 : 0);
        view->SendMessage(WM_HSCROLL, plat::MakeWParam(code, speed), 0);
    }
}

void ScrollStrip::StopTimers() {
    KillTimer(kHoverTimer);
    KillTimer(kRepeatTimer);
    hover_timer = 0;
    repeat_timer = 0;
    plat::ReleaseCapture();
}

plat::LResult ScrollStrip::OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) {
    switch (message) {
        case WM_MOUSEMOVE: {
            const plat::Point p{plat::XFromLParam(lParam), plat::YFromLParam(lParam)};
            const plat::Rect client = GetClientRect();
            if (p.x < client.left || p.y < client.top || p.x >= client.right ||
                p.y >= client.bottom) {
                StopTimers();
            } else if (hover_timer == 0) {
                hover_timer = SetTimer(kHoverTimer, 100);
                plat::SetCapture(this);
            }
            return 0;
        }
        case WM_TIMER:
            if (wParam == kRepeatTimer && repeat_timer != 0) {
                Step(false);
                if (g_pSpielFeld != nullptr) g_pSpielFeld->RedrawView();
            } else if (wParam == kHoverTimer && hover_timer != 0) {
                Step(false);
                if (g_pSpielFeld != nullptr) g_pSpielFeld->RedrawView();
                KillTimer(kHoverTimer);
                hover_timer = 0;
                repeat_timer = SetTimer(kRepeatTimer, 10);
                plat::SetCapture(this);
            }
            return 0;
        case WM_RBUTTONDOWN:
            Step(true);
            if (g_pSpielFeld != nullptr && g_pSpielFeld->zoom < kOverviewZoomLevel) {
                g_pSpielFeld->RedrawView();
            }
            break;
        default:
            break;
    }
    return DefaultMessage(message, wParam, lParam);
}
