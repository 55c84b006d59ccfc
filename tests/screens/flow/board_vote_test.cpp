// The board vote over a running game: the bars for the votes, their
// clipping for values outside 0..100 and a fresh picture on every paint.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <tuple>
#include <vector>

#include "app/app_globals.h"
#include "app/main_frame.h"
#include "panel/control_panel.h"
#include "screens/flow/board_vote_screen.h"
#include "screens/flow/flow_host.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "support/frame_host.h"

namespace {

using flowtest::FlowHost;

constexpr uint8_t kEnter = 13;
constexpr uint8_t kAgainst = 28;
constexpr uint8_t kFor = 195;

class BoardVote : public ::testing::Test {
  protected:
    BoardVote() {
        g_LogoShown[0] = g_LogoShown[1] = 1;
        EXPECT_TRUE(f.h.frame->StartWorldView(kModeGame));
        f.gs().screen_open = 0;
    }
    FS_BOARD_VOTE* Open(int32_t votes) {
        f.gs().board_votes = votes;
        plat::SendMessage(g_pHauptDialog, kMsgPanelOpenBoardVote);
        f.h.Run();
        return dynamic_cast<FS_BOARD_VOTE*>(g_pHauptDialog->Popup(PanelPopup::BoardVote));
    }
    void Paint(FS_BOARD_VOTE* s) {
        s->Invalidate();
        s->UpdateWindow();
        f.h.Run();
    }
    // Rows of column x (in the picture) that hold `colour`: first and count.
    static std::pair<int32_t, int32_t> Bar(const FS_BOARD_VOTE& s, int32_t x, uint8_t colour) {
        int32_t first = -1, count = 0;
        for (int32_t y = 0; y < s.background.Rows(); ++y) {
            if (s.background.pixels[y * s.background.Stride() + x] != colour) continue;
            if (first < 0) first = y;
            ++count;
        }
        return {first, count};
    }
    FlowHost f;
};

TEST_F(BoardVote, BarsStandOnTheAxisOnePixelPerHalfVote) {
    struct Case {
        int32_t votes;
        std::pair<int32_t, int32_t> against, favour;
    };
    for (const Case& c : {Case{0, {70, 200}, {-1, 0}}, Case{50, {170, 100}, {170, 100}},
                          Case{100, {-1, 0}, {70, 200}}}) {
        FS_BOARD_VOTE* s = Open(c.votes);
        ASSERT_NE(s, nullptr);
        Paint(s);
        EXPECT_EQ(std::tuple(Bar(*s, 136, kAgainst), Bar(*s, 232, kFor)),
                  std::tuple(c.against, c.favour))
            << c.votes;
        if (c.votes == 50) fvtest::MaybeSaveScreen("flow_board_vote");
        int32_t* checked = g_pHauptDialog->entry_checked;
        std::fill(checked, checked + kPanelRowCount, 1);
        s->SendMessage(WM_CHAR, kEnter, 0);  // Enter closes as the button does
        f.h.Run();
        EXPECT_EQ(g_pHauptDialog->Popup(PanelPopup::BoardVote), nullptr);
        // The list's rows 2 to 5 lose their checks, the others keep theirs.
        std::vector<int32_t> rows(kPanelRowCount, 1);
        std::fill(rows.begin() + 2, rows.begin() + 6, 0);
        EXPECT_EQ(std::vector<int32_t>(checked, checked + kPanelRowCount), rows);
    }
}

TEST_F(BoardVote, WithNothingInFrontAPausedGameTrackIsHandedBack) {
    f.h.sound->current_track = 7;
    f.h.sound->calls.clear();
    ASSERT_NE(Open(40), nullptr);
    EXPECT_EQ(f.h.sound->Count("ResumeMusic"), 1);
}

TEST_F(BoardVote, VotesOutsideTheRangeStayInsideThePictureAndAChangeLeavesNoRemnant) {
    FS_BOARD_VOTE* s = Open(120);
    ASSERT_NE(s, nullptr);
    Paint(s);
    EXPECT_EQ(std::tuple(Bar(*s, 136, kAgainst), Bar(*s, 232, kFor)),
              std::tuple(std::pair(-1, 0), std::pair(30, 240)));
    f.gs().board_votes = -5;
    Paint(s);
    EXPECT_EQ(std::tuple(Bar(*s, 136, kAgainst), Bar(*s, 232, kFor)),
              std::tuple(std::pair(60, 210), std::pair(-1, 0)));
    f.gs().board_votes = 2000000000;  // far outside: clipped, never wraps
    Paint(s);
    EXPECT_EQ(Bar(*s, 232, kFor), std::pair(0, 270));
    // Painting 50 after 10 gives the same picture as 50 at once.
    f.gs().board_votes = 10;
    Paint(s);
    f.gs().board_votes = 50;
    Paint(s);
    const std::vector<uint8_t> after(
        s->background.pixels, s->background.pixels + s->background.Stride() * s->background.Rows());
    s->SendMessage(WM_COMMAND, kCmdOk, 0);
    f.h.Run();
    FS_BOARD_VOTE* fresh = Open(50);
    ASSERT_NE(fresh, nullptr);
    Paint(fresh);
    EXPECT_EQ(std::memcmp(after.data(), fresh->background.pixels, after.size()), 0);
}

}  // namespace
