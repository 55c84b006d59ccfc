#include "landscape_templates.h"

#include <algorithm>
#include <cmath>

namespace standin {
namespace {

// A small deterministic generator of our own (the game's random numbers are
// not involved in making data files).
class Lcg {
  public:
    explicit Lcg(uint32_t seed) : state_(seed) {}
    // 0 .. n - 1
    int Next(int n) {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<int>((state_ >> 8) % static_cast<uint32_t>(n));
    }
    float Unit() { return Next(10000) / 10000.0f; }

  private:
    uint32_t state_;
};

// Cells i0..i1 by k0..k1, both ends included.
struct Rect {
    int i0, i1, k0, k1;
};

// Width range of the flat terrace a stepped hill leaves between two ramps.
struct Terraces {
    int least, most;
};

// The terrain a way can use is flat fields and straight ramps; a field whose
// corners are cut by a turning contour line can carry nothing. So the stamps
// are stepped hills: every height level is an axis-aligned rectangle, each
// one pulled in from the one below by a ramp cell and a flat terrace on every
// side. Ramps then run along the map's axes, only the four corners of each
// level are unusable, and the terraces let ways run along a hillside.
class SteppedHill {
  public:
    SteppedHill(int peak, Terraces terraces, int minTop)
        : peak_(peak), terraces_(terraces), minTop_(minTop) {}

    // Raises `h` (sy cells a row) to the hill's levels over `base`.
    void Raise(std::vector<int>& h, int sy, Rect base, Lcg& rng) const {
        Rect r = base;
        for (int level = 1; level <= peak_; ++level) {
            for (int i = r.i0; i <= r.i1; ++i) {
                for (int k = r.k0; k <= r.k1; ++k) {
                    int& cell = h[static_cast<size_t>(i) * sy + k];
                    cell = std::max(cell, level);
                }
            }
            const int above = peak_ - level;
            if (above == 0) break;
            if (!PullIn(r.i0, r.i1, above, rng) || !PullIn(r.k0, r.k1, above, rng)) break;
        }
    }

  private:
    // Moves both ends of lo..hi inwards by a ramp cell and a terrace, keeping
    // room for `above` more levels and the top; where there is no room for
    // the narrowest terrace the hill gets steeper, and where there is not
    // even room for a ramp its top comes early.
    bool PullIn(int& lo, int& hi, int above, Lcg& rng) const {
        const int width = hi - lo + 1;
        if (width < 3) return false;
        const int least =
            (width - minTop_ - 2 * above * (1 + terraces_.least)) >= 0 ? terraces_.least : 0;
        const int spare = std::max(0, width - minTop_ - 2 * above * (1 + least));
        const int room = std::min(terraces_.most - least, spare / (2 * above));
        lo += 1 + least + rng.Next(room + 1);
        hi -= 1 + least + rng.Next(room + 1);
        return true;
    }

