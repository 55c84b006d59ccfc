// The frame's keyboard commands: the guards of the keys that press panel
// headings, the bookmarks, and the panel moving to the other side.

#include <gtest/gtest.h>

#include <vector>

#include "app/interface_hooks.h"
#include "app/main_frame.h"
#include "panel/control_panel.h"
#include "state/game_state.h"
#include "support/frame_host.h"

namespace {

using fvtest::FrameHost;

// A panel that keeps the commands it gets instead of acting on them.
class CommandPanel : public HAUPTDIALOG {
  public:
    std::vector<uint32_t> commands;

  protected:
    void OnPanelCommand(uint32_t command) override { commands.push_back(command); }
};

struct KeyWorld {
    FrameHost h;
    fvtest::RecordingView* view = new fvtest::RecordingView;
    CommandPanel* panel = new CommandPanel;

    KeyWorld() {
        view->Create(h.frame, {162, 0, 1024, 768}, WS_CHILD | WS_VISIBLE);
        panel->Create(h.frame, {0, 0, 162, 768}, WS_CHILD | WS_VISIBLE);
        g_pHauptDialog = panel;
        SetWorldView(view);
    }
    ~KeyWorld() {
        SetWorldView(nullptr);
        g_pHauptDialog = nullptr;
        delete panel;
        delete view;
    }
    // The commands the panel got for one key.
    std::vector<uint32_t> Press(uint16_t command) {
        panel->commands.clear();
        h.frame->SendMessage(WM_COMMAND, command);
        return panel->commands;
    }
};

TEST(FrameKeys, KeysPressTheirHeadingOnlyWhereTheirGuardsAllow) {
    const struct {
        uint16_t key;
        int32_t mode, zoom, pause;
        std::vector<uint32_t> sent;
    } cases[] = {
        {40335, kModeGame, 1, 0, {40228}},  // A: no tool
        {40335, kModeEditor, 1, 0, {}},
        {40335, kModeGame, 16, 0, {}},
        {40335, kModeGame, 1, 1, {}},
        {40329, kModeEditor, 1, 0, {}},            // B: not in the editor
        {40330, kModeEditor, 1, 0, {40232}},       // I: the editor's rename
        {40330, kModeGame, 16, 0, {}},             //    not on the overview
        {40323, kModeGame, 1, 0, {40215, 40394}},  // L: file, Load
        {40323, kModeEditor, 1, 0, {40230}},
        {40325, kModeEditor, 1, 0, {}},            // O: nothing in the editor
        {40322, kModeGame, 1, 0, {40214, 40318}},  // Q: game, End
        {40322, kModeEditor, 1, 0, {40229}},
        {40333, kModeGame, 1, 1, {}},                // H: not while paused
        {40338, kModeEditor, 1, 0, {40233, 40266}},  // 2: the view list, 1:2
    };
    for (const auto& c : cases) {
        KeyWorld w;
        w.h.gs->game_mode = c.mode;
        w.h.gs->user_pause = c.pause;
        w.view->zoom = c.zoom;
        EXPECT_EQ(w.Press(c.key), c.sent) << c.key << " mode " << c.mode;
    }
}

TEST(FrameKeys, BookmarkRecallReturnsToTheStoredField) {
    KeyWorld w;
    CGameState& gs = *w.h.gs;
    for (const int32_t origin : {20, 23, 27}) {
        for (int32_t rotation = 0; rotation < 4; ++rotation) {
            gs.rotation = rotation;
            w.view->view_origin = origin;
            w.view->centre_x = (130 - 77) / 2.0;
            w.view->centre_y = (130 + 77) / 2.0 - origin;
            w.Press(40351 + 3);  // Shift+F4
            w.view->centre_x = w.view->centre_y = 0.0;
            w.Press(40341 + 3);  // F4
            EXPECT_DOUBLE_EQ(w.view->centre_x, 26.5) << origin << " " << rotation;
            EXPECT_DOUBLE_EQ(w.view->centre_y, 103.5 - origin) << origin << " " << rotation;
        }
    }
    // An empty bookmark recalls nothing; the overview stores nothing.
    w.Press(40341 + 5);
    EXPECT_DOUBLE_EQ(w.view->centre_x, 26.5);
    w.view->zoom = 16;
    w.Press(40351 + 5);
    EXPECT_EQ(gs.bookmarks[5].x, -1);
}

TEST(FrameKeys, MTwiceRestoresTheLayout) {
    KeyWorld w;
    w.h.gs->view_width = 1024 - 164;  // the view window is 862 wide
    const plat::Rect view = w.view->GetWindowRect();
    const plat::Rect panel = w.panel->GetWindowRect();
    w.Press(40316);
    EXPECT_EQ(w.view->GetWindowRect().left, panel.left);
    EXPECT_EQ(w.panel->GetWindowRect().left, w.view->GetWindowRect().right);
    w.Press(40316);
    EXPECT_EQ(w.view->GetWindowRect(), view);
    EXPECT_EQ(w.panel->GetWindowRect(), panel);
}

}  // namespace
