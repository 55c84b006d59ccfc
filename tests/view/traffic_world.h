#pragma once
// Traffic on the generated world of a hosted view: a flattened box of land
// with five roads between truck depots, five rail lines between stations,
// and three factories whose buildings are animated and carry name plates and
// production signs; 20 trucks and 5 trains that run their schedules.

#include <cstdint>
#include <vector>

#include "view/view_host.h"

class CVehicle;

namespace viewtest {

class TrafficWorld {
  public:
    static constexpr int32_t kWidth = 44;  // fields of the box along x
    static constexpr int32_t kDepth = 40;  // and along y

    // Picks the flattest box of land of the host's world and builds on it.
    explicit TrafficWorld(ViewHost& host);
    // Runs `frames` frame updates of the main loop, 26 fake ms apart.
    void Run(int32_t frames);
    // Centres the camera on field (x, y) in the rotation and zoom and redraws
    // everything.
    void Look(int32_t x, int32_t y, int32_t rotation, int32_t zoom);
    int32_t x0 = 0;
    int32_t y0 = 0;
    std::vector<CVehicle*> trucks;
    std::vector<CVehicle*> trains;

  private:
    int32_t Place(int32_t type, int32_t x, int32_t y);
    void Way(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t way_type);
    void FinishWays(int32_t xa, int32_t ya, int32_t xb, int32_t yb);
    void Station(int32_t x, int32_t y);
    ViewHost& host_;
};

}  // namespace viewtest
