// The world view's picture after field animation steps, drawn one by one,
// under a full screen or under P, after what changed while a screen covered
// it or while the start's choices were open, against the picture a full
// redraw of the same state makes.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <tuple>
#include <vector>

#include "app/app_globals.h"
#include "app/game_app.h"
#include "app/game_files.h"
#include "app/game_tick.h"
#include "app/level_file.h"
#include "app/main_frame.h"
#include "cities/city_area.h"
#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "panel/control_panel.h"
#include "platform/compositor.h"
#include "platform/screen.h"
#include "state/data_tables.h"
#include "state/game_files.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "support/full_redraw.h"
#include "support/generated_free_game.h"
#include "support/player_building.h"
#include "transport/truck.h"
#include "transport/vehicle_list.h"
#include "view/field_animation.h"
#include "view/traffic_world.h"
#include "view/vehicle_frames.h"
#include "view/view_host.h"
#include "world/tile_marker.h"

namespace {

constexpr uint32_t kFrameMs = 26;

int32_t DifferentPixels(const plat::Surface& a, const plat::Surface& b) {
    int32_t n = 0;
    for (int32_t y = 0; y < a.height; ++y) {
        for (int32_t x = 0; x < a.width; ++x) n += a.Row(y)[x] != b.Row(y)[x] ? 1 : 0;
    }
    return n;
}

// A generated free game without vehicles, seen at 1:1 in rotation 0, in
// January (no random restart), with one one-shot animation of `type` on the
// centre field and nothing else animated.
class OneShotScene {
  public:
    explicit OneShotScene(int32_t type) {
        DeleteAllVehicles();
        host.gs().month = 0;
        host.view().ClearAnimations();
        host.Show(0, 1);
        host.view().AddAnimation(host.view().CentreP(), host.view().CentreQ(), type);
        host.view().ForceFullRedraw();
    }
    ViewAnimation& OneShot() { return host.view().animation_list.front(); }
    // Runs the one-shot from frame 1 for two rounds (30 steps, under four
    // seconds), the loop's clocks set as at a fresh start.
    void Restart() {
        std::tie(OneShot().frame, OneShot().countdown) = std::pair(1, 2);
        FrameTimers& t = host.gs().timers;
        t.anim_time = t.frame_time = host.h.host.Now();
    }
    // Main loop frames for `ms` milliseconds, each presented.
    void Run(uint32_t ms) {
        for (uint32_t done = 0; done < ms; done += kFrameMs) {
            host.h.host.AdvanceClock(kFrameMs);
            app.UpdateFrame();
            plat::PresentScreen();
        }
    }
    // The picture a full redraw of the present state makes.
    plat::Surface FullRedraw() {
        host.view().ForceFullRedraw();
        return host.Picture();
    }
    viewtest::ViewHost host;
    CGameApp app;
};

// The statistics screen leaves the game running: a one-shot animation that
// ends under it shows its resting cell once the screen is closed, as it
// does when nothing covered the view and as a full redraw shows it.
TEST(RightInEveryGame, AOneShotEndingUnderTheStatisticsScreenShowsItsRestOnceItCloses) {
    OneShotScene scene(11);
    ASSERT_TRUE(scene.host.gs().images.animation_sets[11].Loaded());
    scene.Restart();
    scene.Run(5000);
    ASSERT_EQ(scene.OneShot().frame, 16);
    const plat::Surface never_covered = scene.host.Picture();

    scene.Restart();
    scene.Run(kFrameMs);
    scene.host.h.frame->SendMessage(kMsgOpenStatistics);
    scene.host.h.Run();
    plat::Window* screen = scene.host.h.frame->Screen(FrameScreen::Statistics);
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(plat::WindowCovered(&scene.host.view()));
    scene.Run(5000);
    ASSERT_EQ(scene.OneShot().frame, 16);
    screen->SendMessage(WM_COMMAND, kCmdOk, 0);
    scene.host.h.Run();
    ASSERT_EQ(scene.host.h.frame->Screen(FrameScreen::Statistics), nullptr);
    scene.Run(kFrameMs);
    const plat::Surface after_screen = scene.host.Picture();
    EXPECT_EQ(DifferentPixels(after_screen, never_covered), 0);
    EXPECT_EQ(DifferentPixels(after_screen, scene.FullRedraw()), 0);

    // A running one-shot is heard under the screen as in view.
    scene.Restart();
    scene.OneShot().countdown = 9;
    scene.host.h.frame->SendMessage(kMsgOpenStatistics);
    scene.host.h.Run();
    ASSERT_TRUE(plat::WindowCovered(&scene.host.view()));
    const std::vector<fvtest::RecordingSound::Effect>& effects = scene.host.h.sound->effects;
    const size_t heard = effects.size();
    scene.Run(40 * kFrameMs);
    EXPECT_GT(std::count_if(effects.begin() + heard, effects.end(),
                            [](const auto& e) { return e.effect == 29 && e.channel == 4; }),
              0);
}

// Each one-shot type's last step, from its last running cell to its
// resting one, drawn by the loop, leaves the picture a full redraw makes.
TEST(RightInEveryGame, AOneShotsLastStepDrawnByTheLoopEqualsAFullRedraw) {
    for (int32_t type = kFirstOneShotAnimation; type < kAnimationTypeCount; ++type) {
        SCOPED_TRACE(type);
        OneShotScene scene(type);
        scene.Restart();
        int32_t steps = 0;
        while (scene.OneShot().frame != 16 && steps++ < 300) scene.Run(kFrameMs);
        ASSERT_EQ(scene.OneShot().frame, 16);
        scene.Run(kFrameMs);
        const plat::Surface stepped = scene.host.Picture();
        EXPECT_EQ(DifferentPixels(stepped, scene.FullRedraw()), 0);
    }
}

// Paused with P the vehicles stand but the field animations go on: over a
// hundred frames only the animated fields' rectangles are presented, and
// the picture stays the one a full redraw makes.
TEST(RightInEveryGame, UnderPTheFieldAnimationsGoOnAndPresentOnlyTheirRectangles) {
    viewtest::ViewHost host;
    viewtest::TrafficWorld world(host);
    CGameApp app;
    world.Look(world.x0 + 34, world.y0 + 8, 0, 1);  // the animated factories
    SPIEL_FELD& view = host.view();
    ASSERT_FALSE(view.animation_list.empty());
    auto frame = [&] {
        host.h.host.AdvanceClock(kFrameMs);
        app.UpdateFrame();
        plat::PresentScreen();
    };
    host.gs().user_pause = 1;
    frame();
    std::vector<std::tuple<int32_t, int32_t>> places;
    for (VehicleListNode* n = g_pVehicleList; n != nullptr; n = n->next)
        places.emplace_back(n->vehicle->pos_x, n->vehicle->pos_y);
    const std::vector<ViewAnimation> before(view.animation_list.begin(), view.animation_list.end());
    // The places of the animations in view: their type's picture hung from
    // their field's corner.
    plat::Rect animated{};
    for (const ViewAnimation& a : view.animation_list) {
        if (a.in_view != 1) continue;
        const AnimationType& t = *AnimationTypeOf(a.type);
        int32_t left = 0, top = 0;
        PartFieldCorner(view, a.x, a.y, 0, left, top);
        const plat::Rect place{left + t.dx, top + t.dy, left + t.dx + t.width,
                               top + t.dy + t.height};
        animated = plat::Union(animated, view.ClientToScreen(place));
    }
    ASSERT_GT(animated.Width(), 0);
    view.ForceFullRedraw();
    frame();

    const int presents = host.h.host.PresentCount();
    for (int32_t i = 0; i < 100; ++i) {
        const int count = host.h.host.PresentCount();
        frame();
        if (host.h.host.PresentCount() == count) continue;
        for (const plat::Rect& r : host.h.host.LastPresentedRects()) {
            ASSERT_TRUE(r.left >= animated.left && r.top >= animated.top &&
                        r.right <= animated.right && r.bottom <= animated.bottom)
                << "frame " << i << ": " << r.left << "," << r.top << "-" << r.right << ","
                << r.bottom;
        }
    }
    EXPECT_GE(host.h.host.PresentCount() - presents, 10);
    size_t i = 0;
    int32_t changed = 0;
    for (const ViewAnimation& a : view.animation_list) changed += a.frame != before[i++].frame;
    EXPECT_GT(changed, 0);
    std::vector<std::tuple<int32_t, int32_t>> still;
    for (VehicleListNode* n = g_pVehicleList; n != nullptr; n = n->next)
        still.emplace_back(n->vehicle->pos_x, n->vehicle->pos_y);
    EXPECT_EQ(still, places);
    const plat::Surface stepped = host.Picture();
    view.ForceFullRedraw();
    EXPECT_EQ(DifferentPixels(stepped, host.Picture()), 0);

    // With no animation to draw a frame, a tool's mark made under P shows.
    view.ClearAnimations();
    view.ForceFullRedraw();
    view.tool = kToolDemolish;
    g_pTileMarker->MarkField(view.CentreP(), view.CentreQ(), 1);
    view.DrawMarkOverlay();
    const plat::RgbTable colours = host.Colours();
    auto white_shown = [&] {  // the mark's pixels on the window over the composite
        for (int32_t k = 0; k < 40; ++k) frame();
        const plat::Surface composite = host.Picture();
        int32_t white = 0;
        for (int32_t y = 0; y < composite.height; ++y) {
            for (int32_t x = 0; x < composite.width; ++x) {
                const uint8_t shown = view.GetSurface().Row(y)[x];
                white += shown != composite.Row(y)[x] && colours[shown][0] > 240 &&
                         colours[shown][1] > 240 && colours[shown][2] > 240;
            }
        }
        return white;
    };
    EXPECT_GT(white_shown(), 16);
    // A screen opened and closed over it leaves it shown.
    host.h.frame->SendMessage(kMsgOpenStatistics);
    host.h.Run();
    ASSERT_NE(host.h.frame->Screen(FrameScreen::Statistics), nullptr);
    host.h.frame->Screen(FrameScreen::Statistics)->SendMessage(WM_COMMAND, kCmdOk, 0);
    host.h.Run();
    EXPECT_GT(white_shown(), 16);
}

}  // namespace

