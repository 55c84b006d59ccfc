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

enum class Form { Cone, Ridge, Plateau };

// Largest heights at or below `raw` that change by at most one step between
// neighbouring cells (diagonals included) and fall to at most 1 at the rim.
void MakeSmooth(std::vector<int>& h, int sx, int sy) {
    auto at = [&](int i, int k) -> int& { return h[static_cast<size_t>(i) * sy + k]; };
    for (int i = 0; i < sx; ++i) {
        for (int k = 0; k < sy; ++k) {
            if (i == 0 || k == 0 || i == sx - 1 || k == sy - 1) at(i, k) = std::min(at(i, k), 1);
        }
    }
    bool changed = true;
    while (changed) {
        changed = false;
        for (int i = 0; i < sx; ++i) {
            for (int k = 0; k < sy; ++k) {
                for (int di = -1; di <= 1; ++di) {
                    for (int dk = -1; dk <= 1; ++dk) {
                        const int ni = i + di, nk = k + dk;
                        if (ni < 0 || nk < 0 || ni >= sx || nk >= sy) continue;
                        if (at(i, k) > at(ni, nk) + 1) {
                            at(i, k) = at(ni, nk) + 1;
                            changed = true;
                        }
                    }
                }
            }
        }
    }
}

LandscapeStamp MakeStamp(int kind, int peak, int sx, int sy, Form form, Lcg& rng) {
    std::vector<int> h(static_cast<size_t>(sx) * sy, 0);
    const float cx = (sx - 1) / 2.0f, cy = (sy - 1) / 2.0f;
    // A few random bumps on the outline make the stamps less regular.
    const float wobble[4] = {rng.Unit(), rng.Unit(), rng.Unit(), rng.Unit()};
    const float ridgeAngle = rng.Unit() * 3.14159f;
    for (int i = 0; i < sx; ++i) {
        for (int k = 0; k < sy; ++k) {
            const float dx = (i - cx) / (sx / 2.0f), dy = (k - cy) / (sy / 2.0f);
            const float angle = std::atan2(dy, dx);
            const float outline = 1.0f + 0.10f * std::sin(2 * angle + 6 * wobble[0]) +
                                  0.06f * std::sin(3 * angle + 6 * wobble[1]);
            // An octagonal distance: slopes that one height step per cell
            // can follow in every direction, diagonals included.
            const float ax = std::fabs(dx), ay = std::fabs(dy);
            float r = std::max({ax, ay, (ax + ay) / 1.45f}) / outline;
            if (form == Form::Ridge) {
                // Distance to a line through the centre, stretched along it.
                const float along = dx * std::cos(ridgeAngle) + dy * std::sin(ridgeAngle);
                const float across = -dx * std::sin(ridgeAngle) + dy * std::cos(ridgeAngle);
                r = std::sqrt(along * along * 0.35f + across * across * 2.2f) / outline;
            }
            float v;
            if (form == Form::Plateau) {
                v = r < 0.55f ? 1.0f : std::max(0.0f, 1.0f - (r - 0.55f) / 0.45f);
            } else {
                v = std::max(0.0f, 1.0f - r);
            }
            v += 0.08f * std::sin(9 * dx + 5 * wobble[2]) * std::sin(7 * dy + 5 * wobble[3]);
            // A little more than the peak, so that the top stays at the peak
            // after smoothing; the clamp flattens it.
            h[static_cast<size_t>(i) * sy + k] =
                std::clamp(static_cast<int>(std::lround(v * peak * 1.3f)), 0, peak);
        }
    }
    MakeSmooth(h, sx, sy);
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
};

}  // namespace

std::vector<LandscapeStamp> MakeLandscapeStamps(int season) {
    // Spring: an alpine landscape with big mountains; summer: wide lowland
    // with rolling hills; autumn: hill country with plateaus.
    const KindPlan plans[3][7] = {
        {{1, 6, 2, 2, 14, 30},
         {2, 6, 3, 4, 10, 18},
         {3, 5, 4, 5, 12, 18},
         {5, 4, 6, 7, 18, 24},
         {8, 4, 9, 10, 26, 32},
         {11, 3, 11, 12, 30, 36},
         {14, 3, 13, 14, 36, 42}},
        {{1, 8, 1, 2, 24, 44},
         {2, 6, 2, 3, 8, 16},
         {3, 5, 3, 4, 10, 16},
         {5, 4, 5, 6, 14, 20},
         {8, 3, 8, 9, 22, 28},
         {11, 2, 10, 11, 26, 32},
         {14, 2, 12, 13, 32, 38}},
        {{1, 6, 2, 3, 16, 32},
         {2, 6, 3, 4, 10, 16},
         {3, 6, 4, 5, 12, 18},
         {5, 4, 5, 6, 16, 22},
         {8, 3, 8, 9, 22, 28},
         {11, 3, 10, 11, 26, 32},
         {14, 2, 12, 13, 32, 38}},
    };
    const int s = std::clamp(season, 1, 3) - 1;
    Lcg rng(0x5eed0000u + static_cast<uint32_t>(season) * 7919u);
    std::vector<LandscapeStamp> stamps;
    for (const KindPlan& plan : plans[s]) {
        for (int n = 0; n < plan.count; ++n) {
            const int peak = plan.peakLow + rng.Next(plan.peakHigh - plan.peakLow + 1);
            const int sx = plan.sizeLow + rng.Next(plan.sizeHigh - plan.sizeLow + 1);
            const int sy = plan.sizeLow + rng.Next(plan.sizeHigh - plan.sizeLow + 1);
            Form form = Form::Cone;
            if (plan.kind <= 2 || (s == 2 && n % 2 == 0)) form = Form::Plateau;
            if (plan.kind >= 5 && n % 3 == 1) form = Form::Ridge;
            stamps.push_back(MakeStamp(plan.kind, peak, sx, sy, form, rng));
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
