// What moves over the map and what stands on it: vehicles, wagons and city
// cars with their rectangles, rows, repairs and start sounds; the covering of
// the draw passes at the pixel level; the field animations; and the name
// plates, city plates and production signs.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "cities/city.h"
#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "gfx/font_tables.h"
#include "gfx/text.h"
#include "platform/input.h"
#include "platform/png_writer.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "support/fnv_hash.h"
#include "support/recording_hooks.h"
#include "transport/vehicle_list.h"
#include "transport/wagon.h"
#include "view/map_layers.h"
#include "view/traffic_world.h"
#include "view/vehicle_frames.h"
#include "view/view_host.h"
#include "world/tile_marker.h"
#include "world/way_network.h"

namespace {

struct TestVehicle : CVehicle {
    TestVehicle() : CVehicle(VehicleLoadOnly{}) {}
};

// A solid picture of one colour.
RawImage Solid(int32_t w, int32_t rows, uint8_t colour) {
    RawImage p;
    p.memory = std::make_unique<uint8_t[]>(static_cast<size_t>(w) * rows);
    p.pixels = p.memory.get();
    std::tie(p.width, p.height) = std::pair(w, -rows);
    std::memset(p.pixels, colour, static_cast<size_t>(w) * rows);
    return p;
}

// The composite after one vehicle frame that presents nothing.
std::vector<uint8_t> DrawnFrame(viewtest::ViewHost& host) {
    host.view().DrawVehicles(0);
    const plat::Surface picture = host.Picture();
    return std::vector<uint8_t>(picture.pixels.begin(), picture.pixels.end());
}

// A hosted view over the empty map, camera centre (0, 100), no picture of
// its own in the object layers.
class ViewScene : public ::testing::Test {
  protected:
    ViewScene() : host({1024, 768}, false) {
        std::tie(view.centre_x, view.centre_y) = std::pair(0.0, 100.0);
        view.SetupProjection();
        std::tie(cx, cy) = std::pair(view.CentreP(), view.CentreQ());
    }
    // A vehicle drawn on (x, y), running straight east at phase 0.
    TestVehicle* AddVehicle(int32_t vehicle_class, int32_t model, int32_t x, int32_t y) {
        auto* v = new TestVehicle;
        std::tie(v->vehicle_class, v->model, v->visible) = std::tuple(vehicle_class, model, 1);
        std::tie(v->drawn_x, v->drawn_y, v->pos_x, v->pos_y) =
            std::tuple(uint8_t(x), uint8_t(y), uint8_t(x), uint8_t(y));
        v->direction = kDirE << 4 | kDirE;
        RegisterVehicle(v);
        return v;
    }
    std::vector<DrawItem> VehicleItems() {
        view.draw_list.Clear();
        view.AddVehicleItems();
        std::vector<DrawItem> items = view.draw_list.Items();
        view.draw_list.Clear();
        return items;
    }
    // Where a field hangs in the scan: left x and y_base.
    std::pair<int32_t, int32_t> PlaceOf(int32_t x, int32_t y) {
        std::pair<int32_t, int32_t> at{-1000, -1000};
        ScanFields(ViewScan(view), [&](const ScanField& f) {
            if (f.x == x && f.y == y) at = {f.screen_x, f.y_base};
        });
        return at;
    }
    std::vector<int32_t> Box(const CVehicle& v) {
        return {v.screen_box[0], v.screen_box[1], v.screen_box[2], v.screen_box[3]};
    }
    viewtest::ViewHost host;
    SPIEL_FELD& view = host.view();
    CGameState& gs = host.gs();
    int32_t cx = 0, cy = 0;
};

using VehicleDrawing = ViewScene;

TEST_F(VehicleDrawing, TheFieldCornerIsTheScanPlacementInEveryRotationAndZoom) {
    for (int32_t i = 0; i < kMapFieldCount; i += 7) gs.fields[i].set_hoehe(i / 7 % 5);
    for (int32_t r = 0; r < 4; ++r) {
        for (int32_t z : {1, 2, 4}) {
            std::tie(gs.rotation, view.zoom) = std::pair(r, z);
            view.SetupProjection();
            int32_t checked = 0;
            ScanFields(ViewScan(view), [&](const ScanField& f) {
                if ((f.x + f.y) % 5 != 0) return;
                int32_t tx = 0, ty = 0;
                TopCorner(r, f.x, f.y, tx, ty);
                const int32_t h = FieldAt(tx, ty)->hoehe();
                int32_t left = 0, top = 0;
                PartFieldCorner(view, f.x, f.y, 0, left, top);
                ASSERT_EQ(std::pair(left, top), std::pair(f.screen_x, f.y_base - (8 * h) / z))
                    << r << " " << z << " " << f.x << "," << f.y;
                ++checked;
            });
            EXPECT_GT(checked, 50);
        }
    }
}

// Frames of scattered moving trucks at zoom 1 (each rectangle is copied to
// the window as the sweep finishes it) and, with one of them on a bridge
// deck, the passes one after another: either way, after each frame the
// window shows the composite over the whole view.
TEST_F(VehicleDrawing, EveryFrameLeavesTheWindowShowingTheComposite) {
    std::vector<TestVehicle*> trucks;
    for (int32_t i = 0; i < 12; ++i) {
        trucks.push_back(AddVehicle(kVehicleTruck, i % 9, cx - 6 + i, cy + 5 - (i * 7) % 11));
    }
    view.zoom = 1;
    view.ForceFullRedraw();
    const plat::Surface& window = view.GetSurface();
    for (int32_t frame = 0; frame < 16; ++frame) {
        trucks[0]->draw_layer = frame >= 8 ? 2 : 0;
        for (TestVehicle* truck : trucks) truck->phase = (truck->phase + 3) & 31;
        view.DrawVehicles(1);
        const plat::Surface composite = host.Picture();
        int32_t differing = 0;
        for (int32_t y = 0; y < gs.view_height; ++y) {
            differing += std::memcmp(window.Row(y), composite.Row(y), gs.view_width) != 0;
        }
        ASSERT_EQ(differing, 0) << "frame " << frame;
    }
    EXPECT_NE(trucks[5]->screen_box[0], -1);
}

// The composition the frames keep at zoom 1 follows a writer of the layers:
// after the buffers are blackened, the trucks' rectangles are restored
// from black ground, as composing the layers afresh gives.
TEST_F(VehicleDrawing, TheKeptCompositionFollowsAWriterOfTheLayers) {
    for (int32_t i = 0; i < 6; ++i) AddVehicle(kVehicleTruck, i, cx - 3 + i, cy + i % 3);
    view.zoom = 1;
    view.ForceFullRedraw();
    auto frame = [&] { return DrawnFrame(host); };
    const std::vector<uint8_t> before = frame();
    view.BlackenBackBuffers();
    const std::vector<uint8_t> kept = frame();
    SPIEL_FELD::LayersChanged();
    EXPECT_TRUE(kept == frame());
    EXPECT_FALSE(kept == before);
}

// A ground animation stamps the background on every second frame, beneath
// a truck: the swept frames in between restore the truck's rectangle from
// the stamped ground, as composing the layers afresh does.
TEST_F(VehicleDrawing, TheKeptCompositionTakesAGroundAnimationsStamps) {
    WinGBitmap& set = gs.images.animation_sets[1];
    set.Create(gs.images.tile_sheet, 88 * 8, 76);
    for (int32_t f = 0; f < 8; ++f) set.FillRect(f * 88, 0, 88, 76, uint8_t(90 + f));
    view.AddAnimation(cx, cy, 1);  // delay 2
    AddVehicle(kVehicleTruck, 0, cx, cy);
    view.zoom = 1;
    view.ForceFullRedraw();
    auto frame = [&] { return DrawnFrame(host); };
    for (int32_t tick = 0; tick < 7; ++tick) {
        view.TickAnimations();
        frame();
    }
    const std::vector<uint8_t> kept = frame();
    SPIEL_FELD::LayersChanged();
    EXPECT_TRUE(kept == frame());
}

// A truck driving straight east, at phase 0 on the camera's centre field:
// in rotation r it enters by edge (1 + r) mod 4 and shows the frame of that
// move, 24 x 21 pixels, empty (row 11).
TEST_F(VehicleDrawing, OneFieldPhaseAndDirectionInEachRotation) {
    TestVehicle* truck = AddVehicle(kVehicleTruck, 0, cx, cy);
    const int32_t offsets[4][3] = {{40, 7, 152}, {6, 13, 12}, {4, -2, 64}, {29, -7, 100}};
    for (int32_t r = 0; r < 4; ++r) {
        gs.rotation = r;
        view.SetupProjection();
        const auto [left, top] = PlaceOf(cx, cy);
        const std::vector<DrawItem> items = VehicleItems();
        ASSERT_EQ(items.size(), 1u);
        const int32_t l = left + offsets[r][0];
        const int32_t t = top + offsets[r][1];
        EXPECT_EQ(Box(*truck), (std::vector<int32_t>{l, l + 24, t, t + 21})) << r;
        const DrawItem& item = items[0];
        EXPECT_EQ(std::tuple(item.dest_x, item.dest_y, item.src_x, item.src_y, item.width,
                             item.height, item.group, item.kind, item.has_sprite),
                  std::tuple(l, t, offsets[r][2], 11 * 21, 24, 21, 0, 0, 1))
            << r;
    }
}

TEST_F(VehicleDrawing, LeavingTheViewLeavesOneRepairItemThenNoneAndKeepsTheLastRectangle) {
    TestVehicle* truck = AddVehicle(kVehicleTruck, 0, cx, cy);
    ASSERT_EQ(VehicleItems().size(), 1u);
    const std::vector<int32_t> seen = Box(*truck);
    std::tie(truck->drawn_x, truck->drawn_y) = std::pair(uint8_t(cx + 60), uint8_t(cy - 60));
    const std::vector<DrawItem> last = VehicleItems();
    ASSERT_EQ(last.size(), 1u);  // the old rectangle repaired with the new one
    EXPECT_TRUE(last[0].left <= seen[0] && last[0].right >= seen[1] && last[0].top <= seen[2] &&
                last[0].bottom >= seen[3]);
    const std::vector<int32_t> away = Box(*truck);
    EXPECT_TRUE(away[0] >= gs.view_width || away[3] <= 0);
    truck->phase = 5;
    EXPECT_TRUE(VehicleItems().empty());
    EXPECT_EQ(Box(*truck), away);  // kept, not the one just computed
}

TEST_F(VehicleDrawing, AVehicleThatTurnsInvisibleIsErasedOnce) {
    TestVehicle* truck = AddVehicle(kVehicleTruck, 0, cx, cy);
    VehicleItems();
    const std::vector<int32_t> seen = Box(*truck);
    truck->visible = 0;
    const std::vector<DrawItem> items = VehicleItems();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(std::tuple(items[0].left, items[0].top, items[0].bottom, items[0].has_sprite),
              std::tuple(seen[0], seen[2], seen[3], 0));
    EXPECT_EQ(Box(*truck), (std::vector<int32_t>{-1, -1, -1, -1}));
    EXPECT_TRUE(VehicleItems().empty());
}

TEST_F(VehicleDrawing, OneStartSoundAFrameTheFirstInListOrderOnChannelOne) {
    fvtest::RecordingSound& sound = *host.h.sound;
    TestVehicle* truck = AddVehicle(kVehicleTruck, 4, cx - 3, cy);  // effect 10
    TestVehicle* train = AddVehicle(kVehicleRail, 12, cx + 2, cy);  // effect 5, first in the list
    TestVehicle* car = AddVehicle(kVehicleCityCar, 26, cx, cy);     // none
    for (TestVehicle* v : {truck, train, car}) v->sound_pending = 1;
    sound.effects.clear();
    view.zoom = kOverviewZoomLevel;  // nothing moves on the overview, nothing sounds
    view.DrawVehicles(0);
    EXPECT_TRUE(sound.effects.empty());
    EXPECT_EQ(std::tuple(truck->sound_pending, train->sound_pending, car->sound_pending),
              std::tuple(1, 1, 1));
    view.zoom = 1;
    view.SetupProjection();
    std::vector<std::tuple<int32_t, int32_t, int32_t>> heard;
    for (int32_t frame = 0; frame < 3; ++frame) {
        view.DrawVehicles(0);
        for (const auto& e : sound.effects) heard.emplace_back(e.effect, e.channel, e.pan);
        sound.effects.clear();
    }
    // The city car, first in the list, is cleared silently; the train sounds
    // in the same frame, the truck in the next.
    EXPECT_EQ(heard,
              (std::vector<std::tuple<int32_t, int32_t, int32_t>>{
                  {5, 1, view.GetSoundPan(cx + 2, cy)}, {10, 1, view.GetSoundPan(cx - 3, cy)}}));
    EXPECT_EQ(std::tuple(truck->sound_pending, train->sound_pending, car->sound_pending),
              std::tuple(0, 0, 0));
}

TEST_F(VehicleDrawing, InATunnelOnlyTheGroundIsRepairedAndOnABridgeItStandsOnTop) {
    TestVehicle* truck = AddVehicle(kVehicleTruck, 0, cx, cy);
    for (const auto& [level, sprite, on_top] : {std::tuple(0, 1, 0), {1, 0, 0}, {2, 1, 1}}) {
        truck->draw_layer = level;
        const std::vector<DrawItem> items = VehicleItems();
        ASSERT_EQ(items.size(), 1u);
        EXPECT_EQ(std::pair(items[0].has_sprite, items[0].on_top), std::pair(sprite, on_top))
            << level;
    }
}

TEST_F(VehicleDrawing, PictureRowsOfTrucksTrainsCityCarsAndWagons) {
    gs.goods[20].mark = 2;
    struct Case {
        int32_t vehicle_class, model, product, amount;
        int32_t group, row;  // of the engine; wagon row (-1: no wagon)
        int32_t wagon_row;
    };
    const Case cases[] = {
        {kVehicleTruck, 9, 20, 1, 0, 9, -1},
        {kVehicleTruck, 9, 20, 0, 0, 19, -1},
        {kVehicleTruck, 3, 20, 1, 0, 5, -1},
        {kVehicleTruck, 3, 20, 0, 0, 14, -1},
        {kVehicleCityCar, 27, 0, 0, 5, 2, -1},
        {kVehicleRail, 12, 20, 1, 1, 2, 2},
        {kVehicleRail, 12, 20, 0, 1, 2, 5},
        {kVehicleMonorail, 16, 20, 1, 1, 6, 8},
        {kVehicleSuperconductor, 18, 20, 0, 1, 8, 11},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        DeleteAllVehicles();
        TestVehicle* v = AddVehicle(c.vehicle_class, c.model, cx, cy);
        std::tie(v->product_carried, v->amount_carried) = std::pair(c.product, c.amount);
        if (c.wagon_row >= 0) {
            auto* w = new CWagon(cx - 1, cy, "W", c.product, 0);
            std::tie(w->drawn_x, w->drawn_y, w->direction, w->amount) =
                std::tuple(uint8_t(cx - 1), uint8_t(cy), v->direction, c.amount);
            std::tie(v->wagons[0], v->wagon_count) = std::pair(w, 1);
        }
        const std::vector<DrawItem> items = VehicleItems();
        ASSERT_EQ(items.size(), c.wagon_row >= 0 ? 2u : 1u);
        const DrawItem& engine = items[0].group == 4 ? items[1] : items[0];
        EXPECT_EQ(std::tuple(engine.group, engine.kind, engine.src_y),
                  std::tuple(c.group, 0, c.row * engine.height));
        if (c.wagon_row < 0) continue;
        const DrawItem& wagon = items[0].group == 4 ? items[0] : items[1];
        EXPECT_EQ(std::tuple(wagon.group, wagon.kind, wagon.src_y, wagon.height),
                  std::tuple(4, 0, c.wagon_row * 20, 20));
    }
}

TEST_F(VehicleDrawing, TheFirstObjectLayerCoversATruckButNotATrainOnABridge) {
    gs.images.vehicle_sheets[0] = Solid(176, 480, 200);
    gs.images.vehicle_sheets[4] = Solid(244, 252, 201);
    TestVehicle* v = AddVehicle(kVehicleTruck, 0, cx, cy);
    view.DrawVehicles(0);
    const int32_t x = (v->screen_box[0] + v->screen_box[1]) / 2;
    const int32_t y = (v->screen_box[2] + v->screen_box[3]) / 2;
    WinGBitmap& composite = gs.images.composite_buffer;
    auto at = [&](int32_t px, int32_t py) -> int32_t {
        return composite.pixels[py * composite.Stride() + px];
    };
    EXPECT_EQ(at(x, y), 200);
    WinGBitmap& a = gs.images.object_layer_a;
    a.pixels[y * a.Stride() + x] = 77;
    SPIEL_FELD::LayersChanged();
    view.DrawVehicles(0);
    EXPECT_EQ(std::pair(at(x, y), at(x + 1, y)), std::pair(77, 200));  // covered where it stands
    // A train on a bridge stands above that layer.
    std::tie(v->vehicle_class, v->model, v->draw_layer) = std::tuple(kVehicleRail, 10, 2);
    view.DrawVehicles(0);
    const int32_t tx = (v->screen_box[0] + v->screen_box[1]) / 2;
    const int32_t ty = (v->screen_box[2] + v->screen_box[3]) / 2;
    a.pixels[ty * a.Stride() + tx] = 77;
    SPIEL_FELD::LayersChanged();
    view.DrawVehicles(0);
    EXPECT_EQ(at(tx, ty), 201);
    v->draw_layer = 0;  // on the ground the layer covers it again
    view.DrawVehicles(0);
    EXPECT_EQ(at(tx, ty), 77);
}

// --- Field animations ------------------------------------------------------

using WorldViewAnimations = ViewScene;

TEST_F(WorldViewAnimations, AOneShotRestartedAtFrameOnePlaysEightRoundsAndStopsOnCellSixteen) {
    gs.month = 0;  // no random restart in between
    view.AddAnimation(cx, cy, 8);
    ViewAnimation& a = view.animation_list.front();
    EXPECT_EQ(std::tuple(int32_t{a.frame}, int32_t{a.in_view}), std::tuple(16, 1));  // at rest
    std::tie(a.frame, a.countdown) = std::pair(1, 9);
    int32_t ticks = 0;
    int32_t fifteens = 0;
    fvtest::RecordingSound& sound = *host.h.sound;
    sound.effects.clear();
    while (a.frame != 16 && ticks < 500) {
        view.TickAnimations();
        ++ticks;
        fifteens += a.frame == 15 ? 1 : 0;
        view.AddAnimationItems();
    }
    // Frames 1..15, then eight rounds of 0..15 whose last 15 is the stop.
    EXPECT_EQ(std::tuple(ticks, fifteens), std::tuple(14 + 8 * 16, 8));
    EXPECT_EQ(sound.effects.size() > 100, true);
    EXPECT_EQ(std::pair(sound.effects[0].effect, sound.effects[0].channel), std::pair(27, 4));
    // The stop is one more change: its item shows cell 16.
    view.draw_list.Clear();
    view.AddAnimationItems();
    ASSERT_EQ(view.draw_list.Items().size(), 1u);
    const DrawItem item = view.draw_list.Items()[0];
    EXPECT_EQ(std::tuple(item.src_x, item.width, item.height, item.kind, item.group),
              std::tuple(16 * 88, 88, 44, 11, 8));
    view.draw_list.Clear();
    view.TickAnimations();
    view.AddAnimationItems();
    EXPECT_TRUE(view.draw_list.Empty());
    EXPECT_EQ(a.frame, 16);
    // A running one-shot in view sounds when its frame changed, even with
    // its picture off the view; a picture only catching up stays silent.
    std::tie(a.frame, a.prev_frame, a.countdown) = std::tuple(5, 5, 9);
    view.AddAnimation(cx + 60, cy, 9);
    ViewAnimation& off = view.animation_list.front();
    std::tie(off.frame, off.prev_frame, off.countdown, off.in_view) = std::tuple(6, 5, 9, 1);
    sound.effects.clear();
    view.AddAnimationItems();
    ASSERT_EQ(sound.effects.size(), 1u);
    EXPECT_EQ(sound.effects[0].effect, 26);
}

TEST_F(WorldViewAnimations, RestartsComeEvery144TicksOnlyFromMarchToOctober) {
    for (int32_t month = 0; month < 12; ++month) {
        SCOPED_TRACE(month);
        gs.month = month;
        view.ClearAnimations();
        view.anim_idle_count = 0;
        for (int32_t i = 0; i < 143; ++i) view.TickAnimations();  // even with an empty list
        EXPECT_EQ(view.anim_idle_count, 143);
        view.TickAnimations();
        EXPECT_EQ(view.anim_idle_count, 0);
        for (int32_t type = 8; type < 12; ++type) view.AddAnimation(cx + type, cy, type);
        for (int32_t i = 0; i < 144; ++i) view.TickAnimations();
        int32_t restarted = 0;
        for (const ViewAnimation& a : view.animation_list) {
            restarted += a.frame == 1 && a.countdown == 9 ? 1 : 0;
        }
        EXPECT_EQ(restarted, month >= 2 && month <= 9 ? 1 : 0);
    }
}

TEST_F(WorldViewAnimations, DelayTwoChangesFrameEverySecondTickDelayOneEveryTick) {
    view.AddAnimation(cx, cy, 0);      // delay 2, 8 frames
    view.AddAnimation(cx + 1, cy, 2);  // delay 1, 16 frames
    const ViewAnimation& slow = view.animation_list.back();
    const ViewAnimation& fast = view.animation_list.front();
    std::vector<int32_t> slow_frames, fast_frames;
    for (int32_t i = 0; i < 6; ++i) {
        view.TickAnimations();
        slow_frames.push_back(slow.frame);
        fast_frames.push_back(fast.frame);
    }
    EXPECT_EQ(slow_frames, (std::vector<int32_t>{0, 1, 1, 2, 2, 3}));
    EXPECT_EQ(fast_frames, (std::vector<int32_t>{1, 2, 3, 4, 5, 6}));
}

TEST_F(WorldViewAnimations, RemovingAMissingAnimationChangesNothingAndTypeSevenIsNeverMade) {
    view.AddAnimation(10, 10, 1);
    view.AddAnimation(20, 20, 3);
    view.AddAnimation(30, 30, 7);
    ASSERT_EQ(view.animation_list.size(), 2u);
    view.RemoveAnimationAt(15, 15);
    EXPECT_EQ(view.animation_list.size(), 2u);
    EXPECT_EQ(std::pair(view.animation_list.front().x, view.animation_list.back().x),
              std::pair(uint8_t(20), uint8_t(10)));
    view.RemoveAnimationAt(20, 20);
    EXPECT_EQ(std::pair(view.animation_list.size(), view.animation_list.front().x),
              std::pair(size_t{1}, uint8_t(10)));
}

// A ground animation's new cell goes into the background and over the
// composite as they are, at every zoom: the ground beneath is not drawn
// again, so where the cell is clear both keep what they held.
TEST_F(WorldViewAnimations, AGroundCellIsDrawnOverTheGroundAsItIs) {
    WinGBitmap& set = gs.images.animation_sets[1];
    set.Create(gs.images.tile_sheet, 88 * 8, 76);
    set.FillRect(0, 0, 88 * 8, 76, 0);
    for (int32_t f = 0; f < 8; ++f) set.FillRect(f * 88 + 40, 36, 8, 8, uint8_t(90 + f));
    view.AddAnimation(cx, cy, 1);
    ViewAnimation& a = view.animation_list.front();
    WinGBitmap& ground = gs.images.background_layer;
    WinGBitmap& composite = gs.images.composite_buffer;
    for (int32_t z : {1, 2, 4}) {
        view.zoom = z;
        view.SetupProjection();
        view.ForceFullRedraw();
        int32_t left = 0, top = 0;
        PartFieldCorner(view, cx, cy, 0, left, top);
        left -= 18 / z, top += 19 / z;  // the place of type 1
        const int32_t clear = (top + 1) * ground.Stride() + left + 1;
        const int32_t cell = (top + 40 / z) * ground.Stride() + left + 44 / z;
        ground.pixels[clear] = composite.pixels[clear] = 7;
        SPIEL_FELD::LayersChanged();
        std::tie(a.prev_frame, a.frame) = std::pair(a.frame, uint8_t((a.frame + 1) % 8));
        view.DrawVehicles(0);
        EXPECT_EQ(std::tuple(ground.pixels[cell], composite.pixels[cell]),
                  std::tuple(90 + a.frame, 90 + a.frame))
            << z;
        EXPECT_EQ(std::tuple(ground.pixels[clear], composite.pixels[clear]), std::tuple(7, 7)) << z;
    }
}

TEST_F(WorldViewAnimations, OnlyRotationZeroAddsItemsAndStamps) {
    gs.images.animation_sets[1].Create(gs.images.tile_sheet, 88 * 8, 76);
    gs.images.animation_sets[1].FillRect(0, 0, 88 * 8, 76, 99);
    view.AddAnimation(cx, cy, 1);
    view.AddAnimation(cx, cy + 1, 0);  // type 0 is drawn every frame
    view.TickAnimations();
    view.TickAnimations();  // both changed frame
    view.AddAnimationItems();
    EXPECT_EQ(view.draw_list.Items().size(), 2u);
    view.draw_list.Clear();
    view.TickAnimations();  // type 1 (delay 2) keeps its frame
    view.AddAnimationItems();
    ASSERT_EQ(view.draw_list.Items().size(), 1u);
    EXPECT_EQ(view.draw_list.Items()[0].kind, 10);
    view.draw_list.Clear();
    // The stamp of the ground-level type goes into the background layer.
    WinGBitmap& ground = gs.images.background_layer;
    ground.FillRect(0, 0, gs.view_width, gs.view_height, 0);
    view.DrawAnimationStamps();
    const auto [left, top] = PlaceOf(cx, cy);
    EXPECT_EQ(ground.pixels[(top + 19 + 5) * ground.Stride() + left - 18 + 5], 99);
    for (int32_t r = 1; r < 4; ++r) {
        gs.rotation = r;
        ground.FillRect(0, 0, gs.view_width, gs.view_height, 0);
        view.animation_list.front().in_view = 7;
        view.TickAnimations(), view.TickAnimations();
        view.AddAnimationItems();
        view.DrawAnimationStamps();
        EXPECT_TRUE(view.draw_list.Empty()) << r;
        int32_t painted = 0;
        for (int32_t i = 0; i < gs.view_width; ++i)
            painted += ground.pixels[ground.Stride() * 300 + i];
        EXPECT_EQ(painted, 0) << r;
    }
}

// --- Name plates and production signs ----------------------------------

// A building with a name and a product of the test's choosing.
struct NamedBuilding : CBuilding {
    NamedBuilding(int32_t x, int32_t y, std::string text, int32_t product)
        : CBuilding(x, y), name(std::move(text)), product(product) {}
    const char* GetName() override { return name.c_str(); }
    int32_t GetProduct() override { return product; }
    std::string name;
    int32_t product;
};

// Plates: 100 + band, the border column 250; signs: 1 + column.
class WorldViewPlates : public ViewScene {
  protected:
    WorldViewPlates() {
        GameImages& im = gs.images;
        im.sign_sheet.Free();
        im.sign_sheet.Create(im.tile_sheet, 192, 75);
        for (int32_t y = 0; y < 75; ++y) {
            for (int32_t x = 0; x < 192; ++x) {
                im.sign_sheet.pixels[y * im.sign_sheet.Stride() + x] =
                    static_cast<uint8_t>(x == 191 ? 250 : 100 + y / 15);
            }
        }
        im.product_signs.Free();
        im.product_signs.Create(im.tile_sheet, 1184, 32);
        for (int32_t x = 0; x < 1184; ++x) {
            for (int32_t y = 0; y < 32; ++y) {
                im.product_signs.pixels[y * im.product_signs.Stride() + x] =
                    static_cast<uint8_t>(1 + x / 32);
            }
        }
        for (RawImage& p : im.building_pictures) p.Free();
        for (auto& colours : im.colour_pictures)
            for (RawImage& p : colours) p.Free();
        gs.show_city_names = 0;
        gs.player_colors[0] = 2;
        gs.player_colors[1] = 3;
    }
    // Building 5 of `type` with its anchor on (x, y) over a w x d floor.
    NamedBuilding* Put(int32_t type, int32_t x, int32_t y, int32_t w, int32_t d,
                       std::string name = "", int32_t product = -1, int32_t owner = 0) {
        delete g_ppBuildings->buildings[5];
        auto* b = new NamedBuilding(x, y, std::move(name), product);
        g_ppBuildings->buildings[5] = b;
        std::tie(gs.building_types[type].floor_width, gs.building_types[type].floor_depth) =
            std::pair(w, d);
        for (int32_t fx = x; fx < x + w; ++fx) {
            for (int32_t fy = y; fy < y + d; ++fy) {
                MapField& f = gs.fields[FieldIndex(fx, fy)];
                f.set_building_flag(true), f.set_geb_num(5), f.set_geb_typ(type);
                f.set_spieler(owner);
            }
        }
        return b;
    }
    void DrawObjects() {
        std::tie(gs.redraw_terrain, gs.redraw_objects) = std::pair(0, 1);
        view.RedrawView();
    }
    int32_t Layer(int32_t x, int32_t y) const {
        const WinGBitmap& b = gs.images.object_layer_b;
        return b.pixels[y * b.Stride() + x];
    }
};

TEST_F(WorldViewPlates, TheLabelFieldOfEachRotationAndOfTheStations) {
    gs.show_production = 0;
    struct Case {
        int32_t type, w, d;
        int32_t field[4][2];  // by rotation, relative to the anchor
    };
    const Case cases[] = {
        {15, 3, 2, {{0, 0}, {0, 1}, {2, 1}, {2, 0}}},
        {8, 4, 3, {{0, 0}, {0, 1}, {3, 1}, {3, 0}}},
        {9, 3, 4, {{0, 0}, {0, 3}, {1, 3}, {1, 0}}},
    };
    for (const Case& c : cases) {
        Put(c.type, cx, cy, c.w, c.d, "X");
        for (int32_t r = 0; r < 4; ++r) {
            gs.rotation = r;
            std::vector<std::pair<int32_t, int32_t>> labelled;
            for (int32_t u = 0; u < c.w; ++u) {
                for (int32_t v = 0; v < c.d; ++v) {
                    view.draw_list.Clear();
                    view.AddLabelItems(c.type, cx + u, cy + v, 100, 200);
                    if (!view.draw_list.Empty()) labelled.emplace_back(u, v);
                }
            }
            EXPECT_EQ(labelled,
                      (std::vector<std::pair<int32_t, int32_t>>{{c.field[r][0], c.field[r][1]}}))
                << c.type << " rotation " << r;
        }
        for (int32_t u = 0; u < c.w; ++u)
            for (int32_t v = 0; v < c.d; ++v) gs.fields[FieldIndex(cx + u, cy + v)] = MapField{};
    }
    view.draw_list.Clear();
}

TEST_F(WorldViewPlates, AFortyPixelTextGetsAPlateOf47PixelsAndItsBorderNineteenAboveTheField) {
    // A text 40 pixels wide: some character repeated.
    std::string text;
    for (char ch = 'A'; ch <= 'z' && text.empty(); ++ch) {
        const std::string one(1, ch);
        const uint32_t w = GetTextWidth(one.c_str(), kFont1Advances);
        if (w > 0 && 40 % w == 0) text.assign(40 / w, ch);
    }
    ASSERT_EQ(GetTextWidth(text.c_str(), kFont1Advances), 40u);
    gs.show_production = 0;
    Put(1, cx, cy, 1, 1, text);
    DrawObjects();
    const auto [x, y_base] = PlaceOf(cx, cy);
    const int32_t yo = y_base - 1;
    const int32_t left = x + 32 - (40 + 8) / 2;
    const int32_t bottom = yo - 19 + 14;  // the plate's last row holds no text
    EXPECT_EQ(std::tuple(Layer(left - 1, bottom), Layer(left, bottom), Layer(left + 46, bottom),
                         Layer(left + 47, bottom), Layer(left + 48, bottom)),
              std::tuple(0, 102, 102, 250, 0));
    EXPECT_EQ(std::pair(Layer(left, yo - 19 - 1), Layer(left, bottom + 1)), std::pair(0, 0));
    view.zoom = 2;  // plates keep their size, their place follows the zoom
    view.SetupProjection();
    DrawObjects();
    const auto [x2, y2] = PlaceOf(cx, cy);
    EXPECT_EQ(std::pair(Layer(x2 + 16 - 24 + 47, y2 - 1 - 19 + 14), Layer(x2 + 16 - 24, y2 - 6)),
              std::pair(250, 102));
}

TEST_F(WorldViewPlates, AFactoryWithoutProductShowsSignZeroAndOnlyThePlayersSignsShow) {
    gs.show_building_names = 0;
    struct Case {
        int32_t product, owner, want;
    };
    for (const Case& c : {Case{-1, 0, 1}, Case{20, 0, 14}, Case{20, 1, 0}}) {
        Put(15, cx, cy, 3, 3, "", c.product, c.owner);
        DrawObjects();
        const auto [x, y_base] = PlaceOf(cx, cy);
        EXPECT_EQ(Layer(x + 32 - 16 + 5, y_base - 1 - 4 + 5), c.want) << c.product << c.owner;
    }
}

TEST_F(WorldViewPlates, NothingAtZoomSixteen) {
    Put(15, cx, cy, 3, 3, "Works", 20);
    auto* city = new CCity;
    std::tie(city->origin_x, city->origin_y) = std::pair(cx - 13, cy - 13);
    std::snprintf(city->name, sizeof city->name, "%s", "Ashwick");
    g_pCityManager->cities[0] = city;
    gs.show_city_names = 1;
    DrawObjects();
    auto drawn_pixels = [&] {
        int32_t n = 0;
        for (int32_t y = 0; y < gs.view_height; ++y)
            for (int32_t x = 0; x < gs.view_width; ++x) n += Layer(x, y) != 0;
        return n;
    };
    EXPECT_GT(drawn_pixels(), 0);
    view.zoom = kOverviewZoomLevel;
    view.draw_list.Clear();
    view.AddLabelItems(15, cx, cy, 100, 100);
    EXPECT_TRUE(view.draw_list.Empty());
    gs.images.object_layer_b.FillRect(0, 0, gs.view_width, gs.view_height, 0);
    view.DrawPlatesAndSigns();
    EXPECT_EQ(drawn_pixels(), 0);
}

TEST_F(WorldViewPlates, ALongCityNameGetsAWholePlate) {
    auto* city = new CCity;
    // Its centre field left of the camera's, so that the plate fits the view.
    std::tie(city->origin_x, city->origin_y) = std::pair(cx - 13 - 5, cy - 13 + 5);
    const std::string name(sizeof city->name - 1, 'W');
    std::snprintf(city->name, sizeof city->name, "%s", name.c_str());
    g_pCityManager->cities[0] = city;
    gs.show_city_names = 1;
    const int32_t w = static_cast<int32_t>(GetTextWidth(city->name, kFont1Advances));
    ASSERT_GT(w + 7, 191);  // wider than the sheet
    DrawObjects();
    EXPECT_EQ(city->in_view, 1);
    // The plate's last row: w + 7 pixels of band 4, then the border.
    int32_t best_row = -1, best = 0;
    for (int32_t y = 0; y < gs.view_height; ++y) {
        int32_t n = 0;
        for (int32_t x = 0; x < gs.view_width; ++x) n += Layer(x, y) == 104;
        if (n > best) std::tie(best, best_row) = std::pair(n, y);
    }
    EXPECT_EQ(best, w + 7);
    int32_t first = 0;
    while (Layer(first, best_row) != 104) ++first;
    EXPECT_EQ(std::tuple(Layer(first + w + 6, best_row), Layer(first + w + 7, best_row)),
              std::tuple(104, 250));
}

// --- One golden picture -------------------------------------------------

struct LoadOnlyTrain : CVehicle {
    LoadOnlyTrain() : CVehicle(VehicleLoadOnly{}) {}
};

// On the generated world at zoom 1, the ground and then the objects drawn
// again (the grid switched, the plates and signs hidden) under standing
// trucks: each following frame is the one composing the layers afresh gives.
TEST(WorldViewFrames, TheKeptCompositionFollowsTheGroundAndTheObjectsDrawnAgain) {
    viewtest::ViewHost host;
    SPIEL_FELD& view = host.view();
    CGameState& gs = host.gs();
    host.Show(0, 1);
    const int32_t cx = view.CentreP(), cy = view.CentreQ();
    for (int32_t i = 0; i < 8; ++i) {
        auto* truck = new TestVehicle;
        std::tie(truck->vehicle_class, truck->model, truck->visible) =
            std::tuple(kVehicleTruck, i, 1);
        std::tie(truck->drawn_x, truck->drawn_y) = std::pair(uint8_t(cx - 4 + i), uint8_t(cy));
        truck->direction = kDirE << 4 | kDirE;
        RegisterVehicle(truck);
    }
    auto frame = [&] { return DrawnFrame(host); };
    frame();
    for (const bool terrain : {true, false}) {
        if (terrain) {
            gs.show_grid = gs.show_grid == 0 ? 1 : 0;
        } else {
            gs.show_production = gs.show_building_names = gs.show_city_names = 0;
        }
        (terrain ? gs.redraw_terrain : gs.redraw_objects) = 1;
        MarkAllFieldsChanged();
        view.RedrawView();
        const std::vector<uint8_t> kept = frame();
        SPIEL_FELD::LayersChanged();
        EXPECT_TRUE(kept == frame()) << terrain;
    }
}

// The traffic world after 300 frames at zoom 2: stations, trains and their
// wagons, trucks on their roads, a rail bridge with a train standing on it,
// plates, signs and the outline of a road's route, as the window shows it.
TEST(WorldViewGolden, StationsTrainOnABridgeTrucksPlatesSignsAndARoutePreview) {
    viewtest::ViewHost host;
    viewtest::TrafficWorld world(host);
    CGameState& gs = host.gs();
    const int32_t row = world.y0 + 21;
    g_pWayNetwork->current_way_type = kWayRail;
    ASSERT_EQ(g_pWayNetwork->BuildBridge(world.x0 + 10, row, world.x0 + 16, row, 0), 1);
    auto* train = new LoadOnlyTrain;
    std::tie(train->vehicle_class, train->model, train->visible, train->draw_layer) =
        std::tuple(kVehicleRail, 11, 1, 2);
    std::tie(train->drawn_x, train->drawn_y, train->phase) =
        std::tuple(uint8_t(world.x0 + 14), uint8_t(row), 16);
    train->direction = kDirW << 4 | kDirW;
    for (int32_t i = 0; i < 2; ++i) {
        auto* w = new CWagon(world.x0 + 15 + i, row, "W", i == 0 ? 0 : 20, i);
        std::tie(w->drawn_x, w->drawn_y, w->direction, w->phase, w->hidden, w->amount) =
            std::tuple(uint8_t(world.x0 + 15 + i), uint8_t(row), train->direction, 16, 2, 1);
        train->wagons[i] = w;
    }
    train->wagon_count = 2;
    RegisterVehicle(train);
    world.Run(300);
    world.Look(world.x0 + 20, world.y0 + 24, 0, 2);
    SPIEL_FELD& view = host.view();
    view.tool = kToolRoad;
    g_pWayNetwork->current_way_type = kWayAsphaltRoad;
    std::tie(view.drag_start_x, view.drag_start_y) = std::pair(world.x0 + 4, world.y0 + 38);
    std::tie(view.prev_cursor_x, view.cursor_x, view.cursor_y) =
        std::tuple(-1, world.x0 + 36, world.y0 + 38);
    view.UpdateToolPreview(MK_LBUTTON);
    ASSERT_GT(g_pTileMarker->cost, 0);
    view.DrawVehicles(1);  // the frame presents the vehicles, then the overlay
    const plat::Surface& window = view.GetSurface();
    if (const char* keep = std::getenv("FV_GOLDEN_PNG"); keep != nullptr) {
        std::filesystem::create_directories(keep);
        plat::WritePng((std::filesystem::path(keep) / "world-view-traffic.png").string(), window,
                       host.Colours());
    }
    EXPECT_EQ(train->screen_box[0] >= 0 && train->screen_box[1] <= gs.view_width, true);
    EXPECT_EQ(
        fvtest::PictureHash(window.width, window.height, [&](int32_t y) { return window.Row(y); }),
        0x77d7eb6fa7483b99ull);
}

}  // namespace
