// The popup protocol: how the control panel opens a pair's screen, closes
// it on its result message, and keeps the waiting popups in a queue.

#include "panel/popup_protocol.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "panel/control_panel.h"
#include "platform/input.h"
#include "screens/flow/city_growth_screen.h"
#include "sound/sound_manager.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "view/world_view.h"
#include "world/tile_marker.h"

namespace {

int32_t Index(PanelPopup slot) {
    return static_cast<int32_t>(slot);
}

// A news popup's 480 x 320 rectangle, centred on the screen.
plat::Rect NewsRect(const CGameState& gs) {
    const int32_t left = gs.origin_x + (gs.screen_width - 480) / 2;
    const int32_t top = gs.origin_y + (gs.screen_height - 320) / 2;
    return {left, top, left + 480, top + 320};
}

// The view's rectangle, in which the other screens centre themselves.
plat::Rect ViewRect(const CGameState& gs) {
    if (g_pSpielFeld != nullptr && g_pSpielFeld->IsWindow()) return g_pSpielFeld->GetWindowRect();
    return {gs.origin_x, gs.origin_y, gs.origin_x + gs.screen_width,
            gs.origin_y + gs.screen_height};
}

}  // namespace

PopupWindows::~PopupWindows() {
    for (plat::Window*& screen : open) delete std::exchange(screen, nullptr);
}

std::array<PopupEntry, kPanelPopupCount> CopyPanelPopupTable() {
    std::array<PopupEntry, kPanelPopupCount> table;
    std::copy_n(PanelPopupTable(), kPanelPopupCount, table.begin());
    return table;
}

CityGrowthMaker& CityGrowthScreenMaker() {
    static CityGrowthMaker maker = OpenCityGrowthScreen;
    return maker;
}

void CancelPendingRoute() {
    SPIEL_FELD* view = g_pSpielFeld;
    if (view == nullptr || view->drag_start_x < 0) return;
    const bool route = view->tool == kToolRoad || view->tool == kToolTrack;
    if (!route && view->tool != kToolDemolish) return;
    // Forgetting the drag start first makes the release build nothing.
    view->drag_start_x = view->drag_start_y = -1;
    if (g_pTileMarker != nullptr) g_pTileMarker->ClearAll();
    view->ClearOverlay();
    if (route) view->SendMessage(WM_LBUTTONUP);
}

plat::Window* HAUPTDIALOG::Popup(PanelPopup slot) const {
    const int32_t i = Index(slot);
    return i >= 0 && i < kPanelPopupCount ? popups_.open[i] : nullptr;
}

void HAUPTDIALOG::SetPopupFactory(PanelPopup slot,
                                  plat::Window* (*open)(HAUPTDIALOG&, const PopupRequest&)) {
    const int32_t i = Index(slot);
    if (i >= 0 && i < kPanelPopupCount) popup_table_[i].open = open;
}

plat::Window* HAUPTDIALOG::Frame() const {
    // The panel belongs to the view, the view to the frame: the top of the chain.
    plat::Window* frame = GetParent();
    while (frame != nullptr && frame->GetParent() != nullptr) frame = frame->GetParent();
    return frame;
}

bool HAUPTDIALOG::OnPopupMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) {
    for (const PopupEntry& entry : popup_table_) {
        if (message == entry.open_message) {
            OpenPopup(entry, wParam, lParam);
            return true;
        }
        if (message == entry.open_message + 1) {
            ClosePopup(entry, wParam, lParam);
            return true;
        }
    }
    return false;
}

void HAUPTDIALOG::OpenPopup(const PopupEntry& entry, plat::WParam wParam, plat::LParam lParam) {
    CGameState& gs = *g_pGameState;
    const int32_t i = Index(entry.slot);
    // A pair whose factory was taken away, and a second request for a
    // screen that may be open once, change nothing.
    if (entry.open == nullptr) return;
    if (popups_.open[i] != nullptr && (entry.flags & kPopupReplaces) == 0) return;
    const bool news = entry.news_kind >= 0 && entry.news_kind < 5;
    if (news && g_pSpielFeld != nullptr &&
        (g_pSpielFeld->tool == kToolRoad || g_pSpielFeld->tool == kToolTrack)) {
        CancelPendingRoute();
    }
    PopupRequest request{news ? NewsRect(gs) : ViewRect(gs), wParam, lParam};
    if (entry.before_open != nullptr && !entry.before_open(*this, request)) return;
    // The old popup of the same kind goes; when it was shown, it no longer
    // holds the screen.
    if (popups_.open[i] != nullptr && DeletePopup(entry)) gs.screen_open = 0;
    request.screen_in_front = gs.screen_open != 0;
    const int32_t old_news_id = news ? gs.news_ids[entry.news_kind] : 0;
    const int32_t was_halted = gs.sim_halted;
    const int32_t was_open = gs.screen_open;
    const int32_t old_redraw = g_pSpielFeld != nullptr ? g_pSpielFeld->redraw_pending : 0;
    if (news) gs.news_ids[entry.news_kind] = static_cast<int32_t>(wParam);
    if ((entry.flags & kPopupHalts) != 0) gs.sim_halted = 1;
    if ((entry.flags & kPopupPausesMusic) != 0 && g_pSound != nullptr) g_pSound->PauseMusic();
    plat::SendMessage(Frame(), kMsgDisableKeys);
    if (g_pSpielFeld != nullptr) g_pSpielFeld->redraw_pending = 0;
    // A queued popup that arrives while another screen is shown waits hidden.
    const bool waits = (entry.flags & kPopupQueued) != 0 && gs.screen_open != 0;
    gs.screen_open = 1;
    popup_result = {};
    // A popup holds the cursor only while it is shown: one that waits
    // hidden leaves the cursor to the screen in front.
    plat::Rect clip;
    const bool clipped = plat::GetClipCursor(&clip);
    plat::Window* screen = entry.open(*this, request);
    if (screen == nullptr) {
        // A screen that could not be made takes back every step of the
        // opening: the player is where the request came from.
        if (news) gs.news_ids[entry.news_kind] = old_news_id;
        gs.sim_halted = was_halted;
        gs.screen_open = was_open;
        if (g_pSpielFeld != nullptr) g_pSpielFeld->redraw_pending = old_redraw;
        if ((entry.flags & kPopupPausesMusic) != 0 && g_pSound != nullptr && was_open == 0) {
            g_pSound->ResumeMusic();
        }
        // A popup its opener left waiting hidden is shown instead.
        if (was_open == 0) ContinueAfterPopup(false);
        return;
    }
    if (waits) {
        screen->ShowWindow(SW_HIDE);
        plat::ClipCursor(clipped ? &clip : nullptr);
    }
    popups_.open[i] = screen;
    popups_.order[i] = ++popups_.serial;
    if (entry.publish != nullptr) entry.publish(*this, screen);
}

