#pragma once
// A free game started the way the player starts one (WM_USER+50 to the main
// frame) on the headless back end, with the stand-in pictures of autumn in
// every rotation and a fixed random seed, so that the world and its pictures
// are the same on every run.

#include <cstdint>
#include <string>

#include "platform/surface.h"
#include "support/frame_host.h"
#include "view/world_view.h"

namespace viewtest {

constexpr uint32_t kWorldSeed = 20260;

class ViewHost {
  public:
    // With `generate` a free game on the fixed seed, else a world view over
    // the empty (flat, all water) map.
    explicit ViewHost(plat::Size screen = {1024, 768}, bool generate = true);
    ~ViewHost();

    SPIEL_FELD& view() { return *g_pSpielFeld; }
    CGameState& gs() { return *h.gs; }
    // Sets rotation and zoom (reloading the rotation's pictures) and
    // redraws everything; zoom 16 resets the camera to the overview.
    void Show(int32_t rotation, int32_t zoom);
    // The composite buffer as a surface, and its colours.
    plat::Surface Picture() const;
    plat::RgbTable Colours() const;
    // FNV-1a hash of the composite buffer.
    uint64_t PictureHash() const;

    fvtest::FrameHost h;
};

}  // namespace viewtest
