// The field scan (each field once, back to front, never the last two rows;
// rotation 0's closed form), the draw list's order and the sprite paths.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>

#include "state/lookup_tables.h"
#include "view/draw_list.h"
#include "view/field_scan.h"

namespace {

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
