// The view's arithmetic without a window: the camera's ranges, clamp,
// visibility and pan; the field scan (each field once, back to front, never
// the last two rows; rotation 0's closed form); the draw list; sprite paths.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <utility>

#include "platform/random.h"
#include "state/lookup_tables.h"
#include "support/game_scope.h"
#include "view/draw_list.h"
#include "view/field_scan.h"
#include "view/world_view.h"

namespace {

struct BareView : SPIEL_FELD {
    BareView() : SPIEL_FELD(kWatchOnly) {}
};

// A world view without a window, at a screen width.
struct BareViewScope {
    explicit BareViewScope(int32_t width) {
        CGameState& gs = scope.state();
        std::tie(gs.screen_width, gs.screen_height) = std::pair(width, width * 3 / 4);
        std::tie(gs.view_width, gs.view_height) = std::pair(width - 164, gs.screen_height - 2);
        scope.Set(g_pLookupTables, &tables);
        view.ApplyScreenSize();
    }
    fvtest::GameScope scope;
    CLookupTables tables;
    BareView view;
};

TEST(WorldViewCamera, SetupProjectionSetsTheRangesOfRotationWidthAndZoom) {
    struct RangeCase {
        int32_t rotation, width, zoom;
        double a1, a2, b1, b2;
    };
    constexpr double H = 123.0;
    const RangeCase cases[] = {
        {0, 1024, 16, -60, 60, 112, 112},    {0, 800, 16, -60, 60, 108, 108},
        {0, 640, 16, -70, 70, 100, 150},     {1, 1024, 16, 44, 164, 9, 9},
        {1, 800, 16, 46, 166, 2, 2},         {1, 640, 16, 55, 195, 25, -25},
        {2, 1024, 16, 60, -60, 95, 95},      {2, 800, 16, 60, -60, 103, 103},
        {2, 640, 16, 70, -70, 100, 150},     {3, 1024, 16, 43, 163, -9, -9},
        {3, 800, 16, 45, 165, -2, -2},       {3, 640, 16, 55, 195, 25, -25},
        {0, 1024, 1, -H, H, -12, 220},       {0, 800, 2, -H, H, -12, 224},
        {0, 640, 4, -H, H + 3, -12, 229},    {1, 1024, 1, 224, -17, 5 - H, H - 4},
        {1, 800, 2, 228, -17, 5 - H, H - 4}, {1, 640, 4, 230, -18, -H, H},
        {2, 1024, 1, H, -H, 219, -13},       {2, 800, 2, H, -H, 223, -13},
        {2, 640, 4, H - 1, -H, 229, -13},    {3, 1024, 1, -17, 224, H - 5, 4 - H},
        {3, 800, 2, -17, 228, H - 5, 4 - H}, {3, 640, 4, -15, 234, H - 2, 2 - H},
    };
    for (const RangeCase& c : cases) {
        BareViewScope s(c.width);
        // Far outside: the centre is clamped into the ranges.
        std::tie(s.scope.state().rotation, s.view.zoom, s.view.centre_x, s.view.centre_y) =
            std::tuple(c.rotation, c.zoom, 500.0, 500.0);
        s.view.SetupProjection();
        SCOPED_TRACE(&c - cases);
        const auto [a, b] = std::pair(s.view.range_a, s.view.range_b);
        EXPECT_EQ(std::tuple(a.first, a.second, b.first, b.second),
                  std::tuple(c.a1, c.a2, c.b1, c.b2));
        const bool even = c.rotation % 2 == 0;
        EXPECT_EQ(std::pair(even ? s.view.centre_x : s.view.centre_y,
                            even ? s.view.centre_y : s.view.centre_x),
                  std::pair(s.view.GetValueA(), s.view.GetValueB()));
    }
}

TEST(WorldViewCamera, ClampWorksWithBoundsInEitherOrder) {
    const double cases[][4] = {// first, second, value, clamped
                               {227, -17, 300, 227}, {227, -17, -40, -17}, {227, -17, 5, 5},
                               {-17, 227, 300, 227}, {-17, 227, -40, -17}, {112, 112, 0, 112},
                               {112, 112, 500, 112}};
    for (const auto& [first, second, value, clamped] : cases)
        EXPECT_EQ((ClampRange{first, second}.Clamp(value)), clamped) << first << " " << value;
}

TEST(WorldViewCamera, IsTileInViewHasInclusiveBoundsAndTheSoundPanIs2000SixteenStepsRight) {
    BareViewScope s(1024);
    std::tie(s.view.centre_x, s.view.centre_y) = std::pair(0.0, 100.0);  // P = Q = 123
    const int32_t p = 123;
    // a = 25, b = 9: rotations 0/2 reach 34 along x + y and 16 along y - x;
    // rotations 1/3 the other way round. The last field in, the first out.
    for (int32_t r : {0, 1, 2, 3}) {
        s.scope.state().rotation = r;
        const int32_t u = r % 2 == 0 ? 17 : 8, v = 25 - u;
        for (const auto& [dx, dy, in] : {std::tuple(u, u, 1),
                                         {u + 1, u, 0},
                                         {-u, -u, 1},
                                         {-u - 1, -u, 0},
                                         {-v, v, 1},
                                         {-v - 1, v, 0}})
            EXPECT_EQ(s.view.IsTileInView(p + dx, p + dy), in) << r << " " << dx << "," << dy;
    }
    s.scope.state().rotation = 0;
    // Pan 125 per step along x - y, not bounded.
    for (const auto& [x, y, pan] : {std::tuple(123, 123, 0),
                                    {131, 115, 2000},
                                    {115, 131, -2000},
                                    {133, 113, 2500},
                                    {124, 123, 125}})
        EXPECT_EQ(s.view.GetSoundPan(x, y), pan) << x << "," << y;
    s.view.zoom = 16;  // sixteen-fold extents
    EXPECT_TRUE(s.view.IsTileInView(0, 0) == 1 && s.view.IsTileInView(255, 255) == 1);
}

TEST(WorldViewScan, VisitsEachFieldOnceBackToFrontAndNeverTheLastTwoRows) {
    // The neighbours that stand in front of a field on screen, by rotation.
    static constexpr int32_t kFront[4][2][2] = {
        {{1, 0}, {0, 1}}, {{1, 0}, {0, -1}}, {{0, -1}, {-1, 0}}, {{-1, 0}, {0, 1}}};
    for (int32_t r = 0; r < 4; ++r) {
        for (int32_t width : {1024, 800, 640}) {
            for (int32_t zoom : {1, 2, 4, 16}) {
                const int32_t hx = width == 1024 ? 21 : width == 800 ? 16 : 14;
                const int32_t hy = width == 1024 ? 5 : 4;
                for (int32_t centre : {20, 128}) {
                    const ScanView v{r, zoom, width, hx, hy, centre, centre};
                    std::map<std::pair<int32_t, int32_t>, int32_t> order;
                    int32_t n = 0;
                    bool twice = false, last_rows = false;
                    ScanFields(v, [&](const ScanField& f) {
                        twice |= !order.emplace(std::make_pair(f.x, f.y), n++).second;
                        last_rows |= f.x > 253 || f.y > 253;
                    });
                    SCOPED_TRACE(std::to_string(r) + "/" + std::to_string(width) + "/" +
                                 std::to_string(zoom) + "/" + std::to_string(centre));
                    EXPECT_FALSE(twice);
                    EXPECT_FALSE(last_rows);
                    if (centre == 128) {
                        EXPECT_TRUE(order.contains({128, 128}));
                        // The view's area over one field's diamond (1024 px at zoom 1).
                        const int32_t view_area = (width - 164) * (width * 3 / 4 - 2);
                        const int32_t expected =
                            zoom == 16 ? 254 * 254 / 2 : view_area * zoom * zoom / 1024;
                        EXPECT_GE(n, expected);
                    }
                    for (const auto& [field, at] : order) {
                        for (const auto& d : kFront[r]) {
                            const auto front =
                                order.find({field.first + d[0], field.second + d[1]});
                            if (front != order.end()) {
                                EXPECT_GT(front->second, at);
                            }
                        }
                    }
                }
            }
        }
    }
}

TEST(WorldViewScan, RotationZeroPlacementEqualsTheClosedForm) {
    for (int32_t zoom : {1, 2, 4}) {
        const ScanView v{0, zoom, 1024, 21, 5, 135, 135};
        int32_t a = 0, b = 0;
        ScanStart(v, a, b);
        const int32_t zoff = zoom == 1 ? 0 : zoom == 2 ? 16 : 24;
        int32_t checked = 0;
        ScanFields(v, [&](const ScanField& f) {
            const int32_t x = ((f.x - f.y) - (a - b)) * 32 / zoom - 50 - 64 + zoff;
            const int32_t y = ((f.x + f.y) - (a + b)) * 16 / zoom - 17;
            EXPECT_EQ(std::pair(f.screen_x, f.y_base), std::pair(x, y)) << zoom << " " << f.x;
            ++checked;
        });
        EXPECT_GT(checked, 500);
    }
}

TEST(WorldViewDrawList, KeepsKeyOrderNewestFirstOnTiesBridgeLevelLastAndWidens) {
    DrawList list;
    auto item = [](int32_t left, int32_t top, int32_t width, int32_t on_top, int32_t group) {
        return DrawItem{.left = left,
                        .right = left + width,
                        .top = top,
                        .bottom = top + 8,
                        .group = group,
                        .on_top = on_top};
    };
    list.Add(item(10, 10, 6, 0, 1), 100, 50);
    list.Add(item(10, 10, 7, 0, 2), 100, 50);  // same key: before the first
    list.Add(item(0, 0, 8, 1, 3), 100, 50);    // bridge level: after every ground item
    list.Add(item(90, 49, 4, 0, 4), 100, 50);
    const auto& items = list.Items();
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(std::tuple(items[0].group, items[1].group, items[2].group, items[3].group),
              std::tuple(2, 1, 4, 3));
    // Widened by 3 and 2 pixels.
    EXPECT_EQ(std::pair(items[0].right - items[0].left, items[1].right - items[1].left),
              std::pair(10, 8));
    EXPECT_EQ(items[3].sort_key, 50 * 100);
}

// The order the list gives, for frames of many items with clustered keys,
// keys far apart (the counting sort gives way to the general one), items
// reaching past the view's left or right edge and items added after the
// list was read: ascending keys, the newest first among equal ones.
TEST(WorldViewDrawList, OrdersLikeAStableSortOfNewestFirst) {
    plat::Srand(3131);
    DrawList list;
    for (int32_t round = 0; round < 60; ++round) {
        list.Clear();
        std::vector<DrawItem> added;
        // 4000 rows: keys past the counting range; otherwise up to 200 rows,
        // spans of every size the counting sort takes, with fewer buckets
        // for narrower ones.
        const int32_t spread = round % 3 == 0 ? 4000 : 1 + int32_t(plat::Rand() % 200);
        auto add = [&](int32_t count) {
            for (int32_t i = 0; i < count; ++i) {
                // Every fifth round also lefts beside the view, up to past
                // twice its width.
                const int32_t left = round % 5 == 2 && plat::Rand() % 3 == 0
                                         ? int32_t(plat::Rand() % 3200) - 1100
                                         : int32_t(plat::Rand() % 12) * 4;
                DrawItem item{.left = left,
                              .right = 0,
                              .top = int32_t(plat::Rand() % spread) - 5,
                              .group = int32_t(added.size()),
                              .on_top = int32_t(round % 2 == 0 && plat::Rand() % 5 == 0)};
                item.right = item.left + 4;
                list.Add(item, 1024, 768);
                added.push_back(item);
            }
        };
        add(1 + plat::Rand() % 400);
        if (round % 4 == 1) {
            (void)list.Items();
            add(1 + plat::Rand() % 50);
        }
        auto key = [](const DrawItem& d) {
            return int64_t{d.top} * 1024 + d.left + (d.on_top == 1 ? 768 * 1024 : 0);
        };
        std::vector<DrawItem> expected(added.rbegin(), added.rend());
        std::stable_sort(expected.begin(), expected.end(),
                         [&](const DrawItem& a, const DrawItem& b) { return key(a) < key(b); });
        const auto& items = list.Items();
        ASSERT_EQ(items.size(), expected.size());
        for (size_t i = 0; i < items.size(); ++i) {
            ASSERT_EQ(items[i].group, expected[i].group) << "round " << round << " place " << i;
        }
    }
}

class SpriteTables : public ::testing::Test {
  protected:
    CLookupTables tables;
};

TEST_F(SpriteTables, FlatPathsRunBetweenEdgeMidpoints) {
    const PathPoint edges[4] = {{47, 8}, {47, 23}, {16, 23}, {16, 8}};
    for (int32_t from = 0; from < 4; ++from) {
        int32_t k = 0;
        for (int32_t to = 0; to < 4; ++to) {
            if (to == from) continue;
            const auto& path = tables.flat_paths[from * 3 + k++];
            EXPECT_EQ(path[0], edges[from]) << from << "->" << to;
            EXPECT_EQ(path[31], edges[to]) << from << "->" << to;
        }
    }
    EXPECT_EQ(tables.flat_paths[6][2], (PathPoint{18, 22}));
}

TEST_F(SpriteTables, CurvesRunFromEdgeToEdgeOverTheirLaneAndRampsHaveReversedTwins) {
    // Steps 0 (entry), 8 (lane) and 31 (exit) of the eight turns.
    const int8_t ends[8][6] = {{16, 23, 24, 23, 16, 7},  {16, 7, 20, 13, 16, 23},
                               {16, 23, 28, 19, 47, 23}, {47, 23, 39, 19, 16, 23},
                               {47, 7, 35, 11, 16, 7},   {16, 7, 24, 11, 47, 7},
                               {47, 7, 39, 8, 47, 23},   {47, 23, 43, 16, 47, 7}};
    for (int32_t t = 0; t < 8; ++t) {
        for (int32_t i = 0; i < 3; ++i) {
            const PathPoint want{ends[t][2 * i], ends[t][2 * i + 1]};
            EXPECT_EQ(tables.curve_paths[t][i == 0 ? 0 : i == 1 ? 8 : 31], want) << t << " " << i;
        }
    }
    for (int32_t p : {0, 2, 4, 6}) {
        for (int32_t s = 0; s < 32; ++s)
            EXPECT_EQ(tables.slope_paths[p + 1][s], tables.slope_paths[p][31 - s]) << p;
    }
    EXPECT_EQ(tables.slope_paths[0][31], (PathPoint{16, 30}));
    EXPECT_EQ(tables.slope_paths[6][31], (PathPoint{16, 7}));
}

}  // namespace