    int peak_;
    Terraces terraces_;
    int minTop_;
};

enum class Form { Block, TwoLobes, Ridge };

// Fields of height 1 next to water are water themselves wherever their
// corners dip, so the outline of the lowest level costs no buildable land and
// may wander like a real shore: a wobbly round blob filling the stamp.
void AddShore(std::vector<int>& h, int sx, int sy, Lcg& rng) {
    const float cx = (sx - 1) / 2.0f, cy = (sy - 1) / 2.0f;
    const float wobble[4] = {rng.Unit(), rng.Unit(), rng.Unit(), rng.Unit()};
    for (int i = 0; i < sx; ++i) {
        for (int k = 0; k < sy; ++k) {
            const float dx = (i - cx) / (sx / 2.0f), dy = (k - cy) / (sy / 2.0f);
            const float angle = std::atan2(dy, dx);
            const float outline = 1.0f + 0.10f * std::sin(2 * angle + 6 * wobble[0]) +
                                  0.07f * std::sin(3 * angle + 6 * wobble[1]) +
                                  0.05f * std::sin(5 * angle + 6 * wobble[2]);
            int& cell = h[static_cast<size_t>(i) * sy + k];
            if (std::sqrt(dx * dx + dy * dy) < 0.95f * outline) cell = std::max(cell, 1);
        }
    }
}

LandscapeStamp MakeStamp(int kind, int peak, int sx, int sy, Form form, Terraces terraces,
                         int shore, Lcg& rng) {
    std::vector<int> h(static_cast<size_t>(sx) * sy, 0);
    const int minTop = 2 + rng.Next(3);
    const SteppedHill hill(peak, terraces, minTop);
    // The stepped land stands `shore` cells (give or take) inside the stamp.
    const auto inset = [&] { return shore == 0 ? 0 : shore / 2 + rng.Next(shore); };
    const int i0 = inset(), k0 = inset();
    const int i1 = sx - 1 - inset(), k1 = sy - 1 - inset();
    switch (form) {
        case Form::Block:
            hill.Raise(h, sy, {i0, i1, k0, k1}, rng);
            break;
        case Form::TwoLobes: {
            // Two hills side by side along x, overlapping, offset along y.
            const int wx = i1 - i0 + 1, wy = k1 - k0 + 1;
            const int split = i0 + wx * (4 + rng.Next(3)) / 10;
            const int shift = wy * (1 + rng.Next(2)) / 6;
            const SteppedHill lower(std::max(1, peak - 1 - rng.Next(3)), terraces, minTop);
            hill.Raise(h, sy, {i0, std::min(i1, split + wx / 4), k0, k1 - shift}, rng);
            lower.Raise(h, sy, {std::max(i0, split - wx / 4), i1, k0 + shift, k1}, rng);
            break;
        }
        case Form::Ridge: {
            // A long narrow crest on a broad foot.
            const SteppedHill foot(std::max(1, peak / 2), terraces, minTop);
            foot.Raise(h, sy, {i0, i1, k0, k1}, rng);
            const int wy = k1 - k0 + 1;
            const int narrow = std::min(wy, std::max(minTop + 2 * peak, wy * 2 / 3));
            const int c0 = k0 + (wy - narrow) / 2;
            hill.Raise(h, sy, {i0, i1, c0, c0 + narrow - 1}, rng);
            break;
        }
    }
    if (shore > 0) AddShore(h, sx, sy, rng);
    LandscapeStamp stamp{kind, sx, sy, {}};
    stamp.heights.reserve(h.size());
    for (int v : h) stamp.heights.push_back(static_cast<uint8_t>(v));
    return stamp;
}

struct KindPlan {
    int kind;
    int count;
    int peakLow, peakHigh;  // height range of the stamps
    int sizeLow, sizeHigh;  // side range in cells
    Terraces terraces;      // flat cells between two ramps
    int shore;              // width of the low shore round the stepped land
};

}  // namespace

std::vector<LandscapeStamp> MakeLandscapeStamps(int season) {
    // Spring: an alpine landscape with big mountains; summer: wide lowland
    // with rolling hills; autumn: hill country with plateaus.
    const KindPlan plans[3][7] = {
        {{1, 6, 2, 2, 16, 32, {1, 3}, 6},
         {2, 6, 3, 4, 20, 30, {1, 3}, 0},
         {3, 5, 4, 5, 20, 30, {1, 3}, 0},
         {5, 4, 6, 7, 28, 36, {1, 2}, 0},
         {8, 4, 9, 10, 40, 46, {1, 1}, 0},
         {11, 3, 11, 12, 46, 52, {1, 1}, 0},
         {14, 3, 13, 14, 54, 60, {1, 1}, 0}},
        {{1, 8, 1, 2, 24, 44, {1, 4}, 6},
         {2, 6, 2, 3, 20, 30, {1, 3}, 0},
         {3, 5, 3, 4, 20, 30, {1, 3}, 0},
         {5, 4, 5, 6, 24, 30, {1, 2}, 0},
         {8, 3, 8, 9, 34, 40, {1, 1}, 0},
         {11, 2, 10, 11, 40, 46, {1, 1}, 0},
         {14, 2, 12, 13, 48, 54, {1, 1}, 0}},
        {{1, 6, 2, 3, 20, 36, {1, 4}, 6},
         {2, 6, 3, 3, 28, 40, {1, 4}, 0},
         {3, 6, 4, 5, 28, 40, {1, 4}, 0},
         {5, 4, 5, 6, 24, 32, {1, 2}, 0},
         {8, 3, 8, 9, 34, 40, {1, 2}, 0},
         {11, 3, 10, 11, 40, 48, {1, 1}, 0},
         {14, 2, 12, 13, 48, 56, {1, 1}, 0}},
    };
    const int s = std::clamp(season, 1, 3) - 1;
    Lcg rng(0x5eed0000u + static_cast<uint32_t>(season) * 7919u);
    std::vector<LandscapeStamp> stamps;
    for (const KindPlan& plan : plans[s]) {
        for (int n = 0; n < plan.count; ++n) {
            const int peak = plan.peakLow + rng.Next(plan.peakHigh - plan.peakLow + 1);
            const int sx = plan.sizeLow + rng.Next(plan.sizeHigh - plan.sizeLow + 1);
            const int sy = plan.sizeLow + rng.Next(plan.sizeHigh - plan.sizeLow + 1);
            Form form = Form::Block;
            if (plan.kind >= 2 && n % 3 == 1) form = Form::TwoLobes;
            if (plan.kind >= 5 && n % 3 == 2) form = Form::Ridge;
            stamps.push_back(
                MakeStamp(plan.kind, peak, sx, sy, form, plan.terraces, plan.shore, rng));
        }
    }
    return stamps;
}

std::vector<uint8_t> EncodeLandscapeFile(const std::vector<LandscapeStamp>& stamps) {
    std::vector<uint8_t> out;
    auto put32 = [&](int32_t v) {
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
    };
    put32(static_cast<int32_t>(stamps.size()));
    int32_t offset = 0;
    for (const LandscapeStamp& s : stamps) {
        out.push_back(static_cast<uint8_t>(s.kind));
        out.insert(out.end(), 3, 0);
        put32(s.sizeX);
        put32(s.sizeY);
        put32(offset);
        offset += s.sizeX * s.sizeY;
    }
    for (const LandscapeStamp& s : stamps)
        out.insert(out.end(), s.heights.begin(), s.heights.end());
    return out;
}

}  // namespace standin
