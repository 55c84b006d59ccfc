#include "animations.h"

#include <cmath>

#include "cell_mark.h"
#include "palette.h"

namespace standin {
namespace {

constexpr float kPi = 3.14159265f;

void Puffs(Canvas& c, int x0, int w, int h, int frame, int frames, Ramp ramp) {
    // Three smoke puffs rising and growing, phase-shifted.
    for (int i = 0; i < 3; ++i) {
        const float t = std::fmod((frame + i * frames / 3.0f) / frames, 1.0f);
        const float cy = h - 6 - t * (h - 10);
        const float cx = x0 + w / 2.0f + std::sin(t * 2 * kPi) * w * 0.15f;
        const float r = 2.5f + t * w * 0.22f;
        c.FillEllipse(cx, cy, r, r * 0.8f, pal::Shade(ramp, 4 + static_cast<int>(t * 3)));
    }
}

// The ground under each ground-level type's moving part, in cell pixels,
// with the colour of its rim and of its surface.
struct Ground {
    enum Shape { kEllipse, kDiamond, kBox } shape;
    float cx, cy, rx, ry;
    uint8_t rim, surface;
};

bool GroundOf(int type, Ground* g) {
    using namespace pal;
    switch (type) {
        case 1:  // a basin of the chemical plant
            *g = {Ground::kEllipse, 44, 48, 40, 22, Shade(kConcrete, 5), Shade(kTeal, 3)};
            return true;
        case 2:  // the saw yard of the lumber mill
            *g = {Ground::kDiamond, 54, 22, 52, 21, Shade(kBark, 2), Shade(kSand, 2)};
            return true;
        case 3:  // the ball-testing pit of the sports industry
            *g = {Ground::kBox, 8, 15.5f, 8, 15.5f, Shade(kGrey, 8), Shade(kSlate, 1)};
            return true;
        case 4:  // the kiln yard of the wood industry
            *g = {Ground::kDiamond, 56, 24, 54, 22, Shade(kBark, 2), Shade(kEarth, 3)};
            return true;
        case 5:  // the toy industry's display board
            *g = {Ground::kEllipse, 18, 26, 17, 25, Shade(kGold, 3), Shade(kSky, 5)};
            return true;
        case 8:  // a tennis court, the colour of the building's own
            *g = {Ground::kDiamond, 44, 22, 43, 21, Shade(kOrange, 4), Shade(kOrange, 4)};
            return true;
        case 9:  // a pool, the water of the building's own
            *g = {Ground::kDiamond, 30, 20, 29, 15, Shade(kWater, 6), Shade(kWater, 6)};
            return true;
        case 10:  // a stand of the stadium
            *g = {Ground::kDiamond, 54, 24, 52, 23, Shade(kBrick, 3), Shade(kConcrete, 4)};
            return true;
        case 11:  // an oval race track, inside the diamond of its footprint
            *g = {Ground::kEllipse, 80, 48, 62, 31, Shade(kFoliage, 4), Shade(kAsphalt, 2)};
            return true;
        default:
            return false;
    }
}

bool OnGround(const Ground& g, float x, float y, float margin) {
    const float dx = std::fabs(x - g.cx), dy = std::fabs(y - g.cy);
    switch (g.shape) {
        case Ground::kEllipse: {
            const float rx = g.rx - margin, ry = g.ry - margin;
            return rx > 0 && ry > 0 && (dx * dx) / (rx * rx) + (dy * dy) / (ry * ry) <= 1;
        }
        case Ground::kDiamond: {
            // Edges of slope 1/2: a margin of m rows is 2 m columns.
            const float rx = g.rx - 2 * margin, ry = g.ry - margin;
            return rx > 0 && ry > 0 && dx / rx + dy / ry <= 1;
        }
        default:
            return dx <= g.rx - margin && dy <= g.ry - margin;
    }
}

// Fills the ground of cell x0 at least `margin` pixels in from its edge.
void FillGround(Canvas& c, int x0, int w, const Ground& g, float margin, uint8_t colour) {
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < w; ++x) {
            if (OnGround(g, x + 0.5f, y + 0.5f, margin)) c.Set(x0 + x, y, colour);
        }
    }
}

// Clears what a moving part drew off the ground of cell x0.
void KeepOnGround(Canvas& c, int x0, int w, const Ground& g) {
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!OnGround(g, x + 0.5f, y + 0.5f, 0)) c.Set(x0 + x, y, 0);
        }
    }
}

