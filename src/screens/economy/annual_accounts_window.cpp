#include "screens/economy/annual_accounts_window.h"

#include <algorithm>

#include "gfx/blit_dc.h"
#include "gfx/font_tables.h"
#include "gfx/palette.h"
#include "gfx/text.h"
#include "panel/amount_text.h"
#include "platform/gdi.h"
#include "platform/input.h"
#include "screens/economy/economy_layout.h"
#include "screens/economy/statistics_layout.h"
#include "sound/sound_manager.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "state/statistics.h"
#include "view/world_view.h"

namespace es = economy_screens;
namespace ss = statistics_screens;

namespace {

constexpr int64_t kCreditStep = 50'000;
constexpr int64_t kCreditLimit = 1'000'000;
constexpr int32_t kLastQuietTrack = 5;  // from this CD track on a screen keeps the music paused
constexpr uint8_t kEnter = 13;

std::string BaseFile(const std::string& name) {
    return std::string(g_pGameState->DataPath(kPathBase)) + "\\" + name;
}

constexpr ButtonLayout kButtons[] = {
    {.x = ss::kTakeUpCreditButton.x,
     .y = ss::kTakeUpCreditButton.y,
     .command = kCmdTakeUpCredit,
     .width = ss::kCreditButtonWidth,
     .height = ss::kCreditButtonHeight,
     .normal = {ss::kCreditFaceX, 0},
     .pressed = {ss::kCreditFaceX, ss::kCreditButtonHeight}},
    {.x = ss::kPayBackCreditButton.x,
     .y = ss::kPayBackCreditButton.y,
     .command = kCmdPayBackCredit,
     .width = ss::kCreditButtonWidth,
     .height = ss::kCreditButtonHeight,
     .normal = {ss::kCreditFaceX, ss::kPayBackFaceY},
     .pressed = {ss::kCreditFaceX, ss::kPayBackFaceY + ss::kCreditButtonHeight}},
    {.x = ss::kAccountsOkButton.x,
     .y = ss::kAccountsOkButton.y,
     .command = kCmdOk,
     .width = es::kBigButtonWidth,
     .height = es::kBigButtonHeight,
     .normal = {0, 0},
     .pressed = {0, es::kPressedY}},
};

// The pairs of the value rows; the fifth row adds E and F.
constexpr StatPair kRowPairs[10] = {StatPair::A, StatPair::B, StatPair::C, StatPair::D,
                                    StatPair::E, StatPair::G, StatPair::H, StatPair::I,
                                    StatPair::J, StatPair::K};

void RedrawCapital() {
    if (g_pHauptDialog != nullptr) g_pHauptDialog->DrawSidebarCapital();
}

}  // namespace

AccountsTable MakeAccountsTable() {
    const CGameState& gs = *g_pGameState;
    AccountsTable table;
    table.cells[0] = {std::to_string(gs.year - 1), std::to_string(gs.year)};
    for (int32_t r = 0; r < 10; ++r) {
        const StatPair pair = kRowPairs[r];
        int64_t last = g_Statistics.PairLast(pair, 0);
        int64_t now = g_Statistics.PairThis(pair, 0);
        if (pair == StatPair::E) {
            last += g_Statistics.PairLast(StatPair::F, 0);
            now += g_Statistics.PairThis(StatPair::F, 0);
        }
        // Negative figures print with their minus sign in every row.
        table.cells[r + 1] = {FormatAmount(last), FormatAmount(now)};
    }
    table.credit = FormatAmount(g_Credit);
    return table;
}

bool TakeUpCredit() {
    if (g_Credit >= kCreditLimit) return false;
    g_Credit += static_cast<int32_t>(kCreditStep);
    g_pGameState->cash[0] += kCreditStep;
    return true;
}

bool PayBackCredit() {
    int64_t& cash = g_pGameState->cash[0];
    if (g_Credit < 1 || cash <= kCreditStep) return false;
    // A loaded credit need not be a multiple of the step: it never goes
    // below 0.
    const int64_t amount = std::min<int64_t>(kCreditStep, g_Credit);
    g_Credit -= static_cast<int32_t>(amount);
    cash -= amount;
    return true;
}

YearSummaryWindow::~YearSummaryWindow() {
    buttons.clear();
    background.Free();
    sheet.Free();
    canvas.Free();
    // Only the accounts on the screen hold the cursor.
    if (IsWindow() && IsWindowVisible()) plat::ClipCursor(nullptr);
    DestroyWindow();
}

bool YearSummaryWindow::Open(HAUPTDIALOG& panel, const PopupRequest& request) {
    panel_ = &panel;
    painted = 0;
    if (g_pSpielFeld == nullptr) return false;
    background.LoadJgd(BaseFile(ss::kAccountsPicture));
    sheet.Load(BaseFile(ss::kAccountsSheet), nullptr, 1);
    if (!background.Loaded() || !sheet.Loaded()) return false;
    width = background.width;
    height = background.Rows();
    if (!canvas.Create(sheet, width, height)) return false;
    plat::BitBlt(*canvas.dc, 0, 0, width, height, background.dc.get(), 0, 0,
                 plat::RasterOp::SrcCopy);
    // Centred over the view; the window is a popup, so in screen coordinates.
    const plat::Rect view = g_pSpielFeld->GetWindowRect();
    window_x = view.left + (view.Width() - width) / 2;
    window_y = view.top + (view.Height() - height) / 2;
    // Shown at once, or hidden while another screen is in front (the panel
    // shows it when that one closes, and it takes the cursor then).
    const uint32_t style =
        WS_POPUP | WS_CHILD | WS_BORDER | (request.screen_in_front ? 0u : WS_VISIBLE);
    if (!Create(g_pSpielFeld, {window_x, window_y, window_x + width + 2, window_y + height + 2},
                style, WS_EX_TOPMOST | WS_EX_NOPARENTNOTIFY)) {
        return false;
    }
    for (const ButtonLayout& layout : kButtons) {
        auto button = std::make_unique<BUTTONS>();
        button->CreateFromImage(layout, this, sheet);
        buttons.push_back(std::move(button));
    }
    if (IsWindowVisible()) OnShown();
    ResumeMusic();
    return true;
}

