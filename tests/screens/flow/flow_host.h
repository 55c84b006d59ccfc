#pragma once
// The main frame with the whole stand-in data folder (autumn's pictures and
// the tutorial's), a terrain, the real world view and a fixed seed for new
// games: the game-flow screens as the player reaches them.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "support/frame_host.h"

namespace flowtest {

class FlowHost {
  public:
    // With `levels` the stand-in levels and their texts are copied in too.
    explicit FlowHost(plat::Size screen = {1024, 768}, bool levels = false);
    ~FlowHost();
    CGameState& gs() { return *h.gs; }
    // A left click at a point of the screen, the messages it causes handled.
    void Click(int32_t x, int32_t y);
    void Char(uint8_t c);
    void Key(int32_t virtual_key);
    // The open screen of a frame slot as its class.
    template <typename T>
    T* Screen(FrameScreen slot) {
        return dynamic_cast<T*>(h.frame->Screen(slot));
    }
    // Where the 640 x 480 area of a centred screen starts.
    plat::Point Origin() const;

  private:
    const std::string& standin_;  // made before the host's game state exists

  public:
    fvtest::FrameHost h;
    std::string folder;  // the data folder every data path points at
};

// The data folder with the levels, written once per test program (before
// any game state of a test exists: the levels are made by the game's code).
const std::string& StandinFolder();

// Gives the world a palette of its own; notes at each `message` sent
// whether the screen then shows the world's colours.
std::shared_ptr<std::vector<bool>> WatchWorldPalette(CGameState& gs, uint32_t message);

}  // namespace flowtest
