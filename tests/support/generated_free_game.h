#pragma once
// The start of a free game through the real frame, world view and control
// panel, on the generated world of a fixed seed with the stand-in pictures.
// The hooks it sets are taken out again when it goes.

#include <cstdint>
#include <cstdio>

#include "app/interface_hooks.h"
#include "app/main_frame.h"
#include "panel/control_panel.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "state/tree_images.h"
#include "state/world_images.h"
#include "support/frame_host.h"
#include "view/world_view.h"
#include "world/terrain.h"

namespace fvtest {

class GeneratedFreeGameStart {
  public:
    // Runs the frame up to the first of the new game's choices.
    explicit GeneratedFreeGameStart(FrameHost& h) {
        for (auto& path : h.gs->data_paths)
            std::snprintf(path, sizeof path, "%s", GamePictureFolder().c_str());
        h.gs->season = 3;
        LoadStartupImages();
        GetWorldImageHooks().load_tree_images = &LoadTreeImages;
        GetViewHooks().create_panel = &CreateControlPanel;
        g_pTerrain = new CTerrain;  // the frame's shutdown deletes it
        GetFrameHooks().create_world_view = &MakeWorldView;
        GetFrameHooks().new_game_seed = []() -> uint32_t { return 20260; };
        h.frame->SendMessage(kMsgStartGame, 0, 0);
        h.Run();
    }
    ~GeneratedFreeGameStart() {
        GetFrameHooks().new_game_seed = nullptr;
        GetFrameHooks().create_world_view = nullptr;
        GetViewHooks().create_panel = nullptr;
        GetWorldImageHooks().load_tree_images = nullptr;
    }
    GeneratedFreeGameStart(const GeneratedFreeGameStart&) = delete;
    GeneratedFreeGameStart& operator=(const GeneratedFreeGameStart&) = delete;
};

}  // namespace fvtest