void YearSummaryWindow::ResumeMusic() {
    const CGameState& gs = *g_pGameState;
    if (g_pSound == nullptr) return;
    if (gs.screen_open != 0 && g_pSound->current_track >= kLastQuietTrack) return;
    g_pSound->ResumeMusic();
}

void YearSummaryWindow::OnShown() {
    painted = 0;
    const plat::Rect rect = GetWindowRect();
    plat::ClipCursor(&rect);
    plat::SetCursorPos({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

void YearSummaryWindow::OnPaint() {
    {
        plat::PaintDC dc(*this);
        SelectPictureOutputPalette(dc, canvas.dc.get(), sheet.palette);
        BlitDC(dc, 0, 0, width, height, *canvas.dc, 0, 0);
        RestoreDefaultPalette(dc);
    }
    painted = 1;
    Draw();
    ResumeMusic();
}

void YearSummaryWindow::Draw() {
    if (painted != 1 || !canvas.Loaded() || !IsWindow()) return;
    const CGameState& gs = *g_pGameState;
    const AccountsTable table = MakeAccountsTable();
    const auto right = [&](const std::string& text, int32_t x, int32_t y) {
        const auto w = static_cast<int32_t>(GetTextWidth(text.c_str(), kFont1Advances));
        canvas.DrawText(text.c_str(), kFont1Advances, x - w, y, gs.images.main_font, 16, 16, 10);
    };
    for (int32_t r = 0; r < ss::kAccountsRows; ++r) {
        const int32_t y = ss::kAccountsFirstRowY + ss::kAccountsRowStep * r;
        plat::BitBlt(*canvas.dc, ss::kAccountsBandX, y, ss::kAccountsBandWidth,
                     ss::kAccountsBandHeight, background.dc.get(), ss::kAccountsBandX, y,
                     plat::RasterOp::SrcCopy);
        right(table.cells[r][0], ss::kAccountsLastYearRight, y);
        right(table.cells[r][1], ss::kAccountsThisYearRight, y);
    }
    const plat::Point credit = ss::kAccountsCredit;
    plat::BitBlt(*canvas.dc, credit.x, credit.y, ss::kAccountsCreditWidth, ss::kAccountsBandHeight,
                 background.dc.get(), credit.x, credit.y, plat::RasterOp::SrcCopy);
    canvas.DrawText(table.credit.c_str(), kFont1Advances, credit.x, credit.y, gs.images.main_font,
                    16, 16, 10);
    plat::DcHandle dc = plat::GetWindowDC(*this);
    if (!dc) return;
    SelectPictureOutputPalette(*dc, canvas.dc.get(), sheet.palette);
    for (int32_t r = 0; r < ss::kAccountsRows; ++r) {
        const int32_t y = ss::kAccountsFirstRowY + ss::kAccountsRowStep * r;
        BlitDC(*dc, ss::kAccountsBandX, y, ss::kAccountsBandWidth, ss::kAccountsBandHeight,
               *canvas.dc, ss::kAccountsBandX, y);
    }
    BlitDC(*dc, credit.x, credit.y, ss::kAccountsCreditWidth, ss::kAccountsBandHeight, *canvas.dc,
           credit.x, credit.y);
    RestoreDefaultPalette(*dc);
}

void YearSummaryWindow::OnOk() {
    CGameState& gs = *g_pGameState;
    plat::ClipCursor(nullptr);
    {
        plat::DcHandle dc = plat::GetWindowDC(*this);
        if (dc && gs.images.palette_a) {
            plat::SelectPalette(*dc, gs.images.palette_a, false);
            plat::RealizePalette(*dc);
        }
        if (gs.images.composite_buffer.dc && gs.images.palette_b) {
            plat::SelectPalette(*gs.images.composite_buffer.dc, gs.images.palette_b, false);
            plat::RealizePalette(*gs.images.composite_buffer.dc);
        }
    }
    // The panel deletes this window while it handles the message.
    plat::SendMessage(panel_, kMsgYearSummaryDone, 0, 0);
}

plat::LResult YearSummaryWindow::OnMessage(uint32_t message, plat::WParam wParam,
                                           plat::LParam lParam) {
    switch (message) {
        case WM_SHOWWINDOW:
            if (wParam != 0) OnShown();
            return 0;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_CHAR:
            if (wParam == kEnter) {
                for (const auto& button : buttons) {
                    if (button->command_id != kCmdOk) continue;
                    button->state = 1;
                    button->Redraw();
                }
                SendMessage(WM_COMMAND, kCmdOk, 0);
            }
            return 0;
        case WM_COMMAND:
            switch (plat::LoWord(wParam)) {
                case kCmdTakeUpCredit:
                    if (TakeUpCredit()) Draw(), RedrawCapital();
                    return 0;
                case kCmdPayBackCredit:
                    if (PayBackCredit()) Draw(), RedrawCapital();
                    return 0;
                case kCmdOk:
                    OnOk();
                    return 0;
                default:
                    break;
            }
            break;
        default:
            break;
    }
    return DefaultMessage(message, wParam, lParam);
}
