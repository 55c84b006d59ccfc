// The game's cursors are built from filled geometric masks on a 32 x 32 grid;
// pixels of a mask that touch its outside become the black outline.

#include "platform/cursor_shapes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

namespace plat {
namespace {

constexpr int kGrid = 32;

struct Vec {
    double x;
    double y;
};

using Mask = std::function<bool(double x, double y)>;

double DistanceToSegment(Vec p, Vec a, Vec b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    double t = lengthSquared > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared : 0;
    t = std::clamp(t, 0.0, 1.0);
    const double ex = a.x + t * dx - p.x, ey = a.y + t * dy - p.y;
    return std::sqrt(ex * ex + ey * ey);
}

template <size_t N>
bool InsidePolygon(Vec p, const std::array<Vec, N>& corners) {
    // Points on an edge count as inside, whatever the edge's direction, so
    // that mirrored and turned shapes sample alike.
    for (size_t i = 0, j = N - 1; i < N; j = i++) {
        if (DistanceToSegment(p, corners[i], corners[j]) < 1e-9) return true;
    }
    bool inside = false;
    for (size_t i = 0, j = N - 1; i < N; j = i++) {
        const Vec a = corners[i], b = corners[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) {
            inside = !inside;
        }
    }
    return inside;
}

Mask Bar(Vec a, Vec b, double halfWidth) {
    return [=](double x, double y) { return DistanceToSegment({x, y}, a, b) <= halfWidth; };
}

Mask Disk(Vec centre, double radius) {
    return [=](double x, double y) {
        const double dx = x - centre.x, dy = y - centre.y;
        return dx * dx + dy * dy <= radius * radius;
    };
}

Mask Box(double left, double top, double right, double bottom) {
    return [=](double x, double y) { return x >= left && x <= right && y >= top && y <= bottom; };
}

template <size_t N>
Mask Polygon(std::array<Vec, N> corners) {
    return [=](double x, double y) { return InsidePolygon({x, y}, corners); };
}

Mask Union(std::vector<Mask> parts) {
    return [=](double x, double y) {
        return std::any_of(parts.begin(), parts.end(), [&](const Mask& m) { return m(x, y); });
    };
}

// An arrow from `tail` to `tip`: a shaft and a triangular head.
Mask Arrow(Vec tail, Vec tip, double headLength, double headHalfWidth, double shaftHalfWidth) {
    const double dx = tip.x - tail.x, dy = tip.y - tail.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    const Vec along{dx / length, dy / length};
    const Vec across{-along.y, along.x};
    const Vec base{tip.x - along.x * headLength, tip.y - along.y * headLength};
    const std::array<Vec, 3> head{
        tip,
        Vec{base.x + across.x * headHalfWidth, base.y + across.y * headHalfWidth},
        Vec{base.x - across.x * headHalfWidth, base.y - across.y * headHalfWidth},
    };
    return Union({Polygon(head), Bar(tail, base, shaftHalfWidth)});
}

// The ordinary pointer, tip at (1, 1).
Mask Pointer() {
    return Polygon(std::array<Vec, 7>{Vec{1, 1}, Vec{1, 20}, Vec{5.5, 16}, Vec{9, 23.5},
                                      Vec{12.5, 22}, Vec{9, 14.5}, Vec{14.5, 14.5}});
}

struct Design {
    Mask mask;
    int hotX;
    int hotY;
};

// Edge-scroll arrows point the way the view scrolls; (dx, dy) is that way.
Design EdgeArrow(int dx, int dy) {
    const double centre = 16;  // the middle of the grid: cells 0..31 mirror onto 31..0
    const double reach = (dx != 0 && dy != 0) ? 10.5 : 13.5;
    const Vec tip{centre + dx * reach, centre + dy * reach};
    const Vec tail{centre - dx * reach * 0.6, centre - dy * reach * 0.6};
    return {Arrow(tail, tip, 9, 7.5, 2.5), static_cast<int>(tip.x), static_cast<int>(tip.y)};
}

bool DesignFor(int32_t id, Design& design) {
    switch (id) {
        case 151:
            design = EdgeArrow(-1, 0);
            return true;
        case 152:
            design = EdgeArrow(0, 1);
            return true;
        case 153:
            design = EdgeArrow(0, -1);
            return true;
        case 154:
            design = EdgeArrow(1, 0);
            return true;
        case 155:
            design = EdgeArrow(-1, -1);
            return true;
        case 156:
            design = EdgeArrow(1, -1);
            return true;
        case 157:
            design = EdgeArrow(-1, 1);
            return true;
        case 158:
            design = EdgeArrow(1, 1);
            return true;
        case 198:  // raise and lower ground: a double arrow up and down
            design = {Union({Arrow({15.5, 16}, {15.5, 2}, 7, 6.5, 2),
                             Arrow({15.5, 15}, {15.5, 29}, 7, 6.5, 2)}),
                      15, 15};
            return true;
        case 200:  // pick a place on the overview: a magnifying glass
            design = {Union({Disk({12, 12}, 8.5), Bar({17, 17}, {27, 27}, 2.5)}), 12, 12};
            return true;
        case 201:  // information: the pointer with a round badge
            design = {Union({Pointer(), Disk({21, 21}, 5.5)}), 1, 1};
            return true;
        case 204:  // demolish: a cross
            design = {Union({Bar({5, 5}, {26, 26}, 2.5), Bar({26, 5}, {5, 26}, 2.5)}), 15, 15};
            return true;
        case 209:  // place a building: a house
            design = {Union({Box(7, 15, 24, 27),
                             Polygon(std::array<Vec, 3>{Vec{15.5, 4}, Vec{3, 16}, Vec{28, 16}})}),
                      15, 18};
            return true;
        case 210:  // lay a way: cross hairs
            design = {Union({Bar({15.5, 2}, {15.5, 29}, 1.5), Bar({2, 15.5}, {29, 15.5}, 1.5),
                             Disk({15.5, 15.5}, 4.5)}),
                      15, 15};
            return true;
        case 211:  // open what is under the pointer: the pointer with a square badge
            design = {Union({Pointer(), Box(16, 16, 26, 26)}), 1, 1};
            return true;
        default:
            return false;
    }
}

}  // namespace

CursorShape DrawGameCursor(int32_t cursorId, int32_t scale) {
    CursorShape shape;
    Design design;
    if (!DesignFor(cursorId, design)) return shape;
    scale = std::clamp(scale, 1, 8);

    // Sample the mask at the centres of the grid cells.
    std::array<std::array<bool, kGrid + 2>, kGrid + 2> filled{};  // with a clear border
    for (int y = 0; y < kGrid; ++y) {
        for (int x = 0; x < kGrid; ++x) filled[y + 1][x + 1] = design.mask(x + 0.5, y + 0.5);
    }

    shape.size = kGrid * scale;
    shape.hotX = std::clamp(design.hotX, 0, kGrid - 1) * scale + scale / 2;
    shape.hotY = std::clamp(design.hotY, 0, kGrid - 1) * scale + scale / 2;
    shape.pixels.assign(static_cast<size_t>(shape.size) * shape.size, CursorShape::kClear);
    for (int y = 0; y < kGrid; ++y) {
        for (int x = 0; x < kGrid; ++x) {
            if (!filled[y + 1][x + 1]) continue;
            const bool edge = !filled[y][x + 1] || !filled[y + 2][x + 1] || !filled[y + 1][x] ||
                              !filled[y + 1][x + 2];
            const uint8_t pixel = edge ? CursorShape::kBlack : CursorShape::kWhite;
            for (int sy = 0; sy < scale; ++sy) {
                for (int sx = 0; sx < scale; ++sx) {
                    shape
                        .pixels[static_cast<size_t>(y * scale + sy) * shape.size + x * scale + sx] =
                        pixel;
                }
            }
        }
    }
    return shape;
}

}  // namespace plat
