// The screen table: one entry per full screen the main frame opens. A screen
// that is not listed here does not exist yet; the frame then answers its open
// request as described in hauptfenster.h.

#include "app/frame_screens.h"
#include "app/frame_world_screens.h"
#include "app/hauptfenster.h"
#include "game/fs_logo.h"
#include "game/fs_start.h"
#include "state/game_state.h"
#include "state/messages.h"

namespace {

const ScreenEntry kScreens[] = {
    // The two logos at start-up; no steps around them.
    {.slot = FrameScreen::Logo,
     .open_message = kMsgOpenLogo,
     .done_message = kMsgLogoDone,
     .open = [](HAUPTFENSTER& frame, plat::WParam logo, plat::LParam) -> plat::Window* {
         auto* screen = new FS_LOGO;
         if (screen->Open(logo == 1 ? 1 : 0, &frame)) return screen;
         delete screen;
         return nullptr;
     }},
    // The title screen, opened by the start-screen request; its choice comes
    // back as the done message.
    {.slot = FrameScreen::Start,
     .done_message = kMsgStartScreenResult,
     .open_steps = kOpenCommon,
     .open = [](HAUPTFENSTER& frame, plat::WParam,
                plat::LParam) { return OpenNew<FS_START>(frame); },
     .before_open =
         [](HAUPTFENSTER&, plat::WParam, plat::LParam) {
             CGameState& gs = *g_pGameState;
             gs.year = 1960;
             gs.board_votes = 0;
             gs.start_marker = 1;
         },
     .after_done =
         [](HAUPTFENSTER& frame, plat::WParam, plat::LParam choice) {
             frame.OnStartScreenResult(static_cast<int32_t>(choice));
         }},
    // World making: the generation progress, the editor's new world and the
    // editor start.
    GenProgressScreenEntry(),
    NewWorldScreenEntry(),
    EditorStartScreenEntry(),
};

struct SlotCancel {
    FrameScreen slot;
    uint16_t command;
};

constexpr SlotCancel kCancelCommands[] = {
    {FrameScreen::Start, 40187},
    {FrameScreen::NewGame, 40113},
    {FrameScreen::GameEnd, 40129},
    {FrameScreen::OpponentSelect, 40122},
    {FrameScreen::NewWorld, 40113},
    {FrameScreen::Career, 40187},
    {FrameScreen::EditorStart, 40113},
    {FrameScreen::HighScores, 40129},
    {FrameScreen::Schedule, 40133},
    {FrameScreen::ProductHelp, 40129},
    {FrameScreen::RailPurchase, 40141},
    {FrameScreen::TruckPurchase, 40141},
    {FrameScreen::BuildingPurchase, 40128},
    {FrameScreen::Depot, 40129},
    {FrameScreen::Production, 40113},
    {FrameScreen::Statistics, 40112},
    {FrameScreen::SalesStatistics, 40123},
    {FrameScreen::StoreSales, 40113},
};

}  // namespace

const ScreenEntry* FrameScreenTable(int32_t* count) {
    *count = static_cast<int32_t>(std::size(kScreens));
    return kScreens;
}

uint16_t ScreenCancelCommand(FrameScreen slot) {
    for (const SlotCancel& c : kCancelCommands) {
        if (c.slot == slot) return c.command;
    }
    return 0;
}
