// The one mechanism by which the main frame opens and closes its screens,
// and the two ways it closes several at once (abort, information windows).

#include "app/app_globals.h"
#include "app/main_frame.h"
#include "panel/control_panel.h"
#include "platform/app.h"
#include "platform/clock.h"
#include "platform/random.h"
#include "sound/sound_manager.h"
#include "state/game_state.h"
#include "state/messages.h"

namespace {

int32_t Index(FrameScreen slot) {
    return static_cast<int32_t>(slot);
}

}  // namespace

int32_t NextTrackDelay() {
    return (plat::Rand() % 16 + 15) * 1000;
}

plat::Window* HAUPTFENSTER::Screen(FrameScreen slot) const {
    const int32_t i = Index(slot);
    return i >= 0 && i < kFrameScreenCount ? screens_[i] : nullptr;
}

void HAUPTFENSTER::AddScreen(const ScreenEntry& entry) {
    screen_table_.push_back(entry);
}

bool HAUPTFENSTER::OpensScreen(uint32_t message) const {
    for (const ScreenEntry& entry : screen_table_) {
        if (entry.open_message == message && entry.open != nullptr) return true;
    }
    return false;
}

const ScreenEntry* HAUPTFENSTER::EntryFor(FrameScreen slot) const {
    for (auto it = screen_table_.rbegin(); it != screen_table_.rend(); ++it) {
        if (it->slot == slot) return &*it;
    }
    return nullptr;
}

bool HAUPTFENSTER::OpenScreen(const ScreenEntry& entry, plat::WParam wParam, plat::LParam lParam) {
    const int32_t i = Index(entry.slot);
    if (i < 0 || i >= kFrameScreenCount || entry.open == nullptr) return false;
    if (screens_[i] != nullptr) {
        // One screen per slot: a second request only shows it again (where
        // the screen asks for that) and never replaces the open one.
        if ((entry.open_steps & kOpenShowAgain) != 0) {
            screens_[i]->ShowWindow(SW_SHOW);
            screens_[i]->UpdateWindow();
        }
        return true;
    }
    CGameState* gs = g_pGameState;
    const OpenStepsTaken before{accelerators != nullptr, gs != nullptr ? gs->screen_open : 0,
                                g_pHauptDialog != nullptr ? g_pHauptDialog->screen_open_flag : 0};
    if ((entry.open_steps & kOpenDropKeys) != 0) DropKeys();
    if ((entry.open_steps & kOpenMarkOpen) != 0) {
        if (gs != nullptr) gs->screen_open = 1;
        if (g_pHauptDialog != nullptr) g_pHauptDialog->screen_open_flag = 1;
    }
    if ((entry.open_steps & kOpenSilence) != 0 && g_pSound != nullptr) {
        g_pSound->StopEffects();
        g_pSound->PauseMusic();
    }
    if (entry.before_open != nullptr) entry.before_open(*this, wParam, lParam);
    // Stored only once it is open: a failure inside the opening (a missing
    // picture that aborts the program) never finds a half-made screen.
    plat::Window* screen = entry.open(*this, wParam, lParam);
    if (screen == nullptr) {
        UndoOpenSteps(entry.open_steps, before);
        return false;
    }
    if (screens_[i] != nullptr) {  // opened again while it was opening
        delete screen;
        return true;
    }
    screens_[i] = screen;
    if (entry.publish != nullptr) entry.publish(screen);
    return true;
}

void HAUPTFENSTER::UndoOpenSteps(uint32_t steps, const OpenStepsTaken& before) {
    // The program may have ended inside the failed opening (a missing
    // picture the player cancelled): nothing is given back then.
    if (plat::QuitRequested()) return;
    if ((steps & kOpenDropKeys) != 0 && before.keys) LoadKeys();
    if ((steps & kOpenMarkOpen) != 0) {
        if (g_pGameState != nullptr) g_pGameState->screen_open = before.screen_open;
        if (g_pHauptDialog != nullptr) g_pHauptDialog->screen_open_flag = before.panel_flag;
    }
    // The sound comes back unless another screen still holds it.
    if ((steps & kOpenSilence) != 0 && before.screen_open == 0 && g_pSound != nullptr) {
        g_pSound->ResumeEffects();
        g_pSound->ResumeMusic();
    }
    open_failed_ = true;
}

void HAUPTFENSTER::CloseScreen(const ScreenEntry& entry, plat::WParam wParam, plat::LParam lParam) {
    const int32_t i = Index(entry.slot);
    if (i < 0 || i >= kFrameScreenCount) return;
    if (entry.before_delete != nullptr && screens_[i] != nullptr) {
        entry.before_delete(*this, screens_[i], wParam, lParam);
    }
    DeleteScreen(entry.slot);
    const uint32_t steps = entry.done_steps;
    if ((steps & kDoneRelease) != 0) ReleaseScreen();
    if ((steps & (kDoneNextTrack | kDoneResumeMusic)) != 0) {
        ResumeAfterScreen((steps & kDoneResumeMusic) != 0);
    } else if ((steps & kDoneLoadKeys) != 0) {
        LoadKeys();
    }
    if (entry.after_done != nullptr) entry.after_done(*this, wParam, lParam);
    if ((steps & kDoneShowTitle) != 0) SendMessage(kMsgShowStartScreen);
}

