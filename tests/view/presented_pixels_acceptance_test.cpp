// What the screen presents of a running and a paused game, counted on the
// headless back end: paused by the player, a map without field animations
// (they go on under P) presents nothing over 100 frames, and a running game
// with one truck presents only the truck's old and new places, which add up
// to the whole screen composed anew.

#include <gtest/gtest.h>

#include <algorithm>

#include "app/game_app.h"
#include "platform/compositor.h"
#include "platform/screen.h"
#include "state/game_state.h"
#include "transport/vehicle_list.h"
#include "view/traffic_world.h"
#include "view/view_host.h"

namespace {

constexpr int32_t kFrameMs = 26;

bool Inside(const plat::Rect& inner, const plat::Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

class PresentedPixels : public ::testing::Test {
  protected:
    void SetUp() override {
        // One truck on the first road: every other vehicle leaves, the
        // factories stop animating.
        truck = world.trucks[0];
        for (VehicleListNode* n = g_pVehicleList; n != nullptr; n = n->next) {
            if (n->vehicle != truck) n->vehicle->removal_flag = 1;
        }
        host.gs().opt_animations = 0;
        host.view().ClearAnimations();
        world.Run(1);
        ASSERT_EQ(g_pVehicleList->next, nullptr);
        world.Run(60);  // out of the depot onto the road
        world.Look(truck->pos_x, truck->pos_y, 0, 1);
        Frame();  // the whole view, drawn anew
    }
    // One frame of the main loop and the loop's present.
    void Frame() {
        host.h.host.AdvanceClock(kFrameMs);
        app.UpdateFrame();
        plat::PresentScreen();
    }
    // The truck's place on the screen.
    plat::Rect TruckOnScreen() {
        const int32_t* box = truck->screen_box;
        return host.view().ClientToScreen(plat::Rect{box[0], box[2], box[1], box[3]});
    }
    int64_t Presented() const { return host.h.host.PresentedPixels(); }

    viewtest::ViewHost host;
    viewtest::TrafficWorld world{host};
    CGameApp app;
    CVehicle* truck = nullptr;
};

TEST_F(PresentedPixels, APausedGamePresentsNothingOverAHundredFrames) {
    host.gs().user_pause = 1;
    Frame();
    const int64_t before = Presented();
    const int presents = host.h.host.PresentCount();
    for (int32_t i = 0; i < 100; ++i) Frame();
    EXPECT_EQ(std::tuple(Presented() - before, host.h.host.PresentCount() - presents),
              std::tuple(0, 0));
    // Going on, the truck moves and is shown again.
    host.gs().user_pause = 0;
    for (int32_t i = 0; i < 4; ++i) Frame();
    EXPECT_GT(Presented(), before);
}

TEST_F(PresentedPixels, ARunningTruckPresentsOnlyItsRectangles) {
    const plat::Rect view = host.view().ClientToScreen(host.view().GetClientRect());
    int32_t frames_with_pixels = 0;
    for (int32_t i = 0; i < 100; ++i) {
        const plat::Rect before = TruckOnScreen();
        const int64_t presented = Presented();
        const int presents = host.h.host.PresentCount();
        Frame();
        const plat::Rect places = plat::Intersect(plat::Union(before, TruckOnScreen()), view);
        if (host.h.host.PresentCount() == presents) continue;  // it stood still
        ++frames_with_pixels;
        for (const plat::Rect& r : host.h.host.LastPresentedRects()) {
            ASSERT_TRUE(Inside(r, places))
                << "frame " << i << ": " << r.left << "," << r.top << "-" << r.right << ","
                << r.bottom << " outside " << places.left << "," << places.top << "-"
                << places.right << "," << places.bottom;
        }
        EXPECT_LE(Presented() - presented, int64_t{places.Width()} * places.Height());
        // What was presented, rectangle by rectangle, is the screen composed anew.
        ASSERT_TRUE(host.h.host.LastPresentedScreen().pixels == plat::ComposeScreen().pixels)
            << "frame " << i;
    }
    EXPECT_GE(frames_with_pixels, 50);  // it drove
}

}  // namespace
