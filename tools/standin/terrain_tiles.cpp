#include "terrain_tiles.h"

#include <algorithm>
#include <cmath>

#include "cell_mark.h"
#include "iso.h"
#include "palette.h"

namespace standin {
namespace {

Ramp LowRamp(int season) {
    return season == 1 ? pal::kLowSpring : season == 2 ? pal::kLowSummer : pal::kLowAutumn;
}
Ramp MidRamp(int season) {
    return season == 1 ? pal::kMidSpring : season == 2 ? pal::kMidSummer : pal::kMidAutumn;
}

// Light falls from the left of the screen: faces rising towards +u (east) or
// -v (north) are lit.
int LightOffset(const SurfaceHit& hit) {
    return static_cast<int>(std::lround(1.4f * (hit.dhdu - hit.dhdv)));
}

uint8_t Level(Ramp ramp, float relative, int offset) {
    // relative 0..1 across the ramp, then shifted by whole steps.
    int level = static_cast<int>(std::lround(relative * (ramp.count - 1))) + offset;
    return pal::Shade(ramp, level);
}

uint8_t WaterColour(int px, int py) {
    unsigned n = Noise(px / 4, py, 11);
    if (n > 236) return pal::Shade(pal::kWater, 6);
    if (n > 200) return pal::Shade(pal::kWater, 4);
    return pal::Shade(pal::kWater, 3);
}

uint8_t GroundColour(int kind, int season, int shape, const SurfaceHit& hit, int px, int py) {
    const int light = LightOffset(hit);
    const unsigned n = Noise(px, py, kind * 7 + season);
    const int jitter = n > 220 ? 1 : (n < 30 ? -1 : 0);
    const Ramp low = LowRamp(season), mid = MidRamp(season);
    switch (kind) {
        case 0: {
            if (shape == 0) return WaterColour(px, py);
            CornerHeights c = ShapeCorners(shape);
            const float minH = static_cast<float>(std::min({c.nw, c.ne, c.se, c.sw}));
            const float r = hit.h - minH;
            if (r < 0.30f) return WaterColour(px, py);
            if (r < 0.38f) return pal::Shade(pal::kWater, 6);
            if (r < 0.65f) return Level(pal::kSand, 0.6f, light + jitter);
            return Level(low, 0.5f, light + jitter);
        }
        case 1:
        case 2:
        case 3: {
            uint8_t c = Level(low, 0.55f, light + jitter);
            if (kind == 2 && Noise(px / 2, py / 2, 5) > 200) c = Level(low, 0.35f, light);
            if (kind == 3 && n > 248) {
                c = season == 3 ? pal::Shade(pal::kOrange, 5) : pal::Shade(pal::kBlossom, 2);
            }
            return c;
        }
        case 4: {
            // Edge between low and middle ground: a ragged diagonal border.
            float t =
                (hit.u + hit.v) * 0.5f + (static_cast<float>(Noise(px / 2, py / 2, 3)) - 128) / 900;
            return t < 0.5f ? Level(low, 0.5f, light + jitter) : Level(mid, 0.6f, light + jitter);
        }
        case 5:
        case 6:
        case 7: {
            uint8_t c = Level(mid, 0.6f, light + jitter);
            if (kind == 6 && Noise(px / 2, py / 2, 9) > 210) c = Level(mid, 0.35f, light);
            if (kind == 7 && n > 240) c = Level(pal::kRock, 0.5f, light);
            return c;
        }
        case 8: {
            float t =
                (hit.u + hit.v) * 0.5f + (static_cast<float>(Noise(px / 2, py / 2, 4)) - 128) / 900;
            return t < 0.5f ? Level(mid, 0.55f, light + jitter)
                            : Level(pal::kRock, 0.6f, light + jitter);
        }
        default: {
            // High ground: rock, snow on it by season and variant.
            const int variant = kind - 9;  // 0..2
            int snowShare = season == 1 ? 60 + 60 * variant : season == 3 ? 20 * variant : 0;
            if (static_cast<int>(Noise(px / 2, py, 13)) < snowShare) {
                return Level(pal::kSnow, 0.7f, light);
            }
            return Level(pal::kRock, variant == 1 ? 0.45f : 0.6f, light + jitter);
        }
    }
}

}  // namespace

Canvas MakeGroundTiles(int season, bool grid) {
    Canvas sheet(kTileWidth * kTileShapes, kTileHeight * kGroundKinds);
    for (int kind = 0; kind < kGroundKinds; ++kind) {
        for (int shape = 0; shape < kTileShapes; ++shape) {
            const int cx = shape * kTileWidth, cy = kind * kTileHeight;
            FieldSurface surface = FieldSurface::ForShape(shape);
            for (int y = 0; y < kTileHeight; ++y) {
                for (int x = 0; x < kTileWidth; ++x) {
                    SurfaceHit hit = surface.Sample(x, y);
                    if (!hit.hit) continue;
                    uint8_t c = GroundColour(kind, season, shape, hit, cx + x, cy + y);
                    if (grid && (hit.u < 0.035f || hit.v < 0.035f)) {
                        c = pal::Darker(c, 2);
                    }
                    sheet.Set(cx + x, cy + y, c);
                }
            }
            PutMark(sheet, cx + kTileMarkX, cy + kTileMarkY, kind * kTileShapes + shape);
        }
    }
    return sheet;
}

Canvas MakeTerrainMask() {
    Canvas mask(kTileWidth * kTileShapes, kTileHeight);
    for (int shape = 0; shape < kTileShapes; ++shape) {
        FieldSurface surface = FieldSurface::ForShape(shape);
        for (int y = 0; y < kTileHeight; ++y) {
            for (int x = 0; x < kTileWidth; ++x) {
                if (surface.Sample(x, y).hit) continue;
                const float sx = x + 0.5f, sy = y + 0.5f;
                const bool above = sy < surface.UpperEdgeY(sx);
                int cls;
                if (x < 32) {
                    cls = above ? kMaskUpperLeft : kMaskLowerLeft;
                } else {
                    cls = above ? kMaskUpperRight : kMaskLowerRight;
                }
                mask.Set(shape * kTileWidth + x, y, static_cast<uint8_t>(cls));
            }
        }
    }
    return mask;
}

namespace {

void FillQuad(Canvas& c, float ax, float ay, float bx, float by, float cx_, float cy_, float dx,
              float dy, uint8_t colour) {
    c.FillPolygon({ax, ay, bx, by, cx_, cy_, dx, dy}, colour);
}

// A slope foundation: the field levelled at its highest corner, with earth
// walls down to the ground on the two front faces.
void DrawFoundation(Canvas& sheet, int cellX, int shape) {
    CornerHeights c = ShapeCorners(shape);
    const int top = std::max({c.nw, c.ne, c.se, c.sw});
    const float oy = 8.0f * top;  // the cell is lifted when the NW corner is low
    auto gy = [&](float baseY, int h) { return oy + baseY - 8.0f * h; };
    const float x0 = static_cast<float>(cellX);
    // Top plane at the highest level.
    FillQuad(sheet, x0 + 32, 0, x0 + 64, 16, x0 + 32, 32, x0, 16, pal::Shade(pal::kEarth, 4));
    // Left front face (SW to SE) and right front face (SE to NE).
    FillQuad(sheet, x0, 16, x0 + 32, 32, x0 + 32, gy(32, c.se), x0, gy(16, c.sw),
             pal::Shade(pal::kConcrete, 3));
    FillQuad(sheet, x0 + 32, 32, x0 + 64, 16, x0 + 64, gy(16, c.ne), x0 + 32, gy(32, c.se),
             pal::Shade(pal::kConcrete, 1));
}

void DrawPlot(Canvas& sheet, int cellX) {
    const float x0 = static_cast<float>(cellX);
    FillQuad(sheet, x0 + 32, 0, x0 + 64, 16, x0 + 32, 32, x0, 16, pal::Shade(pal::kEarth, 5));
    FillQuad(sheet, x0 + 32, 4, x0 + 56, 16, x0 + 32, 28, x0 + 8, 16, pal::Shade(pal::kEarth, 3));
    sheet.Line(cellX + 32, 1, cellX + 62, 16, pal::Shade(pal::kBark, 3));
    sheet.Line(cellX + 31, 1, cellX + 1, 16, pal::Shade(pal::kBark, 3));
}

// A stone arch where a tunnel enters the hill: around the midpoint of the
// ramp's high edge, open in the middle so the dark mouth below shows.
void DrawTunnelFront(Canvas& sheet, int cellX, int shape) {
    // Midpoint of the high edge and the edge's direction on screen.
    float mx = 48, my = 8;
    switch (shape) {
        case 1:
            mx = 48, my = 8;
            break;  // NW-NE edge high
        case 2:
            mx = 48, my = 16;
            break;  // NE-SE edge high (NE, SE at 8 and 24)
        case 3:
            mx = 16, my = 16;
            break;  // SW-SE edge high
        default:
            mx = 16, my = 8;
            break;  // NW-SW edge high
    }
    const uint8_t stone = pal::Shade(pal::kRock, 5), dark = pal::Shade(pal::kRock, 2);
    for (int y = 0; y < kTileHeight; ++y) {
        for (int x = 0; x < kTileWidth; ++x) {
            float dx = (x + 0.5f - mx) / 12.0f, dy = (y + 0.5f - (my + 4)) / 11.0f;
            if (dy > 0.0f) continue;
            float r = dx * dx + dy * dy;
            float ix = (x + 0.5f - mx) / 8.0f, iy = (y + 0.5f - (my + 4)) / 8.0f;
            float ri = ix * ix + iy * iy;
            if (r <= 1.0f && ri > 1.0f) sheet.Set(cellX + x, y, r > 0.8f ? dark : stone);
        }
    }
}

}  // namespace

Canvas MakeSlopeSheet() {
    Canvas sheet(kTileWidth * 9, kTileHeight);
    for (int s = 1; s <= 4; ++s) DrawFoundation(sheet, (s - 1) * kTileWidth, s);
    DrawPlot(sheet, 4 * kTileWidth);
    for (int s = 1; s <= 4; ++s) DrawTunnelFront(sheet, (4 + s) * kTileWidth, s);
    for (int col = 0; col < 9; ++col) {
        // Foundations and the plot carry the mark on their top plane, the
        // arches on their stone.
        int mx = 30, my = 4;
        if (col >= 5) {
            const int s = col - 4;
            mx = (s == 1 || s == 2) ? 48 - 11 : 16 - 11;
            my = (s == 1 || s == 4) ? 8 : 16;
        }
        PutMark(sheet, col * kTileWidth + mx, my, col);
    }
    return sheet;
}

Canvas MakeOverviewSheet() {
    Canvas sheet(kTileWidth * kTileShapes, kTileHeight * 5);
    auto fillShape = [&](int col, int row, Ramp ramp, int level) {
        FieldSurface surface = FieldSurface::ForShape(col);
        for (int y = 0; y < kTileHeight; ++y) {
            for (int x = 0; x < kTileWidth; ++x) {
                SurfaceHit hit = surface.Sample(x, y);
                if (!hit.hit) continue;
                sheet.Set(col * kTileWidth + x, row * kTileHeight + y,
                          pal::Shade(ramp, level + LightOffset(hit)));
            }
        }
        PutMark(sheet, col * kTileWidth + kTileMarkX, row * kTileHeight + kTileMarkY,
                row * kTileShapes + col);
    };
    for (int colour = 0; colour < 4; ++colour) {
        for (int shape = 0; shape < kTileShapes; ++shape) {
            fillShape(shape, colour, pal::PlayerRamp(colour), pal::kPlayerPureLevel);
        }
    }
    // Neutral cells: grey, then the raw-material sites (mine, lumber mill,
    // chemical plant, steel mill).
    const Ramp neutral[5] = {pal::kGrey, pal::kGold, pal::kBark, pal::kPurple, pal::kSlate};
    const int levels[5] = {7, 4, 3, 4, 4};
    for (int i = 0; i < 5; ++i) {
        FieldSurface surface = FieldSurface::ForShape(0);
        for (int y = 0; y < kTileHeight; ++y) {
            for (int x = 0; x < kTileWidth; ++x) {
                if (surface.Sample(x, y).hit) {
                    sheet.Set(i * kTileWidth + x, 4 * kTileHeight + y,
                              pal::Shade(neutral[i], levels[i]));
                }
            }
        }
        PutMark(sheet, i * kTileWidth + kTileMarkX, 4 * kTileHeight + kTileMarkY,
                4 * kTileShapes + i);
    }
    return sheet;
}

Canvas MakeBackgroundTile() {
    Canvas tile(100, 100);
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            // A quiet diamond lattice in dark blue.
            int d = (std::abs((x % 50) - 25) + std::abs((y % 50) - 25));
            uint8_t c = pal::Shade(pal::kSky, d == 25 ? 2 : 1);
            if (Noise(x, y, 21) > 245) c = pal::Shade(pal::kSky, 0);
            tile.Set(x, y, c);
        }
    }
    return tile;
}

}  // namespace standin
