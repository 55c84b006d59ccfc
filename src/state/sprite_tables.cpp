// The sprite tables of CLookupTables: paths through a field and the pictures
// of moving sprites, and the world view's rotation tables.

#include <cstring>

#include "state/lookup_tables.h"

namespace {

// Edge midpoints of a field's picture: 0 upper right, 1 lower right, 2 lower
// left, 3 upper left.
constexpr PathPoint kEdges[4] = {{47, 8}, {47, 23}, {16, 23}, {16, 8}};

PathPoint Point(int32_t x, int32_t y) {
    return {static_cast<int8_t>(x), static_cast<int8_t>(y)};
}

// Point i of a run along the 2:1 diagonal: x moves every step, y every
// second one (on the odd steps).
PathPoint Diagonal(int32_t x, int32_t y, int32_t dx, int32_t dy, int32_t i) {
    return Point(x + dx * i, y + dy * ((i + 1) / 2));
}

// One rounded turn: 8 entry steps, 16 along the lane, 8 out. The stretch
// functions get the step within their stretch.
template <typename Entry, typename Middle, typename Exit>
void Curve(PathPoint (&path)[kPathSteps], Entry entry, Middle middle, Exit exit) {
    for (int32_t i = 0; i < 8; ++i) path[i] = entry(i);
    for (int32_t i = 0; i < 16; ++i) path[8 + i] = middle(i);
    for (int32_t i = 0; i < 8; ++i) path[24 + i] = exit(i);
}

// clang-format off
constexpr SpriteFrame kTruckFrames[12] = {
    {88, 0, -10, -13, 12, 24}, {100, 0, -18, -15, 24, 21}, {124, 0, -12, -14, 28, 16},
    {0, 0, 0, -11, 12, 24},    {124, 0, -13, -16, 28, 16}, {152, 0, -7, -16, 24, 21},
    {12, 0, -10, -10, 24, 21}, {36, 0, -13, -7, 28, 16},   {0, 0, -3, -13, 12, 24},
    {36, 0, -12, -5, 28, 16},  {64, 0, -12, -10, 24, 21},  {88, 0, -9, -12, 12, 24},
};
constexpr SpriteFrame kTrainFrames[12] = {
    {122, 0, -6, -14, 12, 26}, {134, 0, -17, -20, 38, 28}, {172, 0, -17, -6, 34, 13},
    {0, 0, -6, -14, 12, 26},   {172, 0, -16, -8, 34, 13},  {206, 0, -12, -16, 38, 28},
    {12, 0, -28, -15, 38, 28}, {50, 0, -16, -8, 34, 13},   {0, 0, -6, -14, 12, 26},
    {50, 0, -16, -6, 34, 13},  {84, 0, -16, -19, 38, 28},  {122, 0, -6, -14, 12, 26},
};
constexpr SpriteFrame kWagonFrames[12] = {
    {72, 0, -6, -14, 12, 20},  {84, 0, -16, -12, 22, 20},  {106, 0, -14, -6, 16, 13},
    {0, 0, -6, -14, 12, 20},   {106, 0, -13, -8, 16, 13},  {122, 0, -12, -16, 22, 20},
    {12, 0, -10, -15, 22, 20}, {34, 0, -2, -8, 16, 13},    {0, 0, -6, -14, 12, 20},
    {34, 0, -1, -6, 16, 13},   {50, 0, -1, -11, 22, 20},   {72, 0, -6, -14, 12, 20},
};
// The truck records a turn shows while entering, crossing and leaving.
constexpr int32_t kTurnSources[8][3] = {
    {6, 8, 5}, {10, 11, 1}, {6, 7, 10}, {5, 4, 1}, {1, 2, 5}, {10, 9, 6}, {1, 0, 10}, {5, 3, 6},
};

constexpr uint8_t kTileShapes[4][kSlopeCodeCount] = {
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14},
    {0, 2, 3, 4, 1, 6, 7, 8, 5, 10, 11, 12, 9, 14, 13},
    {0, 3, 4, 1, 2, 7, 8, 5, 6, 11, 12, 9, 10, 13, 14},
    {0, 4, 1, 2, 3, 8, 5, 6, 7, 12, 9, 10, 11, 14, 13},
};
constexpr uint8_t kPieceColumns[4][kWayPieceColumns] = {
    {10, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16},
    {16, 1, 0, 4, 2, 5, 3, 8, 9, 7, 6, 10, 13, 11, 14, 12, 16, 15},
    {15, 0, 1, 5, 4, 3, 2, 7, 6, 9, 8, 10, 14, 13, 12, 11, 15, 16},
    {16, 1, 0, 3, 5, 2, 4, 9, 8, 6, 7, 10, 12, 14, 11, 13, 16, 15},
};
constexpr int32_t kTreeOffsets[30][4] = {
    {3, 6, 16, 22},  {19, 9, -1, 21}, {6, 9, 19, 25},  {15, 14, -1, 27}, {18, 7, 7, 15},
    {2, 5, 13, 17},  {0, 4, 19, 14},  {16, 6, 7, 17},  {14, 8, 11, 29},  {0, 15, 19, 27},
    {16, 5, 0, 20},  {11, 9, 17, 19}, {1, 7, 17, 16},  {15, 7, 1, 18},   {10, 4, 4, 22},
    {17, 6, 0, 17},  {2, 11, 8, 30},  {16, 14, 0, 24}, {15, 9, 2, 24},   {1, 15, 17, 24},
    {2, 4, 13, 14},  {15, 6, 4, 14},  {2, 8, 16, 23},  {18, 12, 1, 22},  {17, 12, 1, 26},
    {0, 13, 15, 25}, {3, 14, 15, 23}, {16, 14, 1, 24}, {1, 6, 15, 18},   {16, 7, 0, 18},
};
// clang-format on

}  // namespace

