#include "screens/panel/confirm_screen.h"

#include "gfx/palette.h"
#include "panel/control_panel.h"
#include "platform/gdi.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "view/world_view.h"

namespace {

// The five questions: their picture (and sheet) number and where the answer goes.
struct ConfirmForm {
    ConfirmKind kind;
    int32_t picture;
    int32_t editor_picture;  // 0: the same in the editor
    uint32_t answer_message;
};

constexpr ConfirmForm kForms[] = {
    {.kind = ConfirmKind::Overwrite,
     .picture = 21,
     .editor_picture = 0,
     .answer_message = kMsgOverwriteAnswer},
    {.kind = ConfirmKind::Leave,
     .picture = 22,
     .editor_picture = 0,
     .answer_message = kMsgPanelLeaveDone},
    {.kind = ConfirmKind::NextLevel,
     .picture = 18,
     .editor_picture = 0,
     .answer_message = kMsgPanelNextLevelDone},
    {.kind = ConfirmKind::End,
     .picture = 32,
     .editor_picture = 48,
     .answer_message = kMsgPanelEndConfirmDone},
    {.kind = ConfirmKind::Demolish,
     .picture = 14,
     .editor_picture = 0,
     .answer_message = kMsgPanelDemolitionDone},
};

const ConfirmForm& FormOf(ConfirmKind kind) {
    for (const ConfirmForm& form : kForms) {
        if (form.kind == kind) return form;
    }
    return kForms[0];
}

// OK (yes) first, so that Enter presses it; the sheet holds cancel's faces
// at x 0 and OK's at x 108.
constexpr ButtonLayout kButtons[] = {
    {.x = 148,
     .y = 101,
     .command = kCmdDialogOk,
     .width = 108,
     .height = 40,
     .normal = {108, 0},
     .pressed = {108, 40}},
    {.x = 148,
     .y = 151,
     .command = kCmdDialogCancel,
     .width = 108,
     .height = 40,
     .normal = {0, 0},
     .pressed = {0, 40}},
};

template <ConfirmKind kind>
plat::Window* OpenForPanel(HAUPTDIALOG& panel, const PopupRequest& request) {
    auto* screen = new FS_CONFIRM(kind);
    if (screen->Create(&panel, &panel, request.rect)) return screen;
    delete screen;
    return nullptr;
}

}  // namespace

int32_t FS_CONFIRM::Picture() const {
    const ConfirmForm& form = FormOf(kind_);
    const bool editor = g_pGameState != nullptr && g_pGameState->game_mode == kModeEditor;
    return editor && form.editor_picture != 0 ? form.editor_picture : form.picture;
}

bool FS_CONFIRM::Create(plat::Window* parent, plat::Window* target, const plat::Rect& view) {
    target_ = target;
    return OpenOver(parent, view, {.picture = Picture(), .buttons = kButtons});
}

plat::LResult FS_CONFIRM::OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) {
    if (message == WM_COMMAND) {
        const uint16_t command = plat::LoWord(wParam);
        if (command == kCmdDialogOk || command == kCmdDialogCancel) {
            Answer(command == kCmdDialogOk ? 0 : 1);
            return 0;
        }
    }
    return PanelScreen::OnMessage(message, wParam, lParam);
}

void FS_CONFIRM::Answer(plat::LParam answer) {
    FreeCursor();
    if (IsWindow()) {
        plat::DcHandle dc = plat::GetWindowDC(*this);
        SelectPictureOutputPalette(*dc, nullptr, ScreenPalette());
    }
    // The receiver usually deletes this screen while it handles the answer.
    plat::SendMessage(target_, FormOf(kind_).answer_message, 0, answer);
}

plat::Window* OpenLeaveConfirmation(HAUPTDIALOG& panel, const PopupRequest& request) {
    return OpenForPanel<ConfirmKind::Leave>(panel, request);
}

plat::Window* OpenNextLevelConfirmation(HAUPTDIALOG& panel, const PopupRequest& request) {
    return OpenForPanel<ConfirmKind::NextLevel>(panel, request);
}

plat::Window* OpenEndConfirmation(HAUPTDIALOG& panel, const PopupRequest& request) {
    return OpenForPanel<ConfirmKind::End>(panel, request);
}

plat::Window* OpenDemolitionConfirmation(HAUPTDIALOG& panel, const PopupRequest& request) {
    return OpenForPanel<ConfirmKind::Demolish>(panel, request);
}

FS_CONFIRM* OpenOverwriteConfirmation(plat::Window& save_screen) {
    const CGameState& gs = *g_pGameState;
    plat::Rect view{gs.origin_x, gs.origin_y, gs.origin_x + gs.screen_width,
                    gs.origin_y + gs.screen_height};
    if (g_pSpielFeld != nullptr && g_pSpielFeld->IsWindow()) view = g_pSpielFeld->GetWindowRect();
    auto* screen = new FS_CONFIRM(ConfirmKind::Overwrite);
    if (screen->Create(&save_screen, &save_screen, view)) return screen;
    delete screen;
    return nullptr;
}