namespace {

// Scrolled by lines of every speed and by pages, in every rotation at 1:1
// and 1:2, over the truck depots, stations and animated factories of the
// traffic world, the factories and the opponents' depots standing among
// town houses, and at 1:4 as well over the box's edge to tall houses and
// trees on high ground, whose pictures reach far above their fields; then
// a week's tick clears the redraw flags the scroll left and a change off the
// screen redraws the ground, which composes the view again from its layers.
// The view shows what a full redraw of the place shows.
TEST(RightInEveryGame, ScrollingOverDepotsAndStationsDrawsWhatAFullRedrawDraws) {
    viewtest::ViewHost host;
    viewtest::TrafficWorld world(host);
    DeleteAllVehicles();
    for (int32_t x = world.x0 + 30; x < world.x0 + world.kWidth; ++x) {
        for (int32_t y = world.y0; y < world.y0 + 22; ++y) {
            MapField& f = *FieldAt(x, y);
            if (f.building_flag() || f.wegtyp() != 0) continue;
            f.set_stadtnum(1);
            f.set_stadtb(static_cast<uint32_t>(1 + (x + y) % 4));
        }
    }
    SPIEL_FELD& view = host.view();
    CGameState& gs = host.gs();
    struct Scroll {
        uint32_t message;
        int32_t code;
        int32_t lines;
    };
    constexpr Scroll kScrolls[] = {
        {WM_VSCROLL, SB_LINEDOWN, 1}, {WM_HSCROLL, SB_LINERIGHT, 2}, {WM_VSCROLL, SB_LINEUP, 3},
        {WM_HSCROLL, SB_LINELEFT, 1}, {WM_VSCROLL, SB_PAGEDOWN, 0},  {WM_HSCROLL, SB_PAGELEFT, 0},
        {WM_VSCROLL, SB_PAGEUP, 0},   {WM_HSCROLL, SB_LINERIGHT, 3},
    };
    // Beyond the box's far side, raised ground with the tallest town house
    // or two trees on every free field.
    const RawImage* house = &gs.images.building_pictures[33];  // of town house kind k at k
    int32_t tallest = 1;
    for (int32_t k = 2; 33 + k < kBuildingPictureCount; ++k) {
        if (house[k].Rows() > house[tallest].Rows()) tallest = k;
    }
    for (int32_t x = 0; x < 254; ++x) {
        for (int32_t y = world.y0 + world.kDepth + 1; y < 254; ++y) {
            MapField& f = *FieldAt(x, y);
            f.set_hoehe(static_cast<uint32_t>(std::min(f.hoehe() + 8, 15)));
            if (f.building_flag() || f.wegtyp() != 0 || f.bridge_flag() || f.tportal()) continue;
            const bool house_here = (x + y) % 3 == 0;
            f.set_forest_flag(!house_here);
            f.set_stadtnum(house_here ? 1 : 0);
            if (house_here) f.set_stadtb(static_cast<uint32_t>(tallest));
            if (!house_here) f.set_data_word((1 + (x + 3 * y) % 33) << 7 | (1 + x * y % 33));
        }
    }
    const std::tuple<int32_t, int32_t, std::vector<int32_t>> places[] = {
        {world.x0 + 20, world.y0 + 18, {1, 2}},
        {world.x0 + 34, world.y0 + 10, {1, 2}},
        {world.x0 + 22, world.y0 + world.kDepth - 4, {1, 2, 4}},
        {2, 3, {1, 2}}};  // by the map's corner, where a page stops by part of a unit
    for (const auto& [x, y, zooms] : places) {
        for (int32_t rotation = 0; rotation < 4; ++rotation) {
            for (int32_t zoom : zooms) {
                SCOPED_TRACE(testing::Message() << "field " << x << "," << y << ", rotation "
                                                << rotation << ", zoom " << zoom);
                world.Look(x, y, rotation, zoom);
                for (const Scroll& s : kScrolls) {
                    view.SendMessage(s.message, plat::MakeWParam(s.code, s.lines), 0);
                    view.RedrawView();  // as the edge strip does after each step
                }
                gs.redraw_terrain = gs.redraw_objects = 0;  // the week's tick
                view.RedrawView();
                gs.redraw_terrain = 1;  // a change off the screen
                view.RedrawView();
                const plat::Surface scrolled = host.Picture();
                view.ForceFullRedraw();
                EXPECT_EQ(DifferentPixels(scrolled, host.Picture()), 0);
            }
        }
    }
}

// The animation on top of a factory (type 0, whose picture stands high
// above its field) on a hill just below the view: scrolled up line by line
// from where the field is in view until it is not, its picture would still
// reach over the view's bottom edge. Out of view it draws none, so after the
// loop's steps the view shows what a full redraw shows, whatever its frame.
TEST(RightInEveryGame, AnAnimationWhosePictureReachesInFromOutsideTheViewStepsAsAFullRedraw) {
    constexpr int32_t kTopAnimation = 0;
    viewtest::ViewHost host;
    DeleteAllVehicles();
    host.gs().month = 0;
    SPIEL_FELD& view = host.view();
    ASSERT_TRUE(host.gs().images.animation_sets[kTopAnimation].Loaded());
    view.ClearAnimations();
    const int32_t x = view.CentreP() + 15;
    const int32_t y = view.CentreQ() + 15;
    for (int32_t hx = x - 2; hx <= x + 2; ++hx) {
        for (int32_t hy = y - 2; hy <= y + 2; ++hy) FieldAt(hx, hy)->set_hoehe(15);
    }
    view.AddAnimation(x, y, kTopAnimation);
    ViewAnimation& a = view.animation_list.front();
    host.Show(0, 1);
    ASSERT_EQ(a.in_view, 1);
    CGameApp app;
    auto frame = [&] {
        host.h.host.AdvanceClock(kFrameMs);
        app.UpdateFrame();
        plat::PresentScreen();
    };
    FrameTimers& timers = host.gs().timers;
    timers.anim_time = timers.frame_time = host.h.host.Now();
    for (int32_t lines = 0; a.in_view == 1 && lines < 20; ++lines) {
        view.SendMessage(WM_VSCROLL, plat::MakeWParam(SB_LINEUP, 1), 0);
        view.RedrawView();
        frame();
    }
    ASSERT_EQ(a.in_view, 0);
    const uint8_t start = a.frame;
    for (int32_t i = 0; i < 20; ++i) frame();
    ASSERT_NE(a.frame, start);
    const plat::Surface stepped = host.Picture();
    view.ForceFullRedraw();
    const plat::Surface full = host.Picture();
    EXPECT_EQ(DifferentPixels(stepped, full), 0);
    int32_t left = 0, top = 0;
    PartFieldCorner(view, x, y, 0, left, top);
    ASSERT_LT(top + AnimationTypeOf(kTopAnimation)->dy,
              host.gs().view_height);  // it would reach in
    a.frame = static_cast<uint8_t>((a.frame + 3) % AnimationTypeOf(a.type)->frame_count);
    view.ForceFullRedraw();
    EXPECT_EQ(DifferentPixels(full, host.Picture()), 0);
}

// A free game started as the player starts one, up to the choice of its
// opponents; the loop's frames run through the frame's idle pass.
struct StartedGame {
    StartedGame() : h({1024, 768}, false), start_(h) {
        g_pHauptDialog->SendMessage(kMsgPanelCompanyNameDone, 0, 1);
        h.Run();
    }
    // The offered opponents, then no city growth: the game runs.
    void ChooseOpponentsAndNoGrowth() {
        h.host.InjectChar('\r');
        h.Run();
        g_pHauptDialog->popup_result.choice = 0;
        g_pHauptDialog->SendMessage(kMsgPanelCityGrowthDone, 0, 0);
        h.Run();
    }
    void Frames(int32_t n) {
        for (int32_t i = 0; i < n; ++i) {
            h.host.AdvanceClock(kFrameMs);
            h.Turn();
        }
    }
    // Opens a screen of the frame over the view, lets `covered` happen and
    // the frames run under it, and closes it.
    void UnderScreen(uint32_t open, FrameScreen slot, const std::function<void()>& covered) {
        h.frame->SendMessage(open);
        h.Run();
        plat::Window* screen = h.frame->Screen(slot);
        ASSERT_NE(screen, nullptr);
        ASSERT_TRUE(plat::WindowCovered(g_pSpielFeld));
        covered();
        Frames(20);
        screen->SendMessage(WM_COMMAND, kCmdOk, 0);
        h.Run();
    }
    // A standing truck on the centre field, drawn when `visible`.
    CTruck& Truck(int32_t visible = 1) {
        DeleteAllVehicles();
        auto* truck = new CTruck(g_pSpielFeld->CentreP(), g_pSpielFeld->CentreQ(), "T", 0);
        truck->visible = visible;
        g_pSpielFeld->ForceFullRedraw();
        return *truck;
    }
    // A city's field in the middle of the view becomes a building site
    // that a tall house will finish.
    MapField& BuildingSiteInView() {
        ChooseOpponentsAndNoGrowth();
        CCity& city = **std::ranges::find_if(g_pCityManager->cities, [](CCity* c) { return c; });
        const int32_t x = city.origin_x + kCityAreaSize / 2, y = city.origin_y + kCityAreaSize / 2;
        FieldAt(x, y)->set_data_word(CityBuildingWord(kFirstBuildingSite, city.number));
        FieldAt(x, y)->set_stadtnum(static_cast<uint32_t>(city.number));
        std::tie(city.pending_site_x, city.pending_site_y, city.pending_site_value) =
            std::tuple(x, y, 39);
        g_pSpielFeld->JumpToField(x, y);
        g_pSpielFeld->ForceFullRedraw();
        return *FieldAt(x, y);
    }
    fvtest::FrameHost h;

