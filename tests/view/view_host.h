#pragma once
// A free game started the way the player starts one, on the headless back
// end with autumn's stand-in pictures in every rotation and a fixed seed.

#include <cstdint>

#include "platform/surface.h"
#include "support/frame_host.h"
#include "view/world_view.h"

namespace viewtest {

class ViewHost {
  public:
    // With `generate` a free game, else a world view over the empty (all water) map.
    explicit ViewHost(plat::Size screen = {1024, 768}, bool generate = true);
    ~ViewHost();
    SPIEL_FELD& view() { return *g_pSpielFeld; }
    CGameState& gs() { return *h.gs; }
    // Sets rotation and zoom and redraws everything; zoom 16 shows the overview.
    void Show(int32_t rotation, int32_t zoom);
    // The composite buffer, its colours and its FNV-1a hash.
    plat::Surface Picture() const;
    plat::RgbTable Colours() const;
    uint64_t PictureHash() const;
    fvtest::FrameHost h;
};

}  // namespace viewtest