// The ground drawn alike in every cell: an outer band that the building's
// picture covers, a rim just inside the window the building leaves open,
// and the surface.
void DrawGround(Canvas& c, int type, int x0, int w, const Ground& g) {
    const float m = kAnimationWindowMargin;
    FillGround(c, x0, w, g, 0, g.rim);
    FillGround(c, x0, w, g, m + 2, g.surface);
    switch (type) {
        case 8: {  // the court's lines and the net across it
            Ground inner = g;
            inner.rx -= 2 * (m + 6);
            inner.ry -= m + 6;
            const uint8_t line = pal::kWhite;
            for (int y = 0; y < c.height; ++y) {
                for (int x = 0; x < w; ++x) {
                    const float px = x + 0.5f, py = y + 0.5f;
                    if (OnGround(inner, px, py, 0) && !OnGround(inner, px, py, 1)) {
                        c.Set(x0 + x, y, line);
                    }
                }
            }
            // The net from the middle of one side line to the other's, with
            // its white band on top.
            c.Line(x0 + 25, 13, x0 + 63, 32, pal::Shade(pal::kGrey, 2));
            c.Line(x0 + 25, 12, x0 + 63, 31, pal::kWhite);
            break;
        }
        case 10: {  // rows of seats
            for (int row = 0; row < c.height; row += 4) {
                for (int x = 0; x < w; ++x) {
                    if (OnGround(g, x + 0.5f, row + 0.5f, m + 2)) {
                        c.Set(x0 + x, row, pal::Shade(pal::kConcrete, 2));
                    }
                }
            }
            break;
        }
        case 11: {  // the infield
            Ground infield = g;
            infield.rx *= 0.62f;
            infield.ry *= 0.62f;
            FillGround(c, x0, w, infield, 0, pal::Shade(pal::kFoliage, 4));
            break;
        }
        default:
            break;
    }
}

void DrawFrame(Canvas& c, int type, int frame, const AnimationSize& s) {
    const int x0 = frame * s.width;
    const int loopFrames = type >= 8 ? 16 : s.frames;
    const bool resting = type >= 8 && frame == 16;
    const float t = static_cast<float>(frame % loopFrames) / loopFrames;
    Ground ground{};
    const bool grounded = GroundOf(type, &ground);
    if (grounded) DrawGround(c, type, x0, s.width, ground);
    switch (type) {
        case 0:
            Puffs(c, x0, s.width, s.height, frame, loopFrames, pal::kGrey);
            break;  // steel chimney
        case 1: {   // chemical basin: bubbles rising and bursting
            for (int i = 0; i < 3; ++i) {
                const float u = std::fmod(t + i / 3.0f, 1.0f);
                const float cx = x0 + 24 + i * 20 + std::sin(u * 2 * kPi) * 3;
                const float cy = 50 - i * 4 + std::cos(i * 1.7f) * 5;
                const float r = 1.5f + u * 5;
                c.FillEllipse(cx, cy, r, r * 0.6f, pal::Shade(pal::kTeal, 5 + (u > 0.8f ? 1 : 0)));
            }
            break;
        }
        case 2: {  // lumber mill: a spinning saw blade beside a log
            const float cx = x0 + s.width / 2.0f, cy = s.height / 2.0f, r = 12;
            c.FillRect(x0 + 22, 20, 16, 5, pal::Shade(pal::kBark, 3));
            c.FillEllipse(cx, cy, r, r * 0.5f, pal::Shade(pal::kGrey, 9));
            for (int k = 0; k < 4; ++k) {
                const float a = t * 2 * kPi + k * kPi / 2;
                c.Line(static_cast<int>(cx), static_cast<int>(cy),
                       static_cast<int>(cx + std::cos(a) * r),
                       static_cast<int>(cy + std::sin(a) * r * 0.5f), pal::Shade(pal::kGrey, 4));
            }
            break;
        }
        case 3: {  // sports industry: a ball bouncing in its test pit
            const float y = s.height - 11 - std::fabs(std::sin(t * kPi)) * (s.height - 20);
            c.FillEllipse(x0 + s.width / 2.0f, y, 3, 3, pal::Shade(pal::kOrange, 5));
            break;
        }
        case 4:
            Puffs(c, x0, s.width, s.height, frame, loopFrames, pal::kConcrete);
            break;  // wood industry
        case 5: {   // toy industry: a pinwheel turning on its board
            const float cx = x0 + s.width / 2.0f, cy = s.height / 2.0f - 4;
            c.FillRect(static_cast<int>(cx), static_cast<int>(cy), 2, 20,
                       pal::Shade(pal::kBark, 3));
            for (int k = 0; k < 4; ++k) {
                const float a = t * 2 * kPi + k * kPi / 2;
                c.FillEllipse(cx + std::cos(a) * 6, cy + std::sin(a) * 6, 4, 4,
                              pal::Shade(k % 2 ? pal::kPlayerRed : pal::kGold, 4));
            }
            break;
        }
        case 8: {  // tennis: the ball flies across the court over its shadow
            if (resting) break;
            const float x = x0 + 24 + t * 40, ground_y = 30 - t * 20;
            c.FillEllipse(x, ground_y, 2, 1, pal::Shade(pal::kOrange, 1));
            c.FillEllipse(x, ground_y - std::sin(t * kPi) * 8 - 2, 2, 2, pal::Shade(pal::kGold, 7));
            break;
        }
        case 9: {  // swimming pool: spreading rings
            if (resting) break;
            const float r = 3 + t * 14;
            const float cx = x0 + s.width / 2.0f, cy = s.height / 2.0f;
            for (int k = 0; k < 48; ++k) {
                const float a = k * 2 * kPi / 48;
                c.Set(static_cast<int>(cx + std::cos(a) * r),
                      static_cast<int>(cy + std::sin(a) * r * 0.5f), pal::Shade(pal::kWater, 7));
            }
            break;
        }
        case 10: {  // stadium: the crowd flashes on the stand
            if (resting) break;
            for (int k = 0; k < 30; ++k) {
                const int x = x0 + 24 + static_cast<int>((k * 37 + frame * 11) % (s.width - 48));
                const int y = 12 + (k * 13) % (s.height - 24);
                c.FillRect(x, y, 2, 2, pal::Shade(k % 3 ? pal::kGold : pal::kPlayerRed, 5));
            }
            break;
        }
        case 11: {  // race track: two cars going round
            if (resting) break;
            // On the asphalt between the infield and the rim.
            for (int k = 0; k < 2; ++k) {
                const float a = t * 2 * kPi + k * kPi;
                const float cx = x0 + ground.cx + std::cos(a) * ground.rx * 0.78f;
                const float cy = ground.cy + std::sin(a) * ground.ry * 0.78f;
                c.FillRect(static_cast<int>(cx) - 3, static_cast<int>(cy) - 2, 6, 4,
                           pal::Shade(k ? pal::kPlayerBlue : pal::kPlayerRed, 4));
            }
            break;
        }
        default:
            break;
    }
    if (grounded) KeepOnGround(c, x0, s.width, ground);
}

}  // namespace

