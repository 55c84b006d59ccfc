#include "screens/panel/name_entry_screen.h"

#include <cstdio>
#include <cstring>

#include "cities/city.h"
#include "cities/city_manager.h"
#include "economy/building.h"
#include "economy/building_table.h"
#include "panel/control_panel.h"
#include "platform/input.h"
#include "screens/panel/dialog_layout.h"
#include "sound/sound_manager.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "view/world_view.h"

namespace dl = dialog_layout;

namespace {

constexpr int32_t kLastTerminalType = 9;  // depots and stations are types 0..9
constexpr int32_t kNameBytes = 32;        // what OK reads of the field
constexpr int32_t kClosedViewCode = 7;
constexpr plat::WParam kEnter = 13;
constexpr plat::WParam kEscape = 27;

struct NameForm {
    NameKind kind;
    int32_t picture;
    plat::Point ok;
    uint32_t result_message;
};

constexpr NameForm kForms[] = {
    {.kind = NameKind::Company,
     .picture = dl::kCompanyPicture,
     .ok = dl::kCompanyOk,
     .result_message = kMsgPanelCompanyNameDone},
    {.kind = NameKind::Terminal,
     .picture = dl::kTerminalRenamePicture,
     .ok = dl::kRenameOk,
     .result_message = kMsgPanelTerminalRenameDone},
    {.kind = NameKind::City,
     .picture = dl::kCityRenamePicture,
     .ok = dl::kRenameOk,
     .result_message = kMsgPanelCityRenameDone},
};

const NameForm& FormOf(NameKind kind) {
    return kForms[static_cast<int32_t>(kind)];
}

CBuilding* Terminal(int32_t number) {
    CBuilding* b = g_ppBuildings != nullptr ? g_ppBuildings->At(number) : nullptr;
    if (b == nullptr || b->type < 0 || b->type > kLastTerminalType) return nullptr;
    return b->GetName() != nullptr ? b : nullptr;
}

CCity* City(int32_t index) {
    if (g_pCityManager == nullptr || index < 0 || index >= kCitySlots) return nullptr;
    return g_pCityManager->City(index + 1);
}

template <NameKind kind>
plat::Window* OpenKind(HAUPTDIALOG& panel, const PopupRequest& request) {
    auto* screen = new NameEntryScreen(kind);
    if (screen->Open(panel, request)) return screen;
    delete screen;
    return nullptr;
}

}  // namespace

NameEntryScreen::~NameEntryScreen() {
    delete field;
}

bool NameEntryScreen::Open(HAUPTDIALOG& panel, const PopupRequest& request) {
    CGameState& gs = *g_pGameState;
    panel_ = &panel;
    target_ = static_cast<int32_t>(request.lParam);
    std::string name;
    switch (kind_) {
        case NameKind::Company:
            name = gs.company_names[0];
            colour = gs.player_colors[0] & 3;
            break;
        case NameKind::Terminal: {
            CBuilding* terminal = Terminal(target_);
            if (terminal == nullptr) return false;
            name = terminal->GetName();
            break;
        }
        case NameKind::City: {
            CCity* city = City(target_);
            if (city == nullptr) return false;
            name = city->name;
            if (g_pSound != nullptr) g_pSound->ResumeMusic();
            break;
        }
    }
    if (name.size() > kNameLimit) name.resize(kNameLimit);
    const NameForm& form = FormOf(kind_);
    const ButtonLayout ok[] = {{.x = form.ok.x,
                                .y = form.ok.y,
                                .command = kCmdDialogOk,
                                .width = dl::kButtonWidth,
                                .height = dl::kButtonHeight,
                                .normal = {dl::kOkFaceX, 0},
                                .pressed = {dl::kOkFaceX, dl::kPressedFaceY}}};
    if (!OpenOver(&panel, request.rect,
                  {.picture = form.picture, .buttons = ok, .centre_cursor = true})) {
        return false;
    }
    box_.Create(sheet, dl::kMarkSize, dl::kMarkSize);
    field = new NameField;
    if (!field->CreateField(this, dl::kNameField, name, &background, dl::kNameStrip)) {
        delete field;
        field = nullptr;
        return false;
    }
    return true;
}

