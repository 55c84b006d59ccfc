#include "view/field_scan.h"

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
