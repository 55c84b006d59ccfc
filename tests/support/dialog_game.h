#pragma once
// A game at 800 x 600 on the real frame, world view and control panel, with
// the stand-in pictures: what the dialog screens' tests open them over.

#include <gtest/gtest.h>

#include "app/interface_hooks.h"
#include "app/main_frame.h"
#include "panel/control_panel.h"
#include "platform/input.h"
#include "state/game_state.h"
#include "state/world_images.h"
#include "support/frame_host.h"
#include "view/world_view.h"
#include "world/terrain.h"

namespace fvtest {

class DialogGame : public ::testing::Test {
  protected:
    explicit DialogGame(int32_t mode = kModeGame) : h({800, 600}) {
        WriteWorldPictures(h.folder.Path());
        LoadStartupImages();        // the fonts
        g_pTerrain = new CTerrain;  // the frame's shutdown deletes it
        GetFrameHooks().create_world_view = &MakeWorldView;
        GetViewHooks().create_panel = &CreateControlPanel;
        EXPECT_TRUE(h.frame->StartWorldView(mode));
        h.Run();
    }
    ~DialogGame() override {
        GetFrameHooks().create_world_view = nullptr;
        GetViewHooks().create_panel = nullptr;
    }
    HAUPTDIALOG& Panel() { return *g_pHauptDialog; }
    SPIEL_FELD& View() { return *g_pSpielFeld; }
    plat::Window* Open(PanelPopup slot) { return Panel().Popup(slot); }
    // A click at a point of a window's client area.
    void ClickAt(plat::Window* w, plat::Point p) {
        h.host.InjectClick(w->ClientToScreen(p));
        h.Run();
    }
    void Key(int32_t key, uint8_t character = 0) {
        h.host.InjectKeyPress(key, character);
        h.Run();
    }
    void Type(std::string_view text) {
        for (char c : text) h.host.InjectChar(static_cast<uint8_t>(c));
        h.Run();
    }
    FrameHost h;
    CGameState& gs = *h.gs;
};

}  // namespace fvtest
