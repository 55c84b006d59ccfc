#include "view/field_scan.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "state/map_field.h"

int32_t ZoomShift(int32_t zoom) {
    switch (zoom) {
        case 2:
            return 1;
        case 4:
            return 2;
        case 16:
            return 4;
        default:
            return 0;
    }
}

int32_t ScreenOffsetE(int32_t screen_width) {
    return screen_width <= 640 || screen_width == 1024 ? -50 : -35;
}

int32_t RowAdjust(int32_t zoom) {
    switch (zoom) {
        case 2:
            return -16;
        case 4:
            return -24;
        case 16:
            return -32;
        default:
            return 0;
    }
}

ScanRows RowCounts(int32_t screen_width, int32_t zoom) {
    if (screen_width >= 1024) return {42, 16, 28};
    if (screen_width >= 800) return {33, 12, 23};
    if (zoom == 1) return {27, 9, 19};
    return {26, 9, 18};
}

void ScanStart(const ScanView& v, int32_t& a, int32_t& b) {
    const int32_t s = ZoomShift(v.zoom);
    const int32_t w640 = v.screen_width <= 640 ? -2 : 0;
    const int32_t hx = v.half_extent_x;
    const int32_t hy = v.half_extent_y;
    const int32_t p = v.centre_p;
    const int32_t q = v.centre_q;
    switch (v.rotation & 3) {
        case 0:
            a = p - (hx << s);
            b = q - (hy << s);
            break;
        case 1:
            a = p - (hy << s);
            b = q + ((hx + w640) << s);
            break;
        case 2:
            a = p + ((hx + w640) << s);
            b = q + ((hy + w640) << s);
            break;
        default:
            a = p + ((hy + w640) << s);
            b = q - (hx << s);
            break;
    }
}

void TopCorner(int32_t rotation, int32_t x, int32_t y, int32_t& cx, int32_t& cy) {
    static constexpr int32_t kCorner[4][2] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
    cx = x + kCorner[rotation & 3][0];
    cy = y + kCorner[rotation & 3][1];
}

int32_t TopCornerHeight(int32_t rotation, int32_t x, int32_t y) {
    int32_t cx = 0;
    int32_t cy = 0;
    TopCorner(rotation, x, y, cx, cy);
    const MapField* corner = FieldAt(cx, cy);
    return corner != nullptr ? corner->hoehe() : 0;
}

namespace {

// The first and last places of the lines of one direction.
struct LineEnds {
    std::vector<ScanEdge> lines;  // by line; least > most while empty
    void Add(int32_t line, int32_t at) {
        ScanEdge& e = lines[static_cast<size_t>(line)];
        e.least = std::min(e.least, at);
        e.most = std::max(e.most, at);
    }
    // The range of the lines' first places (`first`) or last places.
    ScanEdge Edge(bool first) const {
        ScanEdge edge{INT32_MAX, INT32_MIN};
        for (const ScanEdge& e : lines) {
            if (e.least > e.most) continue;
            const int32_t end = first ? e.least : e.most;
            edge = {std::min(edge.least, end), std::max(edge.most, end)};
        }
        return edge;
    }
};

}  // namespace

ScanEdges ScanPlaceEdges(const ScanView& v) {
    const int32_t s = ZoomShift(v.zoom);
    const int32_t column_step = 32 >> s;  // between places along a row
    const int32_t row_step = 16 >> s;     // between places along a column
    int32_t left = INT32_MAX;
    int32_t right = INT32_MIN;
    int32_t top = INT32_MAX;
    int32_t bottom = INT32_MIN;
    ScanRowsOf(v, [&](const ScanRow& row) {
        if (row.length < 0) return;
        left = std::min(left, row.screen_x - (row.length << (5 - s)));
        right = std::max(right, row.screen_x);
        top = std::min(top, row.y_base);
        bottom = std::max(bottom, row.y_base + ((16 * row.length) >> s));
    });
    if (left > right) return {};
    const ScanEdge empty{INT32_MAX, INT32_MIN};
    LineEnds columns{std::vector<ScanEdge>((right - left) / column_step + 1, empty)};
    LineEnds rows{std::vector<ScanEdge>((bottom - top) / row_step + 1, empty)};
    ScanRowsOf(v, [&](const ScanRow& row) {
        for (int32_t j = 0; j <= row.length; ++j) {
            const int32_t x = row.screen_x - (j << (5 - s));
            const int32_t y = row.y_base + ((16 * j) >> s);
            columns.Add((x - left) / column_step, y);
            rows.Add((y - top) / row_step, x);
        }
    });
    return {columns.Edge(true), columns.Edge(false), rows.Edge(true), rows.Edge(false)};
}
