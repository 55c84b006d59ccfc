// What the random-play soak found: the end of a running game takes the
// screens of that game with it.

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "app/app_globals.h"
#include "app/interface_hooks.h"
#include "app/main_frame.h"
#include "panel/control_panel.h"
#include "screens/economy/factory_overview_screen.h"
#include "screens/economy/store_overview_screen.h"
#include "screens/vehicles/vehicle_overview.h"
#include "state/messages.h"
#include "support/frame_host.h"
#include "view/world_view.h"
#include "world/terrain.h"

namespace {

// An overview left open when the game ends (a level's result screen came
// over it, and its OK went back to the title) stayed behind the next game's
// world view, where no click reached it: ending the game deletes it.
TEST(NothingBreaks, TheEndOfAGameTakesItsOpenOverviewWithIt) {
    fvtest::FrameHost h({800, 600});
    fvtest::WriteWorldPictures(h.folder.Path());
    g_pTerrain = new CTerrain;  // the frame's close deletes it
    GetFrameHooks().create_world_view = &MakeWorldView;
    GetViewHooks().create_panel = &CreateControlPanel;
    const std::pair<uint32_t, FrameScreen> overviews[] = {
        {kMsgOpenFactoryOverview, FrameScreen::FactoryOverview},
        {kMsgOpenStoreOverview, FrameScreen::StoreOverview},
        {kMsgOpenVehicleOverview, FrameScreen::VehicleOverview}};
    int32_t opened = 0;
    for (const auto& [message, slot] : overviews) {
        const std::string which = std::to_string(static_cast<int32_t>(slot));
        ASSERT_TRUE(h.frame->StartWorldView(kModeGame)) << which;
        h.Run();
        h.frame->SendMessage(message);
        h.Run();
        if (h.frame->Screen(slot) == nullptr) continue;  // nothing to show in an empty world
        ++opened;
        h.frame->SendMessage(kMsgEndRunningGame);
        h.Run();
        EXPECT_EQ(h.frame->Screen(slot), nullptr) << which;
        EXPECT_EQ(g_pSpielFeld, nullptr) << which;
    }
    EXPECT_GE(opened, 2);
    EXPECT_EQ(
        std::tuple(static_cast<void*>(g_pFactoryOverview), static_cast<void*>(g_pStoreOverview),
                   static_cast<void*>(g_pVehicleOverview)),
        std::tuple(nullptr, nullptr, nullptr));
    // A new game starts with no screen over it.
    ASSERT_TRUE(h.frame->StartWorldView(kModeGame));
    h.Run();
    for (const auto& [message, slot] : overviews) EXPECT_EQ(h.frame->Screen(slot), nullptr);
    GetViewHooks().create_panel = nullptr;
}

}  // namespace