void CLookupTables::InitFlatPaths() {
    for (int32_t from = 0; from < 4; ++from) {
        int32_t k = 0;
        for (int32_t to = 0; to < 4; ++to) {
            if (to == from) continue;
            const PathPoint a = kEdges[from];
            const PathPoint b = kEdges[to];
            const int32_t sx = b.x > a.x ? 1 : b.x < a.x ? -1 : 0;
            const int32_t sy = b.y > a.y ? 1 : b.y < a.y ? -1 : 0;
            for (int32_t s = 0; s < kPathSteps; ++s) {
                flat_paths[from * 3 + k][s] = Point(a.x + sx * s, a.y + sy * (s / 2));
            }
            ++k;
        }
    }
}

void CLookupTables::InitPathOffsetsB() {
    // Ramps: x moves one pixel a step from 47 to 16; y along the slope.
    for (int32_t s = 0; s < kPathSteps; ++s) {
        const int32_t x = 47 - s;
        slope_paths[0][s] = Point(x, 7 + (3 * s + 2) / 4);
        slope_paths[2][s] = Point(x, 15 - (14 * s + 31) / 62);
        slope_paths[4][s] = Point(x, 8 + (14 * s + 31) / 62);
        slope_paths[6][s] = Point(x, 30 - (3 * s) / 4);
    }
    for (int32_t p = 0; p < 8; p += 2) {
        for (int32_t s = 0; s < kPathSteps; ++s) slope_paths[p + 1][s] = slope_paths[p][31 - s];
    }
}

void CLookupTables::InitPathOffsetsA() {
    auto& c = curve_paths;
    Curve(
        c[0], [](int32_t i) { return Diagonal(16, 23, 1, -1, i); },
        [](int32_t i) { return Point(24, 23 - i); },
        [](int32_t i) { return Diagonal(23, 11, -1, -1, i); });
    Curve(
        c[1], [](int32_t i) { return Diagonal(16, 7, 1, 1, i / 2); },
        [](int32_t i) { return Point(20, 13 + i / 4); },
        [](int32_t i) { return Diagonal(19, 21, -1, 1, i / 2); });
    Curve(
        c[2], [](int32_t i) { return Diagonal(16, 23, 1, -1, i); },
        [](int32_t i) { return Point(28 + i / 2, 19); },
        [](int32_t i) { return Diagonal(40, 19, 1, 1, i); });
    Curve(
        c[3], [](int32_t i) { return Diagonal(47, 23, -1, -1, i); },
        [](int32_t i) { return Point(39 - i, 19); },
        [](int32_t i) { return Diagonal(23, 19, -1, 1, i); });
    Curve(
        c[4], [](int32_t i) { return Diagonal(47, 7, -1, 1, i); },
        [](int32_t i) { return Point(35 - i / 2, 11); },
        [](int32_t i) { return Diagonal(23, 11, -1, -1, i); });
    Curve(
        c[5], [](int32_t i) { return Diagonal(16, 7, 1, 1, i); },
        [](int32_t i) { return Point(24 + i, 11); },
        [](int32_t i) { return Diagonal(40, 11, 1, -1, i); });
    Curve(
        c[6], [](int32_t i) { return Diagonal(47, 7, -1, 1, i); },
        [](int32_t i) { return Point(39, 8 + i); },
        [](int32_t i) { return Diagonal(40, 19, 1, 1, i); });
    Curve(
        c[7], [](int32_t i) { return Diagonal(47, 23, -1, -1, i / 2); },
        [](int32_t i) { return Point(43, 16 - i / 4); },
        [](int32_t i) { return Diagonal(44, 9, 1, -1, i / 2); });
}

void CLookupTables::InitSpriteFrames() {
    // Groups 2 and 3 (vehicle classes 5 and 6) show the trains' pictures.
    std::memcpy(&sprite_frames[0], kTruckFrames, sizeof kTruckFrames);
    for (int32_t g = 1; g <= 3; ++g) {
        std::memcpy(&sprite_frames[g * 12], kTrainFrames, sizeof kTrainFrames);
    }
    std::memcpy(&sprite_frames[48], kWagonFrames, sizeof kWagonFrames);
}

void CLookupTables::InitTurnFrames() {
    for (int32_t t = 0; t < 8; ++t) {
        for (int32_t stage = 0; stage < 3; ++stage) {
            turn_frames[t * 3 + stage] = sprite_frames[kTurnSources[t][stage]];
        }
    }
}

void CLookupTables::InitViewTables() {
    std::memcpy(tile_shapes, kTileShapes, sizeof tile_shapes);
    std::memcpy(piece_columns, kPieceColumns, sizeof piece_columns);
    std::memcpy(tree_offsets, kTreeOffsets, sizeof kTreeOffsets);
}
