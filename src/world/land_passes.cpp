// The land passes: template kinds, stamp counts, the edge rule and the
// refusal of stamps that land on the wrong ground.

#include "world/land_passes.h"
#include "world/slope_shape.h"

#include <algorithm>
#include <array>

#include "platform/random.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/progress_events.h"

namespace {

constexpr int32_t kCategoryKinds[kLandPasses] = {1, 2, 3, 5, 8, 11, 14};
constexpr int32_t kPassOrder[2][kLandPasses] = {
    {0, 1, 2, 3, 4, 5, 6},  // seasons 1 and 2
    {0, 1, 2, 6, 3, 4, 5},  // season 3: the highest templates before kinds 5, 8 and 11
};

int32_t ClampLevel(int32_t v) {
    return std::clamp(v, 0, 4);
}

// Bad cells of passes 4..6: season 1 wants low ground (height 3 or less),
// season 3 high ground (height 4 or more); every other pass avoids water.
bool IsBadCell(int32_t season, int32_t pass, int32_t x, int32_t y) {
    if (pass >= 4 && season == 3) return FieldAt(x, y)->hoehe() < 4;
    if (pass >= 4 && season == 1) return FieldAt(x, y)->hoehe() > 3;
    return IsWetField(x, y);
}

// First entry index and number of entries of each kind 1..14 (index kind).
struct KindIndex {
    std::array<int32_t, kLandscapeTemplateKinds + 1> first{};
    std::array<int32_t, kLandscapeTemplateKinds + 1> count{};
};

KindIndex IndexKinds(const LandscapeTemplateSet& set) {
    KindIndex index;
    // The reader lets kinds 1..14 only; an entry of another kind is never
    // stamped.
    for (const LandscapeTemplate& t : set.entries) {
        if (t.kind >= 1 && t.kind <= kLandscapeTemplateKinds) ++index.count[t.kind];
    }
    int32_t running = 0;
    for (int32_t kind = 1; kind <= kLandscapeTemplateKinds; ++kind) {
        index.first[kind] = running;
        running += index.count[kind];
    }
    return index;
}

// Places up to n stamps of the pass's category, taking its templates in
// turn; answers how many were placed.
int32_t RunLandPass(const LandscapeTemplateSet& set, const KindIndex& index, int32_t season,
                    int32_t pass, int32_t n) {
    const int32_t kind = CategoryKind(PassCategory(season, pass));
    const int32_t m = index.count[kind];
    if (m == 0 || n <= 0) return 0;
    int32_t placed = 0;
    int32_t pick = -1;
    for (int32_t stamp = 0; stamp < n; ++stamp) {
        pick = m > 1 ? (pick + 1) % m : 0;
        const LandscapeTemplate& t = set.entries[static_cast<size_t>(index.first[kind] + pick)];
        bool applied = false;
        if (pass == 0) {
            // The base land may lie anywhere (also on water); only the edge
            // rule applies. A template that never fits ends the pass.
            for (int32_t attempt = 0; attempt < kMaxBaseStampAttempts && !applied; ++attempt) {
                const StampAttempt a = DrawStampAttempt(set, t, season, pass);
                if (a.fits) {
                    ApplyStamp(set, t, a);
                    applied = true;
                }
            }
            if (!applied) return placed;
        } else {
            // Up to 50 attempts; the 51st is drawn and tested but dropped.
            for (int32_t attempt = 1; attempt <= kMaxStampAttempts + 1 && !applied; ++attempt) {
                const StampAttempt a = DrawStampAttempt(set, t, season, pass);
                if (attempt <= kMaxStampAttempts && StampAcceptable(a, season, pass)) {
                    ApplyStamp(set, t, a);
                    applied = true;
                }
            }
            if (!applied) continue;  // a dropped stamp does not count
        }
        ++placed;
        Progress().Step();
    }
    return placed;
}

}  // namespace

int32_t RunLandPasses(const LandscapeTemplateSet& set, int32_t season, int32_t a, int32_t b) {
    const KindIndex index = IndexKinds(set);
    int32_t counts[kLandPasses] = {};
    int32_t total = 0;
    for (int32_t pass = 0; pass < kLandPasses; ++pass) {
        counts[pass] = StampCount(season, PassCategory(season, pass), a, b);
        total += counts[pass];
    }
    Progress().Stage(0, total);
    int32_t placed = 0;
    for (int32_t pass = 0; pass < kLandPasses; ++pass) {
        placed += RunLandPass(set, index, season, pass, counts[pass]);
    }
    return placed;
}

int32_t CategoryKind(int32_t category) {
    return category >= 0 && category < kLandPasses ? kCategoryKinds[category] : 0;
}

int32_t PassCategory(int32_t season, int32_t pass) {
    if (pass < 0 || pass >= kLandPasses) return -1;
    return kPassOrder[season == 3 ? 1 : 0][pass];
}