void HAUPTFENSTER::DeleteScreen(FrameScreen slot) {
    const int32_t i = Index(slot);
    if (i < 0 || i >= kFrameScreenCount || screens_[i] == nullptr) return;
    plat::Window* screen = screens_[i];
    // The slot is cleared first: the screen's destructor may send messages.
    screens_[i] = nullptr;
    if (const ScreenEntry* entry = EntryFor(slot); entry != nullptr && entry->publish != nullptr) {
        entry->publish(nullptr);
    }
    delete screen;
}

void HAUPTFENSTER::ReleaseScreen() {
    if (g_pHauptDialog != nullptr) g_pHauptDialog->screen_open_flag = 0;
    if (g_pGameState != nullptr) g_pGameState->screen_open = 0;
    if (g_pHauptDialog != nullptr) g_pHauptDialog->ShowHiddenPopup();
}

void HAUPTFENSTER::ResumeAfterScreen(bool resume_music) {
    if (g_pSound != nullptr) {
        g_pSound->ResumeEffects();
        if (resume_music) {
            g_pSound->ResumeMusic();
        } else {
            g_pSound->music_wait = NextTrackDelay();
            g_NowTime = plat::TimeGetTime();
            g_MusicTime = g_NowTime;
        }
    }
    LoadKeys();
}

uint16_t HAUPTFENSTER::CancelCommand(FrameScreen slot) const {
    const ScreenEntry* entry = EntryFor(slot);
    return entry != nullptr ? entry->cancel_command : 0;
}

void HAUPTFENSTER::NotifyScreen(FrameScreen slot, FrameNotice notice) {
    plat::Window* screen = Screen(slot);
    const ScreenEntry* entry = EntryFor(slot);
    if (screen != nullptr && entry != nullptr && entry->notify != nullptr) {
        entry->notify(screen, notice);
    }
}

void HAUPTFENSTER::RequestScreen(uint32_t message) {
    // A title choice whose screen cannot be made goes back to the title.
    open_failed_ = !OpensScreen(message);
    if (!open_failed_) SendMessage(message);
    if (open_failed_) SendMessage(kMsgShowStartScreen);
}

void HAUPTFENSTER::OnAbort() {
    DeleteScreen(FrameScreen::GenProgress);
    DeleteScreen(FrameScreen::Tutorial);
    DeleteScreen(FrameScreen::Logo);
    // The screens that may be open, in this order, get their cancel command;
    // their done handlers close them. A screen without a window is deleted.
    for (int32_t i = Index(FrameScreen::Start); i <= Index(FrameScreen::StoreSales); ++i) {
        const auto slot = static_cast<FrameScreen>(i);
        plat::Window* screen = screens_[i];
        if (screen == nullptr) continue;
        if (plat::IsWindow(screen)) {
            screen->SendMessage(WM_COMMAND, CancelCommand(slot), 0);
        } else {
            DeleteScreen(slot);
        }
    }
    SendMessage(WM_CLOSE);
}

void HAUPTFENSTER::CloseInfoWindows() {
    for (FrameScreen slot :
         {FrameScreen::Schedule, FrameScreen::ProductHelp, FrameScreen::RailPurchase,
          FrameScreen::TruckPurchase, FrameScreen::BuildingPurchase, FrameScreen::Depot,
          FrameScreen::Production, FrameScreen::Statistics}) {
        plat::SendMessage(Screen(slot), WM_COMMAND, CancelCommand(slot), 0);
    }
    // The sales statistics close the store's sales screen with them, through
    // its OK: what was set there before the statistics opened is kept. A
    // sales screen open on its own gets its cancel and keeps nothing.
    if (Screen(FrameScreen::SalesStatistics) != nullptr) {
        plat::SendMessage(Screen(FrameScreen::SalesStatistics), WM_COMMAND,
                          CancelCommand(FrameScreen::SalesStatistics), 0);
    } else {
        plat::SendMessage(Screen(FrameScreen::StoreSales), WM_COMMAND,
                          CancelCommand(FrameScreen::StoreSales), 0);
    }
    if (g_pHauptDialog != nullptr) g_pHauptDialog->screen_open_flag = 0;
}

void HAUPTFENSTER::DeleteGameScreens() {
    // An overview stays open while the game runs on, so a level's result
    // screen can come over it; the game's end must not leave it behind the
    // next game's world view.
    for (FrameScreen slot :
         {FrameScreen::Schedule, FrameScreen::ProductHelp, FrameScreen::RailPurchase,
          FrameScreen::TruckPurchase, FrameScreen::BuildingPurchase, FrameScreen::Depot,
          FrameScreen::Production, FrameScreen::Statistics, FrameScreen::StoreSales,
          FrameScreen::SalesStatistics, FrameScreen::StoreOverview, FrameScreen::FactoryOverview,
          FrameScreen::VehicleOverview}) {
        DeleteScreen(slot);
    }
}
