// Commands the main frame handles itself, and the notifications it passes
// on to the open screens.

#include "app/app_globals.h"
#include "app/main_frame.h"
#include "economy/building.h"
#include "economy/building_table.h"
#include "platform/clock.h"
#include "platform/input.h"
#include "sound/sound_manager.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "state/world_images.h"
#include "view/world_view.h"

namespace {

constexpr int32_t kFirstGameTrack = 5;  // CD tracks below are title and screen music

struct CommandRange {
    uint16_t first;
    uint16_t last;
    void (*handler)(HAUPTFENSTER& frame, uint16_t command);
};

void Swallow(HAUPTFENSTER&, uint16_t) {}

// The frame's commands. Keys whose commands the frame swallows come from
// the accelerator table; their work is done elsewhere.
const CommandRange kCommands[] = {
    {kCmdRotateOrientation, kCmdRotateOrientation,
     [](HAUPTFENSTER& frame, uint16_t) { frame.OnRotateOrientation(); }},
    {kCmdOrientationNorth, kCmdOrientationWest,
     [](HAUPTFENSTER& frame, uint16_t command) {
         frame.SetBuildOrientation(command - kCmdOrientationNorth);
     }},
    {kCmdToggleAnimations, kCmdToggleAnimations,
     [](HAUPTFENSTER& frame, uint16_t) { frame.OnToggleAnimations(); }},
    {999, 999, Swallow},
    {40015, 40015, Swallow},
    {40030, 40030, Swallow},
    {40105, 40105, Swallow},
    {40176, 40185, Swallow},
    {40192, 40194, Swallow},
    {40201, 40202, Swallow},
    {40210, 40212, Swallow},
    {40314, 40314, Swallow},
    {40317, 40317, Swallow},
};

// The animated building types and the animation set each shows while the
// animations are switched on.
struct AnimatedType {
    int32_t type;
    int32_t animation;
};
constexpr AnimatedType kAnimatedTypes[] = {
    {11, 2}, {12, 1}, {13, 0}, {15, 4}, {17, 3}, {18, 5}, {28, 8}, {29, 9}, {30, 10}, {31, 11},
};

// Gives the view the animation of every animated building of the table.
void RegisterBuildingAnimations(SPIEL_FELD& view) {
    if (g_ppBuildings == nullptr) return;
    for (const CBuilding* b : g_ppBuildings->buildings) {
        if (b == nullptr) continue;
        for (const AnimatedType& a : kAnimatedTypes) {
            if (a.type == b->type) view.AddAnimation(b->anchor_x, b->anchor_y, a.animation);
        }
    }
}

// Depots (0) and stations (6) are the building types with an orientation.
bool HasOrientation(int32_t building_type) {
    return building_type == 0 || building_type == 6;
}

}  // namespace

bool HAUPTFENSTER::OnCommand(uint16_t command) {
    if (OnKeyCommand(command)) return true;
    for (const CommandRange& c : kCommands) {
        if (command >= c.first && command <= c.last) {
            c.handler(*this, command);
            return true;
        }
    }
    return false;
}

void HAUPTFENSTER::OnRotateOrientation() {
    CGameState* gs = g_pGameState;
    if (gs == nullptr) return;
    gs->build_orientation =
        HasOrientation(gs->selected_building_type) ? (gs->build_orientation + 1) % 4 : 0;
    RepickViewField();
}

void HAUPTFENSTER::SetBuildOrientation(int32_t orientation) {
    CGameState* gs = g_pGameState;
    if (gs == nullptr) return;
    gs->build_orientation = HasOrientation(gs->selected_building_type) ? orientation : 0;
    RepickViewField();
}

void HAUPTFENSTER::RepickViewField() {
    SPIEL_FELD* view = g_pSpielFeld;
    if (view == nullptr) return;
    view->cursor_x = -1;
    view->cursor_y = -1;
    view->prev_cursor_x = -1;
    view->prev_cursor_y = -1;
    const plat::Point cursor = view->ScreenToClient(plat::GetCursorPos());
    view->SendMessage(WM_MOUSEMOVE, 0, plat::MakeLParam(cursor.x, cursor.y));
}

void HAUPTFENSTER::OnToggleAnimations() {
    CGameState* gs = g_pGameState;
    if (gs == nullptr) return;
    gs->opt_animations = gs->opt_animations != 0 ? 0 : 1;
    if (g_pSpielFeld != nullptr) {
        // The world's pictures are loaded while a view exists: the animated
        // sheets and building variants come or go with the option.
        if (gs->opt_animations == 0) {
            for (WinGBitmap& sheet : gs->images.animation_sets) sheet.Free();
            g_pSpielFeld->ClearAnimations();
        }
        LoadObjectImages();
        // A picture that could not be loaded may have ended the game meanwhile.
        if (gs->opt_animations != 0 && g_pSpielFeld != nullptr) {
            RegisterBuildingAnimations(*g_pSpielFeld);
        }
    }
    MarkAllFieldsChanged();
    gs->redraw_terrain = 1;
    gs->redraw_objects = 1;
    if (g_pSpielFeld != nullptr) g_pSpielFeld->RedrawView();
    if (g_pSound != nullptr) g_pSound->ResumeMusic();
}

void HAUPTFENSTER::OnGameTick() {
    NotifyScreen(FrameScreen::StoreOverview, FrameNotice::GameTick);
}

void HAUPTFENSTER::OnFactoryOverviewTick() {
    if (Screen(FrameScreen::FactoryOverview) == nullptr) return;
    if (g_AnimPending == 0) {
        g_AnimPending = 1;
    } else if (g_AnimPending == 2) {
        NotifyScreen(FrameScreen::FactoryOverview, FrameNotice::AnimationsChanged);
        g_AnimPending = 0;
    }
}

void HAUPTFENSTER::OnCashChanged() {
    for (FrameScreen slot :
         {FrameScreen::RailPurchase, FrameScreen::TruckPurchase, FrameScreen::BuildingPurchase}) {
        plat::Window* screen = Screen(slot);
        if (screen != nullptr && screen->IsWindowVisible()) {
            NotifyScreen(slot, FrameNotice::CashChanged);
        }
    }
}

void HAUPTFENSTER::OnMciNotify(plat::WParam code) {
    if (code != kMciNotifySuccessful || g_pSound == nullptr) return;
    if (g_pSound->current_track < kFirstGameTrack) return;
    g_pSound->music_wait = NextTrackDelay();
    g_NowTime = plat::TimeGetTime();
    g_MusicTime = g_NowTime;
}
