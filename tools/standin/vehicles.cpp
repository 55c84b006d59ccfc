#include "vehicles.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "cell_mark.h"
#include "palette.h"

namespace standin {
namespace {

constexpr PictureColumn kTruck[8] = {{0, 12, 24},  {12, 24, 21},  {36, 28, 16},  {64, 24, 21},
                                     {88, 12, 24}, {100, 24, 21}, {124, 28, 16}, {152, 24, 21}};
constexpr PictureColumn kEngine[8] = {{0, 12, 26},   {12, 38, 28},  {50, 34, 13},  {84, 38, 28},
                                      {122, 12, 26}, {134, 38, 28}, {172, 34, 13}, {206, 38, 28}};
constexpr PictureColumn kWagon[8] = {{0, 12, 20},  {12, 22, 20}, {34, 16, 13},  {50, 22, 20},
                                     {72, 12, 20}, {84, 22, 20}, {106, 16, 13}, {122, 22, 20}};

// Heading h (0 = up on screen, clockwise in steps of 45 degrees) as a unit
// vector in map units (gx towards the lower right, gy towards the lower left).
void Heading(int h, float* fx, float* fy) {
    static constexpr float kDir[8][2] = {{-1, -1}, {0, -1}, {1, -1}, {1, 0},
                                         {1, 1},   {0, 1},  {-1, 1}, {-1, 0}};
    const float len = std::sqrt(kDir[h][0] * kDir[h][0] + kDir[h][1] * kDir[h][1]);
    *fx = kDir[h][0] / len;
    *fy = kDir[h][1] / len;
}

struct BoxPart {
    float from, to;   // along the vehicle, 0 = rear, 1 = front
    float halfWidth;  // map units
    float h0, h1;     // pixels
    Ramp ramp;
    int level;
};

// Draws a vehicle made of boxes along heading h, centred in the rectangle.
void DrawVehicle(Canvas& c, int x0, int y0, int w, int h, int heading, float length,
                 const std::vector<BoxPart>& parts) {
    float fx = 0, fy = 0;
    Heading(heading, &fx, &fy);
    const float sxv = -fy, syv = fx;  // sideways
    // Screen of a map point relative to the vehicle centre.
    auto sx = [](float gx, float gy) { return 32.0f * (gx - gy); };
    auto sy = [](float gx, float gy, float hh) { return 16.0f * (gx + gy) - hh; };
    // Parts drawn rear first when moving towards the viewer, else front first.
    std::vector<BoxPart> ordered = parts;
    const bool towardsViewer = (fx + fy) > 0.01f;
    std::sort(ordered.begin(), ordered.end(), [&](const BoxPart& a, const BoxPart& b) {
        return towardsViewer ? a.from < b.from : a.from > b.from;
    });
    Canvas layer(w, h);
    // Each picture is filled: the vehicle is scaled to its picture's size
    // (less a one-pixel margin), so every heading shows a vehicle of the
    // picture's proportions.
    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
    for (const BoxPart& p : ordered) {
        const float a0 = (p.from - 0.5f) * length, a1 = (p.to - 0.5f) * length;
        for (float al : {a0, a1}) {
            for (float sd : {-p.halfWidth, p.halfWidth}) {
                const float gx = fx * al + sxv * sd, gy = fy * al + syv * sd;
                for (float hh : {p.h0, p.h1}) {
                    minX = std::min(minX, sx(gx, gy));
                    maxX = std::max(maxX, sx(gx, gy));
                    minY = std::min(minY, sy(gx, gy, hh));
                    maxY = std::max(maxY, sy(gx, gy, hh));
                }
            }
        }
    }
    // Screen scale per axis, limited so that vehicles are not distorted much.
    float kx = (w - 2) / (maxX - minX), ky = (h - 2) / (maxY - minY);
    kx = std::min(kx, ky * 1.6f);
    ky = std::min(ky, kx * 1.6f);
    const float cx = x0 + w / 2.0f - kx * (minX + maxX) / 2;
    const float cy = y0 + h / 2.0f - ky * (minY + maxY) / 2;
    auto px = [&](float gx, float gy) { return cx - x0 + kx * sx(gx, gy); };
    auto py = [&](float gx, float gy, float hh) { return cy - y0 + ky * sy(gx, gy, hh); };
    for (const BoxPart& p : ordered) {
        const float a0 = (p.from - 0.5f) * length, a1 = (p.to - 0.5f) * length;
        float gx[4], gy[4];
        const float along[4] = {a0, a1, a1, a0};
        const float side[4] = {-p.halfWidth, -p.halfWidth, p.halfWidth, p.halfWidth};
        for (int i = 0; i < 4; ++i) {
            gx[i] = fx * along[i] + sxv * side[i];
            gy[i] = fy * along[i] + syv * side[i];
        }
        // Side faces facing the viewer (outward normal towards +gx +gy).
        for (int i = 0; i < 4; ++i) {
            const int j = (i + 1) % 4;
            const float ex = gx[j] - gx[i], ey = gy[j] - gy[i];
            // Outward normal of an edge of a counter-clockwise loop in map units.
            float nx = ey, ny = -ex;
            const float mx = (gx[i] + gx[j]) / 2, my = (gy[i] + gy[j]) / 2;
            if (nx * mx + ny * my < 0) nx = -nx, ny = -ny;
            if (nx + ny <= 0.0f) continue;
            const int shade = nx > ny ? -1 : 1;
            layer.FillPolygon({px(gx[i], gy[i]), py(gx[i], gy[i], p.h1), px(gx[j], gy[j]),
                               py(gx[j], gy[j], p.h1), px(gx[j], gy[j]), py(gx[j], gy[j], p.h0),
                               px(gx[i], gy[i]), py(gx[i], gy[i], p.h0)},
                              pal::Shade(p.ramp, p.level + shade));
        }
        std::vector<float> top;
        for (int i = 0; i < 4; ++i) {
            top.push_back(px(gx[i], gy[i]));
            top.push_back(py(gx[i], gy[i], p.h1));
        }
        layer.FillPolygon(top, pal::Shade(p.ramp, p.level + 2));
    }
    c.Blit(layer, 0, 0, w, h, x0, y0, true);
}

std::vector<BoxPart> TruckParts(int row, Ramp player) {
    // Rows 0..10 loaded (cargo colour by row), 11..19 empty flatbeds.
    static constexpr Ramp kCargo[] = {pal::kBark,   pal::kOrange, pal::kSlate, pal::kTeal,
                                      pal::kPurple, pal::kGold,   pal::kBrick, pal::kConcrete};
    std::vector<BoxPart> parts = {
        {0.0f, 0.72f, 0.16f, 2, 4, pal::kGrey, 4},                   // chassis
        {0.70f, 1.0f, 0.16f, 2, 10, player, pal::kPlayerPureLevel},  // cab
    };
    if (row < 11) parts.push_back({0.02f, 0.68f, 0.17f, 4, 11, kCargo[row % 8], 4});
    return parts;
}

std::vector<BoxPart> EngineParts(int row, Ramp player) {
    if (row >= 5) {
        // Monorail (5..7) and superconductor (8) trains: sleek single bodies.
        const Ramp body = row == 8 ? pal::kTeal : pal::kConcrete;
        return {{0.0f, 1.0f, 0.16f, 3, 11, body, 5},
                {0.1f, 0.9f, 0.165f, 7, 9, player, pal::kPlayerPureLevel}};
    }
    static constexpr Ramp kBody[5] = {pal::kBrick, pal::kFoliage, pal::kSlate, pal::kOrange,
                                      pal::kGrey};
    return {{0.0f, 1.0f, 0.15f, 1, 4, pal::kGrey, 3},
            {0.05f, 0.78f, 0.14f, 4, 11, kBody[row], 4},
            {0.76f, 0.98f, 0.15f, 4, 13, player, pal::kPlayerPureLevel}};
}

std::vector<BoxPart> WagonParts(int row) {
    const bool loaded = (row / 3) % 2 == 0;
    static constexpr Ramp kCargo[3] = {pal::kBark, pal::kOrange, pal::kSlate};
    std::vector<BoxPart> parts = {{0.0f, 1.0f, 0.14f, 1, 5, pal::kGrey, 3}};
    if (loaded) parts.push_back({0.05f, 0.95f, 0.15f, 5, 11, kCargo[row % 3], 4});
    return parts;
}

std::vector<BoxPart> CarParts(int row) {
    static constexpr Ramp kBody[5] = {pal::kBrick, pal::kSlate, pal::kGold, pal::kFoliage,
                                      pal::kPurple};
    return {{0.0f, 1.0f, 0.12f, 1, 5, kBody[row % 5], 4},
            {0.25f, 0.75f, 0.11f, 5, 8, pal::kTeal, 5}};  // row 5 and on repeat
}

}  // namespace

const PictureColumn* SheetColumns(VehicleSheet sheet) {
    switch (sheet) {
        case VehicleSheet::Engine:
            return kEngine;
        case VehicleSheet::Wagon:
            return kWagon;
        default:
            return kTruck;
    }
}

int SheetRows(VehicleSheet sheet) {
    switch (sheet) {
        case VehicleSheet::Truck:
            return 20;
        case VehicleSheet::Engine:
            return 9;
        case VehicleSheet::Wagon:
            return 12;
        default:
            return 20;  // city cars use rows 0..4; the sheet has the truck layout
    }
}

Canvas MakeVehicleSheet(VehicleSheet sheet, int colour) {
    const PictureColumn* cols = SheetColumns(sheet);
    const int rows = SheetRows(sheet);
    const int width = cols[7].x + cols[7].width;
    int rowHeight = 0;
    for (int i = 0; i < 8; ++i) rowHeight = std::max(rowHeight, cols[i].height);
    Canvas c(width, rows * rowHeight);
    const Ramp player = pal::PlayerRamp(colour);
    for (int row = 0; row < rows; ++row) {
        for (int h = 0; h < 8; ++h) {
            const PictureColumn& col = cols[h];
            const int y = row * col.height;
            switch (sheet) {
                case VehicleSheet::Truck:
                    DrawVehicle(c, col.x, y, col.width, col.height, h, 0.42f,
                                TruckParts(row, player));
                    break;
                case VehicleSheet::Engine:
                    DrawVehicle(c, col.x, y, col.width, col.height, h, 0.62f,
                                EngineParts(row, player));
                    break;
                case VehicleSheet::Wagon:
                    DrawVehicle(c, col.x, y, col.width, col.height, h, 0.5f, WagonParts(row));
                    break;
                case VehicleSheet::CityCar:
                    DrawVehicle(c, col.x, y, col.width, col.height, h, 0.3f, CarParts(row));
                    break;
            }
            PutMark(c, col.x + col.width / 2 - 1, y + col.height / 2, row * 8 + h);
        }
    }
    return c;
}

}  // namespace standin
