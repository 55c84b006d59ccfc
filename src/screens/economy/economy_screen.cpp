#include "screens/economy/economy_screen.h"

#include "gfx/blit_dc.h"
#include "gfx/font_tables.h"
#include "gfx/palette.h"
#include "panel/list_box.h"
#include "platform/gdi.h"
#include "screens/economy/economy_figures.h"
#include "screens/economy/economy_layout.h"
#include "state/game_state.h"
#include "view/world_view.h"

namespace es = economy_screens;

namespace {

constexpr uint8_t kEnter = 13;

std::string BaseFile(const std::string& name) {
    return std::string(g_pGameState->DataPath(kPathBase)) + "\\" + name;
}

}  // namespace

EconomyScreen::~EconomyScreen() {
    background.Free();
    canvas.Free();
}

bool EconomyScreen::LoadPage(const std::string& page, const std::string& sheet_name) {
    background.LoadJgd(BaseFile(page));
    sheet.Load(BaseFile(sheet_name), nullptr, 1);
    if (!background.Loaded() || !sheet.Loaded()) return false;
    if (!canvas.Create(sheet, es::kPageWidth, es::kPageHeight)) return false;
    RestoreCanvas();
    return true;
}

bool EconomyScreen::CreatePage(plat::Window* parent, std::span<const ButtonLayout> table,
                               uint16_t ok_command, bool tile_now) {
    ok_command_ = ok_command;
    if (!CreateScreen(
            parent,
            {.area = {es::kPageWidth, es::kPageHeight}, .free_cursor = true, .buttons = table})) {
        return false;
    }
    if (tile_now) {
        plat::DcHandle dc = plat::GetWindowDC(*this);
        TileMargin(*dc);
    }
    return true;
}

void EconomyScreen::TileMargin(plat::DeviceContext& dc) {
    if (g_pGameState->screen_width > es::kPageWidth) TileScreen(dc);
}

void EconomyScreen::RestoreCanvas() {
    if (!canvas.Loaded() || !background.Loaded()) return;
    plat::BitBlt(*canvas.dc, 0, 0, es::kPageWidth, es::kPageHeight, background.dc.get(), 0, 0,
                 plat::RasterOp::SrcCopy);
}

void EconomyScreen::ShowCanvas(plat::DeviceContext& dc, const plat::Rect& area) {
    if (!canvas.Loaded()) return;
    SelectPictureOutputPalette(dc, canvas.dc.get(), sheet.palette);
    BlitDC(dc, origin_x + area.left, origin_y + area.top, area.Width(), area.Height(), *canvas.dc,
           area.left, area.top);
    RestoreDefaultPalette(dc);
}

void EconomyScreen::ShowCanvas(const plat::Rect& area) {
    if (!IsWindow()) return;
    plat::DcHandle dc = plat::GetWindowDC(*this);
    ShowCanvas(*dc, area);
}

void EconomyScreen::ShowCanvas(plat::DeviceContext& dc) {
    ShowCanvas(dc, {0, 0, es::kPageWidth, es::kPageHeight});
}

void EconomyScreen::OnPaint(plat::DeviceContext& dc) {
    ShowCanvas(dc);
}

void EconomyScreen::Text(const std::string& text, int32_t x, int32_t y, uint8_t colour) {
    canvas.DrawText(text.c_str(), kFont1Advances, x, y, g_pGameState->images.main_font, 16, 16,
                    colour);
}

void EconomyScreen::TextRight(const std::string& text, int32_t right, int32_t y, uint8_t colour) {
    const auto width = static_cast<int32_t>(GetTextWidth(text.c_str(), kFont1Advances));
    Text(text, right - width, y, colour);
}

LISTBOX* EconomyScreen::MakeList(const plat::Rect& rect, uint32_t id, bool clickable,
                                 uint32_t notify) {
    auto* list = new LISTBOX;
    list->CreateList({.rect = {origin_x + rect.left, origin_y + rect.top, origin_x + rect.right,
                               origin_y + rect.bottom},
                      .parent = this,
                      .control_id = id,
                      .background = background.dc.get(),
                      .image = &sheet,
                      .source_x = rect.left,
                      .source_y = rect.top,
                      .selectable = clickable,
                      .notify = notify,
                      .highlight_y = es::kHighlightY});
    return list;
}

void EconomyScreen::Close(plat::LParam result) {
    CGameState& gs = *g_pGameState;
    Blacken();
    {
        // The game's own palettes back in the screen and in the view's buffer.
        plat::DcHandle dc = plat::GetWindowDC(*this);
        if (gs.images.palette_a) {
            plat::SelectPalette(*dc, gs.images.palette_a, false);
            plat::RealizePalette(*dc);
        }
        if (gs.images.composite_buffer.dc && gs.images.palette_b) {
            plat::SelectPalette(*gs.images.composite_buffer.dc, gs.images.palette_b, false);
            plat::RealizePalette(*gs.images.composite_buffer.dc);
        }
    }
    // The frame usually deletes this screen while it handles the message.
    SendDone(result);
}

void EconomyScreen::PressButton(uint16_t command) {
    for (const auto& button : buttons) {
        if (button->command_id != command) continue;
        button->state = 1;
        button->Redraw();
    }
    SendMessage(WM_COMMAND, command, 0);
}

plat::LResult EconomyScreen::OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) {
    switch (message) {
        case WM_PAINT: {
            plat::PaintDC dc(*this);
            OnPaint(dc);
            return 0;
        }
        case WM_CHAR:
            if (wParam == kEnter) OnEnter();
            return 0;
        case WM_COMMAND:
            if (OnCommand(plat::LoWord(wParam))) return 0;
            break;
        default:
            if (OnScreenMessage(message, wParam, lParam)) return 0;
            break;
    }
    return FullScreen::OnMessage(message, wParam, lParam);
}

void EconomyScreen::OpenForBuilding(int32_t building, uint32_t open_message) {
    OverviewBuilding() = building;
    Blacken();
    ShowWindow(SW_HIDE);
    plat::SendMessage(Frame(), open_message, 0, 0);
}

void SelectFieldInView(int32_t x, int32_t y) {
    if (g_pSpielFeld == nullptr) return;
    if (g_pSpielFeld->zoom == kOverviewZoomLevel) g_pSpielFeld->zoom = 1;
    g_pSpielFeld->cursor_x = x;
    g_pSpielFeld->cursor_y = y;
}
