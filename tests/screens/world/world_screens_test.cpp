// The editor's new-world and editor-start screens on the headless back end:
// markers for the choices, clicks, the Enter key, OK and back with the
// settings they write and the messages they send.

#include <gtest/gtest.h>

#include <functional>

#include "screen_fixture.h"
#include "screens/world/editor_start_screen.h"
#include "screens/world/new_world_screen.h"
#include "screens/world/world_screen_layout.h"
#include "state/game_state.h"

namespace worldgen {
namespace {

namespace ws = world_screens;

// The 640 x 480 area lies in the middle of the 800 x 600 screen.
constexpr int32_t kOx = 80;
constexpr int32_t kOy = 60;

template <typename Screen>
class ChoiceScreenTest : public ScreenTest {
  protected:
    ~ChoiceScreenTest() override { delete screen_; }
    Screen& Open() {
        screen_ = new Screen;
        EXPECT_TRUE(screen_->Open(frame_));
        host_.host.RunUntilIdle();
        return *screen_;
    }
    // Whether the marker shows on the option of a column and row top.
    bool Marked(int32_t column, int32_t row_top) {
        return Pixel(*screen_, kOx + column + 8, kOy + row_top + 8) == kMarkerInk;
    }
    void ClickOption(int32_t column, int32_t row_top) {
        Click(kOx + column + 60, kOy + row_top + 8);
    }
    std::vector<FrameMessage> Sent(uint32_t message) {
        std::vector<FrameMessage> sent;
        for (const FrameMessage& m : frame_->received) {
            if (m.message == message) sent.push_back(m);
        }
        return sent;
    }
    Screen* screen_ = nullptr;
};

using NewWorldScreen = ChoiceScreenTest<FS_NEUE_WELT>;
using EditorStartScreen = ChoiceScreenTest<FS_EDITORSTART>;

TEST_F(NewWorldScreen, ShowsTheSettingsItStartsFrom) {
    CGameState& gs = game_.state();
    gs.ng_land = 2;
    gs.ng_mountains = 4;
    gs.ng_forests = 0;
    gs.ng_towns = 9;  // out of range: shown as the most
    gs.ng_site_distance = 1;
    gs.regen_world = 0;
    gs.regen_cities = 1;
    gs.regen_woods = 0;
    gs.regen_industries = 1;
    FS_NEUE_WELT& s = Open();
    EXPECT_EQ(Pixel(s, 5, 5), kTileInk);
    EXPECT_EQ(Pixel(s, kOx + 5, kOy + 5), kPictureInk);
    // Bars: the chosen row (4 - setting) and every row below it.
    const int32_t* rows = ws::kUpperRows;
    for (int32_t r = 0; r < 5; ++r) {
        EXPECT_EQ(Marked(ws::kColumns[0], rows[r]), r >= 2) << r;
        EXPECT_EQ(Marked(ws::kColumns[1], rows[r]), r >= 0) << r;
        EXPECT_EQ(Marked(ws::kColumns[2], rows[r]), r >= 4) << r;
        EXPECT_EQ(Marked(ws::kColumns[3], rows[r]), r >= 0) << r;
        EXPECT_EQ(Marked(ws::kColumns[4], rows[r]), r == 3) << r;  // single marker
    }
    for (int32_t r = 0; r < 4; ++r)
        EXPECT_EQ(Marked(ws::kColumns[0], ws::kLowerRows[r]), r % 2 == 1);
    EXPECT_EQ(Pixel(*s.buttons[0], 5, 5), kOkInk);
    EXPECT_EQ(Pixel(*s.buttons[1], 5, 5), kBackInk);
}

TEST_F(NewWorldScreen, ClicksChooseAndOkWritesTheSettings) {
    CGameState& gs = game_.state();
    FS_NEUE_WELT& s = Open();
    ClickOption(ws::kColumns[0], ws::kUpperRows[0]);  // land: very much
    ClickOption(ws::kColumns[1], ws::kUpperRows[4]);  // mountains: very few
    ClickOption(ws::kColumns[2], ws::kUpperRows[3]);
    ClickOption(ws::kColumns[3], ws::kUpperRows[1]);
    ClickOption(ws::kColumns[4], ws::kUpperRows[0]);  // sites very near
    ClickOption(ws::kColumns[0], ws::kLowerRows[0]);  // whole world: off
    ClickOption(ws::kColumns[0], ws::kLowerRows[2]);  // woods: off
    ClickOption(ws::kColumns[0], ws::kLowerRows[2]);  // ... and on again
    Click(kOx + 300, kOy + 30);                       // nothing there
    EXPECT_TRUE(Marked(ws::kColumns[0], ws::kUpperRows[4]));
    EXPECT_FALSE(Marked(ws::kColumns[1], ws::kUpperRows[3]));
    EXPECT_FALSE(Marked(ws::kColumns[4], ws::kUpperRows[1]));
    EXPECT_TRUE(frame_->received.empty());
    EXPECT_EQ(gs.ng_land, 2);  // nothing written before OK

    Click(kOx + ws::kOkButtonX + 50, kOy + ws::kButtonsY + 20);
    ASSERT_EQ(Sent(kMsgNewWorldDone).size(), 1u);
    EXPECT_EQ(Sent(kMsgNewWorldDone)[0].lParam, 0);
    EXPECT_EQ(gs.ng_land, 4);
    EXPECT_EQ(gs.ng_mountains, 0);
    EXPECT_EQ(gs.ng_forests, 1);
    EXPECT_EQ(gs.ng_towns, 3);
    EXPECT_EQ(gs.ng_site_distance, 4);
    EXPECT_EQ(gs.regen_world, 0);
    EXPECT_EQ(gs.regen_woods, 1);
    EXPECT_EQ(Pixel(s, kOx + 5, kOy + 5), 0);  // the screen is black
}

// Every way to leave: Enter presses OK (shown pressed) and writes the
// settings; the back button and the cancel command of an abort leave them.
// Other characters are not the screen's.
TEST_F(NewWorldScreen, EnterOkBackAndCancel) {
    struct Way {
        const char* name;
        std::function<void(FS_NEUE_WELT&)> leave;
        plat::LParam result;
    };
    const Way ways[] = {
        {"enter", [](FS_NEUE_WELT& s) { s.SendMessage(WM_CHAR, 13); }, 0},
        {"back",
         [this](FS_NEUE_WELT&) { Click(kOx + ws::kBackButtonX + 50, kOy + ws::kButtonsY + 20); },
         1},
        {"cancel",
         [](FS_NEUE_WELT& s) { s.SendMessage(WM_COMMAND, kNewWorldScreenEntry.cancel_command, 0); },
         1},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        game_.state().ng_land = 1;
        frame_->received.clear();
        delete screen_;
        FS_NEUE_WELT& s = Open();
        EXPECT_NE(s.SendMessage(WM_CHAR, 'a'), 1);
        ClickOption(ws::kColumns[0], ws::kUpperRows[0]);
        EXPECT_TRUE(frame_->received.empty());
        way.leave(s);
        ASSERT_EQ(Sent(kMsgNewWorldDone).size(), 1u);
        EXPECT_EQ(Sent(kMsgNewWorldDone)[0].lParam, way.result);
        EXPECT_EQ(game_.state().ng_land, way.result == 0 ? 4 : 1);
        if (way.result == 0) {
            EXPECT_EQ(s.buttons[0]->state, 1);
            EXPECT_EQ(Pixel(*s.buttons[0], 5, 5), kOkPressedInk);
        }
    }
}

TEST_F(EditorStartScreen, ChoosesTheStartCapitalAndFillsTheSmallestScreen) {
    FS_EDITORSTART& s = Open();
    const int32_t column = ws::kColumns[ws::kCapitalColumn];
    EXPECT_EQ(s.start_capital, 300000);
    EXPECT_TRUE(Marked(column, ws::kUpperRows[1]));
    ClickOption(column, ws::kUpperRows[3]);
    EXPECT_EQ(s.start_capital, 1000000);
    EXPECT_TRUE(Marked(column, ws::kUpperRows[3]));
    EXPECT_FALSE(Marked(column, ws::kUpperRows[1]));
    s.SendMessage(WM_CHAR, 13);
    s.SendMessage(WM_COMMAND, kCmdBack, 0);
    ASSERT_EQ(Sent(kMsgEditorStartDone).size(), 2u);
    EXPECT_EQ(Sent(kMsgEditorStartDone)[0].lParam, 0);
    EXPECT_EQ(Sent(kMsgEditorStartDone)[1].lParam, 1);

    delete screen_;
    game_.state().screen_width = 640;
    game_.state().screen_height = 480;
    FS_EDITORSTART& small = Open();
    EXPECT_EQ(small.origin_x, 0);
    EXPECT_EQ(Pixel(small, 5, 5), kPictureInk);
    EXPECT_EQ(Pixel(small, ws::kColumns[2] + 8, ws::kUpperRows[1] + 8), kMarkerInk);
}

}  // namespace
}  // namespace worldgen
