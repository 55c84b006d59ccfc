#include "screens/flow/load_game_screen.h"

#include <string>

#include "panel/control_panel.h"
#include "platform/input.h"
#include "screens/flow/flow_screen_layout.h"
#include "screens/flow/save_slots.h"
#include "state/game_state.h"
#include "state/messages.h"

namespace fs = flow_screens;

namespace {

constexpr int32_t kListId = 1019;
constexpr plat::Rect kListRect{21, 63, 349, 250};

}  // namespace

const ButtonLayout kFileButtons[2] = {PopupButton(44, kCmdDialogOk, 108),
                                      PopupButton(212, kCmdDialogCancel, 0)};

FS_LOAD_GAME::FS_LOAD_GAME() : FlowPopup(kMsgPanelLoadGameDone) {
    for (int32_t& slot : slot_map) slot = -1;
}

FS_LOAD_GAME::~FS_LOAD_GAME() {
    delete list;
}

bool FS_LOAD_GAME::Open(HAUPTDIALOG& panel, const PopupRequest& request) {
    panel_ = &panel;
    selected = 0;
    if (!LoadPictures(fs::kLoadPicture, fs::kLoadSheet)) return false;
    if (!CreatePopup(&panel, request.rect, kFileButtons)) return false;
    if (!MakeList(list, kListRect, kListId, kMsgFirstListClicked, fs::kFileStripY)) return false;
    FillList();
    ConfineCursor();
    plat::SetFocus(this);
    return true;
}

void FS_LOAD_GAME::FillList() {
    for (int32_t& slot : slot_map) slot = -1;
    list->Clear();
    const bool editor = g_pGameState->game_mode == kModeEditor;
    for (int32_t slot = 0; slot < kSaveSlotCount; ++slot) {
        std::string description;
        // A description without its level cannot be loaded.
        if (SlotLoadable(slot) && ReadDescription(SaveSlotFile(slot, "dir"), description)) {
            slot_map[list->LineCount()] = slot;
            list->AddLine(description.c_str());
        } else if (!editor) {
            list->AddLine("Empty");
        }
    }
    if (SlotLoadable(kAutosaveSlot)) {
        slot_map[list->LineCount()] = kAutosaveSlot;
        list->AddLine("AUTOSAVE");
    }
    list->SelectLine(0);
}

void FS_LOAD_GAME::OnDialogOk() {
    if (selected < 0 || selected >= static_cast<int32_t>(std::size(slot_map))) return;
    const int32_t slot = slot_map[selected];
    if (slot < 0) return;  // an "Empty" row
    selected = slot;
    if (panel_ != nullptr) panel_->popup_result.slot = slot;
    FreeAndAnswer(0);
}

plat::LResult FS_LOAD_GAME::OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) {
    switch (message) {
        case WM_PAINT:
            PaintWithList(list);
            return 0;
        case kMsgFirstListClicked:
            if (list != nullptr) {
                selected = list->last_clicked;
                list->Redraw(true);
            }
            return 0;
        default:
            if (OnDialogMessage(message, wParam)) return 0;
            return DefaultMessage(message, wParam, lParam);
    }
}
