// The factory and store overviews with fewer of the player's buildings than
// places on the page: every place keeps its two buttons, a place without a
// building stays empty and its buttons change nothing, and a place that
// holds a building still opens its screen.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "screens/economy/economy_screen_host.h"
#include "screens/economy/factory_overview_screen.h"
#include "screens/economy/statistics_layout.h"
#include "screens/economy/store_overview_screen.h"

namespace {

namespace ss = statistics_screens;

struct OverviewGame : econscreens::ScreenHost {
    using ScreenHost::Click;
    using ScreenHost::gs;
    using ScreenHost::h;
    using ScreenHost::OpenBy;
    using ScreenHost::Place;
    using ScreenHost::Select;
    using ScreenHost::view_;
    ~OverviewGame() override {
        h.frame->DeleteScreen(FrameScreen::FactoryOverview);
        h.frame->DeleteScreen(FrameScreen::StoreOverview);
    }
    void TestBody() override {}
};

struct OverviewCase {
    const char* name;
    // Places the player's buildings (fewer than three) and opens the overview.
    std::function<FullScreen*(OverviewGame&)> open;
    FrameScreen slot;
    FrameScreen opened;  // the screen a place's first button opens
    const plat::Point* open_buttons;
    const plat::Point* go_to_buttons;
    int32_t buildings;
};

// What a click could change: the screens of the frame, the overview's
// choices, the game state's kept choices and the world view's field.
auto Observed(OverviewGame& g, const BuildingOverview& s) {
    const CGameState& gs = g.gs();
    return std::tuple(g.h.frame->Screen(FrameScreen::FactoryOverview),
                      g.h.frame->Screen(FrameScreen::StoreOverview),
                      g.h.frame->Screen(FrameScreen::Production),
                      g.h.frame->Screen(FrameScreen::StoreSales), s.IsWindowVisible(), s.opened_row,
                      s.opened_building, gs.screen_open, gs.factory_overview_sort,
                      std::vector<int32_t>(gs.store_overview_filter, gs.store_overview_filter + 8),
                      g.view_->cursor_x, g.view_->cursor_y);
}

TEST(RightInEveryGame, AnOverviewsEmptyPlacesKeepTheirButtonsWhichChangeNothing) {
    const OverviewCase cases[] = {
        {"one factory",
         [](OverviewGame& g) -> FullScreen* {
             g.Place(18, 30, 30);
             g.Place(18, 60, 60, 1);  // an opponent's: not listed
             g.Select(0, 0);
             return g.OpenBy<FS_FA_UEBER>(kMsgOpenFactoryOverview, FrameScreen::FactoryOverview);
         },
         FrameScreen::FactoryOverview, FrameScreen::Production, ss::kProductionButtons,
         ss::kFactoryLocationButtons, 1},
        {"two stores",
         [](OverviewGame& g) -> FullScreen* {
             g.Place(21, 14, 14);
             g.Place(24, 20, 20);
             g.Select(0, 0);
             for (int32_t& flag : g.gs().store_overview_filter) flag = 1;
             return g.OpenBy<FS_KH_UEBER>(kMsgOpenStoreOverview, FrameScreen::StoreOverview);
         },
         FrameScreen::StoreOverview, FrameScreen::StoreSales, ss::kSalesButtons,
         ss::kStoreLocationButtons, 2},
    };
    constexpr int32_t kW = ss::kRowButtonWidth;
    constexpr int32_t kH = ss::kRowButtonHeight;
    for (const OverviewCase& c : cases) {
        SCOPED_TRACE(c.name);
        OverviewGame g;
        auto* s = dynamic_cast<BuildingOverview*>(c.open(g));
        ASSERT_NE(s, nullptr);
        // All six place buttons stand on the page.
        for (uint16_t command = kCmdOverviewOpen; command < kCmdOverviewGoTo + 3; ++command) {
            int32_t visible = 0;
            for (const auto& b : s->buttons) {
                visible += b->command_id == command && b->IsWindowVisible() ? 1 : 0;
            }
            EXPECT_EQ(visible, 1) << command;
        }
        // The empty places' buttons, clicked as the player would.
        const auto before = Observed(g, *s);
        const uint64_t picture = fvtest::ScreenHash(1024, 768);
        for (int32_t place = c.buildings; place < 3; ++place) {
            for (const plat::Point* at : {c.open_buttons, c.go_to_buttons}) {
                g.Click(*s, at[place].x + kW / 2, at[place].y + kH / 2);
                EXPECT_EQ(Observed(g, *s), before) << place;
                EXPECT_EQ(fvtest::ScreenHash(1024, 768), picture) << place;
            }
        }
        // The first place holds a building: its button opens the building's screen.
        g.Click(*s, c.open_buttons[0].x + kW / 2, c.open_buttons[0].y + kH / 2);
        EXPECT_NE(g.h.frame->Screen(c.opened), nullptr);
        EXPECT_EQ(std::pair(s->opened_row >= 0, s->IsWindowVisible()), std::pair(true, false));
        g.h.frame->DeleteScreen(c.opened);
    }
}

}  // namespace
