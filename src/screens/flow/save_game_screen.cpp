#include "screens/flow/save_game_screen.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "gfx/blit_dc.h"
#include "gfx/font_tables.h"
#include "gfx/palette.h"
#include "gfx/text.h"
#include "panel/control_panel.h"
#include "platform/gdi.h"
#include "platform/input.h"
#include "screens/flow/flow_screen_layout.h"
#include "screens/flow/load_game_screen.h"
#include "screens/flow/save_slots.h"
#include "screens/panel/confirm_screen.h"
#include "screens/panel/name_field.h"
#include "state/game_state.h"
#include "state/messages.h"

namespace fs = flow_screens;

namespace {

constexpr int32_t kListId = 1019;
constexpr int32_t kFieldId = 1006;
constexpr size_t kDescriptionLimit = 30;
constexpr uint32_t kFieldWidthPixels = 289;
constexpr plat::Rect kListRect{21, 63, 349, 233};
constexpr plat::Rect kFieldRect{9, 278, 349, 298};
constexpr uint8_t kTextColour = 10;

}  // namespace

OverwriteConfirmMaker& OverwriteConfirmScreenMaker() {
    static OverwriteConfirmMaker maker = [](plat::Window& save_screen) -> plat::Window* {
        return OpenOverwriteConfirmation(save_screen);
    };
    return maker;
}

bool DescriptionField::AcceptChar(uint8_t c, std::string_view candidate) const {
    // Letters, digits and spaces the font can draw, as in a name.
    if (!NameField::NameByte(c)) return false;
    const std::string text(candidate);
    return GetTextWidth(text.c_str(), kFont1Advances) <= kFieldWidthPixels;
}

plat::LResult DescriptionField::OnMessage(uint32_t message, plat::WParam wParam,
                                          plat::LParam lParam) {
    if (message != WM_PAINT) return EditControl::OnMessage(message, wParam, lParam);
    BeginPaint();
    EndPaint();
    if (background == nullptr || !background->Loaded() || sheet == nullptr) return 0;
    const plat::Rect client = GetClientRect();
    WinGBitmap line;
    if (!line.Create(*sheet, client.Width(), client.Height())) return 0;
    BlitDC(*line.dc, 0, 0, client.Width(), client.Height(), *background->dc, kFieldRect.left,
           kFieldRect.top);
    const GameImages& images = g_pGameState->images;
    if (images.main_font.Loaded()) {
        const std::string shown = GetText() + "_";  // the cursor mark
        line.DrawText(shown.c_str(), kFont1Advances, 2, 2, images.main_font, 16, 16, kTextColour);
    }
    plat::DcHandle dc = plat::GetWindowDC(*this);
    SelectPictureOutputPalette(*dc, line.dc.get(), sheet->palette);
    BlitDC(*dc, 0, 0, client.Width(), client.Height(), *line.dc, 0, 0);
    RestoreDefaultPalette(*dc);
    return 0;
}

FS_SAVE_GAME::FS_SAVE_GAME() : FlowPopup(kMsgPanelSaveGameDone) {}

FS_SAVE_GAME::~FS_SAVE_GAME() {
    delete confirm;
    delete field;
    delete list;
}

bool FS_SAVE_GAME::Open(HAUPTDIALOG& panel, const PopupRequest& request) {
    panel_ = &panel;
    if (!LoadPictures(fs::kSavePicture, fs::kSaveSheet)) return false;
    if (!CreatePopup(&panel, request.rect, kFileButtons)) return false;
    if (!MakeList(list, kListRect, kListId, kMsgFirstListClicked, fs::kFileStripY)) return false;
    field = new DescriptionField;
    field->background = &background;
    field->sheet = &sheet;
    if (!field->Create(this, kFieldRect, WS_CHILD | WS_VISIBLE, 0, {}, kFieldId)) return false;
    field->SetLimit(kDescriptionLimit);
    FillList();
    ConfineCursor();
    return true;
}

void FS_SAVE_GAME::FillList() {
    list->Clear();
    for (int32_t slot = 0; slot < kSaveSlotCount; ++slot) {
        std::string text;
        if (!ReadDescription(SaveSlotFile(slot, "dir"), text)) text = "Empty";
        list->AddLine(text.c_str());
    }
    list->SelectLine(0);
    TakeRow(0);
}

void FS_SAVE_GAME::TakeRow(int32_t row) {
    selected = row;
    const std::string text = list->GetLine(row);
    const size_t n = std::min(text.size(), sizeof description - 1);
    std::memcpy(description, text.data(), n);
    description[n] = 0;
    description_length = static_cast<int32_t>(n);
    field->SetText(description);
    field->SelectAll();
    field->Invalidate();
    plat::SetFocus(field);
}

void FS_SAVE_GAME::Answer(plat::LParam answer) {
    if (answer == 0 && panel_ != nullptr) {
        panel_->popup_result.slot = selected;
        std::snprintf(panel_->popup_result.text, sizeof panel_->popup_result.text, "%s",
                      description);
    }
    FreeAndAnswer(answer);
}

void FS_SAVE_GAME::OnDialogOk() {
    const size_t n = field->GetText(description, sizeof description);
    description_length = static_cast<int32_t>(n);
    if (!FileOpens(SaveSlotFile(selected, "lvl"))) {
        Answer(0);
        return;
    }
    SendMessage(kMsgOpenOverwriteConfirm);
}

void FS_SAVE_GAME::OpenOverwriteConfirm() {
    if (confirm != nullptr) return;
    // Out of sight while the question is asked.
    const plat::Rect r = GetWindowRect();
    MoveWindow({0, 0, 0, 0});
    OverwriteConfirmMaker maker = OverwriteConfirmScreenMaker();
    confirm = maker != nullptr ? maker(*this) : nullptr;
    if (confirm == nullptr) {
        // Nobody to ask: nothing is overwritten; the screen comes back.
        MoveWindow(r);
    }
}

void FS_SAVE_GAME::OnOverwriteConfirmDone(plat::LParam answer) {
    delete confirm;
    confirm = nullptr;
    Answer(answer == 0 ? 0 : 1);
}

plat::LResult FS_SAVE_GAME::OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) {
    switch (message) {
        case WM_PAINT:
            PaintWithList(list);
            return 0;
        case kMsgFirstListClicked:
            if (list != nullptr && list->last_clicked >= 0) {
                TakeRow(list->last_clicked);
                list->Redraw(true);
            }
            return 0;
        case kMsgOpenOverwriteConfirm:
            OpenOverwriteConfirm();
            return 0;
        case kMsgOverwriteAnswer:
            OnOverwriteConfirmDone(lParam);
            return 0;
        default:
            if (OnDialogMessage(message, wParam)) return 0;
            return DefaultMessage(message, wParam, lParam);
    }
}
