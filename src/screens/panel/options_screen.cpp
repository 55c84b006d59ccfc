#include "screens/panel/options_screen.h"

#include "panel/control_panel.h"
#include "screens/panel/dialog_layout.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "state/tree_images.h"
#include "state/world_images.h"
#include "view/world_view.h"

namespace dl = dialog_layout;

namespace {

constexpr int32_t kClosedViewCode = 7;
constexpr int32_t kScrollSpeeds[3] = {1, 2, 4};

constexpr ButtonLayout kButtons[] = {
    {.x = dl::kOptionsOk.x,
     .y = dl::kOptionsOk.y,
     .command = kCmdDialogOk,
     .width = dl::kButtonWidth,
     .height = dl::kButtonHeight,
     .normal = {dl::kOkFaceX, 0},
     .pressed = {dl::kOkFaceX, dl::kPressedFaceY}},
    {.x = dl::kOptionsCancel.x,
     .y = dl::kOptionsCancel.y,
     .command = kCmdDialogCancel,
     .width = dl::kButtonWidth,
     .height = dl::kButtonHeight,
     .normal = {dl::kCancelFaceX, 0},
     .pressed = {dl::kCancelFaceX, dl::kPressedFaceY}},
};

// The rows of the picture: the switch each of the first seven flips.
constexpr OptionField kSwitchRows[7] = {kOptMusic,       kOptVehicleSounds, kOptAmbientSounds,
                                        kOptCityTraffic, kOptAnimations,    kOptSeasons,
                                        kOptAutosave};

// A changed switch goes through the command a panel entry would send.
struct SwitchCommand {
    OptionField field;
    uint16_t command;
    bool to_frame;  // the main frame's command, else the panel's
};
constexpr SwitchCommand kCommands[] = {
    {.field = kOptMusic, .command = kCmdMusic, .to_frame = false},
    {.field = kOptVehicleSounds, .command = kCmdVehicleSounds, .to_frame = false},
    {.field = kOptAmbientSounds, .command = kCmdAmbientSounds, .to_frame = false},
    {.field = kOptCityTraffic, .command = kCmdCityTraffic, .to_frame = false},
    {.field = kOptAutosave, .command = kCmdAutosave, .to_frame = false},
    {.field = kOptAnimations, .command = kCmdToggleAnimations, .to_frame = true},
};

std::array<int32_t*, kOptionFieldCount> Fields(CGameState& gs) {
    return {&gs.show_city_buildings, &gs.show_city_names,    &gs.show_building_names,
            &gs.show_production,     &gs.show_trees,         &gs.show_grid,
            &gs.opt_animations,      &gs.panel_side,         &gs.opt_music,
            &gs.opt_vehicle_sounds,  &gs.opt_ambient_sounds, &gs.opt_seasons,
            &gs.opt_city_traffic,    &gs.opt_autosave,       nullptr};
}

}  // namespace

bool OptionsScreen::Open(HAUPTDIALOG& panel, const PopupRequest& request) {
    CGameState& gs = *g_pGameState;
    panel_ = &panel;
    const auto fields = Fields(gs);
    for (int32_t i = 0; i < kOptScrollSpeed; ++i) copy[i] = *fields[i];
    copy[kOptScrollSpeed] = gs.opt_scroll_speed;
    if (!OpenOver(&panel, request.rect,
                  {.picture = dl::kOptionsPicture, .buttons = kButtons, .centre_cursor = true})) {
        return false;
    }
    work_.Create(sheet, width, height);
    return true;
}

plat::LResult OptionsScreen::OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) {
    if (message == WM_LBUTTONDOWN) {
        const int32_t x = plat::XFromLParam(lParam);
        const int32_t y = plat::YFromLParam(lParam);
        const int32_t bottom = dl::kOptionRowTop + dl::kOptionRows * dl::kOptionRowHeight;
        if (x >= dl::kOptionLeft && x < width && y >= dl::kOptionRowTop && y < bottom) {
            OnRow((y - dl::kOptionRowTop) / dl::kOptionRowHeight);
        }
        return 0;
    }
    if (message == WM_COMMAND) {
        const uint16_t command = plat::LoWord(wParam);
        if (command == kCmdDialogOk || command == kCmdDialogCancel) {
            Finish(command == kCmdDialogOk);
            return 0;
        }
    }
    return PanelScreen::OnMessage(message, wParam, lParam);
}

void OptionsScreen::OnRow(int32_t row) {
    if (row < 7) {
        int32_t& option = copy[kSwitchRows[row]];
        option = option != 0 ? 0 : 1;
    } else {
        copy[kOptScrollSpeed] = kScrollSpeeds[row - 7];
    }
    DrawMarks();
}

void OptionsScreen::OnPaint() {
    PanelScreen::OnPaint();
    DrawMarks();
}

void OptionsScreen::DrawMarks() {
    if (!work_.Loaded() || !background.Loaded()) return;
    plat::BitBlt(*work_.dc, 0, 0, width, height, background.dc.get(), 0, 0,
                 plat::RasterOp::SrcCopy);
    for (int32_t row = 0; row < dl::kOptionRows; ++row) {
        const bool on =
            row < 7 ? copy[kSwitchRows[row]] != 0 : copy[kOptScrollSpeed] == kScrollSpeeds[row - 7];
        if (!on) continue;
        const plat::Point p = dl::kOptionMarks[row];
        work_.BlitImageKeyed(sheet, p.x, p.y, dl::kMarkChosenX, 0, dl::kMarkSize, dl::kMarkSize);
    }
    Present(work_, 0, 0, width, height, 0, 0);
}

void OptionsScreen::Finish(bool ok) {
    CGameState& gs = *g_pGameState;
    FreeCursor();
    if (ok) {
        const auto fields = Fields(gs);
        for (const SwitchCommand& c : kCommands) {
            // A command whose picture failed to load may have ended the game.
            if (!plat::IsWindow(panel_)) break;
            if (copy[c.field] == *fields[c.field]) continue;
            plat::Window* receiver = c.to_frame ? panel_->Frame() : panel_;
            plat::SendMessage(receiver, WM_COMMAND, c.command, 0);
        }
        if (copy[kOptSeasons] != gs.opt_seasons) {
            gs.opt_seasons = copy[kOptSeasons];
            void (*reload)() = GetWorldImageHooks().load_tree_images;
            reload != nullptr ? reload() : LoadTreeImages();
            gs.redraw_objects = 1;
            if (g_pSpielFeld != nullptr) g_pSpielFeld->RedrawView();
        }
        for (int32_t i = 0; i < kOptScrollSpeed; ++i) *fields[i] = copy[i];
        gs.opt_scroll_speed = static_cast<uint8_t>(copy[kOptScrollSpeed]);
    }
    if (g_pSpielFeld != nullptr) g_pSpielFeld->tool = kToolNone;
    gs.pending_view_code = kClosedViewCode;
    // The panel deletes this screen while it handles the result.
    plat::SendMessage(panel_, kMsgPanelOptionsDone, 0, ok ? 0 : 1);
}

plat::Window* OpenOptions(HAUPTDIALOG& panel, const PopupRequest& request) {
    return OpenPopupScreen<OptionsScreen>(panel, request);
}
