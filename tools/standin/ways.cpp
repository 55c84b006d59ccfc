#include "ways.h"

#include <cmath>

#include "cell_mark.h"
#include "iso.h"
#include "palette.h"

namespace standin {
namespace {

constexpr int kN = 1, kE = 2, kS = 4, kW = 8;

// Connections of the pieces in streets.jgd columns 0..16 (pieces 1..17) as
// seen in rotation 0; columns 15 and 16 are level crossings.
constexpr int kColumnConnections[17] = {
    kN | kS, kE | kW, kE | kS | kW, kN | kE | kS, kN | kS | kW, kN | kE | kW,
    kN | kE, kS | kW, kE | kS,      kN | kW,      15,           kN | kS,
    kE | kW, kE | kW, kN | kS,      kN | kS,      kE | kW};
// Slope shape under the ramp pieces (columns 11..14) and the portals (17..20).
int ColumnShape(int column) {
    switch (column) {
        case 11:
            return 1;
        case 12:
            return 4;
        case 13:
            return 2;
        case 14:
            return 3;
        case 17:
        case 18:
        case 19:
        case 20:
            return column - 16;
        default:
            return 0;
    }
}

int ShapeAxis(int shape) {
    return (shape == 1 || shape == 3) ? (kN | kS) : (kE | kW);
}

// Position relative to the way: `along` runs with the arm the point lies in,
// `across` is the signed offset from the way's centre line (field units).
struct WayPos {
    bool on = false;
    float along = 0, across = 0;
    bool alongU = false;  // the arm runs along u (E-W)
};

WayPos LocateOnWay(float u, float v, int conn, float half) {
    WayPos p;
    const float du = u - 0.5f, dv = v - 0.5f;
    const bool inCentre = std::fabs(du) <= half && std::fabs(dv) <= half;
    const bool armN = (conn & kN) && v <= 0.5f && std::fabs(du) <= half;
    const bool armS = (conn & kS) && v >= 0.5f && std::fabs(du) <= half;
    const bool armE = (conn & kE) && u >= 0.5f && std::fabs(dv) <= half;
    const bool armW = (conn & kW) && u <= 0.5f && std::fabs(dv) <= half;
    if (armN || armS) {
        p = {true, v, du, false};
    } else if (armE || armW) {
        p = {true, u, dv, true};
    } else if (inCentre) {
        p = {true, v, du, false};
    }
    return p;
}

float HalfWidth(int wayType) {
    switch (wayType) {
        case 1:
            return 0.27f;
        case 2:
            return 0.19f;
        case 3:
            return 0.22f;
        case 4:
            return 0.17f;
        case 5:
            return 0.08f;
        default:
            return 0.14f;
    }
}

// Colour of a way surface point, or 0 for none.
uint8_t WayColour(int wayType, const WayPos& p, int light, int px, int py) {
    const float a = std::fabs(p.across);
    const float half = HalfWidth(wayType);
    switch (wayType) {
        case 1:  // city street: pavements and a light surface
            if (a > half - 0.06f) return pal::Shade(pal::kConcrete, 5 + light);
            return pal::Shade(pal::kAsphalt, 3 + light);
        case 2:  // gravel road
            return Noise(px, py, 31) > 170 ? pal::Shade(pal::kEarth, 4 + light)
                                           : pal::Shade(pal::kSand, 1 + light);
        case 3:  // asphalt road with edge lines and a dashed centre line
            if (a > half - 0.03f) return pal::Shade(pal::kGrey, 11);
            if (a < 0.025f && std::fmod(p.along * 4.0f + 0.05f, 1.0f) < 0.5f) {
                return pal::Shade(pal::kGold, 6);
            }
            return pal::Shade(pal::kAsphalt, 2 + light);
        case 4: {  // rail: ballast, sleepers, two steel rails
            if (std::fabs(a - 0.085f) < 0.025f) return pal::Shade(pal::kGrey, 10 + light);
            if (std::fmod(p.along * 8.0f, 1.0f) < 0.45f && a < 0.14f) {
                return pal::Shade(pal::kBark, 2);
            }
            return pal::Shade(pal::kRock, 3 + light);
        }
        case 5:  // monorail beam
            if (a > half - 0.025f) return pal::Shade(pal::kConcrete, 2);
            return pal::Shade(pal::kConcrete, 5 + light);
        default:  // superconductor track: dark bed, glowing guide rails
            if (std::fabs(a - 0.07f) < 0.025f) return pal::Shade(pal::kTeal, 6);
            return pal::Shade(pal::kPurple, 1 + light);
    }
}

void DrawWayCell(Canvas& sheet, int cellX, int cellY, int wayType, int column) {
    const int shape = ColumnShape(column);
    const bool portal = column >= 17;
    FieldSurface surface = FieldSurface::ForShape(shape);
    int conn = portal ? ShapeAxis(shape) : (column <= 16 ? kColumnConnections[column] : 0);
    const bool crossing = column == 15 || column == 16;
    for (int y = 0; y < kTileHeight; ++y) {
        for (int x = 0; x < kTileWidth; ++x) {
            SurfaceHit hit = surface.Sample(x, y);
            if (!hit.hit) continue;
            const int light = static_cast<int>(std::lround(1.2f * (hit.dhdu - hit.dhdv)));
            uint8_t c = 0;
            if (crossing) {
                // A road across a rail: column 15 road N-S, rail E-W; 16 the reverse.
                const int road = column == 15 ? (kN | kS) : (kE | kW);
                const int rail = column == 15 ? (kE | kW) : (kN | kS);
                WayPos r = LocateOnWay(hit.u, hit.v, rail, HalfWidth(4));
                WayPos s = LocateOnWay(hit.u, hit.v, road, HalfWidth(3));
                if (s.on) c = WayColour(3, s, light, x, y);
                if (r.on && (c == 0 || std::fabs(std::fabs(r.across) - 0.085f) < 0.025f)) {
                    c = WayColour(4, r, light, x, y);
                }
            } else {
                WayPos p = LocateOnWay(hit.u, hit.v, conn, HalfWidth(wayType));
                if (p.on) c = WayColour(wayType, p, light, x, y);
            }
            if (c != 0) sheet.Set(cellX + x, cellY + y, c);
        }
    }
    if (portal) {
        // The dark mouth at the middle of the ramp's high edge, on the ramp
        // only: a field's ground picture keeps to its own field, so that the
        // fields painted after it cover it as they cover its ground.
        float mu = 0.5f, mv = 0.5f;
        if (shape == 1) mv = 0.0f;
        if (shape == 3) mv = 1.0f;
        if (shape == 2) mu = 1.0f;
        if (shape == 4) mu = 0.0f;
        const float mx = surface.ScreenX(mu, mv), my = surface.ScreenY(mu, mv);
        for (int y = 0; y < kTileHeight; ++y) {
            for (int x = 0; x < kTileWidth; ++x) {
                float dx = (x + 0.5f - mx) / 8.0f, dy = (y + 0.5f - (my + 3)) / 8.0f;
                if (dy <= 0.0f && dx * dx + dy * dy <= 1.0f && surface.Sample(x, y).hit) {
                    sheet.Set(cellX + x, cellY + y, pal::Shade(pal::kGrey, 0));
                }
            }
        }
    }
}

}  // namespace

CellPoint StreetMarkPoint(int column) {
    FieldSurface surface = FieldSurface::ForShape(ColumnShape(column));
    return {31, static_cast<int>(std::floor(surface.ScreenY(0.5f, 0.5f)))};
}

Canvas MakeStreetSheet() {
    Canvas sheet(kTileWidth * kStreetColumns, kTileHeight * kWayTypes);
    for (int t = 1; t <= kWayTypes; ++t) {
        for (int col = 0; col < kStreetColumns; ++col) {
            const int cx = col * kTileWidth, cy = (t - 1) * kTileHeight;
            DrawWayCell(sheet, cx, cy, t, col);
            CellPoint m = StreetMarkPoint(col);
            PutMark(sheet, cx + m.x, cy + m.y, (t - 1) * kStreetColumns + col);
        }
    }
    return sheet;
}

// ---------------------------------------------------------------------------
// Bridges. Each 64 x 64 cell shows the field with its top corner at row 16
// (end pieces) or row 32 (spans); the deck lies one height step (8 pixels)
// above the ground. Columns in rotation-0 terms: 0..7 the ends (north flat,
// south flat, north ramp, south ramp, east flat, west flat, east ramp, west
// ramp: the direction in which the bridge runs from the end), 8/9 the front
// and back halves of a north-south span, 10/11 of an east-west span.

namespace {

struct DeckGeometry {
    bool alongV;           // deck runs north-south
    float nw, ne, se, sw;  // deck corner heights
    float top;             // cell row of the ground's top corner
};

DeckGeometry BridgeGeometry(int column) {
    switch (column) {
        case 0:
        case 2:
            return {true, 1, 1, 0, 0, 16};  // rises to the north
        case 1:
        case 3:
            return {true, 0, 0, 1, 1, 16};  // rises to the south
        case 4:
        case 6:
            return {false, 0, 1, 1, 0, 16};  // rises to the east
        case 5:
        case 7:
            return {false, 1, 0, 0, 1, 16};  // rises to the west
        case 8:
        case 9:
            return {true, 1, 1, 1, 1, 32};
        default:
            return {false, 1, 1, 1, 1, 32};
    }
}

uint8_t DeckColour(int wayType, float along, float across, int px, int py) {
    WayPos p{true, along, across, false};
    return WayColour(wayType, p, 0, px, py);
}

void DrawBridgeCell(Canvas& sheet, int cellX, int cellY, int wayType, int column) {
    const DeckGeometry g = BridgeGeometry(column);
    const bool front = column == 8 || column == 10;
    const bool back = column == 9 || column == 11;
    const float half = 0.30f;
    FieldSurface deck(g.nw, g.ne, g.se, g.sw, true, 0, g.top);
    const uint8_t girder =
        wayType >= 4 ? pal::Shade(pal::kSlate, 3) : pal::Shade(pal::kConcrete, 3);
    const uint8_t girderLight = pal::Darker(girder, -2);
    if (!front) {
        for (int y = 0; y < kBridgeCell; ++y) {
            for (int x = 0; x < kBridgeCell; ++x) {
                SurfaceHit hit = deck.Sample(x, y);
                if (!hit.hit) continue;
                const float across = g.alongV ? hit.u - 0.5f : hit.v - 0.5f;
                const float along = g.alongV ? hit.v : hit.u;
                if (std::fabs(across) > half) continue;
                uint8_t c = std::fabs(across) > half - 0.05f
                                ? girder
                                : DeckColour(wayType, along, across, x, y);
                if (wayType == 5 || wayType == 6) {
                    // Track types lie on a wide deck of their own colour.
                    if (std::fabs(across) > HalfWidth(wayType)) c = pal::Shade(pal::kConcrete, 4);
                }
                sheet.Set(cellX + x, cellY + y, c);
            }
        }
    }
    // Railings: posts along both deck edges; the far one belongs to the back
    // half, the near one (larger screen y) to the front half.
    for (int side = -1; side <= 1; side += 2) {
        const bool nearSide = side > 0;  // u or v larger lies nearer the viewer
        if ((front && !nearSide) || (back && nearSide)) continue;
        const float across = 0.5f + side * half;
        for (int i = 0; i <= 64; ++i) {
            const float t = i / 64.0f;
            const float u = g.alongV ? across : t, v = g.alongV ? t : across;
            const int sx = static_cast<int>(std::floor(deck.ScreenX(u, v)));
            const int sy = static_cast<int>(std::floor(deck.ScreenY(u, v)));
            for (int k = 1; k <= 4; ++k)
                sheet.Set(cellX + sx, cellY + sy - k, k == 4 ? girderLight : girder);
        }
    }
    // Spans stand on a pier under their middle, drawn with the front half.
    if (front || (!back && column < 8)) {
        const float pu = 0.5f, pv = 0.5f;
        const int sx = static_cast<int>(deck.ScreenX(pu, pv));
        const int deckY = static_cast<int>(deck.ScreenY(pu, pv));
        const int groundY = static_cast<int>(g.top + IsoY(pu, pv, 0));
        if (front) {
            for (int y = deckY + 2; y <= groundY + 2; ++y) {
                for (int x = sx - 3; x <= sx + 3; ++x) {
                    sheet.Set(cellX + x, cellY + y, x < sx ? girderLight : girder);
                }
            }
        }
    }
}

}  // namespace

CellPoint BridgeMarkPoint(int column) {
    const DeckGeometry g = BridgeGeometry(column);
    FieldSurface deck(g.nw, g.ne, g.se, g.sw, true, 0, g.top);
    const bool front = column == 8 || column == 10;
    if (front) {
        // On the pier, below the deck's middle.
        return {31, static_cast<int>(deck.ScreenY(0.5f, 0.5f)) + 4};
    }
    return {31, static_cast<int>(std::floor(deck.ScreenY(0.5f, 0.5f)))};
}

Canvas MakeBridgeSheet() {
    Canvas sheet(kBridgeCell * kBridgeColumns, kBridgeCell * kBridgeRows);
    for (int row = 0; row < kBridgeRows; ++row) {
        for (int col = 0; col < kBridgeColumns; ++col) {
            const int cx = col * kBridgeCell, cy = row * kBridgeCell;
            DrawBridgeCell(sheet, cx, cy, row + 2, col);
            CellPoint m = BridgeMarkPoint(col);
            PutMark(sheet, cx + m.x, cy + m.y, row * kBridgeColumns + col);
        }
    }
    return sheet;
}

}  // namespace standin
