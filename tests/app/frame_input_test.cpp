// Input through the main frame: the mouse-move throttle over the world view
// with the idle pass's replay, and the keys that the frame's accelerators
// turn into its own commands.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <iterator>
#include <vector>

#include "app/app_globals.h"
#include "app/interface_hooks.h"
#include "app/main_frame.h"
#include "economy/building.h"
#include "economy/building_table.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "support/frame_host.h"

namespace {

using fvtest::FrameHost;
using fvtest::RecordingView;

RecordingView* AddView(FrameHost& h) {
    auto* view = new RecordingView;
    view->Create(h.frame, {0, 0, 800, 600}, WS_CHILD | WS_VISIBLE);
    SetWorldView(view);
    return view;
}

TEST(FrameInputTest, MouseMoveBurstOverTheViewIsOneMoveReplayedByTheIdlePass) {
    FrameHost h;
    RecordingView* view = AddView(h);
    h.host.SetClock(1000);
    for (int32_t step = 0; step < 5; ++step) {  // five moves within 200 ms
        h.host.InjectMouseMove({100 + 10 * step, 100});
        h.Turn();
        h.host.AdvanceClock(50);
    }
    ASSERT_EQ(view->Moves().size(), 1u);
    EXPECT_EQ(view->Moves()[0].time, 1000u);
    EXPECT_EQ(g_MouseMoveTime.pending, 1);
    EXPECT_EQ(g_MouseMoveTime.time, 1200u);  // the last real move

    h.host.SetClock(1450);  // 250 ms after the last move: not yet
    h.Turn();
    EXPECT_EQ(view->Moves().size(), 1u);
    h.host.SetClock(1451);
    h.Turn();
    ASSERT_EQ(view->Moves().size(), 2u);
    EXPECT_EQ(view->Moves()[1].lParam, 0);
    EXPECT_EQ(view->Moves()[1].wParam, 0u);
    EXPECT_EQ(g_MouseMoveTime.pending, 0);
    h.Turn();
    EXPECT_EQ(view->Moves().size(), 2u);

    // 250 ms after the last handled one a move goes through again.
    h.host.SetClock(1250 + 1000);
    h.host.InjectMouseMove({300, 300});
    h.Turn();
    EXPECT_EQ(view->Moves().size(), 3u);
}

TEST(FrameInputTest, MoveOutsideTheViewFlushesItsPreview) {
    FrameHost h;
    RecordingView* view = AddView(h);
    h.host.SetClock(1000);
    h.host.InjectMouseMove({900, 700});  // over the frame, beside the view
    h.Run();
    EXPECT_EQ(view->Count("FlushPendingRedraw"), 1);
    EXPECT_TRUE(view->Moves().empty());
    EXPECT_EQ(g_MouseMoveTime.pending, 0);
}

TEST(FrameInputTest, SpaceAndArrowsSetTheOrientationOfDepotsAndStations) {
    FrameHost h;
    CGameState& gs = *h.gs;
    RecordingView* view = AddView(h);
    view->cursor_x = view->cursor_y = view->prev_cursor_x = view->prev_cursor_y = 7;
    struct Press {
        int32_t type;
        uint32_t key;
        int32_t orientation;
    };
    // Round the four with space, arrows set one; another building type has
    // no orientation: always 0.
    for (const Press p : {Press{0, VK_SPACE, 1},
                          {0, VK_SPACE, 2},
                          {0, VK_SPACE, 3},
                          {0, VK_SPACE, 0},
                          {0, VK_LEFT, 3},
                          {6, VK_DOWN, 2},
                          {14, VK_RIGHT, 0},
                          {14, VK_SPACE, 0}}) {
        gs.selected_building_type = p.type;
        h.host.InjectKeyPress(p.key, p.key == VK_SPACE ? ' ' : 0);
        h.Run();
        EXPECT_EQ(gs.build_orientation, p.orientation) << p.type << " " << p.key;
    }
    EXPECT_EQ(view->cursor_x, -1);  // the preview follows at once
    EXPECT_EQ(view->prev_cursor_y, -1);
    EXPECT_FALSE(view->Moves().empty());

    // While a screen is open the keys are off.
    gs.selected_building_type = 0;
    h.frame->SendMessage(kMsgDisableKeys);
    h.host.InjectKeyPress(VK_SPACE, ' ');
    h.Run();
    EXPECT_EQ(gs.build_orientation, 0);
    h.frame->SendMessage(kMsgEnableKeys);
    h.host.InjectKeyPress(VK_SPACE, ' ');
    h.Run();
    EXPECT_EQ(gs.build_orientation, 1);
}

// Switched on in a running game, every animated building of the table gets
// the animation of its type (and the objects are redrawn, the music handed
// back); switched off, the view forgets them all.
TEST(FrameInputTest, AnimationsOnRegisterTheAnimatedBuildings) {
    FrameHost h;
    // The world's pictures, which the view's animations need.
    fvtest::WriteWorldPictures(h.folder.Path() + "/world");
    for (int32_t group : {kPathBase, kPathVehicles, kPathWorld, kPathGraphics}) {
        for (int32_t copy = 0; copy < kDataPathCopies; ++copy) {
            std::snprintf(h.gs->data_paths[group * kDataPathCopies + copy], kDataPathLength,
                          "%s/world", h.folder.Path().c_str());
        }
    }
    RecordingView* view = AddView(h);
    CBuildingTable table;
    g_ppBuildings = &table;
    const int32_t types[] = {11, 12, 13, 14, 15, 16, 17, 18, 21, 28, 29, 30, 31};
    for (int32_t i = 0; i < static_cast<int32_t>(std::size(types)); ++i) {
        auto* b = new CBuilding(10 + i, 20 + i);
        b->type = types[i];
        table.buildings[1 + 3 * i] = b;
    }
    h.gs->opt_animations = 0;
    h.frame->SendMessage(WM_COMMAND, kCmdToggleAnimations);
    EXPECT_EQ(h.gs->opt_animations, 1);
    EXPECT_EQ(h.gs->redraw_objects, 1);
    EXPECT_EQ(h.sound->Count("ResumeMusic"), 1);
    using A = RecordingView::Animation;
    EXPECT_EQ(view->animations, (std::vector<A>{{10, 20, 2},
                                                {11, 21, 1},
                                                {12, 22, 0},
                                                {14, 24, 4},
                                                {16, 26, 3},
                                                {17, 27, 5},
                                                {19, 29, 8},
                                                {20, 30, 9},
                                                {21, 31, 10},
                                                {22, 32, 11}}));

    h.frame->SendMessage(WM_COMMAND, kCmdToggleAnimations);
    EXPECT_EQ(h.gs->opt_animations, 0);
    EXPECT_EQ(view->Count("ClearAnimations"), 1);
    EXPECT_TRUE(view->animations.empty());
    table.FreeAll();
    g_ppBuildings = nullptr;
}

// A missing animation picture answered with Cancel ends the program while
// the animations are being switched on; the frame goes on without its view.
TEST(FrameInputTest, AnimationsOnWithoutTheirPicturesEndTheProgram) {
    FrameHost h;
    AddView(h);
    h.gs->opt_animations = 0;
    h.frame->SendMessage(WM_COMMAND, kCmdToggleAnimations);
    EXPECT_FALSE(h.host.MessageBoxes().empty());
    EXPECT_EQ(g_pSpielFeld, nullptr);
    EXPECT_TRUE(plat::QuitRequested());
}

}  // namespace