bool HAUPTDIALOG::DeletePopup(const PopupEntry& entry) {
    const int32_t i = Index(entry.slot);
    plat::Window* screen = std::exchange(popups_.open[i], nullptr);
    if (screen == nullptr) return false;
    const bool shown = screen->IsWindowVisible();
    if (entry.publish != nullptr) entry.publish(*this, nullptr);
    delete screen;
    return shown;
}

void HAUPTDIALOG::ClosePopup(const PopupEntry& entry, plat::WParam wParam, plat::LParam lParam) {
    CGameState& gs = *g_pGameState;
    // A result for a screen that is not open (a repeated message) does nothing.
    if (popups_.open[Index(entry.slot)] == nullptr) return;
    DeletePopup(entry);
    gs.screen_open = 0;
    if (g_pSpielFeld != nullptr) g_pSpielFeld->redraw_pending = 1;
    if ((entry.flags & kPopupHalts) != 0) gs.sim_halted = 0;
    if (entry.news_kind >= 0 && gs.level_start_pending != 0) {
        // The first popup closed after a level start hands the music back.
        if (g_pSound != nullptr) {
            g_pSound->ResumeEffects();
            g_pSound->music_playing = 1;
            g_pSound->OnMusicNotify();
        }
        gs.level_start_pending = 0;
    }
    if (entry.result != nullptr) entry.result(*this, wParam, lParam);
    // A result that ended the game took the panel with it; one that opened
    // another screen leaves it shown.
    if (IsWindow() && gs.screen_open == 0) {
        ContinueAfterPopup((entry.flags & kPopupShowsWaiting) != 0);
    }
}

void HAUPTDIALOG::ContinueAfterPopup(bool shows_waiting) {
    // A popup left on the screen is not touched: it took the cursor when it
    // was shown, and it may since have moved out of sight to ask a question
    // of its own. A waiting one is shown in front of it only when the news
    // queue moves on; a save or a load closed over the year's accounts
    // leaves them in front. Nothing waits hidden behind no popup at all.
    const auto open = [](const plat::Window* screen) { return screen != nullptr; };
    const auto shown = [](const plat::Window* screen) {
        return screen != nullptr && screen->IsWindowVisible();
    };
    if (std::none_of(std::begin(popups_.open), std::end(popups_.open), open)) {
        plat::SendMessage(Frame(), kMsgEnableKeys);
        return;
    }
    if (shows_waiting || std::none_of(std::begin(popups_.open), std::end(popups_.open), shown)) {
        ShowHiddenPopup();
    }
    ReturnKeysToShownPopup();
}

void HAUPTDIALOG::ReturnKeysToShownPopup() {
    // The closed popup had the keys, and they fell back to the panel: the
    // newest popup still on the screen takes them (only the keys: it holds
    // the cursor as it did). One moved out of sight keeps out of it.
    if (plat::GetFocus() != this) return;
    int32_t newest = -1;
    for (int32_t i = 0; i < kPanelPopupCount; ++i) {
        const plat::Window* screen = popups_.open[i];
        if (screen == nullptr || !screen->IsWindowVisible() || screen->GetWindowRect().IsEmpty()) {
            continue;
        }
        if (newest < 0 || popups_.order[i] > popups_.order[newest]) newest = i;
    }
    if (newest >= 0) plat::SetFocus(popups_.open[newest]);
}

void HAUPTDIALOG::ShowHiddenPopup() {
    int32_t oldest = -1;
    for (int32_t i = 0; i < kPanelPopupCount; ++i) {
        const plat::Window* screen = popups_.open[i];
        if (screen == nullptr || screen->IsWindowVisible()) continue;
        if ((popup_table_[i].flags & kPopupQueued) == 0) continue;
        if (oldest < 0 || popups_.order[i] < popups_.order[oldest]) oldest = i;
    }
    if (oldest < 0) return;
    plat::Window* screen = popups_.open[oldest];
    screen->ShowWindow(SW_SHOW);
    screen->Invalidate();
    screen->UpdateWindow();
    g_pGameState->screen_open = 1;
    // The news heading's list marks the news still waiting.
    if (current_heading == 8) OnPanelCommand(kCmdHeadingFirst + 8);
}