plat::LResult NameEntryScreen::OnMessage(uint32_t message, plat::WParam wParam,
                                         plat::LParam lParam) {
    switch (message) {
        case WM_COMMAND:
            if (plat::LoWord(wParam) == kCmdDialogOk) {
                OnOk();
                return 0;
            }
            break;
        case WM_LBUTTONDOWN:
            OnLButtonDown({plat::XFromLParam(lParam), plat::YFromLParam(lParam)});
            return 0;
        case WM_CHAR:
            // Escape is answered here (there is nothing to cancel) and never
            // handed to the field, which sends Enter and Escape back to its
            // parent: between the two they would bounce for ever.
            if (wParam == kEscape) return 0;
            // Typed while the screen itself has the focus: the field takes it.
            if (wParam != kEnter && field != nullptr)
                return field->SendMessage(message, wParam, lParam);
            break;
        default:
            break;
    }
    return PanelScreen::OnMessage(message, wParam, lParam);
}

void NameEntryScreen::OnPaint() {
    PanelScreen::OnPaint();
    DrawColourBoxes();
}

void NameEntryScreen::DrawColourBoxes() {
    if (kind_ != NameKind::Company || !box_.Loaded() || !background.Loaded()) return;
    for (int32_t k = 0; k < 4; ++k) {
        const plat::Point p = dl::kColourBoxes[k];
        plat::BitBlt(*box_.dc, 0, 0, dl::kMarkSize, dl::kMarkSize, background.dc.get(), p.x, p.y,
                     plat::RasterOp::SrcCopy);
        box_.BlitImageKeyed(sheet, 0, 0, k == colour ? dl::kMarkChosenX : dl::kMarkOtherX, 0,
                            dl::kMarkSize, dl::kMarkSize);
        Present(box_, p.x, p.y, dl::kMarkSize, dl::kMarkSize, 0, 0);
    }
}

void NameEntryScreen::OnLButtonDown(plat::Point p) {
    if (field != nullptr) plat::SetFocus(field);
    if (kind_ != NameKind::Company) return;
    for (int32_t k = 0; k < 4; ++k) {
        const plat::Point b = dl::kColourBoxes[k];
        const plat::Rect box{b.x, b.y, b.x + dl::kMarkSize, b.y + dl::kMarkSize};
        if (!box.Contains(p)) continue;
        colour = k;
        DrawColourBoxes();
        return;
    }
}

void NameEntryScreen::OnOk() {
    CGameState& gs = *g_pGameState;
    char text[kNameBytes] = {};
    if (field != nullptr) field->GetText(text, sizeof text);
    switch (kind_) {
        case NameKind::Company:
            std::snprintf(panel_->popup_result.text, sizeof panel_->popup_result.text, "%s", text);
            panel_->popup_result.colour = colour;
            break;
        case NameKind::Terminal:
            if (CBuilding* terminal = Terminal(target_)) terminal->SetName(text);
            break;
        case NameKind::City:
            if (CCity* city = City(target_)) {
                std::snprintf(city->name, sizeof city->name, "%s", text);
            }
            break;
    }
    FreeCursor();
    if (g_pSpielFeld != nullptr) g_pSpielFeld->tool = kToolNone;
    gs.pending_view_code = kClosedViewCode;
    // The panel deletes this screen while it handles the result.
    plat::SendMessage(panel_, FormOf(kind_).result_message, 0, 0);
}

bool IsRenamableTerminal(HAUPTDIALOG&, PopupRequest& request) {
    return Terminal(static_cast<int32_t>(request.lParam)) != nullptr;
}

bool IsRenamableCity(HAUPTDIALOG&, PopupRequest& request) {
    return City(static_cast<int32_t>(request.lParam)) != nullptr;
}

plat::Window* OpenCompanyName(HAUPTDIALOG& panel, const PopupRequest& request) {
    return OpenKind<NameKind::Company>(panel, request);
}

plat::Window* OpenTerminalRename(HAUPTDIALOG& panel, const PopupRequest& request) {
    return OpenKind<NameKind::Terminal>(panel, request);
}

plat::Window* OpenCityRename(HAUPTDIALOG& panel, const PopupRequest& request) {
    return OpenKind<NameKind::City>(panel, request);
}
