#include "screens/flow/flow_popup.h"

#include "gfx/blit_dc.h"
#include "gfx/palette.h"
#include "platform/gdi.h"
#include "platform/input.h"
#include "state/game_state.h"

std::string BaseDataFile(const char* name) {
    return std::string(g_pGameState->DataPath(kPathBase)) + "\\" + name;
}

FlowPopup::~FlowPopup() {
    buttons.clear();
    background.Free();
    sheet.Free();
    FreeCursor();
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

void FlowPopup::ConfineCursor() {
    const plat::Rect r = GetWindowRect();
    plat::ClipCursor(&r);
}

void FlowPopup::FreeCursor() {
    plat::ClipCursor(nullptr);
}

void FlowPopup::PaintBackground(plat::DeviceContext& dc) {
    if (!background.Loaded()) return;
    SelectPictureOutputPalette(dc, background.dc.get(), sheet.palette);
    BlitDC(dc, 0, 0, background.width, background.Rows(), *background.dc, 0, 0);
}

void FlowPopup::SendResult(plat::LParam answer) {
    plat::SendMessage(owner_, result_message_, 0, answer);
}

void FlowPopup::PressButton(size_t index) {
    if (index >= buttons.size()) return;
    buttons[index]->state = 1;
    buttons[index]->Redraw();
}
