#include "screens/flow/flow_popup.h"

#include "gfx/blit_dc.h"
#include "gfx/palette.h"
#include "panel/list_box.h"
#include "platform/gdi.h"
#include "platform/input.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "view/world_view.h"

namespace {

constexpr uint8_t kEnter = 13;

}  // namespace

std::string BaseDataFile(const char* name) {
    return std::string(g_pGameState->DataPath(kPathBase)) + "\\" + name;
}

FlowPopup::~FlowPopup() {
    buttons.clear();
    background.Free();
    sheet.Free();
    // Only a popup on the screen holds the cursor. One deleted while its own
    // answer runs is destroyed at once and freed here later, when the next
    // popup may have been shown and holds the cursor: it freed it before
    // answering.
    if (IsWindow() && IsWindowVisible()) FreeCursor();
    DestroyWindow();
}

bool FlowPopup::LoadPictures(const char* picture, const char* sheet_name) {
    if (!background.LoadJgd(BaseDataFile(picture))) return false;
    return sheet.Load(BaseDataFile(sheet_name), nullptr, 1);
}

bool FlowPopup::CreatePopup(plat::Window* owner, const plat::Rect& view,
                            std::span<const ButtonLayout> layouts, bool visible) {
    owner_ = owner;
    const int32_t w = background.width;
    const int32_t h = background.Rows();
    const int32_t left = view.left + (view.Width() - w) / 2;
    const int32_t top = (view.Height() - h) / 2;
    const uint32_t style = WS_POPUP | WS_BORDER | (visible ? WS_VISIBLE : 0u);
    if (!Create(owner, {left, top, left + w + 2, top + h + 2}, style, WS_EX_TOPMOST)) return false;
    for (const ButtonLayout& layout : layouts) {
        auto button = std::make_unique<BUTTONS>();
        button->CreateFromImage(layout, this, sheet);
        buttons.push_back(std::move(button));
    }
    return true;
}

plat::Rect FlowPopup::WorldViewRect(const plat::Rect& fallback) {
    if (g_pSpielFeld != nullptr && g_pSpielFeld->IsWindow()) return g_pSpielFeld->GetWindowRect();
    return fallback;
}

void FlowPopup::ConfineCursor() {
    const plat::Rect r = GetWindowRect();
    plat::ClipCursor(&r);
}

void FlowPopup::CentreCursor() {
    ConfineCursor();
    const plat::Rect r = GetWindowRect();
    plat::SetCursorPos({r.left + r.Width() / 2, r.top + r.Height() / 2});
}

void FlowPopup::FreeCursor() {
    plat::ClipCursor(nullptr);
}

void FlowPopup::PaintBackground(plat::DeviceContext& dc) {
    if (!background.Loaded()) return;
    SelectPictureOutputPalette(dc, background.dc.get(), sheet.palette);
    BlitDC(dc, 0, 0, background.width, background.Rows(), *background.dc, 0, 0);
}

void FlowPopup::PaintWithList(LISTBOX* list) {
    plat::PaintDC dc(*this);
    PaintBackground(dc);
    RestoreDefaultPalette(dc);
    if (list != nullptr) list->Redraw(true);
}

bool FlowPopup::MakeListOver(LISTBOX*& list, const ListLayout& layout) {
    list = new LISTBOX;
    ListLayout over = layout;
    over.parent = this;
    over.background = background.dc.get();
    over.image = &sheet;
    over.source_x = layout.rect.left;
    over.source_y = layout.rect.top;
    return list->CreateList(over);
}

bool FlowPopup::MakeList(LISTBOX*& list, const plat::Rect& rect, uint32_t id, uint32_t notify,
                         int32_t highlight_y) {
    return MakeListOver(
        list, {.rect = rect, .control_id = id, .notify = notify, .highlight_y = highlight_y});
}

bool FlowPopup::MakeTextList(LISTBOX*& list, const plat::Rect& rect, uint32_t id) {
    return MakeListOver(list, {.rect = rect, .control_id = id, .selectable = false});
}

void FlowPopup::EnterPresses(plat::WParam key, uint16_t command) {
    if (key != kEnter) return;
    PressButton(0);
    SendMessage(WM_COMMAND, command, 0);
}

void FlowPopup::FreeAndAnswer(plat::LParam answer) {
    FreeCursor();
    SendResult(answer);
}

bool FlowPopup::OnDialogMessage(uint32_t message, plat::WParam wParam) {
    if (message == WM_CHAR) {
        EnterPresses(wParam, kCmdDialogOk);
        return true;
    }
    if (message != WM_COMMAND) return false;
    if (plat::LoWord(wParam) == kCmdDialogOk) {
        OnDialogOk();
    } else if (plat::LoWord(wParam) == kCmdDialogCancel) {
        OnDialogCancel();
    }
    return true;
}

void FlowPopup::SendResult(plat::LParam answer) {
    plat::SendMessage(owner_, result_message_, 0, answer);
}

void FlowPopup::PressButton(size_t index) {
    if (index >= buttons.size()) return;
    buttons[index]->state = 1;
    buttons[index]->Redraw();
}
