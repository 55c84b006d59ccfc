#include "screens/flow/board_vote_screen.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "gfx/font_tables.h"
#include "panel/control_panel.h"
#include "platform/gdi.h"
#include "screens/close_popup_on_key.h"
#include "sound/sound_manager.h"
#include "state/game_state.h"
#include "state/messages.h"

namespace {

constexpr uint8_t kTextColour = 10;
constexpr uint8_t kAgainstColour = 28;
constexpr uint8_t kForColour = 195;
constexpr int32_t kBarWidth = 80;
constexpr int32_t kAgainstX = 96;
constexpr int32_t kForX = 192;
constexpr int32_t kNumbersY = 277;
constexpr int32_t kAgainstNumberX = 172;
constexpr int32_t kForNumberX = 264;
// Far enough outside 0..100 that both bars leave the picture; keeps the
// heights within 32 bits for any stored value.
constexpr int32_t kDrawnVoteLimit = 1000;

constexpr ButtonLayout kClose[] = {{.x = 128,
                                    .y = 311,
                                    .command = kCmdOk,
                                    .width = 108,
                                    .height = 40,
                                    .normal = {0, 0},
                                    .pressed = {0, 40}}};

}  // namespace

FS_BOARD_VOTE::FS_BOARD_VOTE() : FlowPopup(kMsgPanelBoardVoteDone) {}

bool FS_BOARD_VOTE::Open(HAUPTDIALOG& panel, const PopupRequest& request) {
    index = static_cast<int32_t>(request.wParam);
    if (!LoadPictures("scr_24.jgd", "scb_24.jgd")) return false;
    const size_t bytes = static_cast<size_t>(background.Stride()) * background.Rows();
    clean_.assign(background.pixels, background.pixels + bytes);
    if (!CreatePopup(&panel, request.rect, kClose)) return false;
    ConfineCursor();
    const bool gameTrack = g_pSound != nullptr && g_pSound->InGameMusicPlaying();
    if (!(request.screen_in_front && gameTrack) && g_pSound != nullptr) {
        g_pSound->ResumeMusic();
    }
    return true;
}

void FS_BOARD_VOTE::DrawVotes(int32_t votes) {
    if (!background.Loaded()) return;
    std::memcpy(background.pixels, clean_.data(), clean_.size());
    const int32_t v = std::clamp(votes, -kDrawnVoteLimit, kDrawnVoteLimit);
    background.FillRect(kAgainstX, 70 + 2 * v, kBarWidth, 2 * (100 - v), kAgainstColour);
    background.FillRect(kForX, 2 * (135 - v), kBarWidth, 2 * v, kForColour);
    const PaletteImage& font = g_pGameState->images.main_font;
    if (!font.Loaded()) return;
    const std::string against = std::to_string(100 - static_cast<int64_t>(votes));
    const std::string favour = std::to_string(votes);
    background.DrawText(against.c_str(), kFont1Advances, kAgainstNumberX, kNumbersY, font, 16, 16,
                        kTextColour);
    background.DrawText(favour.c_str(), kFont1Advances, kForNumberX, kNumbersY, font, 16, 16,
                        kTextColour);
}

plat::LResult FS_BOARD_VOTE::OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) {
    switch (message) {
        case WM_PAINT: {
            plat::PaintDC dc(*this);
            DrawVotes(g_pGameState->board_votes);
            PaintBackground(dc);
            return 0;
        }
        case WM_CHAR:
            ClosePopupOnKey(*this, buttons.empty() ? nullptr : buttons[0].get(), wParam);
            return 0;
        case WM_COMMAND:
            if (plat::LoWord(wParam) == kCmdOk) {
                FreeCursor();
                SendResult(0);
            }
            return 0;
        default:
            return DefaultMessage(message, wParam, lParam);
    }
}
