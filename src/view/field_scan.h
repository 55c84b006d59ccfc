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

// --- implementation ------------------------------------------------------

struct ScanRows {
    int32_t total;
    int32_t grow_end;
    int32_t steady_end;
};
ScanRows RowCounts(int32_t screen_width, int32_t zoom);

template <typename Visit>
void ScanFields(const ScanView& v, Visit&& visit) {
    static constexpr int32_t kFirst[4][2] = {{1, -1}, {-1, -1}, {-1, 1}, {1, 1}};
    static constexpr int32_t kLater[4][2] = {{1, 1}, {1, -1}, {-1, -1}, {-1, 1}};
    static constexpr int32_t kColumn[4][2] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};
    const int32_t r = v.rotation & 3;
    const int32_t s = ZoomShift(v.zoom);
    const int32_t z = v.zoom;
    const ScanRows rows = RowCounts(v.screen_width, z);
    int32_t ax = 0;
    int32_t ay = 0;
    ScanStart(v, ax, ay);
    int32_t length = -1;
    int32_t rx = 0;
    int32_t ry = -17;
    const int32_t e = ScreenOffsetE(v.screen_width);
    for (int32_t n = 0; n < rows.total * z; ++n) {
        if (n < rows.grow_end * z) {
            length += 2;
            ax += kFirst[r][0];
            ay += kFirst[r][1];
            rx = (64 >> s) * n + e + RowAdjust(z);
            ry = -17;
        } else {
            ax += kLater[r][0];
            ay += kLater[r][1];
            ry += 32 >> s;
            if (n >= rows.steady_end * z) length -= 2;
        }
        for (int32_t j = 0; j <= length; ++j) {
            const int32_t x = ax + j * kColumn[r][0];
            const int32_t y = ay + j * kColumn[r][1];
            if (x < 0 || x > 253 || y < 0 || y > 253) continue;
            visit(ScanField{x, y, rx - (j << (5 - s)), ry + ((16 * j) >> s)});
        }
    }
}
