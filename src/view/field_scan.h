#pragma once
// The field scan of the world view: diagonal rows of fields in painter's
// order (back to front), the rows first along the top edge, left to right,
// then along the right edge, top to bottom; and each field's place on the
// screen. Drawing, the overview and picking share it.

#include <cstdint>

struct ScanView {
    int32_t rotation = 0;  // 0..3
    int32_t zoom = 1;      // 1, 2, 4, 16
    int32_t screen_width = 1024;
    int32_t half_extent_x = 21;
    int32_t half_extent_y = 5;
    int32_t centre_p = 0;  // the centre field
    int32_t centre_q = 0;
};

// One visited field: its coordinates and the place (x, y_base) where its
// picture hangs before the height lift.
struct ScanField {
    int32_t x;
    int32_t y;
    int32_t screen_x;
    int32_t y_base;
};

int32_t ZoomShift(int32_t zoom);
// The left offset of a row: -50, or -35 on an 800-wide screen.
int32_t ScreenOffsetE(int32_t screen_width);
// The row adjustment for a zoom: 0, -16, -24, -32.
int32_t RowAdjust(int32_t zoom);
// The start field of the scan.
void ScanStart(const ScanView& v, int32_t& a, int32_t& b);
// The field whose height lifts a field's picture (its top corner on screen).
void TopCorner(int32_t rotation, int32_t x, int32_t y, int32_t& cx, int32_t& cy);
// The height of that corner field, 0 where it lies off the map.
int32_t TopCornerHeight(int32_t rotation, int32_t x, int32_t y);

// Calls visit(const ScanField&) for every field of 0..253 x 0..253 in view,
// in painter's order.
template <typename Visit>
void ScanFields(const ScanView& v, Visit&& visit);

// The edges of the places (screen_x, y_base) of the fields the scan steps
// on, on the map or not. The places form a grid that a scroll by whole
// lines moves by whole cells, and each line of it (a row or a column of
// places) holds one unbroken run of the scan's places; so the places a
// scroll brings into the scan or takes out of it lie next to the first or
// last place of their line. Each edge is the range in which the first (or
// last) places of the lines lie, both ends inclusive.
struct ScanEdge {
    int32_t least = 0, most = 0;
};
struct ScanEdges {
    ScanEdge top, bottom;  // of the columns
    ScanEdge left, right;  // of the rows
};
ScanEdges ScanPlaceEdges(const ScanView& v);

// --- implementation ------------------------------------------------------

struct ScanRows {
    int32_t total;
    int32_t grow_end;
    int32_t steady_end;
};
ScanRows RowCounts(int32_t screen_width, int32_t zoom);

// One row of the scan: its first field, the index of its last field (-1:
// none) and the place of its first field.
struct ScanRow {
    int32_t x, y;
    int32_t length;
    int32_t screen_x, y_base;
};

// Calls row(const ScanRow&) for every row of the scan, in order.
template <typename Row>
void ScanRowsOf(const ScanView& v, Row&& row);

template <typename Row>
void ScanRowsOf(const ScanView& v, Row&& row) {
    static constexpr int32_t kFirst[4][2] = {{1, -1}, {-1, -1}, {-1, 1}, {1, 1}};
    static constexpr int32_t kLater[4][2] = {{1, 1}, {1, -1}, {-1, -1}, {-1, 1}};
    const int32_t r = v.rotation & 3;
    const int32_t s = ZoomShift(v.zoom);
    const int32_t z = v.zoom;
    const ScanRows rows = RowCounts(v.screen_width, z);
    ScanRow at{0, 0, -1, 0, -17};
    ScanStart(v, at.x, at.y);
    const int32_t e = ScreenOffsetE(v.screen_width);
    for (int32_t n = 0; n < rows.total * z; ++n) {
        if (n < rows.grow_end * z) {
            at.length += 2;
            at.x += kFirst[r][0];
            at.y += kFirst[r][1];
            at.screen_x = (64 >> s) * n + e + RowAdjust(z);
            at.y_base = -17;
        } else {
            at.x += kLater[r][0];
            at.y += kLater[r][1];
            at.y_base += 32 >> s;
            if (n >= rows.steady_end * z) at.length -= 2;
        }
        row(at);
    }
}

template <typename Visit>
void ScanFields(const ScanView& v, Visit&& visit) {
    static constexpr int32_t kColumn[4][2] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};
    const int32_t r = v.rotation & 3;
    const int32_t s = ZoomShift(v.zoom);
    ScanRowsOf(v, [&](const ScanRow& row) {
        for (int32_t j = 0; j <= row.length; ++j) {
            const int32_t x = row.x + j * kColumn[r][0];
            const int32_t y = row.y + j * kColumn[r][1];
            if (x < 0 || x > 253 || y < 0 || y > 253) continue;
            visit(ScanField{x, y, row.screen_x - (j << (5 - s)), row.y_base + ((16 * j) >> s)});
        }
    });
}