int32_t StampCount(int32_t season, int32_t category, int32_t a, int32_t b) {
    a = ClampLevel(a);
    b = ClampLevel(b);
    if (season == 3) {
        switch (category) {
            case 0:
                return 50 + 25 * a;
            case 1:
                return 150;
            case 2:
                return 100;
            case 3:
                return 10 * (b + 1);
            case 4:
                return 5 * (b + 1);
            case 5:
                return 2 * (b + 1);
            case 6:
                return b + 1;
            default:
                return 0;
        }
    }
    switch (category) {
        case 0:
            return season == 1 ? 50 * (a + 1) : 20 + 20 * a;
        case 1:
            return season == 1 ? 100 + 10 * a : 150;
        case 2:
            return season == 1 ? 50 + 10 * a : 100;
        case 3:
            return b >= 1 ? 50 : 0;
        case 4:
            return b >= 2 ? 25 : 0;
        case 5:
            return b >= 3 ? 10 : 0;
        case 6:
            return b == 4 ? 5 : 0;
        default:
            return 0;
    }
}

int32_t RefusalLimit(int32_t season, int32_t pass) {
    if (pass >= 4 && season == 1) return 70;
    if (pass >= 4 && season == 3) return 80;
    return season == 2 ? 30 : 10;
}

StampCell StampCellField(const LandscapeTemplate& t, int32_t x0, int32_t y0, int32_t orientation,
                         int32_t i, int32_t k) {
    switch (orientation) {
        case 1:
            return {x0 + k, y0 + t.size_y - i};
        case 2:
            return {x0 + t.size_x - i, y0 + t.size_y - k};
        case 3:
            return {x0 + t.size_x - k, y0 + i};
        default:
            return {x0 + i, y0 + k};
    }
}

bool StampCellAllowed(int32_t x, int32_t y, int32_t d) {
    if (x < 0 || x > 254 || y < 0 || y > 254) return false;
    const int32_t edge = std::min({x, y, 254 - x, 254 - y});
    return !(edge < kStampEdgeMargin && edge < d);
}

bool IsWetField(int32_t x, int32_t y) {
    const MapField* f = FieldAt(x, y);
    if (f == nullptr) return false;
    return f->hoehe() == 0 || (f->hoehe() == 1 && !IsRisingShape(f->teile_diff()));
}

StampAttempt DrawStampAttempt(const LandscapeTemplateSet& set, const LandscapeTemplate& t,
                              int32_t season, int32_t pass) {
    StampAttempt a{};
    a.x0 = plat::Rand() % 255;
    a.y0 = plat::Rand() % 255;
    a.orientation = plat::Rand() % 4;
    a.cells = t.size_x * t.size_y;
    if (a.cells == 0) {  // nothing to test or to place
        a.fits = true;
        return a;
    }
    for (int32_t i = 0; i < t.size_x; ++i) {
        for (int32_t k = 0; k < t.size_y; ++k) {
            const StampCell c = StampCellField(t, a.x0, a.y0, a.orientation, i, k);
            if (!StampCellAllowed(c.x, c.y, set.Height(t, i, k))) return a;  // fits stays false
        }
    }
    a.fits = true;
    if (pass == 0) return a;  // pass 0 counts no bad cells
    for (int32_t i = 0; i < t.size_x; ++i) {
        for (int32_t k = 0; k < t.size_y; ++k) {
            const StampCell c = StampCellField(t, a.x0, a.y0, a.orientation, i, k);
            if (IsBadCell(season, pass, c.x, c.y)) ++a.bad;
        }
    }
    return a;
}

bool StampAcceptable(const StampAttempt& attempt, int32_t season, int32_t pass) {
    if (!attempt.fits) return false;
    // A template without cells has no bad share.
    const int64_t percent =
        attempt.cells > 0 ? static_cast<int64_t>(attempt.bad) * 100 / attempt.cells : 0;
    return percent <= RefusalLimit(season, pass);
}

void ApplyStamp(const LandscapeTemplateSet& set, const LandscapeTemplate& t,
                const StampAttempt& attempt) {
    if (t.size_x == 0 || t.size_y == 0) return;
    for (int32_t i = 0; i < t.size_x; ++i) {
        for (int32_t k = 0; k < t.size_y; ++k) {
            const StampCell c =
                StampCellField(t, attempt.x0, attempt.y0, attempt.orientation, i, k);
            MapField* f = FieldAt(c.x, c.y);
            if (f == nullptr) continue;
            // Heights are four bits; a larger byte counts as the highest.
            const int32_t d = std::min<int32_t>(set.Height(t, i, k), 15);
            if (d > f->hoehe()) f->set_hoehe(static_cast<uint32_t>(d));
        }
    }
}
