// Slope shapes from corner height differences.

#include "world/slope_shape.h"

#include <array>

#include "state/map_field.h"

namespace {

// Indexed by (d11 + 1) * 9 + (d01 + 1) * 3 + (d10 + 1), with d10 = h(x+1, y)
// - h(x, y), d01 = h(x, y+1) - h(x, y), d11 = h(x+1, y+1) - h(x, y). The
// combinations with three different corner heights have no shape (0).
constexpr std::array<uint8_t, 27> MakeSlopeTable() {
    struct Shape {
        int d10, d01, d11;
        uint8_t shape;
    };
    constexpr Shape shapes[] = {
        {0, -1, -1, 1}, {1, 0, 1, 2},   {0, 1, 1, 3},    {-1, 0, -1, 4}, {1, 0, 0, 5},
        {0, 0, 1, 6},   {0, 1, 0, 7},   {-1, -1, -1, 8}, {0, -1, 0, 9},  {1, 1, 1, 10},
        {-1, 0, 0, 11}, {0, 0, -1, 12}, {-1, -1, 0, 13}, {1, 1, 0, 14},
    };
    std::array<uint8_t, 27> table{};
    for (const Shape& s : shapes) table[(s.d11 + 1) * 9 + (s.d01 + 1) * 3 + (s.d10 + 1)] = s.shape;
    return table;
}

constexpr std::array<uint8_t, 27> kSlopeTable = MakeSlopeTable();

}  // namespace

int32_t GetSlopeShape(int32_t x, int32_t y) {
    const MapField* field = FieldAt(x, y);
    if (field == nullptr) return kOffMap;
    const int32_t h = field->hoehe();
    auto diff = [&](int32_t dx, int32_t dy, bool taken) {
        return taken ? FieldAt(x + dx, y + dy)->hoehe() - h : 0;
    };
    const int32_t d10 = diff(1, 0, x < 254 && y < 255);
    const int32_t d01 = diff(0, 1, x < 255 && y < 254);
    const int32_t d11 = diff(1, 1, x < 254 && y < 254);
    return SlopeShapeFromDiffs(d10, d01, d11);
}

int32_t SlopeShapeFromDiffs(int32_t d10, int32_t d01, int32_t d11) {
    // Corners more than one step apart do not occur on a smoothed map.
    if (d10 < -1 || d10 > 1 || d01 < -1 || d01 > 1 || d11 < -1 || d11 > 1) return 0;
    return kSlopeTable[(d11 + 1) * 9 + (d01 + 1) * 3 + (d10 + 1)];
}

bool IsRisingShape(int32_t shape) {
    switch (shape) {
        case 0:
        case 2:
        case 3:
        case 5:
        case 6:
        case 7:
        case 10:
        case 14:
            return true;
        default:
            return false;
    }
}
