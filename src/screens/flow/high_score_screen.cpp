#include "screens/flow/high_score_screen.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "gfx/font_tables.h"
#include "screens/flow/game_end_layout.h"
#include "state/game_records.h"
#include "state/game_state.h"
#include "state/messages.h"

namespace ge = game_end_screens;

namespace {

constexpr uint8_t kTextColour = 10;
constexpr int32_t kListPicture = 49;

constexpr ButtonLayout kButtons[] = {EndPageOk(ge::kHighScoreOkX, ge::kOkY)};

}  // namespace

std::string HighScoreLine(const HighScoreEntry& entry) {
    // The name may fill its field without a terminating zero in a foreign file.
    const std::string name(entry.name, strnlen(entry.name, sizeof entry.name));
    const auto points = static_cast<int32_t>(entry.points);
    char text[80];
    if (points > 999) {
        std::snprintf(text, sizeof text, "%s (%d,%03d)", name.c_str(), points / 1000,
                      points % 1000);
    } else {
        std::snprintf(text, sizeof text, "%s (%d)", name.c_str(), points);
    }
    return text;
}

FS_BESTENLISTE::FS_BESTENLISTE() : EndPage(kMsgHighScoresDone) {}

FS_BESTENLISTE::~FS_BESTENLISTE() {
    list_picture.Free();
}

bool FS_BESTENLISTE::Open(plat::Window* parent) {
    return OpenPage(parent, list_picture, kListPicture, kButtons);
}

void FS_BESTENLISTE::DrawLines() {
    const CGameState& gs = *g_pGameState;
    if (!gs.images.main_font.Loaded()) return;
    for (int32_t i = 0; i < kHighScoreCount; ++i) {
        const std::string text = HighScoreLine(gs.high_scores[i]);
        list_picture.DrawText(text.c_str(), kFont1Advances, ge::kListX,
                              ge::kListTop + ge::kListStep * i, gs.images.main_font, 16, 16,
                              kTextColour);
    }
}

const ScreenEntry kHighScoreScreenEntry = {
    .slot = FrameScreen::HighScores,
    .open_message = kMsgOpenHighScores,
    .done_message = kMsgHighScoresDone,
    .cancel_command = kCmdClose,
    .open_steps = kOpenCommon,
    .done_steps = kDoneLoadKeys | kDoneShowTitle,
    .open = [](plat::Window& frame, plat::WParam,
               plat::LParam) { return OpenNew<FS_BESTENLISTE>(frame); },
    .before_open = [](plat::Window&, plat::WParam, plat::LParam) { g_pGameState->paused = 1; },
};