  private:
    fvtest::GeneratedFreeGameStart start_;
};

// Moves the truck over the fields left of the centre, phase by phase, until
// the picture drawn of it starts one pixel left of the view.
bool DrawnAPixelLeftOfTheView(CTruck& truck) {
    SPIEL_FELD& view = *g_pSpielFeld;
    for (int32_t k = 0; k < 40; ++k) {
        for (int32_t phase = 0; phase < 32; ++phase) {
            truck.pos_x = truck.drawn_x = static_cast<uint8_t>(view.CentreP() - k);
            truck.phase = phase;
            view.DrawVehicles(0);
            if (truck.screen_box[0] == -1) return true;
        }
    }
    return false;
}

// What a screen over the view or the start's choices leave behind: 2 s of
// frames later the view shows what a full redraw of the game shows.
TEST(RightInEveryGame, WhatChangedWhileTheViewWasNotSeenShowsAsAFullRedrawAfterwards) {
    struct Row {
        const char* name;
        std::function<void(StartedGame&)> play;
    };
    const Row rows[] = {
        {"the calendar ran on while the opponents were chosen; the start set it back",
         [](StartedGame& g) {
             g.h.gs->month = 3;  // April's trees, as the month's tick draws them
             g.h.gs->redraw_objects = 1;
             g_pSpielFeld->RedrawView();
             g.ChooseOpponentsAndNoGrowth();
         }},
        {"the start set the calendar back and the cities grew, then a heading was pressed",
         [](StartedGame& g) {
             g.h.gs->month = 3;
             g.h.gs->redraw_objects = 1;
             g_pSpielFeld->RedrawView();
             g.h.host.InjectChar('\r');
             g.h.Run();
             g_pHauptDialog->popup_result.choice = 1;
             g_pHauptDialog->SendMessage(kMsgPanelCityGrowthDone, 0, 0);
             g.h.Run();
             for (int32_t i = 0; i < 2000 && g_pHauptDialog->city_growth_screen != nullptr; ++i)
                 g.Frames(1);
             ASSERT_EQ(g_pHauptDialog->city_growth_screen, nullptr);
             g_pHauptDialog->SendMessage(WM_COMMAND, kCmdHeadingFirst + 5);
         }},
        {"a truck drawn from a pixel left of the view moved on under the statistics screen",
         [](StartedGame& g) {
             g.ChooseOpponentsAndNoGrowth();
             CTruck& truck = g.Truck();
             ASSERT_TRUE(DrawnAPixelLeftOfTheView(truck));
             g.UnderScreen(kMsgOpenStatistics, FrameScreen::Statistics,
                           [&truck] { truck.phase += 2; });
         }},
        {"a truck that left the view under the vehicle overview was taken off",
         [](StartedGame& g) {
             g.ChooseOpponentsAndNoGrowth();
             CTruck& truck = g.Truck();
             g.UnderScreen(kMsgOpenVehicleOverview, FrameScreen::VehicleOverview, [&truck] {
                 truck.pos_x = truck.drawn_x = 2;
                 truck.visible = 0;
                 truck.removal_flag = 1;
             });
         }},
        {"under P, a truck was found in the view under the statistics screen",
         [](StartedGame& g) {
             g.ChooseOpponentsAndNoGrowth();
             g.Truck(1);
             g.Frames(2);
             g.h.gs->user_pause = 1;
             g.Truck(0);
             g.UnderScreen(kMsgOpenStatistics, FrameScreen::Statistics, [] {});
         }},
        {"the ground behind a truck depot was drawn again at 1:4 under the statistics screen",
         [](StartedGame& g) {
             g.ChooseOpponentsAndNoGrowth();
             const int32_t n = fvtest::BuildForThePlayer(kTypeTruckDepot + 2, 60, 60);
             ASSERT_GT(n, 0);
             const int32_t x = g_ppBuildings->At(n)->anchor_x, y = g_ppBuildings->At(n)->anchor_y;
             g_pSpielFeld->zoom = 4;
             g_pSpielFeld->JumpToField(x, y);
             g_pSpielFeld->ForceFullRedraw();
             g.UnderScreen(kMsgOpenStatistics, FrameScreen::Statistics, [x, y] {
                 FieldAt(x - 1, y - 1)->set_feldchange(true);  // behind it
                 g_pGameState->redraw_terrain = 1;
                 g_pSpielFeld->RedrawView();
             });
         }},
        {"a toy industry whose animation stamps the ground was demolished in view",
         [](StartedGame& g) {
             g.ChooseOpponentsAndNoGrowth();
             g.h.gs->opt_animations = 1;
             const int32_t n = fvtest::BuildForThePlayer(kTypeToyIndustry, 60, 60);
             ASSERT_GT(n, 0);
             g_pSpielFeld->JumpToField(g_ppBuildings->At(n)->anchor_x,
                                       g_ppBuildings->At(n)->anchor_y);
             g.Frames(20);
             g_ppBuildings->DemolishBuilding(n);
             g_pSpielFeld->RedrawView();
         }},
        {"the autosave finished a building site in view, then a week went by",
         [](StartedGame& g) {
             const MapField& site = g.BuildingSiteInView();
             ASSERT_TRUE(SaveAutosave());
             ASSERT_EQ(site.stadtb(), 39u);
             RunGameTick(g.h.frame);
         }},
        {"the player's save finished a building site in view, then a week went by",
         [](StartedGame& g) {
             const MapField& site = g.BuildingSiteInView();
             InstallLevelFiles();
             plat::SendMessage(g_pHauptDialog, kMsgPanelOpenSaveGame);
             g.h.host.InjectChar('\r');
             g.h.Run();
             InstallGameFiles(nullptr);
             ASSERT_EQ(site.stadtb(), 39u);
             RunGameTick(g.h.frame);
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        StartedGame g;
        row.play(g);
        g.Frames(77);
        EXPECT_EQ(fvtest::DifferenceFromFullRedraw(), fvtest::ViewDifference{});
    }
}

// While the save box stands over the view, a month of frames runs under it:
// around the box the screen shows the view as a full redraw draws it.
TEST(RightInEveryGame, AroundAnOpenSaveBoxTheViewShowsAFullRedraw) {
    StartedGame g;
    g.ChooseOpponentsAndNoGrowth();
    g.h.gs->opt_animations = 1;
    const int32_t n = fvtest::BuildForThePlayer(kTypeTrainStation, 60, 60);
    ASSERT_GT(n, 0);
    ASSERT_GT(fvtest::BuildForThePlayer(kTypeToyIndustry, 60, 64), 0);  // animated
    // Both beside the box, the industry's animation going on under it.
    g_pSpielFeld->JumpToField(g_ppBuildings->At(n)->anchor_x + 10,
                              g_ppBuildings->At(n)->anchor_y + 2);
    g.Frames(2);
    plat::SendMessage(g_pHauptDialog, kMsgPanelOpenSaveGame);
    g.h.Run();
    const plat::Window* box = g_pHauptDialog->Popup(PanelPopup::SaveGame);
    ASSERT_NE(box, nullptr);
    const plat::Surface opened = plat::ComposeScreen();
    g.Frames(static_cast<int32_t>(4 * g_TickLength / kFrameMs));
    const plat::Surface shown = plat::ComposeScreen();
    ASSERT_NE(shown.pixels, opened.pixels);  // the animation went on
    fvtest::DifferenceFromFullRedraw();      // the view shows the redrawn picture
    const plat::Surface& full = plat::ComposeScreen();
    const plat::Rect view = g_pSpielFeld->ClientToScreen(g_pSpielFeld->GetClientRect());
    const plat::Rect covered = box->GetWindowRect();
    int32_t differing = 0;
    for (int32_t y = view.top; y < view.bottom; ++y) {
        for (int32_t x = view.left; x < view.right; ++x) {
            if (x >= covered.left && x < covered.right && y >= covered.top && y < covered.bottom)
                continue;
            differing += shown.Row(y)[x] != full.Row(y)[x];
        }
    }
    EXPECT_EQ(differing, 0);
}

}  // namespace