CellPoint AnimationMarkPoint(int type) {
    Ground g{};
    const AnimationSize size = AnimationCellSize(type);
    // The top type's smoke stands on its chimney's mouth, where the dark
    // mark is the chimney's opening.
    if (type == 0) return {size.width / 2 - 1, size.height - 1};
    if (!GroundOf(type, &g)) return {0, size.height - 1};
    // The bottom of the ground, a row in from its edge: under the building
    // around the window, so that the mark never shows.
    return {static_cast<int>(g.cx) - 1, static_cast<int>(g.cy + g.ry) - 2};
}

bool AnimationGroundRim(int type, uint8_t* colour) {
    Ground g{};
    if (!GroundOf(type, &g)) return false;
    *colour = g.rim;
    return true;
}

bool OnAnimationGround(int type, int x, int y, int margin) {
    Ground g{};
    return GroundOf(type, &g) && OnGround(g, x + 0.5f, y + 0.5f, static_cast<float>(margin));
}

AnimationSize AnimationCellSize(int type) {
    // Types 6 and 7 belong to no building; the loaders never read their
    // sheets, so none is made.
    static constexpr AnimationSize kSizes[kAnimationTypes] = {
        {16, 40, 8}, {88, 76, 8}, {108, 44, 16}, {16, 32, 8},  {112, 48, 16}, {36, 52, 16},
        {0, 0, 0},   {0, 0, 0},   {88, 44, 17},  {60, 40, 17}, {108, 48, 17}, {148, 92, 17},
    };
    if (type < 0 || type >= kAnimationTypes) return {0, 0, 0};
    return kSizes[type];
}

Canvas MakeAnimationSheet(int type) {
    const AnimationSize s = AnimationCellSize(type);
    Canvas c(s.width * s.frames, s.height);
    for (int f = 0; f < s.frames; ++f) {
        DrawFrame(c, type, f, s);
        const CellPoint mark = AnimationMarkPoint(type);
        PutMark(c, f * s.width + mark.x, mark.y, f);
    }
    return c;
}

}  // namespace standin
